#pragma once

#include "store/engine/DerivedKeyCache.h"
#include "store/engine/EncryptionSettings.h"
#include "store/engine/FieldDefinition.h"
#include "store/engine/MemoCipher.h"
#include "store/engine/MemoFile.h"
#include "store/engine/ProgressReporter.h"
#include "store/engine/TableFile.h"
#include "store/engine/TableFileNames.h"
#include "store/engine/TableIndexes.h"
#include "store/engine/TableRewriter.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dayvell::engine {

struct TableOptions {
    // Flush every change to disk before the call returns. Benchmarks switch it
    // off to measure the engine alone; the program never does.
    bool syncWrites = true;
    // The Argon2id cost of the key a table gets when it is encrypted. A table
    // keeps the cost it was encrypted with, so any setting opens any table.
    MemoCipher::KeyDerivationCost keyCost = MemoCipher::kStandardCost;
};

// An xBase table (FoxPro 2.x table, memo file and compound index) open for
// exclusive use. The table stands on one record at a time, or at its end;
// movement follows the active order: 0 is record order, n the n-th open tag.
// Every failure raises EngineError naming the file and what failed.
class Table {
public:
    // Writes a new empty table (and its memo file when a field is a memo) and
    // leaves it closed. Fails when the table file exists, or the memo file
    // does (a table lost beside its memo file must not cost the texts).
    static void create(const std::filesystem::path& file, const std::vector<FieldDefinition>& fields);

    // Opens `file` for exclusive use: a second open, from this process or
    // another, fails until this object is destroyed or the process ends. A pack
    // that a crash interrupted is finished first. The structural index opens
    // with the table when it exists, is checked against the records and
    // rebuilt where it disagrees; when it cannot be read it is left closed
    // (`tagOrder` finds no tag), to be created anew. The active order is 0.
    explicit Table(const std::filesystem::path& file, TableOptions options = {});
    // Writes index files whose keys changed; failures are dropped, since the
    // next open rebuilds an index that disagrees with the table.
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::filesystem::path& path() const { return names_.table; }
    const std::vector<FieldDefinition>& fields() const { return table_->header().fields; }
    std::uint32_t recordCount() const { return table_->recordCount(); }

    // Index tags. An empty `indexFile` means the table's structural compound
    // index (same name as the table, extension CDX). The key expression must
    // name a character field; conditions, descending and unique tags are
    // refused. The new tag becomes the active order.
    void createIndexTag(const std::filesystem::path& indexFile, const std::string& tagName,
                        const std::string& expression, const std::string& condition = {}, bool descending = false,
                        bool unique = false);
    // Returns the previous order.
    int setOrder(int order);
    int order() const { return order_; }
    // The order of the open tag with that name, 0 when there is none.
    int tagOrder(const std::string& tagName) const { return indexes_.orderOf(tagName); }
    // The index file of order n, empty when there is no such order.
    std::filesystem::path indexFile(int order) const { return indexes_.fileOf(order); }
    void closeIndexes();
    // Opens an index file (its name matched without regard to case); its
    // first tag becomes the active order. The position stays where it was.
    void openIndex(const std::filesystem::path& indexFile);

    // Positions. A seek compares the key with the start of the keys of the
    // active order; not found leaves the table at its end.
    bool seek(const std::string& key);
    void first();
    void next();
    void last();
    bool atEnd() const { return atEnd_; }
    // 1-based; recordCount() + 1 at the end.
    std::uint32_t recordNumber() const { return recno_; }
    bool isDeleted() const;

    // Field values of the current record (or of the record being edited).
    // Character fields come without trailing blanks; at the end every field is empty.
    std::string fieldText(const std::string& field) const;
    // The memo's text; empty when the record has none. A damaged memo
    // reference, or a sealed memo that the password set cannot open, raises
    // EngineError for this record only.
    std::string memoText(const std::string& field) const;

    // Changes: append or edit, set fields, post. Nothing reaches the file
    // before `post`, which stores new memo texts first and then the record,
    // and returns once both are on disk. A failing post leaves the table as
    // it was and drops the change.
    void append();
    void edit();
    void setFieldText(const std::string& field, const std::string& text);
    void setMemoText(const std::string& field, const std::string& text);
    void post();
    bool isEditing() const { return editing_ != Editing::None; }
    // Marks the current record deleted; its key stays in the indexes.
    void deleteRecord();
    // Reads the records again from the file.
    void reread();

    // When true, records marked deleted are skipped by seek and movement.
    void setDeletedHidden(bool hidden) { hideDeleted_ = hidden; }
    bool deletedHidden() const { return hideDeleted_; }
    // Only the empty filter (every record) is supported.
    const std::string& filter() const { return filter_; }
    void setFilter(const std::string& expression);

    // Removes deleted records and unused memo blocks, renumbers the records
    // and rebuilds the open index tags; afterwards the table stands on the
    // first record of the active order.
    void pack();
    // Receives 0..100 while packing, encrypting, decrypting or creating an
    // index tag; empty for none.
    void setProgressReceiver(ProgressReceiver receiver) { progress_ = std::move(receiver); }

    // ---- encryption
    //
    // An encrypted table keeps every memo sealed under a key derived from its
    // password, and bound to the text of the record's first character field
    // (the diary's date key), so a memo moved to another record does not
    // open. The other fields, and so the index keys, stay plain. Reading a
    // sealed memo and every change (post, delete) need the password that
    // matches the table's key check; with any other password they fail before
    // anything is read or written.

    // The password for later reads and writes; empty for none. Checks nothing.
    void setPassword(const std::string& password) { password_ = password; }
    // Known right after open, without a password.
    bool isEncrypted() const { return encryption_.has_value(); }
    // Whether `candidate` opens the table; any password opens a plain table.
    // Changes nothing, not even the password set. Keys are derived once per
    // password and kept, so setting a checked password costs nothing.
    bool checkPassword(const std::string& candidate) const;
    // Seals every memo under the password last set, with a fresh salt; does
    // nothing more than check the password when the table is encrypted
    // already. Crash-safe like pack: the table is found wholly plain or wholly
    // encrypted. Record numbers, the position and the indexes stay.
    void encryptAll();
    // Stores every memo plain again, opened with the password last set. The
    // table is plain afterwards: later changes are stored plain, whatever
    // password is still set. Does nothing to a plain table. Crash-safe, and
    // keeps record numbers, position and indexes, like encryptAll.
    void decryptAll();

    // Writes the index files whose keys changed since they were written.
    void flush() { indexes_.writeChanged(); }

private:
    enum class Editing { None, Edit, Append };

    std::size_t fieldIndex(const std::string& name) const;
    std::string_view currentRecord() const;
    bool isVisible(std::uint32_t recno) const;
    void goToEnd();
    void requireNotEditing(const char* operation) const;
    void requireRecord(const char* operation) const;
    void requireEditing(const char* operation) const;
    void storeMemos(const std::map<std::size_t, std::string>& memos, std::string& record, const MemoCipher* key);
    void resealMovedMemos(std::map<std::size_t, std::string>& memos, std::string_view before,
                          std::string_view after, const MemoCipher& key) const;
    void openMemoFile();
    std::string bindingText(std::string_view record) const;
    // The key of the password set; throws when it is not the table's password.
    const MemoCipher& tableKey(const std::string& purpose) const;
    std::string openSealed(const MemoCipher& key, const std::string& sealed, std::string_view record,
                           const std::string& where) const;
    void swapInCopy(const TableCopyPlan& plan, ProgressReporter& progress);
    // Runs a pack or rewrite; when it fails after its commit point the files
    // this object holds may no longer be the live ones, so it refuses all
    // further work until the table is opened again (which finishes the swap).
    void runSwap(const TableRewriter& rewriter, const std::function<void()>& swap);
    // Every memo of every record, deleted ones too.
    void forEachMemo(const std::function<void(std::uint32_t recno, std::string_view record, const Memo& memo)>& visit) const;

    TableFileNames names_;
    TableOptions options_;
    std::unique_ptr<TableFile> table_;
    std::unique_ptr<MemoFile> memo_;
    TableIndexes indexes_;
    int order_ = 0;
    std::uint32_t recno_ = 1;
    bool atEnd_ = false;
    bool hideDeleted_ = false;
    std::string filter_;
    ProgressReceiver progress_;
    Editing editing_ = Editing::None;
    std::string buffer_;
    std::map<std::size_t, std::string> pendingMemos_;
    std::optional<std::size_t> bindingField_;
    std::string password_;
    std::string unusableReason_;
    std::optional<EncryptionSettings> encryption_;
    mutable DerivedKeyCache keys_;
};

}  // namespace dayvell::engine
