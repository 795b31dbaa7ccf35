#pragma once

#include <QByteArrayView>
#include <QString>

namespace dayvell::rtf {

// The text of an RTF document, paragraphs separated by '\n', without building a QTextDocument.
// Never throws for malformed input: it returns what it can read.
QString rtfToPlainText(QByteArrayView rtf);

}
