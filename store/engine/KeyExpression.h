#pragma once

#include "store/engine/TableHeader.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

// An index key expression. The engine evaluates expressions that name one
// character field (in any case, e.g. "date" for the field DATE); the key is
// that field's bytes.
class KeyExpression {
public:
    // Throws EngineError naming `indexFile` when the expression is anything
    // other than the name of a character field of the table.
    KeyExpression(const TableHeader& table, const std::string& expression, const std::filesystem::path& indexFile);

    std::size_t keyLength() const { return width_; }
    std::string_view keyOf(std::string_view record) const { return record.substr(offset_, width_); }

private:
    std::size_t offset_ = 0;
    std::size_t width_ = 0;
};

}  // namespace dayvell::engine
