#include "app/ErrorReportingApplication.h"
#include "app/MessageBoxes.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace dayvell;

TEST(ErrorReportingApplicationTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "error_report_test";
    char* argv[] = { name, nullptr };
    ErrorReportingApplication application(argc, argv);

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
