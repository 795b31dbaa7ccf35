#include "TableTestSupport.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoCipher.h"
#include "store/engine/Table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace dayvell::engine;
using namespace dayvell::engine::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr TableOptions kQuickKeys {true, MemoCipher::kQuickTestCost};
const std::string kPassword = "Tulip 7";

// Where the table's key settings live in the memo file (after the block
// pointer and block size) and how far they reach.
constexpr std::size_t kSettingsStart = 8;
constexpr std::size_t kSettingsEnd = 8 + 4 + 1 + 4 + 4 + MemoCipher::kSaltSize + MemoCipher::kKeyCheckSize;

// A small diary: three live entries, each with a word found nowhere else,
// and a record deleted with its text still in the memo file.
class EncryptedDiary : public ::testing::Test {
protected:
    void SetUp() override
    {
        Table::create(file, diaryFields());
        Table table(file);
        table.createIndexTag({}, "DATE", "date");
        appendEntry(table, "20010101", "{\\rtf1 deleted marigold}");
        table.deleteRecord();
        for (const auto& [date, text] : entries)
            appendEntry(table, date, text);
    }

    std::unique_ptr<Table> open(const std::string& password = {})
    {
        auto table = std::make_unique<Table>(file, kQuickKeys);
        table->setPassword(password);
        table->setOrder(table->tagOrder("DATE"));
        table->setDeletedHidden(true);
        return table;
    }

    void encrypt() { open(kPassword)->encryptAll(); }

    static std::map<std::string, std::string> readAll(Table& table)
    {
        std::map<std::string, std::string> all;
        for (table.first(); !table.atEnd(); table.next())
            all[table.fieldText("DATE")] = table.memoText("ENTRY");
        return all;
    }

    std::string memoFile() const { return readBytes(folder / "DAYVELL.FPT"); }

    void expectNoPlainWords(const std::string& bytes, const std::vector<std::string>& plainWords)
    {
        for (const std::string& word : plainWords)
            EXPECT_EQ(bytes.find(word), std::string::npos) << "\"" << word << "\" is on disk in plain text";
    }

    TempFolder folder;
    std::filesystem::path file = folder / "DAYVELL.DBF";
    const std::map<std::string, std::string> entries {
        {"19991231", "{\\rtf1 Party with \\b fireworks\\b0 }"},
        {"20010305", "{\\rtf1 Dear diary, the tulips came up.}"},
        {"20240229", "{\\rtf1 Leap day, " + std::string(3000, 'z') + " snowdrops}"},
    };
    const std::vector<std::string> words {"marigold", "fireworks", "tulips", "snowdrops", "zzzzzzzz"};
};

TEST_F(EncryptedDiary, EncryptingSealsEveryMemoAndLeavesTheDatesReadable)
{
    std::vector<int> progress;
    {
        auto table = open(kPassword);
        table->setProgressReceiver([&](int percent) { progress.push_back(percent); });
        ASSERT_TRUE(table->seek("20010305"));
        table->encryptAll();
        EXPECT_TRUE(table->isEncrypted());
        EXPECT_EQ(table->fieldText("DATE"), "20010305") << "the position is kept";
        EXPECT_EQ(readAll(*table), entries);
    }
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    expectNoPlainWords(memoFile(), words);

    // The key cost is the table's own: a program with the standard cost opens it.
    Table table(file);
    EXPECT_TRUE(table.isEncrypted());
    table.setOrder(1);
    EXPECT_THAT(datesInOrder(table), ElementsAre("19991231", "20010101", "20010305", "20240229"));
    ASSERT_TRUE(table.seek("20010305"));
    EXPECT_THAT(messageOf([&] { table.memoText("ENTRY"); }), HasSubstr("no password is set"));
    table.setPassword(kPassword);
    EXPECT_EQ(table.memoText("ENTRY"), entries.at("20010305"));
}

TEST_F(EncryptedDiary, DecryptingStoresEveryMemoPlainAndForgetsTheKey)
{
    encrypt();
    std::vector<int> progress;
    {
        auto table = open(kPassword);
        table->setProgressReceiver([&](int percent) { progress.push_back(percent); });
        table->decryptAll();
        EXPECT_FALSE(table->isEncrypted());
    }
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(memoFile().substr(kSettingsStart, kSettingsEnd - kSettingsStart),
              std::string(kSettingsEnd - kSettingsStart, '\0'));

    auto table = open();
    EXPECT_FALSE(table->isEncrypted());
    EXPECT_EQ(readAll(*table), entries);
    EXPECT_NE(memoFile().find("tulips"), std::string::npos);
}

TEST_F(EncryptedDiary, AfterDecryptingSavesArePlainAlthoughThePasswordIsStillSet)
{
    encrypt();
    {
        auto table = open(kPassword);
        table->decryptAll();
        ASSERT_TRUE(table->seek("20010305"));
        table->edit();
        table->setMemoText("ENTRY", "{\\rtf1 crocuses instead}");
        table->post();
        appendEntry(*table, "20250101", "{\\rtf1 new year daffodils}");
    }
    const std::string memo = memoFile();
    EXPECT_NE(memo.find("crocuses"), std::string::npos);
    EXPECT_NE(memo.find("daffodils"), std::string::npos);

    auto table = open();
    EXPECT_FALSE(table->isEncrypted());
    ASSERT_TRUE(table->seek("20250101"));
    EXPECT_EQ(table->memoText("ENTRY"), "{\\rtf1 new year daffodils}");
}

TEST_F(EncryptedDiary, SavesToAnEncryptedTableAreSealed)
{
    encrypt();
    {
        auto table = open(kPassword);
        ASSERT_TRUE(table->seek("20010305"));
        table->edit();
        table->setMemoText("ENTRY", "{\\rtf1 crocuses instead}");
        table->post();
        appendEntry(*table, "20250101", "{\\rtf1 new year daffodils}");
    }
    expectNoPlainWords(memoFile(), {"crocuses", "daffodils"});
    auto table = open(kPassword);
    ASSERT_TRUE(table->seek("20250101"));
    EXPECT_EQ(table->memoText("ENTRY"), "{\\rtf1 new year daffodils}");
    ASSERT_TRUE(table->seek("20010305"));
    EXPECT_EQ(table->memoText("ENTRY"), "{\\rtf1 crocuses instead}");
}

// The change-password command closes the indexes around the dialog and
// opens the index file again afterwards.
TEST_F(EncryptedDiary, EncryptingWithTheIndexesClosedKeepsTheIndexValid)
{
    {
        auto table = open(kPassword);
        table->setOrder(0);
        table->closeIndexes();
        table->encryptAll();
        table->openIndex(folder / "dayvell.cdx");
        EXPECT_EQ(readAll(*table), entries);
        appendEntry(*table, "20250101", "{\\rtf1 new year}");
    }
    auto table = open(kPassword);
    ASSERT_TRUE(table->seek("20250101"));
    EXPECT_EQ(table->memoText("ENTRY"), "{\\rtf1 new year}");
    ASSERT_TRUE(table->seek("20010305"));
    EXPECT_EQ(table->memoText("ENTRY"), entries.at("20010305"));
}

TEST_F(EncryptedDiary, EncryptingAgainWithTheSamePasswordChangesNothing)
{
    encrypt();
    const auto before = folderImage(folder.path());
    open(kPassword)->encryptAll();
    EXPECT_EQ(folderImage(folder.path()), before);
}

TEST_F(EncryptedDiary, CheckingAPasswordTellsTheRightOneAndChangesNothing)
{
    {
        auto plain = open();
        EXPECT_FALSE(plain->isEncrypted());
        EXPECT_TRUE(plain->checkPassword("anything")) << "any password opens a plain table";
    }
    encrypt();
    const auto before = folderImage(folder.path());
    auto table = open();
    EXPECT_TRUE(table->isEncrypted()) << "known without a password";
    EXPECT_TRUE(table->checkPassword(kPassword));
    for (const std::string wrong : {"tulip 7", "Tulip 7 ", "Tulip", ""})
        EXPECT_FALSE(table->checkPassword(wrong)) << '"' << wrong << '"';
    ASSERT_TRUE(table->seek("20010305"));
    EXPECT_THROW(table->memoText("ENTRY"), EngineError) << "checking does not set the password";
    EXPECT_EQ(folderImage(folder.path()), before);

    table->setPassword(kPassword);
    EXPECT_EQ(table->memoText("ENTRY"), entries.at("20010305"));
}

struct RefusedChange {
    const char* name;
    bool encryptedFirst;
    std::function<void(Table&)> change;
};

void PrintTo(const RefusedChange& change, std::ostream* out)
{
    *out << change.name;
}

class WrongPassword : public EncryptedDiary, public ::testing::WithParamInterface<RefusedChange> {};

// Each change is tried with no password, a password in the wrong case and a
// wrong one: it fails with a message about the password and not a byte of
// any file changes.
TEST_P(WrongPassword, ChangesNothingOnDisk)
{
    if (GetParam().encryptedFirst)
        encrypt();
    for (const std::string password : {"", "tulip 7", "Lily"}) {
        if (!GetParam().encryptedFirst && !password.empty())
            continue;
        const auto before = folderImage(folder.path());
        {
            auto table = open(password);
            ASSERT_TRUE(table->seek("20010305"));
            EXPECT_THAT(messageOf([&] { GetParam().change(*table); }), HasSubstr("password"))
                << '"' << password << '"';
        }
        EXPECT_EQ(folderImage(folder.path()), before) << '"' << password << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, WrongPassword,
    ::testing::Values(
        RefusedChange {"EncryptWithoutPassword", false, [](Table& table) { table.encryptAll(); }},
        RefusedChange {"EncryptUnderAnotherPassword", true, [](Table& table) { table.encryptAll(); }},
        RefusedChange {"Decrypt", true, [](Table& table) { table.decryptAll(); }},
        RefusedChange {"Edit", true,
                       [](Table& table) {
                           table.edit();
                           table.setMemoText("ENTRY", "overwritten");
                           table.post();
                       }},
        RefusedChange {"EditOnlyTheDate", true,
                       [](Table& table) {
                           table.edit();
                           table.setFieldText("DATE", "20010306");
                           table.post();
                       }},
        RefusedChange {"Append", true, [](Table& table) { appendEntry(table, "20250101", "new"); }},
        RefusedChange {"Delete", true, [](Table& table) { table.deleteRecord(); }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Swaps the memo references of two records in the table file.
void swapMemos(const std::filesystem::path& file, std::uint32_t first, std::uint32_t second)
{
    std::string dbf = readBytes(file);
    const std::size_t headerLength = 97, recordLength = 19, memoAt = 9;
    auto referenceOf = [&](std::uint32_t recno) { return (recno - 1) * recordLength + headerLength + memoAt; };
    const std::string kept = dbf.substr(referenceOf(first), 10);
    dbf.replace(referenceOf(first), 10, dbf.substr(referenceOf(second), 10));
    dbf.replace(referenceOf(second), 10, kept);
    writeBytes(file, dbf);
}

TEST_F(EncryptedDiary, AMemoMovedToAnotherDateIsRefused)
{
    encrypt();
    swapMemos(file, 2, 3);

    auto table = open(kPassword);
    for (const std::string date : {"19991231", "20010305"}) {
        ASSERT_TRUE(table->seek(date));
        EXPECT_THAT(messageOf([&] { table->memoText("ENTRY"); }), HasSubstr(date));
    }
    ASSERT_TRUE(table->seek("20240229"));
    EXPECT_EQ(table->memoText("ENTRY"), entries.at("20240229"));

    EXPECT_THAT(messageOf([&] { table->decryptAll(); }), HasSubstr("cannot decrypt the table: record 2"));
    EXPECT_TRUE(table->isEncrypted()) << "a failed decryption leaves the table encrypted";
}

// The copy is written in large pieces: a memo that fails to open after more
// than a piece of plain text must still leave no plain text on disk.
TEST_F(EncryptedDiary, ADecryptionThatFailsWritesNoPlainText)
{
    encrypt();
    {
        auto table = open(kPassword);
        ASSERT_TRUE(table->seek("19991231"));
        table->edit();
        table->setMemoText("ENTRY", "{\\rtf1 " + std::string(1200000, 'p') + " peonies}");
        table->post();
        appendEntry(*table, "20250101", "{\\rtf1 first}");
        appendEntry(*table, "20250102", "{\\rtf1 second}");
    }
    swapMemos(file, 5, 6);
    const auto before = folderImage(folder.path());

    auto table = open(kPassword);
    std::string plainCopies;
    table->setProgressReceiver([&](int) {
        for (const auto& [name, bytes] : folderImage(folder.path())) {
            if (bytes.find("peonies") != std::string::npos)
                plainCopies += name + " ";
        }
    });
    EXPECT_THAT(messageOf([&] { table->decryptAll(); }), HasSubstr("cannot decrypt the table: record 5"));
    EXPECT_EQ(plainCopies, "");
    EXPECT_EQ(folderImage(folder.path()), before);
}

TEST_F(EncryptedDiary, ChangingTheDateOfARecordKeepsItsEntryReadable)
{
    encrypt();
    {
        auto table = open(kPassword);
        ASSERT_TRUE(table->seek("20010305"));
        table->edit();
        table->setFieldText("DATE", "20010306");
        table->post();
    }
    expectNoPlainWords(memoFile(), {"tulips"});
    auto table = open(kPassword);
    ASSERT_TRUE(table->seek("20010306"));
    EXPECT_EQ(table->memoText("ENTRY"), entries.at("20010305"));
}

TEST_F(EncryptedDiary, PackKeepsTheKeyAndCopiesSealedMemosAsTheyAre)
{
    encrypt();
    const std::string settings = memoFile().substr(kSettingsStart, kSettingsEnd - kSettingsStart);
    {
        auto table = open(kPassword);
        ASSERT_TRUE(table->seek("19991231"));
        table->deleteRecord();
        table->pack();
        EXPECT_EQ(table->recordCount(), 2u);
    }
    const std::string memo = memoFile();
    EXPECT_EQ(memo.substr(kSettingsStart, kSettingsEnd - kSettingsStart), settings);
    expectNoPlainWords(memo, words);

    auto table = open(kPassword);
    EXPECT_TRUE(table->isEncrypted());
    auto expected = entries;
    expected.erase("19991231");
    EXPECT_EQ(readAll(*table), expected);
}

// A table whose key settings cannot be used is not opened, so nothing is
// written under settings that no password could match.
TEST_F(EncryptedDiary, DamagedKeySettingsAreNamedAtOpen)
{
    encrypt();
    const std::string intact = memoFile();
    const struct {
        std::size_t at;
        char value;
        const char* message;
    } damages[] = {{12, 9, "unknown format version 9"}, {13, '\x7f', "key settings are damaged"}};
    for (const auto& damage : damages) {
        std::string memo = intact;
        memo[damage.at] = damage.value;
        writeBytes(folder / "DAYVELL.FPT", memo);
        EXPECT_THAT(messageOf([&] { Table table(file); }), HasSubstr(damage.message));
    }
}

TEST(TableEncryptionWithoutMemo, IsRefused)
{
    TempFolder folder;
    Table::create(folder / "PLAIN.DBF", {{"NAME", 'C', 10, 0}});
    Table table(folder / "PLAIN.DBF", kQuickKeys);
    table.setPassword(kPassword);
    EXPECT_THAT(messageOf([&] { table.encryptAll(); }), HasSubstr("no memo field"));
    EXPECT_FALSE(table.isEncrypted());
}

}  // namespace
