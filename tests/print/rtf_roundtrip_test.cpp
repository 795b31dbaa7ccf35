#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"
#include "rtf_document_description.h"
#include "rtf_test_support.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace dayvell::rtf;
using namespace dayvell::rtf::testing;

namespace {

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    return document;
}

std::unique_ptr<QTextDocument> readBack(const QByteArray& rtf)
{
    auto document = newDocument();
    readRtf(rtf, *document);
    return document;
}

QTextCharFormat charFormat(const std::function<void(QTextCharFormat&)>& setUp)
{
    QTextCharFormat format;
    setUp(format);
    return format;
}

QTextBlockFormat blockFormat(const std::function<void(QTextBlockFormat&)>& setUp)
{
    QTextBlockFormat format;
    setUp(format);
    return format;
}

// Documents as the editor can hold them; each must come back from writing and reading unchanged.
struct DocumentCase {
    const char* name;
    std::function<void(QTextDocument&, QTextCursor&)> build;
};

void PrintTo(const DocumentCase& documentCase, std::ostream* out)
{
    *out << documentCase.name;
}

const DocumentCase documentCases[] = {
    {"empty document", [](QTextDocument&, QTextCursor&) {}},
    {"character formats",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("plain "));
         cursor.insertText(QStringLiteral("bold "), charFormat([](auto& f) { f.setFontWeight(QFont::Bold); }));
         cursor.insertText(QStringLiteral("italic "), charFormat([](auto& f) { f.setFontItalic(true); }));
         cursor.insertText(QStringLiteral("under "), charFormat([](auto& f) { f.setFontUnderline(true); }));
         cursor.insertText(QStringLiteral("struck "), charFormat([](auto& f) { f.setFontStrikeOut(true); }));
         cursor.insertText(QStringLiteral("all "), charFormat([](auto& f) {
                               f.setFontWeight(QFont::Bold);
                               f.setFontItalic(true);
                               f.setFontUnderline(true);
                               f.setFontStrikeOut(true);
                           }));
         cursor.insertText(QStringLiteral("super"),
                           charFormat([](auto& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }));
         cursor.insertText(QStringLiteral("sub"),
                           charFormat([](auto& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); }));
     }},
    {"fonts, sizes and colours",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("Times 14 "), charFormat([](auto& f) {
                               f.setFontFamilies({QStringLiteral("Times New Roman")});
                               f.setFontPointSize(14);
                           }));
         cursor.insertText(QStringLiteral("half size "), charFormat([](auto& f) { f.setFontPointSize(10.5); }));
         cursor.insertText(QStringLiteral("red on yellow "), charFormat([](auto& f) {
                               f.setForeground(QColor(200, 10, 20));
                               f.setBackground(QColor(255, 255, 0));
                           }));
         cursor.insertText(QStringLiteral("Courier green"), charFormat([](auto& f) {
                               f.setFontFamilies({QStringLiteral("Courier New")});
                               f.setForeground(QColor(0, 128, 0));
                               f.setFontPointSize(8);
                           }));
         cursor.insertText(QStringLiteral(" explicit black"),
                           charFormat([](auto& f) { f.setForeground(QColor(0, 0, 0)); }));
     }},
    {"paragraph formats",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.setBlockFormat(blockFormat([](auto& f) { f.setAlignment(Qt::AlignHCenter); }));
         cursor.insertText(QStringLiteral("centred"));
         cursor.insertBlock(blockFormat([](auto& f) { f.setAlignment(Qt::AlignRight); }));
         cursor.insertText(QStringLiteral("right"));
         cursor.insertBlock(blockFormat([](auto& f) {
             f.setAlignment(Qt::AlignJustify);
             f.setLeftMargin(48);
             f.setRightMargin(24);
             f.setTextIndent(-24);
             f.setTopMargin(8);
             f.setBottomMargin(16);
         }));
         cursor.insertText(QStringLiteral("justified and indented"));
         cursor.insertBlock(blockFormat([](auto& f) {
             f.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab),
                                QTextOption::Tab(192, QTextOption::CenterTab),
                                QTextOption::Tab(288, QTextOption::RightTab),
                                QTextOption::Tab(384, QTextOption::DelimiterTab)});
         }));
         cursor.insertText(QStringLiteral("a\tb\tc\td\te"));
         cursor.insertBlock(blockFormat([](auto& f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); }));
         cursor.insertText(QStringLiteral("on a new page"));
     }},
    {"empty paragraphs keep their size",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("before"));
         cursor.insertBlock(QTextBlockFormat(), charFormat([](auto& f) { f.setFontPointSize(24); }));
         cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
         cursor.insertText(QStringLiteral("after"));
         cursor.insertBlock();
     }},
    {"special characters",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("back\\slash {braces} tab\there line\u2028break no\u00a0break"));
         cursor.insertBlock();
         cursor.insertText(QStringLiteral("caf\u00e9 \u20ac \u0416\u0443\u043a \u4e2d\u6587 \U0001F600 \uf000 \uffff"));
     }},
    {"image",
     [](QTextDocument& document, QTextCursor& cursor) {
         QImage image(5, 4, QImage::Format_ARGB32);
         image.fill(QColor(10, 200, 30));
         image.setPixelColor(1, 2, QColor(255, 0, 255));
         document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), image);
         cursor.insertText(QStringLiteral("see "));
         QTextImageFormat natural;
         natural.setName(QStringLiteral("picture"));
         cursor.insertImage(natural);
         QTextImageFormat scaled;
         scaled.setName(QStringLiteral("picture"));
         scaled.setWidth(50);
         scaled.setHeight(40);
         cursor.insertImage(scaled);
         cursor.insertText(QStringLiteral(" here"));
     }},
    {"links",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("go to "));
         cursor.insertText(QStringLiteral("the site"), charFormat([](auto& f) {
                               f.setAnchor(true);
                               f.setAnchorHref(QStringLiteral("https://example.org/a?b=1&c=\"q\""));
                               f.setFontUnderline(true);
                           }));
         cursor.insertText(QStringLiteral(" bold part"), charFormat([](auto& f) {
                               f.setAnchor(true);
                               f.setAnchorHref(QStringLiteral("https://example.org/a?b=1&c=\"q\""));
                               f.setFontWeight(QFont::Bold);
                           }));
         cursor.insertText(QStringLiteral(" then "));
         cursor.insertText(QStringLiteral("a file"), charFormat([](auto& f) {
                               f.setAnchor(true);
                               f.setAnchorHref(QStringLiteral("file:///C:/dir\\name.txt"));
                           }));
     }},
    {"table",
     [](QTextDocument&, QTextCursor& cursor) {
         cursor.insertText(QStringLiteral("before"));
         QTextTable* table = cursor.insertTable(2, 3);
         table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("A1"));
         table->cellAt(0, 2).firstCursorPosition().insertText(
             QStringLiteral("C1"), charFormat([](auto& f) { f.setFontWeight(QFont::Bold); }));
         QTextCursor cell = table->cellAt(1, 1).firstCursorPosition();
         cell.insertText(QStringLiteral("B2"));
         cell.insertBlock(blockFormat([](auto& f) { f.setAlignment(Qt::AlignRight); }));
         cell.insertText(QStringLiteral("second line"));
         cursor.movePosition(QTextCursor::End);
         cursor.insertText(QStringLiteral("after"));
     }},
    {"table first in the document",
     [](QTextDocument&, QTextCursor& cursor) {
         QTextTable* table = cursor.insertTable(1, 2);
         table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("right cell"));
     }},
};

class RtfRoundTrip : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(RtfRoundTrip, ReadingWhatWasWrittenGivesTheSameDocument)
{
    auto original = newDocument();
    QTextCursor cursor(original.get());
    GetParam().build(*original, cursor);

    const QByteArray rtf = writeRtf(*original);
    auto reread = readBack(rtf);
    EXPECT_EQ(describeDocument(*reread).toStdString(), describeDocument(*original).toStdString()) << rtf.constData();
}

// A second write of the reread document must not drift either (no paragraph or format added each time).
TEST_P(RtfRoundTrip, WritingTwiceIsStable)
{
    auto original = newDocument();
    QTextCursor cursor(original.get());
    GetParam().build(*original, cursor);

    const QByteArray first = writeRtf(*original);
    const QByteArray second = writeRtf(*readBack(first));
    EXPECT_EQ(describeDocument(*readBack(second)).toStdString(), describeDocument(*readBack(first)).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfRoundTrip, ::testing::ValuesIn(documentCases));

class RtfFixtureRoundTrip : public ::testing::TestWithParam<const char*> {};

// What the reader takes from other word processors survives our writer: text and every kept format.
TEST_P(RtfFixtureRoundTrip, WritingWhatWasReadKeepsEverything)
{
    auto read = readBack(readFixture(QString::fromLatin1(GetParam())));
    const QByteArray rtf = writeRtf(*read);
    EXPECT_EQ(describeDocument(*readBack(rtf)).toStdString(), describeDocument(*read).toStdString()) << rtf.constData();
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RtfFixtureRoundTrip,
                         ::testing::Values("wordpad.rtf", "word.rtf", "libreoffice.rtf", "old-writer.rtf",
                                           "table.rtf", "table-late-row-definition.rtf", "hyperlink.rtf",
                                           "unicode.rtf", "codepage.rtf", "picture.rtf", "picture-bitmap.rtf",
                                           "page-break.rtf", "truncated.rtf", "not-rtf.txt"),
                         [](const auto& fixture) {
                             std::string name = fixture.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

}
