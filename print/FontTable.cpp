#include "print/FontTable.h"

#include "print/EditorError.h"

namespace dayvell::editor {

FontTable::FontTable(const QString& defaultFont) : m_names{defaultFont} {}

int FontTable::indexOf(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int FontTable::numberOf(const QString& name)
{
    if (const int found = indexOf(name); found >= 0)
        return found;
    if (name.trimmed().isEmpty())
        throw EditorError(QStringLiteral("Font table: a font name cannot be empty"));
    if (name.size() > kMaxNameLength)
        throw EditorError(QStringLiteral("Font table: the font name \"%1\" is longer than %2 characters")
                              .arg(name)
                              .arg(kMaxNameLength));
    if (m_names.size() >= kMaxFonts)
        throw EditorError(QStringLiteral("Font table: cannot add \"%1\", the table already holds %2 fonts")
                              .arg(name)
                              .arg(kMaxFonts));
    m_names.append(name);
    return int(m_names.size()) - 1;
}

bool FontTable::tryAdd(const QString& name)
{
    if (indexOf(name) >= 0)
        return true;
    if (name.trimmed().isEmpty() || name.size() > kMaxNameLength || m_names.size() >= kMaxFonts)
        return false;
    m_names.append(name);
    return true;
}

QString FontTable::nameAt(int number) const
{
    if (number < 0 || number >= m_names.size())
        throw EditorError(QStringLiteral("Font table: there is no font number %1 (the table holds %2)")
                              .arg(number)
                              .arg(m_names.size()));
    return m_names[number];
}

}  // namespace dayvell::editor
