#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace dayvell::bench {

// A realistic RTF entry of 1 to 3 KB: a font table, a few formatted
// paragraphs of words. The same seed gives the same text.
std::string syntheticEntry(std::uint64_t seed);

// "yyyymmdd" of a calendar day.
std::string dateKey(std::chrono::sys_days day);

// Writes DAYVELL.DBF, its memo file and its index with `days` consecutive
// daily entries ending on `lastDay` into `folder`, which must hold no diary.
// Every `deletedEvery`-th entry (0 for none) is then emptied and deleted,
// as the program does with entries whose text was removed.
void generateDiary(const std::filesystem::path& folder, std::size_t days, std::chrono::sys_days lastDay,
                   std::size_t deletedEvery = 0);

std::chrono::sys_days today();

}  // namespace dayvell::bench
