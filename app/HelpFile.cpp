#include "app/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <stdexcept>

namespace dayvell {
namespace {

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

HelpFile HelpFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Unable to open the help file %1: %2").arg(path, file.errorString()));
    return parse(QString::fromUtf8(file.readAll()), path);
}

HelpFile HelpFile::parse(const QString& text, const QString& pathForMessages)
{
    static const QRegularExpression header(QStringLiteral("^\\[(\\d{1,9})\\]\\s*(.*)$"));
    HelpFile help;
    help.path_ = pathForMessages;

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed().isEmpty() ? QString() : lines[index];
        const QRegularExpressionMatch match = header.match(line.trimmed());
        if (match.hasMatch()) {
            HelpTopic topic;
            topic.context = match.captured(1).toInt();
            topic.title = match.captured(2).trimmed();
            if (help.find(topic.context))
                fail(QStringLiteral("The help file %1 holds topic %2 twice (line %3)")
                         .arg(pathForMessages).arg(topic.context).arg(index + 1));
            help.topics_.push_back(topic);
        } else if (!help.topics_.empty()) {
            help.topics_.back().html += lines[index] + QLatin1Char('\n');
        } else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            fail(QStringLiteral("The help file %1 has text before its first topic (line %2)")
                     .arg(pathForMessages).arg(index + 1));
        }
    }
    if (help.topics_.empty())
        fail(QStringLiteral("The help file %1 holds no topics").arg(pathForMessages));
    return help;
}

const HelpTopic* HelpFile::find(int context) const
{
    for (const HelpTopic& topic : topics_)
        if (topic.context == context)
            return &topic;
    return nullptr;
}

} // namespace dayvell
