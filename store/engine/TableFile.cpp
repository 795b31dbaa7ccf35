#include "store/engine/TableFile.h"

#include "store/engine/EngineError.h"

#include <sys/stat.h>

namespace dayvell::engine {
namespace {

bool stillNamedBy(const PosixFile& file)
{
    struct stat opened {};
    struct stat named {};
    if (::fstat(file.descriptor(), &opened) != 0 || ::stat(file.path().c_str(), &named) != 0)
        return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

PosixFile openLockedTableFile(const std::filesystem::path& path)
{
    constexpr int kAttempts = 20;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        PosixFile file(path, PosixFile::Mode::ReadWrite);
        if (!file.tryLockExclusive())
            throw EngineError(path.string() + ": the table is already open, in this or another program");
        if (stillNamedBy(file))
            return file;
    }
    throw EngineError(path.string() + ": the table file keeps being replaced; cannot lock it");
}

TableFile::TableFile(const std::filesystem::path& path, bool syncWrites)
    : file_(openLockedTableFile(path)), syncWrites_(syncWrites)
{
    load();
}

TableFile::TableFile(PosixFile lockedFile, bool syncWrites) : file_(std::move(lockedFile)), syncWrites_(syncWrites)
{
    load();
}

void TableFile::load()
{
    const std::uint64_t size = file_.size();
    std::string image(size, '\0');
    file_.readAt(0, image.data(), image.size());
    header_ = TableHeader::decode(file_.path(), image, size);
    records_ = image.substr(header_.headerLength, std::size_t(header_.recordCount) * header_.recordLength);
}

void TableFile::reload()
{
    load();
}

void TableFile::writeImage(const std::filesystem::path& path, const TableHeader& header, std::string_view records)
{
    std::string image = header.encode();
    image.append(records);
    image.push_back(TableHeader::kEndOfFile);
    PosixFile file(path, PosixFile::Mode::CreateExclusive);
    file.writeAt(0, image);
    file.sync();
}

std::string_view TableFile::record(std::uint32_t recno) const
{
    return std::string_view(records_).substr(std::size_t(recno - 1) * header_.recordLength, header_.recordLength);
}

void TableFile::syncIfWanted()
{
    if (syncWrites_)
        file_.sync();
}

void TableFile::rewriteRecord(std::uint32_t recno, std::string_view bytes)
{
    file_.writeAt(header_.recordOffset(recno), bytes);
    syncIfWanted();
    records_.replace(std::size_t(recno - 1) * header_.recordLength, bytes.size(), bytes);
}

std::uint32_t TableFile::appendRecord(std::string_view bytes)
{
    // The record goes in before the count that makes it part of the table, so
    // a crash in between leaves only unused bytes after the last record.
    std::string withEnd(bytes);
    withEnd.push_back(TableHeader::kEndOfFile);
    const std::uint32_t recno = header_.recordCount + 1;
    file_.writeAt(header_.recordOffset(recno), withEnd);
    syncIfWanted();
    TableHeader grown = header_;
    grown.recordCount = recno;
    file_.writeAt(0, grown.encodeCountPrefix());
    syncIfWanted();
    header_.recordCount = recno;
    records_.append(bytes);
    return recno;
}

void TableFile::setFlags(std::uint8_t flags)
{
    if (header_.flags == flags)
        return;
    file_.writeAt(28, std::string(1, char(flags)));
    syncIfWanted();
    header_.flags = flags;
}

}  // namespace dayvell::engine
