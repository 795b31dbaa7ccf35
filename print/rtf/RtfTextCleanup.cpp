#include "print/rtf/RtfTextCleanup.h"

namespace dayvell::rtf {

bool needsCleanUp(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC;
}

void cleanUpText(QString& text)
{
    const char16_t* begin = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* end = begin + text.size();
    const char16_t* first = begin;
    while (first != end && !needsCleanUp(*first))
        ++first;
    if (first == end)
        return;

    QString cleaned;
    cleaned.reserve(text.size());
    cleaned.append(QStringView(begin, first));
    for (const char16_t* c = first; c != end; ++c) {
        if (*c == 0x2029)
            cleaned.append(QChar(0x2028));
        else if (!needsCleanUp(*c))
            cleaned.append(QChar(*c));
    }
    text = std::move(cleaned);
}

}
