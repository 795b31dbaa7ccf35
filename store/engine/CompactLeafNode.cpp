#include "store/engine/CompactLeafNode.h"

#include "store/engine/EngineError.h"

#include <algorithm>
#include <bit>
#include <string>

namespace dayvell::engine::cdx {

namespace {

struct KeyCompression {
    std::size_t duplicate = 0;
    std::size_t trailing = 0;
};

std::size_t trailingBlanks(std::string_view key) {
    const auto last = key.find_last_not_of(kBlank);
    return last == std::string_view::npos ? key.size() : key.size() - last - 1;
}

// The shared prefix never reaches into the previous key's trailing blanks:
// some readers rebuild those as NULs when they copy the prefix.
KeyCompression compress(std::string_view previous, std::string_view key) {
    KeyCompression result;
    result.trailing = trailingBlanks(key);
    if (previous.empty()) return result;
    const std::size_t limit = std::min(key.size() - result.trailing, previous.size() - trailingBlanks(previous));
    while (result.duplicate < limit && previous[result.duplicate] == key[result.duplicate]) ++result.duplicate;
    return result;
}

std::uint32_t lowBitsMask(unsigned bits) {
    return bits >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << bits) - 1;
}

[[noreturn]] void fail(std::string_view context, const std::string& what) {
    throw EngineError(std::string(context) + ": " + what);
}

}  // namespace

LeafBitLayout LeafBitLayout::forKeys(std::size_t keyLength, std::uint32_t maxRecno) {
    LeafBitLayout layout;
    layout.duplicateBits = static_cast<std::uint8_t>(std::bit_width(keyLength));
    layout.trailingBits = layout.duplicateBits;
    const unsigned countBits = layout.duplicateBits + layout.trailingBits;
    const unsigned recnoNeeded = std::max(1u, static_cast<unsigned>(std::bit_width(maxRecno)));
    layout.entryBytes = static_cast<std::uint8_t>((recnoNeeded + countBits + 7) / 8);
    // The record number mask is a 32-bit field: spare bits above stay unused.
    layout.recnoBits = static_cast<std::uint8_t>(std::min(32u, layout.entryBytes * 8u - countBits));
    return layout;
}

LeafNodeEncoder::LeafNodeEncoder(std::size_t keyLength, LeafBitLayout layout)
    : keyLength_(keyLength), layout_(layout) {}

std::size_t LeafNodeEncoder::countFitting(std::span<const IndexEntry> entries) const {
    std::size_t used = 0;
    std::string_view previous;
    std::size_t count = 0;
    for (const IndexEntry& entry : entries) {
        const KeyCompression c = compress(previous, entry.key);
        const std::size_t cost = layout_.entryBytes + keyLength_ - c.duplicate - c.trailing;
        if (used + cost > kLeafSpace) break;
        used += cost;
        previous = entry.key;
        ++count;
    }
    return count;
}

void LeafNodeEncoder::encode(std::span<const IndexEntry> entries, NodeLinks links, Page page) const {
    links.keyCount = static_cast<std::uint16_t>(entries.size());
    writeNodeLinks(links, page);

    std::size_t keyEnd = kPageSize;
    std::string_view previous;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IndexEntry& entry = entries[i];
        const KeyCompression c = compress(previous, entry.key);
        const std::size_t stored = keyLength_ - c.duplicate - c.trailing;
        keyEnd -= stored;
        std::copy_n(entry.key.begin() + static_cast<std::ptrdiff_t>(c.duplicate), stored, page.begin() + static_cast<std::ptrdiff_t>(keyEnd));

        const std::uint64_t packed = std::uint64_t{entry.recno} | (std::uint64_t{c.duplicate} << layout_.recnoBits) |
                                     (std::uint64_t{c.trailing} << (layout_.recnoBits + layout_.duplicateBits));
        const std::size_t at = kLeafEntries + i * layout_.entryBytes;
        for (std::size_t b = 0; b < layout_.entryBytes; ++b) page[at + b] = static_cast<std::uint8_t>(packed >> (8 * b));
        previous = entry.key;
    }

    const std::size_t used = entries.size() * layout_.entryBytes + (kPageSize - keyEnd);
    writeLittle16(page, kLeafFreeSpace, static_cast<std::uint16_t>(kLeafSpace - used));
    writeLittle32(page, kLeafRecnoMask, lowBitsMask(layout_.recnoBits));
    page[kLeafDuplicateMask] = static_cast<std::uint8_t>(lowBitsMask(layout_.duplicateBits));
    page[kLeafTrailingMask] = static_cast<std::uint8_t>(lowBitsMask(layout_.trailingBits));
    page[kLeafRecnoBits] = layout_.recnoBits;
    page[kLeafDuplicateBits] = layout_.duplicateBits;
    page[kLeafTrailingBits] = layout_.trailingBits;
    page[kLeafEntryBytes] = layout_.entryBytes;
}

void decodeLeafNode(ConstPage page, std::size_t keyLength, std::string_view context, std::vector<IndexEntry>& out) {
    const NodeLinks links = readNodeLinks(page);
    const std::size_t freeSpace = readLittle16(page, kLeafFreeSpace);
    const std::uint32_t recnoMask = readLittle32(page, kLeafRecnoMask);
    const unsigned recnoBits = page[kLeafRecnoBits];
    const unsigned duplicateBits = page[kLeafDuplicateBits];
    const unsigned trailingBits = page[kLeafTrailingBits];
    const std::size_t entryBytes = page[kLeafEntryBytes];

    if (entryBytes < 1 || entryBytes > 8) fail(context, "leaf entry size " + std::to_string(entryBytes) + " is outside 1 to 8 bytes");
    if (recnoBits < 1 || recnoBits > 32 || duplicateBits > 8 || trailingBits > 8 ||
        recnoBits + duplicateBits + trailingBits > entryBytes * 8)
        fail(context, "leaf bit widths " + std::to_string(recnoBits) + "/" + std::to_string(duplicateBits) + "/" +
                          std::to_string(trailingBits) + " do not fit " + std::to_string(entryBytes) + "-byte entries");
    if (recnoMask != lowBitsMask(recnoBits) || page[kLeafDuplicateMask] != lowBitsMask(duplicateBits) ||
        page[kLeafTrailingMask] != lowBitsMask(trailingBits))
        fail(context, "leaf masks do not match their bit widths");
    if (freeSpace > kLeafSpace) fail(context, "free space " + std::to_string(freeSpace) + " exceeds the node");
    if (std::size_t{links.keyCount} * entryBytes > kLeafSpace)
        fail(context, std::to_string(links.keyCount) + " keys do not fit into a leaf node");

    const std::size_t entriesEnd = kLeafEntries + std::size_t{links.keyCount} * entryBytes;
    std::size_t keyEnd = kPageSize;
    std::string previous;
    previous.reserve(keyLength);
    for (std::size_t i = 0; i < links.keyCount; ++i) {
        std::uint64_t packed = 0;
        const std::size_t at = kLeafEntries + i * entryBytes;
        for (std::size_t b = 0; b < entryBytes; ++b) packed |= std::uint64_t{page[at + b]} << (8 * b);
        const std::uint32_t recno = static_cast<std::uint32_t>(packed & recnoMask);
        const std::size_t duplicate = (packed >> recnoBits) & lowBitsMask(duplicateBits);
        const std::size_t trailing = (packed >> (recnoBits + duplicateBits)) & lowBitsMask(trailingBits);

        const auto which = [i] { return "key " + std::to_string(i + 1); };
        if (recno == 0) fail(context, which() + " has record number 0");
        if (duplicate + trailing > keyLength)
            fail(context, which() + " has duplicate and trailing counts beyond the key length");
        if (i == 0 && duplicate != 0) fail(context, "first key of the node shares bytes with no previous key");
        const std::size_t stored = keyLength - duplicate - trailing;
        if (keyEnd - entriesEnd < stored) fail(context, which() + " runs into the entry table");
        keyEnd -= stored;

        previous.resize(duplicate);
        previous.append(page.begin() + static_cast<std::ptrdiff_t>(keyEnd), page.begin() + static_cast<std::ptrdiff_t>(keyEnd + stored));
        previous.append(trailing, kBlank);
        out.push_back({previous, recno});
    }

    const std::size_t actualFree = keyEnd - entriesEnd;
    if (actualFree != freeSpace)
        fail(context, "free space field says " + std::to_string(freeSpace) + " bytes but " + std::to_string(actualFree) +
                          " are free");
}

}  // namespace dayvell::engine::cdx
