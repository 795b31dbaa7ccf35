#pragma once

#include <QByteArrayView>

namespace dayvell::rtf {

enum class RtfTokenType { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, Binary };

struct RtfToken {
    RtfTokenType type = RtfTokenType::End;
    // Control word name, text run or binary data.
    QByteArrayView bytes;
    bool hasParameter = false;
    int parameter = 0;
    // The character of a control symbol, or the byte of a \'hh escape.
    unsigned char symbol = 0;
};

// The value of one hexadecimal digit, or -1 for any other character.
int hexDigitValue(char c);

// Splits RTF into tokens in one pass. \binN data comes back as one Binary token; carriage returns and
// line feeds outside control words are dropped. Parameters beyond the int range are clamped.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView rtf) : m_rtf(rtf) {}

    RtfToken next();

private:
    RtfToken readControl();
    RtfToken readControlWord();
    RtfToken readHexByte();
    int readParameter(bool& hasParameter);

    QByteArrayView m_rtf;
    qsizetype m_pos = 0;
};

}
