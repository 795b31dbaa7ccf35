#include "privacy/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace dayvell {
namespace {

constexpr int kSize = 18;

QIcon drawGlyph(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon checkGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(3, 9.5);
        tick.lineTo(7.5, 14);
        tick.lineTo(15, 4);
        painter.drawPath(tick);
    });
}

QIcon crossGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(14, 14));
        painter.drawLine(QPointF(14, 4), QPointF(4, 14));
    });
}

QIcon unlockGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setPen(QPen(QColor(90, 90, 90), 2));
        painter.setBrush(Qt::NoBrush);
        QPainterPath shackle;
        shackle.moveTo(10, 8);
        shackle.lineTo(10, 5);
        shackle.arcTo(QRectF(10, 1, 6, 8), 180, -180);
        shackle.lineTo(16, 6);
        painter.drawPath(shackle);
        painter.setPen(QPen(QColor(150, 110, 0), 1));
        painter.setBrush(QColor(230, 180, 40));
        painter.drawRoundedRect(QRectF(2.5, 8.5, 11, 8), 1.5, 1.5);
        painter.setBrush(QColor(90, 60, 0));
        painter.drawEllipse(QPointF(8, 12), 1.3, 1.3);
    });
}

}  // namespace dayvell
