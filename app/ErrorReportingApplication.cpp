#include "app/ErrorReportingApplication.h"

#include "app/MessageBoxes.h"

#include <exception>

namespace dayvell {

ErrorReportingApplication::ErrorReportingApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool ErrorReportingApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

void RunReportingErrors(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("An unexpected error occurred."));
    }
}

void ReportError(const QString& text)
{
    ShowMessageBox(text, QString::fromLatin1(ErrorReportCaption), MessageButtonsOk + MessageIconError);
}

} // namespace dayvell
