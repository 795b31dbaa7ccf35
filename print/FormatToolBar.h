#pragma once

#include "print/ToolBarIcons.h"

#include <QWidget>

class QComboBox;
class QTextCharFormat;
class QToolButton;

namespace dayvell::editor {

class RichTextEditor;

// The formatting toolbar of one editor: font name, size and colour lists, then Normal, Bold,
// Italic, Under, Left, Right, Center, Copy, Cut and Paste. It shows the format at the caret, and
// every format it applies is reported as a change of the editor.
class FormatToolBar : public QWidget {
    Q_OBJECT

public:
    explicit FormatToolBar(RichTextEditor& editor, QWidget* parent = nullptr);

    static constexpr int kMinimumPointSize = 8;
    static constexpr int kMaximumPointSize = 1638;

    QComboBox* fontNames() const { return m_fontNames; }
    QComboBox* sizes() const { return m_sizes; }
    QComboBox* colours() const { return m_colours; }
    QToolButton* button(ToolBarIcon which) const;

    // Shows the format at the editor's caret.
    void showCaretFormat();

private:
    QToolButton* addButton(ToolBarIcon which, const QString& hint, bool checkable);
    void fillFontNames();
    void selectFontName(const QString& family);
    void fillColours();
    void selectColour(const QColor& colour);
    void apply(const QTextCharFormat& format);
    void applySize(const QString& text);
    void applyNormal();

    RichTextEditor& m_editor;
    QComboBox* m_fontNames = nullptr;
    QComboBox* m_sizes = nullptr;
    QComboBox* m_colours = nullptr;
    QToolButton* m_buttons[int(ToolBarIcon::Paste) + 1] = {};
};

}  // namespace dayvell::editor
