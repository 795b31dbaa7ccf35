#include "privacy/PasswordPreferences.h"
#include "privacy/TGetPassword.h"
#include "privacy/TableEncryption.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

using dayvell::PasswordPreferences;
using dayvell::TableEncryption;
using dayvell::TGetPassword;
using dayvell::UserMessages;
using ::testing::HasSubstr;

namespace {

// Records what the dialog asks of the table, in order.
class FakeTable : public TableEncryption {
public:
    void setPassword(const QString& password) override { steps << "password " + password; }
    void refresh() override { steps << "refresh"; }
    void decryptAll(const Progress& progress) override { run("decrypt", progress); }
    void encryptAll(const Progress& progress) override { run("encrypt", progress); }

    QStringList steps;
    std::function<void(const QString& step)> duringWork;
    QString failOn;

private:
    void run(const QString& step, const Progress& progress)
    {
        steps << step;
        if (step == failOn)
            throw std::runtime_error("disk full while writing DAYVELL.FPT");
        for (int percent : {0, 40, 100}) {
            progress(percent);
            if (duringWork)
                duringWork(step);
        }
    }
};

class GetPasswordTest : public ::testing::Test {
protected:
    // storedPassword: what DV.INI holds when the dialog opens; none for no file.
    std::unique_ptr<TGetPassword> open(std::optional<QString> storedPassword)
    {
        if (storedPassword)
            preferences.SavePreferences(*storedPassword);
        auto dialog = std::make_unique<TGetPassword>(
            diaryPassword, preferences, table,
            UserMessages{[this](const QString& text) { shown << text; }, [this] { ++beeps; }});
        dialog->show();
        return dialog;
    }

    QTemporaryDir folder;
    PasswordPreferences preferences{folder.path()};
    FakeTable table;
    QString diaryPassword = "stale value";
    QStringList shown;
    int beeps = 0;
};

enum class Press { Ok, Clear };

struct StateCase {
    const char* name;
    std::optional<QString> stored;
    QString oldTyped;
    QString newTyped;
    Press press;
    QStringList steps;
    QStringList messages;
    QString passwordAfter;
    bool closes;
};

const QStringList kFirstSteps{"refresh", "password P4ss", "refresh", "encrypt", "refresh"};
const QStringList kChangeSteps{"password Old1", "refresh", "decrypt", "refresh",
                               "password P4ss", "refresh", "encrypt", "refresh"};
const QStringList kClearSteps{"password Old1", "refresh", "decrypt", "refresh", "refresh"};
const QString kWriteDown = "Be sure to write down your new password: P4ss";
const QString kCleared = "Password cleared. No password now required.";

const StateCase kStateCases[] = {
    {"first password", std::nullopt, "", "P4ss", Press::Ok, kFirstSteps, {kWriteDown}, "P4ss", true},
    {"first password over empty value", "", "", "P4ss", Press::Ok, kFirstSteps, {kWriteDown}, "P4ss", true},
    {"change", "Old1", "Old1", "P4ss", Press::Ok, kChangeSteps, {kWriteDown}, "P4ss", true},
    {"clear", "Old1", "Old1", "ignored", Press::Clear, kClearSteps, {kCleared}, "", true},
    {"ok with empty new clears", "Old1", "Old1", "", Press::Ok, kClearSteps, {kCleared}, "", true},
    {"ok with the same password", "Old1", "Old1", "Old1", Press::Ok, {}, {}, "Old1", true},
    {"clear without a password", std::nullopt, "", "", Press::Clear, {}, {}, "", true},
    {"lower case kept as typed", "Old1", "Old1", "p4 ss", Press::Ok,
     {"password Old1", "refresh", "decrypt", "refresh", "password p4 ss", "refresh", "encrypt", "refresh"},
     {"Be sure to write down your new password: p4 ss"}, "p4 ss", true},
    {"old password in other case", "Old1", "old1", "P4ss", Press::Ok, {},
     {"Previous password is incorrect"}, "Old1", false},
    {"old password missing", "Old1", "", "P4ss", Press::Ok, {},
     {"Previous password is required"}, "Old1", false},
    {"old password with a trailing space", "Old1", "Old1 ", "P4ss", Press::Ok, {},
     {"Previous password is incorrect"}, "Old1", false},
    {"clear with a wrong old password", "Old1", "Old2", "", Press::Clear, {},
     {"Previous password is incorrect"}, "Old1", false},
    {"clear without the old password", "Old1", "", "", Press::Clear, {},
     {"Previous password is required"}, "Old1", false},
};

TEST_F(GetPasswordTest, StateTable)
{
    for (const StateCase& c : kStateCases) {
        SCOPED_TRACE(c.name);
        table.steps.clear();
        shown.clear();
        QFile::remove(preferences.filePath());

        auto dialog = open(c.stored);
        dialog->OldPassword->setText(c.oldTyped);
        dialog->NewPassword->setText(c.newTyped);
        (c.press == Press::Ok ? dialog->OkButton : dialog->ClearButton)->click();

        EXPECT_EQ(table.steps, c.steps);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(diaryPassword, c.passwordAfter);
        EXPECT_EQ(preferences.LoadPreferences(), c.passwordAfter);
        EXPECT_EQ(dialog->isVisible(), !c.closes);
        if (c.closes) {
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            EXPECT_TRUE(QFile::exists(preferences.filePath()));
        }
    }
}

TEST_F(GetPasswordTest, FailedOldPasswordCheckStoresNothing)
{
    const QByteArray before = [&] {
        preferences.SavePreferences("Old1");
        QFile file(preferences.filePath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    auto dialog = open(std::nullopt);
    dialog->OldPassword->setText("wrong");
    dialog->NewPassword->setText("P4ss");
    dialog->OkButton->click();
    QFile file(preferences.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(GetPasswordTest, CreationReloadsThePasswordAndShowsTheOldBoxOnlyWhenOneIsStored)
{
    auto withPassword = open("Old1");
    EXPECT_EQ(diaryPassword, "Old1");
    EXPECT_FALSE(withPassword->OldPassword->isHidden());
    EXPECT_EQ(withPassword->focusWidget(), withPassword->OldPassword);

    QFile::remove(preferences.filePath());
    auto withoutPassword = open(std::nullopt);
    EXPECT_EQ(diaryPassword, "");
    EXPECT_TRUE(withoutPassword->OldPassword->isHidden());
    EXPECT_TRUE(withoutPassword->Label2->isVisible());
    EXPECT_EQ(withoutPassword->Label2->text(), "(none)");
    EXPECT_EQ(withoutPassword->Label2->geometry(), withoutPassword->OldPassword->geometry());
}

TEST_F(GetPasswordTest, CaptionsAndSize)
{
    auto dialog = open(std::nullopt);
    EXPECT_EQ(dialog->windowTitle(), "Set Up Password");
    EXPECT_EQ(dialog->size(), QSize(366, 239));
    EXPECT_EQ(dialog->Label1->text(), "Old Password");
    EXPECT_EQ(dialog->Label3->text(), "New Password");
    EXPECT_EQ(dialog->Label4->text(), "(maximum 8 chars - A-Z, 0-9 and spaces)");
    EXPECT_EQ(dialog->Label5->text(), "Processing new password:");
    EXPECT_EQ(dialog->ClearButton->text(), "Clear (no password)");
    EXPECT_TRUE(dialog->OkButton->isDefault());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog->Gauge1->isVisible());

    // "Processing new password:" lies under the panel and shows once it is hidden.
    const QPoint labelCentre = dialog->Label5->geometry().center();
    EXPECT_NE(dialog->childAt(labelCentre), dialog->Label5);
    dialog->PassPanel->hide();
    EXPECT_EQ(dialog->childAt(labelCentre), dialog->Label5);
}

TEST_F(GetPasswordTest, TabOrderRunsFromTheButtonsToTheBoxes)
{
    auto dialog = open("Old1");
    const QList<QWidget*> order{dialog->OkButton, dialog->CancelButton, dialog->ClearButton,
                                dialog->OldPassword, dialog->NewPassword, dialog->OkButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || !next->isVisible())
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString();
    }
}

TEST_F(GetPasswordTest, NeitherBoxTakesANinthCharacter)
{
    auto dialog = open("Old1");
    for (QLineEdit* box : {dialog->OldPassword, dialog->NewPassword}) {
        QTest::keyClicks(box, "ABCDEFGHIJ");
        EXPECT_EQ(box->text(), "ABCDEFGH");
    }
    EXPECT_EQ(dialog->OldPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog->NewPassword->echoMode(), QLineEdit::Normal);
}

TEST_F(GetPasswordTest, LeavingTheNewBoxWithABadCharacterBeepsEmptiesItAndReturns)
{
    auto dialog = open(std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const QString& typed : {QString("pass-1"), QString("pässe"), QString("a\tb")}) {
        shown.clear();
        beeps = 0;
        dialog->NewPassword->setFocus();
        dialog->NewPassword->setText(typed);
        dialog->OkButton->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(beeps, 1) << typed.toStdString();
        EXPECT_EQ(shown, QStringList{"Valid password characters are A-Z, 0-9 and spaces"});
        EXPECT_TRUE(dialog->NewPassword->text().isEmpty());
        EXPECT_TRUE(dialog->NewPassword->hasFocus());
    }
}

TEST_F(GetPasswordTest, LeavingTheNewBoxWithGoodCharactersSaysNothing)
{
    auto dialog = open(std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const QString& typed : {QString(), QString("Az 09 zA")}) {
        dialog->NewPassword->setFocus();
        dialog->NewPassword->setText(typed);
        dialog->OkButton->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(dialog->NewPassword->text(), typed);
    }
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(shown.isEmpty());
}

// Enter presses OK while the focus is still in the box, so the box is never left.
TEST_F(GetPasswordTest, OkRefusesBadCharactersEvenWhenTheBoxWasNotLeft)
{
    auto dialog = open("Old1");
    dialog->OldPassword->setText("Old1");
    dialog->NewPassword->setText("new!");
    dialog->OkButtonClick();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(shown, QStringList{"Valid password characters are A-Z, 0-9 and spaces"});
    EXPECT_TRUE(table.steps.isEmpty());
    EXPECT_EQ(preferences.LoadPreferences(), "Old1");
    EXPECT_TRUE(dialog->isVisible());
}

// The click leaves the box, which is emptied for the bad character; the same
// click must not then act as OK with an empty box, which would clear the password.
TEST_F(GetPasswordTest, ClickingOkWithABadCharacterDoesNotClearThePassword)
{
    auto dialog = open("Old1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->OldPassword->setText("Old1");
    dialog->NewPassword->setFocus();
    QTest::keyClicks(dialog->NewPassword, "ab#");
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);

    EXPECT_EQ(shown, QStringList{"Valid password characters are A-Z, 0-9 and spaces"});
    EXPECT_TRUE(table.steps.isEmpty());
    EXPECT_EQ(preferences.LoadPreferences(), "Old1");
    EXPECT_TRUE(dialog->isVisible());

    // A later OK on the empty box is meant, and clears as usual.
    dialog->OkButton->click();
    EXPECT_EQ(preferences.LoadPreferences(), "");
}

TEST_F(GetPasswordTest, WhileProcessingTheButtonsAreDisabledTheGaugeMovesAndEscIsIgnored)
{
    auto dialog = open("Old1");
    dialog->OldPassword->setText("Old1");
    dialog->NewPassword->setText("P4ss");
    int checks = 0;
    table.duringWork = [&](const QString&) {
        ++checks;
        EXPECT_FALSE(dialog->OkButton->isEnabled());
        EXPECT_FALSE(dialog->CancelButton->isEnabled());
        EXPECT_FALSE(dialog->ClearButton->isEnabled());
        EXPECT_TRUE(dialog->PassPanel->isHidden());
        EXPECT_TRUE(dialog->Label5->isVisible());
        EXPECT_TRUE(dialog->Gauge1->isVisible());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
    };
    std::vector<int> gauge;
    QObject::connect(dialog->Gauge1, &QProgressBar::valueChanged,
                     [&](int value) { gauge.push_back(value); });
    dialog->OkButton->click();

    EXPECT_EQ(checks, 6);
    EXPECT_EQ(gauge, (std::vector<int>{40, 100, 0, 40, 100})) << "0 was the starting value";
    EXPECT_FALSE(dialog->Gauge1->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(GetPasswordTest, CancelAndEscChangeNothing)
{
    for (bool byEscape : {false, true}) {
        auto dialog = open("Old1");
        dialog->OldPassword->setText("Old1");
        dialog->NewPassword->setText("P4ss");
        if (byEscape)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            dialog->CancelButton->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(diaryPassword, "Old1");
        EXPECT_EQ(preferences.LoadPreferences(), "Old1");
        EXPECT_TRUE(table.steps.isEmpty());
        EXPECT_TRUE(shown.isEmpty());
    }
}

TEST_F(GetPasswordTest, UnwritableIniShowsTheErrorAndChangesNothing)
{
    QTemporaryDir other;
    const QString missingFolder = other.filePath("gone");
    const PasswordPreferences nowhere(missingFolder);
    diaryPassword = "Old1";
    TGetPassword dialog(diaryPassword, nowhere, table,
                        UserMessages{[this](const QString& text) { shown << text; }, [] {}});
    dialog.show();
    dialog.NewPassword->setText("P4ss");
    dialog.OkButton->click();

    EXPECT_EQ(shown, QStringList{"Unable to write to " + nowhere.filePath()});
    EXPECT_EQ(diaryPassword, "") << "what the file holds: nothing";
    EXPECT_TRUE(table.steps.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.OkButton->isEnabled());
}

TEST_F(GetPasswordTest, FailedTableWorkPutsTheOldPasswordBackAndKeepsTheDialogOpen)
{
    struct Case {
        const char* failOn;
        QString newTyped;
        QString lastTablePassword;
    };
    const Case cases[] = {
        {"decrypt", "P4ss", "password Old1"},
        {"encrypt", "P4ss", "password Old1"},
        {"decrypt", "", "password Old1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.failOn) + " to '" + c.newTyped.toStdString() + "'");
        shown.clear();
        table.steps.clear();
        table.failOn = c.failOn;
        auto dialog = open("Old1");
        dialog->OldPassword->setText("Old1");
        dialog->NewPassword->setText(c.newTyped);
        dialog->OkButton->click();

        ASSERT_EQ(shown.size(), 1);
        EXPECT_THAT(shown[0].toStdString(), HasSubstr("disk full while writing DAYVELL.FPT"));
        EXPECT_THAT(shown[0].toStdString(), HasSubstr("The password was not changed."));
        EXPECT_EQ(preferences.LoadPreferences(), "Old1");
        EXPECT_EQ(diaryPassword, "Old1");
        EXPECT_EQ(table.steps.mid(table.steps.size() - 2),
                  (QStringList{c.lastTablePassword, "refresh"}));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->PassPanel->isHidden());
        EXPECT_FALSE(dialog->Gauge1->isVisible());
        EXPECT_TRUE(dialog->CancelButton->isEnabled());
    }
}

}  // namespace
