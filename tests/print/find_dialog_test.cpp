#include "editor_case_name.h"
#include "print/FindReplaceDialog.h"
#include "print/RichTextEditor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using dayvell::editor::FindReplaceDialog;
using dayvell::editor::RichTextEditor;

namespace {

class FindDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.resize(300, 200);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    void setText(const QString& text)
    {
        editor.clear();
        editor.insertText(text);
    }

    FindReplaceDialog* openFind(const QString& what)
    {
        editor.showFindDialog();
        editor.openDialog()->findText()->setText(what);
        return editor.openDialog();
    }

    FindReplaceDialog* openReplace(const QString& what, const QString& with)
    {
        editor.showReplaceDialog();
        editor.openDialog()->findText()->setText(what);
        editor.openDialog()->replaceText()->setText(with);
        return editor.openDialog();
    }

    int visibleDialogs() const
    {
        int visible = 0;
        for (const auto* dialog : editor.findChildren<FindReplaceDialog*>())
            visible += dialog->isVisible();
        return visible;
    }

    RichTextEditor editor;
};

TEST_F(FindDialogFixture, OpeningOneClosesTheOther)
{
    editor.showFindDialog();
    FindReplaceDialog* find = editor.openDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->isModal());
    EXPECT_EQ(find->mode(), FindReplaceDialog::Mode::Find);

    editor.showReplaceDialog();
    EXPECT_EQ(editor.openDialog()->mode(), FindReplaceDialog::Mode::Replace);
    EXPECT_EQ(visibleDialogs(), 1);

    editor.showFindDialog();
    EXPECT_EQ(editor.openDialog()->mode(), FindReplaceDialog::Mode::Find);
    EXPECT_EQ(visibleDialogs(), 1);
}

TEST_F(FindDialogFixture, ShowingTheOpenDialogAgainKeepsIt)
{
    editor.showFindDialog();
    FindReplaceDialog* first = editor.openDialog();
    first->findText()->setText(QStringLiteral("kept"));
    editor.showFindDialog();
    EXPECT_EQ(editor.openDialog(), first);
    EXPECT_EQ(first->findText()->text(), QStringLiteral("kept"));
}

TEST_F(FindDialogFixture, EditorStaysUsableWhileTheDialogIsOpen)
{
    setText(QStringLiteral("abc"));
    editor.showFindDialog();
    editor.setFocus();
    QTest::keyClicks(&editor, "d");
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("abcd"));
}

TEST_F(FindDialogFixture, StartsWithTheSelectedWord)
{
    setText(QStringLiteral("find this word"));
    editor.setSelection(5, 4);
    editor.showFindDialog();
    EXPECT_EQ(editor.openDialog()->findText()->text(), QStringLiteral("this"));
}

struct FindNextCase {
    const char* name;
    const char* text;
    int caret;
    const char* what;
    bool matchCase;
    bool wholeWord;
    int foundAt;  // -1: not found
};

const FindNextCase kFindNextCases[] = {
    {"from the caret on", "cat Cat cat", 1, "cat", false, false, 4},
    {"match case", "cat Cat cat", 1, "cat", true, false, 8},
    {"whole word", "concat cat", 0, "cat", false, true, 7},
    {"part of a word", "concat cat", 0, "cat", false, false, 3},
    {"nothing after the caret", "cat dog", 2, "cat", false, false, -1},
    {"next paragraph", "one\ntwo one", 1, "ONE", false, false, 8},
    {"accented letters", "Crème brûlée", 0, "BRÛLÉE", false, false, 6},
};

class FindNext : public FindDialogFixture, public ::testing::WithParamInterface<FindNextCase> {};

TEST_P(FindNext, SearchesForwardFromTheCaret)
{
    const FindNextCase& c = GetParam();
    setText(QString::fromUtf8(c.text));
    editor.setSelection(c.caret, 0);
    FindReplaceDialog* dialog = openFind(QString::fromUtf8(c.what));
    dialog->matchCase()->setChecked(c.matchCase);
    dialog->wholeWord()->setChecked(c.wholeWord);
    const bool found = dialog->findNext();
    EXPECT_EQ(found, c.foundAt >= 0);
    if (found) {
        EXPECT_EQ(editor.textCursor().selectionStart(), c.foundAt);
        EXPECT_EQ(editor.textCursor().selectedText().compare(QString::fromUtf8(c.what), Qt::CaseInsensitive), 0);
        EXPECT_TRUE(dialog->status().isEmpty());
    } else {
        EXPECT_EQ(dialog->status(), QStringLiteral("Cannot find \"%1\"").arg(QString::fromUtf8(c.what)));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FindNext, ::testing::ValuesIn(kFindNextCases), caseName<FindNextCase>);

TEST_F(FindDialogFixture, RepeatedFindNextWalksThroughTheMatches)
{
    setText(QStringLiteral("a x b x c x"));
    editor.setSelection(0, 0);
    FindReplaceDialog* dialog = openFind(QStringLiteral("x"));
    std::vector<int> starts;
    while (dialog->findNext())
        starts.push_back(editor.textCursor().selectionStart());
    EXPECT_EQ(starts, (std::vector<int>{2, 6, 10}));
}

TEST_F(FindDialogFixture, ReplaceReplacesTheFoundMatchThenFindsTheNext)
{
    setText(QStringLiteral("a cat and a cat"));
    editor.setSelection(0, 0);
    FindReplaceDialog* dialog = openReplace(QStringLiteral("cat"), QStringLiteral("dog"));
    QSignalSpy changes(&editor, &RichTextEditor::changed);

    EXPECT_TRUE(dialog->replace());  // nothing selected yet: finds the first
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a cat and a cat"));
    EXPECT_TRUE(changes.isEmpty());

    EXPECT_TRUE(dialog->replace());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a dog and a cat"));
    EXPECT_EQ(editor.textCursor().selectionStart(), 12);
    EXPECT_FALSE(changes.isEmpty());

    EXPECT_FALSE(dialog->replace());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a dog and a dog"));
}

TEST_F(FindDialogFixture, ReplaceLeavesASelectionThatIsNoMatch)
{
    setText(QStringLiteral("cat Cat"));
    editor.setSelection(4, 3);
    FindReplaceDialog* dialog = openReplace(QStringLiteral("cat"), QStringLiteral("dog"));
    dialog->matchCase()->setChecked(true);
    EXPECT_FALSE(dialog->replace());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("cat Cat"));
}

struct ReplaceAllCase {
    const char* name;
    const char* text;
    const char* what;
    const char* with;
    int count;
    const char* result;
};

const ReplaceAllCase kReplaceAllCases[] = {
    {"every match", "a cat and a Cat", "cat", "dog", 2, "a dog and a dog"},
    {"replacement holds the text", "cat cat", "cat", "cats", 2, "cats cats"},
    {"removal", "a-b-c", "-", "", 2, "abc"},
    {"nothing found", "a cat", "dog", "cat", 0, "a cat"},
    {"over paragraphs", "cat\ncat", "cat", "dog", 2, "dog\ndog"},
};

class ReplaceAll : public FindDialogFixture, public ::testing::WithParamInterface<ReplaceAllCase> {};

TEST_P(ReplaceAll, ReplacesFromTheStartInOneUndoStep)
{
    const ReplaceAllCase& c = GetParam();
    setText(QString::fromUtf8(c.text));
    editor.setSelection(1000, 0);  // the caret at the end does not matter
    FindReplaceDialog* dialog = openReplace(QString::fromUtf8(c.what), QString::fromUtf8(c.with));
    EXPECT_EQ(dialog->replaceAll(), c.count);
    EXPECT_EQ(editor.toPlainText(), QString::fromUtf8(c.result));
    if (c.count > 0) {
        editor.undo();
        EXPECT_EQ(editor.toPlainText(), QString::fromUtf8(c.text));
    } else {
        EXPECT_TRUE(dialog->status().startsWith(QStringLiteral("Cannot find")));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAll, ::testing::ValuesIn(kReplaceAllCases), caseName<ReplaceAllCase>);

TEST_F(FindDialogFixture, ReadOnlyEditorIsSearchedButNotChanged)
{
    setText(QStringLiteral("cat"));
    editor.setReadOnly(true);
    FindReplaceDialog* dialog = openReplace(QStringLiteral("cat"), QStringLiteral("dog"));
    EXPECT_EQ(dialog->replaceAll(), 0);
    editor.setSelection(0, 0);
    EXPECT_TRUE(dialog->findNext());
    EXPECT_FALSE(dialog->replace());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("cat"));
}

}  // namespace
