#include "app/StoredEntries.h"

#include <QDir>

namespace dayvell {

StoredEntries::StoredEntries(const QString& programFolder, engine::TableOptions options)
    : folder_(programFolder)
    , storage_(programFolder, &QDate::currentDate, options)
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

void StoredEntries::setPassword(const QString& password)
{
    storage_.setPassword(password);
}

bool StoredEntries::isEncrypted() const
{
    return storage_.isEncrypted();
}

bool StoredEntries::checkPassword(const QString& candidate) const
{
    return storage_.checkPassword(candidate);
}

void StoredEntries::closeIndexes()
{
    engine::Table& table = storage_.DiaryTable();
    table.setOrder(0);
    table.closeIndexes();
}

void StoredEntries::reopenIndexes()
{
    engine::Table& table = storage_.DiaryTable();
    table.openIndex(QDir(folder_).filePath(QStringLiteral("dayvell.cdx")).toStdString());
    table.setOrder(1);
}

} // namespace dayvell
