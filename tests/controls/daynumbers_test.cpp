#include "controls/daynumbers.h"

#include <QDateTime>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct FixedClock {
    explicit FixedClock(const QDateTime& moment) { Clock::SetFixed(moment); }
    ~FixedClock() { Clock::SetFixed(QDateTime()); }
};

const QDate kFirstDay(1600, 1, 1);

TEST(LeapYear, CenturiesAreLeapOnlyEveryFourHundredYears)
{
    EXPECT_TRUE(LeapYear(1600));
    EXPECT_FALSE(LeapYear(1900));
    EXPECT_TRUE(LeapYear(2000));
    EXPECT_TRUE(LeapYear(2004));
    EXPECT_FALSE(LeapYear(2001));
    EXPECT_FALSE(LeapYear(4000));
}

TEST(Epoch, TwoDigitYearsTakeTheEpochsCentury)
{
    EXPECT_EQ(ApplyEpoch(5, 1900), 1905);
    EXPECT_EQ(ApplyEpoch(5, 1950), 2005);
    EXPECT_EQ(ApplyEpoch(50, 1950), 1950);
    EXPECT_EQ(ApplyEpoch(49, 1950), 2049);
    EXPECT_EQ(ApplyEpoch(99, 1900), 1999);
    EXPECT_EQ(ApplyEpoch(100, 1950), 100);
    EXPECT_EQ(ApplyEpoch(5, 0), 5);
    EXPECT_EQ(DMYToDayNumber(1, 1, 5, 1900), DMYToDayNumber(1, 1, 1905, 0));
    EXPECT_EQ(DMYToDayNumber(1, 1, 5, 1950), DMYToDayNumber(1, 1, 2005, 0));
    EXPECT_EQ(DMYToDayNumber(1, 1, 5, 0), InvalidDay);
    // A negative year is no two-digit year, whatever the epoch.
    EXPECT_FALSE(DateIsValid(1, 1, -5, 1900));
}

TEST(MonthLength, FebruaryAndTheLimits)
{
    EXPECT_EQ(MonthLength(2, 1900, 0), 28);
    EXPECT_EQ(MonthLength(2, 2000, 0), 29);
    EXPECT_EQ(MonthLength(2, 0, 1900), 28);
    EXPECT_EQ(MonthLength(4, 2001, 0), 30);
    EXPECT_EQ(MonthLength(12, 2001, 0), 31);
    EXPECT_EQ(MonthLength(13, 2001, 0), 0);
    EXPECT_EQ(MonthLength(0, 2001, 0), 0);
    EXPECT_EQ(MonthLength(1, 1599, 0), 0);
    EXPECT_EQ(MonthLength(1, 4000, 0), 0);
}

TEST(DayNumbers, RangeEnds)
{
    EXPECT_EQ(DMYToDayNumber(1, 1, 1600, 0), 0);
    EXPECT_EQ(DMYToDayNumber(31, 1, 1600, 0), 30);
    EXPECT_EQ(DMYToDayNumber(29, 2, 1600, 0), 59);
    EXPECT_EQ(DMYToDayNumber(1, 3, 1600, 0), 60);
    EXPECT_EQ(DMYToDayNumber(31, 12, 3999, 0), kFirstDay.daysTo(QDate(3999, 12, 31)));
    EXPECT_EQ(MaxDayNumber(), DMYToDayNumber(31, 12, 3999, 0));
    EXPECT_EQ(DMYToDayNumber(31, 12, 1599, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(1, 1, 4000, 0), InvalidDay);
}

TEST(DayNumbers, MonthEndsAndLeapDays)
{
    EXPECT_EQ(DMYToDayNumber(31, 4, 2001, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(29, 2, 2001, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(29, 2, 1900, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(30, 2, 2000, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(0, 1, 2000, 0), InvalidDay);
    EXPECT_EQ(DMYToDayNumber(1, 3, 2000, 0) - DMYToDayNumber(28, 2, 2000, 0), 2);
    EXPECT_EQ(DMYToDayNumber(1, 3, 1900, 0) - DMYToDayNumber(28, 2, 1900, 0), 1);
}

TEST(DayNumbers, NumbersOutsideTheRangeSplitIntoZeros)
{
    for (qint32 bad : {InvalidDay, -2, MaxDayNumber() + 1, std::numeric_limits<qint32>::min(),
                       std::numeric_limits<qint32>::max()}) {
        int d = 9, m = 9, y = 9;
        DayNumberToDMY(bad, d, m, y);
        EXPECT_EQ(d + m + y, 0) << bad;
        EXPECT_EQ(WeekdayOfDayNumber(bad), InvalidWeekday) << bad;
        EXPECT_EQ(DayNumberToDateTime(bad), 0.0) << bad;
    }
}

// Every valid day: the number agrees with the calendar, splits back into its
// date, has the calendar's weekday and converts to and from a date-time.
TEST(DayNumbers, EveryDayFrom1600To3999)
{
    qint32 expected = 0;
    for (QDate date = kFirstDay; date.year() <= MaxYear; date = date.addDays(1), ++expected) {
        const qint32 n = DMYToDayNumber(date.day(), date.month(), date.year(), 0);
        ASSERT_EQ(n, expected) << date.toString(Qt::ISODate).toStdString();
        int d = 0, m = 0, y = 0;
        DayNumberToDMY(n, d, m, y);
        ASSERT_EQ(QDate(y, m, d), date);
        ASSERT_EQ(WeekdayOfDayNumber(n), date.dayOfWeek() % 7);
        ASSERT_EQ(DateTimeToDayNumber(DayNumberToDateTime(n)), n);
    }
    EXPECT_EQ(expected - 1, MaxDayNumber());
}

TEST(Weekday, FirstDayWasASaturday)
{
    EXPECT_EQ(WeekdayOfDayNumber(0), 6);
    EXPECT_EQ(WeekdayOfDate(1, 1, 2000, 0), 6);
    EXPECT_EQ(WeekdayOfDate(15, 3, 1, 2000), 4);
    EXPECT_EQ(WeekdayOfDate(31, 2, 2000, 0), InvalidWeekday);
}

qint32 Day(int d, int m, int y)
{
    return DMYToDayNumber(d, m, y, 0);
}

TEST(IncMonthsYears, KeepsTheDayOrTakesTheMonthsLast)
{
    EXPECT_EQ(IncMonthsYears(Day(31, 1, 2000), 1, 0), Day(29, 2, 2000));
    EXPECT_EQ(IncMonthsYears(Day(31, 1, 2001), 1, 0), Day(28, 2, 2001));
    EXPECT_EQ(IncMonthsYears(Day(30, 3, 2001), -1, 0), Day(28, 2, 2001));
    EXPECT_EQ(IncMonthsYears(Day(15, 5, 2001), 1, 0), Day(15, 6, 2001));
    EXPECT_EQ(IncMonthsYears(Day(31, 3, 2001), 1, 0), Day(30, 4, 2001));
    EXPECT_EQ(IncMonthsYears(Day(30, 4, 2001), 1, 0), Day(30, 5, 2001));
    EXPECT_EQ(IncMonthsYears(Day(29, 2, 2000), 0, 1), Day(28, 2, 2001));
    EXPECT_EQ(IncMonthsYears(Day(29, 2, 2000), 0, 4), Day(29, 2, 2004));
}

TEST(IncMonthsYears, CrossesYearsBothWays)
{
    EXPECT_EQ(IncMonthsYears(Day(15, 11, 2001), 3, 0), Day(15, 2, 2002));
    EXPECT_EQ(IncMonthsYears(Day(15, 2, 2001), -3, 0), Day(15, 11, 2000));
    EXPECT_EQ(IncMonthsYears(Day(15, 1, 2001), -14, 0), Day(15, 11, 1999));
    EXPECT_EQ(IncMonthsYears(Day(15, 1, 2001), 25, -1), Day(15, 2, 2002));
    EXPECT_EQ(IncMonthsYears(Day(15, 12, 2001), 12, 0), Day(15, 12, 2002));
}

TEST(IncMonthsYears, LeavingTheRangeIsInvalid)
{
    EXPECT_EQ(IncMonthsYears(Day(31, 12, 3999), 1, 0), InvalidDay);
    EXPECT_EQ(IncMonthsYears(Day(1, 1, 1600), -1, 0), InvalidDay);
    EXPECT_EQ(IncMonthsYears(Day(1, 1, 1600), 0, -1), InvalidDay);
    EXPECT_EQ(IncMonthsYears(InvalidDay, 1, 0), InvalidDay);
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    EXPECT_EQ(IncMonthsYears(Day(1, 1, 2000), most, most), InvalidDay);
    EXPECT_EQ(IncMonthsYears(Day(1, 1, 2000), least, least), InvalidDay);
}

TEST(Today, ComesFromTheProgramsClock)
{
    FixedClock clock(QDateTime(QDate(2001, 3, 15), QTime(23, 59, 59, 999)));
    EXPECT_EQ(TodayDayNumber(), Day(15, 3, 2001));
}

TEST(Seconds, SplitAndBuild)
{
    quint8 h = 9, m = 9, s = 9;
    SecondsToHMS(3 * 3600 + 25 * 60 + 7, h, m, s);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(m, 25);
    EXPECT_EQ(s, 7);
    SecondsToHMS(InvalidTime, h, m, s);
    EXPECT_EQ(h + m + s, 0);
    SecondsToHMS(86400, h, m, s);
    EXPECT_EQ(h + m + s, 0);
    EXPECT_EQ(HMSToSeconds(25, 0, 0), 3600);
    EXPECT_EQ(HMSToSeconds(23, 59, 60), 0);
    EXPECT_TRUE(TimeIsValid(23, 59, 59));
    EXPECT_FALSE(TimeIsValid(24, 0, 0));
    EXPECT_FALSE(TimeIsValid(0, 60, 0));
    EXPECT_FALSE(TimeIsValid(0, 0, -1));
}

TEST(Seconds, StepsWrapAroundMidnight)
{
    EXPECT_EQ(IncSeconds(86399, 0, 0, 1), 0);
    EXPECT_EQ(IncSeconds(100, 24, 0, 0), 100);
    EXPECT_EQ(DecSeconds(100, 0, 2, 0), 86380);
    EXPECT_EQ(DecSeconds(100, 25, 0, 0), 86400 - 3500);
    EXPECT_EQ(IncSeconds(InvalidTime, 0, 0, 1), InvalidTime);
    EXPECT_EQ(DecSeconds(InvalidTime, 0, 0, 1), InvalidTime);
}

// A step that lands exactly on midnight is second 0, never 86400 (which no
// time text can show).
TEST(Seconds, StepBackOntoMidnightIsZero)
{
    EXPECT_EQ(DecSeconds(100, 0, 1, 40), 0);
    EXPECT_EQ(DecSeconds(0, 0, 0, 0), 0);
    EXPECT_EQ(DecSeconds(0, 24, 0, 0), 0);
    EXPECT_EQ(DecSeconds(86399, 23, 59, 59), 0);
    EXPECT_EQ(DecSeconds(99, 0, 1, 40), 86399);
    EXPECT_EQ(IncSeconds(86399, 0, 0, 1), 0);
}

// Each second of the day, at its first and its last millisecond: a fraction of
// a day times 86400 falls one short for thousands of them.
TEST(CurrentSeconds, ExactForEverySecondOfTheDay)
{
    const QDate day(2001, 3, 15);
    for (int second = 0; second < 86400; ++second) {
        for (int msec : {0, 999}) {
            FixedClock clock(QDateTime(day, QTime::fromMSecsSinceStartOfDay(second * 1000 + msec)));
            ASSERT_EQ(CurrentSeconds(), second) << second << "." << msec;
        }
    }
}

TEST(DateTimeSplit, RoundsToTheMillisecond)
{
    for (int second = 0; second < 86400; ++second) {
        const TDateTime value = 36965.0 + SecondsToDateTime(second);
        ASSERT_EQ(DateTimeToSeconds(value), second);
        ASSERT_EQ(DateTimeToSeconds(std::nextafter(value, 0.0)), second);
        ASSERT_EQ(DateTimeToDayNumber(value), Day(15, 3, 2001));
    }
    // A hair below midnight is the next day at 0:00:00, in both halves.
    const TDateTime nearlyMidnight = 36965.0 + 1.0 - 1e-10;
    EXPECT_EQ(DateTimeToSeconds(nearlyMidnight), 0);
    EXPECT_EQ(DateTimeToDayNumber(nearlyMidnight), Day(16, 3, 2001));
}

TEST(DateTimeConversion, ZeroAndBadValues)
{
    EXPECT_EQ(DateTimeToDayNumber(0.0), Day(30, 12, 1899));
    EXPECT_EQ(DayNumberToDateTime(Day(30, 12, 1899)), 0.0);
    EXPECT_EQ(DayNumberToDateTime(Day(1, 1, 1900)), 2.0);
    // Before 1899 the whole part is the day and the fraction runs forward from it.
    EXPECT_EQ(DateTimeToDayNumber(-1.25), Day(29, 12, 1899));
    EXPECT_EQ(DateTimeToSeconds(-1.25), 6 * 3600);
    EXPECT_EQ(SecondsToDateTime(InvalidTime), 0.0);
    EXPECT_EQ(SecondsToDateTime(12 * 3600), 0.5);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e300,
                       DayNumberToDateTime(0) - 1.0}) {
        EXPECT_EQ(DateTimeToDayNumber(bad), InvalidDay) << bad;
    }
    EXPECT_EQ(DateTimeToSeconds(std::nan("")), InvalidTime);
}

TEST(CurrentYearMonth, SetForTheProcess)
{
    SetCurrentYearMonth(2001, 3);
    EXPECT_EQ(CurrentYear(), 2001);
    EXPECT_EQ(CurrentMonth(), 3);
}

}  // namespace
