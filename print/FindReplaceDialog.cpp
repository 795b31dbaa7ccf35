#include "print/FindReplaceDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace dayvell::editor {

FindReplaceDialog::FindReplaceDialog(QTextEdit& editor, Mode mode)
    : QDialog(&editor, Qt::Dialog), m_editor(editor), m_mode(mode)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(mode == Mode::Find ? tr("Find") : tr("Replace"));

    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("findText"));
    auto* fields = new QFormLayout;
    fields->addRow(tr("Fi&nd what:"), m_findText);
    if (mode == Mode::Replace) {
        m_replaceText = new QLineEdit(this);
        m_replaceText->setObjectName(QStringLiteral("replaceText"));
        fields->addRow(tr("Re&place with:"), m_replaceText);
    }
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(m_wholeWord);
    left->addWidget(m_matchCase);
    left->addWidget(m_status);
    left->addStretch();

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    m_findButton = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
    m_findButton->setDefault(true);
    connect(m_findButton, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    if (mode == Mode::Replace) {
        m_replaceButton = buttons->addButton(tr("&Replace"), QDialogButtonBox::ActionRole);
        m_replaceAllButton = buttons->addButton(tr("Replace &All"), QDialogButtonBox::ActionRole);
        connect(m_replaceButton, &QPushButton::clicked, this, &FindReplaceDialog::replace);
        connect(m_replaceAllButton, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    }
    connect(buttons->addButton(QDialogButtonBox::Close), &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    // Start with the selected word, as find dialogs usually do.
    const QString selected = m_editor.textCursor().selectedText();
    if (!selected.contains(QChar::ParagraphSeparator))
        m_findText->setText(selected);
    m_findText->selectAll();
    connect(m_findText, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    connect(m_findText, &QLineEdit::textChanged, m_status, &QLabel::clear);
    updateButtons();
}

QString FindReplaceDialog::status() const
{
    return m_status->text();
}

void FindReplaceDialog::updateButtons()
{
    const bool hasText = !m_findText->text().isEmpty();
    m_findButton->setEnabled(hasText);
    if (m_mode == Mode::Replace) {
        m_replaceButton->setEnabled(hasText && !m_editor.isReadOnly());
        m_replaceAllButton->setEnabled(hasText && !m_editor.isReadOnly());
    }
}

QTextCursor FindReplaceDialog::nextMatch(const QTextCursor& from) const
{
    QTextDocument::FindFlags flags;
    if (m_matchCase->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    if (m_wholeWord->isChecked())
        flags |= QTextDocument::FindWholeWords;
    return m_editor.document()->find(m_findText->text(), from, flags);
}

void FindReplaceDialog::reportNotFound()
{
    m_status->setText(tr("Cannot find \"%1\"").arg(m_findText->text()));
    QApplication::beep();
}

bool FindReplaceDialog::findNext()
{
    m_status->clear();
    if (m_findText->text().isEmpty())
        return false;
    const QTextCursor match = nextMatch(m_editor.textCursor());
    if (match.isNull()) {
        reportNotFound();
        return false;
    }
    m_editor.setTextCursor(match);
    m_editor.ensureCursorVisible();
    return true;
}

bool FindReplaceDialog::selectionIsMatch() const
{
    const QTextCursor selection = m_editor.textCursor();
    if (!selection.hasSelection())
        return false;
    QTextCursor before(m_editor.document());
    before.setPosition(selection.selectionStart());
    const QTextCursor match = nextMatch(before);
    return !match.isNull() && match.selectionStart() == selection.selectionStart() &&
           match.selectionEnd() == selection.selectionEnd();
}

bool FindReplaceDialog::replace()
{
    if (m_editor.isReadOnly() || m_findText->text().isEmpty())
        return false;
    if (selectionIsMatch()) {
        QTextCursor selection = m_editor.textCursor();
        selection.insertText(m_replaceText->text());
        m_editor.setTextCursor(selection);
    }
    return findNext();
}

int FindReplaceDialog::replaceAll()
{
    m_status->clear();
    if (m_editor.isReadOnly() || m_findText->text().isEmpty())
        return 0;
    int count = 0;
    QTextCursor edit(m_editor.document());
    edit.beginEditBlock();  // one undo step
    for (QTextCursor match = nextMatch(QTextCursor(m_editor.document())); !match.isNull();
         match = nextMatch(match)) {
        edit.setPosition(match.selectionStart());
        edit.setPosition(match.selectionEnd(), QTextCursor::KeepAnchor);
        edit.insertText(m_replaceText->text());
        match.setPosition(edit.position());
        ++count;
    }
    edit.endEditBlock();
    if (count == 0)
        reportNotFound();
    else
        m_status->setText(count == 1 ? tr("Replaced 1 occurrence") : tr("Replaced %1 occurrences").arg(count));
    return count;
}

}  // namespace dayvell::editor
