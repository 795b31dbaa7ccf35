#pragma once

#include "print/PageLayout.h"

#include <QRect>

#include <functional>

class QPainter;
class QPrinter;
class QTextDocument;

namespace dayvell::editor {

// Prints a document as one job: lays it out on the page of a page layout at the printer's
// resolution, breaks it into pages and lets the caller draw a header and a footer on every page.
class DocumentPrinter {
public:
    // band: the strip above (header) or below (footer) the text, in printer pixels, as wide as the
    // text and starting at the left margin. lineNumber: for the header the number of the page's
    // first line, for the footer that of its last line, counted from 1 through the whole document.
    using BandPainter = std::function<void(QPainter& painter, const QRect& band, int pageNumber, int lineNumber)>;

    DocumentPrinter(const QTextDocument& document, const PageLayout& layout);

    // Throws EditorError when the printer (or the output file) cannot be opened or fails mid-job.
    void print(QPrinter& printer, const BandPainter& header, const BandPainter& footer) const;

private:
    const QTextDocument& m_document;
    PageLayout m_layout;
};

}  // namespace dayvell::editor
