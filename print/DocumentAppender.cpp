#include "print/DocumentAppender.h"

#include "print/DocumentFragments.h"

#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QUrl>

#include <map>
#include <vector>

namespace dayvell::editor {

bool DocumentAppender::targetIsEmpty() const
{
    return m_target.blockCount() == 1 && m_target.characterCount() <= 1;
}

void DocumentAppender::appendParagraph(const QString& text, const QTextCharFormat& format)
{
    QTextCursor cursor(&m_target);
    cursor.movePosition(QTextCursor::End);
    if (targetIsEmpty()) {
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.setBlockCharFormat(format);
    } else {
        cursor.insertBlock(QTextBlockFormat(), format);
    }
    cursor.insertText(text, format);
}

void DocumentAppender::appendDocument(const QTextDocument& source)
{
    std::map<QString, QString> pictureNames;  // name in the source -> name in the target
    forEachFragment(source, 0, source.characterCount(), [&](const QTextFragment& fragment) {
        if (!fragment.charFormat().isImageFormat())
            return;
        const QString name = fragment.charFormat().toImageFormat().name();
        const QVariant picture = source.resource(QTextDocument::ImageResource, QUrl(name));
        if (!picture.isValid() || pictureNames.count(name))
            return;
        QString target = name;
        for (int n = 2; m_target.resource(QTextDocument::ImageResource, QUrl(target)).isValid(); ++n)
            target = QStringLiteral("%1-%2").arg(name).arg(n);
        m_target.addResource(QTextDocument::ImageResource, QUrl(target), picture);
        pictureNames[name] = target;
    });

    QTextCursor cursor(&m_target);
    cursor.movePosition(QTextCursor::End);
    if (!targetIsEmpty())
        cursor.insertBlock();
    const int start = cursor.position();
    cursor.insertFragment(QTextDocumentFragment(&source));
    const int end = cursor.position();

    // Inserting merges the first appended paragraph into the current one: give it back its own format.
    QTextCursor first(m_target.findBlock(start));
    first.setBlockFormat(source.begin().blockFormat());
    first.setBlockCharFormat(source.begin().charFormat());

    for (const auto& [oldName, newName] : pictureNames)
        if (oldName != newName)
            renamePictures(start, end, oldName, newName);
}

void DocumentAppender::renamePictures(int from, int to, const QString& oldName, const QString& newName)
{
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Picture> found;  // collected first: changing formats while walking would split the walk
    forEachFragment(m_target, from, to, [&](const QTextFragment& fragment) {
        if (!fragment.charFormat().isImageFormat())
            return;
        QTextImageFormat picture = fragment.charFormat().toImageFormat();
        if (picture.name() != oldName)
            return;
        picture.setName(newName);
        found.push_back({fragment.position(), fragment.length(), picture});
    });
    for (const Picture& picture : found) {
        QTextCursor selection(&m_target);
        selection.setPosition(picture.position);
        selection.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        selection.setCharFormat(picture.format);
    }
}

}  // namespace dayvell::editor
