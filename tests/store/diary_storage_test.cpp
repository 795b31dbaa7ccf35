#include "store/DiaryStorage.h"
#include "store/engine/TableTestSupport.h"

#include "store/engine/CompoundIndexFile.h"
#include "store/engine/EngineError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

using dayvell::DiaryStorage;
using dayvell::engine::testing::TempFolder;
using dayvell::engine::testing::writeBytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QDate kToday(2001, 3, 5);

class DiaryStorageTest : public ::testing::Test {
protected:
    std::unique_ptr<DiaryStorage> openStorage()
    {
        auto storage = std::make_unique<DiaryStorage>(QString::fromStdString(folder.path().string()), [] { return kToday; });
        EXPECT_TRUE(storage->OpenDiaryFile()) << storage->lastError().toStdString();
        return storage;
    }

    void save(DiaryStorage& storage, const QDate& date, const QByteArray& rtf)
    {
        storage.SetDiaryDate(date);
        storage.FindDateRecord();
        storage.SaveRichText(rtf, rtf.isEmpty());
    }

    QByteArray load(DiaryStorage& storage, const QDate& date)
    {
        storage.SetDiaryDate(date);
        storage.FindDateRecord();
        return storage.LoadRichText();
    }

    std::vector<std::string> fileNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
};

}  // namespace

TEST_F(DiaryStorageTest, FirstStartCreatesTheTableAndItsIndex)
{
    auto storage = openStorage();
    EXPECT_THAT(fileNames(), ElementsAre("DAYVELL.CDX", "DAYVELL.DBF", "DAYVELL.FPT"));
    const auto& fields = storage->DiaryTable().fields();
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].name, "DATE");
    EXPECT_EQ(fields[0].type, 'C');
    EXPECT_EQ(fields[0].width, 8u);
    EXPECT_EQ(fields[1].name, "ENTRY");
    EXPECT_EQ(fields[1].type, 'M');
    EXPECT_EQ(fields[1].width, 10u);
    EXPECT_EQ(storage->DiaryTable().order(), 1);
    EXPECT_TRUE(storage->DiaryTable().deletedHidden());
    const auto tags = dayvell::engine::readCompoundIndex(folder / "DAYVELL.CDX");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].definition.name, "DATE");
    EXPECT_EQ(tags[0].definition.expression, "date");

    EXPECT_EQ(storage->DiaryDate(), kToday);
    storage->FindDateRecord();
    EXPECT_FALSE(storage->EntryFound());
    EXPECT_TRUE(storage->LoadRichText().isEmpty());
}

TEST_F(DiaryStorageTest, ASavedEntryIsFoundByItsDateAfterReopening)
{
    {
        auto storage = openStorage();
        save(*storage, QDate(1996, 12, 10), "{\\rtf1 first}");
        EXPECT_TRUE(storage->EntryFound());
    }
    auto storage = openStorage();
    EXPECT_EQ(load(*storage, QDate(1996, 12, 10)), "{\\rtf1 first}");
    EXPECT_TRUE(storage->EntryFound());
    EXPECT_TRUE(load(*storage, QDate(1996, 12, 11)).isEmpty());
    EXPECT_FALSE(storage->EntryFound());
    EXPECT_THAT(fileNames(), ElementsAre("DAYVELL.CDX", "DAYVELL.DBF", "DAYVELL.FPT")) << "no temporary file";
}

struct SaveCase {
    const char* name;
    bool entryBefore;
    bool documentEmpty;
    bool entryFoundAfter;
    std::uint32_t records;      // records in the table afterwards
    const char* storedText;     // what a later load gives
};

class SaveRow : public DiaryStorageTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveRow, ActsOnTheEntryAndTheDocument)
{
    const auto& c = GetParam();
    auto storage = openStorage();
    if (c.entryBefore)
        save(*storage, kToday, "{\\rtf1 before}");
    storage->FindDateRecord();
    storage->SaveRichText(c.documentEmpty ? QByteArray() : QByteArray("{\\rtf1 after}"), c.documentEmpty);

    EXPECT_EQ(storage->EntryFound(), c.entryFoundAfter);
    EXPECT_EQ(storage->DiaryTable().recordCount(), c.records);
    EXPECT_EQ(load(*storage, kToday), QByteArray(c.storedText));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveRow,
    ::testing::Values(SaveCase {"EntryEmptied", true, true, false, 1, ""},
                      SaveCase {"EntryRewritten", true, false, true, 1, "{\\rtf1 after}"},
                      SaveCase {"EntryAdded", false, false, true, 1, "{\\rtf1 after}"},
                      SaveCase {"NothingOnAnEmptyDay", false, true, false, 0, ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(DiaryStorageTest, AnEmptiedEntryIsBlankedAndDeletedAndANewTextAppendsAgain)
{
    auto storage = openStorage();
    save(*storage, kToday, "{\\rtf1 one}");
    save(*storage, kToday, "");
    auto& table = storage->DiaryTable();
    table.setDeletedHidden(false);
    table.setOrder(0);
    table.first();
    EXPECT_TRUE(table.isDeleted());
    EXPECT_EQ(table.fieldText("DATE"), "");
    EXPECT_EQ(table.memoText("ENTRY"), "");
    table.setDeletedHidden(true);

    save(*storage, kToday, "{\\rtf1 two}");
    EXPECT_EQ(table.recordCount(), 2u);
    EXPECT_EQ(load(*storage, kToday), "{\\rtf1 two}");
}

TEST_F(DiaryStorageTest, ASaveAfterTheTableWasMovedStillLandsOnTheRecordOfItsDate)
{
    auto storage = openStorage();
    save(*storage, QDate(2001, 3, 1), "{\\rtf1 march first}");
    save(*storage, QDate(2001, 3, 2), "{\\rtf1 march second}");
    storage->SetDiaryDate(QDate(2001, 3, 2));
    storage->FindDateRecord();
    storage->DiaryTable().first();  // a search or a print walked the table meanwhile
    storage->SaveRichText("{\\rtf1 changed}", false);

    EXPECT_EQ(load(*storage, QDate(2001, 3, 1)), "{\\rtf1 march first}");
    EXPECT_EQ(load(*storage, QDate(2001, 3, 2)), "{\\rtf1 changed}");
    EXPECT_EQ(storage->DiaryTable().recordCount(), 2u);
}

TEST_F(DiaryStorageTest, ASaveNeverAppendsASecondRecordForADate)
{
    auto storage = openStorage();
    storage->FindDateRecord();
    ASSERT_FALSE(storage->EntryFound());
    auto& table = storage->DiaryTable();
    table.append();
    table.setFieldText("DATE", "20010305");
    table.setMemoText("ENTRY", "{\\rtf1 written elsewhere}");
    table.post();

    storage->SaveRichText("{\\rtf1 mine}", false);
    EXPECT_EQ(table.recordCount(), 1u);
    EXPECT_EQ(load(*storage, kToday), "{\\rtf1 mine}");
}

TEST_F(DiaryStorageTest, AMissingOrUnreadableIndexIsBuiltAgainAtOpen)
{
    {
        auto storage = openStorage();
        save(*storage, QDate(1997, 5, 3), "{\\rtf1 may}");
        save(*storage, QDate(1997, 7, 9), "{\\rtf1 july}");
    }
    for (const bool removeIt : {true, false}) {
        SCOPED_TRACE(removeIt ? "index removed" : "index damaged");
        if (removeIt)
            std::filesystem::remove(folder / "DAYVELL.CDX");
        else
            writeBytes(folder / "DAYVELL.CDX", std::string(1024, 'z'));
        auto storage = openStorage();
        EXPECT_EQ(load(*storage, QDate(1997, 7, 9)), "{\\rtf1 july}");
        EXPECT_EQ(load(*storage, QDate(1997, 5, 3)), "{\\rtf1 may}");
    }
}

TEST_F(DiaryStorageTest, FirstAndLastEntryDatesSkipDeletedEntries)
{
    auto storage = openStorage();
    EXPECT_EQ(storage->FirstEntryDate(), kToday) << "an empty diary gives today";
    EXPECT_EQ(storage->LastEntryDate(), kToday);

    save(*storage, QDate(1997, 7, 9), "{\\rtf1 july}");
    save(*storage, QDate(1997, 5, 3), "{\\rtf1 may}");
    save(*storage, QDate(1996, 1, 1), "{\\rtf1 gone soon}");
    save(*storage, QDate(1996, 1, 1), "");
    EXPECT_EQ(storage->FirstEntryDate(), QDate(1997, 5, 3));
    EXPECT_EQ(storage->LastEntryDate(), QDate(1997, 7, 9));
}

TEST_F(DiaryStorageTest, ASecondOpenFailsWithAReason)
{
    auto first = openStorage();
    DiaryStorage second(QString::fromStdString(folder.path().string()));
    EXPECT_FALSE(second.OpenDiaryFile());
    EXPECT_THAT(second.lastError().toStdString(), HasSubstr("already open"));
    EXPECT_FALSE(second.isOpen());
    EXPECT_THROW(second.FindDateRecord(), dayvell::engine::EngineError);
}

TEST_F(DiaryStorageTest, AFolderThatCannotHoldTheTableFailsWithAReason)
{
    DiaryStorage storage(QString::fromStdString((folder / "absent").string()));
    EXPECT_FALSE(storage.OpenDiaryFile());
    EXPECT_THAT(storage.lastError().toStdString(), HasSubstr("absent/DAYVELL"));
    EXPECT_THAT(storage.lastError().toStdString(), HasSubstr("No such file"));
}

TEST_F(DiaryStorageTest, ADamagedTableFailsWithAReason)
{
    openStorage();
    writeBytes(folder / "DAYVELL.DBF", "not a table at all, just text that is long enough");
    DiaryStorage storage(QString::fromStdString(folder.path().string()));
    EXPECT_FALSE(storage.OpenDiaryFile());
    EXPECT_THAT(storage.lastError().toStdString(), HasSubstr("DAYVELL.DBF"));
}

struct KeyCase {
    QDate date;
    const char* key;
};

TEST(DiaryDateKey, IsEightDigitsYearMonthDay)
{
    for (const KeyCase& c : {KeyCase {QDate(1996, 12, 10), "19961210"}, KeyCase {QDate(2001, 3, 5), "20010305"},
                             KeyCase {QDate(1999, 12, 31), "19991231"}, KeyCase {QDate(987, 1, 2), "09870102"}})
        EXPECT_EQ(DiaryStorage::DateKey(c.date), QString::fromLatin1(c.key));
}

TEST(DiaryDateKey, ReadsBackTheDateOrGivesToday)
{
    const DiaryStorage storage(QDir::tempPath(), [] { return kToday; });
    for (const KeyCase& c : {KeyCase {QDate(1999, 12, 31), "19991231"}, KeyCase {QDate(2000, 2, 29), "20000229"},
                             KeyCase {QDate(1999, 12, 31), "19991231 trailing"}, KeyCase {kToday, ""},
                             KeyCase {kToday, "19990231"}, KeyCase {kToday, "19000229"}, KeyCase {kToday, "20011301"},
                             KeyCase {kToday, "20010100"}, KeyCase {kToday, "1999123"}, KeyCase {kToday, "1999 231"},
                             KeyCase {kToday, "+1991231"}, KeyCase {kToday, "00000101"}})
        EXPECT_EQ(storage.STOD(QString::fromLatin1(c.key)), c.date) << c.key;
}
