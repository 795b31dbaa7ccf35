#include "print/rtf/RtfTokenizer.h"

#include <climits>

namespace dayvell::rtf {

namespace {

RtfToken tokenOf(RtfTokenType type)
{
    RtfToken token;
    token.type = type;
    return token;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool endsTextRun(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken RtfTokenizer::next()
{
    const qsizetype size = m_rtf.size();
    while (m_pos < size) {
        const char c = m_rtf[m_pos];
        if (c == '\r' || c == '\n') {
            ++m_pos;
            continue;
        }
        if (c == '{') {
            ++m_pos;
            return tokenOf(RtfTokenType::GroupStart);
        }
        if (c == '}') {
            ++m_pos;
            return tokenOf(RtfTokenType::GroupEnd);
        }
        if (c == '\\') {
            RtfToken token = readControl();
            if (token.type != RtfTokenType::End)
                return token;
            continue;
        }
        const qsizetype start = m_pos;
        while (m_pos < size && !endsTextRun(m_rtf[m_pos]))
            ++m_pos;
        RtfToken token = tokenOf(RtfTokenType::Text);
        token.bytes = m_rtf.sliced(start, m_pos - start);
        return token;
    }
    return {};
}

// Returns an End token for an escape that means nothing (a lone backslash at the end, a broken \'),
// which the caller skips.
RtfToken RtfTokenizer::readControl()
{
    ++m_pos;
    if (m_pos >= m_rtf.size())
        return {};
    const char c = m_rtf[m_pos];
    if (isLetter(c))
        return readControlWord();
    if (c == '\'')
        return readHexByte();
    ++m_pos;
    if (c == '\r' || c == '\n') {
        RtfToken token = tokenOf(RtfTokenType::ControlWord);
        token.bytes = "par";
        return token;
    }
    RtfToken token = tokenOf(RtfTokenType::ControlSymbol);
    token.symbol = static_cast<unsigned char>(c);
    return token;
}

RtfToken RtfTokenizer::readControlWord()
{
    const qsizetype size = m_rtf.size();
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(m_rtf[m_pos]))
        ++m_pos;
    RtfToken token = tokenOf(RtfTokenType::ControlWord);
    token.bytes = m_rtf.sliced(start, m_pos - start);
    token.parameter = readParameter(token.hasParameter);
    if (m_pos < size && m_rtf[m_pos] == ' ')
        ++m_pos;

    if (token.hasParameter && token.bytes == "bin") {
        const qsizetype length = qMin<qsizetype>(qMax(token.parameter, 0), size - m_pos);
        token.type = RtfTokenType::Binary;
        token.bytes = m_rtf.sliced(m_pos, length);
        m_pos += length;
    }
    return token;
}

int RtfTokenizer::readParameter(bool& hasParameter)
{
    const qsizetype size = m_rtf.size();
    bool negative = false;
    if (m_pos + 1 < size && m_rtf[m_pos] == '-' && isDigit(m_rtf[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    hasParameter = m_pos < size && isDigit(m_rtf[m_pos]);
    long long value = 0;
    while (m_pos < size && isDigit(m_rtf[m_pos])) {
        if (value <= INT_MAX)
            value = value * 10 + (m_rtf[m_pos] - '0');
        ++m_pos;
    }
    if (negative)
        value = -value;
    return static_cast<int>(qBound(static_cast<long long>(INT_MIN), value, static_cast<long long>(INT_MAX)));
}

RtfToken RtfTokenizer::readHexByte()
{
    ++m_pos;
    const qsizetype size = m_rtf.size();
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_pos < size) {
        const int nibble = hexDigitValue(m_rtf[m_pos]);
        if (nibble < 0)
            break;
        value = value * 16 + nibble;
        ++digits;
        ++m_pos;
    }
    if (digits == 0)
        return {};
    RtfToken token = tokenOf(RtfTokenType::HexByte);
    token.symbol = static_cast<unsigned char>(value);
    return token;
}

}
