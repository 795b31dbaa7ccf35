#include "MemoryEntryStore.h"

#include "app/ErrorReportingApplication.h"
#include "app/MessageBoxes.h"
#include "app/TMainScreen.h"
#include "app/TextButton.h"
#include "print/RichTextEditor.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace dayvell;

namespace {

// One application object for the whole program, as in the real one.
ErrorReportingApplication& application()
{
    static int argc = 1;
    static char name[] = "error_report_test";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static ErrorReportingApplication instance(argc, argv);
    return instance;
}

} // namespace

TEST(ErrorReportingApplicationTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn)
{
    application();

    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int style) {
        shown << caption + "|" + text + "|" + QString::number(style);
        return int(MessageResultOk);
    });

    QPushButton button("Save");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        if (++clicks == 1)
            throw std::runtime_error("Unable to write to /diary/DAYVELL.FPT");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(shown, QStringList{ "Dayvell|Unable to write to /diary/DAYVELL.FPT|16" });

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2) << "the button still works after the error";
    EXPECT_EQ(shown.size(), 1);
}

TEST(ErrorReportingApplicationTest, AFailedSaveIsShownAndTheWindowStaysUsable)
{
    application();
    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int) {
        shown << caption + "|" + text;
        return int(MessageResultYes);
    });
    std::map<QDate, QByteArray> entries;
    auto store = std::make_unique<MemoryEntryStore>(entries);
    MemoryEntryStore& memory = *store;
    TMainScreen window(std::move(store));
    window.show();
    QTest::keyClicks(window.WPRichText1, "Words that must not be lost");
    memory.saveFails = true;
    QTest::mouseClick(window.SaveButton, Qt::LeftButton);

    EXPECT_EQ(shown, QStringList{ "Dayvell|Unable to write to /x/DAYVELL.FPT: No space left on device" });
    EXPECT_EQ(window.WPRichText1->toPlainText(), "Words that must not be lost");
    EXPECT_TRUE(window.SaveButton->isVisible());
    EXPECT_TRUE(window.CancelButton->isVisible());

    memory.saveFails = false;
    QTest::mouseClick(window.SaveButton, Qt::LeftButton);
    EXPECT_FALSE(window.SaveButton->isVisible());
    EXPECT_EQ(entries.size(), 1u);
}
