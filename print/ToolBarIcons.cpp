#include "print/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace dayvell::editor {

namespace {

constexpr int kSize = 16;
constexpr qreal kScale = 2.0;  // drawn at twice the size so that they stay sharp on dense screens

void drawLetter(QPainter& painter, const QString& letter, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    painter.setFont(font);
    painter.setPen(QColor(32, 32, 32));
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, letter);
}

void drawLines(QPainter& painter, Qt::Alignment alignment)
{
    painter.setPen(QPen(QColor(40, 40, 40), 1.2));
    const int widths[] = {12, 8, 12, 6, 10};
    for (int i = 0; i < 5; ++i) {
        const int width = widths[i];
        int left = 2;
        if (alignment & Qt::AlignRight)
            left = 14 - width;
        else if (alignment & Qt::AlignHCenter)
            left = 8 - width / 2;
        const qreal y = 3.5 + i * 2.5;
        painter.drawLine(QPointF(left, y), QPointF(left + width, y));
    }
}

void drawPage(QPainter& painter, const QRectF& page)
{
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setPen(QPen(QColor(120, 120, 160), 0.8));
    for (qreal y = page.top() + 2.5; y < page.bottom() - 1; y += 2)
        painter.drawLine(QPointF(page.left() + 1.5, y), QPointF(page.right() - 1.5, y));
}

void drawScissors(QPainter& painter)
{
    painter.setPen(QPen(QColor(60, 60, 60), 1.3));
    painter.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
    painter.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(180, 30, 30), 1.4));
    painter.drawEllipse(QRectF(2, 10, 4.5, 4.5));
    painter.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
}

void drawClipboard(QPainter& painter)
{
    painter.setPen(QPen(QColor(90, 60, 20), 1));
    painter.setBrush(QColor(200, 150, 80));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
    painter.setBrush(QColor(140, 140, 140));
    painter.drawRect(QRectF(4, 1, 5, 3));
    drawPage(painter, QRectF(6.5, 6.5, 8, 9));
}

}  // namespace

QIcon toolBarIcon(ToolBarIcon kind)
{
    QPixmap pixmap(int(kSize * kScale), int(kSize * kScale));
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    switch (kind) {
    case ToolBarIcon::Normal: drawLetter(painter, QStringLiteral("A"), false, false, false); break;
    case ToolBarIcon::Bold: drawLetter(painter, QStringLiteral("B"), true, false, false); break;
    case ToolBarIcon::Italic: drawLetter(painter, QStringLiteral("I"), false, true, false); break;
    case ToolBarIcon::Under: drawLetter(painter, QStringLiteral("U"), false, false, true); break;
    case ToolBarIcon::Left: drawLines(painter, Qt::AlignLeft); break;
    case ToolBarIcon::Right: drawLines(painter, Qt::AlignRight); break;
    case ToolBarIcon::Center: drawLines(painter, Qt::AlignHCenter); break;
    case ToolBarIcon::Copy:
        drawPage(painter, QRectF(1.5, 1.5, 8, 10));
        drawPage(painter, QRectF(6.5, 4.5, 8, 10));
        break;
    case ToolBarIcon::Cut: drawScissors(painter); break;
    case ToolBarIcon::Paste: drawClipboard(painter); break;
    }
    return QIcon(pixmap);
}

QIcon colourSwatch(const QColor& colour)
{
    QPixmap pixmap(int(kSize * kScale), int(kSize * kScale));
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(colour);
    painter.drawRect(QRectF(1.5, 2.5, 13, 11));
    return QIcon(pixmap);
}

}  // namespace dayvell::editor
