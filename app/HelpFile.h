#pragma once

#include <QString>

#include <vector>

namespace dayvell {

// One topic of the help file: its context number, title and HTML text.
struct HelpTopic {
    int context = 0;
    QString title;
    QString html;
};

// The program's help file: plain text, each topic introduced by a line
// "[context] title" and followed by its text in simple HTML. Lines starting
// with "#" before the first topic are comments.
class HelpFile
{
public:
    static constexpr int ContentsContext = 1009;

    // Reads the file; throws std::runtime_error naming the file when it
    // cannot be read or is not laid out as above.
    static HelpFile load(const QString& path);
    static HelpFile parse(const QString& text, const QString& pathForMessages);

    const std::vector<HelpTopic>& topics() const { return topics_; }
    // The topic of a context number, or nullptr when the file has none.
    const HelpTopic* find(int context) const;
    QString path() const { return path_; }

private:
    QString path_;
    std::vector<HelpTopic> topics_;
};

} // namespace dayvell
