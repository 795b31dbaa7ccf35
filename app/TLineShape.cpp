#include "app/TLineShape.h"

#include <QPainter>

namespace dayvell {

TLineShape::TLineShape(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    resize(1, 1);
}

void TLineShape::SetLineStyle(TLineStyle style)
{
    if (style == lineStyle_)
        return;
    lineStyle_ = style;
    update();
}

void TLineShape::SetPen(const QPen& pen)
{
    pen_ = pen;
    update();
}

void TLineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(pen_);
    const int penWidth = qMax(1, pen_.width());
    const int half = penWidth / 2;
    const int spanX = width() - penWidth + 1;
    const int spanY = height() - penWidth + 1;

    QPoint end;
    switch (lineStyle_) {
    case TLineStyle::stHorizontal: end = QPoint(spanX + half, half); break;
    case TLineStyle::stVertical: end = QPoint(half, spanY + half); break;
    case TLineStyle::stAngle: end = QPoint(spanX + half, spanY + half); break;
    }
    // With a flat cap the line covers its start point up to, not including,
    // its end point.
    painter.drawLine(QPoint(half, half), end);
}

} // namespace dayvell
