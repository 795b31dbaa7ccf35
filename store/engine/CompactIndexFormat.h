#pragma once

// Layout constants of compact index files and their compound form, shared by
// the code that writes and the code that reads them.

#include <cstddef>
#include <cstdint>
#include <span>

namespace dayvell::engine::cdx {

inline constexpr std::size_t kPageSize = 512;
// A header is one page of fields followed by one page of expression text.
inline constexpr std::size_t kHeaderSize = 1024;
inline constexpr std::size_t kExpressionPoolSize = 512;

inline constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;
inline constexpr std::size_t kMaxKeyLength = 240;
inline constexpr std::size_t kTagNameLength = 10;
inline constexpr char kBlank = ' ';

// Header fields (byte offsets).
inline constexpr std::size_t kHeaderRoot = 0;
inline constexpr std::size_t kHeaderFreeList = 4;
inline constexpr std::size_t kHeaderKeyLength = 12;
inline constexpr std::size_t kHeaderOptions = 14;
inline constexpr std::size_t kHeaderSignature = 15;
inline constexpr std::size_t kHeaderOrder = 502;
inline constexpr std::size_t kHeaderTotalExpressionLength = 504;
inline constexpr std::size_t kHeaderFilterLength = 506;
inline constexpr std::size_t kHeaderKeyExpressionLength = 510;
inline constexpr std::size_t kHeaderExpressionPool = 512;

inline constexpr std::uint8_t kSignature = 1;

// Header option bits.
inline constexpr std::uint8_t kOptionUnique = 0x01;
inline constexpr std::uint8_t kOptionHasFilter = 0x08;
inline constexpr std::uint8_t kOptionCompact = 0x20;
inline constexpr std::uint8_t kOptionCompound = 0x40;

// Node attribute bits; an interior node that is not the root has none.
inline constexpr std::uint16_t kAttributeRoot = 0x01;
inline constexpr std::uint16_t kAttributeLeaf = 0x02;

// Fields every node starts with.
inline constexpr std::size_t kNodeAttributes = 0;
inline constexpr std::size_t kNodeKeyCount = 2;
inline constexpr std::size_t kNodeLeft = 4;
inline constexpr std::size_t kNodeRight = 8;

// Interior nodes: from byte 12, entries of key, record number and child
// pointer, the last two big-endian.
inline constexpr std::size_t kInteriorEntries = 12;
inline constexpr std::size_t kInteriorSpace = kPageSize - kInteriorEntries;

// Leaf nodes: free space, the masks and bit widths of the packed entry fields,
// then the packed entries from byte 24 upwards and the key bytes from the end
// of the node downwards.
inline constexpr std::size_t kLeafFreeSpace = 12;
inline constexpr std::size_t kLeafRecnoMask = 14;
inline constexpr std::size_t kLeafDuplicateMask = 18;
inline constexpr std::size_t kLeafTrailingMask = 19;
inline constexpr std::size_t kLeafRecnoBits = 20;
inline constexpr std::size_t kLeafDuplicateBits = 21;
inline constexpr std::size_t kLeafTrailingBits = 22;
inline constexpr std::size_t kLeafEntryBytes = 23;
inline constexpr std::size_t kLeafEntries = 24;
inline constexpr std::size_t kLeafSpace = kPageSize - kLeafEntries;

using Page = std::span<std::uint8_t, kPageSize>;
using ConstPage = std::span<const std::uint8_t, kPageSize>;

inline std::uint16_t readLittle16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t readLittle32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline std::uint32_t readBig32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return (static_cast<std::uint32_t>(bytes[at]) << 24) | (static_cast<std::uint32_t>(bytes[at + 1]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 8) | static_cast<std::uint32_t>(bytes[at + 3]);
}

inline void writeLittle16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeLittle32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void writeBig32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
}

}  // namespace dayvell::engine::cdx
