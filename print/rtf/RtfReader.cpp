#include "print/rtf/RtfReader.h"

#include "print/rtf/RtfDocumentBuilder.h"
#include "print/rtf/RtfSource.h"
#include "print/rtf/RtfTables.h"

#include <QTextCursor>
#include <QTextDocument>

namespace dayvell::rtf {

void readRtf(QByteArrayView rtf, QTextDocument& document)
{
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    {
        RtfTables tables;
        RtfDocumentBuilder builder(document, tables);
        // One edit block: the document is laid out once at the end, not after every insertion.
        QTextCursor editBlock(&document);
        editBlock.beginEditBlock();
        readRtfInto(rtf, tables, builder);
        editBlock.endEditBlock();
    }
    document.setUndoRedoEnabled(undoEnabled);
    document.setModified(false);
}

}
