#include "store/engine/CompoundIndexFile.h"
#include "store/engine/EngineError.h"
#include "store/engine/CompoundIndexFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace dayvell::engine;
using dayvell::engine::testing::ScratchFolder;
using dayvell::engine::testing::dailyEntries;
using dayvell::engine::testing::dateTag;
using dayvell::engine::testing::readBytes;
using dayvell::engine::testing::writeBytes;
using ::testing::HasSubstr;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void putBig32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
}
std::uint32_t get32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}
std::uint32_t getBig32(const Bytes& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

// Fixtures. Small: directory header at 0, directory leaf at 1024, the tag's
// header at 1536 and its only leaf at 2560, holding a blank key (record 3),
// "19961210" (1) and "19961211" (2), two bytes a packed entry.
enum class Fixture { Small, ManyKeys, TwoTags, Unique };

constexpr std::size_t kTagHeader = 1536;
constexpr std::size_t kLeaf = 2560;

std::vector<IndexTag> fixtureTags(Fixture fixture) {
    switch (fixture) {
        case Fixture::Small:
            return {dateTag({{std::string(8, ' '), 3}, {"19961210", 1}, {"19961211", 2}})};
        case Fixture::ManyKeys:
            return {dateTag(dailyEntries(36500))};
        case Fixture::TwoTags: {
            IndexTag a = dateTag({});
            a.definition.name = "A";
            IndexTag b = dateTag({});
            b.definition.name = "B";
            return {a, b};
        }
        case Fixture::Unique: {
            IndexTag tag = dateTag({{"19961210", 1}, {"19961211", 2}});
            tag.definition.unique = true;
            return {tag};
        }
    }
    return {};
}

// In the many-keys fixture: the root and its first child.
std::uint32_t rootOf(const Bytes& bytes) { return get32(bytes, kTagHeader); }
std::uint32_t firstChildOf(const Bytes& bytes, std::uint32_t node) { return getBig32(bytes, node + 12 + 8 + 4); }
std::uint32_t firstLeafOf(const Bytes& bytes) {
    std::uint32_t node = rootOf(bytes);
    while ((bytes[node] & 2) == 0) node = firstChildOf(bytes, node);
    return node;
}

struct Damage {
    std::string name;
    Fixture fixture;
    std::function<void(Bytes&)> apply;
    std::string message;
};

std::vector<Damage> damages() {
    using F = Fixture;
    return {
        // The file as a whole
        {"EmptyFile", F::Small, [](Bytes& b) { b.clear(); }, "too short"},
        {"ShorterThanAHeader", F::Small, [](Bytes& b) { b.resize(1000); }, "too short"},
        {"NotWholePages", F::Small, [](Bytes& b) { b.resize(3000); }, "whole number of 512-byte pages"},
        {"TruncatedBeforeTheTagTree", F::Small, [](Bytes& b) { b.resize(kLeaf); }, "beyond the end"},
        {"TruncatedManyKeys", F::ManyKeys, [](Bytes& b) { b.resize(b.size() - 512); }, "beyond the end"},
        // Headers
        {"NotCompound", F::Small, [](Bytes& b) { b[14] = 0x20; }, "not a compound index"},
        {"NotCompact", F::Small, [](Bytes& b) { b[14] = 0x40; }, "not that of a compact index"},
        {"DirectoryRootOutsideFile", F::Small, [](Bytes& b) { put32(b, 0, 0x10000000); }, "beyond the end"},
        {"DirectoryRootOffPage", F::Small, [](Bytes& b) { put32(b, 0, 1025); }, "page boundary"},
        {"DirectoryRootIsItsHeader", F::Small, [](Bytes& b) { put32(b, 0, 0); }, "overlaps"},
        {"TagRootIsTheDirectoryLeaf", F::Small, [](Bytes& b) { put32(b, kTagHeader, 1024); }, "overlaps"},
        {"TagRootIsItsOwnHeader", F::Small, [](Bytes& b) { put32(b, kTagHeader, kTagHeader + 512); }, "overlaps"},
        {"KeyLengthZero", F::Small, [](Bytes& b) { put16(b, kTagHeader + 12, 0); }, "key length 0 is outside"},
        {"KeyLengthTooLong", F::Small, [](Bytes& b) { put16(b, kTagHeader + 12, 241); }, "key length 241"},
        {"SortOrderUnknown", F::Small, [](Bytes& b) { put16(b, kTagHeader + 502, 2); }, "sort order 2"},
        {"KeyExpressionUnterminated", F::Small,
         [](Bytes& b) { std::fill(b.begin() + kTagHeader + 512, b.begin() + kTagHeader + 1024, 'x'); },
         "key expression is not terminated"},
        {"FilterUnterminated", F::Small,
         [](Bytes& b) { std::fill(b.begin() + kTagHeader + 517, b.begin() + kTagHeader + 1024, 'x'); },
         "filter expression is not terminated"},
        // Tag directory entries
        {"TagHeaderOffPage", F::Small, [](Bytes& b) { b[1024 + 24] = 0x01; }, "page boundary"},
        {"TagHeaderOutsideFile", F::Small, [](Bytes& b) { b[1024 + 25] = 0x60; }, "beyond the end"},
        {"BlankTagName", F::Small, [](Bytes& b) { std::fill(b.begin() + 1024 + 508, b.begin() + 1024 + 512, ' '); },
         "blank tag name"},
        {"TagNamedTwice", F::TwoTags, [](Bytes& b) { b[1024 + 510] = 'A'; }, "names tag \"A\" twice"},
        // Leaf nodes
        {"UnknownAttributes", F::Small, [](Bytes& b) { put16(b, kLeaf, 7); }, "unknown node attributes 7"},
        {"RootNotMarked", F::Small, [](Bytes& b) { put16(b, kLeaf, 2); }, "root node is not marked as root"},
        {"KeyCountBeyondNode", F::Small, [](Bytes& b) { put16(b, kLeaf + 2, 300); }, "300 keys do not fit"},
        {"KeyCountOneTooMany", F::Small, [](Bytes& b) { put16(b, kLeaf + 2, 4); }, "key 4 has record number 0"},
        {"FreeSpaceBeyondNode", F::Small, [](Bytes& b) { put16(b, kLeaf + 12, 489); }, "free space 489 exceeds"},
        {"FreeSpaceMiscounted", F::Small, [](Bytes& b) { put16(b, kLeaf + 12, 472); }, "free space field says 472"},
        {"EntrySizeZero", F::Small, [](Bytes& b) { b[kLeaf + 23] = 0; }, "entry size 0"},
        {"EntrySizeNine", F::Small, [](Bytes& b) { b[kLeaf + 23] = 9; }, "entry size 9"},
        {"BitWidthsTooWide", F::Small, [](Bytes& b) { b[kLeaf + 20] = 20; }, "bit widths 20/4/4 do not fit"},
        {"RecordMaskMismatch", F::Small, [](Bytes& b) { put32(b, kLeaf + 14, 0x7F); }, "masks do not match"},
        {"RecordNumberZero", F::Small, [](Bytes& b) { b[kLeaf + 24] = 0; }, "key 1 has record number 0"},
        {"CountsBeyondKeyLength", F::Small, [](Bytes& b) { b[kLeaf + 27] = 0x99; }, "key 2 has duplicate and trailing"},
        {"FirstKeySharesBytes", F::Small, [](Bytes& b) { b[kLeaf + 25] = 0x01; }, "first key of the node shares"},
        {"KeysOutOfOrder", F::Small, [](Bytes& b) { b[kLeaf + 503] = '/'; }, "keys are out of order"},
        {"UniqueTagRepeatsKey", F::Unique, [](Bytes& b) { b[kLeaf + 503] = '0'; }, "is unique but repeats a key"},
        // Trees of several levels
        {"ChildPointsBackToTheRoot", F::ManyKeys,
         [](Bytes& b) { putBig32(b, rootOf(b) + 12 + 12, rootOf(b)); }, "overlaps"},
        {"InteriorNodeWithoutKeys", F::ManyKeys, [](Bytes& b) { put16(b, rootOf(b) + 2, 0); }, "holds no keys"},
        {"InteriorKeyCountBeyondNode", F::ManyKeys, [](Bytes& b) { put16(b, rootOf(b) + 2, 32); }, "32 keys do not fit"},
        {"InteriorKeyBelowItsChild", F::ManyKeys,
         [](Bytes& b) { std::fill_n(b.begin() + rootOf(b) + 12, 8, '0'); }, "lower than the keys of its child"},
        {"ChildMarkedAsRoot", F::ManyKeys, [](Bytes& b) { b[firstChildOf(b, rootOf(b))] |= 1; }, "marked as root"},
        {"LeafChainBroken", F::ManyKeys, [](Bytes& b) { put32(b, firstLeafOf(b) + 8, 0xFFFFFFFF); }, "sibling pointers"},
        {"EmptyLeafBelowTheRoot", F::ManyKeys,
         [](Bytes& b) {
             const std::uint32_t leaf = firstLeafOf(b);
             put16(b, leaf + 2, 0);
             put16(b, leaf + 12, 488);
         },
         "leaf node below the root holds no keys"},
    };
}

class DamagedCompoundIndex : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedCompoundIndex, IsReportedWithTheFileAndTheFault) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, fixtureTags(GetParam().fixture));
    Bytes bytes = readBytes(file);
    GetParam().apply(bytes);
    writeBytes(file, bytes);
    try {
        readCompoundIndex(file);
        FAIL() << "damage not noticed";
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCompoundIndex, ::testing::ValuesIn(damages()),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

// Any damage either reads as some index or is reported; nothing else may
// happen (run under the sanitizers to catch reads out of bounds).
void expectReadOrEngineError(const std::filesystem::path& file, const Bytes& bytes) {
    writeBytes(file, bytes);
    try {
        readCompoundIndex(file);
    } catch (const EngineError&) {
    }
}

TEST(DamagedCompoundIndexSweep, EveryByteOfASmallIndex) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, fixtureTags(Fixture::Small));
    const Bytes original = readBytes(file);
    for (std::size_t at = 0; at < original.size(); ++at) {
        for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, static_cast<std::uint8_t>(original[at] ^ 0x01),
                                         static_cast<std::uint8_t>(original[at] ^ 0x80)}) {
            Bytes damaged = original;
            damaged[at] = value;
            expectReadOrEngineError(file, damaged);
        }
    }
}

TEST(DamagedCompoundIndexSweep, RandomDamageToATreeOfSeveralLevels) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, fixtureTags(Fixture::ManyKeys));
    const Bytes original = readBytes(file);
    std::mt19937 random(20240229);
    std::uniform_int_distribution<std::size_t> position(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 1500; ++round) {
        Bytes damaged = original;
        for (int i = round % 4; i >= 0; --i) damaged[position(random)] = static_cast<std::uint8_t>(byte(random));
        expectReadOrEngineError(file, damaged);
    }
    for (std::size_t size = 0; size < original.size(); size += 512 + 37) {
        expectReadOrEngineError(file, Bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(size)));
    }
}

}  // namespace
