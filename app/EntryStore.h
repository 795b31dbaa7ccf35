#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace dayvell {

class PasswordProtection;

// What the main window needs of the diary table: open it, stand on the record
// of a date, and move the entry of that date in and out as RTF.
class EntryStore
{
public:
    virtual ~EntryStore() = default;

    // Opens the table, creating it and its index when missing. False on
    // failure, with the reason in lastError().
    virtual bool OpenDiaryFile() = 0;
    virtual QString lastError() const = 0;

    // Seeks the live record of the date; true (EntryFound) when there is one.
    virtual bool FindDateRecord(const QDate& date) = 0;
    // RTF of the record found by the last lookup; empty when none was found.
    virtual QByteArray LoadRichText() = 0;
    // Stores the document as the entry of the date last looked up: edits the
    // record found, appends one when there was none, deletes it when the
    // document is empty.
    virtual void SaveRichText(const QByteArray& rtf, bool documentIsEmpty) = 0;

    // Date of the earliest and the latest live record; today when the table
    // holds none.
    virtual QDate FirstEntryDate() = 0;
    virtual QDate LastEntryDate() = 0;

    // The password handling of the entries; null when they cannot be kept
    // under a password.
    virtual PasswordProtection* passwordProtection() { return nullptr; }
};

} // namespace dayvell
