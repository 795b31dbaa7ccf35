#include "MemoryEntryStore.h"

#include "app/ErrorReportingApplication.h"
#include "app/MessageBoxes.h"
#include "app/TMainScreen.h"
#include "app/TextButton.h"
#include "print/RichTextEditor.h"

#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace dayvell;

namespace {

// One application object for all the cases, as in the program itself; it
// goes before the test program ends.
class ErrorReportingApplicationTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = new ErrorReportingApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete application;
        application = nullptr;
    }

    static inline int argc = 1;
    static inline char name[] = "error_report_test";
    static inline char* argv[] = { name, nullptr };
    static inline ErrorReportingApplication* application = nullptr;
};

} // namespace

TEST_F(ErrorReportingApplicationTest, AnErrorInAnyHandlerIsShownAndTheProgramGoesOn)
{
    QStringList shown;
    ScopedMessageResponder responder([&](const QString& text, const QString& caption, int style) {
        shown << caption + "|" + text + "|" + QString::number(style);
        return int(MessageResultOk);
    });

    // A handler outside the program's own windows, failing on its first event.
    class FailingOnce : public QObject
    {
    public:
        int handled = 0;
        bool event(QEvent* event) override
        {
            if (event->type() != QEvent::User)
                return QObject::event(event);
            if (++handled == 1)
                throw std::runtime_error("Unable to write to /diary/DAYVELL.FPT");
            return true;
        }
    } receiver;

    QEvent first(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &first));
    EXPECT_EQ(shown, QStringList{ "Dayvell|Unable to write to /diary/DAYVELL.FPT|16" });

    QEvent second(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &second));
    EXPECT_EQ(receiver.handled, 2) << "the program goes on after the error";
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(ErrorReportingApplicationTest, AFailedSaveIsShownAndTheWindowStaysUsable)
{
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
