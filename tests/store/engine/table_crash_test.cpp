#include "ChildProcess.h"
#include "TableTestSupport.h"

#include "store/engine/Table.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;

// Saves and packs run in a child process that is killed (SIGKILL) at varied
// instants; the table must then open with every entry old or new, never
// damaged, and nothing the child reported as saved may be missing.

namespace {

std::string dateOf(int day)
{
    char key[9];
    std::snprintf(key, sizeof key, "2001%02d%02d", 1 + day / 28, 1 + day % 28);
    return key;
}

// A 1 to 3 KB entry that names its date and version and can be checked whole.
std::string entryText(const std::string& date, long version)
{
    std::string text = "{\\rtf1 date=" + date + " version=" + std::to_string(version) + " ";
    const std::size_t length = 1000 + std::size_t(version % 7) * 300;
    for (std::size_t i = 0; text.size() < length; ++i)
        text += char('a' + (i * 7 + std::size_t(version)) % 26);
    return text + "}";
}

long versionIn(const std::string& text)
{
    const auto at = text.find("version=");
    return at == std::string::npos ? -1 : std::stol(text.substr(at + 8));
}

std::map<std::string, std::string> liveEntries(Table& table)
{
    std::map<std::string, std::string> entries;
    table.setDeletedHidden(true);
    table.setOrder(table.tagOrder("DATE"));
    for (table.first(); !table.atEnd(); table.next()) {
        const auto [at, added] = entries.emplace(table.fieldText("DATE"), table.memoText("ENTRY"));
        EXPECT_TRUE(added) << "two live records for " << at->first;
    }
    return entries;
}

}  // namespace

TEST(TableCrash, AKilledSaveLeavesEveryEntryOldOrNew)
{
    TempFolder folder;
    const auto file = folder / "DAYVELL.DBF";
    constexpr int kInitialDays = 20;
    constexpr int kDays = 30;
    Table::create(file, diaryFields());
    {
        Table table(file);
        table.createIndexTag({}, "DATE", "date");
        for (int day = 0; day < kInitialDays; ++day)
            appendEntry(table, dateOf(day), entryText(dateOf(day), 0));
    }

    std::map<std::string, long> saved;
    for (int day = 0; day < kInitialDays; ++day)
        saved[dateOf(day)] = 0;

    for (int round = 0; round < 30; ++round) {
        const long firstVersion = long(round + 1) * 1000000;
        Child child([&](Child& self) {
            Table table(file);
            table.setOrder(1);
            table.setDeletedHidden(true);
            self.say("ready");
            for (long version = firstVersion;; ++version) {
                const std::string date = dateOf(int(version % kDays));
                if (table.seek(date))
                    table.edit();
                else {
                    table.append();
                    table.setFieldText("DATE", date);
                }
                table.setMemoText("ENTRY", entryText(date, version));
                table.post();
                self.say(date + " " + std::to_string(version));
            }
        });
        ASSERT_EQ(child.firstLine(), "ready");
        std::this_thread::sleep_for(std::chrono::microseconds((round * 397) % 12000));
        const auto lines = child.kill();
        for (const std::string& line : lines) {
            if (line != "ready")
                saved[line.substr(0, 8)] = std::stol(line.substr(9));
        }

        Table table(file);
        const auto entries = liveEntries(table);
        for (const auto& [date, text] : entries) {
            const long version = versionIn(text);
            EXPECT_EQ(text, entryText(date, version)) << "round " << round << ", " << date;
        }
        for (const auto& [date, version] : saved) {
            ASSERT_TRUE(entries.count(date)) << "round " << round << ": the saved entry of " << date << " is gone";
            EXPECT_GE(versionIn(entries.at(date)), version) << "round " << round << ": " << date;
        }
    }
}

namespace {

// A diary of 300 entries, every third of them emptied and deleted.
std::map<std::string, std::string> writeDiaryWithDeletedEntries(const std::filesystem::path& file)
{
    Table::create(file, diaryFields());
    Table table(file, TableOptions {false});
    table.createIndexTag({}, "DATE", "date");
    std::map<std::string, std::string> live;
    for (int day = 0; day < 300; ++day) {
        const std::string date = dateOf(day);
        appendEntry(table, date, entryText(date, day));
        live[date] = entryText(date, day);
    }
    for (int day = 0; day < 300; day += 3) {
        const std::string date = dateOf(day);
        table.seek(date);
        table.edit();
        table.setFieldText("DATE", "");
        table.setMemoText("ENTRY", "");
        table.post();
        table.deleteRecord();
        live.erase(date);
    }
    return live;
}

void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to)
{
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy_file(entry.path(), to / entry.path().filename());
}

void expectNoPackLeftovers(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find(".new"), std::string::npos) << name;
        EXPECT_EQ(name.find(".packed"), std::string::npos) << name;
    }
}

}  // namespace

TEST(TableCrash, AKilledPackLosesNothing)
{
    TempFolder pristine;
    const auto expected = writeDiaryWithDeletedEntries(pristine / "DAYVELL.DBF");

    std::chrono::microseconds packTime {};
    {
        TempFolder timing;
        copyFolder(pristine.path(), timing.path());
        Table table(timing / "DAYVELL.DBF");
        const auto start = std::chrono::steady_clock::now();
        table.pack();
        packTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }

    constexpr int kRounds = 30;
    for (int round = 0; round < kRounds; ++round) {
        TempFolder folder;
        copyFolder(pristine.path(), folder.path());
        const auto file = folder / "DAYVELL.DBF";
        Child child([&](Child& self) {
            Table table(file);
            self.say("ready");
            table.pack();
            self.say("packed");
            ::pause();
        });
        ASSERT_EQ(child.firstLine(), "ready");
        std::this_thread::sleep_for(packTime * round * 6 / (kRounds * 5));
        const auto lines = child.kill();
        const bool reportedPacked = lines.size() == 2;

        Table table(file);
        EXPECT_EQ(liveEntries(table), expected) << "round " << round;
        EXPECT_TRUE(table.recordCount() == 300 || table.recordCount() == expected.size()) << table.recordCount();
        if (reportedPacked) {
            EXPECT_EQ(table.recordCount(), expected.size());
        }
        expectNoPackLeftovers(folder.path());
    }
}

namespace {

// Every state a pack passes through on disk, as a crash would leave it.
struct PackState {
    const char* name;
    bool tableCopy;   // DAYVELL.DBF.new present
    bool memoCopy;    // DAYVELL.FPT.new present
    bool memoSwapped; // DAYVELL.FPT already replaced
    bool tableSwapped;
    bool marker;
    bool packedAfterOpen;
};

class InterruptedPack : public ::testing::TestWithParam<PackState> {};

}  // namespace

TEST_P(InterruptedPack, IsFinishedOrUndoneAtOpen)
{
    const PackState& state = GetParam();
    TempFolder old;
    const auto expected = writeDiaryWithDeletedEntries(old / "DAYVELL.DBF");
    TempFolder packed;
    copyFolder(old.path(), packed.path());
    Table(packed / "DAYVELL.DBF").pack();

    TempFolder folder;
    auto place = [&](const TempFolder& from, const char* name, const std::string& as) {
        std::filesystem::copy_file(from / name, folder / as);
    };
    place(state.tableSwapped ? packed : old, "DAYVELL.DBF", "DAYVELL.DBF");
    place(state.memoSwapped ? packed : old, "DAYVELL.FPT", "DAYVELL.FPT");
    place(old, "DAYVELL.CDX", "DAYVELL.CDX");
    if (state.tableCopy)
        place(packed, "DAYVELL.DBF", "DAYVELL.DBF.new");
    if (state.memoCopy)
        place(packed, "DAYVELL.FPT", "DAYVELL.FPT.new");
    if (state.marker)
        writeBytes(folder / "DAYVELL.DBF.packed", "");

    Table table(folder / "DAYVELL.DBF");
    EXPECT_EQ(liveEntries(table), expected);
    EXPECT_EQ(table.recordCount(), state.packedAfterOpen ? expected.size() : 300u);
    expectNoPackLeftovers(folder.path());
}

INSTANTIATE_TEST_SUITE_P(
    States, InterruptedPack,
    ::testing::Values(PackState {"MemoCopyBeingWritten", false, true, false, false, false, false},
                      PackState {"BothCopiesWritten", true, true, false, false, false, false},
                      PackState {"Committed", true, true, false, false, true, true},
                      PackState {"MemoSwappedIn", true, false, true, false, true, true},
                      PackState {"BothSwappedIn", false, false, true, true, true, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
