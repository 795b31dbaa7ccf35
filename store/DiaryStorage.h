#pragma once

#include "store/engine/Table.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <memory>

namespace dayvell {

// The diary table DAYVELL.DBF (fields DATE C 8 and ENTRY M 10, index tag
// "DATE" on "date") in the program folder, and the current date with its
// entry. One record per date that has an entry; entries are RTF documents.
class DiaryStorage {
public:
    using TodaySource = std::function<QDate()>;

    static constexpr const char* kTableName = "DAYVELL.DBF";
    static constexpr const char* kIndexName = "DAYVELL.CDX";
    static constexpr const char* kDateTag = "DATE";

    // `programFolder` holds the table; `today` tells today's date (a seam
    // for tests). The current date starts as today.
    explicit DiaryStorage(const QString& programFolder, TodaySource today = &QDate::currentDate,
                          engine::TableOptions options = {});

    // Opens the table for exclusive use, creating the table and its index
    // when missing. False on failure; lastError() then says why.
    bool OpenDiaryFile();
    bool CreateDiaryTable();
    void CreateDiaryIndex();
    QString lastError() const { return lastError_; }
    bool isOpen() const { return table_ != nullptr; }

    QDate DiaryDate() const { return diaryDate_; }
    void SetDiaryDate(const QDate& date) { diaryDate_ = date; }
    bool EntryFound() const { return entryFound_; }

    // The table password for later loads and saves, empty for none; kept
    // for a table opened later too.
    void setPassword(const QString& password);
    // Whether the entries are stored encrypted; known without a password.
    bool isEncrypted() const;
    // Whether `candidate` opens the open table (any password opens a plain
    // one); false when no table is open. Changes nothing.
    bool checkPassword(const QString& candidate) const;

    // Looks up the live record of DiaryDate and stands on it; sets EntryFound.
    void FindDateRecord();
    // The RTF of the current date's entry; empty when EntryFound is false.
    // An entry the password set cannot decrypt raises an error, never garbage.
    QByteArray LoadRichText();
    // Stores the editor's document as the entry of DiaryDate: an emptied
    // entry is blanked and deleted, a first text appends a record, and an
    // empty document on a date without an entry writes nothing. A stored
    // entry that the password set cannot decrypt is neither replaced nor
    // deleted: the save raises an error before anything is written.
    void SaveRichText(const QByteArray& rtf, bool documentIsEmpty);

    // The date of the first (last) live entry in date order, or today when
    // there is none; the table is left on that record.
    QDate FirstEntryDate();
    QDate LastEntryDate();

    // "yyyymmdd".
    static QString DateKey(const QDate& date);
    // The date a key names, or today when it names none.
    QDate STOD(const QString& key) const;

    // The open table, for the commands that walk or rebuild it. They end
    // with FindDateRecord before the next save.
    engine::Table& DiaryTable();

private:
    QString tablePath() const;
    int selectDateOrder();
    QDate entryDateAtCurrentRecord() const;
    std::string storedEntryText(const char* failure) const;

    QString folder_;
    TodaySource today_;
    engine::TableOptions options_;
    std::string password_;
    std::unique_ptr<engine::Table> table_;
    QDate diaryDate_;
    bool entryFound_ = false;
    QString lastError_;
};

}  // namespace dayvell
