#include "editor_case_name.h"
#include "print/EditorError.h"
#include "print/RichTextEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>

using dayvell::editor::EditorError;
using dayvell::editor::RichTextEditor;

namespace {

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.resize(300, 200);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.setFocus();
    }

    RichTextEditor editor;
};

struct ChangeCase {
    const char* name;
    std::function<void(RichTextEditor&)> action;
    bool raisesChange;
};

void selectAll(RichTextEditor& editor)
{
    editor.setSelection(0, 1000);
}

const ChangeCase kChangeCases[] = {
    {"typing", [](RichTextEditor& e) { QTest::keyClicks(&e, "abc"); }, true},
    {"backspace", [](RichTextEditor& e) { QTest::keyClick(&e, Qt::Key_Backspace); }, true},
    {"delete", [](RichTextEditor& e) {
         e.cursorToStart();
         QTest::keyClick(&e, Qt::Key_Delete);
     }, true},
    {"ctrl+delete", [](RichTextEditor& e) {
         e.cursorToStart();
         QTest::keyClick(&e, Qt::Key_Delete, Qt::ControlModifier);
     }, true},
    {"enter", [](RichTextEditor& e) { QTest::keyClick(&e, Qt::Key_Return); }, true},
    {"bold on a selection", [](RichTextEditor& e) {
         selectAll(e);
         QTextCharFormat bold;
         bold.setFontWeight(QFont::Bold);
         e.applyCharFormat(bold);
     }, true},
    {"bold at the caret for the next typing", [](RichTextEditor& e) {
         QTextCharFormat bold;
         bold.setFontWeight(QFont::Bold);
         e.applyCharFormat(bold);
     }, true},
    {"alignment", [](RichTextEditor& e) { e.applyAlignment(Qt::AlignHCenter); }, true},
    {"paste", [](RichTextEditor& e) {
         QApplication::clipboard()->setText(QStringLiteral("pasted"));
         e.paste();
     }, true},
    {"undo", [](RichTextEditor& e) { e.undo(); }, true},
    {"insert text", [](RichTextEditor& e) { e.insertText(QStringLiteral("07/05/2026 ")); }, true},
    {"change on request", [](RichTextEditor& e) { e.notifyChanged(); }, true},
    {"clear", [](RichTextEditor& e) { e.clear(); }, false},
    {"load", [](RichTextEditor& e) { e.loadRtf("{\\rtf1\\ansi other text\\par}"); }, false},
    {"caret keys", [](RichTextEditor& e) {
         QTest::keyClick(&e, Qt::Key_Home);
         QTest::keyClick(&e, Qt::Key_Right, Qt::ShiftModifier);
         QTest::keyClick(&e, Qt::Key_End);
     }, false},
    {"copy", [](RichTextEditor& e) {
         selectAll(e);
         e.copy();
     }, false},
    {"view changes", [](RichTextEditor& e) {
         e.setWordWrap(false);
         e.cursorToStart();
         e.invalidate();
         e.reformat();
     }, false},
    {"read-only insert", [](RichTextEditor& e) {
         e.setReadOnly(true);
         e.insertText(QStringLiteral("x"));
     }, false},
    {"read-only formatting", [](RichTextEditor& e) {
         e.setReadOnly(true);
         selectAll(e);
         QTextCharFormat italic;
         italic.setFontItalic(true);
         e.applyCharFormat(italic);
     }, false},
    {"taking over another editor's defaults", [](RichTextEditor& e) {
         RichTextEditor other;
         QFont font(QStringLiteral("Times New Roman"));
         font.setPointSize(14);
         other.document()->setDefaultFont(font);
         e.takeOver(other);
     }, false},
};

class ChangeNotification : public EditorFixture, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeNotification, IsRaisedByEditsOnly)
{
    QTest::keyClicks(&editor, "Hello world");
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    GetParam().action(editor);
    EXPECT_EQ(!changes.isEmpty(), GetParam().raisesChange);
}

INSTANTIATE_TEST_SUITE_P(Actions, ChangeNotification, ::testing::ValuesIn(kChangeCases), caseName<ChangeCase>);

TEST_F(EditorFixture, InsertTextReportsOneChangeAndLandsAtTheCaret)
{
    QTest::keyClicks(&editor, "ab");
    QTest::keyClick(&editor, Qt::Key_Left);
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    editor.insertText(QStringLiteral("X"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("aXb"));
}

TEST_F(EditorFixture, ReadOnlyEditorKeepsItsText)
{
    QTest::keyClicks(&editor, "ab");
    editor.setReadOnly(true);
    editor.insertText(QStringLiteral("X"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("ab"));
}

TEST_F(EditorFixture, KeyDownIsSeenBeforeTheEditorHandlesTheKey)
{
    QString textWhenSeen;
    int keySeen = 0;
    Qt::KeyboardModifiers modifiersSeen;
    QObject::connect(&editor, &RichTextEditor::keyPressed, [&](QKeyEvent* event) {
        textWhenSeen = editor.toPlainText();
        keySeen = event->key();
        modifiersSeen = event->modifiers();
    });
    QTest::keyClicks(&editor, "ab");
    QTest::keyClick(&editor, Qt::Key_X);
    EXPECT_EQ(textWhenSeen, QStringLiteral("ab"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("abx"));

    QApplication::clipboard()->setText(QStringLiteral("!"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(keySeen, Qt::Key_V);
    EXPECT_EQ(modifiersSeen, Qt::ControlModifier);
    EXPECT_EQ(textWhenSeen, QStringLiteral("abx"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("abx!"));
}

TEST_F(EditorFixture, TabIsTypedIntoTheText)
{
    QTest::keyClicks(&editor, "a");
    QTest::keyClick(&editor, Qt::Key_Tab);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a\t"));
    EXPECT_TRUE(editor.hasFocus());
}

TEST_F(EditorFixture, LoadingForgetsTheUndoHistoryOfThePreviousEntry)
{
    QTest::keyClicks(&editor, "yesterday's entry");
    editor.loadRtf("{\\rtf1\\ansi today\\par}");
    const QString loaded = editor.toPlainText();
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), loaded);
    EXPECT_FALSE(editor.document()->isUndoAvailable());
}

TEST_F(EditorFixture, ClearingLeavesOneEmptyParagraphInTheDefaultFormat)
{
    QTest::keyClicks(&editor, "first");
    QTest::keyClick(&editor, Qt::Key_Return);
    QTextCharFormat big;
    big.setFontPointSize(30);
    editor.applyCharFormat(big);
    editor.clear();
    EXPECT_TRUE(editor.isEmpty());
    QTest::keyClicks(&editor, "x");
    EXPECT_EQ(editor.currentCharFormat().font().pointSize(), 10);
}

TEST(EditorDefaults, WhiteBorderlessArialTenPointWithWordWrap)
{
    RichTextEditor editor;
    EXPECT_EQ(editor.document()->defaultFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(editor.document()->defaultFont().pointSize(), 10);
    EXPECT_EQ(editor.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(editor.frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(editor.wordWrap());
    EXPECT_FALSE(editor.tabChangesFocus());
    editor.setWordWrap(false);
    EXPECT_FALSE(editor.wordWrap());
}

struct EmptyCase {
    const char* name;
    std::function<void(RichTextEditor&)> fill;
    bool empty;
};

const EmptyCase kEmptyCases[] = {
    {"fresh", [](RichTextEditor&) {}, true},
    {"one space", [](RichTextEditor& e) { e.insertText(QStringLiteral(" ")); }, false},
    {"two empty paragraphs", [](RichTextEditor& e) { e.insertText(QStringLiteral("\n")); }, false},
    {"a tab", [](RichTextEditor& e) { e.insertText(QStringLiteral("\t")); }, false},
    {"text", [](RichTextEditor& e) { e.insertText(QStringLiteral("Dear diary")); }, false},
    {"text cleared", [](RichTextEditor& e) {
         e.insertText(QStringLiteral("Dear diary"));
         e.clear();
     }, true},
    {"typed then deleted", [](RichTextEditor& e) {
         QTest::keyClicks(&e, "ab");
         QTest::keyClick(&e, Qt::Key_Backspace);
         QTest::keyClick(&e, Qt::Key_Backspace);
     }, true},
    {"bold but no character", [](RichTextEditor& e) {
         QTextCharFormat bold;
         bold.setFontWeight(QFont::Bold);
         e.applyCharFormat(bold);
     }, true},
};

class IsEmpty : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(IsEmpty, OnlyOneParagraphWithoutCharactersIsEmpty)
{
    RichTextEditor editor;
    GetParam().fill(editor);
    EXPECT_EQ(editor.isEmpty(), GetParam().empty);
}

INSTANTIATE_TEST_SUITE_P(Documents, IsEmpty, ::testing::ValuesIn(kEmptyCases), caseName<EmptyCase>);

TEST(EditorFiles, SavedEntryLoadsBackWithItsTextAndFormat)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("entry.rtf"));
    RichTextEditor writer;
    writer.insertText(QStringLiteral("Plain and "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    writer.applyCharFormat(bold);
    writer.insertText(QStringLiteral("bold café"));
    writer.saveToFile(path);

    RichTextEditor reader;
    QSignalSpy changes(&reader, &RichTextEditor::changed);
    reader.loadFromFile(path);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(reader.toPlainText(), QStringLiteral("Plain and bold café"));
    QTextCursor inBold(reader.document());
    inBold.setPosition(15);
    EXPECT_EQ(inBold.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(reader.textCursor().position(), 0);
}

TEST(EditorFiles, InMemoryRoundTripKeepsTheText)
{
    RichTextEditor writer;
    writer.insertText(QStringLiteral("line one\nline two {braces} \\ backslash"));
    RichTextEditor reader;
    reader.loadRtf(writer.rtf());
    EXPECT_EQ(reader.toPlainText(), writer.toPlainText());
}

TEST(EditorFiles, FileErrorsNameTheFileAndKeepTheDocument)
{
    QTemporaryDir folder;
    RichTextEditor editor;
    editor.insertText(QStringLiteral("keep me"));
    const QString missing = folder.filePath(QStringLiteral("missing.rtf"));
    try {
        editor.loadFromFile(missing);
        FAIL() << "loading a missing file succeeded";
    } catch (const EditorError& error) {
        EXPECT_NE(std::string(error.what()).find(missing.toStdString()), std::string::npos) << error.what();
    }
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("keep me"));

    const QString unwritable = folder.filePath(QStringLiteral("no/such/folder/entry.rtf"));
    try {
        editor.saveToFile(unwritable);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const EditorError& error) {
        EXPECT_NE(std::string(error.what()).find(unwritable.toStdString()), std::string::npos) << error.what();
    }
}

}  // namespace
