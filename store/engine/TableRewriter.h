#pragma once

#include "store/engine/MemoFile.h"
#include "store/engine/PosixFile.h"
#include "store/engine/ProgressReporter.h"
#include "store/engine/TableFile.h"
#include "store/engine/TableFileNames.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace dayvell::engine {

// What a rewritten copy of a table changes.
struct TableCopyPlan {
    // Leave out the records marked deleted (a pack); otherwise every record
    // keeps its number.
    bool dropDeleted = false;
    // The head of the memo copy, with its table-wide data; the live one's when empty.
    std::optional<MemoFileHeader> memoHeader;
    // The memo the copy keeps for a memo of record `recno` (its bytes in
    // `record`); the memo as it is when empty. May throw to abandon the copy.
    std::function<Memo(std::uint32_t recno, std::string_view record, Memo memo)> convertMemo;
};

// Rewriting swaps whole files, in an order that survives a crash at any point:
//  1. the copies are written as *.new beside the live files and flushed;
//  2. the commit marker is created and flushed: from now on the new files win;
//  3. the memo copy, then the table copy are renamed over the live files;
//  4. (after the caller rebuilt the index) the marker is removed.
// A table opened while the marker exists is rolled forward (step 3 finished);
// one opened without it gets stray *.new files removed, keeping the old files.
class TableRewriter {
public:
    explicit TableRewriter(const TableFileNames& names) : names_(names) {}

    // Steps 1 to 3 for a pack: records marked deleted are dropped and their
    // memos, with every memo block no record points to, are left behind.
    PosixFile pack(const TableFile& table, const MemoFile* memo, ProgressReporter& progress);
    // Steps 1 to 3 for any copy; unused memo blocks are always left behind.
    // Reports 0 to 90 while copying. Returns the new table file, locked before
    // it took the table's name so that no other program can slip in. On
    // failure before step 2 the live files are untouched.
    PosixFile rewrite(const TableFile& table, const MemoFile* memo, const TableCopyPlan& plan,
                      ProgressReporter& progress);
    // Step 4.
    void finish();
    // Whether step 2 was reached: from then on the live files may already be
    // the new ones, whatever the caller still has open.
    bool committed() const { return committed_; }

    // Finishes or discards a rewrite a crash interrupted. `lockedTable` is the
    // locked live table file; returns the file to use from now on (the rolled
    // forward copy, locked, or `lockedTable` itself).
    PosixFile recover(PosixFile lockedTable);

private:
    void writeCopies(const TableFile& table, const MemoFile* memo, const TableCopyPlan& plan,
                     ProgressReporter& progress);
    void removeCopies();

    TableFileNames names_;
    bool committed_ = false;
};

}  // namespace dayvell::engine
