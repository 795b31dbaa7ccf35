#pragma once

#include "print/FindReplaceDialog.h"
#include "print/FontTable.h"
#include "print/PageLayout.h"
#include "print/WordWalker.h"

#include <QByteArray>
#include <QPointer>
#include <QTextEdit>

class QKeyEvent;
class QPainter;
class QPrinter;

namespace dayvell::editor {

// The rich-text editor of a diary entry: a white, borderless text field in Arial 10 pt that loads
// and saves RTF, reports the user's changes, searches, walks word by word, and prints with a header
// and a footer on every page.
class RichTextEditor : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextEditor(QWidget* parent = nullptr);
    ~RichTextEditor() override;

    // Content. Neither clearing nor loading reports a change; both empty the undo history.
    // (Stands in for QTextEdit::clear, which would report the change.)
    void clear();
    void loadRtf(const QByteArray& rtf);
    QByteArray rtf() const;
    void loadFromFile(const QString& path);      // throws EditorError naming the file
    void saveToFile(const QString& path) const;  // throws EditorError naming the file; the old file stays on failure
    // True for a single paragraph without a character; spaces or empty paragraphs are content.
    bool isEmpty() const;

    // View.
    void invalidate();
    void setWordWrap(bool on);
    bool wordWrap() const;
    void cursorToStart();

    // Editing. Inserts at the caret (replacing a selection) unless read-only, then reports the change.
    void insertText(const QString& text);
    // Reports a change that the editor could not notice by itself.
    void notifyChanged();
    // Formatting as the toolbar does it: on the selection, or at the caret for what is typed next.
    void applyCharFormat(const QTextCharFormat& format);
    void applyAlignment(Qt::Alignment alignment);

    // The editor's own modeless find and replace dialogs; opening one closes the other.
    void showFindDialog();
    void showReplaceDialog();
    FindReplaceDialog* openDialog() const { return m_dialog; }

    // Selects the first match from the start of the document, ignoring case, '*' matching any run of
    // characters within a paragraph. Throws EditorError for a text of more than 256 characters.
    bool findFromStart(const QString& text);

    // Word walk.
    void restartWordWalk();
    QString nextWord();  // empty at the end
    // Selects the word last returned with the caret after it; the walk goes on from the caret.
    void markLastWord();
    QString selectedText() const;                  // at most kMaxSelectionText characters
    void replaceSelection(const QString& text);    // throws EditorError beyond kMaxSelectionText characters
    void setSelection(int start, int length);
    static constexpr int kMaxSelectionText = 255;

    // Page layout in twips; PageLayout::kKeep leaves a value as it is.
    void setPageLayout(int left, int right, int top, int bottom, int width, int height);
    const PageLayout& pageLayout() const { return m_pageLayout; }
    // Wraps the lines at the text width of the page layout.
    void reformat();

    // One print job; emits printHeader and printFooter on every page.
    void print(QPrinter& printer);

    // Fonts and defaults.
    int fontNumber(const QString& name);
    const FontTable& fontTable() const { return m_fontTable; }
    // Takes the fonts, page layout, default font and text colour of another editor. Font numbers
    // already given out stay valid: the other editor's fonts are added to this table.
    void takeOver(const RichTextEditor& other);

    // Building documents. Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
    enum StyleBit { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    void appendParagraph(const QString& text, int fontNumber, int styleBits, int pointSize);
    // Appends all paragraphs of another editor with their formats; throws EditorError for itself.
    void fastAppend(const RichTextEditor& other);

signals:
    // The user changed the text or its format (typing, deleting, pasting, undo, formatting).
    void changed();
    // A key about to reach the editor; it is handled as usual afterwards.
    void keyPressed(QKeyEvent* event);
    // Bands in printer pixels: x is the left margin, w the text width.
    void printHeader(QPainter* canvas, int x, int y, int w, int h, int pageNumber, int lineNumber);
    void printFooter(QPainter* canvas, int x, int y, int w, int h, int pageNumber, int lineNumber);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class SilentChange;

    void onContentsChange(int position, int removed, int added);
    void afterDocumentReplaced();
    void rebuildFontTable();
    void showDialog(FindReplaceDialog::Mode mode);

    FontTable m_fontTable;
    PageLayout m_pageLayout;
    WordWalker m_wordWalker;
    QPointer<FindReplaceDialog> m_dialog;
    int m_silence = 0;
    bool m_walkFollowsCaret = false;
};

}  // namespace dayvell::editor
