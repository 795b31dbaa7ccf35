#pragma once

#include <QByteArray>
#include <QString>

namespace dayvell {

// Replaces the file at path with bytes so that a crash at any moment leaves
// either the old file or the new one, never a partial one: the bytes go to a
// temporary file beside it, are flushed to disk, and the temporary file is
// renamed over the old one. A file that existed keeps its permissions.
// Raises std::runtime_error "Unable to write to <path>" on any failure,
// leaving the old file untouched.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace dayvell
