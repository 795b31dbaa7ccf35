#pragma once

#include <QtGlobal>

namespace dayvell {

// Millisecond tick count of the system, and a pause that does not run the
// event loop. Start-up waits on it; tests substitute a clock of their own.
class TickClock
{
public:
    virtual ~TickClock() = default;
    virtual qint64 milliseconds() = 0;
    virtual void pause(qint64 milliseconds) = 0;
};

class SystemTickClock final : public TickClock
{
public:
    qint64 milliseconds() override;
    void pause(qint64 milliseconds) override;
};

// Returns once the clock has advanced by at least `minimum` milliseconds since
// `startTick`; at once when that time has already passed. No window messages
// run meanwhile.
void WaitUntilElapsed(TickClock& clock, qint64 startTick, qint64 minimum);

} // namespace dayvell
