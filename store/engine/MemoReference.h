#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dayvell::engine {

// The memo field of a record holds the number of the memo's first block as
// text, right-aligned in 10 characters; blanks (or 0) mean "no memo". Tables
// from later FoxPro versions keep it as a 4-byte little-endian number instead.

// The block number, 0 for no memo, or nothing when the field holds something else.
std::optional<std::uint32_t> parseMemoReference(std::string_view field);
std::string formatMemoReference(std::uint32_t block, std::size_t width);

}  // namespace dayvell::engine
