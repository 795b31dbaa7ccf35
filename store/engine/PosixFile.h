#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

// An open file descriptor with whole-buffer reads and writes; every failure
// becomes an EngineError that names the file and the operation.
class PosixFile {
public:
    enum class Mode { ReadWrite, CreateExclusive, CreateOrTruncate };

    PosixFile() = default;
    PosixFile(const std::filesystem::path& path, Mode mode);
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    std::uint64_t size() const;
    // Reads exactly `length` bytes; a short file is an error.
    void readAt(std::uint64_t offset, char* buffer, std::size_t length) const;
    void writeAt(std::uint64_t offset, std::string_view bytes);
    void truncate(std::uint64_t length);
    void sync();
    void close();
    // Renames the file, which stays open, and makes the rename durable.
    void renameTo(const std::filesystem::path& newPath);

    // Takes an advisory lock held by this open file description: it excludes
    // every other open of the file, in this process or another, and ends with
    // the process, a crash included.
    bool tryLockExclusive();

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

// Makes renames and new files inside `folder` durable.
void syncFolder(const std::filesystem::path& folder);

[[noreturn]] void throwSystemError(const std::filesystem::path& path, const std::string& what);

}  // namespace dayvell::engine
