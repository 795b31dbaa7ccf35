#include "app/StoredEntries.h"

namespace dayvell {

StoredEntries::StoredEntries(const QString& programFolder)
    : storage_(programFolder)
{
}

bool StoredEntries::OpenDiaryFile()
{
    return storage_.OpenDiaryFile();
}

QString StoredEntries::lastError() const
{
    return storage_.lastError();
}

bool StoredEntries::FindDateRecord(const QDate& date)
{
    storage_.SetDiaryDate(date);
    storage_.FindDateRecord();
    return storage_.EntryFound();
}

QByteArray StoredEntries::LoadRichText()
{
    return storage_.LoadRichText();
}

void StoredEntries::SaveRichText(const QByteArray& rtf, bool documentIsEmpty)
{
    storage_.SaveRichText(rtf, documentIsEmpty);
}

QDate StoredEntries::FirstEntryDate()
{
    return storage_.FirstEntryDate();
}

QDate StoredEntries::LastEntryDate()
{
    return storage_.LastEntryDate();
}

} // namespace dayvell
