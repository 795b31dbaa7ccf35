#include "print/rtf/RtfFieldInstruction.h"

#include <QStringList>

namespace dayvell::rtf {

namespace {

// Field arguments are words or quoted strings; inside quotes a backslash before a backslash or a quote
// makes it literal, any other backslash stands for itself.
QStringList splitArguments(QStringView instruction)
{
    QStringList arguments;
    qsizetype pos = 0;
    const qsizetype size = instruction.size();
    while (pos < size) {
        while (pos < size && instruction[pos].isSpace())
            ++pos;
        if (pos >= size)
            break;
        QString argument;
        if (instruction[pos] == u'"') {
            ++pos;
            while (pos < size && instruction[pos] != u'"') {
                if (instruction[pos] == u'\\' && pos + 1 < size
                    && (instruction[pos + 1] == u'\\' || instruction[pos + 1] == u'"'))
                    ++pos;
                argument += instruction[pos++];
            }
            ++pos;
        } else {
            while (pos < size && !instruction[pos].isSpace())
                argument += instruction[pos++];
        }
        arguments.append(argument);
    }
    return arguments;
}

}

QString hyperlinkTarget(QStringView instruction)
{
    const QStringList arguments = splitArguments(instruction);
    if (arguments.isEmpty() || arguments.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return {};
    QString address;
    QString location;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.size() == 2 && argument[0] == u'\\') {
            const QChar option = argument[1].toLower();
            const bool takesValue = option == u'l' || option == u'o' || option == u't';
            if (takesValue && i + 1 < arguments.size()) {
                if (option == u'l')
                    location = arguments[i + 1];
                ++i;
            }
        } else if (address.isEmpty()) {
            address = argument;
        }
    }
    if (!location.isEmpty())
        return address + u'#' + location;
    return address;
}

}
