#include "store/engine/PosixFile.h"

#include "store/engine/EngineError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dayvell::engine {

void throwSystemError(const std::filesystem::path& path, const std::string& what)
{
    const int error = errno;
    throw EngineError(path.string() + ": " + what + " failed: " + std::strerror(error));
}

PosixFile::PosixFile(const std::filesystem::path& path, Mode mode) : path_(path)
{
    int flags = O_RDWR | O_CLOEXEC;
    if (mode == Mode::CreateExclusive)
        flags |= O_CREAT | O_EXCL;
    else if (mode == Mode::CreateOrTruncate)
        flags |= O_CREAT | O_TRUNC;
    do {
        fd_ = ::open(path.c_str(), flags, 0644);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        throwSystemError(path, mode == Mode::ReadWrite ? "opening" : "creating");
}

PosixFile::~PosixFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_))
{
}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

std::uint64_t PosixFile::size() const
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        throwSystemError(path_, "reading the size");
    return static_cast<std::uint64_t>(info.st_size);
}

void PosixFile::readAt(std::uint64_t offset, char* buffer, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(path_, "reading");
        }
        if (got == 0)
            throw EngineError(path_.string() + ": the file ends at byte " + std::to_string(offset + done) +
                              ", before the data expected there");
        done += static_cast<std::size_t>(got);
    }
}

void PosixFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(path_, "writing");
        }
        done += static_cast<std::size_t>(put);
    }
}

void PosixFile::truncate(std::uint64_t length)
{
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
        throwSystemError(path_, "truncating");
}

void PosixFile::sync()
{
    if (::fdatasync(fd_) != 0)
        throwSystemError(path_, "flushing to disk");
}

void PosixFile::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void PosixFile::renameTo(const std::filesystem::path& newPath)
{
    if (::rename(path_.c_str(), newPath.c_str()) != 0)
        throwSystemError(path_, "renaming to " + newPath.string());
    path_ = newPath;
    syncFolder(path_.parent_path());
}

bool PosixFile::tryLockExclusive()
{
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return false;
        if (errno != EINTR)
            throwSystemError(path_, "locking");
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder)
{
    const std::filesystem::path target = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = ::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throwSystemError(target, "opening the folder");
    const int result = ::fsync(fd);
    ::close(fd);
    if (result != 0)
        throwSystemError(target, "flushing the folder to disk");
}

}  // namespace dayvell::engine
