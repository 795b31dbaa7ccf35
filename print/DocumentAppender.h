#pragma once

#include <QString>

class QTextCharFormat;
class QTextDocument;

namespace dayvell::editor {

// Adds paragraphs at the end of a document. A document holding one empty paragraph takes the first
// appended paragraph in its place, so that no blank line leads it.
class DocumentAppender {
public:
    explicit DocumentAppender(QTextDocument& target) : m_target(target) {}

    // One paragraph in a plain paragraph format, all of it in one character format.
    void appendParagraph(const QString& text, const QTextCharFormat& format);

    // Every paragraph of another document with its paragraph and character formats and pictures.
    // Pictures whose resource name the target already uses are renamed, so that none replaces another.
    void appendDocument(const QTextDocument& source);

private:
    bool targetIsEmpty() const;
    void renamePictures(int from, int to, const QString& oldName, const QString& newName);

    QTextDocument& m_target;
};

}  // namespace dayvell::editor
