#include "print/rtf/RtfPlainText.h"

#include "print/rtf/RtfPlainTextSink.h"
#include "print/rtf/RtfSource.h"
#include "print/rtf/RtfTables.h"

namespace dayvell::rtf {

QString rtfToPlainText(QByteArrayView rtf)
{
    RtfTables tables;
    RtfPlainTextSink sink;
    sink.reserve(rtf.size());   // the text never has more characters than the RTF has bytes
    readRtfInto(rtf, tables, sink);
    return sink.takeText();
}

}
