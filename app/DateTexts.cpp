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
    const auto digits = [](int value, int width) { return QString::number(value).rightJustified(width, QLatin1Char('0')); };
    return digits(date.month(), 2) + separator + digits(date.day(), 2) + separator + digits(date.year(), 4);
}

QString LongDateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::LongFormat);
}

} // namespace dayvell
