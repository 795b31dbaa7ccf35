#include "store/engine/TableFileNames.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace dayvell::engine {
namespace {

bool hasLowerCaseLetters(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::islower(c) != 0; });
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

TableFileNames::TableFileNames(const std::filesystem::path& tableFile) : table(tableFile)
{
    const bool lower = hasLowerCaseLetters(tableFile.extension().string());
    auto withExtension = [&](const char* upperCaseExtension) {
        std::filesystem::path result = tableFile;
        result.replace_extension(lower ? lowerCase(upperCaseExtension) : std::string(upperCaseExtension));
        return result;
    };
    memo = withExtension(".FPT");
    structuralIndex = withExtension(".CDX");
    newTable = table;
    newTable += ".new";
    newMemo = memo;
    newMemo += ".new";
    commitMarker = table;
    commitMarker += ".packed";
}

std::filesystem::path findIgnoringCase(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return path;
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    const std::string wanted = lowerCase(path.filename().string());
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (lowerCase(it->path().filename().string()) == wanted)
            return path.parent_path() / it->path().filename();
    }
    return path;
}

}  // namespace dayvell::engine
