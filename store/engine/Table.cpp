#include "store/engine/Table.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoFileWriter.h"
#include "store/engine/MemoReference.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

namespace dayvell::engine {
namespace {

bool fileExists(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

std::string withoutTrailingBlanks(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

bool keyStartsWith(const std::string& key, const std::string& prefix)
{
    return key.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void Table::create(const std::filesystem::path& file, const std::vector<FieldDefinition>& fields)
{
    const TableFileNames names(file);
    const TableHeader header = TableHeader::forNewTable(file, fields);
    if (fileExists(file))
        throw EngineError(file.string() + ": cannot create the table: the file already exists");
    // A memo file whose table was lost still holds every text; never replace it.
    if (header.hasMemoFields() && fileExists(findIgnoringCase(names.memo)))
        throw EngineError(file.string() + ": cannot create the table: its memo file " +
                          findIgnoringCase(names.memo).string() + " already exists without it");
    std::error_code ignored;
    std::filesystem::remove(names.newTable, ignored);
    std::filesystem::remove(names.newMemo, ignored);
    // The table file appears last, so an interrupted creation leaves no table.
    if (header.hasMemoFields()) {
        MemoFileWriter memo(names.newMemo, MemoFileHeader::forNewFile());
        memo.finish();
        PosixFile(names.newMemo, PosixFile::Mode::ReadWrite).renameTo(names.memo);
    }
    TableFile::writeImage(names.newTable, header, {});
    PosixFile(names.newTable, PosixFile::Mode::ReadWrite).renameTo(names.table);
}

Table::Table(const std::filesystem::path& file, TableOptions options)
    : names_(file), options_(options), indexes_(options.syncWrites)
{
    PosixFile locked = openLockedTableFile(names_.table);
    locked = TableRewriter(names_).recover(std::move(locked));
    table_ = std::make_unique<TableFile>(std::move(locked), options_.syncWrites);
    openMemoFile();
    for (std::size_t i = 0; i < fields().size() && !bindingField_; ++i) {
        if (fields()[i].type != 'M')
            bindingField_ = i;
    }

    const std::filesystem::path structural = findIgnoringCase(names_.structuralIndex);
    if (fileExists(structural)) {
        try {
            indexes_.open(structural, *table_);
        } catch (const EngineError&) {
            // Unreadable, or holding tags this engine cannot keep: it stays
            // closed and is replaced when a tag is created.
        }
    }
    first();
}

Table::~Table()
{
    try {
        indexes_.writeChanged();
    } catch (...) {
        // The next open finds the index out of step and rebuilds it.
    }
}

void Table::openMemoFile()
{
    memo_.reset();
    encryption_.reset();
    if (!table_->header().hasMemoFields())
        return;
    const std::filesystem::path memoPath = findIgnoringCase(names_.memo);
    if (!fileExists(memoPath))
        throw EngineError(names_.memo.string() + ": the memo file of the table is missing");
    memo_ = std::make_unique<MemoFile>(memoPath, options_.syncWrites);
    encryption_ = EncryptionSettings::readFrom(memo_->header(), memo_->path());
}

std::size_t Table::fieldIndex(const std::string& name) const
{
    const auto& all = fields();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (sameNameIgnoringCase(all[i].name, name))
            return i;
    }
    throw EngineError(path().string() + ": the table has no field named \"" + name + "\"");
}

void Table::runSwap(const TableRewriter& rewriter, const std::function<void()>& swap)
{
    try {
        swap();
    } catch (const std::exception& error) {
        if (rewriter.committed())
            unusableReason_ = error.what();
        throw;
    }
}

void Table::requireNotEditing(const char* operation) const
{
    if (!unusableReason_.empty())
        throw EngineError(path().string() + ": cannot " + operation +
                          ": the table must be opened again after a failed rewrite (" + unusableReason_ + ")");
    if (editing_ != Editing::None)
        throw EngineError(path().string() + ": cannot " + operation + " while a record is being edited; post it first");
}

void Table::requireRecord(const char* operation) const
{
    if (atEnd_)
        throw EngineError(path().string() + ": cannot " + operation + ": the table stands at its end, not on a record");
}

void Table::requireEditing(const char* operation) const
{
    if (editing_ == Editing::None)
        throw EngineError(path().string() + ": cannot " + operation + ": no record is being edited or appended");
}

// ---- index orders

void Table::createIndexTag(const std::filesystem::path& indexFile, const std::string& tagName,
                           const std::string& expression, const std::string& condition, bool descending, bool unique)
{
    requireNotEditing("create an index tag");
    const bool structural = indexFile.empty();
    const std::filesystem::path file = structural ? findIgnoringCase(names_.structuralIndex) : findIgnoringCase(indexFile);
    TagDefinition definition;
    definition.name = tagName;
    definition.expression = expression;
    definition.filter = condition;
    definition.descending = descending;
    definition.unique = unique;
    ProgressReporter progress(progress_);
    order_ = indexes_.createTag(file, definition, *table_, progress);
    if (structural)
        table_->setFlags(table_->header().flags | TableHeader::kHasStructuralIndex);
}

int Table::setOrder(int order)
{
    if (order < 0 || order > indexes_.tagCount())
        throw EngineError(path().string() + ": there is no index order " + std::to_string(order) + "; " +
                          std::to_string(indexes_.tagCount()) + " tags are open");
    return std::exchange(order_, order);
}

void Table::closeIndexes()
{
    indexes_.closeAll();
    order_ = 0;
}

void Table::openIndex(const std::filesystem::path& indexFile)
{
    const std::filesystem::path file = findIgnoringCase(indexFile);
    if (!fileExists(file))
        throw EngineError(indexFile.string() + ": the index file does not exist");
    order_ = indexes_.open(file, *table_);
}

// ---- positions

bool Table::isVisible(std::uint32_t recno) const
{
    return !(hideDeleted_ && table_->isDeleted(recno));
}

void Table::goToEnd()
{
    recno_ = table_->recordCount() + 1;
    atEnd_ = true;
}

bool Table::seek(const std::string& key)
{
    requireNotEditing("seek");
    if (order_ == 0)
        throw EngineError(path().string() + ": cannot seek in record order; select an index order first");
    const auto& entries = indexes_.tag(order_).entries;
    auto at = std::lower_bound(entries.begin(), entries.end(), key, [&](const IndexEntry& entry, const std::string& wanted) {
        return entry.key.compare(0, wanted.size(), wanted) < 0;
    });
    for (; at != entries.end() && keyStartsWith(at->key, key); ++at) {
        if (isVisible(at->recno)) {
            recno_ = at->recno;
            atEnd_ = false;
            return true;
        }
    }
    goToEnd();
    return false;
}

void Table::first()
{
    requireNotEditing("move");
    const std::uint32_t count = table_->recordCount();
    if (order_ == 0) {
        for (std::uint32_t recno = 1; recno <= count; ++recno) {
            if (isVisible(recno)) {
                recno_ = recno;
                atEnd_ = false;
                return;
            }
        }
    } else {
        for (const IndexEntry& entry : indexes_.tag(order_).entries) {
            if (isVisible(entry.recno)) {
                recno_ = entry.recno;
                atEnd_ = false;
                return;
            }
        }
    }
    goToEnd();
}

void Table::last()
{
    requireNotEditing("move");
    if (order_ == 0) {
        for (std::uint32_t recno = table_->recordCount(); recno >= 1; --recno) {
            if (isVisible(recno)) {
                recno_ = recno;
                atEnd_ = false;
                return;
            }
        }
    } else {
        const auto& entries = indexes_.tag(order_).entries;
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            if (isVisible(it->recno)) {
                recno_ = it->recno;
                atEnd_ = false;
                return;
            }
        }
    }
    goToEnd();
}

void Table::next()
{
    requireNotEditing("move");
    if (atEnd_)
        return;
    if (order_ == 0) {
        for (std::uint32_t recno = recno_ + 1; recno <= table_->recordCount(); ++recno) {
            if (isVisible(recno)) {
                recno_ = recno;
                return;
            }
        }
    } else {
        const OpenTag& tag = indexes_.tag(order_);
        const IndexEntry current {std::string(tag.key.keyOf(table_->record(recno_))), recno_};
        auto it = std::upper_bound(tag.entries.begin(), tag.entries.end(), current,
                                   [](const IndexEntry& a, const IndexEntry& b) {
                                       const int order = a.key.compare(b.key);
                                       return order < 0 || (order == 0 && a.recno < b.recno);
                                   });
        for (; it != tag.entries.end(); ++it) {
            if (isVisible(it->recno)) {
                recno_ = it->recno;
                return;
            }
        }
    }
    goToEnd();
}

bool Table::isDeleted() const
{
    return !atEnd_ && currentRecord()[0] == TableHeader::kDeletedMark;
}

// ---- field values

std::string_view Table::currentRecord() const
{
    if (editing_ != Editing::None)
        return buffer_;
    return table_->record(recno_);
}

std::string Table::fieldText(const std::string& field) const
{
    const std::size_t index = fieldIndex(field);
    if (fields()[index].type == 'M')
        return memoText(field);
    if (atEnd_ && editing_ == Editing::None)
        return {};
    return withoutTrailingBlanks(currentRecord().substr(table_->header().fieldOffsets[index], fields()[index].width));
}

std::string Table::memoText(const std::string& field) const
{
    const std::size_t index = fieldIndex(field);
    if (fields()[index].type != 'M')
        throw EngineError(path().string() + ": the field " + fields()[index].name + " is not a memo field");
    if (const auto pending = pendingMemos_.find(index); pending != pendingMemos_.end())
        return pending->second;
    if (atEnd_ && editing_ == Editing::None)
        return {};
    const std::string where = path().string() + ": record " + std::to_string(recno_) + ", field " + fields()[index].name;
    const std::string_view reference = currentRecord().substr(table_->header().fieldOffsets[index], fields()[index].width);
    const auto block = parseMemoReference(reference);
    if (!block)
        throw EngineError(where + ": the memo reference \"" + std::string(reference) + "\" is not a block number");
    if (*block == 0)
        return {};
    if (!memo_)
        throw EngineError(where + ": the table has no memo file");
    Memo memo = memo_->read(*block);
    if (memo.type != MemoBlockType::Sealed)
        return std::move(memo.data);
    if (!encryption_)
        throw EngineError(where + ": the memo is encrypted, but the table keeps no key for it; it cannot be read");
    const std::string_view stored = editing_ == Editing::Append ? currentRecord() : table_->record(recno_);
    return openSealed(tableKey("read record " + std::to_string(recno_)), memo.data, stored, where);
}

// ---- changes

void Table::append()
{
    requireNotEditing("append");
    buffer_.assign(table_->header().recordLength, ' ');
    editing_ = Editing::Append;
}

void Table::edit()
{
    requireNotEditing("edit");
    requireRecord("edit");
    buffer_ = std::string(table_->record(recno_));
    editing_ = Editing::Edit;
}

void Table::setFieldText(const std::string& field, const std::string& text)
{
    requireEditing("set a field");
    const std::size_t index = fieldIndex(field);
    const FieldDefinition& definition = fields()[index];
    if (definition.type == 'M') {
        setMemoText(field, text);
        return;
    }
    if (text.size() > definition.width)
        throw EngineError(path().string() + ": the text for field " + definition.name + " is " +
                          std::to_string(text.size()) + " bytes long; the field holds " +
                          std::to_string(definition.width));
    std::string value = text;
    value.resize(definition.width, ' ');
    buffer_.replace(table_->header().fieldOffsets[index], definition.width, value);
}

void Table::setMemoText(const std::string& field, const std::string& text)
{
    requireEditing("set a memo");
    const std::size_t index = fieldIndex(field);
    if (fields()[index].type != 'M')
        throw EngineError(path().string() + ": the field " + fields()[index].name + " is not a memo field");
    pendingMemos_[index] = text;
}

void Table::storeMemos(const std::map<std::size_t, std::string>& memos, std::string& record, const MemoCipher* key)
{
    for (const auto& [index, text] : memos) {
        std::uint32_t block = 0;
        if (!text.empty()) {
            if (!memo_)
                throw EngineError(path().string() + ": the table has no memo file");
            block = key == nullptr ? memo_->append(MemoBlockType::Text, text)
                                   : memo_->append(MemoBlockType::Sealed, key->seal(text, bindingText(record)));
        }
        record.replace(table_->header().fieldOffsets[index], fields()[index].width,
                       formatMemoReference(block, fields()[index].width));
    }
}

void Table::post()
{
    requireEditing("post");
    const Editing editing = std::exchange(editing_, Editing::None);
    std::string record = std::exchange(buffer_, {});
    std::map<std::size_t, std::string> memos = std::exchange(pendingMemos_, {});
    const MemoCipher* key = nullptr;
    if (encryption_)
        key = &tableKey(editing == Editing::Append ? std::string("append a record") : "save record " + std::to_string(recno_));
    if (key != nullptr && editing == Editing::Edit)
        resealMovedMemos(memos, table_->record(recno_), record, *key);
    // Memos first: the record points to them only once they are on disk.
    storeMemos(memos, record, key);

    if (editing == Editing::Append) {
        const std::uint32_t recno = table_->appendRecord(record);
        indexes_.recordAppended(recno, record);
        recno_ = recno;
    } else {
        const std::string before(table_->record(recno_));
        table_->rewriteRecord(recno_, record);
        indexes_.recordChanged(recno_, before, record);
    }
    atEnd_ = false;
}

void Table::deleteRecord()
{
    requireNotEditing("delete");
    requireRecord("delete");
    if (encryption_)
        tableKey("delete record " + std::to_string(recno_));
    std::string record(table_->record(recno_));
    record[0] = TableHeader::kDeletedMark;
    table_->rewriteRecord(recno_, record);
}

void Table::reread()
{
    requireNotEditing("re-read");
    table_->reload();
    if (recno_ > table_->recordCount())
        goToEnd();
}

void Table::setFilter(const std::string& expression)
{
    if (expression.find_first_not_of(' ') != std::string::npos)
        throw EngineError(path().string() + ": cannot use the filter \"" + expression +
                          "\"; only the empty filter is supported");
    filter_.clear();
}

void Table::pack()
{
    requireNotEditing("pack");
    ProgressReporter progress(progress_);
    progress.report(0);
    TableRewriter packer(names_);
    runSwap(packer, [&] {
        PosixFile packed = packer.pack(*table_, memo_.get(), progress);
        table_ = std::make_unique<TableFile>(std::move(packed), options_.syncWrites);
        openMemoFile();
        indexes_.rebuild(*table_);
        indexes_.writeChanged();
        packer.finish();
    });
    first();
    progress.report(100);
}

}  // namespace dayvell::engine
