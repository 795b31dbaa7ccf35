#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace dayvell::rtf {

// Writes RTF syntax: control words, groups, escaped text and hex data, in lines of about
// preferredLineLength characters ended by CR LF. Lines are broken only where readers ignore the break:
// before a control word or a brace, before a space of text, or inside a long run of text.
class RtfOutput {
public:
    static constexpr int preferredLineLength = 200;
    static constexpr int maxLineLength = 250;

    void controlWord(const char* word);
    void controlWord(const char* word, int parameter);
    // A control symbol such as \* takes no delimiter.
    void controlSymbol(char symbol);
    void openGroup();
    void closeGroup();
    // Text with \, { and } escaped, tabs as \tab, line separators as \line, no-break spaces as \~ and
    // every other character outside ASCII as \uN with a one-character fallback.
    void text(QStringView text);
    void hexData(QByteArrayView data);
    // Ends the current line.
    void newLine();

    QByteArray take() { return std::move(m_rtf); }

private:
    void startToken(qsizetype length);
    void writeTextCharacter(char16_t character);
    void writeUnicode(char16_t character);
    void ensureDelimited();

    QByteArray m_rtf;
    qsizetype m_lineStart = 0;
    bool m_needsDelimiter = false;
};

}
