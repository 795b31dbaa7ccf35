#include "store/engine/CompactTreeWriter.h"

#include "store/engine/CompactInteriorNode.h"

#include <algorithm>

namespace dayvell::engine::cdx {

namespace {

std::uint32_t maxRecno(std::span<const IndexEntry> entries) {
    std::uint32_t result = 0;
    for (const IndexEntry& entry : entries) result = std::max(result, entry.recno);
    return result;
}

// Splits `count` children into as few nodes as hold them, of nearly equal size.
std::vector<std::size_t> groupChildren(std::size_t count, std::size_t capacity) {
    const std::size_t groups = (count + capacity - 1) / capacity;
    std::vector<std::size_t> sizes(groups, count / groups);
    for (std::size_t i = 0; i < count % groups; ++i) ++sizes[i];
    return sizes;
}

Page pageAt(std::span<std::uint8_t> out, std::size_t index) {
    return Page(out.subspan(index * kPageSize, kPageSize));
}

}  // namespace

CompactTreeWriter::CompactTreeWriter(std::span<const IndexEntry> entries, std::size_t keyLength)
    : entries_(entries), keyLength_(keyLength), leafEncoder_(keyLength, LeafBitLayout::forKeys(keyLength, maxRecno(entries))) {
    std::size_t begin = 0;
    do {
        const std::size_t count = leafEncoder_.countFitting(entries.subspan(begin));
        leaves_.push_back({begin, begin + count});
        begin += count;
    } while (begin < entries.size());

    std::size_t levelSize = leaves_.size();
    nodeCount_ = levelSize;
    while (levelSize > 1) {
        interiorLevels_.push_back(groupChildren(levelSize, interiorCapacity(keyLength)));
        levelSize = interiorLevels_.back().size();
        nodeCount_ += levelSize;
    }
}

std::uint32_t CompactTreeWriter::write(std::uint32_t firstNodeOffset, std::span<std::uint8_t> out) const {
    const auto offsetOf = [firstNodeOffset](std::size_t index) {
        return static_cast<std::uint32_t>(firstNodeOffset + index * kPageSize);
    };
    const auto linksFor = [&](std::size_t first, std::size_t i, std::size_t levelSize, std::uint16_t attributes) {
        NodeLinks links;
        links.attributes = static_cast<std::uint16_t>(attributes | (levelSize == 1 ? kAttributeRoot : 0));
        links.left = i == 0 ? kNoNode : offsetOf(first + i - 1);
        links.right = i + 1 == levelSize ? kNoNode : offsetOf(first + i + 1);
        return links;
    };

    // Index of the last entry under each node of the level being written.
    std::vector<std::size_t> lastEntry;
    for (std::size_t i = 0; i < leaves_.size(); ++i) {
        const EntryRange range = leaves_[i];
        leafEncoder_.encode(entries_.subspan(range.begin, range.end - range.begin),
                            linksFor(0, i, leaves_.size(), kAttributeLeaf), pageAt(out, i));
        lastEntry.push_back(range.end == 0 ? 0 : range.end - 1);
    }

    std::size_t childFirst = 0;
    std::size_t levelFirst = leaves_.size();
    for (const std::vector<std::size_t>& level : interiorLevels_) {
        std::vector<std::size_t> levelLastEntry;
        std::size_t child = 0;
        for (std::size_t i = 0; i < level.size(); ++i) {
            std::vector<InteriorEntry> node;
            for (std::size_t c = 0; c < level[i]; ++c, ++child) {
                const IndexEntry& last = entries_[lastEntry[child]];
                node.push_back({last.key, last.recno, offsetOf(childFirst + child)});
            }
            encodeInteriorNode(node, keyLength_, linksFor(levelFirst, i, level.size(), 0), pageAt(out, levelFirst + i));
            levelLastEntry.push_back(lastEntry[child - 1]);
        }
        lastEntry = std::move(levelLastEntry);
        childFirst = levelFirst;
        levelFirst += level.size();
    }
    return offsetOf(nodeCount_ - 1);
}

}  // namespace dayvell::engine::cdx
