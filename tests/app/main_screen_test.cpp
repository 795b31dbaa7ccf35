#include "MemoryEntryStore.h"

#include "app/AppFolder.h"
#include "app/BevelPanel.h"
#include "app/DateTexts.h"
#include "app/HelpWindow.h"
#include "RecordedMessages.h"
#include "app/MessageBoxes.h"
#include "app/PictureButton.h"
#include "app/StoredEntries.h"
#include "app/TLineShape.h"
#include "app/TMainScreen.h"
#include "app/TRingPanel.h"
#include "app/TSplashform.h"
#include "app/TextButton.h"
#include "app/WindowPlacement.h"
#include "print/RichTextEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPrinter>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dayvell;

namespace {

// Runs against entries kept in memory and against the diary table itself.
enum class Storage { Memory, Table };

class MainScreenTest : public ::testing::TestWithParam<Storage>, protected dayvell::testing::RecordedMessages
{
protected:
    std::map<QDate, QByteArray> entries;
    QTemporaryDir programFolder;
    std::unique_ptr<TMainScreen> window;

    void open(bool opens = true)
    {
        std::unique_ptr<EntryStore> store;
        if (GetParam() == Storage::Memory) {
            auto memory = std::make_unique<MemoryEntryStore>(entries);
            memory->opens = opens;
            store = std::move(memory);
        } else {
            store = std::make_unique<StoredEntries>(opens ? programFolder.path() : programFolder.filePath("missing/folder"));
        }
        window = std::make_unique<TMainScreen>(std::move(store), programFolder.path());
        window->show();
        QApplication::processEvents();
    }

    void reopen()
    {
        exitAnswer = MessageResultYes;
        window.reset();
        exitAnswer = MessageResultNo;
        open();
    }

    void goTo(const QDate& date)
    {
        window->DiaryDate = date;
        window->FindDateRecord();
        window->LoadRichText();
    }

    // Whether the table holds an entry for the date; the window's own lookup
    // is repeated afterwards, so that its next save goes where it should.
    bool stored(const QDate& date)
    {
        const bool found = window->Store()->FindDateRecord(date);
        window->FindDateRecord();
        return found;
    }

    QString pageText() const { return window->WPRichText1->toPlainText(); }
    bool changedButtonsShown() const
    {
        EXPECT_EQ(window->SaveButton->isVisible(), window->CancelButton->isVisible());
        return window->SaveButton->isVisible();
    }

    void type(const QString& text)
    {
        window->WPRichText1->setFocus();
        QTest::keyClicks(window->WPRichText1, text);
    }

    void storeEntry(const QDate& date, const QString& text)
    {
        goTo(date);
        type(text);
        window->SaveButtonClick();
    }

    void TearDown() override
    {
        exitAnswer = MessageResultYes;
        window.reset();
    }
};

std::string storageName(const ::testing::TestParamInfo<Storage>& info)
{
    return info.param == Storage::Memory ? "Memory" : "Table";
}

} // namespace

TEST(MainScreenPlacementTest, StartsAtTheCornerOfA640By480ScreenElseCentred)
{
    const struct {
        QSize screen;
        QPoint expected;
    } cases[] = {
        { { 640, 480 }, { 0, 0 } },
        { { 800, 600 }, { 95, 75 } },
        { { 1024, 768 }, { 207, 159 } },
        { { 641, 480 }, { 15, 15 } },
        { { 600, 400 }, { -5, -25 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(InitialPlacement(c.screen, { 610, 450 }), c.expected) << c.screen.width();
}

TEST_P(MainScreenTest, OpensOnTodayAtItsDesignSize)
{
    const QDate today = QDate::currentDate();
    open();
    storeEntry(today, "Today's words");
    goTo(today.addDays(-3));
    reopen();
    EXPECT_EQ(window->windowTitle(), "Dayvell");
    EXPECT_EQ(window->size(), QSize(610, 450));
    EXPECT_EQ(window->DiaryDate, today);
    EXPECT_TRUE(window->EntryFound);
    EXPECT_EQ(pageText(), "Today's words");
    EXPECT_EQ(window->DateLabel->text(), QLocale().toString(today, QLocale::LongFormat));
    EXPECT_FALSE(changedButtonsShown());
    EXPECT_EQ(MainScreen(), window.get());
    EXPECT_EQ(window->HelpFilePath(), AppFolder() + "DAYVELL.HLP");
}

TEST_P(MainScreenTest, MenusCarryTheirCaptionsNamesAndShortcuts)
{
    open();
    QStringList seen;
    for (QAction* top : window->menuBar()->actions()) {
        seen << top->menu()->objectName() + "=" + top->text();
        for (QAction* item : top->menu()->actions()) {
            QString line = "  " + item->objectName() + "=" + (item->isSeparator() ? "-" : item->text());
            if (!item->shortcut().isEmpty())
                line += " [" + item->shortcut().toString() + "]";
            seen << line;
            if (item->menu())
                for (QAction* sub : item->menu()->actions())
                    seen << "    " + sub->objectName() + "=" + sub->text();
        }
    }
    const QStringList expected = {
        "mnuFile=File",
        "  mnuSecurity=Select or Change Password",
        "  N2=-",
        "  RebuildIndexes1=Rebuild Indexes (do this often!)",
        "  N1=-",
        "  PrintSetup1=Print Setup",
        "  =Print",
        "    PrintcurrentEntryOnly=Print Current Entry Only",
        "    PrintCurrentEntryForwardMerged=Print From Current Entry Forward - Merged",
        "    PrintCurrentEntryForwardSeperatePages=Print From Current Entry Forward - Separate Pages",
        "  N6=-",
        "  exit1=E&xit",
        "mnuEdit=Edit",
        "  mnuFind=&Find [Ctrl+F]",
        "  Replace1=&Replace [Ctrl+R]",
        "  N3=-",
        "  SpellCheck1=&Spell Check [Ctrl+S]",
        "  EnterDate1=Insert Today's &Date  [Ctrl+D]",
        "  N4=-",
        "  mnuWrapTexttofitScreen=&Wrap Text to fit Screen",
        "mnuUtilities=Utilities",
        "  mnuFindentrycontaining=Find entry containing... [Ctrl+F4]",
        "  mnuFindNextBig=Find Next Entry [Ctrl+F5]",
        "Help1=Help",
        "  Contents1=Contents",
        "  N5=-",
        "  About1=About",
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(window->Print1->objectName(), "Print1");
    EXPECT_FALSE(window->mnuFindNextBig->isEnabled());
    EXPECT_TRUE(window->mnuWrapTexttofitScreen->isChecked());
}

TEST_P(MainScreenTest, ButtonBarHoldsItsButtonsAtTheirPlaces)
{
    open();
    const QPoint origin = window->ActionPanel->contentsRect().topLeft();
    const struct {
        QWidget* button;
        QRect place;
    } cases[] = {
        { window->SaveButton, { 15, 4, 60, 22 } },      { window->CancelButton, { 84, 4, 89, 22 } },
        { window->ShapeButPop2, { 224, 4, 30, 28 } },   { window->PriorButton, { 267, 4, 20, 29 } },
        { window->PSpeedButton1, { 294, 4, 24, 27 } },  { window->NextButton, { 325, 4, 20, 28 } },
        { window->ShapeButPop1, { 359, 4, 30, 28 } },   { window->HideButton, { 453, 4, 69, 22 } },
        { window->TransTextButton1, { 527, 4, 56, 22 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.button->geometry(), c.place.translated(origin)) << c.button->objectName().toStdString();
    EXPECT_EQ(window->SaveButton->text(), "&Save");
    EXPECT_EQ(window->SaveButton->color(), QColor(0, 128, 0));
    EXPECT_EQ(window->CancelButton->color(), QColor(255, 0, 0));
    EXPECT_EQ(window->HideButton->text(), "&Hide!");
    EXPECT_EQ(window->TransTextButton1->text(), "E&xit");
    EXPECT_EQ(window->SaveButton->font().pointSize(), 14);
    EXPECT_TRUE(window->SaveButton->font().bold());
    EXPECT_EQ(window->ActionPanel->height(), 41);
    EXPECT_EQ(window->ToolbarPanel->height(), 34);
}

TEST_P(MainScreenTest, LayoutFollowsTheRingPanelEdges)
{
    open();
    for (const QSize size : { QSize(610, 450), QSize(800, 600), QSize(500, 300) }) {
        window->resize(size);
        QApplication::processEvents();
        const int panelWidth = window->RingPanel1->width();
        const int panelHeight = window->RingPanel1->height();
        SCOPED_TRACE(size.width());
        EXPECT_EQ(window->RingPanel1->LeftEdge, 31);
        EXPECT_EQ(window->RingPanel1->RightEdge, 15);
        const QRect label = window->DateLabel->geometry();
        EXPECT_EQ(label.left(), 46);
        EXPECT_EQ(label.top(), 8);
        EXPECT_EQ(label.width(), panelWidth - 46 - 20);
        EXPECT_EQ(window->TopLine->geometry(), QRect(46, 28, label.width(), 8));
        EXPECT_EQ(window->BottomLine->geometry(), QRect(46, panelHeight - 20, label.width(), 8));
        EXPECT_EQ(window->WPRichText1->geometry(), QRect(46, 35, label.width(), panelHeight - 35 - 22));
    }
}

TEST_P(MainScreenTest, ResizingPutsTheCursorAtTheStart)
{
    open();
    type("Some words");
    ASSERT_EQ(window->WPRichText1->textCursor().position(), 10);
    window->resize(700, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->WPRichText1->textCursor().position(), 0);
}

TEST_P(MainScreenTest, DayStepsFollowTheCalendar)
{
    const struct {
        QDate from;
        bool forward;
        QDate to;
    } cases[] = {
        { { 1999, 12, 31 }, true, { 2000, 1, 1 } },
        { { 2000, 2, 28 }, true, { 2000, 2, 29 } },
        { { 2000, 2, 29 }, true, { 2000, 3, 1 } },
        { { 2001, 3, 1 }, false, { 2001, 2, 28 } },
        { { 2000, 1, 1 }, false, { 1999, 12, 31 } },
    };
    open();
    for (const auto& c : cases) {
        goTo(c.from);
        c.forward ? window->NextButtonClick() : window->PriorButtonClick();
        EXPECT_EQ(window->DiaryDate, c.to) << c.from.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(window->DateLabel->text(), QLocale().toString(c.to, QLocale::LongFormat));
    }
}

TEST_P(MainScreenTest, TypingThenNextStoresTheEntryAndPriorShowsIt)
{
    open();
    goTo({ 2003, 6, 10 });
    type("Rain all day");
    EXPECT_TRUE(changedButtonsShown());
    window->NextButtonClick();
    EXPECT_FALSE(changedButtonsShown());
    EXPECT_EQ(window->DiaryDate, QDate(2003, 6, 11));
    EXPECT_EQ(pageText(), "");
    EXPECT_TRUE(stored(QDate(2003, 6, 10)));
    window->PriorButtonClick();
    EXPECT_EQ(pageText(), "Rain all day");
    EXPECT_TRUE(window->EntryFound);
}

TEST_P(MainScreenTest, DeletingAllTextThenMovingDeletesTheEntry)
{
    open();
    storeEntry({ 2003, 6, 10 }, "Short lived");
    window->WPRichText1->selectAll();
    QTest::keyClick(window->WPRichText1, Qt::Key_Delete);
    EXPECT_TRUE(changedButtonsShown());
    window->PriorButtonClick();
    EXPECT_FALSE(stored(QDate(2003, 6, 10)));
    window->NextButtonClick();
    EXPECT_EQ(pageText(), "");
    EXPECT_FALSE(window->EntryFound);
}

TEST_P(MainScreenTest, CancelRestoresTheStoredTextOrAnEmptyPage)
{
    open();
    storeEntry({ 2003, 6, 10 }, "Kept");
    type(" and more");
    window->CancelButtonClick();
    EXPECT_EQ(pageText(), "Kept");
    EXPECT_FALSE(changedButtonsShown());

    goTo({ 2003, 6, 12 });
    type("Never stored");
    window->CancelButtonClick();
    EXPECT_EQ(pageText(), "");
    EXPECT_FALSE(stored(QDate(2003, 6, 12)));
}

TEST_P(MainScreenTest, SaveStoresAndShowsTheStoredText)
{
    open();
    goTo({ 2003, 6, 10 });
    type("Saved words");
    window->SaveButton->click();
    EXPECT_FALSE(changedButtonsShown());
    EXPECT_TRUE(window->EntryFound);
    EXPECT_EQ(pageText(), "Saved words");
    EXPECT_TRUE(stored(QDate(2003, 6, 10)));
    reopen();
    goTo({ 2003, 6, 10 });
    EXPECT_EQ(pageText(), "Saved words");
}

TEST_P(MainScreenTest, FirstAndLastGoToTheEdgesOfTheDiaryOrToday)
{
    open();
    goTo({ 2010, 1, 1 });
    window->ShapeButPop1Click();
    EXPECT_EQ(window->DiaryDate, QDate::currentDate());
    goTo({ 2010, 1, 1 });
    window->ShapeButPop2Click();
    EXPECT_EQ(window->DiaryDate, QDate::currentDate());

    storeEntry({ 1997, 5, 3 }, "May");
    storeEntry({ 1997, 7, 9 }, "July");
    goTo({ 2020, 2, 2 });
    window->ShapeButPop1Click();
    EXPECT_EQ(window->DiaryDate, QDate(1997, 7, 9));
    EXPECT_EQ(pageText(), "July");
    window->ShapeButPop2Click();
    EXPECT_EQ(window->DiaryDate, QDate(1997, 5, 3));
    EXPECT_EQ(pageText(), "May");
}

TEST_P(MainScreenTest, OnlyCtrlWithPageKeysMovesTheDateAndTheEditorStillGetsTheKey)
{
    open();
    int keysSeenByEditor = 0;
    QObject::connect(window->WPRichText1, &editor::RichTextEditor::keyPressed, [&] { ++keysSeenByEditor; });
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int days;
    } cases[] = {
        { Qt::Key_PageDown, Qt::ControlModifier, 1 },
        { Qt::Key_PageUp, Qt::ControlModifier, -1 },
        { Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 0 },
        { Qt::Key_PageDown, Qt::ControlModifier | Qt::AltModifier, 0 },
        { Qt::Key_PageDown, Qt::NoModifier, 0 },
        { Qt::Key_PageUp, Qt::ShiftModifier, 0 },
    };
    for (const auto& c : cases) {
        goTo({ 2005, 5, 5 });
        keysSeenByEditor = 0;
        window->WPRichText1->setFocus();
        QTest::keyClick(window->WPRichText1, c.key, c.modifiers);
        EXPECT_EQ(window->DiaryDate, QDate(2005, 5, 5).addDays(c.days)) << int(c.modifiers);
        EXPECT_EQ(keysSeenByEditor, 1 + (c.modifiers & Qt::ControlModifier ? 1 : 0)
                      + (c.modifiers & Qt::ShiftModifier ? 1 : 0) + (c.modifiers & Qt::AltModifier ? 1 : 0))
            << "the key and its modifier keys reach the editor";
    }
}

TEST_P(MainScreenTest, CtrlVAndCtrlDeleteShowTheChangedButtons)
{
    open();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool shows;
    } cases[] = {
        { Qt::Key_V, Qt::ControlModifier, true },
        { Qt::Key_Delete, Qt::ControlModifier, true },
        { Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, false },
        { Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier, false },
    };
    for (const auto& c : cases) {
        window->CancelButtonClick();
        QApplication::clipboard()->clear();
        ASSERT_FALSE(changedButtonsShown());
        QTest::keyClick(window->WPRichText1, c.key, c.modifiers);
        EXPECT_EQ(changedButtonsShown(), c.shows) << c.key << " " << int(c.modifiers);
    }
}

TEST_P(MainScreenTest, ClosingAsksAndNoKeepsEverything)
{
    open();
    goTo({ 2005, 5, 5 });
    type("Unsaved");
    exitAnswer = MessageResultNo;
    window->exit1->trigger();
    window->TransTextButton1->click();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions, QStringList({ "Exit program?", "Exit program?", "Exit program?" }));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(pageText(), "Unsaved");
    EXPECT_TRUE(changedButtonsShown());

    exitAnswer = MessageResultYes;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    reopen();
    EXPECT_FALSE(stored(QDate(2005, 5, 5))) << "unsaved changes are not stored on exit";
}

TEST_P(MainScreenTest, CtrlSIsNotASave)
{
    open();
    goTo({ 2005, 5, 5 });
    type("Typed");
    QTest::keyClick(window->WPRichText1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(changedButtonsShown());
    EXPECT_FALSE(stored(QDate(2005, 5, 5)));
}

TEST_P(MainScreenTest, HideOnlyMinimizes)
{
    open();
    goTo({ 2005, 5, 5 });
    type("Typed");
    window->HideButton->click();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(pageText(), "Typed");
    EXPECT_TRUE(changedButtonsShown());
}

TEST_P(MainScreenTest, WordWrapToggleFollowsItsCheckMark)
{
    open();
    window->mnuWrapTexttofitScreen->trigger();
    EXPECT_FALSE(window->mnuWrapTexttofitScreen->isChecked());
    EXPECT_FALSE(window->WPRichText1->wordWrap());
    window->mnuWrapTexttofitScreen->trigger();
    EXPECT_TRUE(window->mnuWrapTexttofitScreen->isChecked());
    EXPECT_TRUE(window->WPRichText1->wordWrap());
}

TEST_P(MainScreenTest, AboutShowsTheSplashWithItsOkButtonAndLeavesTheDiaryAlone)
{
    open();
    goTo({ 2005, 5, 5 });
    type("Typed");
    bool okShown = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<TSplashform*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        okShown = about->OKbutton->isVisible();
        about->OKbutton->click();
    });
    window->About1->trigger();
    EXPECT_TRUE(okShown);
    EXPECT_EQ(pageText(), "Typed");
    EXPECT_TRUE(changedButtonsShown());
    EXPECT_FALSE(stored(QDate(2005, 5, 5)));
}

TEST_P(MainScreenTest, UnopenedDiaryOffersToExitAndOnNoSaysWhyAndStaysUsable)
{
    exitAnswer = MessageResultNo;
    open(false);
    QApplication::processEvents();
    EXPECT_EQ(questions, QStringList{ "Exit program?" });
    ASSERT_EQ(informations.size(), 1);
    EXPECT_FALSE(informations[0].isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Store(), nullptr);
    EXPECT_EQ(window->DiaryDate, QDate::currentDate());
    try {
        window->NextButtonClick();
        FAIL() << "moving without a diary must fail";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(informations[0].toStdString()), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, MainScreenTest, ::testing::Values(Storage::Memory, Storage::Table), storageName);

TEST(MainScreenStartTest, ADamagedEntryOfTodayIsReportedAndThePageOpensEmpty)
{
    std::map<QDate, QByteArray> entries{ { QDate::currentDate(), "{\\rtf1 lost?}" } };
    auto store = std::make_unique<MemoryEntryStore>(entries);
    store->unreadable = QDate::currentDate();
    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int) {
        shown << caption + "|" + text;
        return int(MessageResultYes);
    });
    TMainScreen window(std::move(store));
    EXPECT_EQ(shown, QStringList{ "Dayvell|The memo of record 1 in /x/DAYVELL.FPT lies beyond the end of the file" });
    EXPECT_EQ(window.WPRichText1->toPlainText(), "");
    EXPECT_EQ(window.DateLabel->text(), LongDateText(QDate::currentDate()));
    EXPECT_EQ(entries.size(), 1u) << "nothing is written over the damaged entry";
}

TEST(MainScreenCommandsTest, HelpContentsOpensTheHelpFileOfTheProgramFolder)
{
    QTemporaryDir folder;
    AppFolderOverride programFolder(folder.path());
    std::map<QDate, QByteArray> entries;
    ScopedMessageResponder yes([](const QString&, const QString&, int) { return int(MessageResultYes); });
    TMainScreen window(std::make_unique<MemoryEntryStore>(entries));
    EXPECT_THROW(window.Contents1Click(), std::runtime_error) << "no help file yet";

    ASSERT_TRUE(QFile::copy(QStringLiteral(DAYVELL_SOURCE_DIR "/resources/DAYVELL.HLP"), folder.filePath("DAYVELL.HLP")));
    window.Contents1->trigger();
    auto* help = qobject_cast<HelpWindow*>(QApplication::activeWindow());
    if (!help)
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<HelpWindow*>(widget); candidate && candidate->isVisible())
                help = candidate;
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentContext(), 1009);
    help->close();
}

TEST(MainScreenCommandsTest, PrintSetupKeepsOnePrinterForTheRun)
{
    std::map<QDate, QByteArray> entries;
    ScopedMessageResponder yes([](const QString&, const QString&, int) { return int(MessageResultYes); });
    TMainScreen window(std::make_unique<MemoryEntryStore>(entries));
    QPrinter* before = &window.Printer();
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    window.PrintSetup1->trigger();
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(&window.Printer(), before);
}

TEST(MainScreenStartTest, AnUnreadableEntryIsNeverWrittenOver)
{
    const QDate damaged(2004, 4, 4);
    std::map<QDate, QByteArray> entries{ { damaged, "{\\rtf1 damaged}" }, { damaged.addDays(-1), "{\\rtf1 Before}" } };
    auto memory = std::make_unique<MemoryEntryStore>(entries);
    memory->unreadable = damaged;
    ScopedMessageResponder yes([](const QString&, const QString&, int) { return int(MessageResultYes); });
    TMainScreen window(std::move(memory));
    window.DiaryDate = damaged.addDays(-1);
    window.FindDateRecord();
    window.LoadRichText();
    QTest::keyClicks(window.WPRichText1, "Typed ");

    // Moving onto the damaged entry stores the page left and shows an empty
    // page, not the text of the day before.
    EXPECT_THROW(window.NextButtonClick(), std::runtime_error);
    EXPECT_EQ(window.DiaryDate, damaged);
    EXPECT_EQ(window.WPRichText1->toPlainText(), "");
    EXPECT_TRUE(entries.at(damaged.addDays(-1)).contains("Typed"));

    // Typing there and moving on is refused with the reason; the entry stays.
    QTest::keyClicks(window.WPRichText1, "New words");
    try {
        window.NextButtonClick();
        FAIL() << "an unreadable entry must not be written over";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("could not be read"), std::string::npos) << error.what();
    }
    EXPECT_EQ(window.DiaryDate, damaged);
    EXPECT_EQ(window.WPRichText1->toPlainText(), "New words");
    EXPECT_EQ(entries.at(damaged), "{\\rtf1 damaged}");

    // With the page left empty the move goes on and the entry is untouched.
    window.WPRichText1->clear();
    window.NextButtonClick();
    EXPECT_EQ(window.DiaryDate, damaged.addDays(1));
    EXPECT_EQ(entries.at(damaged), "{\\rtf1 damaged}");
    EXPECT_TRUE(entries.at(damaged.addDays(-1)).contains("Typed"));
}
