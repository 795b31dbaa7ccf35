#include "print/rtf/RtfTables.h"

namespace dayvell::rtf {

const RtfFont* RtfTables::font(int number) const
{
    if (number >= 0) {
        const auto found = m_fonts.constFind(number);
        if (found != m_fonts.constEnd())
            return &found.value();
    }
    const auto fallback = m_fonts.constFind(m_defaultFont);
    return fallback == m_fonts.constEnd() ? nullptr : &fallback.value();
}

int RtfTables::addLink(const QString& target)
{
    m_links.append(target);
    return static_cast<int>(m_links.size() - 1);
}

void RtfTables::addCellBoundary(int twips)
{
    if (m_cellBoundaries.size() < maxCellsPerRow)
        m_cellBoundaries.append(twips);
}

}
