#include "app/HelpFile.h"
#include "app/HelpWindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace dayvell;

namespace {

const QString ShippedHelp = QStringLiteral(DAYVELL_SOURCE_DIR "/resources/DAYVELL.HLP");

std::string errorOf(const QString& text)
{
    try {
        HelpFile::parse(text, "/diary/DAYVELL.HLP");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(HelpFileTest, ReadsTopicsWithTheirContextNumbers)
{
    const HelpFile help = HelpFile::parse("# a comment\n\n[1009] Contents\n<p>Start</p>\n"
                                          "[17]   Second topic  \nline one\nline two\n",
                                          "x.hlp");
    ASSERT_EQ(help.topics().size(), 2u);
    EXPECT_EQ(help.topics()[0].title, "Contents");
    EXPECT_EQ(help.topics()[0].html.trimmed(), "<p>Start</p>");
    ASSERT_NE(help.find(17), nullptr);
    EXPECT_EQ(help.find(17)->title, "Second topic");
    EXPECT_EQ(help.find(17)->html.trimmed(), "line one\nline two");
    EXPECT_EQ(help.find(18), nullptr);
}

TEST(HelpFileTest, RefusesMalformedFilesNamingThem)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "", "holds no topics" },
        { "# only comments\n", "holds no topics" },
        { "stray text\n[1009] Contents\n", "has text before its first topic (line 1)" },
        { "[1009] A\n[1009] B\n", "holds topic 1009 twice (line 2)" },
    };
    for (const auto& c : cases) {
        const std::string error = errorOf(QString::fromUtf8(c.text));
        EXPECT_NE(error.find("/diary/DAYVELL.HLP"), std::string::npos) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(HelpFileTest, MissingFileIsAnErrorNamingIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("DAYVELL.HLP");
    try {
        HelpFile::load(path);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(path.toStdString()), std::string::npos);
    }
}

TEST(HelpFileTest, ShippedHelpCoversEveryCommand)
{
    const HelpFile help = HelpFile::load(ShippedHelp);
    ASSERT_NE(help.find(HelpFile::ContentsContext), nullptr);
    QString all;
    for (const HelpTopic& topic : help.topics())
        all += topic.html;
    const char* commands[] = {
        "Select or Change Password", "Rebuild Indexes (do this often!)", "Print Setup",
        "Print Current Entry Only", "Print From Current Entry Forward - Merged",
        "Print From Current Entry Forward - Separate Pages", "Exit", "Find", "Replace",
        "Spell Check", "Insert Today's Date", "Wrap Text to fit Screen", "Find entry containing...",
        "Find Next Entry", "Contents", "About", "Save", "Cancel", "Hide!", "Today", "Skip Word",
        "Add", "Clear (no password)", "Old Password", "New Password", "Ctrl+Page Down",
        "dates of the entries stay readable",
    };
    for (const char* command : commands)
        EXPECT_TRUE(all.contains(QString::fromUtf8(command))) << command;
}

TEST(HelpWindowTest, OpensAtTheTopicAndFollowsTopicLinks)
{
    HelpWindow* window = ShowHelpTopic(ShippedHelp, HelpFile::ContentsContext);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentContext(), 1009);
    EXPECT_TRUE(window->currentText().contains("your personal diary"));
    window->showTopic(1020);
    EXPECT_TRUE(window->currentText().contains("Print Setup"));
    EXPECT_THROW(window->showTopic(4242), std::runtime_error);
    EXPECT_EQ(window->currentContext(), 1020);
    EXPECT_THROW(ShowHelpTopic(ShippedHelp, 4242), std::runtime_error);
    window->close();
}
