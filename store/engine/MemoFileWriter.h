#pragma once

#include "store/engine/MemoFileHeader.h"
#include "store/engine/PosixFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

// Writes a new memo file from start to end (a new table, or the compacted
// copy a pack makes), buffering the blocks.
class MemoFileWriter {
public:
    // `path` must not exist yet.
    MemoFileWriter(const std::filesystem::path& path, MemoFileHeader header);

    std::uint32_t add(MemoBlockType type, std::string_view data);
    // Writes the header and flushes everything to disk.
    void finish();

private:
    void flushBuffer();

    PosixFile file_;
    MemoFileHeader header_;
    std::string buffer_;
    std::uint64_t bufferOffset_;
};

}  // namespace dayvell::engine
