#include "store/engine/CompactInteriorNode.h"

#include "store/engine/EngineError.h"

#include <algorithm>

namespace dayvell::engine::cdx {

void encodeInteriorNode(std::span<const InteriorEntry> entries, std::size_t keyLength, NodeLinks links, Page page) {
    links.keyCount = static_cast<std::uint16_t>(entries.size());
    writeNodeLinks(links, page);
    std::size_t at = kInteriorEntries;
    for (const InteriorEntry& entry : entries) {
        std::copy_n(entry.key.begin(), keyLength, page.begin() + static_cast<std::ptrdiff_t>(at));
        writeBig32(page, at + keyLength, entry.recno);
        writeBig32(page, at + keyLength + 4, entry.child);
        at += keyLength + 8;
    }
}

std::vector<InteriorEntry> decodeInteriorNode(ConstPage page, std::size_t keyLength, std::string_view context) {
    const NodeLinks links = readNodeLinks(page);
    if (links.keyCount == 0) throw EngineError(std::string(context) + ": interior node holds no keys");
    if (links.keyCount > interiorCapacity(keyLength))
        throw EngineError(std::string(context) + ": " + std::to_string(links.keyCount) +
                          " keys do not fit into an interior node");

    std::vector<InteriorEntry> entries;
    entries.reserve(links.keyCount);
    std::size_t at = kInteriorEntries;
    for (std::size_t i = 0; i < links.keyCount; ++i) {
        const auto key = page.begin() + static_cast<std::ptrdiff_t>(at);
        entries.push_back({std::string(key, key + static_cast<std::ptrdiff_t>(keyLength)), readBig32(page, at + keyLength),
                           readBig32(page, at + keyLength + 4)});
        at += keyLength + 8;
    }
    return entries;
}

}  // namespace dayvell::engine::cdx
