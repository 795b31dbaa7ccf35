#include "TableTestSupport.h"

#include "store/engine/EngineError.h"
#include "store/engine/Table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;
using ::testing::HasSubstr;

namespace {

// Offsets in the table written by DamagedTable::SetUp: a 97-byte header, then records.
constexpr std::size_t kFirstRecord = 97;
constexpr std::size_t kMemoField = 9;

class DamagedTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        Table::create(table, diaryFields());
        Table open(table);
        appendEntry(open, "20010301", "first entry");
        appendEntry(open, "20010302", "second entry");
        open.createIndexTag({}, "DATE", "date");
    }

    void patch(const std::filesystem::path& file, std::size_t at, const std::string& bytes)
    {
        std::string content = readBytes(file);
        content.replace(at, bytes.size(), bytes);
        writeBytes(file, content);
    }

    TempFolder folder;
    std::filesystem::path table = folder / "DAYVELL.DBF";
    std::filesystem::path memo = folder / "DAYVELL.FPT";
};

struct OpenDamage {
    const char* name;
    const char* file;  // "DBF" or "FPT"
    std::function<void(std::string&)> damage;
    const char* message;
};

class DamageFoundAtOpen : public DamagedTable, public ::testing::WithParamInterface<OpenDamage> {};

TEST_P(DamageFoundAtOpen, RaisesAnErrorNamingTheFileAndTheFault)
{
    const auto& c = GetParam();
    const auto& file = std::string(c.file) == "DBF" ? table : memo;
    std::string bytes = readBytes(file);
    c.damage(bytes);
    writeBytes(file, bytes);
    try {
        Table open(table);
        FAIL() << "the damaged table opened";
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.filename().string()));
        EXPECT_THAT(error.what(), HasSubstr(c.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamageFoundAtOpen,
    ::testing::Values(
        OpenDamage {"TableCutInTheHeader", "DBF", [](std::string& b) { b.resize(10); }, "too short"},
        OpenDamage {"TableCutInARecord", "DBF", [](std::string& b) { b.resize(b.size() - 6); }, "holds only 1"},
        OpenDamage {"UnknownVersion", "DBF", [](std::string& b) { b[0] = 0x00; }, "version byte"},
        OpenDamage {"CountBeyondTheFile", "DBF", [](std::string& b) { b[4] = char(0xE8); b[5] = 0x03; }, "counts 1000 records"},
        OpenDamage {"HeaderLengthBeyondTheFile", "DBF", [](std::string& b) { b[8] = 0x60; b[9] = char(0xEA); }, "header length"},
        OpenDamage {"NoEndOfFields", "DBF", [](std::string& b) { b[96] = 'X'; }, "runs past the header"},
        OpenDamage {"RecordLengthWrong", "DBF", [](std::string& b) { b[10] = 30; }, "record length 30"},
        OpenDamage {"FieldOfWidthZero", "DBF", [](std::string& b) { b[32 + 16] = 0; }, "width 0"},
        OpenDamage {"MemoFileCutInItsHeader", "FPT", [](std::string& b) { b.resize(100); }, "shorter than its 512-byte header"},
        OpenDamage {"MemoBlockSizeZero", "FPT", [](std::string& b) { b[6] = 0; b[7] = 0; }, "block size is 0"},
        OpenDamage {"NextFreeBlockInTheHeader", "FPT", [](std::string& b) { b[3] = 2; }, "inside the header"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(DamagedTable, AMissingMemoFileIsNamed)
{
    std::filesystem::remove(memo);
    try {
        Table open(table);
        FAIL();
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr("DAYVELL.FPT"));
        EXPECT_THAT(error.what(), HasSubstr("missing"));
    }
}

TEST_F(DamagedTable, BytesLeftAfterTheLastRecordAreIgnored)
{
    std::string bytes = readBytes(table);
    bytes.back() = ' ';
    bytes += " 2001 half a rec";
    writeBytes(table, bytes);
    Table open(table);
    EXPECT_EQ(open.recordCount(), 2u);
    open.append();
    open.setFieldText("DATE", "20010303");
    open.post();
    open.last();
    EXPECT_EQ(open.fieldText("DATE"), "20010303");
}

struct MemoDamage {
    const char* name;
    const char* file;
    std::size_t at;
    std::string bytes;
    const char* message;
};

class DamagedMemo : public DamagedTable, public ::testing::WithParamInterface<MemoDamage> {};

TEST_P(DamagedMemo, FailsOnlyForItsOwnRecord)
{
    const auto& c = GetParam();
    patch(std::string(c.file) == "DBF" ? table : memo, c.at, c.bytes);
    Table open(table);
    open.setOrder(1);
    ASSERT_TRUE(open.seek("20010301"));
    try {
        open.memoText("ENTRY");
        FAIL() << "the damaged memo was read";
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr(c.message));
    }
    EXPECT_EQ(open.fieldText("DATE"), "20010301");
    ASSERT_TRUE(open.seek("20010302"));
    EXPECT_EQ(open.memoText("ENTRY"), "second entry");

    EXPECT_THROW(open.pack(), EngineError) << "a pack would lose the damaged memo's record";
    EXPECT_EQ(open.recordCount(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedMemo,
    ::testing::Values(
        MemoDamage {"PointerPastTheEnd", "DBF", kFirstRecord + kMemoField, "   9999999", "past the end"},
        MemoDamage {"PointerIntoTheHeader", "DBF", kFirstRecord + kMemoField, "         1", "inside the file header"},
        MemoDamage {"PointerNotANumber", "DBF", kFirstRecord + kMemoField, "12ab      ", "not a block number"},
        MemoDamage {"LengthBeyondTheFile", "FPT", 512 + 4, std::string("\x7f\xff\xff\xff", 4), "claims"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
