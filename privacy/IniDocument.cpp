#include "privacy/IniDocument.h"

namespace dayvell {
namespace {

QByteArray withoutLineEnd(const QByteArray& line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray text = withoutLineEnd(line).trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return text.mid(1, close - 1).trimmed();
}

bool sameName(QByteArrayView left, QByteArrayView right)
{
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument::IniDocument(const QByteArray& content)
    : lines_(content.split('\n')), windowsLineEnds_(content.contains("\r\n"))
{
}

std::optional<IniDocument::Span> IniDocument::findSection(QByteArrayView section) const
{
    for (qsizetype index = 0; index < lines_.size(); ++index) {
        const auto name = sectionName(lines_[index]);
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = index + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return Span{index, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> IniDocument::findKey(const Span& span, QByteArrayView key) const
{
    for (qsizetype index = span.header + 1; index < span.end; ++index) {
        const QByteArray line = withoutLineEnd(lines_[index]);
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0 && sameName(line.left(equals).trimmed(), key))
            return index;
    }
    return std::nullopt;
}

std::optional<QByteArray> IniDocument::value(QByteArrayView section, QByteArrayView key) const
{
    const auto span = findSection(section);
    if (!span)
        return std::nullopt;
    const auto index = findKey(*span, key);
    if (!index)
        return std::nullopt;
    const QByteArray line = withoutLineEnd(lines_[*index]);
    return line.mid(line.indexOf('=') + 1).trimmed();
}

QByteArray IniDocument::makeLine(const QByteArray& text) const
{
    return windowsLineEnds_ ? text + '\r' : text;
}

void IniDocument::setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value)
{
    const QByteArray entry = makeLine(key.toByteArray() + '=' + value);
    const auto span = findSection(section);
    if (span) {
        if (const auto index = findKey(*span, key)) {
            lines_[*index] = entry;
            return;
        }
        qsizetype after = span->end;
        while (after > span->header + 1 && withoutLineEnd(lines_[after - 1]).trimmed().isEmpty())
            --after;
        lines_.insert(after, entry);
        return;
    }

    // A new section goes at the end, after a blank line when the file has text,
    // and the file keeps (or gets) a line end after it.
    if (lines_.last().isEmpty())
        lines_.removeLast();
    if (!lines_.isEmpty() && !withoutLineEnd(lines_.last()).trimmed().isEmpty())
        lines_.append(makeLine({}));
    lines_.append(makeLine('[' + section.toByteArray() + ']'));
    lines_.append(entry);
    lines_.append(QByteArray());
}

QByteArray IniDocument::toBytes() const
{
    return lines_.join('\n');
}

}  // namespace dayvell
