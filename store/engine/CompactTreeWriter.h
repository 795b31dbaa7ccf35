#pragma once

#include "store/engine/CompactLeafNode.h"
#include "store/engine/CompoundIndexFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dayvell::engine::cdx {

// Lays out the key tree of one compact index: full leaves in key order, then
// each level of interior nodes above them, the root last. The number of nodes
// is known before their place in the file, so the caller can place them.
class CompactTreeWriter {
public:
    // `entries` (sorted, keys of keyLength bytes) must outlive the writer.
    CompactTreeWriter(std::span<const IndexEntry> entries, std::size_t keyLength);

    std::size_t nodeCount() const { return nodeCount_; }

    // Writes nodeCount() pages into `out` (zeroed, nodeCount() * kPageSize
    // bytes), the first of them being at `firstNodeOffset` in the file.
    // Returns the root's offset.
    std::uint32_t write(std::uint32_t firstNodeOffset, std::span<std::uint8_t> out) const;

private:
    struct EntryRange {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    std::span<const IndexEntry> entries_;
    std::size_t keyLength_;
    LeafNodeEncoder leafEncoder_;
    std::vector<EntryRange> leaves_;
    // For each interior level from the bottom, how many children each node has.
    std::vector<std::vector<std::size_t>> interiorLevels_;
    std::size_t nodeCount_ = 0;
};

}  // namespace dayvell::engine::cdx
