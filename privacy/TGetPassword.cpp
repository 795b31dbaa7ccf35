#include "privacy/TGetPassword.h"

#include "privacy/ButtonGlyphs.h"
#include "privacy/PasswordPreferences.h"
#include "privacy/TableEncryption.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <exception>
#include <utility>

namespace dayvell {
namespace {

constexpr int kMaxPasswordLength = 8;

bool isPasswordCharacter(QChar character)
{
    const char16_t code = character.unicode();
    return (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z')
           || (code >= u'0' && code <= u'9') || code == u' ';
}

bool hasOnlyPasswordCharacters(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), isPasswordCharacter);
}

QLabel* makeLabel(const QString& caption, QWidget* parent, const QRect& place, const char* name)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QLineEdit* makePasswordBox(QWidget* parent, const QRect& place, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    box->setMaxLength(kMaxPasswordLength);
    return box;
}

QPushButton* makeButton(const QString& caption, const QIcon& glyph, QWidget* parent,
                        const QRect& place, const char* name)
{
    auto* button = new QPushButton(glyph, caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

}  // namespace

TGetPassword::TGetPassword(QString& diaryPassword, const PasswordPreferences& preferences,
                           TableEncryption& table, UserMessages messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      DiaryPassword(diaryPassword),
      preferences_(preferences),
      table_(table),
      messages_(std::move(messages))
{
    buildComponents();
    FormCreate();
}

void TGetPassword::buildComponents()
{
    setObjectName(QStringLiteral("GetPassword"));
    setWindowTitle(QStringLiteral("Set Up Password"));
    setFixedSize(366, 239);
    setFont(QFont(QStringLiteral("Arial"), 8));

    // Seen only while PassPanel is hidden, during processing.
    Label5 = makeLabel(QStringLiteral("Processing new password:"), this, QRect(24, 56, 318, 20),
                       "Label5");
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(24, 80, 318, 24);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->hide();

    PassPanel = new QFrame(this);
    PassPanel->setObjectName(QStringLiteral("PassPanel"));
    PassPanel->setGeometry(8, 8, 350, 162);
    PassPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PassPanel->setAutoFillBackground(true);

    Label1 = makeLabel(QStringLiteral("Old Password"), PassPanel, QRect(16, 28, 90, 20), "Label1");
    Label2 = makeLabel(QStringLiteral("(none)"), PassPanel, QRect(116, 26, 120, 24), "Label2");
    OldPassword = makePasswordBox(PassPanel, QRect(116, 26, 120, 24), "OldPassword");
    OldPassword->setEchoMode(QLineEdit::Password);
    Label1->setBuddy(OldPassword);

    Label3 = makeLabel(QStringLiteral("New Password"), PassPanel, QRect(16, 82, 90, 20), "Label3");
    NewPassword = makePasswordBox(PassPanel, QRect(116, 80, 120, 24), "NewPassword");
    NewPassword->installEventFilter(this);
    connect(NewPassword, &QLineEdit::textEdited, this, [this] { newPasswordJustRejected_ = false; });
    Label3->setBuddy(NewPassword);
    Label4 = makeLabel(QStringLiteral("(maximum 8 chars - A-Z, 0-9 and spaces)"), PassPanel,
                       QRect(116, 108, 226, 20), "Label4");

    OkButton = makeButton(QStringLiteral("OK"), checkGlyph(), this, QRect(8, 190, 92, 34),
                          "OkButton");
    OkButton->setDefault(true);
    CancelButton = makeButton(QStringLiteral("Cancel"), crossGlyph(), this,
                              QRect(108, 190, 92, 34), "CancelButton");
    ClearButton = makeButton(QStringLiteral("Clear (no password)"), unlockGlyph(), this,
                             QRect(208, 190, 150, 34), "ClearButton");

    setTabOrder(OkButton, CancelButton);
    setTabOrder(CancelButton, ClearButton);
    setTabOrder(ClearButton, OldPassword);
    setTabOrder(OldPassword, NewPassword);

    connect(OkButton, &QPushButton::clicked, this, &TGetPassword::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TGetPassword::reject);
    connect(ClearButton, &QPushButton::clicked, this, &TGetPassword::ClearButtonClick);
}

void TGetPassword::FormCreate()
{
    DiaryPassword = preferences_.LoadPreferences();
    OldPassword->setHidden(DiaryPassword.isEmpty());
    // The user starts typing in the first box that is there, not on a button.
    if (DiaryPassword.isEmpty())
        NewPassword->setFocus();
    else
        OldPassword->setFocus();
}

bool TGetPassword::checkoldpassword() const
{
    return OldPassword->isHidden() || OldPassword->text() == DiaryPassword;
}

void TGetPassword::reportWrongOldPassword()
{
    messages_.showInformation(OldPassword->text().isEmpty()
                                  ? QStringLiteral("Previous password is required")
                                  : QStringLiteral("Previous password is incorrect"));
}

void TGetPassword::rejectNewPassword()
{
    messages_.beep();
    messages_.showInformation(QStringLiteral("Valid password characters are A-Z, 0-9 and spaces"));
    NewPassword->clear();
    NewPassword->setFocus();
    newPasswordJustRejected_ = true;
}

void TGetPassword::NewPasswordExit()
{
    if (processing_ || hasOnlyPasswordCharacters(NewPassword->text()))
        return;
    rejectNewPassword();
}

bool TGetPassword::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the box for another control of this dialog, not the dialog
    // losing activation to another window (such as a message box).
    if (watched == NewPassword && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            NewPasswordExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TGetPassword::OkButtonClick()
{
    // A click on OK leaves the box first, so a bad password has just been
    // emptied; that click must not go on to clear the password.
    if (std::exchange(newPasswordJustRejected_, false) && NewPassword->text().isEmpty())
        return;
    if (NewPassword->text().isEmpty()) {
        ClearButtonClick();
        return;
    }
    // Enter presses OK without the box being left, so the characters are checked here too.
    if (!hasOnlyPasswordCharacters(NewPassword->text())) {
        rejectNewPassword();
        return;
    }
    const QString oldPassword = DiaryPassword;
    if (!checkoldpassword()) {
        reportWrongOldPassword();
        return;
    }
    if (!storePassword(NewPassword->text(), oldPassword))
        return;
    if (oldPassword != DiaryPassword && !processTable(oldPassword, DiaryPassword))
        return;
    accept();
}

void TGetPassword::ClearButtonClick()
{
    if (!checkoldpassword()) {
        reportWrongOldPassword();
        return;
    }
    const QString oldPassword = DiaryPassword;
    if (!storePassword(QString(), oldPassword))
        return;
    if (!processTable(oldPassword, DiaryPassword))
        return;
    accept();
}

// False when DV.INI could not be written; nothing is changed then.
bool TGetPassword::storePassword(const QString& newPassword, const QString& oldPassword)
{
    try {
        preferences_.SavePreferences(newPassword);
        DiaryPassword = preferences_.LoadPreferences();
        return true;
    } catch (const std::exception& error) {
        DiaryPassword = oldPassword;
        messages_.showInformation(QString::fromLocal8Bit(error.what()));
        return false;
    }
}

// False when the table could not be processed. The old password is then put
// back in DV.INI and handed to the table again, so the diary still opens
// with the password its owner knows, and the dialog stays open.
bool TGetPassword::processTable(const QString& oldPassword, const QString& newPassword)
{
    try {
        ProcessPassword(oldPassword, newPassword);
        return true;
    } catch (const std::exception& error) {
        QString report = QStringLiteral("The diary could not be re-encrypted: %1")
                             .arg(QString::fromLocal8Bit(error.what()));
        try {
            preferences_.SavePreferences(oldPassword);
            DiaryPassword = preferences_.LoadPreferences();
            table_.setPassword(DiaryPassword);
            table_.refresh();
            report += QStringLiteral("\nThe password was not changed.");
        } catch (const std::exception& restoreError) {
            report += QStringLiteral("\nThe previous password could not be restored: %1")
                          .arg(QString::fromLocal8Bit(restoreError.what()));
        }
        Gauge1->hide();
        PassPanel->show();
        setProcessing(false);
        messages_.showInformation(report);
        return false;
    }
}

void TGetPassword::setProcessing(bool processing)
{
    processing_ = processing;
    for (QPushButton* button : {OkButton, CancelButton, ClearButton})
        button->setEnabled(!processing);
}

void TGetPassword::showProgress(int percent)
{
    Gauge1->setValue(std::clamp(percent, 0, 100));
    QCoreApplication::processEvents();
}

void TGetPassword::ProcessPassword(const QString& oldPassword, const QString& newPassword)
{
    setProcessing(true);
    PassPanel->hide();
    if (newPassword == oldPassword)
        return;

    Gauge1->setValue(0);
    Gauge1->show();
    const TableEncryption::Progress progress = [this](int percent) { showProgress(percent); };
    if (!oldPassword.isEmpty()) {
        table_.setPassword(oldPassword);
        table_.refresh();
        table_.decryptAll(progress);
    }
    table_.refresh();
    if (!newPassword.isEmpty()) {
        table_.setPassword(newPassword);
        table_.refresh();
        table_.encryptAll(progress);
    }
    table_.refresh();
    QCoreApplication::processEvents();
    Gauge1->hide();

    if (!newPassword.isEmpty())
        messages_.showInformation(QStringLiteral("Be sure to write down your new password: ")
                                  + newPassword);
    else
        messages_.showInformation(QStringLiteral("Password cleared. No password now required."));
}

void TGetPassword::reject()
{
    // While the table is processed the dialog cannot be left, not even by Esc.
    if (processing_)
        return;
    QDialog::reject();
}

}  // namespace dayvell
