#include "editor_case_name.h"
#include "print/EditorError.h"
#include "print/PageLayout.h"
#include "print/RichTextEditor.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

using dayvell::editor::EditorError;
using dayvell::editor::PageLayout;
using dayvell::editor::RichTextEditor;

namespace {

QTextCharFormat formatAt(const RichTextEditor& editor, int position)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(position + 1);  // the format of the character before the cursor
    return cursor.charFormat();
}

QStringList paragraphs(const RichTextEditor& editor)
{
    return editor.toPlainText().split(QLatin1Char('\n'));
}

TEST(FontTable, NumbersNamesIgnoringCaseAndAddsMissingOnes)
{
    RichTextEditor editor;
    EXPECT_EQ(editor.fontNumber(QStringLiteral("Arial")), 0);
    EXPECT_EQ(editor.fontNumber(QStringLiteral("arial")), 0);
    EXPECT_EQ(editor.fontNumber(QStringLiteral("Times New Roman")), 1);
    EXPECT_EQ(editor.fontNumber(QStringLiteral("TIMES NEW ROMAN")), 1);
    EXPECT_EQ(editor.fontTable().size(), 2);
}

TEST(FontTable, HoldsAtMost99Names)
{
    RichTextEditor editor;
    for (int i = 1; i < 99; ++i)
        EXPECT_EQ(editor.fontNumber(QStringLiteral("Font %1").arg(i)), i);
    EXPECT_THROW(editor.fontNumber(QStringLiteral("One too many")), EditorError);
    EXPECT_EQ(editor.fontNumber(QStringLiteral("font 98")), 98);
    EXPECT_EQ(editor.fontTable().size(), 99);
}

TEST(FontTable, NamesHaveOneTo31Characters)
{
    RichTextEditor editor;
    EXPECT_EQ(editor.fontNumber(QString(31, QLatin1Char('F'))), 1);
    EXPECT_THROW(editor.fontNumber(QString(32, QLatin1Char('G'))), EditorError);
    EXPECT_THROW(editor.fontNumber(QString()), EditorError);
    EXPECT_EQ(editor.fontTable().size(), 2);
}

TEST(FontTable, LoadingListsTheDocumentsFontsAndForgetsOldOnes)
{
    RichTextEditor editor;
    editor.fontNumber(QStringLiteral("Old Font"));
    editor.loadRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f1 typed\\par}");
    EXPECT_EQ(editor.fontTable().names(), (QStringList{QStringLiteral("Arial"), QStringLiteral("Courier New")}));
}

struct StyleCase {
    const char* name;
    int bits;
    bool bold, italic, underline, strikeOut;
};

const StyleCase kStyleCases[] = {
    {"none", 0, false, false, false, false},
    {"bold", 1, true, false, false, false},
    {"italic", 2, false, true, false, false},
    {"underline", 4, false, false, true, false},
    {"strike out", 8, false, false, false, true},
    {"bold italic", 3, true, true, false, false},
    {"all", 15, true, true, true, true},
};

class AppendParagraph : public ::testing::TestWithParam<StyleCase> {};

TEST_P(AppendParagraph, CarriesFontSizeAndStyleBits)
{
    const StyleCase& c = GetParam();
    RichTextEditor editor;
    const int times = editor.fontNumber(QStringLiteral("Times New Roman"));
    editor.appendParagraph(QStringLiteral("Heading"), times, c.bits, 14);
    const QTextCharFormat format = formatAt(editor, 0);
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(format.fontPointSize(), 14);
    EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold);
    EXPECT_EQ(format.fontItalic(), c.italic);
    EXPECT_EQ(format.fontUnderline(), c.underline);
    EXPECT_EQ(format.fontStrikeOut(), c.strikeOut);
}

INSTANTIATE_TEST_SUITE_P(StyleBits, AppendParagraph, ::testing::ValuesIn(kStyleCases), caseName<StyleCase>);

TEST(AppendParagraph, FillsAnEmptyDocumentThenAddsParagraphs)
{
    RichTextEditor editor;
    editor.appendParagraph(QStringLiteral(" "), 0, 0, 10);
    editor.appendParagraph(QStringLiteral("Friday, 11 December 2026"), 0, 3, 10);
    editor.appendParagraph(QStringLiteral(" "), 0, 0, 10);
    EXPECT_EQ(paragraphs(editor),
              (QStringList{QStringLiteral(" "), QStringLiteral("Friday, 11 December 2026"), QStringLiteral(" ")}));
    EXPECT_EQ(formatAt(editor, 2).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(editor, 0).fontWeight(), QFont::Bold);
}

TEST(AppendParagraph, DoesNotInheritThePreviousParagraphsLook)
{
    RichTextEditor editor;
    editor.insertText(QStringLiteral("centred and big"));
    editor.setSelection(0, 100);
    QTextCharFormat big;
    big.setFontPointSize(30);
    editor.applyCharFormat(big);
    editor.applyAlignment(Qt::AlignHCenter);
    editor.appendParagraph(QStringLiteral("plain"), 0, 0, 10);
    const QTextBlock last = editor.document()->lastBlock();
    EXPECT_FALSE(last.blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_EQ(formatAt(editor, last.position()).fontPointSize(), 10);
}

struct BadAppendCase {
    const char* name;
    int fontNumber;
    int bits;
    int size;
};

const BadAppendCase kBadAppendCases[] = {
    {"font not in the table", 7, 0, 10},
    {"negative font number", -1, 0, 10},
    {"unknown style bit", 0, 16, 10},
    {"zero size", 0, 0, 0},
};

class AppendParagraphRefuses : public ::testing::TestWithParam<BadAppendCase> {};

TEST_P(AppendParagraphRefuses, BadFormatsAndKeepsTheDocument)
{
    RichTextEditor editor;
    editor.insertText(QStringLiteral("before"));
    const BadAppendCase& c = GetParam();
    EXPECT_THROW(editor.appendParagraph(QStringLiteral("x"), c.fontNumber, c.bits, c.size), EditorError);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before"));
}

INSTANTIATE_TEST_SUITE_P(Formats, AppendParagraphRefuses, ::testing::ValuesIn(kBadAppendCases),
                         caseName<BadAppendCase>);

class FastAppend : public ::testing::Test {
protected:
    void SetUp() override
    {
        // "Alpha" bold and centred, "Beta" italic.
        QTextCursor cursor(source.document());
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Alpha"), bold);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        cursor.insertBlock(QTextBlockFormat(), italic);
        cursor.insertText(QStringLiteral("Beta"), italic);
    }

    RichTextEditor source;
    RichTextEditor target;
};

TEST_F(FastAppend, AddsTheParagraphsWithTheirFormats)
{
    target.insertText(QStringLiteral("Start"));
    target.fastAppend(source);
    ASSERT_EQ(paragraphs(target), (QStringList{QStringLiteral("Start"), QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    const QTextBlock alpha = target.document()->findBlockByNumber(1);
    EXPECT_TRUE(alpha.blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_EQ(formatAt(target, alpha.position()).fontWeight(), QFont::Bold);
    const QTextBlock beta = alpha.next();
    EXPECT_FALSE(beta.blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(formatAt(target, beta.position()).fontItalic());
    EXPECT_FALSE(target.document()->firstBlock().blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_EQ(source.toPlainText(), QStringLiteral("Alpha\nBeta"));
}

TEST_F(FastAppend, IntoAnEmptyDocumentAddsNoBlankParagraph)
{
    target.fastAppend(source);
    EXPECT_EQ(paragraphs(target), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_TRUE(target.document()->firstBlock().blockFormat().alignment() & Qt::AlignHCenter);
}

TEST_F(FastAppend, OfItselfFails)
{
    try {
        source.fastAppend(source);
        FAIL() << "appending an editor to itself succeeded";
    } catch (const EditorError& error) {
        EXPECT_STREQ(error.what(), "Cannot perform FastAppendText(self)");
    }
    EXPECT_EQ(source.toPlainText(), QStringLiteral("Alpha\nBeta"));
}

QImage filled(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void insertPicture(RichTextEditor& editor, const QString& name, QColor colour)
{
    editor.document()->addResource(QTextDocument::ImageResource, QUrl(name), filled(colour));
    QTextCursor cursor(editor.document());
    cursor.movePosition(QTextCursor::End);
    QTextImageFormat picture;
    picture.setName(name);
    cursor.insertImage(picture);
}

QList<QColor> pictureColours(const RichTextEditor& editor)
{
    QList<QColor> colours;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const auto image =
                    editor.document()->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
                colours.append(image.pixelColor(0, 0));
            }
    return colours;
}

TEST(FastAppendPictures, PicturesOfTheSameNameStayApart)
{
    RichTextEditor first;
    insertPicture(first, QStringLiteral("picture1"), Qt::red);
    RichTextEditor second;
    insertPicture(second, QStringLiteral("picture1"), Qt::blue);
    RichTextEditor merged;
    merged.fastAppend(first);
    merged.fastAppend(second);
    EXPECT_EQ(pictureColours(merged), (QList<QColor>{QColor(Qt::red), QColor(Qt::blue)}));
}

struct LayoutCase {
    const char* name;
    int values[6];  // left, right, top, bottom, width, height
    PageLayout expected;
};

const LayoutCase kLayoutCases[] = {
    {"all kept", {-1000, -1000, -1000, -1000, -1000, -1000}, PageLayout{}},
    {"left only", {720, -1000, -1000, -1000, -1000, -1000}, PageLayout{720, 1440, 1440, 1440, 12240, 15840}},
    {"A4 page", {-1000, -1000, -1000, -1000, 11906, 16838}, PageLayout{1440, 1440, 1440, 1440, 11906, 16838}},
    {"all set", {1, 2, 3, 4, 5000, 6000}, PageLayout{1, 2, 3, 4, 5000, 6000}},
    {"zero margins", {0, 0, 0, 0, -1000, -1000}, PageLayout{0, 0, 0, 0, 12240, 15840}},
};

class PageLayoutSetting : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayoutSetting, MinusThousandKeepsAValue)
{
    RichTextEditor editor;
    const auto& v = GetParam().values;
    editor.setPageLayout(v[0], v[1], v[2], v[3], v[4], v[5]);
    EXPECT_EQ(editor.pageLayout(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, PageLayoutSetting, ::testing::ValuesIn(kLayoutCases), caseName<LayoutCase>);

const LayoutCase kBadLayoutCases[] = {
    {"negative margin", {-1, -1000, -1000, -1000, -1000, -1000}, {}},
    {"negative page", {-1000, -1000, -1000, -1000, -1000, -5}, {}},
    {"margins wider than the page", {6000, 6240, -1000, -1000, -1000, -1000}, {}},
    {"margins taller than the page", {-1000, -1000, 8000, 8000, -1000, -1000}, {}},
    {"margins beyond any paper", {2147483647, 2147483647, -1000, -1000, -1000, -1000}, {}},
};

class PageLayoutRefusal : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayoutRefusal, LeavesTheLayoutAsItWas)
{
    RichTextEditor editor;
    editor.setPageLayout(720, -1000, -1000, -1000, -1000, -1000);
    const PageLayout before = editor.pageLayout();
    const auto& v = GetParam().values;
    EXPECT_THROW(editor.setPageLayout(v[0], v[1], v[2], v[3], v[4], v[5]), EditorError);
    EXPECT_EQ(editor.pageLayout(), before);
}

INSTANTIATE_TEST_SUITE_P(Values, PageLayoutRefusal, ::testing::ValuesIn(kBadLayoutCases), caseName<LayoutCase>);

TEST(TakeOver, CopiesFontTableLayoutAndDefaults)
{
    RichTextEditor visible;
    visible.fontNumber(QStringLiteral("Courier New"));
    visible.setPageLayout(500, 600, 700, 800, 11906, 16838);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setPointSize(12);
    visible.document()->setDefaultFont(serif);

    RichTextEditor hidden;
    hidden.takeOver(visible);
    EXPECT_EQ(hidden.fontNumber(QStringLiteral("courier new")), 1);
    EXPECT_EQ(hidden.fontTable().size(), 2);
    EXPECT_EQ(hidden.pageLayout(), visible.pageLayout());
    EXPECT_EQ(hidden.document()->defaultFont(), serif);
}

TEST(TakeOver, KeepsFontNumbersGivenOutBefore)
{
    RichTextEditor visible;
    visible.loadRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Verdana;}}\\f1 entry\\par}");
    RichTextEditor merged;
    const int heading = merged.fontNumber(QStringLiteral("arial"));
    merged.takeOver(visible);
    merged.appendParagraph(QStringLiteral("Heading"), heading, 3, 10);
    EXPECT_EQ(formatAt(merged, 0).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_GE(merged.fontNumber(QStringLiteral("verdana")), 1);
    EXPECT_GE(merged.fontNumber(QStringLiteral("times new roman")), 1);
    EXPECT_EQ(merged.fontTable().size(), 3);
}

}  // namespace
