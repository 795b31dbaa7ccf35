#pragma once

#include <QAbstractButton>
#include <QColor>

namespace dayvell {

// A button that is only its caption: bold Arial 14 pt in its own colour on no
// background, with a silver highlight, and the letter after "&" underlined
// (Alt and that letter press it).
class TextButton : public QAbstractButton
{
    Q_OBJECT

public:
    TextButton(const QString& caption, const QColor& color, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    QColor highlightColor() const { return highlight_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    QColor highlight_ = QColor(192, 192, 192);
};

} // namespace dayvell
