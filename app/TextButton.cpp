#include "app/TextButton.h"

#include <QPainter>

namespace dayvell {

TextButton::TextButton(const QString& caption, const QColor& color, QWidget* parent)
    : QAbstractButton(parent)
    , color_(color)
{
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSize(14);
    captionFont.setBold(true);
    setFont(captionFont);
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

QSize TextButton::sizeHint() const
{
    return fontMetrics().size(Qt::TextShowMnemonic, text()) + QSize(4, 2);
}

void TextButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    QRect area = rect().adjusted(1, 0, 0, 0);
    if (isDown())
        area.translate(1, 1);
    // Highlight above and left, a dark edge below and right: the caption
    // reads as raised whatever its colour.
    painter.setPen(highlight_);
    painter.drawText(area.translated(-1, -1), flags, text());
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(area.translated(1, 1), flags, text());
    painter.setPen(isEnabled() ? color_ : QColor(128, 128, 128));
    painter.drawText(area, flags, text());
    if (hasFocus()) {
        painter.setPen(QPen(color_, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace dayvell
