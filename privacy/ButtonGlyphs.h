#pragma once

#include <QIcon>

namespace dayvell {

// Small pictures for the buttons of the privacy forms, drawn in code.
QIcon checkGlyph();   // green tick: OK
QIcon crossGlyph();   // red cross: Cancel and Close
QIcon unlockGlyph();  // open padlock: removing the password

}  // namespace dayvell
