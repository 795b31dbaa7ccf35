#pragma once

#include <QString>
#include <QStringList>

namespace dayvell::editor {

// The numbered list of font names a document refers to. Number 0 is the document's default font.
class FontTable {
public:
    static constexpr int kMaxFonts = 99;
    static constexpr int kMaxNameLength = 31;

    explicit FontTable(const QString& defaultFont);

    // Index of the name, compared ignoring case; a missing name is added. Throws EditorError for an
    // empty or over-long name, or when the table is full.
    int numberOf(const QString& name);
    // Adds the name unless it is present, too long or the table is full; says whether it is listed now.
    bool tryAdd(const QString& name);

    QString nameAt(int number) const;  // throws EditorError for a number not in the table
    int size() const { return int(m_names.size()); }
    const QStringList& names() const { return m_names; }

private:
    int indexOf(const QString& name) const;

    QStringList m_names;
};

}  // namespace dayvell::editor
