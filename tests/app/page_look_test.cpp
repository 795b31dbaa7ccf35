#include "app/TLineShape.h"
#include "app/TRingPanel.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

using namespace dayvell;

namespace {

const QRgb Ground = qRgb(128, 128, 128);
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Silver = qRgb(192, 192, 192);

QImage paint(QWidget& widget, QRgb background = qRgb(255, 0, 255))
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(background);
    widget.render(&image);
    return image;
}

} // namespace

TEST(RingPanelTest, PaintsThePageOnGreyGroundWithItsBorderOnTheMargin)
{
    for (bool small : { false, true }) {
        TRingPanel panel;
        panel.SetSmallRing(small);
        panel.resize(400, 336);
        const QImage image = paint(panel);
        const int margin = small ? 15 : 22;
        const int middle = 168;
        SCOPED_TRACE(small ? "small rings" : "large rings");
        EXPECT_EQ(image.pixel(margin - 1, middle), Ground);
        EXPECT_EQ(image.pixel(margin, middle), Black);
        EXPECT_EQ(image.pixel(margin + 1, middle), White);
        EXPECT_EQ(image.pixel(400 - margin - 2, middle), White);
        EXPECT_EQ(image.pixel(400 - margin - 1, middle), Black);
        EXPECT_EQ(image.pixel(400 - margin, middle), Ground);
        EXPECT_EQ(image.pixel(200, 4), Ground);
        EXPECT_EQ(image.pixel(200, 5), Black);
        EXPECT_EQ(image.pixel(200, 6), White);
        EXPECT_EQ(image.pixel(200, 336 - 6), Black);
        EXPECT_EQ(image.pixel(200, 336 - 5), Ground);
        // Rounded corners: the corner point itself lies outside the page.
        EXPECT_EQ(image.pixel(400 - margin - 2, 6), Ground);
        EXPECT_EQ(image.pixel(400 - margin - 2, 336 - 7), Ground);
        EXPECT_EQ(panel.LeftEdge, small ? 31 : 43);
        EXPECT_EQ(panel.RightEdge, margin);
    }
}

TEST(RingPanelTest, DrawsRingsEveryFiftyPixelsFromTwentyWhileFortyAboveTheBottom)
{
    // Column 10 row +4 is the ring's white highlight stripe; the ground elsewhere.
    const struct {
        int height;
        bool doubled;
        std::vector<int> ringTops;
    } cases[] = {
        { 336, false, { 20, 70, 120, 170, 220, 270 } },
        { 336, true, { 20, 35, 70, 85, 120, 135, 170, 185, 220, 235, 270, 285 } },
        { 59, false, {} },
        { 59, true, {} },
        { 60, true, { 20, 35 } },
    };
    for (const auto& c : cases) {
        TRingPanel panel;
        panel.SetDoubleRing(c.doubled);
        panel.resize(300, c.height);
        const QImage image = paint(panel);
        std::vector<int> found;
        for (int y = 0; y + 4 < c.height; ++y)
            if (image.pixel(10, y + 4) == White && image.pixel(10, y + 3) == Silver)
                found.push_back(y);
        EXPECT_EQ(found, c.ringTops) << "height " << c.height << (c.doubled ? " doubled" : "");
    }
}

TEST(RingPanelTest, RingBitmapsMatchTheirDescription)
{
    const struct {
        const char* resource;
        int width;
        int edge;
    } cases[] = { { ":/RINGIMAGE", 43, 22 }, { ":/RINGIMAGES", 31, 15 } };
    for (const auto& c : cases) {
        const QImage ring(c.resource);
        SCOPED_TRACE(c.resource);
        ASSERT_EQ(ring.size(), QSize(c.width, 11));
        for (int row : { 0, 1, 9, 10 }) {
            EXPECT_EQ(ring.pixel(c.edge - 1, row), Ground);
            EXPECT_EQ(ring.pixel(c.edge, row), Black);
            EXPECT_EQ(ring.pixel(c.edge + 1, row), White);
            EXPECT_EQ(ring.pixel(c.width - 5, row), Black) << "punched hole";
        }
        for (int row = 2; row <= 8; ++row) {
            EXPECT_EQ(ring.pixel(2, row), Ground);
            EXPECT_EQ(ring.pixel(3, row), Black);
            EXPECT_EQ(ring.pixel(c.width - 1, row), Black);
        }
        EXPECT_EQ(ring.pixel(10, 4), White);
        EXPECT_EQ(ring.pixel(10, 3), Silver);
        EXPECT_EQ(ring.pixel(10, 7), Silver);
    }
}

TEST(RingPanelTest, SwitchingSmallRingMovesTheEdgesOnlyAtTheNextPaint)
{
    TRingPanel panel;
    panel.resize(200, 120);
    paint(panel);
    ASSERT_EQ(panel.LeftEdge, 43);
    panel.SetSmallRing(true);
    EXPECT_EQ(panel.LeftEdge, 43);
    EXPECT_EQ(panel.RightEdge, 22);
    paint(panel);
    EXPECT_EQ(panel.LeftEdge, 31);
    EXPECT_EQ(panel.RightEdge, 15);
}

TEST(RingPanelTest, ShapeIsStoredButThePageStaysRounded)
{
    TRingPanel panel;
    EXPECT_EQ(panel.Shape(), TLabelShapeType::lsRoundRect);
    panel.SetShape(TLabelShapeType::lsEllipse);
    EXPECT_EQ(panel.Shape(), TLabelShapeType::lsEllipse);
    panel.resize(200, 120);
    EXPECT_EQ(paint(panel).pixel(22, 60), Black);
}

TEST(LineShapeTest, DrawsItsLineInsideTheControl)
{
    // Each case lists pixels that must be black and pixels that must stay blank.
    const struct {
        const char* name;
        TLineStyle style;
        int penWidth;
        QSize size;
        std::vector<QPoint> black;
        std::vector<QPoint> blank;
    } cases[] = {
        { "horizontal, pen 1", TLineStyle::stHorizontal, 1, { 50, 8 },
          { { 0, 0 }, { 25, 0 }, { 49, 0 } }, { { 25, 1 }, { 0, 7 } } },
        { "horizontal, pen 3", TLineStyle::stHorizontal, 3, { 50, 8 },
          { { 1, 0 }, { 1, 2 }, { 25, 0 }, { 25, 1 }, { 25, 2 }, { 48, 1 } }, { { 25, 3 }, { 49, 1 } } },
        { "vertical, pen 1", TLineStyle::stVertical, 1, { 8, 50 },
          { { 0, 0 }, { 0, 25 }, { 0, 49 } }, { { 1, 25 } } },
        { "vertical, pen 3", TLineStyle::stVertical, 3, { 8, 50 },
          { { 0, 1 }, { 1, 25 }, { 2, 25 }, { 1, 48 } }, { { 3, 25 }, { 1, 49 } } },
        { "angle, pen 1", TLineStyle::stAngle, 1, { 20, 20 },
          { { 0, 0 }, { 10, 10 }, { 19, 19 } }, { { 10, 0 }, { 0, 19 } } },
        { "angle, pen 3", TLineStyle::stAngle, 3, { 20, 20 },
          { { 2, 2 }, { 10, 10 }, { 17, 17 } }, { { 15, 3 }, { 3, 15 } } },
    };
    for (const auto& c : cases) {
        QWidget host;
        host.resize(c.size);
        auto* line = new TLineShape(&host);
        line->SetLineStyle(c.style);
        line->SetPen(QPen(Qt::black, c.penWidth, Qt::SolidLine, Qt::FlatCap));
        line->resize(c.size);
        const QImage image = paint(*line, White);
        for (const QPoint& p : c.black)
            EXPECT_EQ(image.pixel(p), Black) << c.name << " at " << p.x() << "," << p.y();
        for (const QPoint& p : c.blank)
            EXPECT_EQ(image.pixel(p), White) << c.name << " at " << p.x() << "," << p.y();
    }
}

TEST(LineShapeTest, StartsAsOnePixelBlackHorizontalLine)
{
    TLineShape line;
    EXPECT_EQ(line.size(), QSize(1, 1));
    EXPECT_EQ(line.LineStyle(), TLineStyle::stHorizontal);
    EXPECT_EQ(line.Pen().color(), QColor(Qt::black));
    EXPECT_EQ(line.Pen().width(), 1);
}
