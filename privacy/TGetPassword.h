#pragma once

#include "privacy/UserMessages.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace dayvell {

class PasswordPreferences;
class TableEncryption;

// The "Set Up Password" dialog: sets a first password, changes it or clears
// it, stores the result in DV.INI and re-encrypts the diary table while the
// gauge shows the progress. It works directly on the main window's
// DiaryPassword, which it reloads from DV.INI when created. Closes with
// Accepted after a change was made, Rejected on Cancel.
class TGetPassword : public QDialog {
    Q_OBJECT

public:
    TGetPassword(QString& diaryPassword, const PasswordPreferences& preferences,
                 TableEncryption& table, UserMessages messages, QWidget* parent = nullptr);

    QFrame* PassPanel;
    QLabel* Label1;  // "Old Password"
    QLineEdit* OldPassword;
    QLabel* Label2;  // "(none)" where OldPassword is when it is hidden
    QLabel* Label3;  // "New Password"
    QLineEdit* NewPassword;
    QLabel* Label4;  // allowed characters
    QLabel* Label5;  // "Processing new password:" under PassPanel
    QProgressBar* Gauge1;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* ClearButton;

    bool checkoldpassword() const;
    // Re-encrypts the table from the old password to the new one. Raises
    // whatever the table raises.
    void ProcessPassword(const QString& oldPassword, const QString& newPassword);

public slots:
    void OkButtonClick();
    void ClearButtonClick();
    void NewPasswordExit();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildComponents();
    void reportWrongOldPassword();
    void rejectNewPassword();
    bool storePassword(const QString& newPassword, const QString& oldPassword);
    bool processTable(const QString& oldPassword, const QString& newPassword);
    void showProgress(int percent);
    void setProcessing(bool processing);

    QString& DiaryPassword;
    const PasswordPreferences& preferences_;
    TableEncryption& table_;
    UserMessages messages_;
    bool processing_ = false;
    // Set when a bad new password was just emptied, until the box is edited.
    bool newPasswordJustRejected_ = false;
};

}  // namespace dayvell
