#include "app/AppFolder.h"
#include "app/DateTexts.h"
#include "app/MessageBoxes.h"
#include "app/WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace dayvell;

TEST(AppFolderTest, FolderOfProgramFileKeepsTheLastSeparator)
{
    const struct {
        const char* programFile;
        const char* folder;
    } cases[] = {
        { "/opt/diary/dayvell", "/opt/diary/" },
        { "/dayvell", "/" },
        { "/home/ann/My Diary/dayvell", "/home/ann/My Diary/" },
        { "/home/ann/diary.v2/dayvell", "/home/ann/diary.v2/" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOfProgramFile(QString::fromUtf8(c.programFile)), QString::fromUtf8(c.folder))
            << c.programFile;
}

TEST(AppFolderTest, IsTheProgramsFolderUnlessOverridden)
{
    EXPECT_EQ(AppFolder(), QApplication::applicationDirPath() + "/");
    {
        AppFolderOverride outer("/tmp/outer");
        EXPECT_EQ(AppFolder(), "/tmp/outer/");
        {
            AppFolderOverride inner("/tmp/inner/");
            EXPECT_EQ(AppFolder(), "/tmp/inner/");
        }
        EXPECT_EQ(AppFolder(), "/tmp/outer/");
    }
    EXPECT_EQ(AppFolder(), QApplication::applicationDirPath() + "/");
}

TEST(WindowPlacementTest, CenteredOverTruncatesHalvesTowardZero)
{
    const struct {
        QRect main;
        QSize window;
        QPoint expected;
    } cases[] = {
        { { 100, 50, 610, 450 }, { 300, 200 }, { 255, 175 } },
        { { 100, 50, 610, 450 }, { 301, 201 }, { 254, 174 } },
        // Larger than the main window: negative offsets, halves toward zero.
        { { 100, 50, 610, 450 }, { 700, 500 }, { 55, 25 } },
        { { 0, 0, 610, 450 }, { 611, 451 }, { 0, 0 } },
        { { 0, 0, 610, 450 }, { 613, 453 }, { -1, -1 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CenteredOver(c.main, c.window), c.expected) << c.window.width();
}

TEST(WindowPlacementTest, CenterOverMainScreenUsesTheRegisteredMainWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 60, 610, 450);
    RegisterMainScreen(&mainWindow);
    QWidget dialog;
    dialog.resize(300, 200);
    CenterOverMainScreen(&dialog);
    EXPECT_EQ(dialog.frameGeometry().left(), mainWindow.frameGeometry().left() + 155);
    EXPECT_EQ(dialog.frameGeometry().top(), mainWindow.frameGeometry().top() + 125);
    RegisterMainScreen(nullptr);
}

TEST(WindowPlacementTest, FittedMaximisedGeometryCorrectsOneSidePerCall)
{
    const QSize client(800, 570);
    const struct {
        const char* name;
        QRect window;
        std::optional<QRect> expected;
    } cases[] = {
        { "fits", { 10, 10, 700, 500 }, std::nullopt },
        { "exactly fits", { 0, 0, 800, 570 }, std::nullopt },
        { "too tall", { 10, 20, 700, 600 }, QRect(10, 0, 700, 570) },
        { "too wide", { 30, 20, 900, 500 }, QRect(0, 20, 800, 500) },
        { "too tall and too wide: height only", { 30, 20, 900, 600 }, QRect(30, 0, 900, 570) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittedMaximisedGeometry(c.window, client), c.expected) << c.name;
}

TEST(WindowPlacementTest, FitMaximisedWindowLeavesANormalWindowAlone)
{
    QWidget window;
    window.setGeometry(0, 0, 5000, 5000);
    FitMaximisedWindow(&window);
    EXPECT_EQ(window.geometry(), QRect(0, 0, 5000, 5000));
}

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool stillOpenAfterEscape = false;
};

// Looks at the box that the routine under test shows, then presses `answer`.
SeenBox answerRealBox(const QString& answer, const std::function<void()>& showBox)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove('&');
        QTest::keyClick(box, Qt::Key_Escape);
        seen.stillOpenAfterEscape = box->isVisible();
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == answer)
                button->click();
        if (box->isVisible())
            box->done(0);
    });
    showBox();
    return seen;
}

} // namespace

TEST(MessageBoxesTest, AskConfirmShowsYesAndNoThatEscapeCannotAnswer)
{
    for (const auto& [answer, expected] : { std::pair{ "Yes", true }, std::pair{ "No", false } }) {
        bool result = !expected;
        const SeenBox seen = answerRealBox(answer, [&] { result = AskConfirm("Exit program?"); });
        EXPECT_EQ(result, expected);
        EXPECT_EQ(seen.caption, "Confirm");
        EXPECT_EQ(seen.text, "Exit program?");
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        EXPECT_EQ(seen.buttons.size(), 2);
        EXPECT_TRUE(seen.buttons.contains("Yes"));
        EXPECT_TRUE(seen.buttons.contains("No"));
        EXPECT_TRUE(seen.stillOpenAfterEscape);
    }
}

TEST(MessageBoxesTest, ShowInformationShowsOneOkButton)
{
    const SeenBox seen = answerRealBox("OK", [] { ShowInformation("No matches"); });
    EXPECT_EQ(seen.caption, "Information");
    EXPECT_EQ(seen.text, "No matches");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QStringList{ "OK" });
}

TEST(MessageBoxesTest, ResponderAnswersInsteadOfTheUser)
{
    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int style) {
        shown << caption + "|" + text + "|" + QString::number(style);
        return text == "Exit program?" ? int(MessageResultNo) : int(MessageResultOk);
    });
    EXPECT_FALSE(AskConfirm("Exit program?"));
    ShowInformation("Spell check complete");
    EXPECT_EQ(shown, (QStringList{ "Confirm|Exit program?|36", "Information|Spell check complete|64" }));
    {
        ScopedMessageResponder yes([](const QString&, const QString&, int) { return int(MessageResultYes); });
        EXPECT_TRUE(AskConfirm("Exit program?"));
    }
    EXPECT_FALSE(AskConfirm("Exit program?"));
}

TEST(DateTextsTest, ShortDatesAreMonthDayYearWithTheRegionalSeparator)
{
    const struct {
        QLocale::Language language;
        QLocale::Territory territory;
        const char* expected;
    } cases[] = {
        { QLocale::English, QLocale::UnitedStates, "07/05/2004" },
        { QLocale::German, QLocale::Germany, "07.05.2004" },
        { QLocale::Dutch, QLocale::Netherlands, "07-05-2004" },
        { QLocale::English, QLocale::UnitedKingdom, "07/05/2004" },
    };
    for (const auto& c : cases) {
        const QLocale locale(c.language, c.territory);
        EXPECT_EQ(ShortDateText(QDate(2004, 7, 5), locale), QString::fromLatin1(c.expected))
            << locale.name().toStdString() << " " << locale.dateFormat(QLocale::ShortFormat).toStdString();
    }
    EXPECT_EQ(ShortDateText(QDate(987, 12, 31), QLocale(QLocale::English, QLocale::UnitedStates)), "12/31/0987");
}

TEST(DateTextsTest, LongDatesWriteWeekdayAndMonthOut)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString text = LongDateText(QDate(1996, 12, 10), english);
    EXPECT_TRUE(text.contains("Tuesday")) << text.toStdString();
    EXPECT_TRUE(text.contains("December")) << text.toStdString();
    EXPECT_TRUE(text.contains("1996")) << text.toStdString();
}
