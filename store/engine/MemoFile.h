#pragma once

#include "store/engine/MemoFileHeader.h"
#include "store/engine/PosixFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

struct Memo {
    MemoBlockType type = MemoBlockType::Text;
    std::string data;
};

// The live memo file of an open table. New memos always go to fresh blocks
// at the end of the file, so a memo that a record points to is never
// overwritten; the blocks a record no longer points to are reclaimed by a pack.
class MemoFile {
public:
    MemoFile(const std::filesystem::path& path, bool syncWrites);
    ~MemoFile();
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;

    const std::filesystem::path& path() const { return file_.path(); }
    const MemoFileHeader& header() const { return header_; }

    // Throws EngineError when the block lies outside the file or its length
    // runs past the end.
    Memo read(std::uint32_t block) const;
    // Writes the memo and makes it durable before returning its first block.
    std::uint32_t append(MemoBlockType type, std::string_view data);

private:
    void map(std::uint64_t length) const;
    void unmap() const;

    PosixFile file_;
    bool syncWrites_;
    MemoFileHeader header_;
    std::uint64_t fileSize_ = 0;
    mutable const char* mapped_ = nullptr;
    mutable std::uint64_t mappedSize_ = 0;
};

}  // namespace dayvell::engine
