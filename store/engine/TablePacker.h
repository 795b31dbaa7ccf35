#pragma once

#include "store/engine/MemoFile.h"
#include "store/engine/PosixFile.h"
#include "store/engine/ProgressReporter.h"
#include "store/engine/TableFile.h"
#include "store/engine/TableFileNames.h"

namespace dayvell::engine {

// Packing swaps whole files, in an order that survives a crash at any point:
//  1. the packed copies are written as *.new beside the live files and flushed;
//  2. the commit marker is created and flushed: from now on the new files win;
//  3. the memo copy, then the table copy are renamed over the live files;
//  4. (after the caller rebuilt the index) the marker is removed.
// A table opened while the marker exists is rolled forward (step 3 finished);
// one opened without it gets stray *.new files removed, keeping the old files.
class TablePacker {
public:
    explicit TablePacker(const TableFileNames& names) : names_(names) {}

    // Steps 1 to 3. Records marked deleted are dropped and their memos, with
    // every memo block no record points to, are left behind. Returns the new
    // table file, locked before it took the table's name so that no other
    // program can slip in. On failure before step 2 the live files are untouched.
    PosixFile pack(const TableFile& table, const MemoFile* memo, ProgressReporter& progress);
    // Step 4.
    void finish();

    // Finishes or discards a pack a crash interrupted. `lockedTable` is the
    // locked live table file; returns the file to use from now on (the rolled
    // forward copy, locked, or `lockedTable` itself).
    PosixFile recover(PosixFile lockedTable);

private:
    void writeCopies(const TableFile& table, const MemoFile* memo, ProgressReporter& progress);
    void removeCopies();

    TableFileNames names_;
};

}  // namespace dayvell::engine
