#include "editor_case_name.h"
#include "print/FormatToolBar.h"
#include "print/RichTextEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using dayvell::editor::FormatToolBar;
using dayvell::editor::RichTextEditor;
using dayvell::editor::ToolBarIcon;

namespace {

// A window with the toolbar above an editor holding "plain " followed by "fancy" in bold, italic,
// underlined 14 pt red Courier New, the second paragraph "centred" centred.
class ToolBarFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(&toolbar);
        column->addWidget(&editor);
        window.resize(500, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        QTextCursor cursor(editor.document());
        cursor.insertText(QStringLiteral("plain "));
        QTextCharFormat fancy;
        fancy.setFontWeight(QFont::Bold);
        fancy.setFontItalic(true);
        fancy.setFontUnderline(true);
        fancy.setFontPointSize(14);
        fancy.setFontFamilies(QStringList{QStringLiteral("Courier New")});
        fancy.setForeground(QColor(Qt::red));
        cursor.insertText(QStringLiteral("fancy"), fancy);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.insertBlock(centred, QTextCharFormat());
        cursor.insertText(QStringLiteral("centred"));
        editor.setFocus();
    }

    void caretAt(int position) { editor.setSelection(position, 0); }
    QToolButton* button(ToolBarIcon which) { return toolbar.button(which); }
    void click(ToolBarIcon which) { QTest::mouseClick(button(which), Qt::LeftButton); }
    QTextCharFormat formatOf(int position)
    {
        QTextCursor cursor(editor.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    QWidget window;
    RichTextEditor editor{&window};
    FormatToolBar toolbar{editor, &window};
};

TEST_F(ToolBarFixture, ButtonsAreHintedByTheirWord)
{
    const std::pair<ToolBarIcon, const char*> hints[] = {
        {ToolBarIcon::Normal, "Normal"}, {ToolBarIcon::Bold, "Bold"},     {ToolBarIcon::Italic, "Italic"},
        {ToolBarIcon::Under, "Under"},   {ToolBarIcon::Left, "Left"},     {ToolBarIcon::Right, "Right"},
        {ToolBarIcon::Center, "Center"}, {ToolBarIcon::Copy, "Copy"},     {ToolBarIcon::Cut, "Cut"},
        {ToolBarIcon::Paste, "Paste"},
    };
    for (const auto& [which, hint] : hints)
        EXPECT_EQ(button(which)->toolTip(), QString::fromLatin1(hint));
}

TEST_F(ToolBarFixture, FitsTheSpaceOfTheMainWindow)
{
    EXPECT_LE(toolbar.sizeHint().width(), 455);
    EXPECT_LE(toolbar.sizeHint().height(), 26);
}

TEST_F(ToolBarFixture, ShowsTheFormatAtTheCaretAsItMoves)
{
    caretAt(8);  // inside "fancy"
    EXPECT_TRUE(button(ToolBarIcon::Bold)->isChecked());
    EXPECT_TRUE(button(ToolBarIcon::Italic)->isChecked());
    EXPECT_TRUE(button(ToolBarIcon::Under)->isChecked());
    EXPECT_EQ(toolbar.fontNames()->currentText(), QStringLiteral("Courier New"));
    EXPECT_EQ(toolbar.sizes()->currentText(), QStringLiteral("14"));
    EXPECT_EQ(toolbar.colours()->currentData().value<QColor>(), QColor(Qt::red));
    EXPECT_TRUE(button(ToolBarIcon::Left)->isChecked());

    caretAt(3);  // inside "plain"
    EXPECT_FALSE(button(ToolBarIcon::Bold)->isChecked());
    EXPECT_FALSE(button(ToolBarIcon::Italic)->isChecked());
    EXPECT_FALSE(button(ToolBarIcon::Under)->isChecked());
    EXPECT_EQ(toolbar.fontNames()->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(toolbar.sizes()->currentText(), QStringLiteral("10"));
    EXPECT_EQ(toolbar.colours()->currentData().value<QColor>(), QColor(Qt::black));

    caretAt(15);  // inside "centred"
    EXPECT_TRUE(button(ToolBarIcon::Center)->isChecked());
    EXPECT_FALSE(button(ToolBarIcon::Left)->isChecked());
}

struct ButtonCase {
    const char* name;
    ToolBarIcon button;
    int selectFrom;
    int selectLength;
    std::function<bool(const QTextCharFormat&, const QTextBlockFormat&)> applied;
};

const ButtonCase kButtonCases[] = {
    {"bold", ToolBarIcon::Bold, 0, 5,
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontWeight() == QFont::Bold; }},
    {"italic", ToolBarIcon::Italic, 0, 5, [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontItalic(); }},
    {"under", ToolBarIcon::Under, 0, 5, [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontUnderline(); }},
    {"bold off", ToolBarIcon::Bold, 6, 5,
     [](const QTextCharFormat& c, const QTextBlockFormat&) { return c.fontWeight() != QFont::Bold; }},
    {"normal", ToolBarIcon::Normal, 6, 5,
     [](const QTextCharFormat& c, const QTextBlockFormat&) {
         return c.fontWeight() != QFont::Bold && !c.fontItalic() && !c.fontUnderline() && !c.fontStrikeOut();
     }},
    {"center", ToolBarIcon::Center, 0, 0,
     [](const QTextCharFormat&, const QTextBlockFormat& b) { return bool(b.alignment() & Qt::AlignHCenter); }},
    {"right", ToolBarIcon::Right, 0, 0,
     [](const QTextCharFormat&, const QTextBlockFormat& b) { return bool(b.alignment() & Qt::AlignRight); }},
};

class ToolBarButtons : public ToolBarFixture, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolBarButtons, FormatTheSelectionAndReportAChange)
{
    const ButtonCase& c = GetParam();
    editor.setSelection(c.selectFrom, c.selectLength);
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    click(c.button);
    EXPECT_FALSE(changes.isEmpty());
    EXPECT_TRUE(c.applied(formatOf(c.selectFrom), editor.document()->findBlock(c.selectFrom).blockFormat()));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ToolBarButtons, ::testing::ValuesIn(kButtonCases), caseName<ButtonCase>);

TEST_F(ToolBarFixture, BoldWithoutSelectionAppliesToWhatIsTypedNext)
{
    caretAt(5);
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    click(ToolBarIcon::Bold);
    EXPECT_FALSE(changes.isEmpty());
    EXPECT_TRUE(button(ToolBarIcon::Bold)->isChecked());
    QTest::keyClicks(&editor, "X");
    EXPECT_EQ(formatOf(5).fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(4).fontWeight(), QFont::Bold);
}

TEST_F(ToolBarFixture, ListsSetFontSizeAndColour)
{
    editor.setSelection(0, 5);
    QSignalSpy changes(&editor, &RichTextEditor::changed);

    toolbar.sizes()->lineEdit()->selectAll();
    QTest::keyClicks(toolbar.sizes()->lineEdit(), "20");
    QTest::keyClick(toolbar.sizes()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(formatOf(0).fontPointSize(), 20);

    const int blue = toolbar.colours()->findData(QColor(Qt::blue));
    ASSERT_GE(blue, 0);
    toolbar.colours()->activated(blue);
    EXPECT_EQ(formatOf(0).foreground().color(), QColor(Qt::blue));

    const int times = toolbar.fontNames()->findText(QStringLiteral("Times New Roman"));
    ASSERT_GE(times, 0);  // listed from the font table even where only a substitute is installed
    toolbar.fontNames()->textActivated(toolbar.fontNames()->itemText(times));
    EXPECT_EQ(formatOf(0).fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});

    EXPECT_GE(changes.count(), 3);
}

TEST_F(ToolBarFixture, SizesBelowEightAreRefused)
{
    editor.setSelection(0, 5);
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    toolbar.sizes()->lineEdit()->selectAll();
    QTest::keyClicks(toolbar.sizes()->lineEdit(), "6");
    QTest::keyClick(toolbar.sizes()->lineEdit(), Qt::Key_Return);
    EXPECT_NE(formatOf(0).fontPointSize(), 6);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(toolbar.sizes()->currentText(), QStringLiteral("10"));
}

TEST_F(ToolBarFixture, CutAndPasteMoveTextAndReportChanges)
{
    editor.setSelection(0, 6);
    EXPECT_TRUE(button(ToolBarIcon::Copy)->isEnabled());
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    click(ToolBarIcon::Cut);
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("fancy")));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("plain "));
    EXPECT_FALSE(changes.isEmpty());
    EXPECT_FALSE(button(ToolBarIcon::Copy)->isEnabled());  // nothing selected any more

    changes.clear();
    caretAt(5);
    click(ToolBarIcon::Paste);
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("fancyplain ")));
    EXPECT_FALSE(changes.isEmpty());

    changes.clear();
    editor.setSelection(0, 5);
    click(ToolBarIcon::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("fancy"));
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(ToolBarFixture, ReadOnlyEditorIsNotChanged)
{
    editor.setReadOnly(true);
    editor.setSelection(0, 5);
    QSignalSpy changes(&editor, &RichTextEditor::changed);
    click(ToolBarIcon::Bold);
    EXPECT_NE(formatOf(0).fontWeight(), QFont::Bold);
    EXPECT_FALSE(button(ToolBarIcon::Cut)->isEnabled());
    EXPECT_TRUE(changes.isEmpty());
}

}  // namespace
