#pragma once

#include "store/engine/CompoundIndexFile.h"
#include "store/engine/KeyExpression.h"
#include "store/engine/ProgressReporter.h"
#include "store/engine/TableFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dayvell::engine {

struct OpenTag {
    TagDefinition definition;
    KeyExpression key;
    std::vector<IndexEntry> entries;  // every record, deleted ones too, sorted by (key, recno)
};

// The index files open on a table, with all their keys in memory. Orders are
// numbered from 1 across the tags of the open files in the order they were
// opened. The files are derived data: keys are kept current in memory and the
// files are rewritten when asked (closing, flushing) and after the tag set or
// the record numbers change.
class TableIndexes {
public:
    explicit TableIndexes(bool syncWrites) : syncWrites_(syncWrites) {}

    int tagCount() const;
    const OpenTag& tag(int order) const;
    std::filesystem::path fileOf(int order) const;
    // 0 when no open tag has that name (compared without regard to case).
    int orderOf(std::string_view tagName) const;
    bool isOpen(const std::filesystem::path& file) const;

    // Opens an index file, checks every key against the table and rebuilds
    // the keys that disagree. Returns the order of the file's first tag.
    // Throws EngineError when the file is unreadable or holds a tag this
    // engine cannot keep.
    int open(const std::filesystem::path& file, const TableFile& table);
    // Adds (or replaces) a tag in `file`, which is opened first when it exists
    // and is not open yet; writes the file. Returns the tag's order.
    int createTag(const std::filesystem::path& file, const TagDefinition& definition, const TableFile& table,
                  ProgressReporter& progress);
    void closeAll();

    void recordAppended(std::uint32_t recno, std::string_view record);
    void recordChanged(std::uint32_t recno, std::string_view before, std::string_view after);
    // Recomputes every key (after the records were renumbered by a pack).
    void rebuild(const TableFile& table);
    // Writes every file whose keys changed since it was last written.
    void writeChanged();

private:
    struct OpenFile {
        std::filesystem::path path;
        std::vector<OpenTag> tags;
        bool changed = false;
    };

    std::pair<std::size_t, std::size_t> locate(int order) const;
    void write(OpenFile& file);

    bool syncWrites_;
    std::vector<OpenFile> files_;
};

// Every record's key under `key`, sorted by (key, recno).
std::vector<IndexEntry> computeEntries(const KeyExpression& key, const TableFile& table, ProgressReporter* progress);

}  // namespace dayvell::engine
