#include "editor_case_name.h"
#include "print/EditorError.h"
#include "print/RichTextEditor.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

using dayvell::editor::EditorError;
using dayvell::editor::RichTextEditor;

namespace {

struct FindCase {
    const char* name;
    const char* text;
    const char* pattern;
    const char* selected;  // nullptr: not found
};

const FindCase kFindCases[] = {
    {"plain", "Hello World", "World", "World"},
    {"case ignored", "Hello World", "wORLD", "World"},
    {"accented capitals", "Un café noir", "CAFÉ", "café"},
    {"star inside", "Hello World", "lo*or", "lo Wor"},
    {"star spans a paragraph only", "Hello World", "h*d", "Hello World"},
    {"star does not cross paragraphs", "first line\nsecond line", "line*second", nullptr},
    {"leading star reaches back to the paragraph start", "Hello", "*ll", "Hell"},
    {"trailing star reaches to the paragraph end", "Hello", "e*", "ello"},
    {"star alone selects the first paragraph with text", "\n\nsome text\nmore", "*", "some text"},
    {"star alone in an empty document", "", "*", nullptr},
    {"stars alone in blank paragraphs", "\n\n", "**", nullptr},
    {"empty pattern", "Hello", "", nullptr},
    {"missing", "Hello World", "Worlds", nullptr},
    {"pieces in the wrong order", "alpha beta", "beta*alpha", nullptr},
    {"first match in document order", "no\none two\none", "one", "one"},
    {"later paragraph", "first\nsecond line", "SECOND", "second"},
};

class FindFromStart : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindFromStart, SelectsTheFirstMatch)
{
    const FindCase& c = GetParam();
    RichTextEditor editor;
    editor.insertText(QString::fromUtf8(c.text));  // leaves the caret at the end
    const bool found = editor.findFromStart(QString::fromUtf8(c.pattern));
    EXPECT_EQ(found, c.selected != nullptr);
    if (c.selected) {
        EXPECT_EQ(editor.selectedText(), QString::fromUtf8(c.selected));
    }
}

INSTANTIATE_TEST_SUITE_P(Patterns, FindFromStart, ::testing::ValuesIn(kFindCases), caseName<FindCase>);

TEST(FindFromStart, FindsTheFirstOfRepeatedWordsWhereverTheCaretIs)
{
    RichTextEditor editor;
    editor.insertText(QStringLiteral("one two one"));
    editor.setSelection(9, 0);
    ASSERT_TRUE(editor.findFromStart(QStringLiteral("one")));
    EXPECT_EQ(editor.textCursor().selectionStart(), 0);
}

TEST(FindFromStart, SearchTextIsLimitedTo256Characters)
{
    RichTextEditor editor;
    editor.insertText(QString(300, QLatin1Char('a')));
    EXPECT_TRUE(editor.findFromStart(QString(256, QLatin1Char('a'))));
    EXPECT_THROW(editor.findFromStart(QString(257, QLatin1Char('a'))), EditorError);
}

struct WalkCase {
    const char* name;
    const char* text;
    std::vector<const char*> words;
};

const WalkCase kWalkCases[] = {
    {"punctuation", "Hello, world! (yes)", {"Hello", "world", "yes"}},
    {"apostrophe inside", "don't stop", {"don't", "stop"}},
    {"apostrophes never start a word", "'tis the 'season'", {"tis", "the", "season'"}},
    {"several apostrophes", "rock'n'roll", {"rock'n'roll"}},
    {"typographic apostrophe", "it\u2019s", {"it\u2019s"}},
    {"accented Latin-1 letters", "café naïve Ærø straße", {"café", "naïve", "Ærø", "straße"}},
    {"digits split words", "abc123def 4x4 2026", {"abc", "def", "x"}},
    {"times and divide are no letters", "x×y ÷z", {"x", "y", "z"}},
    {"letters outside Latin-1 split words", "Łódź", {"ód"}},
    {"paragraphs and tabs", "first\nsecond\tthird", {"first", "second", "third"}},
    {"empty document", "", {}},
    {"no letters", "... 42 !! ''", {}},
};

class WordWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WordWalk, ReturnsEveryWordThenEmpty)
{
    RichTextEditor editor;
    editor.insertText(QString::fromUtf8(GetParam().text));
    editor.restartWordWalk();
    for (const char* word : GetParam().words)
        EXPECT_EQ(editor.nextWord(), QString::fromUtf8(word));
    EXPECT_EQ(editor.nextWord(), QString());
    EXPECT_EQ(editor.nextWord(), QString());
}

INSTANTIATE_TEST_SUITE_P(Texts, WordWalk, ::testing::ValuesIn(kWalkCases), caseName<WalkCase>);

class WordWalkEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.insertText(QStringLiteral("one two three"));
        editor.restartWordWalk();
    }
    RichTextEditor editor;
};

TEST_F(WordWalkEditing, MarkSelectsTheWordWithTheCaretAfterIt)
{
    editor.nextWord();
    ASSERT_EQ(editor.nextWord(), QStringLiteral("two"));
    editor.markLastWord();
    EXPECT_EQ(editor.selectedText(), QStringLiteral("two"));
    EXPECT_EQ(editor.textCursor().selectionStart(), 4);
    EXPECT_EQ(editor.textCursor().position(), 7);
}

TEST_F(WordWalkEditing, ReplacingTheMarkedWordContinuesAfterTheReplacement)
{
    editor.nextWord();
    editor.nextWord();
    editor.markLastWord();
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    editor.replaceSelection(QStringLiteral("twenty-two"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("one twenty-two three"));
    EXPECT_FALSE(changes.isEmpty());
    EXPECT_EQ(editor.nextWord(), QStringLiteral("three"));
}

TEST_F(WordWalkEditing, AfterAMarkTheWalkGoesOnFromTheCaret)
{
    editor.nextWord();
    editor.markLastWord();
    editor.setSelection(10, 0);  // the user clicks into "three"
    EXPECT_EQ(editor.nextWord(), QStringLiteral("ree"));
}

TEST_F(WordWalkEditing, RestartBeginsAgainAtTheFirstWord)
{
    editor.nextWord();
    editor.nextWord();
    editor.markLastWord();
    editor.restartWordWalk();
    EXPECT_EQ(editor.nextWord(), QStringLiteral("one"));
}

TEST_F(WordWalkEditing, ReplacementIsLimitedTo255Characters)
{
    editor.nextWord();
    editor.markLastWord();
    EXPECT_THROW(editor.replaceSelection(QString(256, QLatin1Char('x'))), EditorError);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("one two three"));
    editor.replaceSelection(QString(255, QLatin1Char('x')));
    EXPECT_EQ(editor.toPlainText().size(), 255 + 10);
}

TEST_F(WordWalkEditing, ReadOnlyEditorRefusesReplacement)
{
    editor.nextWord();
    editor.markLastWord();
    editor.setReadOnly(true);
    editor.replaceSelection(QStringLiteral("1"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("one two three"));
}

TEST(Selection, ReadingIsLimitedTo255Characters)
{
    RichTextEditor editor;
    editor.insertText(QString(300, QLatin1Char('a')));
    editor.setSelection(0, 300);
    EXPECT_EQ(editor.selectedText().size(), 255);
}

struct SelectionCase {
    const char* name;
    int start;
    int length;
    const char* selected;
};

const SelectionCase kSelectionCases[] = {
    {"inside", 4, 3, "two"},
    {"negative start", -5, 3, "one"},
    {"past the end", 10, 100, "ree\nfour"},
    {"start after the end", 100, 5, ""},
    {"negative length", 4, -2, ""},
    {"largest length", 4, std::numeric_limits<int>::max(), "two three\nfour"},
    {"over a paragraph break", 8, 7, "three\nf"},
};

class SetSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SetSelection, SelectsWithinTheDocument)
{
    RichTextEditor editor;
    editor.insertText(QStringLiteral("one two three\nfour"));
    editor.setSelection(GetParam().start, GetParam().length);
    EXPECT_EQ(editor.selectedText(), QString::fromUtf8(GetParam().selected));
}

INSTANTIATE_TEST_SUITE_P(Ranges, SetSelection, ::testing::ValuesIn(kSelectionCases), caseName<SelectionCase>);

}  // namespace
