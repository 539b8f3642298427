#pragma once
// Money in the system's currency format: the currency text in front, two
// decimals and thousands separators, as the process-wide formats say.
#include <QString>

QString CurrencyText(double value);
// The same for a whole number of cents, summed without rounding errors.
QString CurrencyTextOfCents(qint64 cents);
// The whole number of cents nearest to an amount.
qint64 ToCents(double value);
