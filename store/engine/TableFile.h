#pragma once

#include "store/engine/PosixFile.h"
#include "store/engine/TableHeader.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

// The table file (.DBF), opened for exclusive use, with every record held in
// memory. Writes go to the file first and to memory after they succeeded.
class TableFile {
public:
    // Opens and locks `path`; throws EngineError when it is in use elsewhere,
    // missing or damaged.
    TableFile(const std::filesystem::path& path, bool syncWrites);
    // Takes over a file that was just written and locked (a packed table).
    TableFile(PosixFile lockedFile, bool syncWrites);

    // Writes the complete image of a table with `records` (recordCount of them)
    // to `path`, which must not exist yet, and flushes it to disk.
    static void writeImage(const std::filesystem::path& path, const TableHeader& header, std::string_view records);

    const std::filesystem::path& path() const { return file_.path(); }
    const TableHeader& header() const { return header_; }
    std::uint32_t recordCount() const { return header_.recordCount; }
    // The bytes of record `recno` (1-based), its deletion mark first.
    std::string_view record(std::uint32_t recno) const;
    std::string_view allRecords() const { return records_; }
    bool isDeleted(std::uint32_t recno) const { return record(recno)[0] == TableHeader::kDeletedMark; }

    void rewriteRecord(std::uint32_t recno, std::string_view bytes);
    std::uint32_t appendRecord(std::string_view bytes);
    void setFlags(std::uint8_t flags);
    // Reads the records again from the file.
    void reload();

    PosixFile& file() { return file_; }

private:
    void load();
    void syncIfWanted();

    PosixFile file_;
    bool syncWrites_;
    TableHeader header_;
    std::string records_;
};

// Opens `path` and locks it. When a pack swapped another file in under that
// name between the open and the lock, the new file is opened and locked instead.
PosixFile openLockedTableFile(const std::filesystem::path& path);

}  // namespace dayvell::engine
