#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace dayvell {

class TickClock;

inline constexpr char AlreadyRunningMessage[] = "Dayvell! is already running";
inline constexpr qint64 MinimumSplashMilliseconds = 1000;

// What start-up needs from the rest of the program; main() passes the real
// ones, tests their own.
struct StartupSteps {
    std::function<bool()> isAlreadyRunning;
    std::function<std::unique_ptr<QWidget>()> createMainWindow;
    std::function<int()> runMessageLoop;
    TickClock* clock = nullptr;
};

// Refuses a second copy; otherwise shows the splash, builds the main window
// behind it, keeps the splash up for at least a second, removes it, shows the
// main window and runs the message loop until the main window closes.
// Returns the loop's exit code (0 for a refused second copy).
int RunStartup(const StartupSteps& steps);

} // namespace dayvell
