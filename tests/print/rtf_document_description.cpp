#include "rtf_document_description.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace dayvell::rtf::testing {

namespace {

long twips(double pixels)
{
    return std::lround(pixels * 15);
}

QString colourName(const QTextCharFormat& format, int property)
{
    if (!format.hasProperty(property) || format.brushProperty(property).style() == Qt::NoBrush)
        return QString();
    return format.brushProperty(property).color().name();
}

QString describeCharFormat(const QTextDocument& document, const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? document.defaultFont().family() : families.first();
    const double size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                       : document.defaultFont().pointSizeF();
    QString text = QStringLiteral("%1 %2").arg(family).arg(size);
    if (format.fontWeight() > QFont::Medium)
        text += QStringLiteral(" bold");
    if (format.fontItalic())
        text += QStringLiteral(" italic");
    if (format.fontUnderline())
        text += QStringLiteral(" underline");
    if (format.fontStrikeOut())
        text += QStringLiteral(" strike");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        text += QStringLiteral(" super");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        text += QStringLiteral(" sub");
    const QString foreground = colourName(format, QTextFormat::ForegroundBrush);
    if (!foreground.isEmpty())
        text += QStringLiteral(" fg=") + foreground;
    const QString background = colourName(format, QTextFormat::BackgroundBrush);
    if (!background.isEmpty())
        text += QStringLiteral(" bg=") + background;
    if (format.isAnchor())
        text += QStringLiteral(" href=") + format.anchorHref();
    return text;
}

QString describeImage(const QTextDocument& document, const QTextImageFormat& format)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = resource.value<QImage>();
    if (image.isNull())
        image = QImage::fromData(resource.toByteArray());
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    return QStringLiteral("image %1x%2 shown %3x%4 pixels %5")
        .arg(image.width())
        .arg(image.height())
        .arg(twips(width))
        .arg(twips(height))
        .arg(QString::fromLatin1(QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex().left(8)));
}

QString describeBlock(const QTextDocument& document, const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    QString text = QStringLiteral("P");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        text += QStringLiteral(" centre");
    else if (alignment & Qt::AlignRight)
        text += QStringLiteral(" right");
    else if (alignment & Qt::AlignJustify)
        text += QStringLiteral(" justify");
    const std::pair<const char*, double> lengths[] = {
        {"li", format.leftMargin()}, {"ri", format.rightMargin()}, {"fi", format.textIndent()},
        {"sb", format.topMargin()}, {"sa", format.bottomMargin()},
    };
    for (const auto& [name, pixels] : lengths) {
        if (twips(pixels) != 0)
            text += QStringLiteral(" %1=%2").arg(QLatin1String(name)).arg(twips(pixels));
    }
    for (const QTextOption::Tab& tab : format.tabPositions())
        text += QStringLiteral(" tab=%1/%2").arg(twips(tab.position)).arg(int(tab.type));
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        text += QStringLiteral(" page-break");
    if (block.length() == 1)
        text += QStringLiteral(" empty[") + describeCharFormat(document, block.charFormat()) + u']';
    text += u'\n';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        text += QStringLiteral("  [") + describeCharFormat(document, charFormat) + QStringLiteral("] ");
        if (charFormat.isImageFormat())
            text += describeImage(document, charFormat.toImageFormat()).repeated(fragment.length());
        else
            text += u'"' + fragment.text() + u'"';
        text += u'\n';
    }
    return text;
}

QString describeFrame(const QTextDocument& document, const QTextFrame* frame)
{
    QString text;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextFrame* child = it.currentFrame();
        if (!child) {
            text += describeBlock(document, it.currentBlock());
            continue;
        }
        const auto* table = qobject_cast<const QTextTable*>(child);
        if (!table) {
            text += describeFrame(document, child);
            continue;
        }
        text += QStringLiteral("TABLE %1x%2\n").arg(table->rows()).arg(table->columns());
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                text += QStringLiteral("CELL %1,%2\n").arg(row).arg(column);
                for (auto cellIt = cell.begin(); !cellIt.atEnd(); ++cellIt) {
                    if (cellIt.currentFrame())
                        text += describeFrame(document, cellIt.currentFrame());
                    else
                        text += describeBlock(document, cellIt.currentBlock());
                }
            }
        }
        text += QStringLiteral("END TABLE\n");
    }
    return text;
}

}

QString describeDocument(const QTextDocument& document)
{
    return describeFrame(document, document.rootFrame());
}

}
