#pragma once

#include <QIcon>

namespace dayvell::editor {

// The small pictures of the formatting toolbar, drawn rather than loaded so that they need no files.
enum class ToolBarIcon { Normal, Bold, Italic, Under, Left, Right, Center, Copy, Cut, Paste };

QIcon toolBarIcon(ToolBarIcon kind);
QIcon colourSwatch(const QColor& colour);

}  // namespace dayvell::editor
