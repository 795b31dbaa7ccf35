#include "print/RichTextEditor.h"

#include "print/DocumentAppender.h"
#include "print/DocumentFragments.h"
#include "print/DocumentPrinter.h"
#include "print/EditorError.h"
#include "print/TextFinder.h"
#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"

#include <QFile>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTextBlock>

namespace dayvell::editor {

namespace {

QFont defaultEditorFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    return font;
}

QString familyOf(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.front();
}

}  // namespace

// Keeps the document's own change signal from reaching changed() while the editor replaces the
// document or reports the change once by itself.
class RichTextEditor::SilentChange {
public:
    explicit SilentChange(RichTextEditor& editor) : m_editor(editor) { ++m_editor.m_silence; }
    ~SilentChange() { --m_editor.m_silence; }
    SilentChange(const SilentChange&) = delete;
    SilentChange& operator=(const SilentChange&) = delete;

private:
    RichTextEditor& m_editor;
};

RichTextEditor::RichTextEditor(QWidget* parent)
    : QTextEdit(parent), m_fontTable(defaultEditorFont().family()), m_wordWalker(*document())
{
    const SilentChange silent(*this);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTabChangesFocus(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    setFont(defaultEditorFont());
    document()->setDefaultFont(defaultEditorFont());
    connect(document(), &QTextDocument::contentsChange, this, &RichTextEditor::onContentsChange);
}

RichTextEditor::~RichTextEditor() = default;

void RichTextEditor::onContentsChange(int, int removed, int added)
{
    if (m_silence == 0 && (removed > 0 || added > 0))
        emit changed();
}

void RichTextEditor::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
    QTextEdit::keyPressEvent(event);
}

// ---- content

void RichTextEditor::clear()
{
    const SilentChange silent(*this);
    document()->setUndoRedoEnabled(false);
    document()->clear();
    setCurrentCharFormat(QTextCharFormat());
    afterDocumentReplaced();
}

void RichTextEditor::loadRtf(const QByteArray& rtf)
{
    const SilentChange silent(*this);
    document()->setUndoRedoEnabled(false);
    rtf::readRtf(rtf, *document());
    setCurrentCharFormat(QTextCharFormat());
    afterDocumentReplaced();
}

void RichTextEditor::afterDocumentReplaced()
{
    // Undo must not bring back the text of another entry; enabling it again starts an empty history.
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    rebuildFontTable();
    m_wordWalker.restart();
    m_walkFollowsCaret = false;
    cursorToStart();
}

void RichTextEditor::rebuildFontTable()
{
    m_fontTable = FontTable(document()->defaultFont().family());
    forEachFragment(*document(), 0, document()->characterCount(), [this](const QTextFragment& fragment) {
        if (const QString family = familyOf(fragment.charFormat()); !family.isEmpty())
            m_fontTable.tryAdd(family);
    });
}

QByteArray RichTextEditor::rtf() const
{
    return rtf::writeRtf(*document());
}

void RichTextEditor::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open \"%1\" to read the entry: %2").arg(path, file.errorString()));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EditorError(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    loadRtf(content);
}

void RichTextEditor::saveToFile(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EditorError(QStringLiteral("Cannot open \"%1\" to write the entry: %2").arg(path, file.errorString()));
    const QByteArray content = rtf();
    if (file.write(content) != content.size() || !file.commit())
        throw EditorError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}

bool RichTextEditor::isEmpty() const
{
    return document()->blockCount() == 1 && document()->characterCount() <= 1;
}

// ---- view

void RichTextEditor::invalidate()
{
    viewport()->update();
}

void RichTextEditor::setWordWrap(bool on)
{
    setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

bool RichTextEditor::wordWrap() const
{
    return lineWrapMode() != QTextEdit::NoWrap;
}

void RichTextEditor::cursorToStart()
{
    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
}

// ---- editing

void RichTextEditor::insertText(const QString& text)
{
    if (isReadOnly())
        return;
    {
        const SilentChange silent(*this);
        insertPlainText(text);
    }
    emit changed();
}

void RichTextEditor::notifyChanged()
{
    emit changed();
}

void RichTextEditor::applyCharFormat(const QTextCharFormat& format)
{
    if (isReadOnly())
        return;
    {
        const SilentChange silent(*this);
        mergeCurrentCharFormat(format);
    }
    emit changed();
}

void RichTextEditor::applyAlignment(Qt::Alignment alignment)
{
    if (isReadOnly())
        return;
    {
        const SilentChange silent(*this);
        setAlignment(alignment);
    }
    emit changed();
}

// ---- find and replace dialogs

void RichTextEditor::showFindDialog()
{
    showDialog(FindReplaceDialog::Mode::Find);
}

void RichTextEditor::showReplaceDialog()
{
    showDialog(FindReplaceDialog::Mode::Replace);
}

void RichTextEditor::showDialog(FindReplaceDialog::Mode mode)
{
    if (m_dialog && m_dialog->mode() != mode) {
        m_dialog->close();
        m_dialog = nullptr;
    }
    if (!m_dialog)
        m_dialog = new FindReplaceDialog(*this, mode);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

bool RichTextEditor::findFromStart(const QString& text)
{
    const QTextCursor match = TextFinder(text).findFirst(*document());
    if (match.isNull())
        return false;
    setTextCursor(match);
    return true;
}

// ---- word walk

void RichTextEditor::restartWordWalk()
{
    m_wordWalker.restart();
    m_walkFollowsCaret = false;
}

QString RichTextEditor::nextWord()
{
    if (m_walkFollowsCaret) {
        m_wordWalker.continueFrom(textCursor().selectionEnd());
        m_walkFollowsCaret = false;
    }
    return m_wordWalker.next();
}

void RichTextEditor::markLastWord()
{
    setSelection(m_wordWalker.lastStart(), m_wordWalker.lastLength());
    ensureCursorVisible();
    m_walkFollowsCaret = true;
}

QString RichTextEditor::selectedText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.left(kMaxSelectionText);
}

void RichTextEditor::replaceSelection(const QString& text)
{
    if (text.size() > kMaxSelectionText)
        throw EditorError(QStringLiteral("The replacement text is %1 characters long; at most %2 are allowed")
                              .arg(text.size())
                              .arg(kMaxSelectionText));
    if (isReadOnly())
        return;
    {
        const SilentChange silent(*this);
        QTextCursor cursor = textCursor();
        cursor.insertText(text);
        setTextCursor(cursor);
    }
    emit changed();
}

void RichTextEditor::setSelection(int start, int length)
{
    const int last = document()->characterCount() - 1;
    const int from = std::clamp(start, 0, last);
    const int to = int(std::clamp<qint64>(qint64(from) + std::max(length, 0), from, last));
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// ---- page layout and printing

void RichTextEditor::setPageLayout(int left, int right, int top, int bottom, int width, int height)
{
    m_pageLayout = m_pageLayout.changed(left, right, top, bottom, width, height);
}

void RichTextEditor::reformat()
{
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(qRound(PageLayout::twipsToPixels(m_pageLayout.textWidth(), logicalDpiX())));
}

void RichTextEditor::print(QPrinter& printer)
{
    const DocumentPrinter printing(*document(), m_pageLayout);
    printing.print(
        printer,
        [this](QPainter& canvas, const QRect& band, int page, int line) {
            emit printHeader(&canvas, band.x(), band.y(), band.width(), band.height(), page, line);
        },
        [this](QPainter& canvas, const QRect& band, int page, int line) {
            emit printFooter(&canvas, band.x(), band.y(), band.width(), band.height(), page, line);
        });
}

// ---- fonts, defaults and building documents

int RichTextEditor::fontNumber(const QString& name)
{
    return m_fontTable.numberOf(name);
}

void RichTextEditor::takeOver(const RichTextEditor& other)
{
    const SilentChange silent(*this);
    // The other editor's fonts join this table rather than replace it, so that a font number handed
    // out before keeps naming the same font.
    for (const QString& name : other.m_fontTable.names())
        m_fontTable.tryAdd(name);
    m_pageLayout = other.m_pageLayout;
    setFont(other.font());
    document()->setDefaultFont(other.document()->defaultFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Text, other.palette().color(QPalette::Text));
    colours.setColor(QPalette::Base, other.palette().color(QPalette::Base));
    setPalette(colours);
    setTabStopDistance(other.tabStopDistance());
}

void RichTextEditor::appendParagraph(const QString& text, int fontNumber, int styleBits, int pointSize)
{
    const QString family = m_fontTable.nameAt(fontNumber);
    if (styleBits < 0 || styleBits > (Bold | Italic | Underline | StrikeOut))
        throw EditorError(QStringLiteral("Append paragraph: unknown style bits %1").arg(styleBits));
    if (pointSize < 1 || pointSize > 1638)
        throw EditorError(QStringLiteral("Append paragraph: %1 pt is not a font size").arg(pointSize));

    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(pointSize);
    format.setFontWeight((styleBits & Bold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(styleBits & Italic);
    format.setFontUnderline(styleBits & Underline);
    format.setFontStrikeOut(styleBits & StrikeOut);

    DocumentAppender(*document()).appendParagraph(text, format);
}

void RichTextEditor::fastAppend(const RichTextEditor& other)
{
    if (&other == this)
        throw EditorError(QStringLiteral("Cannot perform FastAppendText(self)"));

    DocumentAppender(*document()).appendDocument(*other.document());
}

}  // namespace dayvell::editor
