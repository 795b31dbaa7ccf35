#pragma once

// Leaf nodes of a compact index. Each key is stored without the leading bytes
// it shares with the key before it in the same node (the duplicate count) and
// without its trailing blanks (the trailing count); the record number and both
// counts are packed into a few bytes per key.

#include "store/engine/CompactIndexNode.h"
#include "store/engine/CompoundIndexFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dayvell::engine::cdx {

struct LeafBitLayout {
    std::uint8_t recnoBits = 0;
    std::uint8_t duplicateBits = 0;
    std::uint8_t trailingBits = 0;
    std::uint8_t entryBytes = 0;

    // The narrowest packing that holds counts up to keyLength and record
    // numbers up to maxRecno.
    static LeafBitLayout forKeys(std::size_t keyLength, std::uint32_t maxRecno);
};

class LeafNodeEncoder {
public:
    LeafNodeEncoder(std::size_t keyLength, LeafBitLayout layout);

    // How many of the entries, from the first on, fit into one node.
    std::size_t countFitting(std::span<const IndexEntry> entries) const;

    // `entries` must fit (see countFitting); `page` must be zeroed.
    void encode(std::span<const IndexEntry> entries, NodeLinks links, Page page) const;

private:
    std::size_t keyLength_;
    LeafBitLayout layout_;
};

// Appends the node's entries to `out`; throws EngineError prefixed with
// `context` when the node's fields or counts are inconsistent.
void decodeLeafNode(ConstPage page, std::size_t keyLength, std::string_view context, std::vector<IndexEntry>& out);

}  // namespace dayvell::engine::cdx
