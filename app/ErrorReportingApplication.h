#pragma once

#include <QApplication>

namespace dayvell {

inline constexpr char ErrorReportCaption[] = "Dayvell";

// The application object. An error that escapes an event handler ends that
// handler only: its text is shown in a message box and the program goes on.
class ErrorReportingApplication : public QApplication
{
    Q_OBJECT

public:
    ErrorReportingApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of an error that reached the top of an event handler.
void ReportError(const QString& text);

} // namespace dayvell
