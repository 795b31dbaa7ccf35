#pragma once

#include <stdexcept>
#include <string>

namespace dayvell::engine {

// Every failure of the table engine: the message names the file and what failed.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dayvell::engine
