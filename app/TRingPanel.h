#pragma once

#include <QPixmap>
#include <QWidget>

namespace dayvell {

enum class TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };

// The notebook page: a white page with rounded corners on a grey ground and
// binder rings along its left side. It hosts the page's contents. Painting
// records where the rings end (LeftEdge) and the margin around the page
// (RightEdge), which the main window uses to lay the contents out.
class TRingPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr QRgb GroundColor = 0xFF808080;
    static constexpr int FirstRingTop = 20;
    static constexpr int RingSpacing = 50;
    static constexpr int DoubleRingOffset = 15;

    explicit TRingPanel(QWidget* parent = nullptr);

    TLabelShapeType Shape() const { return shape_; }
    void SetShape(TLabelShapeType shape);
    bool DoubleRing() const { return doubleRing_; }
    void SetDoubleRing(bool on);
    bool SmallRing() const { return smallRing_; }
    void SetSmallRing(bool on);

    int LeftEdge = 0;
    int RightEdge = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLabelShapeType shape_ = TLabelShapeType::lsRoundRect;
    bool doubleRing_ = false;
    bool smallRing_ = false;
    QPixmap ring_;
};

} // namespace dayvell
