#include "app/BevelPanel.h"

#include <QPainter>

namespace dayvell {
namespace {

void drawBevel(QPainter& painter, const QRect& area, BevelPanel::Bevel bevel)
{
    if (bevel == BevelPanel::Bevel::None)
        return;
    const QColor light = Qt::white;
    const QColor dark(128, 128, 128);
    const QColor topLeft = bevel == BevelPanel::Bevel::Raised ? light : dark;
    const QColor bottomRight = bevel == BevelPanel::Bevel::Raised ? dark : light;
    painter.setPen(topLeft);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
}

} // namespace

BevelPanel::BevelPanel(QWidget* parent)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(colours);
}

void BevelPanel::setSingleBorder(bool on)
{
    setFrameStyle(on ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
}

void BevelPanel::setOuterBevel(Bevel bevel)
{
    outer_ = bevel;
    update();
}

void BevelPanel::setInnerBevel(Bevel bevel)
{
    inner_ = bevel;
    update();
}

void BevelPanel::setBorderWidth(int pixels)
{
    borderWidth_ = pixels;
    update();
}

QRect BevelPanel::alignedClientRect() const
{
    const int inset = bevelWidth(outer_) + borderWidth_ + bevelWidth(inner_);
    return contentsRect().adjusted(inset, inset, -inset, -inset);
}

void BevelPanel::placeChild(QWidget* child, const QRect& clientGeometry) const
{
    child->setGeometry(clientGeometry.translated(frameWidth(), frameWidth()));
}

void BevelPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect outer = contentsRect();
    drawBevel(painter, outer, outer_);
    const int inset = bevelWidth(outer_) + borderWidth_;
    drawBevel(painter, outer.adjusted(inset, inset, -inset, -inset), inner_);
}

} // namespace dayvell
