#include "TableTestSupport.h"

#include "store/engine/MemoCipher.h"
#include "store/engine/Table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

namespace {

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

std::vector<std::string> readWithIndependentReader(const std::filesystem::path& table)
{
    const std::string script = READ_TABLE_SCRIPT;
    const std::string command = "/usr/bin/python3 '" + script + "' '" + table.string() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::vector<std::string> lines;
    std::string line;
    for (int c; (c = std::fgetc(pipe.get())) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += char(c);
        }
    }
    return lines;
}

}  // namespace

TEST(TableInterop, AnotherXBaseReaderSeesTheSameRecordsMemosAndDeletions)
{
    TempFolder folder;
    const auto file = folder / "DAYVELL.DBF";
    Table::create(file, diaryFields());
    const std::string accented = "{\\rtf1 caf\xE9 \\'e9}";
    const std::string large(700, 'q');
    const std::string lines = "line one\r\nline two\r\n";
    {
        Table table(file);
        table.createIndexTag({}, "DATE", "date");
        appendEntry(table, "19961210", accented);
        appendEntry(table, "19991231", large);
        appendEntry(table, "20010305", lines);
        appendEntry(table, "20010306", "to be deleted");
        table.seek("20010306");
        table.edit();
        table.setFieldText("DATE", "");
        table.setMemoText("ENTRY", "");
        table.post();
        table.deleteRecord();
        appendEntry(table, "20010307", "rewritten later");
        table.edit();
        table.setMemoText("ENTRY", "final text");
        table.post();
    }
    EXPECT_THAT(readWithIndependentReader(file),
                UnorderedElementsAre("L 19961210 " + hex(accented), "L 19991231 " + hex(large),
                                     "L 20010305 " + hex(lines), "L 20010307 " + hex("final text"), "D _ -"));

    Table(file).pack();
    EXPECT_THAT(readWithIndependentReader(file),
                UnorderedElementsAre("L 19961210 " + hex(accented), "L 19991231 " + hex(large),
                                     "L 20010305 " + hex(lines), "L 20010307 " + hex("final text")));
}

// An encrypted table stays an ordinary xBase table: the dates read as before,
// the memos come as bytes that hold none of the text.
TEST(TableInterop, AnotherXBaseReaderSeesTheDatesOfAnEncryptedTable)
{
    TempFolder folder;
    const auto file = folder / "DAYVELL.DBF";
    Table::create(file, diaryFields());
    const std::string secret = "{\\rtf1 the key is under the mat}";
    {
        Table table(file, TableOptions {true, MemoCipher::kQuickTestCost});
        table.createIndexTag({}, "DATE", "date");
        appendEntry(table, "19961210", secret);
        appendEntry(table, "20010305", secret);
        table.setPassword("Mat 1");
        table.encryptAll();
    }
    const auto lines = readWithIndependentReader(file);
    ASSERT_EQ(lines.size(), 2u) << (lines.empty() ? std::string() : lines[0]);
    EXPECT_THAT(lines[0], StartsWith("L 19961210 "));
    EXPECT_THAT(lines[1], StartsWith("L 20010305 "));
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find(hex("under the mat")), std::string::npos) << line;
        EXPECT_GT(line.size(), 20 + hex(secret).size()) << "the sealed memo is longer than the text";
    }
}
