#include "store/DiaryStorage.h"

#include "store/engine/EngineError.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace dayvell {
namespace {

constexpr const char* kDateField = "DATE";
constexpr const char* kEntryField = "ENTRY";

std::string toBytes(const QString& text)
{
    return text.toStdString();
}

}  // namespace

DiaryStorage::DiaryStorage(const QString& programFolder, TodaySource today, engine::TableOptions options)
    : folder_(programFolder), today_(std::move(today)), options_(options), diaryDate_(today_())
{
}

QString DiaryStorage::tablePath() const
{
    return QDir(folder_).filePath(QString::fromLatin1(kTableName));
}

bool DiaryStorage::CreateDiaryTable()
{
    try {
        engine::Table::create(tablePath().toStdString(), {{kDateField, 'C', 8, 0}, {kEntryField, 'M', 10, 0}});
    } catch (const std::exception& error) {
        lastError_ = QString::fromStdString(error.what());
        return false;
    }
    return QFileInfo::exists(tablePath());
}

void DiaryStorage::CreateDiaryIndex()
{
    DiaryTable().createIndexTag({}, kDateTag, "date");
}

bool DiaryStorage::OpenDiaryFile()
{
    lastError_.clear();
    table_.reset();
    if (!QFileInfo::exists(tablePath()) && !CreateDiaryTable())
        return false;
    try {
        table_ = std::make_unique<engine::Table>(tablePath().toStdString(), options_);
        table_->setPassword(password_);
        // A missing or unreadable index opens without the tag: build it anew.
        if (table_->tagOrder(kDateTag) == 0)
            CreateDiaryIndex();
        selectDateOrder();
        table_->setDeletedHidden(true);
    } catch (const std::exception& error) {
        table_.reset();
        lastError_ = QString::fromStdString(error.what());
        return false;
    }
    return true;
}

engine::Table& DiaryStorage::DiaryTable()
{
    if (!table_)
        throw engine::EngineError(toBytes(tablePath()) + ": the diary table is not open");
    return *table_;
}

int DiaryStorage::selectDateOrder()
{
    engine::Table& table = DiaryTable();
    const int order = table.tagOrder(kDateTag);
    if (order == 0)
        throw engine::EngineError(toBytes(tablePath()) + ": the index tag DATE is not open");
    return table.setOrder(order);
}

void DiaryStorage::setPassword(const QString& password)
{
    password_ = password.toUtf8().toStdString();
    if (table_)
        table_->setPassword(password_);
}

bool DiaryStorage::isEncrypted() const
{
    return table_ && table_->isEncrypted();
}

bool DiaryStorage::checkPassword(const QString& candidate) const
{
    return table_ && table_->checkPassword(candidate.toUtf8().toStdString());
}

void DiaryStorage::FindDateRecord()
{
    selectDateOrder();
    entryFound_ = DiaryTable().seek(toBytes(DateKey(diaryDate_)));
}

QByteArray DiaryStorage::LoadRichText()
{
    if (!entryFound_)
        return {};
    return QByteArray::fromStdString(storedEntryText("cannot be shown"));
}

// The current record's entry; an entry that cannot be read raises an error
// that names its date and what `failure` it causes.
std::string DiaryStorage::storedEntryText(const char* failure) const
{
    const std::string date = diaryDate_.toString(QStringLiteral("MM/dd/yyyy")).toStdString();
    try {
        return table_->memoText(kEntryField);
    } catch (const engine::EngineError& error) {
        throw engine::EngineError("The entry of " + date + " " + failure + ": " + error.what());
    }
}

void DiaryStorage::SaveRichText(const QByteArray& rtf, bool documentIsEmpty)
{
    engine::Table& table = DiaryTable();
    const std::string key = toBytes(DateKey(diaryDate_));
    // Other commands move the table between a lookup and a save; finding the
    // record again makes sure the save lands on the record of this date and
    // never appends a second live record for it.
    FindDateRecord();
    // An entry that cannot be read must not be lost to a save that replaces
    // or deletes it, for instance when the date is left after a failed load.
    if (entryFound_)
        (void)storedEntryText("was not saved, so that the stored entry is kept");
    if (entryFound_ && documentIsEmpty) {
        table.edit();
        table.setFieldText(kDateField, "");
        table.setMemoText(kEntryField, "");
        table.post();
        table.deleteRecord();
        entryFound_ = false;
    } else if (entryFound_) {
        table.edit();
        table.setFieldText(kDateField, key);
        table.setMemoText(kEntryField, rtf.toStdString());
        table.post();
    } else if (!documentIsEmpty) {
        table.append();
        table.setFieldText(kDateField, key);
        table.setMemoText(kEntryField, rtf.toStdString());
        table.post();
        entryFound_ = true;
    }
}

QDate DiaryStorage::entryDateAtCurrentRecord() const
{
    return STOD(QString::fromStdString(table_->fieldText(kDateField)));
}

QDate DiaryStorage::FirstEntryDate()
{
    selectDateOrder();
    table_->first();
    return entryDateAtCurrentRecord();
}

QDate DiaryStorage::LastEntryDate()
{
    selectDateOrder();
    table_->last();
    return entryDateAtCurrentRecord();
}

QString DiaryStorage::DateKey(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QDate DiaryStorage::STOD(const QString& key) const
{
    if (key.size() < 8)
        return today_();
    for (int i = 0; i < 8; ++i) {
        if (key[i] < QLatin1Char('0') || key[i] > QLatin1Char('9'))
            return today_();
    }
    const QDate date(key.left(4).toInt(), key.mid(4, 2).toInt(), key.mid(6, 2).toInt());
    return date.isValid() ? date : today_();
}

}  // namespace dayvell
