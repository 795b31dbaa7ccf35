#include "app/Startup.h"

#include "app/MessageBoxes.h"
#include "app/TSplashform.h"
#include "app/TickClock.h"

#include <QCoreApplication>

namespace dayvell {

int RunStartup(const StartupSteps& steps)
{
    if (steps.isAlreadyRunning()) {
        ShowInformation(QString::fromLatin1(AlreadyRunningMessage));
        return 0;
    }

    const qint64 startTick = steps.clock->milliseconds();
    auto splash = std::make_unique<TSplashform>();
    splash->show();
    splash->raise();
    QCoreApplication::processEvents();

    std::unique_ptr<QWidget> mainWindow = steps.createMainWindow();

    WaitUntilElapsed(*steps.clock, startTick, MinimumSplashMilliseconds);
    splash->hide();
    splash.reset();

    mainWindow->show();
    return steps.runMessageLoop();
}

} // namespace dayvell
