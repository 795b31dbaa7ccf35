#pragma once

#include "app/EntryStore.h"
#include "app/PasswordProtection.h"
#include "store/DiaryStorage.h"
#include "store/DiaryTableEncryption.h"

namespace dayvell {

// The entries of the diary table DAYVELL.DBF in a folder.
class StoredEntries final : public EntryStore, private PasswordProtection
{
public:
    // `options` tune the table engine; tests choose a quick key derivation.
    explicit StoredEntries(const QString& programFolder, engine::TableOptions options = {});

    bool OpenDiaryFile() override;
    QString lastError() const override;
    bool FindDateRecord(const QDate& date) override;
    QByteArray LoadRichText() override;
    void SaveRichText(const QByteArray& rtf, bool documentIsEmpty) override;
    QDate FirstEntryDate() override;
    QDate LastEntryDate() override;
    PasswordProtection* passwordProtection() override { return this; }

    // The storage itself, for the commands that walk or rebuild the table.
    DiaryStorage& Storage() { return storage_; }

private:
    void setPassword(const QString& password) override;
    bool isEncrypted() const override;
    bool checkPassword(const QString& candidate) const override;
    void closeIndexes() override;
    void reopenIndexes() override;
    TableEncryption& Encryption() override { return encryption_; }

    QString folder_;
    DiaryStorage storage_;
    DiaryTableEncryption encryption_{ storage_ };
};

} // namespace dayvell
