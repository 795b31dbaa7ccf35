#pragma once

#include "app/EntryStore.h"
#include "store/DiaryStorage.h"

namespace dayvell::bench {

// The entries of the diary table in a folder, stored as the program stores
// them except that no change is flushed to disk before the call returns: a
// benchmark then measures the work of a step, not the disk's sync latency.
class UnsyncedEntries final : public EntryStore
{
public:
    explicit UnsyncedEntries(const QString& folder);

    bool OpenDiaryFile() override;
    QString lastError() const override;
    bool FindDateRecord(const QDate& date) override;
    QByteArray LoadRichText() override;
    void SaveRichText(const QByteArray& rtf, bool documentIsEmpty) override;
    QDate FirstEntryDate() override;
    QDate LastEntryDate() override;

private:
    DiaryStorage storage_;
};

} // namespace dayvell::bench
