#include "app/PictureButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace dayvell {

PictureButton::PictureButton(const QPixmap& glyph, QWidget* parent)
    : QAbstractButton(parent)
    , glyph_(glyph)
{
    setFocusPolicy(Qt::StrongFocus);
}

QSize PictureButton::sizeHint() const
{
    return glyph_.size() + QSize(8, 8);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect face = rect();
    const bool down = isDown() || isChecked();
    painter.fillRect(face, QColor(192, 192, 192));

    const QColor light = down ? QColor(128, 128, 128) : Qt::white;
    const QColor dark = down ? Qt::white : Qt::black;
    painter.setPen(light);
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    if (!down) {
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(face.left() + 1, face.bottom() - 1, face.right() - 1, face.bottom() - 1);
        painter.drawLine(face.right() - 1, face.top() + 1, face.right() - 1, face.bottom() - 1);
    }

    QPixmap picture = glyph_;
    if (!isEnabled()) {
        QStyleOption option;
        option.initFrom(this);
        picture = style()->generatedIconPixmap(QIcon::Disabled, glyph_, &option);
    }
    QRect place(QPoint(0, 0), picture.size());
    place.moveCenter(face.center());
    if (down)
        place.translate(1, 1);
    painter.drawPixmap(place.topLeft(), picture);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace dayvell
