#pragma once
// The process-wide date, time and number formats the program writes its own
// text with (the main window forces "m/d/yyyy" and "hh:mm tt" while it runs).
// Derived from the user's locale at start.
#include "datetime.h"

#include <QChar>
#include <QString>

struct FormatSettings {
    QString shortDateFormat;   // picture: d dd m mm mmm mmmm yy yyyy and the separator "/"
    QChar dateSeparator;
    QString shortTimeFormat;   // picture: h hh H HH n nn m mm s ss tt (the AM/PM text)
    QChar timeSeparator;
    QString timeAMString;
    QString timePMString;
    QString currencyString;
    QChar decimalSeparator;
    QChar thousandSeparator;

    static FormatSettings FromLocale();
};

// The settings in force; tests may assign to it.
FormatSettings& ProcessFormats();

// Text of a date-time by a picture; "/" and ":" stand for the separators in force.
// Besides the letters above: ddd and dddd (day names), mmm and mmmm (month
// names, in English like every text of the program), m or mm right after an
// hour (minutes), am/pm and a/p (written in the picture's case), ampm (the
// AM/PM text), t (the short time format), c (the short date format, and the
// short time format when the time is not midnight), quoted text as it stands.
QString FormatDateTime(const QString& picture, TDateTime value);
QString DateToStr(TDateTime value);
QString TimeToStr(TDateTime value);
// Reads a date in the order of the short date format; false for a date that does not exist.
// Two numbers are day and month of this year; a year of one or two digits falls
// in the hundred years that end 19 years after this year (the clock in force).
bool TryStrToDate(const QString& text, TDateTime& value);
