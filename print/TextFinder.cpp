#include "print/TextFinder.h"

#include "print/EditorError.h"

#include <QTextBlock>
#include <QTextDocument>

namespace dayvell::editor {

TextFinder::TextFinder(const QString& pattern)
{
    if (pattern.size() > kMaxPatternLength)
        throw EditorError(QStringLiteral("The search text is %1 characters long; at most %2 are allowed")
                              .arg(pattern.size())
                              .arg(kMaxPatternLength));
    m_isEmpty = pattern.isEmpty();
    m_leadingStar = pattern.startsWith(QLatin1Char('*'));
    m_trailingStar = pattern.endsWith(QLatin1Char('*'));
    m_pieces = pattern.split(QLatin1Char('*'), Qt::SkipEmptyParts);
}

TextFinder::Span TextFinder::findIn(const QString& paragraph) const
{
    if (m_isEmpty || paragraph.isEmpty())
        return {};
    if (m_pieces.isEmpty())  // stars only: the whole paragraph
        return {0, int(paragraph.size())};

    // Placing every piece at its earliest possible place finds a match whenever one exists, and the
    // leftmost one.
    const qsizetype first = paragraph.indexOf(m_pieces.front(), 0, Qt::CaseInsensitive);
    if (first < 0)
        return {};
    qsizetype end = first + m_pieces.front().size();
    for (qsizetype i = 1; i < m_pieces.size(); ++i) {
        const qsizetype at = paragraph.indexOf(m_pieces[i], end, Qt::CaseInsensitive);
        if (at < 0)
            return {};
        end = at + m_pieces[i].size();
    }
    const qsizetype start = m_leadingStar ? 0 : first;
    if (m_trailingStar)
        end = paragraph.size();
    return {int(start), int(end - start)};
}

QTextCursor TextFinder::findFirst(const QTextDocument& document) const
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const Span span = findIn(block.text());
        if (span.start < 0)
            continue;
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + span.start);
        cursor.setPosition(block.position() + span.start + span.length, QTextCursor::KeepAnchor);
        return cursor;
    }
    return {};
}

}  // namespace dayvell::editor
