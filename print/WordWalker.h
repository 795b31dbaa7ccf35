#pragma once

#include <QString>

class QTextDocument;

namespace dayvell::editor {

// Walks through a document word by word. A word is a longest run of letters (A-Z, a-z and the
// accented letters of Latin-1) and apostrophes that does not begin with an apostrophe.
class WordWalker {
public:
    explicit WordWalker(const QTextDocument& document) : m_document(document) {}

    void restart() { continueFrom(0); }
    void continueFrom(int position);

    // The next word, or an empty string at the end of the document.
    QString next();

    // Where the word last returned by next() lies; length 0 before the first word and at the end.
    int lastStart() const { return m_lastStart; }
    int lastLength() const { return m_lastLength; }

    static bool isLetter(QChar c);
    static bool isApostrophe(QChar c);

private:
    const QTextDocument& m_document;
    int m_position = 0;
    int m_lastStart = 0;
    int m_lastLength = 0;
};

}  // namespace dayvell::editor
