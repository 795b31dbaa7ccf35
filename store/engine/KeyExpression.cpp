#include "store/engine/KeyExpression.h"

#include "store/engine/EngineError.h"

#include <algorithm>
#include <cctype>

namespace dayvell::engine {
namespace {

std::string trimmedUpperCase(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    std::string result = text.substr(first, last - first + 1);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

}  // namespace

KeyExpression::KeyExpression(const TableHeader& table, const std::string& expression,
                             const std::filesystem::path& indexFile)
{
    const std::string name = trimmedUpperCase(expression);
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (trimmedUpperCase(table.fields[i].name) != name)
            continue;
        if (table.fields[i].type != 'C')
            throw EngineError(indexFile.string() + ": the key expression \"" + expression +
                              "\" names a field that is not a character field");
        offset_ = table.fieldOffsets[i];
        width_ = table.fields[i].width;
        return;
    }
    throw EngineError(indexFile.string() + ": cannot evaluate the key expression \"" + expression +
                      "\"; only the name of a character field of the table is supported");
}

}  // namespace dayvell::engine
