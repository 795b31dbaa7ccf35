// The main window over a century of daily entries (36,500 days ending today):
// the time from the start of the process to the shown main window, and one day
// step.
//
// Start to window shown. The program itself waits a second for its splash and
// finds its diary next to its executable, so it is not started here; instead:
//  (a) BM_MainWindowShown, in this process: creating TMainScreen over the real
//      storage of the diary folder (opening the table with its index check,
//      looking up and loading today's entry, building every control), showing
//      it and running the event loop until the page has painted once. Every
//      iteration after the first finds fonts, styles and the file cache warm.
//  (b) BM_QtProcessStart: starting qt_start_probe, a program linked like the
//      real one, that creates the application object and ends: loading the
//      shared libraries, connecting to the display, creating QApplication.
//  (a) + (b) is the estimate of process start to window shown.
//  (c) BM_ProcessStartToMainWindowShown checks that estimate in one piece: it
//      starts qt_start_probe --main-window, which runs the program's own
//      start-up order (splash shown and painted, main window built, splash
//      removed, window shown) without the splash's one-second minimum, and
//      stops the clock when the probe reports the first paint of the page.
//      Being a fresh process every time, it also pays what (a) warms up once:
//      the font database, the style, the first layout of each kind of control.
// The diary's files stay in the page cache between iterations; a start right
// after booting reads them from disk as well.
//
// Day step. NextButtonClick and PriorButtonClick alternating between two days
// with entries: each step stores the page being left (rewriting the unchanged
// entry, as every move does), looks up the other date and loads its entry. The
// table is opened without a flush after each change (TableOptions), so that
// the figure is the work of the step and not the disk's sync latency. BM_DayStepWithPaint adds
// the repaint of the page; BM_DayStepWalkingForward steps on through ever new
// entries instead of two.
//
// Repaints are measured without the platform's pacing of 5 ms (see
// BenchPlatform.h); where the platform paces them, a repaint may come that
// much later.
//
// Run: build-dir/bench/app_bench (offscreen unless QT_QPA_PLATFORM says
// otherwise); --benchmark_filter=DayStep and the like pick some.

#include "BenchPlatform.h"
#include "DiaryGenerator.h"
#include "FirstPaint.h"
#include "SpawnedProcess.h"

#include "app/ErrorReportingApplication.h"
#include "app/MessageBoxes.h"
#include "app/StoredEntries.h"
#include "app/TMainScreen.h"
#include "print/RichTextEditor.h"

#include <QCoreApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

using namespace dayvell;

namespace {

constexpr std::size_t kDays = 36500;
constexpr char kProbe[] = QT_START_PROBE_PATH;

// The text of the last message box: none should show while measuring, so a
// benchmark that finds one reports it as its error.
std::string unexpectedMessage;

bool messageShown(benchmark::State& state)
{
    const std::string message = std::exchange(unexpectedMessage, {});
    if (message.empty())
        return false;
    state.SkipWithError(message.c_str());
    return true;
}

std::chrono::sys_days asSysDays(const QDate& date)
{
    using namespace std::chrono;
    return sys_days(year_month_day(year(date.year()), month(unsigned(date.month())), day(unsigned(date.day()))));
}

// The generated diary, made once per run and removed at exit.
class Diary
{
public:
    static Diary& instance()
    {
        static Diary diary;
        return diary;
    }

    const std::filesystem::path& folder() const { return folder_; }
    QString folderName() const { return QString::fromStdString(folder_.string()); }
    QDate lastDay() const { return lastDay_; }
    QDate firstDay() const { return lastDay_.addDays(-qint64(kDays - 1)); }

    // A fresh copy for benchmarks that change the entries.
    QString copy(const std::string& name) const
    {
        const auto target = folder_.parent_path() / name;
        std::filesystem::remove_all(target);
        std::filesystem::create_directory(target);
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            std::filesystem::copy_file(entry.path(), target / entry.path().filename());
        return QString::fromStdString(target.string());
    }

    ~Diary() { std::filesystem::remove_all(folder_.parent_path()); }

private:
    Diary()
        : lastDay_(QDate::currentDate())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dayvell-app-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = std::filesystem::path(pattern) / "diary";
        std::filesystem::create_directory(folder_);
        bench::generateDiary(folder_, kDays, asSysDays(lastDay_));
    }

    std::filesystem::path folder_;
    QDate lastDay_;
};

void destroy(std::unique_ptr<TMainScreen>& window)
{
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void BM_MainWindowShown(benchmark::State& state)
{
    const QString folder = Diary::instance().folderName();
    for (auto _ : state) {
        auto window = std::make_unique<TMainScreen>(std::make_unique<StoredEntries>(folder), folder);
        bench::FirstPaint painted(window->WPRichText1->viewport());
        window->show();
        const bool shown = painted.wait();

        state.PauseTiming();
        const bool entryLoaded = window->EntryFound && !window->WPRichText1->isEmpty();
        destroy(window);
        if (messageShown(state))
            break;
        if (!shown || !entryLoaded) {
            state.SkipWithError(shown ? "today's entry was not loaded" : "the main window never painted");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QtProcessStart(benchmark::State& state)
{
    for (auto _ : state) {
        bench::SpawnedProcess probe(kProbe, {});
        if (probe.wait() != 0) {
            state.SkipWithError("qt_start_probe failed");
            break;
        }
    }
}
BENCHMARK(BM_QtProcessStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessStartToMainWindowShown(benchmark::State& state)
{
    const std::string folder = Diary::instance().folder().string();
    for (auto _ : state) {
        bench::SpawnedProcess probe(kProbe, {"--main-window", folder});
        const std::string report = probe.readLine();

        state.PauseTiming();
        const int exitCode = probe.wait();
        if (report != "shown" || exitCode != 0) {
            state.SkipWithError("qt_start_probe --main-window failed (its error output says why)");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProcessStartToMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// A shown main window over a copy of the diary, standing on `date`.
std::unique_ptr<TMainScreen> windowOnDate(const std::string& copyName, const QDate& date)
{
    const QString folder = Diary::instance().copy(copyName);
    auto entries = std::make_unique<StoredEntries>(folder, engine::TableOptions {false});
    auto window = std::make_unique<TMainScreen>(std::move(entries), folder);
    bench::FirstPaint painted(window->WPRichText1->viewport());
    window->show();
    painted.wait();
    window->DiaryDate = date;
    window->FindDateRecord();
    window->LoadRichText();
    return window;
}

QDate middleDay()
{
    return Diary::instance().firstDay().addDays(kDays / 2);
}

void labelWithEntrySizes(benchmark::State& state, TMainScreen& window)
{
    const auto size = window.WPRichText1->rtf().size();
    window.NextButtonClick();
    state.SetLabel("entries of " + std::to_string(size) + " and " + std::to_string(window.WPRichText1->rtf().size())
                   + " bytes of RTF");
    window.PriorButtonClick();
}

void alternateDays(benchmark::State& state, bool withPaint)
{
    auto window = windowOnDate(withPaint ? "step-paint" : "step", middleDay());
    if (!window->EntryFound) {
        state.SkipWithError("the diary has no entry on the day the steps start from");
        return;
    }
    labelWithEntrySizes(state, *window);
    QCoreApplication::processEvents();
    bench::FirstPaint painted(window->WPRichText1->viewport());

    bool forward = true;
    for (auto _ : state) {
        if (forward)
            window->NextButtonClick();
        else
            window->PriorButtonClick();
        forward = !forward;
        if (withPaint) {
            if (!painted.wait()) {
                state.SkipWithError("the page was not painted after a step");
                break;
            }
        } else {
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    if (!window->EntryFound)
        state.SkipWithError("the steps ended on a day without an entry");
    messageShown(state);
    destroy(window);
}

void BM_DayStep(benchmark::State& state)
{
    alternateDays(state, false);
}
BENCHMARK(BM_DayStep)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_DayStepWithPaint(benchmark::State& state)
{
    alternateDays(state, true);
}
BENCHMARK(BM_DayStepWithPaint)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_DayStepWalkingForward(benchmark::State& state)
{
    const QDate start = Diary::instance().firstDay();
    auto window = windowOnDate("walk", start);
    for (auto _ : state) {
        window->NextButtonClick();
        state.PauseTiming();
        QCoreApplication::processEvents();
        if (!window->EntryFound) {
            state.SkipWithError("a step landed on a day without an entry");
            break;
        }
        if (window->DiaryDate == Diary::instance().lastDay()) {
            window->DiaryDate = start;
            window->FindDateRecord();
            window->LoadRichText();
        }
        state.ResumeTiming();
    }
    messageShown(state);
    destroy(window);
}
BENCHMARK(BM_DayStepWalkingForward)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    bench::useBenchPlatform();
    ErrorReportingApplication application(argc, argv);
    ScopedMessageResponder noQuestions([](const QString& text, const QString& caption, int) {
        unexpectedMessage = QStringLiteral("message box \"%1\": %2").arg(caption, text).toStdString();
        return int(MessageResultNo);
    });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
