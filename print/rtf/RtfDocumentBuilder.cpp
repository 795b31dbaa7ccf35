#include "print/rtf/RtfDocumentBuilder.h"

#include "print/rtf/RtfPictureDecoder.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

namespace dayvell::rtf {

namespace {

constexpr double twipsPerPixel = 15.0;   // 96 pixels to the inch

double pixels(int twips)
{
    return twips / twipsPerPixel;
}

Qt::Alignment qtAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Centre: return Qt::AlignHCenter;
    case RtfAlignment::Right: return Qt::AlignRight;
    case RtfAlignment::Justified: return Qt::AlignJustify;
    case RtfAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextOption::TabType qtTabType(RtfTabKind kind)
{
    switch (kind) {
    case RtfTabKind::Centre: return QTextOption::CenterTab;
    case RtfTabKind::Right: return QTextOption::RightTab;
    case RtfTabKind::Decimal: return QTextOption::DelimiterTab;
    case RtfTabKind::Left: break;
    }
    return QTextOption::LeftTab;
}

}

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document, const RtfTables& tables)
    : m_document(document), m_tables(tables)
{
    m_document.clear();
    m_cursor = QTextCursor(&m_document);
}

void RtfDocumentBuilder::text(QStringView text, const RtfCharacterState& character,
                              const RtfParagraphState& paragraph)
{
    enterTableMode(paragraph.inTable);
    m_cursor.insertText(text.toString(), charFormat(character));
}

void RtfDocumentBuilder::picture(const RtfPicture& picture, const RtfCharacterState& character,
                                 const RtfParagraphState& paragraph)
{
    const QImage image = RtfPictureDecoder::decode(picture);
    if (image.isNull())
        return;
    enterTableMode(paragraph.inTable);

    const QByteArray digest = QCryptographicHash::hash(picture.data, QCryptographicHash::Sha1).toHex();
    const QUrl name(QStringLiteral("rtf-image:") + QString::fromLatin1(digest));
    m_document.addResource(QTextDocument::ImageResource, name, image);

    QTextImageFormat imageFormat;
    imageFormat.merge(charFormat(character));
    imageFormat.setName(name.toString());
    const double width = picture.goalWidthTwips > 0 ? pixels(picture.goalWidthTwips) : image.width();
    const double height = picture.goalHeightTwips > 0 ? pixels(picture.goalHeightTwips) : image.height();
    imageFormat.setWidth(width * picture.scaleXPercent / 100.0);
    imageFormat.setHeight(height * picture.scaleYPercent / 100.0);
    m_cursor.insertImage(imageFormat);
}

void RtfDocumentBuilder::paragraphEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    enterTableMode(paragraph.inTable);
    finishBlock(character, paragraph);
    m_cursor.insertBlock();
}

// A page break at the start of a paragraph breaks before it; inside a paragraph it ends the paragraph
// and breaks before the next.
void RtfDocumentBuilder::pageBreak(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    if (paragraph.inTable)
        return;
    enterTableMode(false);
    if (m_cursor.block().length() > 1)
        paragraphEnd(character, paragraph);
    m_pageBreakBeforeBlock = true;
}

void RtfDocumentBuilder::cellEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    RtfParagraphState inCell = paragraph;
    inCell.inTable = true;
    enterTableMode(true);
    finishBlock(character, inCell);
    if (m_column + 1 < RtfTables::maxCellsPerRow) {
        ++m_column;
        m_cellPending = true;
    } else {
        m_cursor.insertText(QStringLiteral("\t"));
    }
}

void RtfDocumentBuilder::rowEnd()
{
    if (!m_table)
        return;
    applyColumnWidths();
    ++m_row;
    m_column = 0;
    m_cellPending = true;
}

void RtfDocumentBuilder::documentEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    if (m_table && (!paragraph.inTable || m_cellPending))
        closeTable();
    finishBlock(character, paragraph);
}

const QTextCharFormat& RtfDocumentBuilder::charFormat(const RtfCharacterState& character)
{
    if (m_hasCachedFormat && character == m_cachedCharacter)
        return m_cachedFormat;

    QTextCharFormat format;
    const RtfFont* font = m_tables.font(character.fontNumber);
    const QString family = font && !font->name.isEmpty() ? font->name : defaultFontFamily;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(character.halfPoints > 0 ? character.halfPoints / 2.0 : defaultPointSize);
    format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(character.italic);
    format.setFontUnderline(character.underline);
    format.setFontStrikeOut(character.strikeOut);
    if (character.verticalPosition == RtfVerticalPosition::Superscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (character.verticalPosition == RtfVerticalPosition::Subscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const QColor foreground = m_tables.colour(character.foregroundColour);
    if (foreground.isValid())
        format.setForeground(foreground);
    const QColor background = m_tables.colour(character.backgroundColour);
    if (background.isValid())
        format.setBackground(background);
    if (character.link >= 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_tables.linkTarget(character.link));
    }

    m_cachedCharacter = character;
    m_cachedFormat = format;
    m_hasCachedFormat = true;
    return m_cachedFormat;
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const RtfParagraphState& paragraph) const
{
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(paragraph.alignment));
    format.setLeftMargin(pixels(paragraph.leftIndent));
    format.setRightMargin(pixels(paragraph.rightIndent));
    format.setTextIndent(pixels(paragraph.firstLineIndent));
    format.setTopMargin(pixels(paragraph.spaceBefore));
    format.setBottomMargin(pixels(paragraph.spaceAfter));
    if (!paragraph.tabStops.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        tabs.reserve(paragraph.tabStops.size());
        for (const RtfTabStop& stop : paragraph.tabStops)
            tabs.append(QTextOption::Tab(pixels(stop.positionTwips), qtTabType(stop.kind)));
        format.setTabPositions(tabs);
    }
    if (m_pageBreakBeforeBlock)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

void RtfDocumentBuilder::finishBlock(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    m_cursor.setBlockFormat(blockFormat(paragraph));
    m_cursor.setBlockCharFormat(charFormat(character));
    m_pageBreakBeforeBlock = false;
}

void RtfDocumentBuilder::enterTableMode(bool inTable)
{
    if (inTable && !m_table) {
        const int columns = qMax(1, static_cast<int>(m_tables.cellBoundaries().size()));
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        // A table inserted into an empty paragraph keeps that paragraph before it; the paragraph that
        // ended before the table takes its place instead.
        const int position = m_cursor.position();
        if (m_cursor.block().length() == 1 && position > 0
            && m_document.characterAt(position - 1) == QChar(QChar::ParagraphSeparator))
            m_cursor.deletePreviousChar();
        m_table = m_cursor.insertTable(1, columns, format);
        m_row = 0;
        m_column = 0;
        m_columnWidthsSet = false;
        m_pageBreakBeforeBlock = false;
        m_cellPending = false;
    } else if (inTable && m_cellPending) {
        moveToCurrentCell();
    } else if (!inTable && m_table) {
        closeTable();
    }
}

void RtfDocumentBuilder::moveToCurrentCell()
{
    if (m_row >= m_table->rows())
        m_table->appendRows(m_row + 1 - m_table->rows());
    if (m_column >= m_table->columns())
        m_table->appendColumns(m_column + 1 - m_table->columns());
    m_cursor = m_table->cellAt(m_row, m_column).lastCursorPosition();
    m_cellPending = false;
}

void RtfDocumentBuilder::closeTable()
{
    applyColumnWidths();
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_cellPending = false;
}

// Widths come from the first row definition whose cell count matches the table's columns.
void RtfDocumentBuilder::applyColumnWidths()
{
    const QList<int>& boundaries = m_tables.cellBoundaries();
    if (m_columnWidthsSet || boundaries.size() != m_table->columns())
        return;
    QList<QTextLength> widths;
    int left = 0;
    for (const int boundary : boundaries) {
        widths.append(QTextLength(QTextLength::FixedLength, pixels(qMax(boundary - left, 0))));
        left = boundary;
    }
    QTextTableFormat format = m_table->format();
    format.setColumnWidthConstraints(widths);
    m_table->setFormat(format);
    m_columnWidthsSet = true;
}

}
