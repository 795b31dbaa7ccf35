#pragma once

#include "store/engine/CompoundIndexFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace dayvell::engine::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("dayvell-cdx-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The diary's tag: the eight-digit date key on field DATE.
inline TagDefinition dateTagDefinition() {
    TagDefinition definition;
    definition.name = "DATE";
    definition.expression = "date";
    definition.keyLength = 8;
    return definition;
}

// `count` consecutive days from 1 January 1990 as "yyyymmdd" keys, records 1 up.
inline std::vector<IndexEntry> dailyEntries(std::size_t count) {
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<IndexEntry> entries;
    int year = 1990, month = 1, day = 1;
    for (std::size_t i = 0; i < count; ++i) {
        char key[40];
        std::snprintf(key, sizeof key, "%04d%02d%02d", year, month, day);
        entries.push_back({key, static_cast<std::uint32_t>(i + 1)});
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int monthLength = kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0);
        if (++day > monthLength) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return entries;
}

inline IndexTag dateTag(std::vector<IndexEntry> entries) { return {dateTagDefinition(), std::move(entries)}; }

}  // namespace dayvell::engine::testing
