#pragma once

#include <QString>
#include <QTextCursor>

class QTextDocument;

namespace dayvell::editor {

// Finds a pattern in a document paragraph by paragraph, ignoring case. A '*' in the pattern matches
// any run of characters within the paragraph; a match never spans two paragraphs and is never empty.
class TextFinder {
public:
    static constexpr int kMaxPatternLength = 256;

    // Throws EditorError for a pattern longer than kMaxPatternLength.
    explicit TextFinder(const QString& pattern);

    // The first match at or after the start of the document, as a cursor selecting it; a null
    // cursor when there is none.
    QTextCursor findFirst(const QTextDocument& document) const;

    // The first match inside one paragraph's text: start and length, or start -1.
    struct Span {
        int start = -1;
        int length = 0;
    };
    Span findIn(const QString& paragraph) const;

private:
    QStringList m_pieces;  // the texts between stars, empty ones left out
    bool m_leadingStar = false;
    bool m_trailingStar = false;
    bool m_isEmpty = true;
};

}  // namespace dayvell::editor
