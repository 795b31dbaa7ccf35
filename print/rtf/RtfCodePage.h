#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

namespace dayvell::rtf {

// The Windows code page of an RTF \fcharset value; 0 for the document's own.
int codePageOfCharset(int charset);

// The Unicode character of a byte in Windows code page 1252.
char16_t windows1252ToUnicode(unsigned char byte);

// The 1252 byte of a character, or 0 when 1252 has none.
unsigned char unicodeToWindows1252(char16_t character);

// Turns the bytes of RTF text into Unicode, through the code page in force. Code page 1252 and anything
// Qt cannot decode go through a built-in 1252 table; double-byte code pages keep their state between
// calls so that a lead byte and its trail byte may come in separate escapes.
class RtfTextDecoder {
public:
    RtfTextDecoder();
    ~RtfTextDecoder();
    RtfTextDecoder(const RtfTextDecoder&) = delete;
    RtfTextDecoder& operator=(const RtfTextDecoder&) = delete;

    // Appends the decoded text; returns false when it certainly holds no control character other than
    // the tab (which callers otherwise have to remove).
    bool decode(QByteArrayView bytes, int codePage, QString& out);

private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

}
