#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace dayvell::bench {

// A child process started straight with posix_spawn (no shell, nothing of
// the toolkit in between), whose standard output is read through a pipe.
class SpawnedProcess
{
public:
    // Throws std::runtime_error naming the program when it cannot be started.
    SpawnedProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~SpawnedProcess();
    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

    // The next line of the child's output without its line end; empty once
    // the child has closed its output.
    std::string readLine();
    // Waits for the child to end; its exit code, or -1 when a signal ended it.
    int wait();

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

} // namespace dayvell::bench
