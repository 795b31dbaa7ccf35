#include "privacy/PrivacyPanel.h"

#include "privacy/ButtonGlyphs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dayvell {
namespace {

constexpr int kBorderWidth = 10;
constexpr int kBandHeight = 47;

QFont promptFont()
{
    QFont font(QStringLiteral("Arial"), 12);
    font.setBold(true);
    return font;
}

QPushButton* makeButton(const QString& caption, const QIcon& glyph, QWidget* parent)
{
    auto* button = new QPushButton(glyph, caption, parent);
    button->setMinimumSize(90, 30);
    return button;
}

}  // namespace

PrivacyPanel::PrivacyPanel(std::function<QString()> diaryPassword, UserMessages messages,
                           QWidget* parent)
    : PrivacyPanel(
          [diaryPassword = std::move(diaryPassword)](const QString& typed) {
              return typed == diaryPassword();
          },
          std::move(messages), parent)
{
}

PrivacyPanel::PrivacyPanel(std::function<bool(const QString& typed)> opensDiary,
                           UserMessages messages, QWidget* parent)
    : QFrame(parent), opensDiary_(std::move(opensDiary)), messages_(std::move(messages))
{
    setObjectName(QStringLiteral("PrivacyPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);

    Label1 = new QLabel(
        QStringLiteral("This diary requires a password. Please enter your password and press OK"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(promptFont());
    Label1->setWordWrap(true);
    Label1->setFixedHeight(kBandHeight);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    black.setColor(QPalette::Text, Qt::black);
    Label1->setPalette(black);

    Pass = new QLineEdit(this);
    Pass->setObjectName(QStringLiteral("Pass"));
    Pass->setFont(promptFont());
    Pass->setPalette(black);
    Pass->setEchoMode(QLineEdit::Password);
    Pass->setFixedWidth(240);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kBandHeight);
    BitBtn1 = makeButton(QStringLiteral("OK"), checkGlyph(), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = makeButton(QStringLiteral("Close"), crossGlyph(), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto* buttons = new QHBoxLayout(Panel1);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(20);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->addWidget(Label1);
    layout->addStretch();
    layout->addWidget(Pass, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(Panel1);

    setFocusProxy(Pass);
    connect(Pass, &QLineEdit::returnPressed, this, &PrivacyPanel::BitBtn1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &PrivacyPanel::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &PrivacyPanel::BitBtn2Click);
}

void PrivacyPanel::BitBtn1Click()
{
    const QString typed = Pass->text();
    if (!opensDiary_(typed)) {
        messages_.showInformation(QStringLiteral("Sorry, that is the wrong password"));
        return;
    }
    // The password is not left lying in the hidden box.
    Pass->clear();
    emit passwordAccepted(typed);
}

void PrivacyPanel::BitBtn2Click()
{
    emit closeRequested();
}

}  // namespace dayvell
