#include "store/engine/FileReplacement.h"

#include "store/engine/EngineError.h"
#include "store/engine/PosixFile.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dayvell::engine {

namespace {

mode_t modeForReplacement(const std::filesystem::path& file) {
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& beside) {
        std::string pattern = beside.string() + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        fd_ = ::mkstemp(name.data());
        if (fd_ < 0) throw EngineError(beside.string() + ": cannot create a temporary file: " + std::strerror(errno));
        path_ = name.data();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(path_.c_str());
    }

    int fd() const { return fd_; }

    // Closes the descriptor; returns false with errno set on failure.
    bool close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

    bool renameTo(const std::filesystem::path& target) {
        renamed_ = ::rename(path_.c_str(), target.c_str()) == 0;
        return renamed_;
    }

private:
    int fd_ = -1;
    std::string path_;
    bool renamed_ = false;
};

bool writeAll(int fd, std::span<const std::uint8_t> contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents = contents.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

void replaceFileContents(const std::filesystem::path& file, std::span<const std::uint8_t> contents, FileSync sync) {
    const auto failure = [&file](const char* step) {
        const int error = errno;
        return EngineError(file.string() + ": cannot " + step + ": " + std::strerror(error));
    };
    const mode_t mode = modeForReplacement(file);
    TemporaryFile temporary(file);
    if (!writeAll(temporary.fd(), contents)) throw failure("write");
    if (::fchmod(temporary.fd(), mode) != 0) throw failure("set permissions");
    if (sync == FileSync::Yes && ::fsync(temporary.fd()) != 0) throw failure("flush to disk");
    if (!temporary.close()) throw failure("write");
    if (!temporary.renameTo(file)) throw failure("replace the file");
    if (sync == FileSync::Yes) syncFolder(file.parent_path());
}

}  // namespace dayvell::engine
