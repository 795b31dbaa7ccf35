#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"
#include "rtf_test_support.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace dayvell::rtf;
using namespace dayvell::rtf::testing;

namespace {

QTextDocument* newDocument(QObject* parent = nullptr)
{
    auto* document = new QTextDocument(parent);
    document->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    return document;
}

QByteArray writeText(const QString& text)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCursor(document.get()).insertText(text);
    return writeRtf(*document);
}

TEST(RtfWriter, StartsWithTheHeaderAndTablesOtherReadersExpect)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontFamilies({QStringLiteral("Times New Roman")});
    QTextCursor(document.get()).insertText(QStringLiteral("x"), red);

    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New Roman;}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;}")) << rtf.constData();
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
}

struct EscapeCase {
    const char* name;
    QString text;
    QByteArray expected;
};

void PrintTo(const EscapeCase& escapeCase, std::ostream* out)
{
    *out << escapeCase.name;
}

class RtfWriterEscapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(RtfWriterEscapes, WritesTheCharacterAsReadersExpectIt)
{
    const QByteArray rtf = writeText(GetParam().text);
    EXPECT_TRUE(rtf.contains(GetParam().expected)) << rtf.constData();
    for (const char byte : rtf)
        ASSERT_LT(static_cast<unsigned char>(byte), 0x80) << "RTF is written in ASCII";
}

INSTANTIATE_TEST_SUITE_P(
    Characters, RtfWriterEscapes,
    ::testing::Values(EscapeCase{"backslash", QStringLiteral("a\\b"), "a\\\\b"},
                      EscapeCase{"braces", QStringLiteral("{x}"), "\\{x\\}"},
                      EscapeCase{"tab", QStringLiteral("a\tb"), "a\\tab b"},
                      EscapeCase{"line break", QStringLiteral("a\u2028b"), "a\\line b"},
                      EscapeCase{"no-break space", QStringLiteral("a\u00a0b"), "a\\~b"},
                      EscapeCase{"Latin-1 letter with its 1252 byte", QStringLiteral("\u00e9"), "\\u233\\'e9"},
                      EscapeCase{"1252 punctuation", QStringLiteral("\u20ac\u2019"), "\\u8364\\'80\\u8217\\'92"},
                      EscapeCase{"letter outside 1252", QStringLiteral("\u03b1"), "\\u945?"},
                      EscapeCase{"negative N above 32767", QStringLiteral("\uf000"), "\\u-4096?"},
                      EscapeCase{"surrogate pair", QStringLiteral("\U0001F600"), "\\u-10179?\\u-8704?"},
                      EscapeCase{"space after a control word kept", QStringLiteral("\t x"), "\\tab  x"}));

TEST(RtfWriter, KeepsLinesShortWithCrLfAndTheTextIntact)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCursor cursor(document.get());
    QString words;
    for (int i = 0; i < 500; ++i)
        words += QStringLiteral("word%1 ").arg(i);
    cursor.insertText(words);
    cursor.insertBlock();
    cursor.insertText(QString(3000, u'x') + QStringLiteral("\u00e9\u00e9\u00e9"));
    cursor.insertBlock();
    QImage noise(64, 64, QImage::Format_RGB32);
    QRandomGenerator generator(7);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, generator.generate());
    }
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("noise")), noise);
    cursor.insertImage(QStringLiteral("noise"));

    const QByteArray rtf = writeRtf(*document);
    const QList<QByteArray> lines = rtf.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        ASSERT_TRUE(lines[i].endsWith('\r')) << "line " << i;
        ASSERT_LE(lines[i].size(), 256) << "line " << i;
    }

    QTextDocument reread;
    readRtf(rtf, reread);
    EXPECT_EQ(reread.toPlainText(), document->toPlainText());
}

TEST(RtfWriter, ListItemsKeepTheirMarkersAsText)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCursor cursor(document.get());
    cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertText(QStringLiteral("one"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(QStringLiteral("dot"));

    QTextDocument reread;
    readRtf(writeRtf(*document), reread);
    EXPECT_EQ(reread.toPlainText(), QStringLiteral("1.\tone\n2.\ttwo\n\u2022\tdot"));
}

struct FontCase {
    const char* name;
    std::function<void(QTextCharFormat&)> setUp;
    QByteArray expected;
};

void PrintTo(const FontCase& fontCase, std::ostream* out)
{
    *out << fontCase.name;
}

class RtfWriterFonts : public ::testing::TestWithParam<FontCase> {};

// Formats pasted from elsewhere name their font and size in other properties than the editor's own.
TEST_P(RtfWriterFonts, WritesTheFontAndSizeInEffect)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCharFormat format;
    GetParam().setUp(format);
    QTextCursor(document.get()).insertText(QStringLiteral("x"), format);
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains(GetParam().expected)) << rtf.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RtfWriterFonts,
    ::testing::Values(
        FontCase{"document default", [](QTextCharFormat&) {}, "{\\plain\\f0\\fs20 x}"},
        FontCase{"point size", [](QTextCharFormat& f) { f.setFontPointSize(10.5); }, "\\fs21 x"},
        FontCase{"pixel size", [](QTextCharFormat& f) { f.setProperty(QTextFormat::FontPixelSize, 16); },
                 "\\fs24 x"},
        FontCase{"family list", [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Georgia")}); },
                 "\\f1\\fs20 x"},
        FontCase{"single family", [](QTextCharFormat& f) { f.setProperty(QTextFormat::FontFamily, QStringLiteral("Georgia")); },
                 "\\f1\\fs20 x"}));

// unrtf is a reader written independently of ours; what it makes of our RTF shows that others can read it.
class RtfWriterWithUnrtf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty())
            GTEST_SKIP() << "unrtf is not installed";
        ASSERT_TRUE(m_folder.isValid());
    }

    QString unrtf(const QByteArray& rtf, const QString& mode)
    {
        const QString path = m_folder.filePath(QStringLiteral("entry.rtf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rtf);
        file.close();
        QProcess process;
        process.start(QStringLiteral("unrtf"), {QStringLiteral("--nopict"), mode, path});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        // unrtf writes its text in Latin-1 and shows characters outside it as '?'.
        return QString::fromLatin1(process.readAllStandardOutput());
    }

    QTemporaryDir m_folder;
};

QByteArray sampleEntry()
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCursor cursor(document.get());
    cursor.insertText(QStringLiteral("Plain start, "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("bold words"), bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.insertText(QStringLiteral(" and italic"), italic);
    cursor.insertBlock();
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    cursor.insertText(QStringLiteral("Underlined {braces} back\\slash"), underline);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Caf\u00e9 \u20ac5 na\u00efve"));
    return writeRtf(*document);
}

TEST_F(RtfWriterWithUnrtf, TextModeShowsEveryWordOfTheEntry)
{
    const QString text = unrtf(sampleEntry(), QStringLiteral("--text"));
    for (const QString& expected : {QStringLiteral("Plain start, bold words and italic"),
                                    QStringLiteral("Underlined {braces} back\\slash"),
                                    QStringLiteral("Caf\u00e9 "), QStringLiteral(" na\u00efve")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " missing from:\n" << text.toStdString();
}

TEST_F(RtfWriterWithUnrtf, HtmlModeShowsTheCharacterFormats)
{
    const QString html = unrtf(sampleEntry(), QStringLiteral("--html"));
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<b>bold words</b>")))) << html.toStdString();
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<i> and italic</i>")))) << html.toStdString();
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<u>Underlined")))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Caf&eacute; &euro;5 na&iuml;ve"))) << html.toStdString();
}

TEST_F(RtfWriterWithUnrtf, HtmlModeShowsTablesAsTables)
{
    std::unique_ptr<QTextDocument> document(newDocument());
    QTextCursor cursor(document.get());
    cursor.insertText(QStringLiteral("before"));
    QTextTable* table = cursor.insertTable(2, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("top left"));
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("bottom right"));

    const QString html = unrtf(writeRtf(*document), QStringLiteral("--html"));
    EXPECT_EQ(html.count(QStringLiteral("<table")), 1) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<tr>")), 2) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<td>")), 4) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("bottom right"))) << html.toStdString();
}

}
