#include "app/BevelPanel.h"
#include "app/MessageBoxes.h"
#include "app/PictureButton.h"
#include "app/ShadedLabel.h"
#include "app/Startup.h"
#include "app/TSplashform.h"
#include "app/TickClock.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

using namespace dayvell;

namespace {

// A clock that moves only when asked: by the time creating the main window
// takes, and by every pause.
class FakeClock : public TickClock
{
public:
    qint64 now = 5000;
    std::vector<qint64> pauses;
    qint64 milliseconds() override { return now; }
    void pause(qint64 milliseconds) override
    {
        pauses.push_back(milliseconds);
        now += milliseconds;
    }
};

TSplashform* visibleSplash()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<TSplashform*>(widget); splash && splash->isVisible())
            return splash;
    return nullptr;
}

struct StartupRecord {
    std::vector<std::string> steps;
    bool splashUpWhileMainWindowBuilt = false;
    bool splashGoneWhenLoopRuns = false;
    bool mainWindowShownWhenLoopRuns = false;
    qint64 clockWhenLoopRuns = 0;
};

StartupRecord runStartup(FakeClock& clock, qint64 mainWindowBuildTime, bool alreadyRunning, int& result)
{
    StartupRecord record;
    QWidget* mainWindow = nullptr;
    StartupSteps steps;
    steps.clock = &clock;
    steps.isAlreadyRunning = [&] {
        record.steps.push_back("check");
        return alreadyRunning;
    };
    steps.createMainWindow = [&] {
        record.steps.push_back("main window");
        record.splashUpWhileMainWindowBuilt = visibleSplash() != nullptr;
        clock.now += mainWindowBuildTime;
        auto window = std::make_unique<QWidget>();
        mainWindow = window.get();
        return window;
    };
    steps.runMessageLoop = [&] {
        record.steps.push_back("loop");
        record.splashGoneWhenLoopRuns = visibleSplash() == nullptr;
        record.mainWindowShownWhenLoopRuns = mainWindow && mainWindow->isVisible();
        record.clockWhenLoopRuns = clock.now;
        return 7;
    };
    result = RunStartup(steps);
    return record;
}

} // namespace

TEST(StartupTest, KeepsTheSplashUpForAtLeastASecond)
{
    const struct {
        qint64 buildTime;
        qint64 expectedEnd;
        size_t expectedPauses;
    } cases[] = {
        { 0, 6000, 1 },    // main window ready at once: wait the whole second
        { 400, 6000, 1 },  // the rest of the second
        { 1000, 6000, 0 }, // exactly a second: no wait
        { 3000, 8000, 0 }, // slower than a second: the splash goes at once
    };
    for (const auto& c : cases) {
        FakeClock clock;
        int result = 0;
        const StartupRecord record = runStartup(clock, c.buildTime, false, result);
        EXPECT_EQ(result, 7);
        EXPECT_EQ(record.steps, (std::vector<std::string>{ "check", "main window", "loop" }));
        EXPECT_TRUE(record.splashUpWhileMainWindowBuilt);
        EXPECT_TRUE(record.splashGoneWhenLoopRuns);
        EXPECT_TRUE(record.mainWindowShownWhenLoopRuns);
        EXPECT_EQ(record.clockWhenLoopRuns, c.expectedEnd) << "build time " << c.buildTime;
        EXPECT_EQ(clock.pauses.size(), c.expectedPauses) << "build time " << c.buildTime;
    }
}

TEST(StartupTest, WaitUntilElapsedPausesAgainWhenAPauseEndsEarly)
{
    class ShortPauses : public TickClock
    {
    public:
        qint64 now = 0;
        int pauses = 0;
        qint64 milliseconds() override { return now; }
        void pause(qint64) override
        {
            ++pauses;
            now += 300;
        }
    } clock;
    WaitUntilElapsed(clock, 0, 1000);
    EXPECT_EQ(clock.now, 1200);
    EXPECT_EQ(clock.pauses, 4);
}

TEST(StartupTest, ASecondCopyOnlySaysSoAndEnds)
{
    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int style) {
        shown << caption + "|" + text + "|" + QString::number(style);
        return int(MessageResultOk);
    });
    const int windowsBefore = QApplication::topLevelWidgets().size();
    FakeClock clock;
    int result = -1;
    const StartupRecord record = runStartup(clock, 0, true, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.steps, std::vector<std::string>{ "check" });
    EXPECT_EQ(shown, QStringList{ "Information|Dayvell! is already running|64" });
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}

TEST(SplashTest, HoldsItsComponentsAtTheirPlaces)
{
    TSplashform splash;
    EXPECT_EQ(splash.size(), QSize(385, 242));
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.Panel1->geometry(), splash.rect());

    EXPECT_EQ(splash.LabelEffect1->text(), "Dayvell!");
    EXPECT_EQ(splash.LabelEffect1->font().pointSize(), 48);
    EXPECT_TRUE(splash.LabelEffect1->font().bold() && splash.LabelEffect1->font().italic());
    EXPECT_TRUE(splash.LabelEffect1->showsShadow());
    EXPECT_EQ(splash.LabelEffect3->text(), "for Windows");
    EXPECT_EQ(splash.LabelEffect2->text(), "Version 1.5");
    EXPECT_FALSE(splash.LabelEffect2->showsHighlight());
    EXPECT_FALSE(splash.LabelEffect2->showsShadow());
    EXPECT_EQ(splash.Label32->text(), "32-bit version for Windows 95");
    EXPECT_EQ(splash.Label32->palette().color(QPalette::WindowText), QColor(Qt::red));

    // Client coordinates start inside the panel's single border.
    const QPoint origin = splash.LabelEffect3->geometry().topLeft() - QPoint(221, 84);
    EXPECT_EQ(splash.LabelEffect2->geometry(), QRect(135, 120, 112, 22).translated(origin));
    EXPECT_EQ(splash.Label32->geometry(), QRect(106, 141, 163, 14).translated(origin));
    EXPECT_EQ(splash.OKbutton->geometry(), QRect(293, 186, 64, 39).translated(origin));

    EXPECT_FALSE(splash.Label32->isHidden());
    EXPECT_TRUE(splash.OKbutton->isHidden());
}

TEST(SplashTest, OkButtonClosesTheAboutBox)
{
    TSplashform about;
    about.OKbutton->show();
    about.show();
    about.OKbutton->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
