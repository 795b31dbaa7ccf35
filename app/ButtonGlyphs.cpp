#include "app/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace dayvell::glyphs {
namespace {

const QColor ArrowColor(0, 0, 128);

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawArrow(QPainter& painter, int tipX, int baseX, int top, int bottom)
{
    const int middle = (top + bottom) / 2;
    painter.setPen(Qt::black);
    painter.setBrush(ArrowColor);
    painter.drawPolygon(QPolygon({ QPoint(tipX, middle), QPoint(baseX, top), QPoint(baseX, bottom) }));
}

} // namespace

QPixmap okCheck()
{
    QPixmap pixmap = blank(44, 22);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen check(QColor(0, 128, 0), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(check);
    QPainterPath mark;
    mark.moveTo(3, 11);
    mark.lineTo(8, 17);
    mark.lineTo(17, 4);
    painter.drawPath(mark);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(20, 0, 24, 22), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("OK"));
    return pixmap;
}

QPixmap arrowLeft()
{
    QPixmap pixmap = blank(10, 15);
    QPainter painter(&pixmap);
    drawArrow(painter, 1, 8, 0, 14);
    return pixmap;
}

QPixmap arrowRight()
{
    QPixmap pixmap = blank(10, 15);
    QPainter painter(&pixmap);
    drawArrow(painter, 8, 1, 0, 14);
    return pixmap;
}

QPixmap arrowLeftToBar()
{
    QPixmap pixmap = blank(14, 15);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 0, 3, 15), Qt::black);
    drawArrow(painter, 5, 12, 0, 14);
    return pixmap;
}

QPixmap arrowRightToBar()
{
    QPixmap pixmap = blank(14, 15);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(10, 0, 3, 15), Qt::black);
    drawArrow(painter, 8, 1, 0, 14);
    return pixmap;
}

QPixmap calendar()
{
    QPixmap pixmap = blank(16, 16);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 2, 15, 13);
    painter.fillRect(QRect(1, 3, 14, 3), QColor(128, 0, 0));
    painter.fillRect(QRect(3, 0, 2, 4), Qt::black);
    painter.fillRect(QRect(11, 0, 2, 4), Qt::black);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            painter.fillRect(QRect(2 + column * 3, 7 + row * 2 + row, 2, 2), QColor(64, 64, 64));
    return pixmap;
}

} // namespace dayvell::glyphs
