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
QString FormatDateTime(const QString& picture, TDateTime value);
QString DateToStr(TDateTime value);
QString TimeToStr(TDateTime value);
// Reads a date in the order of the short date format; false for a date that does not exist.
bool TryStrToDate(const QString& text, TDateTime& value);
