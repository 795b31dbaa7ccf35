#include "app/TickClock.h"

#include <QThread>

#include <chrono>

namespace dayvell {

qint64 SystemTickClock::milliseconds()
{
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemTickClock::pause(qint64 milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void WaitUntilElapsed(TickClock& clock, qint64 startTick, qint64 minimum)
{
    for (qint64 elapsed = clock.milliseconds() - startTick; elapsed < minimum;
         elapsed = clock.milliseconds() - startTick)
        clock.pause(minimum - elapsed);
}

} // namespace dayvell
