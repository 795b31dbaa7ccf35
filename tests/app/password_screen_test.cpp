// The diary password on the main window: the covered start, the password
// panel, a diary whose DV.INI was lost, and the change-password command,
// all over the real diary table.

#include "app/BevelPanel.h"
#include "RecordedMessages.h"
#include "app/MessageBoxes.h"
#include "app/StoredEntries.h"
#include "app/TMainScreen.h"
#include "app/TRingPanel.h"
#include "app/TextButton.h"
#include "print/RichTextEditor.h"
#include "privacy/PasswordPreferences.h"
#include "privacy/PrivacyPanel.h"
#include "privacy/TGetPassword.h"
#include "store/engine/MemoCipher.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <map>

// Failures show the text rather than its characters one by one.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

using namespace dayvell;

namespace {

const QString kPassword = "Secret 1";
constexpr char kWrongPassword[] = "Sorry, that is the wrong password";

using Snapshot = std::map<QString, QByteArray>;

class PasswordScreenTest : public ::testing::Test, protected dayvell::testing::RecordedMessages
{
protected:
    QTemporaryDir folder;
    std::unique_ptr<TMainScreen> window;

    // Entries of three dates, today's among them.
    const QDate today = QDate::currentDate();
    const std::map<QDate, QString> entries = {
        { today.addDays(-40), "First words" },
        { today.addDays(-2), "Middle of the week" },
        { today, "Today's words" },
    };

    static engine::TableOptions quickKeys()
    {
        engine::TableOptions options;
        options.keyCost = engine::MemoCipher::kQuickTestCost;
        return options;
    }

    void start()
    {
        window = std::make_unique<TMainScreen>(std::make_unique<StoredEntries>(folder.path(), quickKeys()),
                                               folder.path());
        window->show();
        QApplication::processEvents();
        informations.clear();
    }

    void quit()
    {
        exitAnswer = MessageResultYes;
        window.reset();
        exitAnswer = MessageResultNo;
    }

    void restart()
    {
        quit();
        start();
    }

    void TearDown() override { quit(); }

    void goTo(const QDate& date)
    {
        window->DiaryDate = date;
        window->FindDateRecord();
        window->LoadRichText();
    }

    QString pageText() const { return window->WPRichText1->toPlainText(); }

    void type(const QString& text)
    {
        window->WPRichText1->setFocus();
        QTest::keyClicks(window->WPRichText1, text);
    }

    void writeEntries()
    {
        for (const auto& [date, text] : entries) {
            goTo(date);
            type(text);
            window->SaveButtonClick();
        }
        goTo(today);
    }

    void expectEntriesIntact()
    {
        for (const auto& [date, text] : entries) {
            goTo(date);
            EXPECT_EQ(pageText(), text) << date.toString(Qt::ISODate).toStdString();
        }
        goTo(today);
    }

    // Opens "Select or Change Password", lets `act` work the dialog, and
    // closes it if `act` left it open.
    void onPasswordDialog(const std::function<void(TGetPassword&)>& act)
    {
        bool shown = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* dialog = window->findChild<TGetPassword*>();
            ASSERT_NE(dialog, nullptr);
            shown = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        window->mnuSecurity->trigger();
        EXPECT_TRUE(shown);
    }

    void changePassword(const QString& oldPassword, const QString& newPassword)
    {
        onPasswordDialog([&](TGetPassword& dialog) {
            dialog.OldPassword->setText(oldPassword);
            dialog.NewPassword->setText(newPassword);
            dialog.OkButton->click();
        });
    }

    // A diary of three entries encrypted under kPassword, and not running.
    void makeLockedDiary()
    {
        start();
        writeEntries();
        changePassword({}, kPassword);
        quit();
    }

    void typeOnPanel(const QString& text)
    {
        window->PrivacyPanel->Pass->setText(text);
        window->PrivacyPanel->BitBtn1->click();
    }

    Snapshot snapshot() const
    {
        Snapshot files;
        const QDir dir(folder.path());
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            files[name] = file.readAll();
        }
        return files;
    }

    QString storedPassword() const { return PasswordPreferences(folder.path()).LoadPreferences(); }

    QList<QAction*> lockedCommands() const
    {
        QList<QAction*> actions;
        for (QMenu* menu : { window->mnuFile, window->mnuEdit, window->mnuUtilities, window->Print1 })
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && !action->menu())
                    actions << action;
        return actions;
    }

    void expectHidden()
    {
        EXPECT_TRUE(window->DiaryHidden());
        EXPECT_TRUE(window->PrivacyPanel->isVisible());
        EXPECT_EQ(window->PrivacyPanel->geometry(), window->RingPanel1->rect());
        EXPECT_FALSE(window->ToolbarPanel->isVisible());
        EXPECT_FALSE(window->ActionPanel->isVisible());
        for (QMenu* menu : { window->mnuFile, window->mnuEdit, window->mnuUtilities })
            EXPECT_FALSE(menu->menuAction()->isEnabled()) << menu->objectName().toStdString();
        for (QAction* action : lockedCommands())
            EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
        EXPECT_TRUE(window->Help1->menuAction()->isEnabled());
        EXPECT_TRUE(window->Contents1->isEnabled());
        EXPECT_TRUE(window->About1->isEnabled());
        EXPECT_EQ(pageText(), "") << "nothing of the diary lies behind the panel";
    }

    void expectOpen()
    {
        EXPECT_FALSE(window->DiaryHidden());
        EXPECT_FALSE(window->PrivacyPanel->isVisible());
        EXPECT_TRUE(window->ToolbarPanel->isVisible());
        EXPECT_TRUE(window->ActionPanel->isVisible());
        for (QMenu* menu : { window->mnuFile, window->mnuEdit, window->mnuUtilities })
            EXPECT_TRUE(menu->menuAction()->isEnabled()) << menu->objectName().toStdString();
        for (QAction* action : lockedCommands())
            EXPECT_EQ(action->isEnabled(), action != window->mnuFindNextBig) << action->objectName().toStdString();
    }
};

TEST_F(PasswordScreenTest, WithoutAStoredPasswordThePanelIsNeverShown)
{
    start();
    expectOpen();
    EXPECT_FALSE(QFile::exists(folder.filePath("DV.INI")));
}

TEST_F(PasswordScreenTest, AStoredPasswordCoversThePageAtStartAndLoadsNothing)
{
    makeLockedDiary();
    start();
    expectHidden();
    EXPECT_EQ(window->DiaryPassword, kPassword);
    EXPECT_EQ(window->DiaryDate, today);
    EXPECT_FALSE(window->EntryFound);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(window->PrivacyPanel->Pass->hasFocus());
    for (int press = 0; press < 6; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), window->WPRichText1) << "the covered page takes no keys";
    }
}

TEST_F(PasswordScreenTest, CommandKeysAreDeadBehindThePanelAndLiveAfterIt)
{
    makeLockedDiary();
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // Only the key presses are watched: no command runs.
    std::map<QAction*, std::unique_ptr<QSignalSpy>> triggered;
    for (QAction* action : lockedCommands()) {
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        triggered[action] = std::make_unique<QSignalSpy>(action, &QAction::triggered);
    }
    const auto pressEveryShortcut = [&] {
        for (QAction* action : lockedCommands())
            if (!action->shortcut().isEmpty())
                QTest::keySequence(window.get(), action->shortcut());
        for (const char key : { 'S', 'C', 'H', 'X' }) // the button bar's mnemonics
            QTest::keyClick(window.get(), Qt::Key(key), Qt::AltModifier);
        QApplication::processEvents();
    };

    pressEveryShortcut();
    for (const auto& [action, spy] : triggered)
        EXPECT_EQ(spy->count(), 0) << action->objectName().toStdString();
    EXPECT_TRUE(questions.isEmpty()) << "E&xit is not reachable";
    EXPECT_FALSE(window->isMinimized()) << "&Hide! is not reachable";
    expectHidden();

    typeOnPanel(kPassword);
    expectOpen();
    window->mnuFindNextBig->setEnabled(true);
    for (QAction* action : lockedCommands())
        if (!action->shortcut().isEmpty())
            QTest::keySequence(window.get(), action->shortcut());
    for (const auto& [action, spy] : triggered)
        EXPECT_EQ(spy->count(), action->shortcut().isEmpty() ? 0 : 1) << action->objectName().toStdString();
}

enum class StoredPassword { EncryptedTable, PlainTableWithPassword };

class PasswordPanelTest : public PasswordScreenTest, public ::testing::WithParamInterface<StoredPassword>
{
};

TEST_P(PasswordPanelTest, OnlyTheExactPasswordUncoversThePage)
{
    if (GetParam() == StoredPassword::EncryptedTable) {
        makeLockedDiary();
    } else {
        start();
        writeEntries();
        quit();
        PasswordPreferences(folder.path()).SavePreferences(kPassword);
    }
    start();
    const Snapshot before = snapshot();
    for (const QString& wrong : { QString("secret 1"), QString("SECRET 1"), QString("Secret 1 "), QString() }) {
        SCOPED_TRACE(wrong.toStdString());
        informations.clear();
        typeOnPanel(wrong);
        EXPECT_EQ(informations, QStringList{ kWrongPassword });
        EXPECT_EQ(window->PrivacyPanel->Pass->text(), wrong);
        expectHidden();
    }
    EXPECT_EQ(snapshot(), before) << "a wrong password writes nothing";

    informations.clear();
    typeOnPanel(kPassword);
    EXPECT_TRUE(informations.isEmpty());
    expectOpen();
    EXPECT_EQ(window->PrivacyPanel->Pass->text(), "");
    EXPECT_TRUE(window->EntryFound);
    EXPECT_EQ(pageText(), "Today's words");
    EXPECT_EQ(storedPassword(), kPassword);
    expectEntriesIntact();
}

INSTANTIATE_TEST_SUITE_P(Stored, PasswordPanelTest,
                         ::testing::Values(StoredPassword::EncryptedTable, StoredPassword::PlainTableWithPassword),
                         [](const ::testing::TestParamInfo<StoredPassword>& stored) {
                             return stored.param == StoredPassword::EncryptedTable ? "EncryptedTable"
                                                                                   : "PlainTableWithPassword";
                         });

TEST_F(PasswordScreenTest, CloseOnThePanelAsksBeforeExiting)
{
    makeLockedDiary();
    start();
    window->PrivacyPanel->BitBtn2->click();
    EXPECT_EQ(questions, QStringList{ "Exit program?" });
    EXPECT_TRUE(window->isVisible());
    expectHidden();

    exitAnswer = MessageResultYes;
    window->PrivacyPanel->BitBtn2->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PasswordScreenTest, DateKeysMoveBehindThePanelWithoutReadingOrWriting)
{
    makeLockedDiary();
    start();
    const Snapshot before = snapshot();
    for (int step = 0; step < 2; ++step)
        QTest::keyClick(window->PrivacyPanel->Pass, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->DiaryDate, today.addDays(-2));
    expectHidden();
    EXPECT_EQ(snapshot(), before);

    typeOnPanel(kPassword);
    EXPECT_EQ(window->DiaryDate, today.addDays(-2));
    EXPECT_EQ(pageText(), "Middle of the week");
    EXPECT_TRUE(window->EntryFound);
}

// The table stays encrypted while DV.INI no longer gives its password.
TEST_F(PasswordScreenTest, AnEncryptedDiaryWhosePasswordFileIsLostAsksForTheTablePassword)
{
    const struct {
        const char* name;
        std::function<void(const QString& iniPath)> damage;
    } cases[] = {
        { "file deleted", [](const QString& path) { QFile::remove(path); } },
        { "empty value", [this](const QString&) { PasswordPreferences(folder.path()).SavePreferences({}); } },
        { "another password", [this](const QString&) { PasswordPreferences(folder.path()).SavePreferences("Newer"); } },
    };
    makeLockedDiary();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.damage(folder.filePath("DV.INI"));
        start();
        expectHidden();

        const Snapshot before = snapshot();
        for (const QString& wrong : { QString("secret 1"), QString(), QString("Newer") }) {
            informations.clear();
            typeOnPanel(wrong);
            EXPECT_EQ(informations, QStringList{ kWrongPassword }) << wrong.toStdString();
        }
        expectHidden();
        EXPECT_EQ(snapshot(), before) << "nothing is written without the table's password";

        typeOnPanel(kPassword);
        expectOpen();
        EXPECT_EQ(window->DiaryPassword, kPassword);
        EXPECT_EQ(storedPassword(), kPassword) << "DV.INI holds the password again";
        EXPECT_EQ(pageText(), "Today's words");
        expectEntriesIntact();
        quit();
    }
    start();
    expectHidden();
    typeOnPanel(kPassword);
    expectOpen();
}

// DV.INI takes a new password before the table is encrypted: a change cut
// short leaves plain entries under a stored password. Giving that password
// finishes the encryption.
TEST_F(PasswordScreenTest, PlainEntriesUnderAStoredPasswordAreEncryptedOnceItIsGiven)
{
    start();
    writeEntries();
    quit();
    PasswordPreferences(folder.path()).SavePreferences(kPassword);

    start();
    expectHidden();
    typeOnPanel(kPassword);
    expectOpen();
    EXPECT_TRUE(informations.isEmpty()) << informations.join('\n').toStdString();
    expectEntriesIntact();
    const QByteArray memo = snapshot().at("DAYVELL.FPT");
    for (const auto& [date, text] : entries)
        EXPECT_FALSE(memo.contains(text.toUtf8())) << text.toStdString();

    restart();
    expectHidden();
    informations.clear();
    typeOnPanel("secret 1");
    EXPECT_EQ(informations, QStringList{ kWrongPassword });
    typeOnPanel(kPassword);
    expectOpen();
    expectEntriesIntact();
}

TEST_F(PasswordScreenTest, AnUnreadablePasswordFileIsReportedAndTheDiaryStillAsksForItsPassword)
{
    makeLockedDiary();
    QFile::remove(folder.filePath("DV.INI"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("DV.INI"));
    informations.clear();
    window = std::make_unique<TMainScreen>(std::make_unique<StoredEntries>(folder.path(), quickKeys()),
                                           folder.path());
    window->show();
    ASSERT_EQ(informations.size(), 1) << informations.join(" | ").toStdString();
    EXPECT_TRUE(informations[0].contains(folder.filePath("DV.INI"))) << informations[0].toStdString();
    expectHidden();

    informations.clear();
    typeOnPanel(kPassword);
    expectOpen();
    EXPECT_EQ(pageText(), "Today's words");
    ASSERT_EQ(informations.size(), 1) << "the password could not be written back";
    EXPECT_TRUE(informations[0].contains(folder.filePath("DV.INI"))) << informations[0].toStdString();
}

TEST_F(PasswordScreenTest, PasswordIsSetAskedForChangedAndClearedWithEveryEntryIntact)
{
    start();
    writeEntries();

    changePassword({}, kPassword);
    EXPECT_EQ(informations, QStringList{ "Be sure to write down your new password: " + kPassword });
    EXPECT_EQ(window->DiaryPassword, kPassword);
    EXPECT_FALSE(window->DiaryHidden()) << "setting a password does not cover the diary";
    expectEntriesIntact();

    restart();
    expectHidden();
    typeOnPanel(kPassword);
    expectEntriesIntact();

    informations.clear();
    changePassword(kPassword, "other 2");
    EXPECT_EQ(informations, QStringList{ "Be sure to write down your new password: other 2" });
    expectEntriesIntact();

    restart();
    typeOnPanel(kPassword);
    EXPECT_EQ(informations, QStringList{ kWrongPassword });
    typeOnPanel("other 2");
    expectOpen();
    expectEntriesIntact();

    informations.clear();
    onPasswordDialog([](TGetPassword& dialog) {
        dialog.OldPassword->setText("other 2");
        dialog.ClearButton->click();
    });
    EXPECT_EQ(informations, QStringList{ "Password cleared. No password now required." });
    EXPECT_EQ(window->DiaryPassword, "");
    expectEntriesIntact();

    restart();
    expectOpen();
    EXPECT_EQ(pageText(), "Today's words");
    expectEntriesIntact();
}

// The dialog walks the table in record order with its indexes closed; the
// save after it must still land on the record of the current date.
TEST_F(PasswordScreenTest, SavingAfterThePasswordDialogEditsTheCurrentDatesEntry)
{
    const struct {
        const char* name;
        std::function<void(TGetPassword&)> act;
    } cases[] = {
        { "cancelled", [](TGetPassword& dialog) { dialog.CancelButton->click(); } },
        { "password set",
          [](TGetPassword& dialog) {
              dialog.NewPassword->setText(kPassword);
              dialog.OkButton->click();
          } },
        { "password cleared",
          [](TGetPassword& dialog) {
              dialog.OldPassword->setText(kPassword);
              dialog.ClearButton->click();
          } },
    };
    start();
    writeEntries();
    const QDate middle = today.addDays(-2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        goTo(middle);
        type(" unsaved");
        onPasswordDialog(c.act);
        EXPECT_EQ(pageText(), "Middle of the week") << "the page is reloaded from the table";
        EXPECT_FALSE(window->SaveButton->isVisible());
        EXPECT_EQ(window->DiaryDate, middle);

        window->WPRichText1->selectAll();
        type("Edited");
        window->SaveButtonClick();
        goTo(today);
        EXPECT_EQ(pageText(), "Today's words");
        goTo(today.addDays(-40));
        EXPECT_EQ(pageText(), "First words");
        goTo(middle);
        EXPECT_EQ(pageText(), "Edited");
        // Back to the text the other cases expect.
        window->WPRichText1->selectAll();
        type("Middle of the week");
        window->SaveButtonClick();
    }
}

} // namespace
