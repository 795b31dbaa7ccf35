#include "app/TSplashform.h"

#include "app/BevelPanel.h"
#include "app/ButtonGlyphs.h"
#include "app/PictureButton.h"
#include "app/ShadedLabel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace dayvell {
namespace {

QFont timesBoldItalic(int points)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(points);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

} // namespace

TSplashform::TSplashform(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog)
{
    setObjectName(QStringLiteral("Splashform"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    setFont(arial);
    setFixedSize(ClientWidth, ClientHeight);

    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setSingleBorder(true);
    Panel1->setInnerBevel(BevelPanel::Bevel::Lowered);
    Panel1->setBorderWidth(5);
    Panel1->setGeometry(rect());

    LabelEffect1 = new ShadedLabel(QStringLiteral("Dayvell!"), Panel1);
    LabelEffect1->setObjectName(QStringLiteral("LabelEffect1"));
    LabelEffect1->setFont(timesBoldItalic(48));
    LabelEffect1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelEffect1->setShadowDepth(3);
    const QRect top = Panel1->alignedClientRect();
    LabelEffect1->setGeometry(top.left(), top.top(), top.width(), LabelEffect1->sizeHint().height());

    LabelEffect3 = new ShadedLabel(QStringLiteral("for Windows"), Panel1);
    LabelEffect3->setObjectName(QStringLiteral("LabelEffect3"));
    LabelEffect3->setFont(timesBoldItalic(12));
    Panel1->placeChild(LabelEffect3, QRect(221, 84, 95, 25));

    LabelEffect2 = new ShadedLabel(QStringLiteral("Version 1.5"), Panel1);
    LabelEffect2->setObjectName(QStringLiteral("LabelEffect2"));
    LabelEffect2->setFont(timesBoldItalic(12));
    LabelEffect2->setShowHighlight(false);
    LabelEffect2->setShowShadow(false);
    Panel1->placeChild(LabelEffect2, QRect(135, 120, 112, 22));

    Label32 = new QLabel(QStringLiteral("32-bit version for Windows 95"), Panel1);
    Label32->setObjectName(QStringLiteral("Label32"));
    QFont smallBold(QStringLiteral("Arial"));
    smallBold.setPointSize(8);
    smallBold.setBold(true);
    Label32->setFont(smallBold);
    QPalette red = Label32->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label32->setPalette(red);
    Panel1->placeChild(Label32, QRect(106, 141, 163, 14));
    Label32->hide();

    OKbutton = new PictureButton(glyphs::okCheck(), Panel1);
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    Panel1->placeChild(OKbutton, QRect(293, 186, 64, 39));
    OKbutton->hide();
    connect(OKbutton, &QAbstractButton::clicked, this, &TSplashform::OKbuttonClick);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    FormCreate();
}

void TSplashform::FormCreate()
{
    Label32->show();
}

void TSplashform::OKbuttonClick()
{
    accept();
}

} // namespace dayvell
