#include "store/engine/CompoundIndexFile.h"
#include "store/engine/EngineError.h"
#include "store/engine/CompoundIndexFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace dayvell::engine;
using dayvell::engine::testing::ScratchFolder;
using dayvell::engine::testing::dailyEntries;
using dayvell::engine::testing::dateTag;
using dayvell::engine::testing::dateTagDefinition;
using dayvell::engine::testing::readBytes;
using ::testing::HasSubstr;

namespace {

std::uint32_t little32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}
std::uint16_t little16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
std::uint32_t big32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}
std::string text(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t length) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
}

const std::string kBlankDate(8, ' ');

// ---------------------------------------------------------------- round trips

struct RoundTripCase {
    std::string name;
    std::vector<IndexTag> tags;
};

std::vector<IndexEntry> duplicateKeys() {
    return {{kBlankDate, 4}, {kBlankDate, 9}, {"20010305", 1}, {"20010305", 2}, {"20010305", 7}, {"20010306", 3}};
}

// Keys sharing prefixes and trailing blanks of every length, in both orders.
IndexTag prefixAndBlankTag() {
    TagDefinition definition{"WORDS", "upper(word)", "", false, false, 12};
    std::vector<IndexEntry> entries;
    for (const std::string word : {"", "A", "AB", "AB C", "ABC", "ABCDEFGHIJKL", "B", "B B", "BB"}) {
        std::string key = word;
        key.resize(12, ' ');
        entries.push_back({key, static_cast<std::uint32_t>(entries.size() + 1)});
    }
    return {definition, entries};
}

// Longest keys, high bytes and NULs inside keys, record numbers up to the maximum.
IndexTag wideTag() {
    TagDefinition definition{"WIDE", "memo_key", "", false, false, 240};
    std::vector<IndexEntry> entries;
    for (std::uint32_t i = 0; i < 40; ++i) {
        std::string key(240, static_cast<char>('a' + i % 26));
        key[0] = static_cast<char>(i < 20 ? 0x10 : 0xF0);
        key[1] = static_cast<char>(i);
        key[100] = '\0';
        entries.push_back({key, i == 39 ? 0xFFFFFFFFu : 1000000u * i + 1});
    }
    std::sort(entries.begin(), entries.end(),
              [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
    return {definition, entries};
}

std::vector<RoundTripCase> roundTripCases() {
    std::vector<RoundTripCase> cases;
    cases.push_back({"NoTags", {}});
    cases.push_back({"EmptyTag", {dateTag({})}});
    cases.push_back({"OneKey", {dateTag({{"19961210", 1}})}});
    cases.push_back({"OnlyBlankKeys", {dateTag({{kBlankDate, 1}, {kBlankDate, 2}, {kBlankDate, 3}})}});
    cases.push_back({"DuplicatesAndBlanks", {dateTag(duplicateKeys())}});
    cases.push_back({"ManyKeysOnSeveralLevels", {dateTag(dailyEntries(36500))}});
    cases.push_back({"PrefixesAndTrailingBlanks", {prefixAndBlankTag()}});
    cases.push_back({"LongKeysAndLargeRecordNumbers", {wideTag()}});

    TagDefinition unique{"NAME_1", "upper(name)", "!deleted()", true, true, 4};
    TagDefinition lower{"lower", "lower(x)", "", false, false, 1};
    cases.push_back({"SeveralTags",
                     {dateTag(dailyEntries(700)),
                      {unique, {{"ANNA", 2}, {"BERT", 1}, {"CARL", 3}}},
                      {lower, {{"a", 1}, {"a", 2}, {"b", 3}}},
                      {TagDefinition{"EMPTY", "x", "", false, false, 3}, {}}}});

    std::vector<IndexTag> manyTags;
    for (int i = 0; i < 120; ++i) {
        TagDefinition definition = dateTagDefinition();
        definition.name = "T" + std::to_string(1000 + i * 7 % 120);
        manyTags.push_back({definition, dailyEntries(static_cast<std::size_t>(i))});
    }
    cases.push_back({"TagDirectoryOnSeveralLevels", manyTags});
    return cases;
}

class CompoundIndexRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CompoundIndexRoundTrip, ReadsBackWhatWasWritten) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, GetParam().tags);
    EXPECT_EQ(readCompoundIndex(file), GetParam().tags);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompoundIndexRoundTrip, ::testing::ValuesIn(roundTripCases()),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(CompoundIndexFile, RewritingReplacesTheWholeFile) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, {dateTag(dailyEntries(5000))});
    const std::vector<IndexTag> smaller{dateTag({{"20000101", 1}})};
    writeCompoundIndexDurably(file, smaller);
    EXPECT_EQ(readCompoundIndex(file), smaller);
    EXPECT_EQ(std::filesystem::file_size(file), 3072u);
}

// ---------------------------------------------------------------- layout

// Directory header, one directory leaf, the tag's header and one leaf.
class CompoundIndexLayout : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = folder_ / "DAYVELL.CDX";
        writeCompoundIndex(file_, {dateTag({{kBlankDate, 3}, {"19961210", 1}, {"19961211", 2}})});
        bytes_ = readBytes(file_);
        ASSERT_EQ(bytes_.size(), 3072u);
    }

    ScratchFolder folder_;
    std::filesystem::path file_;
    std::vector<std::uint8_t> bytes_;
};

TEST_F(CompoundIndexLayout, TagDirectoryHeader) {
    EXPECT_EQ(little32(bytes_, 0), 1024u);         // root node
    EXPECT_EQ(little32(bytes_, 4), 0xFFFFFFFFu);   // no free list
    EXPECT_EQ(little16(bytes_, 12), 10);           // tag names are the keys
    EXPECT_EQ(bytes_[14], 0x60);                   // compact, compound
    EXPECT_EQ(bytes_[15], 1);                      // signature
    EXPECT_EQ(little16(bytes_, 502), 0);           // ascending
    EXPECT_EQ(little16(bytes_, 510), 1);           // empty key expression
}

TEST_F(CompoundIndexLayout, TagDirectoryLeafPointsAtTheTagHeader) {
    const std::size_t node = 1024;
    EXPECT_EQ(little16(bytes_, node), 3);  // root and leaf
    EXPECT_EQ(little16(bytes_, node + 2), 1);
    EXPECT_EQ(little32(bytes_, node + 4), 0xFFFFFFFFu);
    EXPECT_EQ(little32(bytes_, node + 8), 0xFFFFFFFFu);
    // Offset 1536 needs 11 bits; with 4 + 4 count bits that takes 3 bytes.
    EXPECT_EQ(bytes_[node + 20], 16);
    EXPECT_EQ(bytes_[node + 21], 4);
    EXPECT_EQ(bytes_[node + 22], 4);
    EXPECT_EQ(bytes_[node + 23], 3);
    EXPECT_EQ(little32(bytes_, node + 14), 0xFFFFu);
    EXPECT_EQ(bytes_[node + 18], 0x0F);
    EXPECT_EQ(bytes_[node + 19], 0x0F);
    // Record number 1536, no shared bytes, six trailing blanks; "DATE" at the end.
    EXPECT_EQ(bytes_[node + 24], 0x00);
    EXPECT_EQ(bytes_[node + 25], 0x06);
    EXPECT_EQ(bytes_[node + 26], 0x60);
    EXPECT_EQ(text(bytes_, node + 508, 4), "DATE");
    EXPECT_EQ(little16(bytes_, node + 12), 488 - 3 - 4);
}

TEST_F(CompoundIndexLayout, TagHeader) {
    const std::size_t header = 1536;
    EXPECT_EQ(little32(bytes_, header), 2560u);
    EXPECT_EQ(little32(bytes_, header + 4), 0xFFFFFFFFu);
    EXPECT_EQ(little16(bytes_, header + 12), 8);
    EXPECT_EQ(bytes_[header + 14], 0x60);
    EXPECT_EQ(bytes_[header + 15], 1);
    EXPECT_EQ(little16(bytes_, header + 502), 0);
    EXPECT_EQ(little16(bytes_, header + 504), 6);  // "date\0" and an empty filter's "\0"
    EXPECT_EQ(little16(bytes_, header + 506), 1);
    EXPECT_EQ(little16(bytes_, header + 510), 5);
    EXPECT_EQ(text(bytes_, header + 512, 6), std::string("date\0\0", 6));
}

TEST_F(CompoundIndexLayout, TagLeafCompressesKeys) {
    const std::size_t node = 2560;
    EXPECT_EQ(little16(bytes_, node), 3);
    EXPECT_EQ(little16(bytes_, node + 2), 3);
    // Record numbers up to 3: 8 record bits and 4 + 4 count bits in 2 bytes.
    EXPECT_EQ(little32(bytes_, node + 14), 0xFFu);
    EXPECT_EQ(bytes_[node + 20], 8);
    EXPECT_EQ(bytes_[node + 21], 4);
    EXPECT_EQ(bytes_[node + 22], 4);
    EXPECT_EQ(bytes_[node + 23], 2);
    const std::vector<std::uint8_t> packed(bytes_.begin() + node + 24, bytes_.begin() + node + 30);
    EXPECT_EQ(packed, (std::vector<std::uint8_t>{
                          0x03, 0x80,  // record 3, blank key: 8 trailing blanks
                          0x01, 0x00,  // record 1, "19961210" stored whole
                          0x02, 0x07,  // record 2, 7 bytes shared with the key before
                      }));
    EXPECT_EQ(text(bytes_, node + 503, 9), "119961210");
    EXPECT_EQ(little16(bytes_, node + 12), 488 - 6 - 9);
    EXPECT_TRUE(std::all_of(bytes_.begin() + node + 30, bytes_.begin() + node + 503, [](auto b) { return b == 0; }));
}

TEST_F(CompoundIndexLayout, TagHeaderFlags) {
    TagDefinition definition = dateTagDefinition();
    definition.unique = true;
    definition.descending = true;
    definition.filter = "!deleted()";
    writeCompoundIndex(file_, {{definition, {{"19961210", 1}}}});
    bytes_ = readBytes(file_);
    EXPECT_EQ(bytes_[1536 + 14], 0x60 | 0x01 | 0x08);
    EXPECT_EQ(little16(bytes_, 1536 + 502), 1);
    EXPECT_EQ(little16(bytes_, 1536 + 506), 11);
    EXPECT_EQ(text(bytes_, 1536 + 512, 16), std::string("date\0!deleted()\0", 16));
}

TEST(CompoundIndexTree, InteriorNodesHoldTheLastKeyOfEachChild) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    const auto entries = dailyEntries(36500);
    writeCompoundIndex(file, {dateTag(entries)});
    const auto bytes = readBytes(file);

    const std::uint32_t root = little32(bytes, 1536);
    ASSERT_EQ(little16(bytes, root), 1);  // root, interior
    const std::size_t count = little16(bytes, root + 2);
    ASSERT_GE(count, 2u);
    ASSERT_LE(count, 500u / 16);
    const std::size_t lastEntry = root + 12 + (count - 1) * 16;
    EXPECT_EQ(text(bytes, lastEntry, 8), entries.back().key);
    EXPECT_EQ(big32(bytes, lastEntry + 8), entries.back().recno);

    // Down the leftmost edge to the first leaf, then along the leaf chain.
    std::uint32_t node = root;
    int depth = 0;
    while ((little16(bytes, node) & 2) == 0) {
        EXPECT_EQ(little32(bytes, node + 4), 0xFFFFFFFFu);
        node = big32(bytes, node + 12 + 12);
        ++depth;
    }
    EXPECT_GE(depth, 2);
    std::size_t keys = 0;
    std::uint32_t previous = 0xFFFFFFFFu;
    while (node != 0xFFFFFFFFu) {
        EXPECT_EQ(little16(bytes, node), 2);
        EXPECT_EQ(little32(bytes, node + 4), previous);
        keys += little16(bytes, node + 2);
        previous = node;
        node = little32(bytes, node + 8);
    }
    EXPECT_EQ(keys, entries.size());
}

// ---------------------------------------------------------------- invalid input

struct InvalidTagCase {
    std::string name;
    IndexTag tag;
    std::string message;
};

IndexTag dateTagWith(void (*change)(IndexTag&)) {
    IndexTag tag = dateTag({{"19961210", 1}, {"19961211", 2}});
    change(tag);
    return tag;
}

std::vector<InvalidTagCase> invalidTagCases() {
    return {
        {"EmptyName", dateTagWith([](IndexTag& t) { t.definition.name = ""; }), "tag name"},
        {"NameTooLong", dateTagWith([](IndexTag& t) { t.definition.name = "ABCDEFGHIJK"; }), "tag name"},
        {"NameWithBlank", dateTagWith([](IndexTag& t) { t.definition.name = "DA TE"; }), "tag name"},
        {"NameStartsWithDigit", dateTagWith([](IndexTag& t) { t.definition.name = "1DATE"; }), "tag name"},
        {"KeyLengthZero", dateTagWith([](IndexTag& t) { t.definition.keyLength = 0; }), "key length 0"},
        {"KeyLengthTooLarge", dateTagWith([](IndexTag& t) { t.definition.keyLength = 241; }), "key length 241"},
        {"EmptyExpression", dateTagWith([](IndexTag& t) { t.definition.expression = ""; }), "expression is empty"},
        {"ExpressionWithNul", dateTagWith([](IndexTag& t) { t.definition.expression = std::string("da\0te", 5); }),
         "NUL"},
        {"ExpressionsTooLong", dateTagWith([](IndexTag& t) { t.definition.filter = std::string(507, 'x'); }),
         "longer than"},
        {"ShortKey", dateTagWith([](IndexTag& t) { t.entries[1].key = "1996121"; }), "entry 2 has a key of 7 bytes"},
        {"RecordZero", dateTagWith([](IndexTag& t) { t.entries[0].recno = 0; }), "entry 1 has record number 0"},
        {"KeysOutOfOrder", dateTagWith([](IndexTag& t) { std::swap(t.entries[0].key, t.entries[1].key); }),
         "entry 2 is out of"},
        {"RepeatedEntry", dateTagWith([](IndexTag& t) { t.entries[1] = t.entries[0]; }), "entry 2 is out of"},
        {"UniqueRepeatsKey",
         dateTagWith([](IndexTag& t) {
             t.definition.unique = true;
             t.entries[1].key = t.entries[0].key;
         }),
         "repeats a key"},
    };
}

class CompoundIndexInvalidTag : public ::testing::TestWithParam<InvalidTagCase> {};

TEST_P(CompoundIndexInvalidTag, IsRefusedAndTheOldFileKept) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    const std::vector<IndexTag> original{dateTag(dailyEntries(10))};
    writeCompoundIndex(file, original);
    try {
        writeCompoundIndex(file, {GetParam().tag});
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr(GetParam().message));
    }
    EXPECT_EQ(readCompoundIndex(file), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompoundIndexInvalidTag, ::testing::ValuesIn(invalidTagCases()),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(CompoundIndexFile, RefusesTwoTagsOfTheSameName) {
    ScratchFolder folder;
    IndexTag other = dateTag({});
    other.definition.name = "Date";
    EXPECT_THAT([&] { writeCompoundIndex(folder / "X.CDX", {dateTag({}), other}); },
                ::testing::ThrowsMessage<EngineError>(HasSubstr("repeats tag \"DATE\"")));
    EXPECT_FALSE(std::filesystem::exists(folder / "X.CDX"));
}

// ---------------------------------------------------------------- the file on disk

TEST(CompoundIndexFile, KeepsThePermissionsOfTheFileItReplaces) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    writeCompoundIndex(file, {dateTag({})});
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    writeCompoundIndex(file, {dateTag(dailyEntries(3))});
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(CompoundIndexFile, WritingIntoAMissingFolderNamesTheFile) {
    ScratchFolder folder;
    const auto file = folder / "missing" / "DAYVELL.CDX";
    EXPECT_THAT([&] { writeCompoundIndex(file, {dateTag({})}); },
                ::testing::ThrowsMessage<EngineError>(HasSubstr(file.string())));
}

TEST(CompoundIndexFile, ReadingAMissingFileNamesTheFile) {
    ScratchFolder folder;
    const auto file = folder / "DAYVELL.CDX";
    EXPECT_THAT([&] { readCompoundIndex(file); }, ::testing::ThrowsMessage<EngineError>(HasSubstr(file.string())));
}

}  // namespace
