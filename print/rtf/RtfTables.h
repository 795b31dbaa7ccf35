#pragma once

#include "print/rtf/RtfState.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

namespace dayvell::rtf {

struct RtfFont {
    QString name;
    int codePage = 0;   // 0: the document's code page
};

// The fonts and colours a document declares, its hyperlinks and the row definition in force: what the
// formatting numbers in the reader's states refer to.
class RtfTables {
public:
    static constexpr int maxCellsPerRow = 63;

    // The font of a number; -1 and undeclared numbers give the default font, or null without one.
    const RtfFont* font(int number) const;
    RtfFont& declareFont(int number) { return m_fonts[number]; }
    void setDefaultFont(int number) { m_defaultFont = number; }

    // An invalid colour for automatic and undeclared indexes.
    QColor colour(int index) const { return m_colours.value(index); }
    void addColour(const QColor& colour) { m_colours.append(colour); }

    const QString& linkTarget(int link) const { return m_links[link]; }
    int addLink(const QString& target);

    const QList<int>& cellBoundaries() const { return m_cellBoundaries; }
    void clearRowDefinition() { m_cellBoundaries.clear(); }
    void addCellBoundary(int twips);

    int codePage() const { return m_codePage; }
    void setCodePage(int codePage) { m_codePage = codePage; }

private:
    QHash<int, RtfFont> m_fonts;
    int m_defaultFont = 0;
    QList<QColor> m_colours;
    QList<QString> m_links;
    QList<int> m_cellBoundaries;
    int m_codePage = 1252;
};

}
