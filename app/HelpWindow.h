#pragma once

#include "app/HelpFile.h"

#include <QWidget>

class QListWidget;
class QTextBrowser;
class QUrl;

namespace dayvell {

// A window that shows the topics of a help file: their titles in a list on
// the left, the chosen topic's text on the right. Links of the form
// "topic:NUMBER" lead to other topics.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(HelpFile help, QWidget* parent = nullptr);

    // Shows the topic of a context number; throws std::runtime_error naming
    // the help file when it has no such topic.
    void showTopic(int context);
    int currentContext() const { return current_; }
    QString currentText() const;

private:
    void followLink(const QUrl& link);

    HelpFile help_;
    QListWidget* titles_ = nullptr;
    QTextBrowser* text_ = nullptr;
    int current_ = 0;
};

// Opens the help file at a topic in the program's help window, which is
// created on first use and reused afterwards (the file is read again each
// time). Throws std::runtime_error when the file or the topic is missing.
HelpWindow* ShowHelpTopic(const QString& helpFile, int context);

} // namespace dayvell
