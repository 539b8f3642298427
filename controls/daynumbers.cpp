#include "daynumbers.h"

#include <cmath>

namespace {
constexpr qint32 kSecondsPerDay = 86400;
// Date-time values of 1 January 1600 and 31 December 3999, with a margin for
// the time of day; values outside cannot split into a valid date.
constexpr TDateTime kFirstDateTime = -109572.0;
constexpr TDateTime kLastDateTime = 767012.0;

bool DateTimeInRange(TDateTime value)
{
    return std::isfinite(value) && value >= kFirstDateTime && value <= kLastDateTime;
}

bool SecondsAreValid(qint32 seconds)
{
    return seconds >= 0 && seconds < kSecondsPerDay;
}

struct YearMonth {
    bool known = false;
    qint16 year = 0;
    qint16 month = 0;
};

YearMonth& CurrentYearMonth()
{
    static YearMonth current;
    if (!current.known) {
        const QDate today = Clock::CurrentDateTime().date();
        current = {true, static_cast<qint16>(today.year()), static_cast<qint16>(today.month())};
    }
    return current;
}
}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool LeapYear(int year)
{
    return year % 4000 != 0 && IsLeapYear(year);
}

int DaysInMonthOf(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void NextMonth(int& year, int& month)
{
    if (month == 12) {
        month = 1;
        ++year;
    } else {
        ++month;
    }
}

int ApplyEpoch(int year, int epoch)
{
    if (year < 0 || year >= 100)
        return year;
    year += epoch / 100 * 100;
    if (year % 100 < epoch % 100)
        year += 100;
    return year;
}

int MonthLength(int month, int year, int epoch)
{
    year = ApplyEpoch(year, epoch);
    if (year < MinYear || year > MaxYear)
        return 0;
    return DaysInMonthOf(year, month);
}

bool DateIsValid(int day, int month, int year, int epoch)
{
    return day >= 1 && day <= MonthLength(month, year, epoch);
}

qint32 DMYToDayNumber(int day, int month, int year, int epoch)
{
    if (!DateIsValid(day, month, year, epoch))
        return InvalidDay;
    year = ApplyEpoch(year, epoch);
    if (year == MinYear && month <= 2)
        return month == 1 ? day - 1 : day + 30;
    int m = month - 3;
    if (month <= 2) {
        m = month + 9;
        --year;
    }
    const int y = year - MinYear;
    return (y / 100 * 146097) / 4 + (y % 100 * 1461) / 4 + (153 * m + 2) / 5 + day + 59;
}

qint32 MaxDayNumber()
{
    static const qint32 last = DMYToDayNumber(31, 12, MaxYear, 0);
    return last;
}

void DayNumberToDMY(qint32 dayNumber, int& day, int& month, int& year)
{
    day = month = year = 0;
    if (dayNumber < 0 || dayNumber > MaxDayNumber())
        return;
    if (dayNumber <= 59) {
        year = MinYear;
        month = dayNumber <= 30 ? 1 : 2;
        day = dayNumber <= 30 ? dayNumber + 1 : dayNumber - 30;
        return;
    }
    const int t = (dayNumber - 59) * 4 - 1;
    year = 100 * (t / 146097);
    const int r = t % 146097 / 4;
    year += (4 * r + 3) / 1461;
    const int q = ((4 * r + 3) % 1461 + 4) / 4;
    const int v = 5 * q - 3;
    day = (v % 153 + 5) / 5;
    month = v / 153;
    if (month >= 10) {
        month -= 9;
        ++year;
    } else {
        month += 3;
    }
    year += MinYear;
}

qint32 IncMonthsYears(qint32 dayNumber, int months, int years)
{
    int day = 0, month = 0, year = 0;
    DayNumberToDMY(dayNumber, day, month, year);
    if (year == 0)
        return InvalidDay;
    const int excess = day - 28;
    if (day >= 28)
        day = 28;
    // Wide arithmetic: callers may pass any step, and only the result is checked.
    qint64 newYear = qint64(year) + years + months / 12;
    int newMonth = month + months % 12;
    if (newMonth > 12) {
        newMonth -= 12;
        ++newYear;
    } else if (newMonth < 1) {
        newMonth += 12;
        --newYear;
    }
    if (newYear < MinYear || newYear > MaxYear)
        return InvalidDay;
    const qint32 result = DMYToDayNumber(day, newMonth, static_cast<int>(newYear), 0);
    if (excess <= 0)
        return result;
    const int length = MonthLength(newMonth, static_cast<int>(newYear), 0);
    return day + excess <= length ? result + excess : result + (length - day);
}

quint8 WeekdayOfDayNumber(qint32 dayNumber)
{
    if (dayNumber < 0 || dayNumber > MaxDayNumber())
        return InvalidWeekday;
    return static_cast<quint8>((dayNumber + 6) % 7);
}

quint8 WeekdayOfDate(int day, int month, int year, int epoch)
{
    return WeekdayOfDayNumber(DMYToDayNumber(day, month, year, epoch));
}

qint32 TodayDayNumber()
{
    return DateTimeToDayNumber(Date());
}

void SecondsToHMS(qint32 seconds, quint8& hours, quint8& minutes, quint8& secs)
{
    hours = minutes = secs = 0;
    if (!SecondsAreValid(seconds))
        return;
    hours = static_cast<quint8>(seconds / 3600);
    minutes = static_cast<quint8>((seconds - 3600 * hours) / 60);
    secs = static_cast<quint8>(seconds % 60);
}

qint32 HMSToSeconds(quint8 hours, quint8 minutes, quint8 secs)
{
    return (hours % 24 * 3600 + minutes * 60 + secs) % kSecondsPerDay;
}

bool TimeIsValid(int hours, int minutes, int secs)
{
    return hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 && secs >= 0 && secs < 60;
}

qint32 CurrentSeconds()
{
    // Whole milliseconds divide exactly; a fraction of a day times 86400 does not.
    return Clock::CurrentDateTime().time().msecsSinceStartOfDay() / 1000;
}

qint32 IncSeconds(qint32 seconds, quint8 hours, quint8 minutes, quint8 secs)
{
    if (!SecondsAreValid(seconds))
        return InvalidTime;
    return (seconds + HMSToSeconds(hours, minutes, secs)) % kSecondsPerDay;
}

qint32 DecSeconds(qint32 seconds, quint8 hours, quint8 minutes, quint8 secs)
{
    if (!SecondsAreValid(seconds))
        return InvalidTime;
    const qint32 result = seconds - HMSToSeconds(hours % 24, minutes, secs);
    return result < 0 ? result + kSecondsPerDay : result;
}

qint32 DateTimeToDayNumber(TDateTime value)
{
    if (!DateTimeInRange(value))
        return InvalidDay;
    const DateParts parts = DecodeDate(value);
    return DMYToDayNumber(parts.day, parts.month, parts.year, 0);
}

TDateTime DayNumberToDateTime(qint32 dayNumber)
{
    int day = 0, month = 0, year = 0;
    DayNumberToDMY(dayNumber, day, month, year);
    return year == 0 ? 0.0 : EncodeDate(year, month, day);
}

qint32 DateTimeToSeconds(TDateTime value)
{
    if (!DateTimeInRange(value))
        return InvalidTime;
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(value, hour, minute, second, msec);
    return (hour * 60 + minute) * 60 + second;
}

TDateTime SecondsToDateTime(qint32 seconds)
{
    if (!SecondsAreValid(seconds))
        return 0.0;
    quint8 hours = 0, minutes = 0, secs = 0;
    SecondsToHMS(seconds, hours, minutes, secs);
    return EncodeTime(hours, minutes, secs, 0);
}

qint16 CurrentYear()
{
    return CurrentYearMonth().year;
}

qint16 CurrentMonth()
{
    return CurrentYearMonth().month;
}

void SetCurrentYearMonth(qint16 year, qint16 month)
{
    CurrentYearMonth() = {true, year, month};
}
