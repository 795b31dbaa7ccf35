#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace dayvell {

// How the privacy forms speak to the user. The main window hands in its own
// information box; tests hand in recorders.
struct UserMessages {
    std::function<void(const QString& text)> showInformation;
    std::function<void()> beep;

    // A modal box captioned "Information" with an OK button, and the system beep.
    static UserMessages standard(QWidget* parent);
};

}  // namespace dayvell
