#pragma once

#include "store/engine/CompactIndexFormat.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dayvell::engine::cdx {

// A whole index file in memory, handing out its pages for reading. Each page
// can be claimed once only: a header or node that two pointers lead to, or a
// pointer loop, is reported as corruption instead of being read again.
class IndexFileImage {
public:
    // Throws EngineError when the file cannot be read or is not made of whole
    // pages after a header.
    static IndexFileImage load(const std::filesystem::path& file);

    const std::string& name() const { return name_; }

    // `what` names the claimed part in error messages.
    ConstPage claimNode(std::uint32_t offset, std::string_view what);
    std::span<const std::uint8_t, kHeaderSize> claimHeader(std::uint32_t offset, std::string_view what);

    [[noreturn]] void fail(std::string_view what) const;

private:
    IndexFileImage(std::string name, std::vector<std::uint8_t> bytes);

    std::span<const std::uint8_t> claim(std::uint32_t offset, std::size_t pages, std::string_view what);

    std::string name_;
    std::vector<std::uint8_t> bytes_;
    std::vector<bool> claimed_;
};

}  // namespace dayvell::engine::cdx
