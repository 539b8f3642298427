#pragma once
// The program's date-time value: days since 30 December 1899, the time of day
// as the fraction. Whole numbers are dates; 0.0 doubles as "no date" where a
// stored date is empty.
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>

using TDateTime = double;

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date-time value of a calendar date; 0.0 for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
DateParts DecodeDate(TDateTime value);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

// Whole days only: the time of day is dropped (towards the earlier day).
TDateTime DateOf(TDateTime value);

QDate ToQDate(TDateTime value);
TDateTime FromQDate(const QDate& date);
QDateTime ToQDateTime(TDateTime value);
TDateTime FromQDateTime(const QDateTime& dateTime);

// The clock every "today" and "now" of the program reads, so tests can fix it.
namespace Clock {
// Local date and time now, from the clock in force.
QDateTime CurrentDateTime();
// Tests set a fixed moment; an invalid QDateTime gives the real clock back.
void SetFixed(const QDateTime& moment);
}  // namespace Clock

TDateTime Now();
TDateTime Date();
TDateTime Time();
