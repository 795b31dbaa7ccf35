#pragma once

// The fields every node of a compact index tree starts with.

#include "store/engine/CompactIndexFormat.h"

#include <cstdint>

namespace dayvell::engine::cdx {

struct NodeLinks {
    std::uint16_t attributes = 0;
    std::uint16_t keyCount = 0;
    std::uint32_t left = kNoNode;
    std::uint32_t right = kNoNode;

    bool isLeaf() const { return (attributes & kAttributeLeaf) != 0; }
    bool isRoot() const { return (attributes & kAttributeRoot) != 0; }
};

inline NodeLinks readNodeLinks(ConstPage page) {
    return {readLittle16(page, kNodeAttributes), readLittle16(page, kNodeKeyCount), readLittle32(page, kNodeLeft),
            readLittle32(page, kNodeRight)};
}

inline void writeNodeLinks(const NodeLinks& links, Page page) {
    writeLittle16(page, kNodeAttributes, links.attributes);
    writeLittle16(page, kNodeKeyCount, links.keyCount);
    writeLittle32(page, kNodeLeft, links.left);
    writeLittle32(page, kNodeRight, links.right);
}

}  // namespace dayvell::engine::cdx
