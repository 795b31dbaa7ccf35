#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dayvell::engine {

// One key of an index tag: the key padded with blanks to the tag's key length,
// and the 1-based number of the record it points to.
struct IndexEntry {
    std::string key;
    std::uint32_t recno = 0;

    friend bool operator==(const IndexEntry&, const IndexEntry&) = default;
};

struct TagDefinition {
    std::string name;        // up to 10 characters: letters, digits and underscores
    std::string expression;  // key expression, kept as text
    std::string filter;      // condition expression, empty for none
    bool descending = false;  // only marks the tag; its keys are stored and read in ascending order
    bool unique = false;      // a unique tag holds each key once
    std::size_t keyLength = 0;  // 1 to 240 bytes

    friend bool operator==(const TagDefinition&, const TagDefinition&) = default;
};

struct IndexTag {
    TagDefinition definition;
    std::vector<IndexEntry> entries;  // sorted by (key, recno)

    friend bool operator==(const IndexTag&, const IndexTag&) = default;
};

// Writes the whole compound index file: a tag directory followed by every tag's
// header and key tree. The file is written beside its final place and renamed
// over it, so a failure never leaves a half-written index. Throws EngineError
// for invalid tags (bad name, key length or expression, keys of the wrong
// length, entries out of order, duplicate keys in a unique tag) before touching
// the disk, and for any failure to write.
void writeCompoundIndex(const std::filesystem::path& file, const std::vector<IndexTag>& tags);

// As writeCompoundIndex, and the file and its folder are flushed to the disk
// before the call returns.
void writeCompoundIndexDurably(const std::filesystem::path& file, const std::vector<IndexTag>& tags);

// Reads every tag of a compound index file, in the order of their headers in
// the file, with its entries in key order. Throws EngineError naming the file
// and the fault when the file cannot be read or is corrupt or truncated.
std::vector<IndexTag> readCompoundIndex(const std::filesystem::path& file);

}  // namespace dayvell::engine
