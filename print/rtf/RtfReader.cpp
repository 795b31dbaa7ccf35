#include "print/rtf/RtfReader.h"

#include "print/rtf/RtfDocumentBuilder.h"
#include "print/rtf/RtfSource.h"
#include "print/rtf/RtfTables.h"

#include <QTextDocument>

namespace dayvell::rtf {

void readRtf(QByteArrayView rtf, QTextDocument& document)
{
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    {
        RtfTables tables;
        RtfDocumentBuilder builder(document, tables);
        readRtfInto(rtf, tables, builder);
    }
    document.setUndoRedoEnabled(undoEnabled);
    document.setModified(false);
}

}
