#pragma once

#include <csignal>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace dayvell::engine::testing {

// A child process with a pipe on which it reports lines.
class Child {
public:
    template <typename Work>
    explicit Child(Work work)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            write_ = fds[1];
            try {
                work(*this);
            } catch (...) {
                ::_exit(3);
            }
            ::_exit(0);
        }
        ::close(fds[1]);
        read_ = fds[0];
    }
    ~Child()
    {
        if (read_ >= 0)
            ::close(read_);
    }

    void say(const std::string& line) const
    {
        const std::string withEnd = line + "\n";
        if (::write(write_, withEnd.data(), withEnd.size()) < 0)
            ::_exit(4);
    }
    // Waits for the first line (or the child's end) and returns it.
    std::string firstLine()
    {
        while (buffer_.find('\n') == std::string::npos && readSome()) {
        }
        const auto end = buffer_.find('\n');
        return end == std::string::npos ? std::string() : buffer_.substr(0, end);
    }
    // Waits until the child wrote `line` (false when it ended without).
    bool waitFor(const std::string& line)
    {
        while (("\n" + buffer_).find("\n" + line + "\n") == std::string::npos) {
            if (!readSome())
                return false;
        }
        return true;
    }
    // Kills the child and returns every line it wrote.
    std::vector<std::string> kill()
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        while (readSome()) {
        }
        std::vector<std::string> lines;
        for (std::size_t start = 0, end; (end = buffer_.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(buffer_.substr(start, end - start));
        return lines;
    }

private:
    bool readSome()
    {
        char chunk[4096];
        const ssize_t got = ::read(read_, chunk, sizeof chunk);
        if (got <= 0)
            return false;
        buffer_.append(chunk, std::size_t(got));
        return true;
    }

    pid_t pid_ = -1;
    int read_ = -1;
    int write_ = -1;
    std::string buffer_;
};

}  // namespace dayvell::engine::testing
