#include "datemath.h"

#include "controls/daynumbers.h"

#include <utility>

namespace {
template <typename Step>
TDateTime StepDayNumber(TDateTime date, Step step)
{
    const qint32 day = DateTimeToDayNumber(date);
    return day == InvalidDay ? 0.0 : DayNumberToDateTime(step(day));
}

// The earlier and the later of two dates, split into their parts.
std::pair<DateParts, DateParts> InOrder(TDateTime a, TDateTime b)
{
    if (DateOf(b) < DateOf(a))
        std::swap(a, b);
    return {DecodeDate(a), DecodeDate(b)};
}
}  // namespace

TDateTime IncDays(quint16 days, TDateTime date)
{
    return StepDayNumber(date, [days](qint32 day) { return day + days; });
}

TDateTime IncMonths(quint16 months, TDateTime date)
{
    return StepDayNumber(date, [months](qint32 day) { return IncMonthsYears(day, months, 0); });
}

TDateTime IncYears(quint16 years, TDateTime date)
{
    return StepDayNumber(date, [years](qint32 day) { return IncMonthsYears(day, 0, years); });
}

int YearsBetween(TDateTime a, TDateTime b)
{
    const auto [earlier, later] = InOrder(a, b);
    int years = later.year - earlier.year;
    if (later.month < earlier.month || (later.month == earlier.month && later.day < earlier.day))
        --years;
    return years;
}

int MonthsBetween(TDateTime a, TDateTime b)
{
    if (DateOf(a) == DateOf(b))
        return 0;
    const auto [earlier, later] = InOrder(a, b);
    int months = (later.year - earlier.year) * 12 + (later.month - earlier.month);
    if (earlier.day > later.day)
        --months;
    return months;
}
