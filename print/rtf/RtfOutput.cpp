#include "print/rtf/RtfOutput.h"

#include "print/rtf/RtfCodePage.h"

#include <cstdint>
#include <cstring>

namespace dayvell::rtf {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";
constexpr int hexCharactersPerLine = 128;

// Characters a reader would take as part of a control word just before them, or as its delimiter.
bool continuesControlWord(char16_t character)
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z')
           || (character >= u'0' && character <= u'9') || character == u'-' || character == u' ';
}

}

void RtfOutput::controlWord(const char* word)
{
    startToken(static_cast<qsizetype>(std::strlen(word)) + 1);
    m_rtf.append('\\').append(word);
    m_needsDelimiter = true;
}

void RtfOutput::controlWord(const char* word, int parameter)
{
    const QByteArray number = QByteArray::number(parameter);
    startToken(static_cast<qsizetype>(std::strlen(word)) + 1 + number.size());
    m_rtf.append('\\').append(word).append(number);
    m_needsDelimiter = true;
}

void RtfOutput::controlSymbol(char symbol)
{
    startToken(2);
    ensureDelimited();
    m_rtf.append('\\').append(symbol);
}

void RtfOutput::openGroup()
{
    startToken(1);
    m_rtf.append('{');
    m_needsDelimiter = false;
}

void RtfOutput::closeGroup()
{
    startToken(1);
    m_rtf.append('}');
    m_needsDelimiter = false;
}

void RtfOutput::text(QStringView text)
{
    for (const QChar character : text)
        writeTextCharacter(character.unicode());
}

void RtfOutput::hexData(QByteArrayView data)
{
    ensureDelimited();
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % (hexCharactersPerLine / 2) == 0)
            newLine();
        const auto byte = static_cast<unsigned char>(data[i]);
        m_rtf.append(hexDigits[byte >> 4]).append(hexDigits[byte & 0x0F]);
    }
    newLine();
}

void RtfOutput::newLine()
{
    ensureDelimited();
    m_rtf.append("\r\n");
    m_lineStart = m_rtf.size();
}

// A line that grew long enough is broken before the next token. A control word that still waits for
// its delimiter gets it first, as a line break alone would leave the next space to the text.
void RtfOutput::startToken(qsizetype length)
{
    if (m_rtf.size() - m_lineStart + length > preferredLineLength)
        newLine();
}

void RtfOutput::ensureDelimited()
{
    if (m_needsDelimiter) {
        m_rtf.append(' ');
        m_needsDelimiter = false;
    }
}

void RtfOutput::writeTextCharacter(char16_t character)
{
    switch (character) {
    case u'\\':
    case u'{':
    case u'}':
        startToken(2);
        ensureDelimited();
        m_rtf.append('\\').append(static_cast<char>(character));
        return;
    case u'\t':
        controlWord("tab");
        return;
    case 0x2028:
        controlWord("line");
        return;
    case 0x00A0:
        startToken(2);
        ensureDelimited();
        m_rtf.append("\\~");
        return;
    default:
        break;
    }
    if (character < 0x20)
        return;
    if (character >= 0x80) {
        writeUnicode(character);
        return;
    }
    const qsizetype lineLength = m_rtf.size() - m_lineStart;
    if ((character == u' ' && lineLength >= preferredLineLength) || lineLength >= maxLineLength)
        newLine();
    if (continuesControlWord(character))
        ensureDelimited();
    m_needsDelimiter = false;
    m_rtf.append(static_cast<char>(character));
}

// \uN takes a signed 16-bit N; the fallback after it is the 1252 byte where there is one.
void RtfOutput::writeUnicode(char16_t character)
{
    controlWord("u", static_cast<int>(static_cast<int16_t>(character)));
    const unsigned char fallback = unicodeToWindows1252(character);
    if (fallback >= 0x80) {
        m_rtf.append("\\'").append(hexDigits[fallback >> 4]).append(hexDigits[fallback & 0x0F]);
    } else {
        m_rtf.append('?');
    }
    m_needsDelimiter = false;
}

}
