#include "print/DocumentPrinter.h"

#include "print/EditorError.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace dayvell::editor {

namespace {

QString printerDescription(const QPrinter& printer)
{
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("the file \"%1\"").arg(printer.outputFileName());
    if (printer.printerName().isEmpty())
        return QStringLiteral("the default printer (none is set up)");
    return QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

QPageLayout paperOf(const PageLayout& layout)
{
    const bool landscape = layout.pageWidth > layout.pageHeight;
    const double shortSide = std::min(layout.pageWidth, layout.pageHeight) / 1440.0;
    const double longSide = std::max(layout.pageWidth, layout.pageHeight) / 1440.0;
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

// The first and the last line of every page, counted from 1 through the document.
struct PageLines {
    int first = 0;
    int last = 0;
};

std::vector<PageLines> linesPerPage(const QTextDocument& document, double pageHeight, int pageCount)
{
    std::vector<PageLines> pages(static_cast<std::size_t>(pageCount));
    const auto* layout = document.documentLayout();
    int lineNumber = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* textLayout = block.layout();
        const double blockTop = layout->blockBoundingRect(block).top();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            ++lineNumber;
            const double y = blockTop + textLayout->lineAt(i).y();
            const int page = std::clamp(int(y / pageHeight), 0, pageCount - 1);
            if (pages[std::size_t(page)].first == 0)
                pages[std::size_t(page)].first = lineNumber;
            pages[std::size_t(page)].last = lineNumber;
        }
    }
    // A page without a line of its own (a tall picture going on) carries the numbers of the line before.
    int previous = 0;
    for (auto& page : pages) {
        if (page.first == 0)
            page.first = page.last = previous;
        previous = page.last;
    }
    return pages;
}

// The printer belongs to the caller, who may have chosen its paper: the job's page lasts for the job only.
class PrinterPageRestorer {
public:
    explicit PrinterPageRestorer(QPrinter& printer)
        : m_printer(printer), m_layout(printer.pageLayout()), m_fullPage(printer.fullPage())
    {
    }
    ~PrinterPageRestorer()
    {
        m_printer.setFullPage(m_fullPage);
        m_printer.setPageLayout(m_layout);
    }
    PrinterPageRestorer(const PrinterPageRestorer&) = delete;
    PrinterPageRestorer& operator=(const PrinterPageRestorer&) = delete;

private:
    QPrinter& m_printer;
    QPageLayout m_layout;
    bool m_fullPage;
};

}  // namespace

DocumentPrinter::DocumentPrinter(const QTextDocument& document, const PageLayout& layout)
    : m_document(document), m_layout(layout)
{
}

void DocumentPrinter::print(QPrinter& printer, const BandPainter& header, const BandPainter& footer) const
{
    const PrinterPageRestorer restorer(printer);
    printer.setFullPage(true);
    if (!printer.setPageLayout(paperOf(m_layout)))
        throw EditorError(QStringLiteral("Cannot set a page of %1 x %2 twips on %3")
                              .arg(m_layout.pageWidth)
                              .arg(m_layout.pageHeight)
                              .arg(printerDescription(printer)));

    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const int left = qRound(PageLayout::twipsToPixels(m_layout.leftMargin, dpiX));
    const int top = qRound(PageLayout::twipsToPixels(m_layout.topMargin, dpiY));
    const int bottom = qRound(PageLayout::twipsToPixels(m_layout.bottomMargin, dpiY));
    const int textWidth = std::max(1, qRound(PageLayout::twipsToPixels(m_layout.textWidth(), dpiX)));
    const int textHeight = std::max(1, qRound(PageLayout::twipsToPixels(m_layout.textHeight(), dpiY)));

    const std::unique_ptr<QTextDocument> pages(m_document.clone());
    pages->setDocumentMargin(0);
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setPageSize(QSizeF(textWidth, textHeight));
    const int pageCount = std::max(1, pages->pageCount());
    const std::vector<PageLines> lines = linesPerPage(*pages, textHeight, pageCount);

    QPainter painter;
    if (!painter.begin(&printer))
        throw EditorError(QStringLiteral("Cannot start printing on %1").arg(printerDescription(printer)));

    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !printer.newPage())
            throw EditorError(QStringLiteral("Printing on %1 failed at page %2")
                                  .arg(printerDescription(printer))
                                  .arg(page + 1));
        const QRectF visible(0, double(page) * textHeight, textWidth, textHeight);
        painter.save();
        painter.translate(left, top - visible.top());
        painter.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        pages->documentLayout()->draw(&painter, context);
        painter.restore();

        const auto& pageLines = lines[std::size_t(page)];
        painter.save();
        header(painter, QRect(left, 0, textWidth, top), page + 1, pageLines.first);
        painter.restore();
        painter.save();
        footer(painter, QRect(left, top + textHeight, textWidth, bottom), page + 1, pageLines.last);
        painter.restore();
    }
    if (!painter.end())
        throw EditorError(QStringLiteral("Printing on %1 failed").arg(printerDescription(printer)));
}

}  // namespace dayvell::editor
