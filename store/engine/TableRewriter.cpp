#include "store/engine/TableRewriter.h"

#include "store/engine/EngineError.h"
#include "store/engine/MemoFileWriter.h"
#include "store/engine/MemoReference.h"

#include <optional>
#include <system_error>

namespace dayvell::engine {
namespace {

bool fileExists(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

void removeFile(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        throw EngineError(path.string() + ": removing the file failed: " + error.message());
}

PosixFile lockedFile(const std::filesystem::path& path)
{
    PosixFile file(path, PosixFile::Mode::ReadWrite);
    if (!file.tryLockExclusive())
        throw EngineError(path.string() + ": the new copy of the table is locked by another program");
    return file;
}

}  // namespace

void TableRewriter::removeCopies()
{
    removeFile(names_.newTable);
    removeFile(names_.newMemo);
}

void TableRewriter::writeCopies(const TableFile& table, const MemoFile* memo, const TableCopyPlan& plan,
                                ProgressReporter& progress)
{
    const TableHeader& header = table.header();
    std::optional<MemoFileWriter> memoCopy;
    if (memo != nullptr)
        memoCopy.emplace(names_.newMemo, plan.memoHeader.value_or(memo->header()));

    std::string records;
    records.reserve(table.allRecords().size());
    std::uint32_t kept = 0;
    const std::uint32_t count = table.recordCount();
    for (std::uint32_t recno = 1; recno <= count; ++recno) {
        progress.report(std::uint64_t(recno) * 90 / (count + 1));
        if (plan.dropDeleted && table.isDeleted(recno))
            continue;
        const std::string_view live = table.record(recno);
        std::string record(live);
        for (std::size_t f = 0; f < header.fields.size(); ++f) {
            if (header.fields[f].type != 'M')
                continue;
            const std::size_t width = header.fields[f].width;
            const auto block = parseMemoReference(std::string_view(record).substr(header.fieldOffsets[f], width));
            if (!block)
                throw EngineError(table.path().string() + ": cannot rewrite the table: record " + std::to_string(recno) +
                                  " has an unreadable memo reference in field " + header.fields[f].name);
            if (*block == 0)
                continue;
            if (!memoCopy)
                throw EngineError(table.path().string() + ": cannot rewrite the table: it has no memo file");
            Memo text = memo->read(*block);
            if (plan.convertMemo)
                text = plan.convertMemo(recno, live, std::move(text));
            record.replace(header.fieldOffsets[f], width, formatMemoReference(memoCopy->add(text.type, text.data), width));
        }
        records += record;
        ++kept;
    }
    if (memoCopy)
        memoCopy->finish();
    TableHeader copy = header;
    copy.recordCount = kept;
    TableFile::writeImage(names_.newTable, copy, records);
}

PosixFile TableRewriter::pack(const TableFile& table, const MemoFile* memo, ProgressReporter& progress)
{
    TableCopyPlan plan;
    plan.dropDeleted = true;
    return rewrite(table, memo, plan, progress);
}

PosixFile TableRewriter::rewrite(const TableFile& table, const MemoFile* memo, const TableCopyPlan& plan,
                                 ProgressReporter& progress)
{
    removeCopies();
    try {
        writeCopies(table, memo, plan, progress);
    } catch (...) {
        removeCopies();
        throw;
    }
    PosixFile copy = lockedFile(names_.newTable);
    PosixFile marker(names_.commitMarker, PosixFile::Mode::CreateOrTruncate);
    marker.sync();
    marker.close();
    syncFolder(names_.folder());
    committed_ = true;

    if (memo != nullptr)
        PosixFile(names_.newMemo, PosixFile::Mode::ReadWrite).renameTo(names_.memo);
    copy.renameTo(names_.table);
    return copy;
}

void TableRewriter::finish()
{
    removeFile(names_.commitMarker);
    syncFolder(names_.folder());
}

PosixFile TableRewriter::recover(PosixFile lockedTable)
{
    if (!fileExists(names_.commitMarker)) {
        removeCopies();
        return lockedTable;
    }
    if (fileExists(names_.newMemo))
        PosixFile(names_.newMemo, PosixFile::Mode::ReadWrite).renameTo(names_.memo);
    if (fileExists(names_.newTable)) {
        PosixFile packed = lockedFile(names_.newTable);
        packed.renameTo(names_.table);
        lockedTable = std::move(packed);
    }
    finish();
    return lockedTable;
}

}  // namespace dayvell::engine
