#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace dayvell::editor {

// Every failure of the editor layer: the message says what failed and, for files, which file.
class EditorError : public std::runtime_error {
public:
    explicit EditorError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

}  // namespace dayvell::editor
