#pragma once

#include "store/engine/CompoundIndexFile.h"
#include "store/engine/IndexFileImage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dayvell::engine::cdx {

// Reads every entry of the key tree rooted at `root`, in key order, checking
// the tree as it goes: node attributes and counts, key order, the keys of
// interior nodes against their children, equal leaf depth and the sibling
// pointers of every level. `label` names the tree in error messages.
std::vector<IndexEntry> readCompactTree(IndexFileImage& image, std::uint32_t root, std::size_t keyLength,
                                        std::string_view label);

}  // namespace dayvell::engine::cdx
