#pragma once

// Interior nodes of a compact index: for each child, the last key and record
// number found under it and the child's file offset.

#include "store/engine/CompactIndexNode.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dayvell::engine::cdx {

struct InteriorEntry {
    std::string key;
    std::uint32_t recno = 0;
    std::uint32_t child = kNoNode;
};

// At least two for every key length up to kMaxKeyLength.
inline std::size_t interiorCapacity(std::size_t keyLength) { return kInteriorSpace / (keyLength + 8); }

// `entries` must hold at most interiorCapacity(keyLength) keys of keyLength
// bytes; `page` must be zeroed.
void encodeInteriorNode(std::span<const InteriorEntry> entries, std::size_t keyLength, NodeLinks links, Page page);

// Throws EngineError prefixed with `context` when the node holds no keys or
// more than fit.
std::vector<InteriorEntry> decodeInteriorNode(ConstPage page, std::size_t keyLength, std::string_view context);

}  // namespace dayvell::engine::cdx
