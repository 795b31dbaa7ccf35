#include "ChildProcess.h"
#include "TableTestSupport.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoCipher.h"
#include "store/engine/Table.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;

// Encrypting or decrypting runs in a child process that is killed (SIGKILL)
// at varied instants; the next open must find the table wholly in its old
// state or wholly in its new one, every entry intact.

namespace {

constexpr TableOptions kQuickKeys {true, MemoCipher::kQuickTestCost};
const std::string kPassword = "Iris 42";
// Every entry holds this word, so plain text on disk is easy to find.
const std::string kPlainWord = "hollyhock";

std::string dateOf(int day)
{
    char key[16];
    std::snprintf(key, sizeof key, "%04d%02d%02d", 1990 + day / 336, 1 + day / 28 % 12, 1 + day % 28);
    return key;
}

std::string entryText(int day)
{
    std::string text = "{\\rtf1 " + kPlainWord + " day " + std::to_string(day) + " ";
    for (std::size_t i = 0; text.size() < 1000 + std::size_t(day % 5) * 500; ++i)
        text += char('a' + (i * 11 + std::size_t(day)) % 26);
    return text + "}";
}

// 600 entries, every tenth emptied and deleted.
std::map<std::string, std::string> writeDiary(const std::filesystem::path& file)
{
    Table::create(file, diaryFields());
    Table table(file, TableOptions {false});
    table.createIndexTag({}, "DATE", "date");
    std::map<std::string, std::string> live;
    for (int day = 0; day < 600; ++day) {
        appendEntry(table, dateOf(day), entryText(day));
        if (day % 10 == 0) {
            table.edit();
            table.setFieldText("DATE", "");
            table.setMemoText("ENTRY", "");
            table.post();
            table.deleteRecord();
        } else {
            live[dateOf(day)] = entryText(day);
        }
    }
    return live;
}

void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to)
{
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy_file(entry.path(), to / entry.path().filename());
}

std::map<std::string, std::string> liveEntries(Table& table)
{
    std::map<std::string, std::string> entries;
    table.setDeletedHidden(true);
    table.setOrder(table.tagOrder("DATE"));
    for (table.first(); !table.atEnd(); table.next())
        entries[table.fieldText("DATE")] = table.memoText("ENTRY");
    return entries;
}

// Wholly plain: every memo reads without a password and no plain text is
// missing. Wholly encrypted: not one memo reads without the password, none
// of their text is on disk, and every one reads with it.
void expectWholeState(const std::filesystem::path& folder, bool encrypted,
                      const std::map<std::string, std::string>& expected, const std::string& round)
{
    const auto file = folder / "DAYVELL.DBF";
    Table table(file);
    ASSERT_EQ(table.isEncrypted(), encrypted) << round;
    if (!encrypted) {
        EXPECT_EQ(liveEntries(table), expected) << round;
        return;
    }
    EXPECT_EQ(readBytes(folder / "DAYVELL.FPT").find(kPlainWord), std::string::npos) << round;
    table.setDeletedHidden(true);
    table.setOrder(1);
    std::size_t unreadable = 0;
    for (table.first(); !table.atEnd(); table.next()) {
        try {
            table.memoText("ENTRY");
        } catch (const EngineError&) {
            ++unreadable;
        }
    }
    EXPECT_EQ(unreadable, expected.size()) << round;
    table.setPassword(kPassword);
    EXPECT_EQ(liveEntries(table), expected) << round;
}

void expectNoLeftovers(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find(".new"), std::string::npos) << name;
        EXPECT_EQ(name.find(".packed"), std::string::npos) << name;
    }
}

struct Conversion {
    const char* name;
    bool encryptedBefore;
};

void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << conversion.name;
}

class KilledConversion : public ::testing::TestWithParam<Conversion> {};

void convert(Table& table, bool encryptedBefore)
{
    if (encryptedBefore)
        table.decryptAll();
    else
        table.encryptAll();
}

}  // namespace

TEST_P(KilledConversion, LeavesTheTableWhollyOldOrWhollyNew)
{
    const bool encryptedBefore = GetParam().encryptedBefore;
    TempFolder pristine;
    const auto expected = writeDiary(pristine / "DAYVELL.DBF");
    if (encryptedBefore) {
        Table table(pristine / "DAYVELL.DBF", kQuickKeys);
        table.setPassword(kPassword);
        table.encryptAll();
    }

    std::chrono::microseconds duration {};
    {
        TempFolder timing;
        copyFolder(pristine.path(), timing.path());
        Table table(timing / "DAYVELL.DBF", kQuickKeys);
        table.setPassword(kPassword);
        const auto start = std::chrono::steady_clock::now();
        convert(table, encryptedBefore);
        duration = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }

    constexpr int kRounds = 30;
    int finished = 0;
    for (int round = 0; round < kRounds; ++round) {
        TempFolder folder;
        copyFolder(pristine.path(), folder.path());
        Child child([&](Child& self) {
            Table table(folder / "DAYVELL.DBF", kQuickKeys);
            table.setPassword(kPassword);
            self.say("ready");
            convert(table, encryptedBefore);
            self.say("done");
            ::pause();
        });
        ASSERT_EQ(child.firstLine(), "ready");
        // The last round lets the work finish, whatever the machine's load.
        if (round == kRounds - 1)
            ASSERT_TRUE(child.waitFor("done"));
        else
            std::this_thread::sleep_for(duration * round * 6 / (kRounds * 5));
        const bool reportedDone = child.kill().size() == 2;

        const std::string name = "round " + std::to_string(round);
        const bool encryptedAfter = Table(folder / "DAYVELL.DBF").isEncrypted();
        if (reportedDone) {
            EXPECT_NE(encryptedAfter, encryptedBefore) << name << ": finished, yet the table is in its old state";
        }
        finished += encryptedAfter != encryptedBefore;
        expectWholeState(folder.path(), encryptedAfter, expected, name);
        expectNoLeftovers(folder.path());
    }
    // The first kill comes before the work could end, or the test proves little.
    EXPECT_LT(finished, kRounds);
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledConversion,
                         ::testing::Values(Conversion {"Encrypt", false}, Conversion {"Decrypt", true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });
