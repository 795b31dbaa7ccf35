#include "editor_case_name.h"
#include "print/RichTextEditor.h"

#include <QCoreApplication>
#include <QImage>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>

using dayvell::editor::RichTextEditor;

namespace {

// Every format the toolbar and the document-building operations set must come back after the
// entry has been stored as RTF and loaded again.
struct FormatCase {
    const char* name;
    std::function<void(RichTextEditor&)> format;  // applied to the word "styled"
    std::function<bool(const QTextCharFormat&, const QTextBlockFormat&)> kept;
};

QTextCharFormat with(std::function<void(QTextCharFormat&)> set)
{
    QTextCharFormat format;
    set(format);
    return format;
}

const FormatCase kFormatCases[] = {
    {"bold", [](RichTextEditor& e) { e.applyCharFormat(with([](auto& f) { f.setFontWeight(QFont::Bold); })); },
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontWeight() == QFont::Bold; }},
    {"italic", [](RichTextEditor& e) { e.applyCharFormat(with([](auto& f) { f.setFontItalic(true); })); },
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontItalic(); }},
    {"underline", [](RichTextEditor& e) { e.applyCharFormat(with([](auto& f) { f.setFontUnderline(true); })); },
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontUnderline(); }},
    {"size", [](RichTextEditor& e) { e.applyCharFormat(with([](auto& f) { f.setFontPointSize(18); })); },
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontPointSize() == 18; }},
    {"colour", [](RichTextEditor& e) {
         e.applyCharFormat(with([](auto& f) { f.setForeground(QColor(0x80, 0x00, 0x80)); }));
     },
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.foreground().color() == QColor(0x80, 0x00, 0x80); }},
    {"font", [](RichTextEditor& e) {
         e.applyCharFormat(with([](auto& f) { f.setFontFamilies(QStringList{QStringLiteral("Courier New")}); }));
     },
     [](const QTextCharFormat& c, const QTextBlockFormat&) {
         return c.fontFamilies().toStringList().value(0) == QStringLiteral("Courier New");
     }},
    {"centred", [](RichTextEditor& e) { e.applyAlignment(Qt::AlignHCenter); },
     [](const QTextCharFormat&, const QTextBlockFormat& b) { return bool(b.alignment() & Qt::AlignHCenter); }},
    {"right", [](RichTextEditor& e) { e.applyAlignment(Qt::AlignRight); },
     [](const QTextCharFormat&, const QTextBlockFormat& b) { return bool(b.alignment() & Qt::AlignRight); }},
    {"strike out by append", [](RichTextEditor& e) {
         e.clear();
         e.appendParagraph(QStringLiteral("styled"), e.fontNumber(QStringLiteral("Times New Roman")), 8, 12);
     },
     [](const QTextCharFormat& c, const QTextBlockFormat&) {
         return c.fontStrikeOut() && c.fontPointSize() == 12 &&
                c.fontFamilies().toStringList().value(0) == QStringLiteral("Times New Roman");
     }},
};

class FormatsSurviveRtf : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatsSurviveRtf, AfterSavingAndLoading)
{
    RichTextEditor writer;
    writer.insertText(QStringLiteral("styled"));
    writer.setSelection(0, 6);
    GetParam().format(writer);

    RichTextEditor reader;
    reader.loadRtf(writer.rtf());
    ASSERT_EQ(reader.toPlainText(), QStringLiteral("styled"));
    QTextCursor inside(reader.document());
    inside.setPosition(3);
    EXPECT_TRUE(GetParam().kept(inside.charFormat(), inside.blockFormat())) << writer.rtf().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatsSurviveRtf, ::testing::ValuesIn(kFormatCases), caseName<FormatCase>);

TEST(FormatsSurviveRtf, MergedDocumentKeepsEachEntrysLook)
{
    RichTextEditor entry;
    entry.insertText(QStringLiteral("centred entry"));
    entry.setSelection(0, 0);
    entry.applyAlignment(Qt::AlignHCenter);

    RichTextEditor merged;
    merged.appendParagraph(QStringLiteral("Friday, 11 December 2026"), merged.fontNumber(QStringLiteral("arial")), 3, 10);
    merged.fastAppend(entry);

    RichTextEditor reader;
    reader.loadRtf(merged.rtf());
    ASSERT_EQ(reader.toPlainText(), QStringLiteral("Friday, 11 December 2026\ncentred entry"));
    const QTextBlock heading = reader.document()->firstBlock();
    EXPECT_FALSE(heading.blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(heading.next().blockFormat().alignment() & Qt::AlignHCenter);
    QTextCursor inHeading(heading);
    inHeading.setPosition(2);
    EXPECT_EQ(inHeading.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(inHeading.charFormat().fontItalic());
}

}  // namespace

// An entry loaded into an editor that is already on screen must be painted, not only held:
// moving between dates loads into the visible editor, and a page that looks empty invites
// the user to type over an entry that is still there.
TEST(EditorRtfDisplay, TextLoadedIntoAVisibleEditorIsPainted)
{
    RichTextEditor editor;
    editor.resize(400, 200);
    editor.show();
    QCoreApplication::processEvents();

    const auto darkPixels = [&editor] {
        const QImage image = editor.viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) < 100;
        return count;
    };

    // As this program writes an entry: an empty colour table, the text in a group of its own.
    const QByteArray entry = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1 \r\n{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                             "{\\colortbl;}\r\n\r\n\\pard\\plain\\f0\\fs20{\\plain\\f0\\fs20 Dear diary, a visible line.}}\r\n";
    for (int load = 1; load <= 2; ++load) {
        editor.clear();
        editor.loadRtf(entry);
        QCoreApplication::processEvents();
        EXPECT_GT(darkPixels(), 100) << "load " << load;
    }
}
