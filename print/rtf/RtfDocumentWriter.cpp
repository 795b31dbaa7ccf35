#include "print/rtf/RtfDocumentWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace dayvell::rtf {

namespace {

constexpr double twipsPerPixel = 15.0;   // 96 pixels to the inch
constexpr int tableWidthTwips = 9360;    // 6.5 inches, a letter page inside one-inch margins

int twips(double pixels)
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel));
}

// The picture's bytes as stored when they already are PNG or JPEG, otherwise the image encoded as PNG.
struct EncodedPicture {
    QByteArray data;
    bool jpeg = false;
    QSize size;
};

bool isPng(const QByteArray& data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

bool isJpeg(const QByteArray& data)
{
    return data.startsWith("\xff\xd8\xff");
}

EncodedPicture encodePicture(const QVariant& resource)
{
    EncodedPicture picture;
    QImage image;
    if (resource.typeId() == QMetaType::QByteArray) {
        const QByteArray data = resource.toByteArray();
        image = QImage::fromData(data);
        if (!image.isNull() && (isPng(data) || isJpeg(data))) {
            picture.data = data;
            picture.jpeg = isJpeg(data);
            picture.size = image.size();
            return picture;
        }
    } else if (resource.typeId() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.typeId() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return picture;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    picture.size = image.size();
    return picture;
}

QString listMarker(const QTextList* list, const QTextBlock& block)
{
    switch (list->format().style()) {
    case QTextListFormat::ListDisc: return QStringLiteral("\u2022");
    case QTextListFormat::ListCircle: return QStringLiteral("\u25e6");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25aa");
    default: return list->itemText(block);
    }
}

QString fieldArgument(const QString& target)
{
    QString argument = target;
    argument.replace(u'\\', QLatin1String("\\\\"));
    argument.replace(u'"', QLatin1String("\\\""));
    return argument;
}

}

RtfDocumentWriter::RtfDocumentWriter(const QTextDocument& document) : m_document(document), m_tables(document)
{
}

QByteArray RtfDocumentWriter::write()
{
    m_out.openGroup();
    m_out.controlWord("rtf", 1);
    m_out.controlWord("ansi");
    m_out.controlWord("ansicpg", 1252);
    m_out.controlWord("deff", 0);
    m_out.controlWord("uc", 1);
    writeHeader();
    writeFrame(m_document.rootFrame(), false, m_document.lastBlock());
    m_out.closeGroup();
    m_out.newLine();
    return m_out.take();
}

void RtfDocumentWriter::writeHeader()
{
    m_out.newLine();
    m_out.openGroup();
    m_out.controlWord("fonttbl");
    const QStringList& fonts = m_tables.fonts();
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        m_out.openGroup();
        m_out.controlWord("f", static_cast<int>(i));
        m_out.controlWord("fnil");
        m_out.controlWord("fcharset", 0);
        m_out.text(fonts[i]);
        m_out.text(u";");
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.newLine();

    m_out.openGroup();
    m_out.controlWord("colortbl");
    m_out.text(u";");
    for (const QColor& colour : m_tables.colours()) {
        m_out.controlWord("red", colour.red());
        m_out.controlWord("green", colour.green());
        m_out.controlWord("blue", colour.blue());
        m_out.text(u";");
    }
    m_out.closeGroup();
    m_out.newLine();
}

// Paragraphs end with \par except the last one of the document or of a table cell. A table inside a
// table is written as the paragraphs of its cells.
void RtfDocumentWriter::writeFrame(const QTextFrame* frame, bool inTable, const QTextBlock& lastBlock)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            const auto* table = qobject_cast<const QTextTable*>(child);
            if (table && !inTable)
                writeTable(table);
            else
                writeFrame(child, inTable, lastBlock);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (block == lastBlock)
            writeBlock(block, inTable, inTable ? BlockEnd::Cell : BlockEnd::None);
        else
            writeBlock(block, inTable, BlockEnd::Paragraph);
    }
}

void RtfDocumentWriter::writeTable(const QTextTable* table)
{
    for (int row = 0; row < table->rows(); ++row) {
        writeRowDefinition(table);
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                m_out.controlWord("pard");
                m_out.controlWord("plain");
                m_out.controlWord("intbl");
                m_out.controlWord("cell");
                continue;
            }
            const QTextBlock lastBlock = cell.lastCursorPosition().block();
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (const QTextFrame* child = it.currentFrame()) {
                    writeFrame(child, true, lastBlock);
                    continue;
                }
                const QTextBlock block = it.currentBlock();
                writeBlock(block, true, block == lastBlock ? BlockEnd::Cell : BlockEnd::Paragraph);
            }
        }
        m_out.controlWord("row");
        m_out.newLine();
    }
}

void RtfDocumentWriter::writeRowDefinition(const QTextTable* table)
{
    m_out.controlWord("trowd");
    m_out.controlWord("trgaph", 108);
    const QList<QTextLength> constraints = table->format().columnWidthConstraints();
    const int columns = table->columns();
    int fixedTotal = 0;
    int variableColumns = 0;
    for (int column = 0; column < columns; ++column) {
        const QTextLength length = constraints.value(column);
        if (length.type() == QTextLength::FixedLength)
            fixedTotal += twips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            fixedTotal += static_cast<int>(tableWidthTwips * length.rawValue() / 100);
        else
            ++variableColumns;
    }
    const int variableWidth = variableColumns > 0 ? qMax(tableWidthTwips - fixedTotal, 720 * variableColumns)
                                                          / variableColumns
                                                  : 0;
    int boundary = 0;
    for (int column = 0; column < columns; ++column) {
        const QTextLength length = constraints.value(column);
        if (length.type() == QTextLength::FixedLength)
            boundary += twips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            boundary += static_cast<int>(tableWidthTwips * length.rawValue() / 100);
        else
            boundary += variableWidth;
        m_out.controlWord("cellx", boundary);
    }
}

void RtfDocumentWriter::writeBlock(const QTextBlock& block, bool inTable, BlockEnd end)
{
    m_out.newLine();
    writeParagraphFormat(block.blockFormat(), inTable);
    writeCharacterFormat(block.charFormat());
    writeListMarker(block);
    for (auto it = block.begin(); !it.atEnd(); ++it)
        writeFragment(it.fragment());
    switchLink(QString());
    if (end == BlockEnd::Paragraph)
        m_out.controlWord("par");
    else if (end == BlockEnd::Cell)
        m_out.controlWord("cell");
}

// List numbering is not kept as such; its marker is written as the text readers show before the item.
void RtfDocumentWriter::writeListMarker(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    if (!list)
        return;
    m_out.openGroup();
    m_out.controlWord("pntext");
    m_out.text(listMarker(list, block));
    m_out.controlWord("tab");
    m_out.closeGroup();
}

void RtfDocumentWriter::writeParagraphFormat(const QTextBlockFormat& format, bool inTable)
{
    m_out.controlWord("pard");
    m_out.controlWord("plain");
    if (inTable)
        m_out.controlWord("intbl");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out.controlWord("qc");
    else if (alignment & Qt::AlignRight)
        m_out.controlWord("qr");
    else if (alignment & Qt::AlignJustify)
        m_out.controlWord("qj");

    const double leftMargin = format.leftMargin() + format.indent() * m_document.indentWidth();
    const std::pair<const char*, double> lengths[] = {
        {"li", leftMargin}, {"ri", format.rightMargin()}, {"fi", format.textIndent()},
        {"sb", format.topMargin()}, {"sa", format.bottomMargin()},
    };
    for (const auto& [word, pixels] : lengths) {
        if (twips(pixels) != 0)
            m_out.controlWord(word, twips(pixels));
    }
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            m_out.controlWord("tqr");
        else if (tab.type == QTextOption::CenterTab)
            m_out.controlWord("tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            m_out.controlWord("tqdec");
        m_out.controlWord("tx", twips(tab.position));
    }
    if (!inTable && (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
        m_out.controlWord("page");
}

void RtfDocumentWriter::writeCharacterFormat(const QTextCharFormat& format)
{
    m_out.controlWord("f", m_tables.fontIndex(m_tables.familyOf(format)));
    m_out.controlWord("fs", m_tables.halfPointsOf(format));
    if (format.fontWeight() > QFont::Medium)
        m_out.controlWord("b");
    if (format.fontItalic())
        m_out.controlWord("i");
    if (format.fontUnderline())
        m_out.controlWord("ul");
    if (format.fontStrikeOut())
        m_out.controlWord("strike");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        m_out.controlWord("super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        m_out.controlWord("sub");
    const int foreground = m_tables.colourIndex(brushColour(format, QTextFormat::ForegroundBrush));
    if (foreground != 0)
        m_out.controlWord("cf", foreground);
    const int background = m_tables.colourIndex(brushColour(format, QTextFormat::BackgroundBrush));
    if (background != 0) {
        m_out.controlWord("highlight", background);
        m_out.controlWord("cb", background);
    }
}

void RtfDocumentWriter::writeFragment(const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    switchLink(format.isAnchor() ? format.anchorHref() : QString());
    m_out.openGroup();
    m_out.controlWord("plain");
    writeCharacterFormat(format);
    if (format.isImageFormat()) {
        for (qsizetype i = 0; i < fragment.length(); ++i)
            writeImage(format.toImageFormat());
    } else {
        m_out.text(fragment.text());
    }
    m_out.closeGroup();
}

void RtfDocumentWriter::writeImage(const QTextImageFormat& format)
{
    const EncodedPicture picture =
        encodePicture(m_document.resource(QTextDocument::ImageResource, QUrl(format.name())));
    if (picture.data.isEmpty())
        return;
    double width = format.width() > 0 ? format.width() : picture.size.width();
    double height = format.height() > 0 ? format.height() : picture.size.height();
    if (format.width() > 0 && format.height() <= 0 && picture.size.width() > 0)
        height = picture.size.height() * width / picture.size.width();
    else if (format.height() > 0 && format.width() <= 0 && picture.size.height() > 0)
        width = picture.size.width() * height / picture.size.height();

    m_out.openGroup();
    m_out.controlWord("pict");
    m_out.controlWord(picture.jpeg ? "jpegblip" : "pngblip");
    m_out.controlWord("picw", picture.size.width());
    m_out.controlWord("pich", picture.size.height());
    m_out.controlWord("picwgoal", twips(width));
    m_out.controlWord("pichgoal", twips(height));
    m_out.hexData(picture.data);
    m_out.closeGroup();
}

// Consecutive fragments with the same link target share one HYPERLINK field.
void RtfDocumentWriter::switchLink(const QString& target)
{
    if (target == m_openLink)
        return;
    if (!m_openLink.isEmpty()) {
        m_out.closeGroup();
        m_out.closeGroup();
        m_out.closeGroup();
    }
    m_openLink = target;
    if (target.isEmpty())
        return;
    m_out.openGroup();
    m_out.controlWord("field");
    m_out.openGroup();
    m_out.controlSymbol('*');
    m_out.controlWord("fldinst");
    m_out.openGroup();
    m_out.text(QStringLiteral("HYPERLINK \"") + fieldArgument(target) + u'"');
    m_out.closeGroup();
    m_out.closeGroup();
    m_out.openGroup();
    m_out.controlWord("fldrslt");
    m_out.openGroup();
}

}
