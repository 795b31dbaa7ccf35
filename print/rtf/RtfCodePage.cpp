#include "print/rtf/RtfCodePage.h"

#include <QStringDecoder>

#include <array>

namespace dayvell::rtf {

namespace {

constexpr char16_t highHalfOf1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char* codecName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 1361: return "johab";
    case 10000: return "macintosh";
    case 20866: return "KOI8-R";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

char16_t windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return highHalfOf1252[byte - 0x80];
    return byte;
}

unsigned char unicodeToWindows1252(char16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (int i = 0; i < 32; ++i) {
        if (highHalfOf1252[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

RtfTextDecoder::RtfTextDecoder() = default;
RtfTextDecoder::~RtfTextDecoder() = default;

bool RtfTextDecoder::decode(QByteArrayView bytes, int codePage, QString& out)
{
    if (codePage != 1252) {
        if (QStringDecoder* decoder = decoderFor(codePage)) {
            out += decoder->decode(bytes);
            return true;
        }
    }
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> characters{};
        for (int byte = 0; byte < 256; ++byte)
            characters[byte] = windows1252ToUnicode(static_cast<unsigned char>(byte));
        return characters;
    }();
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t* target = reinterpret_cast<char16_t*>(out.data()) + start;
    bool controlCharacters = false;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        controlCharacters |= value < 0x20 && value != '\t';
        *target++ = table[value];
    }
    return controlCharacters;
}

QStringDecoder* RtfTextDecoder::decoderFor(int codePage)
{
    const auto found = m_decoders.find(codePage);
    if (found != m_decoders.end())
        return found->second.get();
    std::unique_ptr<QStringDecoder> decoder;
    if (const char* name = codecName(codePage)) {
        decoder = std::make_unique<QStringDecoder>(name);
        if (!decoder->isValid())
            decoder.reset();
    }
    QStringDecoder* result = decoder.get();
    m_decoders.emplace(codePage, std::move(decoder));
    return result;
}

}
