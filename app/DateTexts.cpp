#include "app/DateTexts.h"

namespace dayvell {

QString RegionalDateSeparator(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    for (const QChar character : format)
        if (!character.isLetter() && !character.isSpace() && character != QLatin1Char('\''))
            return QString(character);
    return QStringLiteral("/");
}

QString ShortDateText(const QDate& date, const QLocale& locale)
{
    const QString separator = RegionalDateSeparator(locale);
    return QStringLiteral("%1%4%2%4%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(separator);
}

QString LongDateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::LongFormat);
}

} // namespace dayvell
