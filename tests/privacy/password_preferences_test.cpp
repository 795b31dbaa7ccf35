#include "privacy/PasswordPreferences.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>
#include <string>

using dayvell::PasswordPreferences;
using ::testing::HasSubstr;

namespace {

class PasswordPreferencesTest : public ::testing::Test {
protected:
    QString iniPath() const { return folder.filePath("DV.INI"); }

    void writeIni(const QByteArray& bytes) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir folder;
    PasswordPreferences preferences{folder.path()};
};

TEST_F(PasswordPreferencesTest, NewFileHoldsTheScrambledBytesAsTheyAre)
{
    preferences.SavePreferences("abc");
    EXPECT_EQ(readIni(), QByteArray("[Security]\nPassword=\xC2\xC9\xC4\n"));
    EXPECT_EQ(preferences.LoadPreferences(), "abc");
}

TEST_F(PasswordPreferencesTest, PathIsTheProgramFolderAndDvIni)
{
    EXPECT_EQ(PasswordPreferences(folder.path() + "/").filePath(), iniPath());
    EXPECT_EQ(preferences.filePath(), iniPath());
}

TEST_F(PasswordPreferencesTest, EmptyPasswordIsWrittenAsAnEmptyValue)
{
    preferences.SavePreferences("abc");
    preferences.SavePreferences("");
    EXPECT_EQ(readIni(), QByteArray("[Security]\nPassword=\n"));
    EXPECT_EQ(preferences.LoadPreferences(), "");
}

TEST_F(PasswordPreferencesTest, MissingFileSectionOrKeyMeansNoPassword)
{
    EXPECT_EQ(preferences.LoadPreferences(), "");
    for (const QByteArray& content : {QByteArray(""), QByteArray("[Other]\nPassword=\xC2\xC9\xC4\n"),
                                      QByteArray("[Security]\nPasswort=\xC2\xC9\xC4\n"),
                                      QByteArray("Password=\xC2\xC9\xC4\n")}) {
        writeIni(content);
        EXPECT_EQ(preferences.LoadPreferences(), "") << content.toStdString();
    }
}

TEST_F(PasswordPreferencesTest, ReadsHandWrittenVariants)
{
    struct Case {
        QByteArray content;
        QString password;
    };
    const Case cases[] = {
        {"[Security]\r\nPassword=\xC2\xC9\xC4\r\n", "abc"},
        {"[security]\nPASSWORD = \xC2\xC9\xC4  \n", "abc"},
        {"  [ Security ]  \nPassword=\xC2\xC9\xC4", "abc"},
        {"[Security]\nPassword=\xC2\xC9\xC4\nPassword=\xA4\n", "abc"},
        {"[Security]\nPassword=\n", ""},
        // Not written by us, decoded all the same.
        {"[Security]\nPassword=xyz\n", QString::fromLatin1(QByteArray("\x17\x12\x19"))},
    };
    for (const Case& c : cases) {
        writeIni(c.content);
        EXPECT_EQ(preferences.LoadPreferences(), c.password) << c.content.toStdString();
    }
}

TEST_F(PasswordPreferencesTest, EveryOtherByteOfTheFileIsKept)
{
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"[Window]\r\nLeft=10\r\n\r\n[Security]\r\nPassword=\xA4\r\nHint=blue\r\n\r\n[Last]\r\nx=y\r\n",
         "[Window]\r\nLeft=10\r\n\r\n[Security]\r\nPassword=\xC2\xC9\xC4\r\nHint=blue\r\n\r\n[Last]\r\nx=y\r\n"},
        {"; comment\n[Security]\nHint=blue\n\n[Last]\nx=y",
         "; comment\n[Security]\nHint=blue\nPassword=\xC2\xC9\xC4\n\n[Last]\nx=y"},
        {"[Window]\nLeft=10", "[Window]\nLeft=10\n\n[Security]\nPassword=\xC2\xC9\xC4\n"},
        {"[Window]\r\nLeft=10\r\n", "[Window]\r\nLeft=10\r\n\r\n[Security]\r\nPassword=\xC2\xC9\xC4\r\n"},
    };
    for (const Case& c : cases) {
        writeIni(c.before);
        preferences.SavePreferences("abc");
        EXPECT_EQ(readIni(), c.after) << c.before.toStdString();
        EXPECT_EQ(preferences.LoadPreferences(), "abc");
    }
}

std::string saveError(const PasswordPreferences& preferences, const QString& password)
{
    try {
        preferences.SavePreferences(password);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no error";
}

TEST_F(PasswordPreferencesTest, UnwritableFileRaisesAnErrorNamingIt)
{
    const PasswordPreferences nowhere(folder.filePath("missing-folder"));
    EXPECT_EQ(saveError(nowhere, "abc"),
              "Unable to write to " + nowhere.filePath().toStdString());
}

TEST_F(PasswordPreferencesTest, FailedWriteLeavesTheOldFileWhole)
{
    const QByteArray before = "[Window]\nLeft=10\n[Security]\nPassword=\xC2\xC9\xC4\n";
    writeIni(before);
    // The temporary file cannot be created where a folder of its name stands.
    ASSERT_TRUE(QDir(folder.path()).mkdir("DV.INI.new"));
    EXPECT_EQ(saveError(preferences, "xyz"), "Unable to write to " + iniPath().toStdString());
    EXPECT_EQ(readIni(), before);
}

TEST_F(PasswordPreferencesTest, NoTemporaryFileIsLeftBehind)
{
    preferences.SavePreferences("abc");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"DV.INI"});
}

TEST_F(PasswordPreferencesTest, UnreadableFileIsAnErrorNotAnEmptyPassword)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("DV.INI"));
    EXPECT_THROW((void)preferences.LoadPreferences(), std::runtime_error);
    EXPECT_THAT(saveError(preferences, "abc"), HasSubstr("DV.INI"));
}

// "\u00A7" scrambles to a line end and "\u0100" needs two bytes: neither would
// read back, so nothing is written.
TEST_F(PasswordPreferencesTest, PasswordsThatCannotReadBackAreRefused)
{
    writeIni("[Security]\nPassword=\xC2\xC9\xC4\n");
    for (const QString& password : {QString(QChar(0xA7)), QString(QChar(0x100))}) {
        EXPECT_THAT(saveError(preferences, password), HasSubstr("cannot be stored"));
        EXPECT_EQ(preferences.LoadPreferences(), "abc");
    }
}

}  // namespace
