#pragma once

#include <QColor>
#include <QWidget>

namespace dayvell {

// A transparent label that draws its caption with a raised look: a light
// copy one pixel up and left (the highlight), a darker copy a few pixels down
// and right (the shadow), and the caption itself on top. Either copy can be
// switched off.
class ShadedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ShadedLabel(const QString& text, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    void setTextColor(const QColor& color);
    void setHighlightColor(const QColor& color);
    void setShadowColor(const QColor& color);
    void setShowHighlight(bool show);
    void setShowShadow(bool show);
    void setShadowDepth(int pixels);
    void setAlignment(Qt::Alignment alignment);

    bool showsHighlight() const { return showHighlight_; }
    bool showsShadow() const { return showShadow_; }
    QColor shadowColor() const { return shadowColor_; }
    QColor textColor() const { return textColor_; }
    Qt::Alignment alignment() const { return alignment_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor textColor_ = Qt::black;
    QColor highlightColor_ = Qt::white;
    QColor shadowColor_ = Qt::gray;
    bool showHighlight_ = true;
    bool showShadow_ = true;
    int shadowDepth_ = 2;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};

} // namespace dayvell
