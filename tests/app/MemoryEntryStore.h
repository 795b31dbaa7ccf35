#pragma once

#include "app/EntryStore.h"

#include <map>
#include <stdexcept>

// Entries kept in memory, with the lookup and save rules of the diary table.
class MemoryEntryStore : public dayvell::EntryStore
{
public:
    std::map<QDate, QByteArray>& entries;
    bool opens = true;
    QDate current;
    bool found = false;
    QDate unreadable; // the entry of this date cannot be read
    bool saveFails = false;

    explicit MemoryEntryStore(std::map<QDate, QByteArray>& storage)
        : entries(storage)
    {
    }

    bool OpenDiaryFile() override { return opens; }
    QString lastError() const override { return opens ? QString() : QStringLiteral("Cannot open /x/DAYVELL.DBF"); }
    bool FindDateRecord(const QDate& date) override
    {
        current = date;
        found = entries.count(date) > 0;
        return found;
    }
    QByteArray LoadRichText() override
    {
        if (found && current == unreadable)
            throw std::runtime_error("The memo of record 1 in /x/DAYVELL.FPT lies beyond the end of the file");
        return found ? entries.at(current) : QByteArray();
    }
    void SaveRichText(const QByteArray& rtf, bool documentIsEmpty) override
    {
        if (saveFails)
            throw std::runtime_error("Unable to write to /x/DAYVELL.FPT: No space left on device");
        if (documentIsEmpty) {
            entries.erase(current);
            found = false;
        } else {
            entries[current] = rtf;
            found = true;
        }
    }
    QDate FirstEntryDate() override { return entries.empty() ? QDate::currentDate() : entries.begin()->first; }
    QDate LastEntryDate() override { return entries.empty() ? QDate::currentDate() : entries.rbegin()->first; }
};
