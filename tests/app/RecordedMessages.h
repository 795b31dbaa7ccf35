#pragma once

#include "app/MessageBoxes.h"

#include <QStringList>

namespace dayvell::testing {

// Answers every message box of the program while it lives: questions get
// `exitAnswer`, information boxes OK; both are recorded.
struct RecordedMessages {
    QStringList questions;
    QStringList informations;
    int exitAnswer = MessageResultNo;
    ScopedMessageResponder responder{ [this](const QString& text, const QString& caption, int) {
        if (caption == "Confirm") {
            questions << text;
            return exitAnswer;
        }
        informations << text;
        return int(MessageResultOk);
    } };
};

}  // namespace dayvell::testing
