#include "print/rtf/RtfWriter.h"

#include "print/rtf/RtfDocumentWriter.h"

namespace dayvell::rtf {

QByteArray writeRtf(const QTextDocument& document)
{
    return RtfDocumentWriter(document).write();
}

}
