#include "SpawnedProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dayvell::bench {

SpawnedProcess::SpawnedProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error(program + ": cannot create a pipe: " + std::strerror(errno));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const int failure = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (failure != 0) {
        ::close(pipeEnds[0]);
        pid_ = -1;
        throw std::runtime_error(program + ": cannot start: " + std::strerror(failure));
    }
    output_ = pipeEnds[0];
}

SpawnedProcess::~SpawnedProcess()
{
    wait();
}

std::string SpawnedProcess::readLine()
{
    std::string line;
    char c;
    while (output_ >= 0) {
        const ssize_t got = ::read(output_, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || c == '\n')
            break;
        line += c;
    }
    return line;
}

int SpawnedProcess::wait()
{
    if (output_ >= 0) {
        ::close(output_);
        output_ = -1;
    }
    if (pid_ < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace dayvell::bench
