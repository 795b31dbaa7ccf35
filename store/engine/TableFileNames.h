#pragma once

#include <filesystem>

namespace dayvell::engine {

// The files that belong to one table, all named after the table file. The
// companions take the extension in the case the table's own extension uses, so
// "DAYVELL.DBF" goes with "DAYVELL.FPT" and "diary.dbf" with "diary.fpt".
struct TableFileNames {
    explicit TableFileNames(const std::filesystem::path& tableFile);

    std::filesystem::path table;
    std::filesystem::path memo;
    std::filesystem::path structuralIndex;
    // A pack or a re-encryption writes these beside the live files and swaps them in.
    std::filesystem::path newTable;
    std::filesystem::path newMemo;
    // Present only between "both new files are complete" and "both are in place".
    std::filesystem::path commitMarker;

    std::filesystem::path folder() const { return table.parent_path(); }
};

// `path` itself when it exists, else the one file in its folder whose name
// matches it without regard to case, else `path` unchanged.
std::filesystem::path findIgnoringCase(const std::filesystem::path& path);

}  // namespace dayvell::engine
