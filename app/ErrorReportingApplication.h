#pragma once

#include <QApplication>

#include <functional>

namespace dayvell {

inline constexpr char ErrorReportCaption[] = "Dayvell";

// The application object. An error that escapes an event handler ends that
// handler only: its text is shown in a message box and the program goes on.
// Handlers of the program's own windows catch their errors themselves
// (RunReportingErrors); this is the last resort for any other.
class ErrorReportingApplication : public QApplication
{
    Q_OBJECT

public:
    ErrorReportingApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of an error that reached the top of an event handler.
void ReportError(const QString& text);

// Runs an event handler and shows the text of any error it raises, so that
// the error ends the handler without passing through the toolkit's own code.
void RunReportingErrors(const std::function<void()>& handler);

} // namespace dayvell
