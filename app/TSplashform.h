#pragma once

#include <QDialog>

class QLabel;

namespace dayvell {

class BevelPanel;
class PictureButton;
class ShadedLabel;

// The splash shown during start-up, which also serves as the About box (with
// its OK button shown).
class TSplashform : public QDialog
{
    Q_OBJECT

public:
    explicit TSplashform(QWidget* parent = nullptr);

    BevelPanel* Panel1 = nullptr;
    ShadedLabel* LabelEffect1 = nullptr;
    ShadedLabel* LabelEffect3 = nullptr;
    ShadedLabel* LabelEffect2 = nullptr;
    QLabel* Label32 = nullptr;
    PictureButton* OKbutton = nullptr;

    static constexpr int ClientWidth = 385;
    static constexpr int ClientHeight = 242;

private:
    void FormCreate();
    void OKbuttonClick();
};

} // namespace dayvell
