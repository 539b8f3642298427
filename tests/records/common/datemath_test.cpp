#include "records/common/datemath.h"

#include <gtest/gtest.h>

namespace {

TDateTime D(int year, int month, int day)
{
    return EncodeDate(year, month, day);
}

TEST(IncMonths, LowersTheDayToTheTargetMonthsEnd)
{
    EXPECT_EQ(IncMonths(1, D(2001, 1, 31)), D(2001, 2, 28));
    EXPECT_EQ(IncMonths(1, D(2000, 1, 31)), D(2000, 2, 29));
    EXPECT_EQ(IncMonths(1, D(2003, 3, 31)), D(2003, 4, 30));
    EXPECT_EQ(IncMonths(12, D(2000, 2, 29)), D(2001, 2, 28));
    EXPECT_EQ(IncMonths(48, D(2000, 2, 29)), D(2004, 2, 29));
    EXPECT_EQ(IncMonths(0, D(2000, 5, 17)), D(2000, 5, 17));
}

TEST(IncMonths, CrossesYearEnds)
{
    EXPECT_EQ(IncMonths(1, D(1999, 12, 15)), D(2000, 1, 15));
    EXPECT_EQ(IncMonths(14, D(1999, 11, 30)), D(2001, 1, 30));
    EXPECT_EQ(IncMonths(6, D(2024, 8, 31)), D(2025, 2, 28));
}

TEST(IncYears, TwentyNinthOfFebruaryLandsOnTheTwentyEighthInCommonYears)
{
    EXPECT_EQ(IncYears(1, D(1996, 2, 29)), D(1997, 2, 28));
    EXPECT_EQ(IncYears(4, D(1996, 2, 29)), D(2000, 2, 29));
    EXPECT_EQ(IncYears(104, D(1996, 2, 29)), D(2100, 2, 28));
    EXPECT_EQ(IncYears(10, D(1990, 7, 4)), D(2000, 7, 4));
}

TEST(IncDays, StepsOverMonthAndYearEnds)
{
    const TDateTime d = D(2004, 6, 9);
    EXPECT_EQ(IncDays(0, d), d);
    EXPECT_EQ(IncDays(1, D(1999, 12, 31)), D(2000, 1, 1));
    EXPECT_EQ(IncDays(1, D(2000, 2, 28)), D(2000, 2, 29));
    EXPECT_EQ(IncDays(1, D(1900, 2, 28)), D(1900, 3, 1));
    EXPECT_EQ(IncDays(65535, D(2000, 1, 1)), D(2000, 1, 1) + 65535);
}

TEST(DateSteps, DropTheTimeOfDayAndGiveNoDateOutsideTheCalendar)
{
    EXPECT_EQ(IncMonths(1, D(2001, 1, 31) + 0.75), D(2001, 2, 28));
    EXPECT_EQ(IncYears(5, D(3997, 1, 1)), 0.0);
    EXPECT_EQ(IncDays(1, D(1500, 1, 1)), 0.0);
    // The stored empty date is a day like any other.
    EXPECT_EQ(IncMonths(6, 0.0), D(1900, 6, 30));
}

TEST(YearsBetween, CountsWholeYearsInEitherOrder)
{
    EXPECT_EQ(YearsBetween(D(1996, 6, 9), D(2006, 6, 8)), 9);
    EXPECT_EQ(YearsBetween(D(2006, 6, 8), D(1996, 6, 9)), 9);
    EXPECT_EQ(YearsBetween(D(2006, 6, 9), D(1996, 6, 9)), 10);
    EXPECT_EQ(YearsBetween(D(1996, 6, 9), D(2006, 5, 30)), 9);
    EXPECT_EQ(YearsBetween(D(1996, 2, 29), D(1997, 2, 28)), 0);
    EXPECT_EQ(YearsBetween(D(1996, 2, 29), D(1997, 3, 1)), 1);
    EXPECT_EQ(YearsBetween(D(2000, 1, 1), D(2000, 1, 1)), 0);
}

TEST(MonthsBetween, CountsWholeMonthsInEitherOrder)
{
    EXPECT_EQ(MonthsBetween(D(2001, 1, 31), D(2001, 2, 28)), 0);
    EXPECT_EQ(MonthsBetween(D(2001, 2, 28), D(2001, 1, 31)), 0);
    EXPECT_EQ(MonthsBetween(D(2001, 1, 15), D(2001, 3, 15)), 2);
    EXPECT_EQ(MonthsBetween(D(2001, 3, 15), D(2001, 1, 15)), 2);
    EXPECT_EQ(MonthsBetween(D(1999, 11, 20), D(2001, 2, 19)), 14);
    EXPECT_EQ(MonthsBetween(D(2001, 5, 5), D(2001, 5, 5) + 0.5), 0);
}

}  // namespace
