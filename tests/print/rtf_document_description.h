#pragma once

#include <QString>

class QTextDocument;

namespace dayvell::rtf::testing {

// A readable line-per-paragraph account of a document's text and every format the editor keeps, so that
// two documents can be compared with a useful difference on failure. Lengths are given in twips,
// fonts and sizes as they take effect (the document default where a format sets none).
QString describeDocument(const QTextDocument& document);

}
