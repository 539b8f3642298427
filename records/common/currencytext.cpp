#include "currencytext.h"

#include "controls/moneyedit.h"
#include "platform/formatsettings.h"

#include <QtNumeric>

QString CurrencyText(double value)
{
    return CurrencyTextOfCents(AmountToCents(value).value_or(kTooBigToShowCents));
}

QString CurrencyTextOfCents(qint64 cents)
{
    const FormatSettings& formats = ProcessFormats();
    const QString amount = CentsToText(cents, formats.decimalSeparator, formats.thousandSeparator);
    // The sign goes in front of the currency text.
    return cents < 0 ? QLatin1Char('-') + formats.currencyString + amount.mid(1) : formats.currencyString + amount;
}

void TCentsSum::Add(double amount)
{
    AddCents(AmountToCents(amount));
}

void TCentsSum::Add(const TCentsSum& other)
{
    AddCents(other.cents_);
}

void TCentsSum::AddCents(std::optional<qint64> cents)
{
    qint64 sum = 0;
    if (cents_ && cents && !qAddOverflow(*cents_, *cents, &sum))
        cents_ = sum;
    else
        cents_.reset();
}

QString TCentsSum::Text() const
{
    return CurrencyTextOfCents(cents_.value_or(kTooBigToShowCents));
}
