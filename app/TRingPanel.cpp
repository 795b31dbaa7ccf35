#include "app/TRingPanel.h"

#include <QPainter>

namespace dayvell {
namespace {

constexpr int PageTop = 5;
constexpr int PageCornerDiameter = 25;
constexpr int LowestRingGap = 40;

} // namespace

TRingPanel::TRingPanel(QWidget* parent)
    : QWidget(parent)
    , ring_(QStringLiteral(":/RINGIMAGE"))
{
}

void TRingPanel::SetShape(TLabelShapeType shape)
{
    if (shape == shape_)
        return;
    shape_ = shape;
    update();
}

void TRingPanel::SetDoubleRing(bool on)
{
    if (on == doubleRing_)
        return;
    doubleRing_ = on;
    update();
}

void TRingPanel::SetSmallRing(bool on)
{
    if (on == smallRing_)
        return;
    smallRing_ = on;
    update();
}

void TRingPanel::paintEvent(QPaintEvent*)
{
    ring_.load(smallRing_ ? QStringLiteral(":/RINGIMAGES") : QStringLiteral(":/RINGIMAGE"));
    const int margin = smallRing_ ? 15 : 22;
    LeftEdge = ring_.width();
    RightEdge = margin;

    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(GroundColor));

    // The page covers x from margin to width - margin - 1 and y from 5 to
    // height - 6: the right and bottom coordinates are outside the page.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    const QRect page(margin, PageTop, width() - 2 * margin - 1, height() - 2 * PageTop - 1);
    const qreal cornerRadius = PageCornerDiameter / 2.0;
    painter.drawRoundedRect(page, cornerRadius, cornerRadius);

    painter.setBrush(Qt::NoBrush);
    for (int y = FirstRingTop; y <= height() - LowestRingGap; y += RingSpacing) {
        painter.drawPixmap(0, y, ring_);
        if (doubleRing_)
            painter.drawPixmap(0, y + DoubleRingOffset, ring_);
    }
}

} // namespace dayvell
