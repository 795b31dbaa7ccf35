#include "app/ShadedLabel.h"

#include <QPainter>

namespace dayvell {

ShadedLabel::ShadedLabel(const QString& text, QWidget* parent)
    : QWidget(parent)
    , text_(text)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void ShadedLabel::setText(const QString& text)
{
    text_ = text;
    updateGeometry();
    update();
}

void ShadedLabel::setTextColor(const QColor& color)
{
    textColor_ = color;
    update();
}

void ShadedLabel::setHighlightColor(const QColor& color)
{
    highlightColor_ = color;
    update();
}

void ShadedLabel::setShadowColor(const QColor& color)
{
    shadowColor_ = color;
    update();
}

void ShadedLabel::setShowHighlight(bool show)
{
    showHighlight_ = show;
    update();
}

void ShadedLabel::setShowShadow(bool show)
{
    showShadow_ = show;
    update();
}

void ShadedLabel::setShadowDepth(int pixels)
{
    shadowDepth_ = pixels;
    update();
}

void ShadedLabel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

QSize ShadedLabel::sizeHint() const
{
    const QSize textSize = fontMetrics().size(0, text_);
    return textSize + QSize(shadowDepth_ + 1, shadowDepth_ + 1);
}

void ShadedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = rect().adjusted(1, 1, -shadowDepth_, -shadowDepth_);
    if (showHighlight_) {
        painter.setPen(highlightColor_);
        painter.drawText(area.translated(-1, -1), int(alignment_), text_);
    }
    if (showShadow_) {
        painter.setPen(shadowColor_);
        painter.drawText(area.translated(shadowDepth_, shadowDepth_), int(alignment_), text_);
    }
    painter.setPen(textColor_);
    painter.drawText(area, int(alignment_), text_);
}

} // namespace dayvell
