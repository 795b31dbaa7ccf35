#include "print/EditorError.h"
#include "print/RichTextEditor.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using dayvell::editor::EditorError;
using dayvell::editor::RichTextEditor;

namespace {

struct BandCall {
    int x, y, w, h, page, line;
};

// Prints an editor to a PDF file, recording every header and footer call.
class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("entry.pdf")));
        printer.setResolution(600);
        QObject::connect(&editor, &RichTextEditor::printHeader,
                         [this](QPainter* canvas, int x, int y, int w, int h, int page, int line) {
                             ASSERT_NE(canvas, nullptr);
                             canvas->drawText(x, y + h / 2, QStringLiteral("Diary Entries"));
                             canvas->drawLine(x, y + h - h / 4, x + w, y + h - h / 4);
                             headers.push_back({x, y, w, h, page, line});
                         });
        QObject::connect(&editor, &RichTextEditor::printFooter,
                         [this](QPainter* canvas, int x, int y, int w, int h, int page, int line) {
                             canvas->drawLine(x, y, x + w, y);
                             footers.push_back({x, y, w, h, page, line});
                         });
    }

    int pdfPageCount() const
    {
        QFile pdf(printer.outputFileName());
        if (!pdf.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray content = pdf.readAll();
        if (!content.startsWith("%PDF"))
            return -1;
        return int(QString::fromLatin1(content).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
    }

    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
    RichTextEditor editor;
    std::vector<BandCall> headers;
    std::vector<BandCall> footers;
};

TEST_F(PrintToPdf, LongEntryBreaksIntoPagesWithHeaderAndFooterOnEach)
{
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Line %1 of a long entry").arg(i);
    editor.insertText(lines.join(QLatin1Char('\n')));
    editor.print(printer);

    const int pages = pdfPageCount();
    ASSERT_GE(pages, 2);
    ASSERT_EQ(int(headers.size()), pages);
    ASSERT_EQ(int(footers.size()), pages);

    // One inch margins on a letter page at 600 dpi.
    for (int i = 0; i < pages; ++i) {
        const BandCall& header = headers[std::size_t(i)];
        const BandCall& footer = footers[std::size_t(i)];
        EXPECT_EQ(header.page, i + 1);
        EXPECT_EQ(footer.page, i + 1);
        EXPECT_EQ(header.x, 600);
        EXPECT_EQ(header.w, 6.5 * 600);
        EXPECT_EQ(header.y, 0);
        EXPECT_EQ(header.h, 600);
        EXPECT_EQ(footer.x, 600);
        EXPECT_EQ(footer.w, 6.5 * 600);
        EXPECT_EQ(footer.y, 600 + 9 * 600);
        EXPECT_EQ(footer.h, 600);
        EXPECT_LE(header.line, footer.line);
        if (i > 0) {
            EXPECT_EQ(header.line, footers[std::size_t(i - 1)].line + 1);
        }
    }
    EXPECT_EQ(headers.front().line, 1);
    EXPECT_EQ(footers.back().line, 150);
}

TEST_F(PrintToPdf, EmptyEntryPrintsOnePage)
{
    editor.print(printer);
    EXPECT_EQ(pdfPageCount(), 1);
    ASSERT_EQ(headers.size(), 1u);
    ASSERT_EQ(footers.size(), 1u);
    EXPECT_EQ(headers[0].page, 1);
}

TEST_F(PrintToPdf, PageLayoutSetsTheBands)
{
    editor.insertText(QStringLiteral("short"));
    // A4 with half-inch left and right and quarter-inch top and bottom margins.
    editor.setPageLayout(720, 720, 360, 360, 11906, 16838);
    editor.print(printer);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].x, 300);
    EXPECT_EQ(headers[0].h, 150);
    EXPECT_EQ(headers[0].w, qRound((11906 - 1440) * 600 / 1440.0));
    EXPECT_EQ(footers[0].y, 150 + qRound((16838 - 720) * 600 / 1440.0));
}

TEST_F(PrintToPdf, PrinterKeepsThePaperChosenForIt)
{
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    editor.print(printer);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintToPdf, OutputThatCannotBeWrittenIsAnError)
{
    printer.setOutputFileName(folder.filePath(QStringLiteral("no/such/folder/entry.pdf")));
    editor.insertText(QStringLiteral("text"));
    EXPECT_THROW(editor.print(printer), EditorError);
    EXPECT_TRUE(headers.empty());
}

}  // namespace
