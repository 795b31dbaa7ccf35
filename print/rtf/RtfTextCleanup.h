#pragma once

#include <QString>

namespace dayvell::rtf {

// Makes decoded text safe to insert as characters: control characters other than the tab, the
// document's own frame markers and object replacement characters are removed, and a paragraph
// separator becomes a line separator so that only the reader decides where paragraphs end.
void cleanUpText(QString& text);

// True for the characters cleanUpText removes or replaces.
bool needsCleanUp(char16_t character);

}
