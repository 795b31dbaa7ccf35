#pragma once

#include <QTextBlock>
#include <QTextDocument>

namespace dayvell::editor {

// Calls visit(fragment) for every run of equally formatted text that starts in [from, to).
template <typename Visit>
void forEachFragment(const QTextDocument& document, int from, int to, Visit visit)
{
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextFragment fragment = it.fragment();
                fragment.isValid() && fragment.position() >= from && fragment.position() < to)
                visit(fragment);
}

}  // namespace dayvell::editor
