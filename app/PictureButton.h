#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace dayvell {

// A push button that shows a picture on a raised grey face; pressed, the face
// sinks and the picture moves one pixel down and right.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButton(const QPixmap& glyph, QWidget* parent = nullptr);

    QPixmap glyph() const { return glyph_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap glyph_;
};

} // namespace dayvell
