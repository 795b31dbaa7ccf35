#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace dayvell::rtf {

// Replaces the document's content by the RTF's. Never throws for malformed input: it reads what it can.
void readRtf(QByteArrayView rtf, QTextDocument& document);

}
