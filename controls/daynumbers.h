#pragma once
// Dates as day numbers (day 0 = 1 January 1600) and times as seconds since
// midnight: the two encodings the entry fields keep their values in.
#include "platform/datetime.h"

#include <QtGlobal>

constexpr qint32 InvalidDay = -1;
constexpr qint32 InvalidTime = -1;
constexpr int MinYear = 1600;
constexpr int MaxYear = 3999;
constexpr quint8 InvalidWeekday = 7;

bool LeapYear(int year);
// The calendar's own rule, for any year: no exception for multiples of 4000.
bool IsLeapYear(int year);
// 28..31 for months 1..12 of any year; 0 for another month.
int DaysInMonthOf(int year, int month);
// December moves to January of the next year.
void NextMonth(int& year, int& month);
// The century a year below 100 belongs to; other years are kept.
int ApplyEpoch(int year, int epoch);
// 28..31; 0 for a month or year (after the epoch rule) outside the range.
int MonthLength(int month, int year, int epoch);
bool DateIsValid(int day, int month, int year, int epoch);
qint32 DMYToDayNumber(int day, int month, int year, int epoch);
// All three 0 for a number that is no valid day.
void DayNumberToDMY(qint32 dayNumber, int& day, int& month, int& year);
qint32 MaxDayNumber();
// The same day of the month where the target month has it, else its last day.
qint32 IncMonthsYears(qint32 dayNumber, int months, int years);
// 0 = Sunday .. 6 = Saturday; InvalidWeekday for no valid day.
quint8 WeekdayOfDayNumber(qint32 dayNumber);
quint8 WeekdayOfDate(int day, int month, int year, int epoch);
qint32 TodayDayNumber();

void SecondsToHMS(qint32 seconds, quint8& hours, quint8& minutes, quint8& secs);
qint32 HMSToSeconds(quint8 hours, quint8 minutes, quint8 secs);
bool TimeIsValid(int hours, int minutes, int secs);
qint32 CurrentSeconds();
qint32 IncSeconds(qint32 seconds, quint8 hours, quint8 minutes, quint8 secs);
qint32 DecSeconds(qint32 seconds, quint8 hours, quint8 minutes, quint8 secs);

qint32 DateTimeToDayNumber(TDateTime value);
TDateTime DayNumberToDateTime(qint32 dayNumber);
// The time of day of a date-time, split at the millisecond, as whole seconds.
qint32 DateTimeToSeconds(TDateTime value);
TDateTime SecondsToDateTime(qint32 seconds);

// The year and month a date text without them stands for; taken from today
// on first use, set by tests.
qint16 CurrentYear();
qint16 CurrentMonth();
void SetCurrentYearMonth(qint16 year, qint16 month);
