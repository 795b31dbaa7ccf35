#include "print/WordWalker.h"

#include <QTextDocument>

namespace dayvell::editor {

bool WordWalker::isLetter(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    return u >= 0x00C0 && u <= 0x00FF && u != 0x00D7 && u != 0x00F7;  // accented Latin-1, not × and ÷
}

bool WordWalker::isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c.unicode() == 0x2019;  // typed and typographic apostrophe
}

void WordWalker::continueFrom(int position)
{
    m_position = position;
    m_lastStart = position;
    m_lastLength = 0;
}

QString WordWalker::next()
{
    const int end = m_document.characterCount();
    while (m_position < end && !isLetter(m_document.characterAt(m_position)))
        ++m_position;
    const int start = m_position;
    QString word;
    while (m_position < end) {
        const QChar c = m_document.characterAt(m_position);
        if (!isLetter(c) && !isApostrophe(c))
            break;
        word.append(c);
        ++m_position;
    }
    m_lastStart = start;
    m_lastLength = int(word.size());
    return word;
}

}  // namespace dayvell::editor
