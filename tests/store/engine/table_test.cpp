#include "TableTestSupport.h"

#include "store/engine/CompoundIndexFile.h"
#include "store/engine/EngineError.h"
#include "store/engine/Table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class DiaryTable : public ::testing::Test {
protected:
    void SetUp() override { Table::create(file, diaryFields()); }

    std::unique_ptr<Table> open() { return std::make_unique<Table>(file); }
    std::unique_ptr<Table> openIndexed()
    {
        auto table = open();
        if (table->tagOrder("DATE") == 0)
            table->createIndexTag({}, "DATE", "date");
        table->setOrder(1);
        return table;
    }

    TempFolder folder;
    std::filesystem::path file = folder / "DAYVELL.DBF";
};

std::uint32_t little32(const std::string& bytes, std::size_t at)
{
    return std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8 | std::uint8_t(bytes[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

std::uint32_t big32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) << 24 | std::uint8_t(bytes[at + 1]) << 16 |
           std::uint8_t(bytes[at + 2]) << 8 | std::uint8_t(bytes[at + 3]);
}

}  // namespace

TEST_F(DiaryTable, NewTableIsAFoxProTableWithAnEmptyMemoFile)
{
    const std::string dbf = readBytes(file);
    ASSERT_EQ(dbf.size(), 32u + 2 * 32 + 1 + 1);
    EXPECT_EQ(std::uint8_t(dbf[0]), 0xF5);
    EXPECT_EQ(little32(dbf, 4), 0u);
    EXPECT_EQ(std::uint8_t(dbf[8]) | std::uint8_t(dbf[9]) << 8, 97);
    EXPECT_EQ(std::uint8_t(dbf[10]) | std::uint8_t(dbf[11]) << 8, 1 + 8 + 10);
    EXPECT_EQ(dbf[28], 0) << "no structural index yet";
    EXPECT_EQ(dbf.substr(32, 5), std::string("DATE\0", 5));
    EXPECT_EQ(dbf[32 + 11], 'C');
    EXPECT_EQ(little32(dbf, 32 + 12), 1u);
    EXPECT_EQ(dbf[32 + 16], 8);
    EXPECT_EQ(dbf.substr(64, 6), std::string("ENTRY\0", 6));
    EXPECT_EQ(dbf[64 + 11], 'M');
    EXPECT_EQ(little32(dbf, 64 + 12), 9u);
    EXPECT_EQ(dbf[64 + 16], 10);
    EXPECT_EQ(dbf[96], 0x0D);
    EXPECT_EQ(dbf[97], 0x1A);

    const std::string fpt = readBytes(folder / "DAYVELL.FPT");
    ASSERT_EQ(fpt.size(), 512u);
    EXPECT_EQ(big32(fpt, 0), 512u / 64);
    EXPECT_EQ(std::uint8_t(fpt[6]) << 8 | std::uint8_t(fpt[7]), 64);
}

TEST_F(DiaryTable, RecordsAndMemosAreStoredInTheDocumentedForm)
{
    {
        auto table = open();
        appendEntry(*table, "19961210", "{\\rtf1 first}");
        table->flush();
    }
    const std::string dbf = readBytes(file);
    EXPECT_EQ(little32(dbf, 4), 1u);
    EXPECT_EQ(dbf.substr(97, 19), " 19961210         8");
    EXPECT_EQ(dbf.back(), 0x1A);
    EXPECT_EQ(dbf.size(), 97u + 19 + 1);

    const std::string fpt = readBytes(folder / "DAYVELL.FPT");
    EXPECT_EQ(big32(fpt, 512), 1u) << "text block";
    EXPECT_EQ(big32(fpt, 516), 13u);
    EXPECT_EQ(fpt.substr(520, 13), "{\\rtf1 first}");
    EXPECT_EQ(big32(fpt, 0), 9u) << "next free block";
    EXPECT_EQ(fpt.size(), 9u * 64);
}

struct BadFieldsCase {
    const char* name;
    std::vector<FieldDefinition> fields;
};

class RefusedFieldList : public ::testing::TestWithParam<BadFieldsCase> {};

TEST_P(RefusedFieldList, CreatesNothing)
{
    TempFolder folder;
    EXPECT_THROW(Table::create(folder / "T.DBF", GetParam().fields), EngineError);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFieldList,
    ::testing::Values(BadFieldsCase {"NoFields", {}},
                      BadFieldsCase {"NameTooLong", {{"ELEVENCHARS", 'C', 8, 0}}},
                      BadFieldsCase {"NameWithBlank", {{"MY DATE", 'C', 8, 0}}},
                      BadFieldsCase {"NameTwice", {{"DATE", 'C', 8, 0}, {"date", 'C', 4, 0}}},
                      BadFieldsCase {"NumericType", {{"AMOUNT", 'N', 8, 2}}},
                      BadFieldsCase {"ZeroWidth", {{"DATE", 'C', 0, 0}}},
                      BadFieldsCase {"TooWide", {{"DATE", 'C', 255, 0}}},
                      BadFieldsCase {"MemoNotTenWide", {{"ENTRY", 'M', 4, 0}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(DiaryTable, CreatingOverAnExistingTableFailsAndKeepsIt)
{
    appendEntry(*open(), "20010305", "kept");
    EXPECT_THROW(Table::create(file, diaryFields()), EngineError);
    auto table = open();
    EXPECT_EQ(table->memoText("ENTRY"), "kept");
}

TEST_F(DiaryTable, CreatingBesideALeftOverMemoFileFailsAndKeepsIt)
{
    appendEntry(*open(), "20010305", "kept");
    const std::string memo = readBytes(folder / "DAYVELL.FPT");
    std::filesystem::remove(file);
    EXPECT_THROW(Table::create(file, diaryFields()), EngineError);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(readBytes(folder / "DAYVELL.FPT"), memo);
}

TEST_F(DiaryTable, EntriesSurviveReopening)
{
    {
        auto table = open();
        appendEntry(*table, "19991231", "last of the century");
        appendEntry(*table, "20000101", std::string(3000, 'x'));
        appendEntry(*table, "20000102", "");
    }
    auto table = open();
    ASSERT_EQ(table->recordCount(), 3u);
    table->first();
    EXPECT_EQ(table->fieldText("DATE"), "19991231");
    EXPECT_EQ(table->memoText("ENTRY"), "last of the century");
    table->next();
    EXPECT_EQ(table->fieldText("entry"), std::string(3000, 'x')) << "memo fields read through fieldText too";
    table->next();
    EXPECT_EQ(table->memoText("ENTRY"), "");
    table->next();
    EXPECT_TRUE(table->atEnd());
    EXPECT_EQ(table->fieldText("DATE"), "");
}

TEST_F(DiaryTable, IndexOrderVisitsRecordsByKey)
{
    auto table = open();
    for (const char* date : {"20010305", "19961210", "19991231", "20010304"})
        appendEntry(*table, date, date);
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010305", "19961210", "19991231", "20010304"));

    table->createIndexTag({}, "DATE", "date");
    EXPECT_EQ(table->order(), 1) << "the new tag becomes the active order";
    EXPECT_THAT(datesInOrder(*table), ElementsAre("19961210", "19991231", "20010304", "20010305"));
    table->last();
    EXPECT_EQ(table->fieldText("DATE"), "20010305");

    EXPECT_EQ(table->setOrder(0), 1);
    EXPECT_EQ(table->setOrder(1), 0);
    EXPECT_EQ(table->tagOrder("date"), 1);
    EXPECT_EQ(table->tagOrder("NOSUCH"), 0);
    EXPECT_EQ(table->indexFile(1), folder / "DAYVELL.CDX");
    EXPECT_TRUE(table->indexFile(2).empty());
    EXPECT_THROW(table->setOrder(2), EngineError);
    EXPECT_EQ(std::uint8_t(readBytes(file)[28]), 0x01) << "the table announces its structural index";
}

struct SeekCase {
    std::string key;
    bool found;
    std::string date;
};

class SeekInDiary : public DiaryTable, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekInDiary, FindsTheFirstKeyThatStartsWithTheSoughtOne)
{
    auto table = openIndexed();
    for (const char* date : {"20010305", "19961210", "19961211", "20010304"})
        appendEntry(*table, date, std::string("text of ") + date);
    EXPECT_EQ(table->seek(GetParam().key), GetParam().found);
    EXPECT_EQ(table->atEnd(), !GetParam().found);
    EXPECT_EQ(table->fieldText("DATE"), GetParam().date);
    if (GetParam().found)
        EXPECT_EQ(table->memoText("ENTRY"), "text of " + GetParam().date);
    else
        EXPECT_EQ(table->recordNumber(), table->recordCount() + 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, SeekInDiary,
                         ::testing::Values(SeekCase {"19961211", true, "19961211"},
                                           SeekCase {"20010305", true, "20010305"},
                                           SeekCase {"1996", true, "19961210"},
                                           SeekCase {"19961212", false, ""},
                                           SeekCase {"19000101", false, ""},
                                           SeekCase {"20990101", false, ""}));

TEST_F(DiaryTable, SeekNeedsAnIndexOrder)
{
    auto table = open();
    EXPECT_THROW(table->seek("19961210"), EngineError);
}

TEST_F(DiaryTable, DeletedRecordsAreHiddenOnlyWhenAsked)
{
    auto table = openIndexed();
    for (const char* date : {"20010301", "20010302", "20010303"})
        appendEntry(*table, date, date);
    ASSERT_TRUE(table->seek("20010302"));
    table->deleteRecord();
    EXPECT_TRUE(table->isDeleted());

    EXPECT_TRUE(table->seek("20010302"));
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010301", "20010302", "20010303"));

    table->setDeletedHidden(true);
    EXPECT_FALSE(table->seek("20010302"));
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010301", "20010303"));
    table->setOrder(0);
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010301", "20010303"));

    table->flush();
    const auto tags = readCompoundIndex(folder / "DAYVELL.CDX");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].entries.size(), 3u) << "deleted records keep their keys in the index";
}

TEST_F(DiaryTable, AllRecordsHiddenLeavesTheTableAtItsEnd)
{
    auto table = openIndexed();
    appendEntry(*table, "20010301", "x");
    table->deleteRecord();
    table->setDeletedHidden(true);
    for (auto move : {&Table::first, &Table::last}) {
        (table.get()->*move)();
        EXPECT_TRUE(table->atEnd());
    }
}

TEST_F(DiaryTable, EditingTheKeyMovesTheRecordInTheIndexAndOnDisk)
{
    {
        auto table = openIndexed();
        for (const char* date : {"20010301", "20010302", "20010303"})
            appendEntry(*table, date, date);
        ASSERT_TRUE(table->seek("20010302"));
        table->edit();
        table->setFieldText("DATE", "");
        table->setMemoText("ENTRY", "");
        table->post();
        EXPECT_EQ(table->fieldText("DATE"), "");
        EXPECT_THAT(datesInOrder(*table), ElementsAre("", "20010301", "20010303"));
    }
    const auto tags = readCompoundIndex(folder / "DAYVELL.CDX");
    ASSERT_EQ(tags.size(), 1u);
    ASSERT_EQ(tags[0].entries.size(), 3u);
    EXPECT_EQ(tags[0].entries[0].key, "        ");
    EXPECT_EQ(tags[0].entries[0].recno, 2u);
}

TEST_F(DiaryTable, ARewrittenMemoGoesToNewBlocksAndLeavesTheOldOneIntact)
{
    auto table = openIndexed();
    appendEntry(*table, "20010301", "old text");
    const std::string before = readBytes(folder / "DAYVELL.FPT");
    table->edit();
    table->setMemoText("ENTRY", "new text");
    table->post();
    EXPECT_EQ(table->memoText("ENTRY"), "new text");
    const std::string after = readBytes(folder / "DAYVELL.FPT");
    EXPECT_EQ(after.substr(64, before.size() - 64), before.substr(64)) << "nothing written over existing blocks";
    EXPECT_GT(after.size(), before.size());
}

TEST_F(DiaryTable, PendingChangesAreVisibleBeforePostAndCountOnlyAfter)
{
    auto table = openIndexed();
    table->append();
    table->setFieldText("DATE", "20010301");
    table->setMemoText("ENTRY", "draft");
    EXPECT_EQ(table->fieldText("DATE"), "20010301");
    EXPECT_EQ(table->memoText("ENTRY"), "draft");
    EXPECT_EQ(table->recordCount(), 0u);
    table->post();
    EXPECT_EQ(table->recordCount(), 1u);
    EXPECT_FALSE(table->isEditing());
}

TEST_F(DiaryTable, MisuseIsRefusedWithAClearError)
{
    auto table = openIndexed();
    appendEntry(*table, "20010301", "x");
    auto expectError = [](auto&& action, const std::string& fragment) {
        try {
            action();
            ADD_FAILURE() << "no error for: " << fragment;
        } catch (const EngineError& error) {
            EXPECT_THAT(error.what(), HasSubstr(fragment));
            EXPECT_THAT(error.what(), HasSubstr("DAYVELL.DBF"));
        }
    };
    expectError([&] { table->post(); }, "no record is being edited");
    expectError([&] { table->setFieldText("DATE", "x"); }, "no record is being edited");
    expectError([&] { table->fieldText("NOSUCH"); }, "no field named");
    expectError([&] { table->setFilter("date = '20010301'"); }, "only the empty filter");
    table->edit();
    expectError([&] { table->setFieldText("DATE", "200103011"); }, "holds 8");
    expectError([&] { table->setMemoText("DATE", "x"); }, "not a memo field");
    expectError([&] { table->next(); }, "post it first");
    expectError([&] { table->pack(); }, "post it first");
    table->post();
    table->seek("29991231");
    expectError([&] { table->edit(); }, "stands at its end");
    expectError([&] { table->deleteRecord(); }, "stands at its end");
}

TEST_F(DiaryTable, OnlyTheEmptyFilterIsAccepted)
{
    auto table = open();
    table->setFilter("");
    table->setFilter("   ");
    EXPECT_EQ(table->filter(), "");
}

struct RefusedTagCase {
    const char* name;
    std::string tag;
    std::string expression;
    std::string condition;
    bool descending;
    bool unique;
};

class RefusedTag : public DiaryTable, public ::testing::WithParamInterface<RefusedTagCase> {};

TEST_P(RefusedTag, LeavesTheOrdersAsTheyWere)
{
    auto table = open();
    const auto& c = GetParam();
    EXPECT_THROW(table->createIndexTag({}, c.tag, c.expression, c.condition, c.descending, c.unique), EngineError);
    EXPECT_EQ(table->order(), 0);
    EXPECT_EQ(table->tagOrder(c.tag), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedTag,
    ::testing::Values(RefusedTagCase {"Function", "DATE", "upper(date)", "", false, false},
                      RefusedTagCase {"UnknownField", "DATE", "day", "", false, false},
                      RefusedTagCase {"MemoField", "ENTRY", "entry", "", false, false},
                      RefusedTagCase {"Condition", "DATE", "date", "date > '2000'", false, false},
                      RefusedTagCase {"Descending", "DATE", "date", "", true, false},
                      RefusedTagCase {"Unique", "DATE", "date", "", false, true},
                      RefusedTagCase {"BadTagName", "TWO WORDS", "date", "", false, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(DiaryTable, IndexCreationReportsProgressFromZeroToHundred)
{
    auto table = open();
    for (int day = 1; day <= 300; ++day)
        appendEntry(*table, "2001" + std::to_string(1000 + day).substr(0, 4), "x");
    std::vector<int> reports;
    table->setProgressReceiver([&](int percent) { reports.push_back(percent); });
    table->createIndexTag({}, "DATE", "date");
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), 0);
    EXPECT_EQ(reports.back(), 100);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
}

TEST_F(DiaryTable, IndexesCanBeClosedAndReopenedByAnyCaseOfTheirName)
{
    auto table = openIndexed();
    for (const char* date : {"20010303", "20010301", "20010302"})
        appendEntry(*table, date, date);
    ASSERT_TRUE(table->seek("20010302"));
    const auto recno = table->recordNumber();

    table->setOrder(0);
    table->closeIndexes();
    EXPECT_EQ(table->order(), 0);
    EXPECT_EQ(table->tagOrder("DATE"), 0);
    EXPECT_TRUE(table->indexFile(1).empty());

    table->openIndex(folder / "dayvell.cdx");
    EXPECT_EQ(table->order(), 1);
    EXPECT_EQ(table->recordNumber(), recno) << "the table stays on its record";
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010301", "20010302", "20010303"));
    EXPECT_THROW(table->openIndex(folder / "missing.cdx"), EngineError);
}

TEST_F(DiaryTable, RereadKeepsThePosition)
{
    auto table = openIndexed();
    appendEntry(*table, "20010301", "a");
    appendEntry(*table, "20010302", "b");
    table->reread();
    EXPECT_EQ(table->fieldText("DATE"), "20010302");
    EXPECT_EQ(table->memoText("ENTRY"), "b");
}

// ---- exclusive use

TEST_F(DiaryTable, ASecondOpenFailsUntilTheFirstIsClosed)
{
    {
        auto first = open();
        try {
            Table second(file);
            FAIL() << "the second open succeeded";
        } catch (const EngineError& error) {
            EXPECT_THAT(error.what(), HasSubstr("already open"));
            EXPECT_THAT(error.what(), HasSubstr("DAYVELL.DBF"));
        }
    }
    EXPECT_NO_THROW(open());
}

namespace {

// Runs `open` in a child process; true when the child could open the table.
bool childCanOpen(const std::filesystem::path& file)
{
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            Table table(file);
            ::_exit(0);
        } catch (...) {
            ::_exit(1);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST_F(DiaryTable, AnotherProcessCannotOpenTheTableEvenAfterAPack)
{
    EXPECT_TRUE(childCanOpen(file));
    auto table = openIndexed();
    appendEntry(*table, "20010301", "a");
    EXPECT_FALSE(childCanOpen(file));
    table->deleteRecord();
    table->pack();
    EXPECT_FALSE(childCanOpen(file)) << "the packed file that took the table's name is locked too";
    EXPECT_THROW(Table second(file), EngineError);
    table.reset();
    EXPECT_TRUE(childCanOpen(file));
}

// ---- the index as derived data

TEST_F(DiaryTable, AMissingIndexLeavesTheTableWithoutTags)
{
    {
        auto table = openIndexed();
        appendEntry(*table, "20010301", "a");
    }
    std::filesystem::remove(folder / "DAYVELL.CDX");
    auto table = open();
    EXPECT_EQ(table->tagOrder("DATE"), 0);
    table->createIndexTag({}, "DATE", "date");
    EXPECT_TRUE(table->seek("20010301"));
}

TEST_F(DiaryTable, AnUnreadableIndexIsLeftClosedAndReplacedByANewTag)
{
    {
        auto table = openIndexed();
        appendEntry(*table, "20010301", "a");
    }
    writeBytes(folder / "DAYVELL.CDX", std::string(700, '\x7f'));
    auto table = open();
    EXPECT_EQ(table->tagOrder("DATE"), 0);
    table->createIndexTag({}, "DATE", "date");
    EXPECT_TRUE(table->seek("20010301"));
    EXPECT_EQ(readCompoundIndex(folder / "DAYVELL.CDX").at(0).entries.size(), 1u);
}

TEST_F(DiaryTable, AnIndexThatDisagreesWithTheTableIsRebuiltAtOpen)
{
    {
        auto table = openIndexed();
        for (const char* date : {"20010301", "20010302", "20010303"})
            appendEntry(*table, date, date);
    }
    auto tags = readCompoundIndex(folder / "DAYVELL.CDX");
    tags[0].entries = {{"20010303", 1}, {"20010309", 3}};
    writeCompoundIndex(folder / "DAYVELL.CDX", tags);

    auto table = open();
    table->setOrder(table->tagOrder("DATE"));
    EXPECT_THAT(datesInOrder(*table), ElementsAre("20010301", "20010302", "20010303"));
    EXPECT_TRUE(table->seek("20010302"));
    EXPECT_FALSE(table->seek("20010309"));
    EXPECT_EQ(readCompoundIndex(folder / "DAYVELL.CDX")[0].entries.size(), 3u) << "the file was rewritten";
}

TEST_F(DiaryTable, AnIndexWithATagTheEngineCannotKeepIsLeftClosed)
{
    openIndexed();
    auto tags = readCompoundIndex(folder / "DAYVELL.CDX");
    tags[0].definition.expression = "DTOS(date)";
    writeCompoundIndex(folder / "DAYVELL.CDX", tags);
    EXPECT_EQ(open()->tagOrder("DATE"), 0);
}

// ---- pack

TEST_F(DiaryTable, PackRemovesDeletedRecordsAndTheirMemosAndRebuildsTheIndex)
{
    auto table = openIndexed();
    for (int day = 1; day <= 9; ++day) {
        const std::string date = "2001030" + std::to_string(day);
        appendEntry(*table, date, std::string(500, char('a' + day)));
    }
    for (const char* date : {"20010302", "20010305", "20010309"}) {
        ASSERT_TRUE(table->seek(date));
        table->edit();
        table->setFieldText("DATE", "");
        table->setMemoText("ENTRY", "");
        table->post();
        table->deleteRecord();
    }
    ASSERT_TRUE(table->seek("20010301"));
    table->edit();
    table->setMemoText("ENTRY", "rewritten");
    table->post();
    const auto memoSizeBefore = std::filesystem::file_size(folder / "DAYVELL.FPT");

    std::vector<int> reports;
    table->setProgressReceiver([&](int percent) { reports.push_back(percent); });
    table->pack();

    EXPECT_EQ(reports.front(), 0);
    EXPECT_EQ(reports.back(), 100);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(table->recordCount(), 6u);
    EXPECT_LT(std::filesystem::file_size(folder / "DAYVELL.FPT"), memoSizeBefore);
    EXPECT_THAT(datesInOrder(*table),
                ElementsAre("20010301", "20010303", "20010304", "20010306", "20010307", "20010308"));
    ASSERT_TRUE(table->seek("20010307"));
    EXPECT_EQ(table->memoText("ENTRY"), std::string(500, 'h'));
    ASSERT_TRUE(table->seek("20010301"));
    EXPECT_EQ(table->memoText("ENTRY"), "rewritten");

    const auto tags = readCompoundIndex(folder / "DAYVELL.CDX");
    EXPECT_EQ(tags[0].entries.size(), 6u);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_THAT(entry.path().filename().string(), ::testing::Not(HasSubstr(".new")));
    EXPECT_FALSE(std::filesystem::exists(folder / "DAYVELL.DBF.packed"));

    table.reset();
    auto reopened = openIndexed();
    EXPECT_EQ(reopened->recordCount(), 6u);
    EXPECT_TRUE(reopened->seek("20010308"));
    EXPECT_EQ(reopened->memoText("ENTRY"), std::string(500, 'i'));
}

// A pack that fails after its commit point has already put the new files in
// place; going on with the old ones would write into files nobody reads again.
TEST_F(DiaryTable, APackThatFailsAfterItsCommitPointStopsTheTableUntilItIsOpenedAgain)
{
    auto table = openIndexed();
    for (int day = 1; day <= 4; ++day)
        appendEntry(*table, "2001030" + std::to_string(day), "entry " + std::to_string(day));
    ASSERT_TRUE(table->seek("20010302"));
    table->deleteRecord();
    // The index cannot be written once the table files are swapped.
    std::filesystem::remove(folder / "DAYVELL.CDX");
    std::filesystem::create_directory(folder / "DAYVELL.CDX");

    EXPECT_THROW(table->pack(), EngineError);
    try {
        table->append();
        ADD_FAILURE() << "a table whose rewrite failed after its commit point still accepted a change";
    } catch (const EngineError& error) {
        EXPECT_THAT(error.what(), HasSubstr("opened again"));
    }
    table.reset();

    std::filesystem::remove(folder / "DAYVELL.CDX");
    auto reopened = openIndexed();
    EXPECT_EQ(reopened->recordCount(), 3u);
    EXPECT_THAT(datesInOrder(*reopened), ElementsAre("20010301", "20010303", "20010304"));
    ASSERT_TRUE(reopened->seek("20010304"));
    EXPECT_EQ(reopened->memoText("ENTRY"), "entry 4");
}

TEST_F(DiaryTable, PackWithTheIndexesClosedLeavesThemToTheNextTag)
{
    auto table = openIndexed();
    appendEntry(*table, "20010301", "a");
    appendEntry(*table, "20010302", "b");
    table->deleteRecord();
    table->closeIndexes();
    std::filesystem::remove(folder / "DAYVELL.CDX");
    table->pack();
    EXPECT_EQ(table->recordCount(), 1u);
    table->createIndexTag({}, "DATE", "date");
    EXPECT_TRUE(table->seek("20010301"));
    EXPECT_FALSE(table->seek("20010302"));
}

TEST(TableWithoutMemo, WorksWithoutAMemoFile)
{
    TempFolder folder;
    const auto file = folder / "plain.dbf";
    Table::create(file, {{"NAME", 'C', 4, 0}});
    EXPECT_FALSE(std::filesystem::exists(folder / "plain.fpt"));
    EXPECT_EQ(std::uint8_t(readBytes(file)[0]), 0x03);
    Table table(file);
    table.append();
    table.setFieldText("name", "abc");
    table.post();
    table.createIndexTag({}, "NAME", "NAME");
    EXPECT_TRUE(std::filesystem::exists(folder / "plain.cdx")) << "companions follow the case of the extension";
    table.deleteRecord();
    table.pack();
    EXPECT_EQ(table.recordCount(), 0u);
    EXPECT_TRUE(table.atEnd());
}

// Room for encrypted tables: table-wide data in the unused part of the memo
// file header, and encrypted memos under a block type of their own.
TEST_F(DiaryTable, PackKeepsTheMemoHeaderAreaAndEncryptedMemosAsTheyAre)
{
    {
        auto table = openIndexed();
        appendEntry(*table, "20010301", "plain");
        appendEntry(*table, "20010302", "sealed bytes");
        appendEntry(*table, "20010303", "dropped");
        table->deleteRecord();
    }
    std::string memo = readBytes(folder / "DAYVELL.FPT");
    const std::string tableData = "salt and key check";
    memo.replace(8, tableData.size(), tableData);
    const std::size_t secondBlock = 9 * 64;
    ASSERT_EQ(memo.substr(secondBlock + 8, 12), "sealed bytes");
    memo.replace(secondBlock, 4, "DVEC");
    writeBytes(folder / "DAYVELL.FPT", memo);

    auto table = openIndexed();
    ASSERT_TRUE(table->seek("20010302"));
    EXPECT_THROW(
        {
            try {
                table->memoText("ENTRY");
            } catch (const EngineError& error) {
                EXPECT_THAT(error.what(), HasSubstr("encrypted"));
                throw;
            }
        },
        EngineError);
    table->pack();
    ASSERT_EQ(table->recordCount(), 2u);
    const std::string packed = readBytes(folder / "DAYVELL.FPT");
    EXPECT_EQ(packed.substr(8, tableData.size()), tableData);
    EXPECT_NE(packed.find("DVEC" + std::string("\0\0\0\x0c", 4) + "sealed bytes"), std::string::npos);
    ASSERT_TRUE(table->seek("20010301"));
    EXPECT_EQ(table->memoText("ENTRY"), "plain");
}
