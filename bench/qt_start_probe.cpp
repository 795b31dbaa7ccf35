// The process the start-up benchmarks start, linked like the program itself so
// that the same shared libraries load.
//
//   qt_start_probe                       creates the application object and ends
//   qt_start_probe --main-window FOLDER  starts as the program does over the diary
//                                        in FOLDER, prints "shown" once the main
//                                        window has painted, and ends
//
// The second form runs the program's own start-up order (splash shown and
// painted, main window built behind it, splash removed, main window shown)
// with two differences: the splash's minimum of one second is skipped, and the
// single-instance check is left out so that a copy of the program running on
// this machine cannot stop the probe. Any message box ends the probe with its
// text on standard error, since nothing here should ask the user anything.

#include "BenchPlatform.h"
#include "FirstPaint.h"

#include "app/ErrorReportingApplication.h"
#include "app/MessageBoxes.h"
#include "app/Startup.h"
#include "app/StoredEntries.h"
#include "app/TMainScreen.h"
#include "app/TickClock.h"
#include "print/RichTextEditor.h"

#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

// Time passes only by pausing, at once: the splash's wait ends immediately.
class SkippedSplashWait final : public dayvell::TickClock
{
public:
    qint64 milliseconds() override { return now_; }
    void pause(qint64 milliseconds) override { now_ += milliseconds; }

private:
    qint64 now_ = 0;
};

int showMainWindow(const QString& folder)
{
    bool asked = false;
    dayvell::ScopedMessageResponder noQuestions([&asked](const QString& text, const QString& caption, int) {
        std::fprintf(stderr, "qt_start_probe: unexpected message \"%s\": %s\n", qPrintable(caption),
                     qPrintable(text));
        asked = true;
        return int(dayvell::MessageResultNo);
    });

    SkippedSplashWait clock;
    std::unique_ptr<dayvell::bench::FirstPaint> painted;
    dayvell::StartupSteps steps;
    steps.clock = &clock;
    steps.isAlreadyRunning = [] { return false; };
    steps.createMainWindow = [&]() -> std::unique_ptr<QWidget> {
        auto entries = std::make_unique<dayvell::StoredEntries>(folder);
        auto window = std::make_unique<dayvell::TMainScreen>(std::move(entries), folder);
        painted = std::make_unique<dayvell::bench::FirstPaint>(window->WPRichText1->viewport());
        return window;
    };
    steps.runMessageLoop = [&] {
        if (!painted->wait() || asked)
            return 1;
        std::puts("shown");
        std::fflush(stdout);
        return 0;
    };
    return dayvell::RunStartup(steps);
}

} // namespace

int main(int argc, char** argv)
{
    dayvell::bench::useBenchPlatform();
    dayvell::ErrorReportingApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dayvell"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/dayvell.png")));

    if (argc == 1)
        return 0;
    if (argc == 3 && std::strcmp(argv[1], "--main-window") == 0)
        return showMainWindow(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: qt_start_probe [--main-window FOLDER]\n");
    return 2;
}
