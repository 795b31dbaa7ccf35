#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace dayvell::engine {

enum class FileSync { No, Yes };

// Writes `contents` to a new file beside `file` and renames it over `file`, so
// that readers see either the old or the whole new contents. The new file gets
// the old one's permissions, or the usual ones for a new file. With
// FileSync::Yes the data and the rename reach the disk before the call returns.
// Throws EngineError naming the file; the temporary file is removed on failure.
void replaceFileContents(const std::filesystem::path& file, std::span<const std::uint8_t> contents, FileSync sync);

}  // namespace dayvell::engine
