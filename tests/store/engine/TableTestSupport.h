#pragma once

#include "store/engine/EngineError.h"
#include "store/engine/FieldDefinition.h"
#include "store/engine/Table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace dayvell::engine::testing {

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dayvell-engine-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::vector<FieldDefinition> diaryFields()
{
    return {{"DATE", 'C', 8, 0}, {"ENTRY", 'M', 10, 0}};
}

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void appendEntry(Table& table, const std::string& date, const std::string& text)
{
    table.append();
    table.setFieldText("DATE", date);
    table.setMemoText("ENTRY", text);
    table.post();
}

// The dates of the visible records in the active order, first to last.
inline std::vector<std::string> datesInOrder(Table& table)
{
    std::vector<std::string> dates;
    for (table.first(); !table.atEnd(); table.next())
        dates.push_back(table.fieldText("DATE"));
    return dates;
}

// The bytes of every file in a folder, by name.
inline std::map<std::string, std::string> folderImage(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> image;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        image[entry.path().filename().string()] = readBytes(entry.path());
    return image;
}

// The message of the EngineError the action raises.
inline std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EngineError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no EngineError was raised";
    return {};
}

}  // namespace dayvell::engine::testing
