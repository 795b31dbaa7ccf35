#pragma once

#include "print/rtf/RtfSink.h"
#include "print/rtf/RtfTables.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;
class QTextTable;

namespace dayvell::rtf {

// Builds a QTextDocument from what the interpreter reads: formatted text runs, paragraphs with their
// formats, images as document resources and tables as QTextTables.
class RtfDocumentBuilder final : public RtfSink {
public:
    static inline const QString defaultFontFamily = QStringLiteral("Arial");
    static constexpr double defaultPointSize = 10.0;

    // Clears the document; the tables are filled by the interpreter while it reads.
    RtfDocumentBuilder(QTextDocument& document, const RtfTables& tables);

    void text(QStringView text, const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void picture(const RtfPicture& picture, const RtfCharacterState& character,
                 const RtfParagraphState& paragraph) override;
    void paragraphEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void pageBreak(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void cellEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void rowEnd() override;
    void documentEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;

private:
    const QTextCharFormat& charFormat(const RtfCharacterState& character);
    QTextBlockFormat blockFormat(const RtfParagraphState& paragraph) const;
    void finishBlock(const RtfCharacterState& character, const RtfParagraphState& paragraph);
    void enterTableMode(bool inTable);
    void moveToCurrentCell();
    void closeTable();
    void applyColumnWidths();

    QTextDocument& m_document;
    const RtfTables& m_tables;
    QTextCursor m_cursor;

    RtfCharacterState m_cachedCharacter;
    QTextCharFormat m_cachedFormat;
    bool m_hasCachedFormat = false;

    bool m_pageBreakBeforeBlock = false;

    QTextTable* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    // The next content goes to the cell at m_row, m_column, which may not exist yet.
    bool m_cellPending = false;
    bool m_columnWidthsSet = false;
};

}
