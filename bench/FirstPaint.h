#pragma once

#include <QObject>

#include <chrono>

class QEventLoop;
class QWidget;

namespace dayvell::bench {

// Tells when a widget has been painted: runs the event loop until the paint
// that follows a show or a change has reached the screen.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget* widget);

    // Runs events until the widget has been painted since construction or
    // since the last call; false when no paint came within the timeout.
    bool wait(std::chrono::milliseconds timeout = std::chrono::seconds(10));

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool painted_ = false;
    QEventLoop* loop_ = nullptr;
};

} // namespace dayvell::bench
