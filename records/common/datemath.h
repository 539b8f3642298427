#pragma once
// Calendar steps and spans on date values of whole days. The step counts are
// unsigned, so every step moves forward.
#include "platform/datetime.h"

#include <QtGlobal>

// A date outside the years 1600 to 3999, or a result past them, gives 0.0.
TDateTime IncDays(quint16 days, TDateTime date);
// The day is lowered to the target month's last day when that month is shorter.
TDateTime IncMonths(quint16 months, TDateTime date);
// 29 February becomes 28 February in a common year.
TDateTime IncYears(quint16 years, TDateTime date);

// Whole years and whole months between two dates, in either order.
int YearsBetween(TDateTime a, TDateTime b);
int MonthsBetween(TDateTime a, TDateTime b);
