#pragma once

#include "app/EntryStore.h"
#include "store/DiaryStorage.h"

namespace dayvell {

// The entries of the diary table DAYVELL.DBF in a folder.
class StoredEntries final : public EntryStore
{
public:
    explicit StoredEntries(const QString& programFolder);

    bool OpenDiaryFile() override;
    QString lastError() const override;
    bool FindDateRecord(const QDate& date) override;
    QByteArray LoadRichText() override;
    void SaveRichText(const QByteArray& rtf, bool documentIsEmpty) override;
    QDate FirstEntryDate() override;
    QDate LastEntryDate() override;

    // The storage itself, for the commands that walk or rebuild the table.
    DiaryStorage& Storage() { return storage_; }

private:
    DiaryStorage storage_;
};

} // namespace dayvell
