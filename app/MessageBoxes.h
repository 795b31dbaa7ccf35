#pragma once

#include <QString>

#include <functional>

namespace dayvell {

// Style flags of a message box: one button set plus one icon, added together.
enum MessageStyle : int {
    MessageButtonsOk = 0,
    MessageButtonsYesNo = 4,
    MessageIconError = 16,
    MessageIconQuestion = 32,
    MessageIconInformation = 64,
};

// Numbers of the buttons a message box reports.
enum MessageButton : int {
    MessageResultOk = 1,
    MessageResultYes = 6,
    MessageResultNo = 7,
};

inline constexpr char ConfirmCaption[] = "Confirm";
inline constexpr char InformationCaption[] = "Information";

// Shows a modal message box over every window of the program and returns the
// number of the button pressed. The window that was active before is
// activated again afterwards. A Yes/No box cannot be closed by Escape or by
// its close box: one of the two buttons must be chosen.
int ShowMessageBox(const QString& text, const QString& caption, int styleFlags);

// Yes/No question captioned "Confirm" with the question icon; true for Yes.
bool AskConfirm(const QString& text);

// Message captioned "Information" with an OK button and the information icon.
void ShowInformation(const QString& text);

// Answers message boxes instead of the user while it lives: every box is
// handed to the responder (text, caption, style flags), whose result is taken
// as the button pressed. Tests install one; nested responders stack.
using MessageResponder = std::function<int(const QString& text, const QString& caption, int styleFlags)>;

class ScopedMessageResponder
{
public:
    explicit ScopedMessageResponder(MessageResponder responder);
    ~ScopedMessageResponder();
    ScopedMessageResponder(const ScopedMessageResponder&) = delete;
    ScopedMessageResponder& operator=(const ScopedMessageResponder&) = delete;

private:
    MessageResponder previous_;
};

} // namespace dayvell
