#include "print/rtf/RtfPlainText.h"
#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"
#include "rtf_test_support.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

using namespace dayvell::rtf;
using namespace dayvell::rtf::testing;

namespace {

struct TextCase {
    const char* fixture;
    QString text;
};

void PrintTo(const TextCase& textCase, std::ostream* out)
{
    *out << textCase.fixture;
}

QString documentText(const QByteArray& rtf)
{
    QTextDocument document;
    readRtf(rtf, document);
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter);
}

const TextCase textCases[] = {
    TextCase{"wordpad.rtf", QStringLiteral("Dear diary,\nBold, italic, underlined, struck.\nCentred red Times 14\n"
                                               "Right on blue\nJustified and indented\na\tb\tc\nnext line\n"
                                               "caf\u00e9 \u20ac\n")},
    TextCase{"word.rtf", QStringLiteral("Heading\n\u00b7\tFirst item\nSee the page, it\u2019s \u2713 ok.\n")},
    TextCase{"libreoffice.rtf",
             QStringLiteral("Plain serif 12\nGreen bold italic\nIndented by a centimetre, 5 mm after\n\n"
                            "\u041f\u0440\u0438\u0432\u0435\u0442  \U0001F600\n")},
    TextCase{"old-writer.rtf", QStringLiteral("Old style list:\n\u00b7\tOne\n\u00b7\tTwo\nDark red\nThe end\n")},
    TextCase{"table.rtf", QStringLiteral("Before\nA1\tB1\tC1\nA2\tB2\nsecond line\tC2\nAfter\n")},
    TextCase{"table-late-row-definition.rtf", QStringLiteral("one\ttwo\nthree\tfour\nafter\n")},
    TextCase{"hyperlink.rtf", QStringLiteral("Visit the site or here or 7.\n")},
    TextCase{"unicode.rtf",
             QStringLiteral("Greek \u03b1\u03b2, skip two \u20ac, none \u2122, emoji \U0001F700, negative \uffff.\n"
                            "Fallback ends at group \u00e9x and escapes \\ { }\u00a0nbsp"
                            "\u2014\u2013\u2022\u2018\u2019\u201c\u201d\n")},
    TextCase{"codepage.rtf", QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442\ncaf\u00e9\n\u03b1\u03b2\n"
                                            "\u3042\u3044\n")},
    TextCase{"binary.rtf", QStringLiteral("before after\n")},
    TextCase{"page-break.rtf", QStringLiteral("First page\nSecond page\nThird\nFourth\n")},
    TextCase{"hidden.rtf", QStringLiteral("shown text\n")},
    TextCase{"picture.rtf", QStringLiteral("Png:  and jpeg:  and binary png:  and a metafile: .\n")},
    TextCase{"picture-bitmap.rtf", QStringLiteral("Bitmap:  metafile:  broken: .\n")},
    TextCase{"truncated.rtf", QStringLiteral("Bold start\nred and cut off in the midd")},
    TextCase{"unbalanced.rtf", QStringLiteral("one")},
    TextCase{"not-rtf.txt", QStringLiteral("plain words\nsecond line caf\u00e9\n")},
};

class RtfFixtureText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfFixtureText, PlainTextExtractionGivesTheText)
{
    EXPECT_EQ(rtfToPlainText(readFixture(QString::fromLatin1(GetParam().fixture))), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RtfFixtureText, ::testing::ValuesIn(textCases));

// Both paths share the interpreter; outside tables, whose cells plain text separates by tabs, they must
// agree character for character.
class RtfFixtureDocumentText : public RtfFixtureText {};

TEST_P(RtfFixtureDocumentText, DocumentHoldsTheSameText)
{
    EXPECT_EQ(documentText(readFixture(QString::fromLatin1(GetParam().fixture))),
              QString(GetParam().text).replace(QChar(0xA0), u' '));
}

std::vector<TextCase> textCasesWithoutTables()
{
    std::vector<TextCase> cases;
    for (const TextCase& textCase : textCases) {
        if (!QByteArrayView(textCase.fixture).startsWith("table"))
            cases.push_back(textCase);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RtfFixtureDocumentText, ::testing::ValuesIn(textCasesWithoutTables()));

TEST(RtfReader, CharacterFormatsOfWordPadText)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("wordpad.rtf")), document);

    const QTextCharFormat plain = formatOfText(document, QStringLiteral("Dear diary"));
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(plain.fontPointSize(), 10);
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));

    EXPECT_EQ(formatOfText(document, QStringLiteral("Bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOfText(document, QStringLiteral("italic")).fontItalic());
    EXPECT_TRUE(formatOfText(document, QStringLiteral("underlined")).fontUnderline());
    EXPECT_TRUE(formatOfText(document, QStringLiteral("struck")).fontStrikeOut());
    EXPECT_FALSE(formatOfText(document, QStringLiteral(", ")).fontItalic());

    const QTextCharFormat red = formatOfText(document, QStringLiteral("Centred red"));
    EXPECT_EQ(red.fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(red.fontPointSize(), 14);
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));

    EXPECT_EQ(formatOfText(document, QStringLiteral("Right on blue")).background().color(), QColor(0, 0, 255));
}

TEST(RtfReader, ParagraphFormatsOfWordPadText)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("wordpad.rtf")), document);

    EXPECT_EQ(blockWithText(document, QStringLiteral("Dear")).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(blockWithText(document, QStringLiteral("Centred")).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWithText(document, QStringLiteral("Right on")).blockFormat().alignment(), Qt::AlignRight);

    const QTextBlockFormat justified = blockWithText(document, QStringLiteral("Justified")).blockFormat();
    EXPECT_EQ(justified.alignment(), Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(twips(justified.leftMargin()), 720);
    EXPECT_DOUBLE_EQ(twips(justified.rightMargin()), 360);
    EXPECT_DOUBLE_EQ(twips(justified.textIndent()), -360);
    EXPECT_DOUBLE_EQ(twips(justified.topMargin()), 120);
    EXPECT_DOUBLE_EQ(twips(justified.bottomMargin()), 240);

    const QList<QTextOption::Tab> tabs = blockWithText(document, QStringLiteral("a\tb")).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_DOUBLE_EQ(twips(tabs[0].position), 1440);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(twips(tabs[1].position), 4320);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);

    EXPECT_TRUE(blockWithText(document, QStringLiteral("a\tb")).text().contains(QChar::LineSeparator));
}

TEST(RtfReader, WordDocumentKeepsFontsAndLink)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("word.rtf")), document);

    const QTextCharFormat heading = formatOfText(document, QStringLiteral("Heading"));
    EXPECT_EQ(heading.fontFamilies().toStringList(), QStringList{QStringLiteral("Calibri")});
    EXPECT_EQ(heading.fontPointSize(), 11);
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);

    const QTextCharFormat link = formatOfText(document, QStringLiteral("the page"));
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("https://example.org/page?a=1"));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(link.foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(formatOfText(document, QStringLiteral(", it")).isAnchor());

    const QTextBlockFormat item = blockWithText(document, QStringLiteral("First item")).blockFormat();
    EXPECT_DOUBLE_EQ(twips(item.leftMargin()), 720);
    EXPECT_DOUBLE_EQ(twips(item.textIndent()), -360);
}

TEST(RtfReader, LibreOfficeDocumentKeepsFontsAndColours)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("libreoffice.rtf")), document);

    const QTextCharFormat plain = formatOfText(document, QStringLiteral("Plain serif"));
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
    EXPECT_EQ(plain.fontPointSize(), 12);

    const QTextCharFormat green = formatOfText(document, QStringLiteral("Green"));
    EXPECT_EQ(green.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(green.fontWeight(), QFont::Bold);
    EXPECT_TRUE(green.fontItalic());

    const QTextBlockFormat indented = blockWithText(document, QStringLiteral("Indented")).blockFormat();
    EXPECT_DOUBLE_EQ(twips(indented.leftMargin()), 567);
    EXPECT_DOUBLE_EQ(twips(indented.bottomMargin()), 283);
}

TEST(RtfReader, ColourTableWithoutAutomaticEntryStartsAtIndexZero)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("old-writer.rtf")), document);
    EXPECT_EQ(formatOfText(document, QStringLiteral("Dark red")).foreground().color(), QColor(128, 0, 0));
}

TEST(RtfReader, DefaultFontIsArialTenPointWhenTheRtfNamesNone)
{
    QTextDocument document;
    readRtf("{\\rtf1 hello}", document);
    const QTextCharFormat format = formatOfText(document, QStringLiteral("hello"));
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(format.fontPointSize(), 10);
}

TEST(RtfReader, TablesBecomeQtTables)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("table.rtf")), document);

    QList<QTextTable*> tables;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
            tables.append(table);
    }
    ASSERT_EQ(tables.size(), 1);
    QTextTable* table = tables.first();
    ASSERT_EQ(table->rows(), 2);
    ASSERT_EQ(table->columns(), 3);

    auto cellText = [table](int row, int column) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    };
    EXPECT_EQ(cellText(0, 0), QStringLiteral("A1"));
    EXPECT_EQ(cellText(0, 2), QStringLiteral("C1"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("B2\nsecond line"));
    EXPECT_EQ(cellText(1, 2), QStringLiteral("C2"));
    EXPECT_EQ(formatOfText(document, QStringLiteral("B2")).fontWeight(), QFont::Bold);

    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_DOUBLE_EQ(twips(widths[1].rawValue()), 3000);

    EXPECT_EQ(document.begin().text(), QStringLiteral("Before"));
    EXPECT_EQ(document.lastBlock().previous().text(), QStringLiteral("After"));
}

TEST(RtfReader, RowDefinitionAfterTheCellsStillGivesOneRowPerRow)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("table-late-row-definition.rtf")), document);
    QTextTable* table = nullptr;
    for (auto it = document.rootFrame()->begin(); !it.atEnd() && !table; ++it)
        table = qobject_cast<QTextTable*>(it.currentFrame());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("four"));
}

TEST(RtfReader, PngAndJpegPicturesBecomeImagesWithTheirSizes)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("picture.rtf")), document);

    QList<QTextImageFormat> images;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            images.append(it.fragment().charFormat().toImageFormat());
    }
    ASSERT_EQ(images.size(), 3) << "the metafile and the non-shape copy are not shown";

    // \picwgoal600 \pichgoal450 scaled to 50% across: 20 by 30 pixels.
    EXPECT_DOUBLE_EQ(images[0].width(), 20);
    EXPECT_DOUBLE_EQ(images[0].height(), 30);
    const QImage png = document.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(png.size(), QSize(4, 3));
    EXPECT_EQ(png.pixelColor(0, 0), QColor(255, 0, 0));

    const QImage jpeg = document.resource(QTextDocument::ImageResource, QUrl(images[1].name())).value<QImage>();
    EXPECT_EQ(jpeg.size(), QSize(6, 2));
    EXPECT_DOUBLE_EQ(images[1].width(), 6);

    EXPECT_EQ(images[2].name(), images[0].name()) << "the same picture given as binary data";
}

// Word processors store pasted pictures as bare bitmaps or as metafiles that draw one.
TEST(RtfReader, BitmapAndMetafilePicturesBecomeImages)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("picture-bitmap.rtf")), document);

    QList<QTextImageFormat> images;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            images.append(it.fragment().charFormat().toImageFormat());
    }
    ASSERT_EQ(images.size(), 2) << "the broken pictures are left out";
    for (const QTextImageFormat& format : images) {
        const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        EXPECT_EQ(image.size(), QSize(3, 2));
        EXPECT_EQ(image.pixelColor(2, 1), QColor(0, 160, 0));
    }
    EXPECT_DOUBLE_EQ(images[0].width(), 6);
    EXPECT_DOUBLE_EQ(images[1].width(), 30);
    EXPECT_DOUBLE_EQ(images[1].height(), 20);
}

TEST(RtfReader, HyperlinkFieldsBecomeAnchors)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("hyperlink.rtf")), document);
    EXPECT_EQ(formatOfText(document, QStringLiteral("the site")).anchorHref(), QStringLiteral("http://example.com/a b"));
    EXPECT_EQ(formatOfText(document, QStringLiteral("here")).anchorHref(), QStringLiteral("#mark"));
    EXPECT_FALSE(formatOfText(document, QStringLiteral("7")).isAnchor());
    EXPECT_FALSE(formatOfText(document, QStringLiteral("Visit")).isAnchor());
}

TEST(RtfReader, PageBreaksBreakBeforeTheFollowingParagraph)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("page-break.rtf")), document);
    auto breaksBefore = [&document](const QString& text) {
        return bool(blockWithText(document, text).blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    };
    EXPECT_FALSE(breaksBefore(QStringLiteral("First")));
    EXPECT_TRUE(breaksBefore(QStringLiteral("Second")));
    EXPECT_FALSE(breaksBefore(QStringLiteral("Third")));
    EXPECT_TRUE(breaksBefore(QStringLiteral("Fourth")));
}

TEST(RtfReader, ReplacesTheDocumentsContentAndLeavesItUnmodified)
{
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("old text"));
    readRtf("{\\rtf1 new}", document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("new"));
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST(RtfReader, TruncatedInputKeepsWhatWasRead)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("truncated.rtf")), document);
    const QTextCharFormat cut = formatOfText(document, QStringLiteral("cut off"));
    EXPECT_EQ(cut.fontWeight(), QFont::Bold);
    EXPECT_EQ(cut.foreground().color(), QColor(255, 0, 0));
}

struct MalformedCase {
    const char* name;
    QByteArray rtf;
    QString text;
};

void PrintTo(const MalformedCase& malformedCase, std::ostream* out)
{
    *out << malformedCase.name;
}

QByteArray deeplyNested(int depth)
{
    return "{\\rtf1 a" + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " end}";
}

class RtfMalformedInput : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(RtfMalformedInput, BothPathsReadWhatTheyCan)
{
    EXPECT_EQ(rtfToPlainText(GetParam().rtf), GetParam().text);
    EXPECT_EQ(documentText(GetParam().rtf), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfMalformedInput,
    ::testing::Values(
        MalformedCase{"empty", "", ""},
        MalformedCase{"only the opening", "{\\rtf1", ""},
        MalformedCase{"missing closing braces", "{\\rtf1 {\\b one\\par {two", "one\ntwo"},
        MalformedCase{"nested a hundred thousand deep", deeplyNested(100000), "adeep end"},
        MalformedCase{"unclosed nesting", "{\\rtf1 x" + QByteArray(100000, '{') + "y", "xy"},
        MalformedCase{"huge numbers", "{\\rtf1\\fs99999999999999999999\\li-99999999999999 a\\u99999999999 b"
                                      "\\uc2147483647 c\\'zz d}",
                      "aczz d"},
        MalformedCase{"binary longer than the file", "{\\rtf1 a\\bin2147483647 bcd}", "a"},
        MalformedCase{"negative binary length", "{\\rtf1 a\\bin-5 b}", "ab"},
        MalformedCase{"lone backslash at the end", "{\\rtf1 a\\", "a"},
        MalformedCase{"control word at the end", "{\\rtf1 a\\par", "a\n"},
        MalformedCase{"picture without data", "{\\rtf1 a{\\pict\\pngblip}b}", "ab"},
        MalformedCase{"broken png", "{\\rtf1 a{\\pict\\pngblip 89504e470d0a1a0a0000ffff74455874}b}", "ab"},
        MalformedCase{"unicode frame markers", "{\\rtf1 a\\u-560?\\u-559?\\u-4?\\u8233?b\\u0?}",
                      "a\nb"},
        MalformedCase{"cells outside a table", "{\\rtf1 a\\cell b\\row c}", "a\tb\nc"},
        MalformedCase{"destination words inside a group's text", "{\\rtf1 a \\info b\\*\\foo c{\\b \\fonttbl d}}",
                      "a bcd"},
        MalformedCase{"text after the document", "{\\rtf1 a}{\\rtf1 b}", "a"}));

TEST(RtfMalformedInput, RandomBytesNeverStopTheReader)
{
    QRandomGenerator generator(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes = "{\\rtf1 ";
        const int length = generator.bounded(4096);
        static const char alphabet[] = "{}\\'abuc0123456789-; \r\n\x80\xff";
        for (int i = 0; i < length; ++i) {
            bytes.append(generator.bounded(4) == 0 ? char(generator.bounded(256))
                                                   : alphabet[generator.bounded(int(sizeof alphabet) - 1)]);
        }
        rtfToPlainText(bytes);
        QTextDocument document;
        readRtf(bytes, document);
    }
}

// Every input the fuzzer found a fault with stays here. Each must read on both paths, and writing the
// document and reading it again must give the same text, as the fuzz target demands.
TEST(RtfFuzzRegressions, FoundInputsReadCleanlyAndSurviveAWriteAndRead)
{
    const QDir folder(fixturePath(QStringLiteral("fuzz")));
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray rtf = readFixture(QStringLiteral("fuzz/") + file);
        rtfToPlainText(rtf);
        QTextDocument document;
        readRtf(rtf, document);
        QTextDocument reread;
        readRtf(writeRtf(document), reread);
        EXPECT_EQ(reread.toPlainText(), document.toPlainText());
    }
}

// The picture's PNG declares a text chunk of gigabytes; the decoder would reserve that much before
// finding out. Such a picture is left out.
TEST(RtfFuzzRegressions, PngWhoseChunkRunsPastTheDataIsNotDecoded)
{
    QTextDocument document;
    readRtf(readFixture(QStringLiteral("fuzz/png-chunk-claims-gigabytes.rtf")), document);
    for (auto it = document.begin().begin(); !it.atEnd(); ++it)
        EXPECT_FALSE(it.fragment().charFormat().isImageFormat());
}

}
