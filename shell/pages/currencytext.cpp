#include "currencytext.h"

#include "controls/moneyedit.h"
#include "platform/formatsettings.h"

#include <cmath>

QString CurrencyText(double value)
{
    return CurrencyTextOfCents(ToCents(value));
}

QString CurrencyTextOfCents(qint64 cents)
{
    const FormatSettings& formats = ProcessFormats();
    const QString amount = CentsToText(cents < 0 ? -cents : cents, formats.decimalSeparator, formats.thousandSeparator);
    return (cents < 0 ? QStringLiteral("-") : QString()) + formats.currencyString + amount;
}

qint64 ToCents(double value)
{
    return std::llround(value * 100.0);
}
