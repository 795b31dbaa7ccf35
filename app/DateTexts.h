#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace dayvell {

// The separator between day, month and year in the locale's short dates
// ("/" when the locale's short format has none).
QString RegionalDateSeparator(const QLocale& locale = QLocale());

// The program's short date: "mm/dd/yyyy", each "/" written as the locale's
// date separator. Inserted dates and print progress use it.
QString ShortDateText(const QDate& date, const QLocale& locale = QLocale());

// The locale's long date, weekday and month written out: the date heading.
QString LongDateText(const QDate& date, const QLocale& locale = QLocale());

} // namespace dayvell
