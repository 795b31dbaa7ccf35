#include "FirstPaint.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace dayvell::bench {

FirstPaint::FirstPaint(QWidget* widget)
{
    widget->installEventFilter(this);
}

bool FirstPaint::wait(std::chrono::milliseconds timeout)
{
    if (!painted_) {
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
    }
    const bool painted = painted_;
    painted_ = false;
    return painted;
}

bool FirstPaint::eventFilter(QObject*, QEvent* event)
{
    // The widget paints right after this filter returns, within the same pass
    // of the loop; the loop ends once that pass, flush included, is over.
    if (event->type() == QEvent::Paint) {
        painted_ = true;
        if (loop_)
            loop_->quit();
    }
    return false;
}

} // namespace dayvell::bench
