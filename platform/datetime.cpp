#include "datetime.h"

#include <cmath>

namespace {
// Made on first use: dates are encoded while other files' constants are set
// up, before a constant of this file would be.
const QDate& ZeroDate()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

constexpr qint64 kMsecPerDay = 86400000;
QDateTime gFixedMoment;

qint64 RoundToMsec(TDateTime value)
{
    return std::llround(value * kMsecPerDay);
}
}  // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0.0;
    TryEncodeDate(year, month, day, result);
    return result;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return false;
    result = static_cast<TDateTime>(ZeroDate().daysTo(QDate(year, month, day)));
    return true;
}

TDateTime DateOf(TDateTime value)
{
    // Split at the millisecond so a value a hair below midnight keeps its day;
    // before 1899 the day is the whole part and the time counts forward from it.
    return static_cast<TDateTime>(RoundToMsec(value) / kMsecPerDay);
}

QDate ToQDate(TDateTime value)
{
    return ZeroDate().addDays(static_cast<qint64>(DateOf(value)));
}

DateParts DecodeDate(TDateTime value)
{
    const QDate date = ToQDate(value);
    return {date.year(), date.month(), date.day()};
}

TDateTime FromQDate(const QDate& date)
{
    return date.isValid() ? static_cast<TDateTime>(ZeroDate().daysTo(date)) : 0.0;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    return static_cast<TDateTime>(((hour * 60 + minute) * 60 + second) * 1000 + msec) / kMsecPerDay;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    qint64 ms = RoundToMsec(value) % kMsecPerDay;
    if (ms < 0)
        ms = -ms;
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    second = static_cast<int>(ms % 60);
    ms /= 60;
    minute = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

QDateTime ToQDateTime(TDateTime value)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(value, h, m, s, ms);
    return QDateTime(ToQDate(value), QTime(h, m, s, ms));
}

TDateTime FromQDateTime(const QDateTime& dateTime)
{
    const QTime t = dateTime.time();
    return FromQDate(dateTime.date()) + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

namespace Clock {
QDateTime CurrentDateTime()
{
    return gFixedMoment.isValid() ? gFixedMoment : QDateTime::currentDateTime();
}

void SetFixed(const QDateTime& moment)
{
    gFixedMoment = moment;
}
}  // namespace Clock

TDateTime Now()
{
    return FromQDateTime(Clock::CurrentDateTime());
}

TDateTime Date()
{
    return FromQDate(Clock::CurrentDateTime().date());
}

TDateTime Time()
{
    const QTime t = Clock::CurrentDateTime().time();
    return EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}
