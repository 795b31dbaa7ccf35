#include "UnsyncedEntries.h"

namespace dayvell::bench {

UnsyncedEntries::UnsyncedEntries(const QString& folder)
    : storage_(folder, &QDate::currentDate, engine::TableOptions {false})
{
}

bool UnsyncedEntries::OpenDiaryFile()
{
    return storage_.OpenDiaryFile();
}

QString UnsyncedEntries::lastError() const
{
    return storage_.lastError();
}

bool UnsyncedEntries::FindDateRecord(const QDate& date)
{
    storage_.SetDiaryDate(date);
    storage_.FindDateRecord();
    return storage_.EntryFound();
}

QByteArray UnsyncedEntries::LoadRichText()
{
    return storage_.LoadRichText();
}

void UnsyncedEntries::SaveRichText(const QByteArray& rtf, bool documentIsEmpty)
{
    storage_.SaveRichText(rtf, documentIsEmpty);
}

QDate UnsyncedEntries::FirstEntryDate()
{
    return storage_.FirstEntryDate();
}

QDate UnsyncedEntries::LastEntryDate()
{
    return storage_.LastEntryDate();
}

} // namespace dayvell::bench
