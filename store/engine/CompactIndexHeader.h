#pragma once

#include "store/engine/CompactIndexFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dayvell::engine::cdx {

// The header of one compact index: of the tag directory or of one tag.
struct CompactIndexHeader {
    std::uint32_t root = kNoNode;
    std::uint16_t keyLength = 0;
    std::uint8_t options = 0;
    bool descending = false;
    std::string expression;
    std::string filter;
};

using HeaderBytes = std::span<std::uint8_t, kHeaderSize>;
using ConstHeaderBytes = std::span<const std::uint8_t, kHeaderSize>;

// The expressions must fit the expression pool, each with its terminating NUL.
bool expressionsFitHeader(std::string_view expression, std::string_view filter);

// Fills all 1024 header bytes (the caller hands in zeroed space).
void encodeHeader(const CompactIndexHeader& header, HeaderBytes out);

// Throws EngineError, prefixed with `context`, when the header is not that of a
// compact index or its fields are out of range.
CompactIndexHeader decodeHeader(ConstHeaderBytes bytes, std::string_view context);

}  // namespace dayvell::engine::cdx
