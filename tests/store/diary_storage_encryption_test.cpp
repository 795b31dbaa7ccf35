#include "store/DiaryStorage.h"
#include "store/DiaryTableEncryption.h"
#include "store/engine/TableTestSupport.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoCipher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using dayvell::DiaryStorage;
using dayvell::DiaryTableEncryption;
using dayvell::engine::EngineError;
using dayvell::engine::MemoCipher;
using dayvell::engine::TableOptions;
using dayvell::engine::testing::folderImage;
using dayvell::engine::testing::messageOf;
using dayvell::engine::testing::readBytes;
using dayvell::engine::testing::TempFolder;
using dayvell::engine::testing::writeBytes;
using ::testing::HasSubstr;

namespace {

const QDate kToday(2001, 3, 5);
const QDate kSpring(2001, 3, 20);
const QDate kSummer(2001, 6, 21);

class EncryptedDiaryStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto storage = openStorage();
        save(*storage, kToday, "{\\rtf1 tulips}");
        save(*storage, kSpring, "{\\rtf1 crocuses}");
        save(*storage, kSummer, "{\\rtf1 roses}");
    }

    std::unique_ptr<DiaryStorage> openStorage(const QString& password = {})
    {
        auto storage = std::make_unique<DiaryStorage>(QString::fromStdString(folder.path().string()),
                                                      [] { return kToday; },
                                                      TableOptions {true, MemoCipher::kQuickTestCost});
        storage->setPassword(password);
        EXPECT_TRUE(storage->OpenDiaryFile()) << storage->lastError().toStdString();
        return storage;
    }

    static void save(DiaryStorage& storage, const QDate& date, const QByteArray& rtf)
    {
        storage.SetDiaryDate(date);
        storage.FindDateRecord();
        storage.SaveRichText(rtf, rtf.isEmpty());
    }

    static QByteArray load(DiaryStorage& storage, const QDate& date)
    {
        storage.SetDiaryDate(date);
        storage.FindDateRecord();
        return storage.LoadRichText();
    }

    // The change-password dialog's engine steps for a password change from
    // `oldPassword` to `newPassword`; either may be empty.
    static std::vector<int> changePassword(DiaryStorage& storage, const QString& oldPassword,
                                           const QString& newPassword)
    {
        DiaryTableEncryption table(storage);
        std::vector<int> progress;
        const auto receiver = [&](int percent) { progress.push_back(percent); };
        if (!oldPassword.isEmpty()) {
            table.setPassword(oldPassword);
            table.refresh();
            table.decryptAll(receiver);
        }
        table.refresh();
        if (!newPassword.isEmpty()) {
            table.setPassword(newPassword);
            table.refresh();
            table.encryptAll(receiver);
        }
        table.refresh();
        return progress;
    }

    void expectEntries(DiaryStorage& storage)
    {
        EXPECT_EQ(load(storage, kToday), "{\\rtf1 tulips}");
        EXPECT_EQ(load(storage, kSpring), "{\\rtf1 crocuses}");
        EXPECT_EQ(load(storage, kSummer), "{\\rtf1 roses}");
    }

    TempFolder folder;
};

}  // namespace

TEST_F(EncryptedDiaryStorage, SettingChangingAndClearingThePasswordKeepsEveryEntry)
{
    {
        auto storage = openStorage();
        const auto progress = changePassword(*storage, {}, "ROSE 1");
        EXPECT_EQ(progress.front(), 0);
        EXPECT_EQ(progress.back(), 100);
        EXPECT_TRUE(storage->isEncrypted());
        expectEntries(*storage);
        save(*storage, kToday, "{\\rtf1 tulips and daffodils}");
    }
    EXPECT_EQ(readBytes(folder / "DAYVELL.FPT").find("daffodils"), std::string::npos);
    {
        auto storage = openStorage("ROSE 1");
        EXPECT_EQ(load(*storage, kToday), "{\\rtf1 tulips and daffodils}");
        save(*storage, kToday, "{\\rtf1 tulips}");
        changePassword(*storage, "ROSE 1", "lily 2");
        EXPECT_TRUE(storage->checkPassword("lily 2"));
        EXPECT_FALSE(storage->checkPassword("ROSE 1"));
        expectEntries(*storage);
    }
    {
        auto storage = openStorage("lily 2");
        changePassword(*storage, "lily 2", {});
        EXPECT_FALSE(storage->isEncrypted());
        expectEntries(*storage);
        // The engine still holds the old password; new saves are plain all the same.
        save(*storage, kSummer, "{\\rtf1 sunflowers}");
    }
    EXPECT_NE(readBytes(folder / "DAYVELL.FPT").find("sunflowers"), std::string::npos);
    auto storage = openStorage();
    EXPECT_EQ(load(*storage, kSummer), "{\\rtf1 sunflowers}");
}

TEST_F(EncryptedDiaryStorage, AnEncryptedDiaryIsReachableWithoutItsPasswordFile)
{
    changePassword(*openStorage(), {}, "ROSE 1");
    const auto before = folderImage(folder.path());

    auto storage = openStorage();
    EXPECT_TRUE(storage->isEncrypted());
    EXPECT_FALSE(storage->checkPassword("rose 1"));
    EXPECT_TRUE(storage->checkPassword("ROSE 1"));
    EXPECT_THAT(messageOf([&] { load(*storage, kToday); }), HasSubstr("no password is set"));
    EXPECT_EQ(folderImage(folder.path()), before) << "checking and failing to load change nothing";

    storage->setPassword("ROSE 1");
    expectEntries(*storage);
}

namespace {

// Ways an entry comes to be unreadable with the password the storage holds.
struct UnreadableEntry {
    const char* name;
    QString password;
    bool swapMemos;  // the memos of kToday and kSpring swapped on disk
};

void PrintTo(const UnreadableEntry& entry, std::ostream* out)
{
    *out << entry.name;
}

class UnreadableEntryTest : public EncryptedDiaryStorage, public ::testing::WithParamInterface<UnreadableEntry> {
protected:
    void SetUp() override
    {
        EncryptedDiaryStorage::SetUp();
        changePassword(*openStorage(), {}, "ROSE 1");
        if (GetParam().swapMemos)
            swapFirstTwoMemos();
    }

    void swapFirstTwoMemos()
    {
        const auto file = folder / "DAYVELL.DBF";
        std::string dbf = readBytes(file);
        const std::size_t first = 97 + 9, second = 97 + 19 + 9;
        const std::string reference = dbf.substr(first, 10);
        dbf.replace(first, 10, dbf.substr(second, 10));
        dbf.replace(second, 10, reference);
        writeBytes(file, dbf);
    }
};

}  // namespace

// The entry is never shown as garbage and never replaced or deleted; the
// user can still move to other dates.
TEST_P(UnreadableEntryTest, IsNeitherShownNorOverwrittenNorDeleted)
{
    auto storage = openStorage(GetParam().password);
    const auto before = folderImage(folder.path());

    EXPECT_THAT(messageOf([&] { load(*storage, kToday); }), HasSubstr("The entry of 03/05/2001 cannot be shown"));
    for (const QByteArray& rtf : {QByteArray("{\\rtf1 typed over}"), QByteArray()}) {
        EXPECT_THAT(messageOf([&] { save(*storage, kToday, rtf); }),
                    HasSubstr("The entry of 03/05/2001 was not saved, so that the stored entry is kept"));
        EXPECT_TRUE(storage->EntryFound());
    }
    EXPECT_EQ(folderImage(folder.path()), before);

    storage->SetDiaryDate(kSummer);
    storage->FindDateRecord();
    if (GetParam().swapMemos) {
        EXPECT_EQ(storage->LoadRichText(), "{\\rtf1 roses}");
        save(*storage, kSummer, "{\\rtf1 roses, later}");
        storage.reset();
        swapFirstTwoMemos();
        storage = openStorage("ROSE 1");
        EXPECT_EQ(load(*storage, kToday), "{\\rtf1 tulips}");
        EXPECT_EQ(load(*storage, kSpring), "{\\rtf1 crocuses}");
    } else {
        EXPECT_THROW(save(*storage, kSummer, "{\\rtf1 roses, later}"), EngineError);
        EXPECT_THROW(save(*storage, QDate(2002, 1, 1), "{\\rtf1 new}"), EngineError);
        EXPECT_EQ(folderImage(folder.path()), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreadableEntryTest,
                         ::testing::Values(UnreadableEntry {"SwappedWithAnotherDate", "ROSE 1", true},
                                           UnreadableEntry {"WrongPassword", "rose 1", false},
                                           UnreadableEntry {"NoPassword", "", false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });
