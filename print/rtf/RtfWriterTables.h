#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QTextCharFormat;
class QTextDocument;
class QTextFrame;

namespace dayvell::rtf {

// The font and colour tables of a document about to be written: font 0 is the document's default
// family, colour 0 the automatic colour; the others in the order the document first uses them.
class RtfWriterTables {
public:
    explicit RtfWriterTables(const QTextDocument& document);

    const QStringList& fonts() const { return m_fonts; }
    // The colours after the automatic one.
    const QList<QColor>& colours() const { return m_colours; }

    QString familyOf(const QTextCharFormat& format) const;
    // The size in half-points, the document's default size where the format has none.
    int halfPointsOf(const QTextCharFormat& format) const;
    int fontIndex(const QString& family) const;
    // 0 for an invalid colour.
    int colourIndex(const QColor& colour) const;

private:
    void collect(const QTextFrame* frame);
    void collect(const QTextCharFormat& format);
    void addColour(const QColor& colour);

    QString m_defaultFamily;
    double m_defaultPointSize = 10.0;
    QStringList m_fonts;
    QList<QColor> m_colours;
};

// The solid colour a brush property of the format paints, or an invalid colour.
QColor brushColour(const QTextCharFormat& format, int property);

}
