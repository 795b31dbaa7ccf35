#include "privacy/PrivacyPanel.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using dayvell::PrivacyPanel;
using dayvell::UserMessages;

namespace {

class PrivacyPanelTest : public ::testing::Test {
protected:
    QString diaryPassword = "Secret 1";
    QStringList shown;
    PrivacyPanel panel{[this] { return diaryPassword; },
                       UserMessages{[this](const QString& text) { shown << text; }, [] {}}};
    QSignalSpy accepted{&panel, &PrivacyPanel::passwordAccepted};
    QSignalSpy closing{&panel, &PrivacyPanel::closeRequested};
};

TEST_F(PrivacyPanelTest, OnlyTheExactPasswordUncoversTheDiary)
{
    struct Case {
        QString typed;
        bool accepted;
    };
    const Case cases[] = {
        {"Secret 1", true}, {"secret 1", false}, {"SECRET 1", false}, {"Secret 1 ", false},
        {" Secret 1", false}, {"Secret", false}, {"", false},
    };
    for (const Case& c : cases) {
        shown.clear();
        accepted.clear();
        panel.Pass->setText(c.typed);
        panel.BitBtn1->click();
        EXPECT_EQ(accepted.count(), c.accepted ? 1 : 0) << c.typed.toStdString();
        if (c.accepted) {
            EXPECT_TRUE(shown.isEmpty());
        } else {
            EXPECT_EQ(shown, QStringList{"Sorry, that is the wrong password"});
            EXPECT_EQ(panel.Pass->text(), c.typed) << "the typed text stays in the box";
        }
    }
}

TEST_F(PrivacyPanelTest, ComparesWithThePasswordAsItIsWhenOkIsPressed)
{
    panel.Pass->setText("Later");
    diaryPassword = "Later";
    panel.BitBtn1->click();
    EXPECT_EQ(accepted.count(), 1);
}

TEST_F(PrivacyPanelTest, EnterInTheBoxIsOk)
{
    QTest::keyClicks(panel.Pass, "Secret 1");
    QTest::keyClick(panel.Pass, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(panel.Pass->text().isEmpty());
}

TEST_F(PrivacyPanelTest, RepeatedWrongAttemptsAreAllAnswered)
{
    panel.Pass->setText("guess");
    for (int attempt = 0; attempt < 5; ++attempt)
        panel.BitBtn1->click();
    EXPECT_EQ(shown.size(), 5);
    panel.Pass->setText("Secret 1");
    panel.BitBtn1->click();
    EXPECT_EQ(accepted.count(), 1);
}

TEST_F(PrivacyPanelTest, CloseAsksForTheWindowToCloseAndChecksNothing)
{
    panel.Pass->setText("Secret 1");
    panel.BitBtn2->click();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(PrivacyPanelTest, PasswordIsNeverShownInClear)
{
    EXPECT_EQ(panel.Pass->echoMode(), QLineEdit::Password);
}

}  // namespace
