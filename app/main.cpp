#include "app/AppFolder.h"
#include "app/ErrorReportingApplication.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/StoredEntries.h"
#include "app/TMainScreen.h"
#include "app/TickClock.h"

#include <QIcon>

namespace {

std::unique_ptr<QWidget> createMainWindow()
{
    return std::make_unique<dayvell::TMainScreen>(std::make_unique<dayvell::StoredEntries>(dayvell::AppFolder()));
}

} // namespace

int main(int argc, char** argv)
{
    dayvell::ErrorReportingApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dayvell"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/dayvell.png")));

    dayvell::SystemTickClock clock;
    dayvell::StartupSteps steps;
    steps.isAlreadyRunning = [] { return dayvell::IsAlreadyRunning(); };
    steps.createMainWindow = createMainWindow;
    steps.runMessageLoop = [] { return QApplication::exec(); };
    steps.clock = &clock;
    return dayvell::RunStartup(steps);
}
