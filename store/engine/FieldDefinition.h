#pragma once

#include <string>

namespace dayvell::engine {

struct FieldDefinition {
    std::string name;       // up to 10 characters, stored in capitals
    char type = 'C';        // 'C' character, 'M' memo
    unsigned width = 0;     // bytes in the record; a memo field holds its block number in 10
    unsigned decimals = 0;
};

}  // namespace dayvell::engine
