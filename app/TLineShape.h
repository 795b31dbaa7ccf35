#pragma once

#include <QPen>
#include <QWidget>

namespace dayvell {

enum class TLineStyle { stHorizontal, stVertical, stAngle };

// A control that draws one straight line: along its top row, down its left
// column, or from its top-left to its bottom-right corner. A thick pen is kept
// inside the control.
class TLineShape : public QWidget
{
    Q_OBJECT

public:
    explicit TLineShape(QWidget* parent = nullptr);

    TLineStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TLineStyle style);
    const QPen& Pen() const { return pen_; }
    void SetPen(const QPen& pen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLineStyle lineStyle_ = TLineStyle::stHorizontal;
    QPen pen_ = QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
};

} // namespace dayvell
