#include "store/engine/TablePacker.h"

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
        throw EngineError(path.string() + ": the packed table copy is locked by another program");
    return file;
}

}  // namespace

void TablePacker::removeCopies()
{
    removeFile(names_.newTable);
    removeFile(names_.newMemo);
}

void TablePacker::writeCopies(const TableFile& table, const MemoFile* memo, ProgressReporter& progress)
{
    const TableHeader& header = table.header();
    std::optional<MemoFileWriter> memoCopy;
    if (memo != nullptr)
        memoCopy.emplace(names_.newMemo, memo->header());

    std::string records;
    records.reserve(table.allRecords().size());
    std::uint32_t kept = 0;
    const std::uint32_t count = table.recordCount();
    for (std::uint32_t recno = 1; recno <= count; ++recno) {
        progress.report(std::uint64_t(recno) * 90 / (count + 1));
        if (table.isDeleted(recno))
            continue;
        std::string record(table.record(recno));
        for (std::size_t f = 0; f < header.fields.size(); ++f) {
            if (header.fields[f].type != 'M')
                continue;
            const std::size_t width = header.fields[f].width;
            const auto block = parseMemoReference(std::string_view(record).substr(header.fieldOffsets[f], width));
            if (!block)
                throw EngineError(table.path().string() + ": cannot pack: record " + std::to_string(recno) +
                                  " has an unreadable memo reference in field " + header.fields[f].name);
            if (*block == 0)
                continue;
            if (!memoCopy)
                throw EngineError(table.path().string() + ": cannot pack: the table has no memo file");
            const Memo text = memo->read(*block);
            record.replace(header.fieldOffsets[f], width, formatMemoReference(memoCopy->add(text.type, text.data), width));
        }
        records += record;
        ++kept;
    }
    if (memoCopy)
        memoCopy->finish();
    TableHeader packed = header;
    packed.recordCount = kept;
    TableFile::writeImage(names_.newTable, packed, records);
}

PosixFile TablePacker::pack(const TableFile& table, const MemoFile* memo, ProgressReporter& progress)
{
    removeCopies();
    try {
        writeCopies(table, memo, progress);
    } catch (...) {
        removeCopies();
        throw;
    }
    PosixFile packed = lockedFile(names_.newTable);
    PosixFile marker(names_.packCommitMarker, PosixFile::Mode::CreateOrTruncate);
    marker.sync();
    marker.close();
    syncFolder(names_.folder());

    if (memo != nullptr)
        PosixFile(names_.newMemo, PosixFile::Mode::ReadWrite).renameTo(names_.memo);
    packed.renameTo(names_.table);
    return packed;
}

void TablePacker::finish()
{
    removeFile(names_.packCommitMarker);
    syncFolder(names_.folder());
}

PosixFile TablePacker::recover(PosixFile lockedTable)
{
    if (!fileExists(names_.packCommitMarker)) {
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
