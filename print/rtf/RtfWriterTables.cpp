#include "print/rtf/RtfWriterTables.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

namespace dayvell::rtf {

QColor brushColour(const QTextCharFormat& format, int property)
{
    if (!format.hasProperty(property))
        return {};
    const QBrush brush = format.brushProperty(property);
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

RtfWriterTables::RtfWriterTables(const QTextDocument& document)
{
    const QFont defaultFont = document.defaultFont();
    m_defaultFamily = defaultFont.family();
    if (defaultFont.pointSizeF() > 0)
        m_defaultPointSize = defaultFont.pointSizeF();
    m_fonts.append(m_defaultFamily);
    collect(document.rootFrame());
}

QString RtfWriterTables::familyOf(const QTextCharFormat& format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    // The single-family property of older formats.
    const QString family = format.stringProperty(QTextFormat::FontFamily);
    if (!family.isEmpty())
        return family;
    return m_defaultFamily;
}

int RtfWriterTables::halfPointsOf(const QTextCharFormat& format) const
{
    constexpr double pointsPerPixel = 0.75;   // 96 pixels to the inch
    double points = m_defaultPointSize;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        points = format.intProperty(QTextFormat::FontPixelSize) * pointsPerPixel;
    return static_cast<int>(std::lround(points * 2));
}

int RtfWriterTables::fontIndex(const QString& family) const
{
    return static_cast<int>(qMax<qsizetype>(m_fonts.indexOf(family), 0));
}

int RtfWriterTables::colourIndex(const QColor& colour) const
{
    if (!colour.isValid())
        return 0;
    return static_cast<int>(m_colours.indexOf(colour.toRgb()) + 1);
}

void RtfWriterTables::collect(const QTextFrame* frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            collect(child);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        collect(block.charFormat());
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            collect(fragment.fragment().charFormat());
    }
}

void RtfWriterTables::collect(const QTextCharFormat& format)
{
    const QString family = familyOf(format);
    if (!m_fonts.contains(family))
        m_fonts.append(family);
    addColour(brushColour(format, QTextFormat::ForegroundBrush));
    addColour(brushColour(format, QTextFormat::BackgroundBrush));
}

void RtfWriterTables::addColour(const QColor& colour)
{
    if (colour.isValid() && !m_colours.contains(colour.toRgb()))
        m_colours.append(colour.toRgb());
}

}
