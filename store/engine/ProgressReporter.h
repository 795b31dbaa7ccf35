#pragma once

#include <cstdint>
#include <functional>

namespace dayvell::engine {

using ProgressReceiver = std::function<void(int percent)>;

// Turns "done of total" into percentages 0 to 100 for the registered receiver,
// calling it only when the percentage changes.
class ProgressReporter {
public:
    explicit ProgressReporter(const ProgressReceiver& receiver) : receiver_(receiver) {}

    void report(int percent)
    {
        if (receiver_ && percent != last_) {
            last_ = percent;
            receiver_(percent);
        }
    }
    void report(std::uint64_t done, std::uint64_t total)
    {
        report(total == 0 ? 100 : static_cast<int>(done * 100 / total));
    }

private:
    const ProgressReceiver& receiver_;
    int last_ = -1;
};

}  // namespace dayvell::engine
