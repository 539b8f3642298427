#pragma once
// Text the records share: blank trimming, the money column text, the
// date-entry warning and the two-line fit of a memo into report columns.
#include <QString>
#include <QStringList>

// Only the blank character counts; each changes its argument in place.
void TrimLeadingBlanks(QString& text);
void TrimBlanks(QString& text);
void TrimLowerCase(QString& text);

// "$" and two decimals with "," between thousands, padded on the left for
// column alignment: two blanks for each character short of Width, then one
// blank for each comma and one more. An amount whose cents do not fit in 64
// bits (or NaN) shows as too big to show, -1.00.
QString FormatMoney(int width, double value);

// The warning for a badly typed date, naming the user's own date separator;
// the caller has checked the date.
void ShowDateEntryError();

// The lines joined with blanks (while the text is at most 250 characters)
// and split at a blank into two lines of at most Width characters.
void WrapWords(const QStringList& lines, int width, QString& line1, QString& line2);
// The two wrapped lines on one line again, with the blank the wrap took out
// between them, so no two words run together.
QString WrapWordsOnOneLine(const QStringList& lines, int width);
