#pragma once

#include "privacy/UserMessages.h"

#include <QFrame>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dayvell {

// The panel that covers the diary page while a password is asked for. The
// main window places it over the page, shows it when the diary starts hidden,
// and connects passwordAccepted (uncover the diary with the password given)
// and closeRequested (close the window, which asks before exiting). Pressing
// Enter in Pass is OK.
class PrivacyPanel : public QFrame {
    Q_OBJECT

public:
    // diaryPassword gives the password to compare with when OK is pressed.
    PrivacyPanel(std::function<QString()> diaryPassword, UserMessages messages,
                 QWidget* parent = nullptr);
    // opensDiary tells whether the text typed is the right password.
    PrivacyPanel(std::function<bool(const QString& typed)> opensDiary, UserMessages messages,
                 QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Pass;
    QFrame* Panel1;
    QPushButton* BitBtn1;  // "OK"
    QPushButton* BitBtn2;  // "Close"

public slots:
    // Exact comparison: letter case counts and nothing is trimmed.
    void BitBtn1Click();
    void BitBtn2Click();

signals:
    void passwordAccepted(const QString& password);
    void closeRequested();

private:
    std::function<bool(const QString&)> opensDiary_;
    UserMessages messages_;
};

}  // namespace dayvell
