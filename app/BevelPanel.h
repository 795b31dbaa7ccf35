#pragma once

#include <QFrame>

namespace dayvell {

// A panel drawn the classic way, from the outside in: an optional single
// sunken border, an outer bevel, a band of the panel colour `borderWidth`
// pixels wide, and an inner bevel. Children are placed in client coordinates,
// which start inside the single border.
class BevelPanel : public QFrame
{
    Q_OBJECT

public:
    enum class Bevel { None, Raised, Lowered };

    explicit BevelPanel(QWidget* parent = nullptr);

    void setSingleBorder(bool on);
    void setOuterBevel(Bevel bevel);
    void setInnerBevel(Bevel bevel);
    void setBorderWidth(int pixels);

    // Where the bevels end: aligned children go inside this rectangle.
    QRect alignedClientRect() const;
    // Places a child at a position given in client coordinates.
    void placeChild(QWidget* child, const QRect& clientGeometry) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int bevelWidth(Bevel bevel) const { return bevel == Bevel::None ? 0 : 1; }

    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::None;
    int borderWidth_ = 0;
};

} // namespace dayvell
