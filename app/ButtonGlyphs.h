#pragma once

#include <QPixmap>

namespace dayvell {

// Pictures of the program's picture buttons, drawn on transparent ground.
namespace glyphs {

QPixmap okCheck();             // green check mark beside "OK"
QPixmap arrowLeft();           // one day back
QPixmap arrowRight();          // one day forward
QPixmap arrowLeftToBar();      // first entry: arrow against a bar on the left
QPixmap arrowRightToBar();     // last entry: arrow against a bar on the right
QPixmap calendar();            // small calendar sheet

} // namespace glyphs
} // namespace dayvell
