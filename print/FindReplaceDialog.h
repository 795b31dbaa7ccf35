#pragma once

#include <QDialog>
#include <QTextCursor>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace dayvell::editor {

// The editor's modeless find dialog, or with Mode::Replace its replace dialog. It searches the
// editor's document forward from the caret and selects what it finds there.
class FindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Find, Replace };

    FindReplaceDialog(QTextEdit& editor, Mode mode);

    Mode mode() const { return m_mode; }

    // Each says whether it found something; the status line tells the user the outcome.
    bool findNext();
    bool replace();
    int replaceAll();  // the number of replacements

    QLineEdit* findText() const { return m_findText; }
    QLineEdit* replaceText() const { return m_replaceText; }
    QCheckBox* matchCase() const { return m_matchCase; }
    QCheckBox* wholeWord() const { return m_wholeWord; }
    QString status() const;

private:
    QTextCursor nextMatch(const QTextCursor& from) const;
    bool selectionIsMatch() const;
    void updateButtons();
    void reportNotFound();

    QTextEdit& m_editor;
    Mode m_mode;
    QLineEdit* m_findText = nullptr;
    QLineEdit* m_replaceText = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QPushButton* m_findButton = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace dayvell::editor
