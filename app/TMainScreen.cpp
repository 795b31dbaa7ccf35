#include "app/TMainScreen.h"

#include "app/AppFolder.h"
#include "app/BevelPanel.h"
#include "app/ButtonGlyphs.h"
#include "app/DateTexts.h"
#include "app/ErrorReportingApplication.h"
#include "app/HelpFile.h"
#include "app/HelpWindow.h"
#include "app/MenuLock.h"
#include "app/MessageBoxes.h"
#include "app/PasswordProtection.h"
#include "app/PictureButton.h"
#include "app/TLineShape.h"
#include "app/TRingPanel.h"
#include "app/TSplashform.h"
#include "app/TextButton.h"
#include "app/WindowPlacement.h"
#include "print/FormatToolBar.h"
#include "print/RichTextEditor.h"
#include "privacy/PrivacyPanel.h"
#include "privacy/TGetPassword.h"
#include "privacy/TableEncryption.h"
#include "privacy/UserMessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QVBoxLayout>

#include <stdexcept>

namespace dayvell {
namespace {

constexpr int ToolbarHeight = 34;
constexpr int ButtonBarHeight = 41;
constexpr int LineHeight = 8;

QFont arial(int points, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

void addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The privacy forms speak through the program's own message boxes.
UserMessages windowMessages()
{
    return UserMessages{ [](const QString& text) { ShowInformation(text); }, [] { QApplication::beep(); } };
}

bool onlyCtrlHeld(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return held == Qt::ControlModifier;
}

} // namespace

TMainScreen::TMainScreen(std::unique_ptr<EntryStore> store, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent)
    , store_(std::move(store))
    , preferences_(programFolder)
{
    setObjectName(QStringLiteral("MainScreen"));
    setWindowTitle(QStringLiteral("Dayvell"));
    setWindowIcon(QIcon(QStringLiteral(":/dayvell.png")));
    setFont(arial(8));
    RegisterMainScreen(this);

    auto* client = new QWidget(this);
    auto* stack = new QVBoxLayout(client);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    setCentralWidget(client);

    buildPage();
    buildButtonBar();
    stack->addWidget(ToolbarPanel);
    stack->addWidget(RingPanel1, 1);
    stack->addWidget(ActionPanel);
    buildMenus();
    buildPrivacyPanel();

    // Sees every event of the program first: the page's resizes and the keys
    // meant for any control of this window.
    qApp->installEventFilter(this);
    FormCreate();
}

TMainScreen::~TMainScreen()
{
    qApp->removeEventFilter(this);
    if (MainScreen() == this)
        RegisterMainScreen(nullptr);
}

void TMainScreen::buildPage()
{
    RingPanel1 = new TRingPanel(this);
    RingPanel1->setObjectName(QStringLiteral("RingPanel1"));
    RingPanel1->SetDoubleRing(true);
    RingPanel1->SetSmallRing(true);
    RingPanel1->LeftEdge = 31;
    RingPanel1->RightEdge = 15;

    DateLabel = new QLabel(RingPanel1);
    DateLabel->setObjectName(QStringLiteral("DateLabel"));
    DateLabel->setFont(arial(12, true, true));
    QPalette purple = DateLabel->palette();
    purple.setColor(QPalette::WindowText, QColor(128, 0, 128));
    DateLabel->setPalette(purple);

    TopLine = new TLineShape(RingPanel1);
    TopLine->setObjectName(QStringLiteral("TopLine"));
    BottomLine = new TLineShape(RingPanel1);
    BottomLine->setObjectName(QStringLiteral("BottomLine"));

    WPRichText1 = new editor::RichTextEditor(RingPanel1);
    WPRichText1->setObjectName(QStringLiteral("WPRichText1"));
    editorFocusPolicy_ = WPRichText1->focusPolicy();
    connect(WPRichText1, &editor::RichTextEditor::changed, this, &TMainScreen::WPRichText1Change);
    connect(WPRichText1, &editor::RichTextEditor::keyPressed, this, &TMainScreen::WPRichText1KeyDown);

    WPRichTextAllPurpose = new editor::RichTextEditor(RingPanel1);
    WPRichTextAllPurpose->setObjectName(QStringLiteral("WPRichTextAllPurpose"));
    WPRichTextAllPurpose->setFrameStyle(QFrame::Box | QFrame::Plain);
    WPRichTextAllPurpose->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WPRichTextAllPurpose->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WPRichTextAllPurpose->hide();

    ToolbarPanel = new BevelPanel(this);
    ToolbarPanel->setObjectName(QStringLiteral("ToolbarPanel"));
    ToolbarPanel->setSingleBorder(true);
    ToolbarPanel->setFixedHeight(ToolbarHeight);
    WPToolBar2 = new editor::FormatToolBar(*WPRichText1, ToolbarPanel);
    WPToolBar2->setObjectName(QStringLiteral("WPToolBar2"));
    ToolbarPanel->placeChild(WPToolBar2, QRect(21, 2, 455, 26));
}

void TMainScreen::buildButtonBar()
{
    ActionPanel = new BevelPanel(this);
    ActionPanel->setObjectName(QStringLiteral("ActionPanel"));
    ActionPanel->setFixedHeight(ButtonBarHeight);

    const auto textButton = [this](const char* name, const QString& caption, const QColor& color,
                                   const QRect& place) {
        auto* button = new TextButton(caption, color, ActionPanel);
        button->setObjectName(QString::fromLatin1(name));
        ActionPanel->placeChild(button, place);
        return button;
    };
    const auto pictureButton = [this](const char* name, const QPixmap& glyph, const QRect& place) {
        auto* button = new PictureButton(glyph, ActionPanel);
        button->setObjectName(QString::fromLatin1(name));
        button->setFocusPolicy(Qt::NoFocus);
        ActionPanel->placeChild(button, place);
        return button;
    };

    SaveButton = textButton("SaveButton", QStringLiteral("&Save"), QColor(0, 128, 0), { 15, 4, 60, 22 });
    CancelButton = textButton("CancelButton", QStringLiteral("&Cancel"), QColor(255, 0, 0), { 84, 4, 89, 22 });
    SaveButton->hide();
    CancelButton->hide();
    ShapeButPop2 = pictureButton("ShapeButPop2", glyphs::arrowLeftToBar(), { 224, 4, 30, 28 });
    PriorButton = pictureButton("PriorButton", glyphs::arrowLeft(), { 267, 4, 20, 29 });
    PSpeedButton1 = pictureButton("PSpeedButton1", glyphs::calendar(), { 294, 4, 24, 27 });
    NextButton = pictureButton("NextButton", glyphs::arrowRight(), { 325, 4, 20, 28 });
    ShapeButPop1 = pictureButton("ShapeButPop1", glyphs::arrowRightToBar(), { 359, 4, 30, 28 });
    HideButton = textButton("HideButton", QStringLiteral("&Hide!"), QColor(128, 128, 128), { 453, 4, 69, 22 });
    TransTextButton1 = textButton("TransTextButton1", QStringLiteral("E&xit"), Qt::white, { 527, 4, 56, 22 });

    connect(SaveButton, &QAbstractButton::clicked, this, reporting(&TMainScreen::SaveButtonClick));
    connect(CancelButton, &QAbstractButton::clicked, this, reporting(&TMainScreen::CancelButtonClick));
    connect(ShapeButPop2, &QAbstractButton::clicked, this, reporting(&TMainScreen::ShapeButPop2Click));
    connect(PriorButton, &QAbstractButton::clicked, this, reporting(&TMainScreen::PriorButtonClick));
    connect(NextButton, &QAbstractButton::clicked, this, reporting(&TMainScreen::NextButtonClick));
    connect(ShapeButPop1, &QAbstractButton::clicked, this, reporting(&TMainScreen::ShapeButPop1Click));
    connect(HideButton, &QAbstractButton::clicked, this, reporting(&TMainScreen::HideButtonClick));
    connect(TransTextButton1, &QAbstractButton::clicked, this, reporting(&TMainScreen::TransTextButton1Click));
}

void TMainScreen::buildMenus()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    mnuFile = MainMenu1->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSecurity = addItem(mnuFile, "mnuSecurity", QStringLiteral("Select or Change Password"));
    addSeparator(mnuFile, "N2");
    RebuildIndexes1 = addItem(mnuFile, "RebuildIndexes1", QStringLiteral("Rebuild Indexes (do this often!)"));
    addSeparator(mnuFile, "N1");
    PrintSetup1 = addItem(mnuFile, "PrintSetup1", QStringLiteral("Print Setup"));
    Print1 = mnuFile->addMenu(QStringLiteral("Print"));
    Print1->setObjectName(QStringLiteral("Print1"));
    PrintcurrentEntryOnly = addItem(Print1, "PrintcurrentEntryOnly", QStringLiteral("Print Current Entry Only"));
    PrintCurrentEntryForwardMerged = addItem(Print1, "PrintCurrentEntryForwardMerged",
                                             QStringLiteral("Print From Current Entry Forward - Merged"));
    PrintCurrentEntryForwardSeperatePages =
        addItem(Print1, "PrintCurrentEntryForwardSeperatePages",
                QStringLiteral("Print From Current Entry Forward - Separate Pages"));
    addSeparator(mnuFile, "N6");
    exit1 = addItem(mnuFile, "exit1", QStringLiteral("E&xit"));

    mnuEdit = MainMenu1->addMenu(QStringLiteral("Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuFind = addItem(mnuEdit, "mnuFind", QStringLiteral("&Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    Replace1 = addItem(mnuEdit, "Replace1", QStringLiteral("&Replace"), QKeySequence(Qt::CTRL | Qt::Key_R));
    addSeparator(mnuEdit, "N3");
    SpellCheck1 = addItem(mnuEdit, "SpellCheck1", QStringLiteral("&Spell Check"), QKeySequence(Qt::CTRL | Qt::Key_S));
    EnterDate1 = addItem(mnuEdit, "EnterDate1", QStringLiteral("Insert Today's &Date "),
                         QKeySequence(Qt::CTRL | Qt::Key_D));
    addSeparator(mnuEdit, "N4");
    mnuWrapTexttofitScreen = addItem(mnuEdit, "mnuWrapTexttofitScreen", QStringLiteral("&Wrap Text to fit Screen"));
    mnuWrapTexttofitScreen->setCheckable(true);
    mnuWrapTexttofitScreen->setChecked(true);

    mnuUtilities = MainMenu1->addMenu(QStringLiteral("Utilities"));
    mnuUtilities->setObjectName(QStringLiteral("mnuUtilities"));
    mnuFindentrycontaining = addItem(mnuUtilities, "mnuFindentrycontaining",
                                     QStringLiteral("Find entry containing..."), QKeySequence(Qt::CTRL | Qt::Key_F4));
    mnuFindNextBig = addItem(mnuUtilities, "mnuFindNextBig", QStringLiteral("Find Next Entry"),
                             QKeySequence(Qt::CTRL | Qt::Key_F5));
    mnuFindNextBig->setEnabled(false);

    Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Contents1 = addItem(Help1, "Contents1", QStringLiteral("Contents"));
    addSeparator(Help1, "N5");
    About1 = addItem(Help1, "About1", QStringLiteral("About"));

    menuLock_ = std::make_unique<MenuLock>(QList<QMenu*>{ mnuFile, mnuEdit, mnuUtilities });

    connect(mnuSecurity, &QAction::triggered, this, reporting(&TMainScreen::mnuSecurityClick));
    connect(PrintSetup1, &QAction::triggered, this, reporting(&TMainScreen::PrintSetup1Click));
    connect(exit1, &QAction::triggered, this, reporting(&TMainScreen::exit1Click));
    connect(mnuWrapTexttofitScreen, &QAction::triggered, this, reporting(&TMainScreen::mnuWrapTexttofitScreenClick));
    connect(Contents1, &QAction::triggered, this, reporting(&TMainScreen::Contents1Click));
    connect(About1, &QAction::triggered, this, reporting(&TMainScreen::About1Click));
}

void TMainScreen::buildPrivacyPanel()
{
    PrivacyPanel = new dayvell::PrivacyPanel(
        [this](const QString& typed) { return opensDiary(typed); }, windowMessages(), RingPanel1);
    PrivacyPanel->hide();
    connect(PrivacyPanel, &dayvell::PrivacyPanel::passwordAccepted, this, [this](const QString& password) {
        RunReportingErrors([this, &password] { uncoverDiary(password); });
    });
    connect(PrivacyPanel, &dayvell::PrivacyPanel::closeRequested, this, [this] { close(); });
}

void TMainScreen::FormCreate()
{
    // Short dates follow "mm/dd/yyyy" with the regional separator (ShortDateText);
    // long dates stay the regional ones (LongDateText).
    resize(DesignWidth, DesignHeight);
    if (QScreen* display = screen())
        move(InitialPlacement(display->geometry().size(), size()));

    loadStoredPassword();
    tableOpen_ = store_->OpenDiaryFile();
    if (!tableOpen_) {
        // Offer to end the program; whoever stays gets told why and keeps a
        // window without a diary.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!close())
                    ShowInformation(openFailureText());
            },
            Qt::QueuedConnection);
    }

    PasswordProtection* protection = tableProtection();
    // A diary encrypted under a password that DV.INI no longer holds stays
    // covered until its owner gives that password.
    const bool passwordLost = DiaryPassword.isEmpty() && protection && protection->isEncrypted();
    HideAllThings(!DiaryPassword.isEmpty() || passwordLost);
    if (protection)
        protection->setPassword(DiaryPassword);

    DiaryDate = QDate::currentDate();
    EntryFound = false;
    SetDateCaption();
    // Behind the panel the page stays empty: the entry is loaded once the
    // password has been given.
    if (tableOpen_ && !DiaryHidden()) {
        // No event handler runs this yet: a damaged entry is reported here,
        // and the window opens with an empty page.
        try {
            FindDateRecord();
            LoadRichText();
        } catch (const std::exception& error) {
            ReportError(QString::fromStdString(error.what()));
        }
    }
    helpFile_ = AppFolder() + QStringLiteral("DAYVELL.HLP");
    if (DiaryHidden())
        PrivacyPanel->Pass->setFocus();
    else
        WPRichText1->setFocus();
}

void TMainScreen::loadStoredPassword()
{
    try {
        DiaryPassword = preferences_.LoadPreferences();
    } catch (const std::exception& error) {
        // Told, and treated like a missing file: an encrypted diary still
        // asks for its password.
        ReportError(QString::fromStdString(error.what()));
        DiaryPassword.clear();
    }
}

std::function<void()> TMainScreen::reporting(void (TMainScreen::*handler)())
{
    return [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); };
}

EntryStore& TMainScreen::openStore()
{
    if (!tableOpen_)
        throw std::runtime_error(
            QStringLiteral("The diary is not open: %1").arg(openFailureText()).toStdString());
    return *store_;
}

QString TMainScreen::openFailureText() const
{
    const QString reason = store_->lastError();
    return reason.isEmpty() ? QStringLiteral("The diary table could not be opened.") : reason;
}

QPrinter& TMainScreen::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TMainScreen::SetDateCaption()
{
    DateLabel->setText(LongDateText(DiaryDate));
}

void TMainScreen::FindDateRecord()
{
    try {
        EntryFound = openStore().FindDateRecord(DiaryDate);
    } catch (...) {
        markEntryUnread();
        throw;
    }
    SetDateCaption();
}

void TMainScreen::markEntryUnread()
{
    entryUnread_ = true;
    WPRichText1->clear();
    WPRichText1->invalidate();
    SetDateCaption();
}

void TMainScreen::LoadRichText()
{
    QByteArray rtf;
    if (EntryFound) {
        try {
            rtf = openStore().LoadRichText();
        } catch (...) {
            markEntryUnread();
            throw;
        }
    }
    entryUnread_ = false;
    WPRichText1->clear();
    if (!rtf.isEmpty())
        WPRichText1->loadRtf(rtf);
    WPRichText1->invalidate();
}

void TMainScreen::SaveRichText()
{
    const bool documentIsEmpty = WPRichText1->isEmpty();
    if (entryUnread_)
        throw std::runtime_error(QStringLiteral("The entry of %1 could not be read, so it is not written over. "
                                                "Copy your text elsewhere, then empty the page to move on.")
                                     .arg(LongDateText(DiaryDate))
                                     .toStdString());
    openStore().SaveRichText(documentIsEmpty ? QByteArray() : WPRichText1->rtf(), documentIsEmpty);
    EntryFound = !documentIsEmpty;
}

void TMainScreen::showChangedButtons(bool shown)
{
    SaveButton->setVisible(shown);
    CancelButton->setVisible(shown);
}

void TMainScreen::WPRichText1Change()
{
    showChangedButtons(true);
}

void TMainScreen::SaveButtonClick()
{
    // An empty page over an entry that could not be read is left alone, so
    // that the user can move on and the entry stays as it is.
    if (!(entryUnread_ && WPRichText1->isEmpty())) {
        SaveRichText();
        LoadRichText();
    }
    showChangedButtons(false);
}

void TMainScreen::CancelButtonClick()
{
    LoadRichText();
    showChangedButtons(false);
}

void TMainScreen::moveTo(const QDate& date)
{
    DiaryDate = date;
    FindDateRecord();
    LoadRichText();
}

void TMainScreen::stepTo(const QDate& date)
{
    // Behind the password panel only the date moves: nothing is read or
    // written before the password is given.
    if (DiaryHidden()) {
        DiaryDate = date;
        SetDateCaption();
        return;
    }
    SaveButtonClick();
    moveTo(date);
}

void TMainScreen::NextButtonClick()
{
    stepTo(DiaryDate.addDays(1));
}

void TMainScreen::PriorButtonClick()
{
    stepTo(DiaryDate.addDays(-1));
}

void TMainScreen::ShapeButPop1Click()
{
    SaveButtonClick();
    moveTo(openStore().LastEntryDate());
}

void TMainScreen::ShapeButPop2Click()
{
    SaveButtonClick();
    moveTo(openStore().FirstEntryDate());
}

void TMainScreen::WPRichText1KeyDown(QKeyEvent* event)
{
    // The editor does not report what pasting and deleting a word change.
    if ((event->key() == Qt::Key_V || event->key() == Qt::Key_Delete) && onlyCtrlHeld(event))
        WPRichText1->notifyChanged();
}

void TMainScreen::FormKeyDown(QKeyEvent* event)
{
    if (!onlyCtrlHeld(event))
        return;
    if (event->key() == Qt::Key_PageDown)
        NextButtonClick();
    else if (event->key() == Qt::Key_PageUp)
        PriorButtonClick();
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RingPanel1 && event->type() == QEvent::Resize) {
        FormResize();
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (target->window() != this)
        return false;
    // An ignored key travels up to the parents; the window sees it only once,
    // before the control it was meant for.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool travelling = key == previewedKey_ && previewedKeyReceiver_
        && target == previewedKeyReceiver_->parentWidget();
    previewedKey_ = key;
    previewedKeyReceiver_ = target;
    if (!travelling)
        RunReportingErrors([this, key] { FormKeyDown(key); }); // Not consumed: the control gets the key as well.
    return false;
}

void TMainScreen::FormResize()
{
    FitMaximisedWindow(this);
    const int left = RingPanel1->LeftEdge + 15;
    const int width = RingPanel1->width() - left - (RingPanel1->RightEdge + 5);
    DateLabel->setGeometry(left, 8, width, DateLabel->sizeHint().height());
    TopLine->setGeometry(left, 28, width, LineHeight);
    BottomLine->setGeometry(left, RingPanel1->height() - 20, width, LineHeight);
    const int editorTop = 35;
    WPRichText1->setGeometry(left, editorTop, width, RingPanel1->height() - editorTop - 22);
    PrivacyPanel->setGeometry(RingPanel1->rect());
    WPRichText1->cursorToStart();
    WPRichText1->invalidate();
}

void TMainScreen::FormActivate()
{
    if (DiaryHidden())
        PrivacyPanel->Pass->setFocus(Qt::ActiveWindowFocusReason);
}

void TMainScreen::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainScreen::closeEvent(QCloseEvent* event)
{
    if (AskConfirm(QStringLiteral("Exit program?")))
        event->accept();
    else
        event->ignore();
}

void TMainScreen::exit1Click()
{
    close();
}

void TMainScreen::TransTextButton1Click()
{
    close();
}

void TMainScreen::HideButtonClick()
{
    showMinimized();
}

bool TMainScreen::DiaryHidden() const
{
    return !PrivacyPanel->isHidden();
}

void TMainScreen::HideAllThings(bool hide)
{
    PrivacyPanel->setGeometry(RingPanel1->rect());
    PrivacyPanel->raise();
    PrivacyPanel->setVisible(hide);
    ActionPanel->setVisible(!hide);
    ToolbarPanel->setVisible(!hide);
    if (hide)
        menuLock_->lock();
    else
        menuLock_->unlock();
    // The covered page takes no keys, so that nothing typed lands in it unseen.
    WPRichText1->setFocusPolicy(hide ? Qt::NoFocus : editorFocusPolicy_);
    if (hide && WPRichText1->hasFocus())
        PrivacyPanel->Pass->setFocus();
    FormResize();
}

bool TMainScreen::opensDiary(const QString& typed) const
{
    // An encrypted table knows its own password, also when DV.INI was lost
    // or holds another one; letter case and spaces count either way.
    PasswordProtection* protection = tableProtection();
    if (protection && protection->isEncrypted())
        return protection->checkPassword(typed);
    return typed == DiaryPassword;
}

void TMainScreen::uncoverDiary(const QString& password)
{
    const bool storedPasswordLost = password != DiaryPassword;
    DiaryPassword = password;
    if (PasswordProtection* protection = tableProtection())
        protection->setPassword(DiaryPassword);
    HideAllThings(false);
    WPRichText1->setFocus();
    if (storedPasswordLost)
        RunReportingErrors([this] { preferences_.SavePreferences(DiaryPassword); });
    if (PasswordProtection* protection = tableProtection(); protection && !protection->isEncrypted())
        RunReportingErrors([this, protection] { finishInterruptedEncryption(*protection); });
    if (tableOpen_) {
        FindDateRecord();
        LoadRichText();
    }
}

// DV.INI takes a new password before the table is encrypted with it, so a
// change cut short (a crash, a power cut) can leave the entries plain under a
// stored password. The owner has just given that password: the encryption is
// done now, as it was meant to be.
void TMainScreen::finishInterruptedEncryption(PasswordProtection& protection)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    protection.closeIndexes();
    try {
        protection.Encryption().encryptAll([](int) {});
    } catch (...) {
        protection.reopenIndexes();
        QApplication::restoreOverrideCursor();
        throw;
    }
    protection.reopenIndexes();
    QApplication::restoreOverrideCursor();
}

PasswordProtection* TMainScreen::tableProtection() const
{
    return tableOpen_ ? store_->passwordProtection() : nullptr;
}

PasswordProtection& TMainScreen::openProtection()
{
    PasswordProtection* protection = openStore().passwordProtection();
    if (!protection)
        throw std::runtime_error("This diary cannot be kept under a password.");
    return *protection;
}

void TMainScreen::mnuSecurityClick()
{
    PasswordProtection& protection = openProtection();
    protection.closeIndexes();
    try {
        TGetPassword dialog(DiaryPassword, preferences_, protection.Encryption(), windowMessages(), this);
        CenterOverMainScreen(&dialog);
        dialog.exec();
    } catch (...) {
        protection.reopenIndexes();
        throw;
    }
    protection.reopenIndexes();
    // The dialog walked the table in record order: the current date's record
    // is looked up again so that the next save edits it. Typing not saved
    // before the dialog is given up, as the page is reloaded.
    FindDateRecord();
    LoadRichText();
    showChangedButtons(false);
}

void TMainScreen::mnuWrapTexttofitScreenClick()
{
    WPRichText1->setWordWrap(mnuWrapTexttofitScreen->isChecked());
    WPRichText1->invalidate();
}

void TMainScreen::PrintSetup1Click()
{
    QPrintDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    dialog.exec();
}

void TMainScreen::Contents1Click()
{
    ShowHelpTopic(helpFile_, HelpFile::ContentsContext);
}

void TMainScreen::About1Click()
{
    TSplashform about;
    about.OKbutton->show();
    about.exec();
}

} // namespace dayvell
