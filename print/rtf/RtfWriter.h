#pragma once

#include <QByteArray>

class QTextDocument;

namespace dayvell::rtf {

// The document as RTF that other word processors open.
QByteArray writeRtf(const QTextDocument& document);

}
