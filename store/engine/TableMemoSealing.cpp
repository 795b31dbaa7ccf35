// The encryption of a table's memos: the password check, sealing and opening
// memos, and encrypting or decrypting the whole table.

#include "store/engine/Table.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoReference.h"

namespace dayvell::engine {

std::string Table::bindingText(std::string_view record) const
{
    if (!bindingField_)
        return {};
    const std::string_view text =
        record.substr(table_->header().fieldOffsets[*bindingField_], fields()[*bindingField_].width);
    return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

const MemoCipher& Table::tableKey(const std::string& purpose) const
{
    if (password_.empty())
        throw EngineError(path().string() + ": cannot " + purpose + ": the table is encrypted and no password is set");
    const MemoCipher& key = keys_.keyFor(password_, encryption_->salt, encryption_->cost);
    if (!key.verifyKeyCheck(encryption_->keyCheck))
        throw EngineError(path().string() + ": cannot " + purpose +
                          ": the password set is not the password of this encrypted table");
    return key;
}

std::string Table::openSealed(const MemoCipher& key, const std::string& sealed, std::string_view record,
                              const std::string& where) const
{
    try {
        return key.open(sealed, bindingText(record));
    } catch (const EngineError& error) {
        throw EngineError(where + ": " + error.what());
    }
}

// A sealed memo is bound to the record's key text: when that changes, the
// memos that are not replaced are sealed again for the new text.
void Table::resealMovedMemos(std::map<std::size_t, std::string>& memos, std::string_view before,
                             std::string_view after, const MemoCipher& key) const
{
    if (bindingText(before) == bindingText(after))
        return;
    for (std::size_t index = 0; index < fields().size(); ++index) {
        if (fields()[index].type != 'M' || memos.count(index) != 0)
            continue;
        const auto block =
            parseMemoReference(before.substr(table_->header().fieldOffsets[index], fields()[index].width));
        if (!block || *block == 0)
            continue;
        Memo memo = memo_->read(*block);
        if (memo.type == MemoBlockType::Sealed) {
            const std::string where = path().string() + ": record " + std::to_string(recno_) + ", field " + fields()[index].name;
            memos[index] = openSealed(key, memo.data, before, where);
        }
    }
}

bool Table::checkPassword(const std::string& candidate) const
{
    if (!encryption_)
        return true;
    if (candidate.empty())
        return false;
    return keys_.keyFor(candidate, encryption_->salt, encryption_->cost).verifyKeyCheck(encryption_->keyCheck);
}

void Table::forEachMemo(const std::function<void(std::uint32_t, std::string_view, const Memo&)>& visit) const
{
    const TableHeader& header = table_->header();
    for (std::uint32_t recno = 1; recno <= table_->recordCount(); ++recno) {
        const std::string_view record = table_->record(recno);
        for (std::size_t index = 0; index < fields().size(); ++index) {
            if (fields()[index].type != 'M')
                continue;
            const std::string_view reference = record.substr(header.fieldOffsets[index], fields()[index].width);
            const auto block = parseMemoReference(reference);
            if (!block)
                throw EngineError(path().string() + ": record " + std::to_string(recno) + ", field " +
                                  fields()[index].name + ": the memo reference \"" + std::string(reference) +
                                  "\" is not a block number");
            if (*block != 0)
                visit(recno, record, memo_->read(*block));
        }
    }
}

void Table::swapInCopy(const TableCopyPlan& plan, ProgressReporter& progress)
{
    TableRewriter rewriter(names_);
    runSwap(rewriter, [&] {
        PosixFile copy = rewriter.rewrite(*table_, memo_.get(), plan, progress);
        table_ = std::make_unique<TableFile>(std::move(copy), options_.syncWrites);
        openMemoFile();
        rewriter.finish();
    });
    progress.report(100);
}

void Table::encryptAll()
{
    requireNotEditing("encrypt the table");
    const std::string failure = path().string() + ": cannot encrypt the table: ";
    if (!memo_)
        throw EngineError(failure + "it has no memo field");
    ProgressReporter progress(progress_);
    progress.report(0);
    if (encryption_) {
        tableKey("encrypt the table");
        progress.report(100);
        return;
    }
    if (password_.empty())
        throw EngineError(failure + "no password is set");

    forEachMemo([&](std::uint32_t recno, std::string_view, const Memo& memo) {
        if (memo.type == MemoBlockType::Sealed)
            throw EngineError(failure + "record " + std::to_string(recno) +
                              " holds a memo encrypted under a key the table does not keep");
    });

    EncryptionSettings settings;
    settings.salt = MemoCipher::makeSalt();
    settings.cost = options_.keyCost;
    const MemoCipher key = keys_.keyFor(password_, settings.salt, settings.cost);
    settings.keyCheck = key.makeKeyCheck();

    TableCopyPlan plan;
    plan.memoHeader = memo_->header();
    settings.writeTo(*plan.memoHeader);
    plan.convertMemo = [&](std::uint32_t, std::string_view record, Memo memo) {
        return Memo {MemoBlockType::Sealed, key.seal(memo.data, bindingText(record))};
    };
    swapInCopy(plan, progress);
}

void Table::decryptAll()
{
    requireNotEditing("decrypt the table");
    ProgressReporter progress(progress_);
    progress.report(0);
    if (!encryption_) {
        progress.report(100);
        return;
    }
    const MemoCipher key = tableKey("decrypt the table");
    auto decrypted = [&](std::uint32_t recno, std::string_view record, const Memo& memo) {
        const std::string where = path().string() + ": cannot decrypt the table: record " + std::to_string(recno);
        return openSealed(key, memo.data, record, where);
    };
    // Every memo must open before the first plain text is written, so that a
    // memo that does not leaves no plain text behind, not even in a copy.
    forEachMemo([&](std::uint32_t recno, std::string_view record, const Memo& memo) {
        if (memo.type == MemoBlockType::Sealed)
            decrypted(recno, record, memo);
    });

    TableCopyPlan plan;
    plan.memoHeader = memo_->header();
    EncryptionSettings::eraseFrom(*plan.memoHeader);
    plan.convertMemo = [&](std::uint32_t recno, std::string_view record, Memo memo) {
        if (memo.type != MemoBlockType::Sealed)
            return memo;
        return Memo {MemoBlockType::Text, decrypted(recno, record, memo)};
    };
    swapInCopy(plan, progress);
}

}  // namespace dayvell::engine
