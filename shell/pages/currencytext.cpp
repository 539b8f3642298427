#include "currencytext.h"

#include "platform/formatsettings.h"

#include <cmath>
#include <cstdlib>

QString CurrencyText(double value)
{
    return CurrencyTextOfCents(ToCents(value));
}

QString CurrencyTextOfCents(qint64 cents)
{
    const FormatSettings& formats = ProcessFormats();
    const QString whole = QString::number(std::llabs(cents) / 100);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += formats.thousandSeparator;
        grouped += whole[i];
    }
    const QString fraction = QStringLiteral("%1").arg(std::llabs(cents) % 100, 2, 10, QLatin1Char('0'));
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    return sign + formats.currencyString + grouped + formats.decimalSeparator + fraction;
}

qint64 ToCents(double value)
{
    return std::llround(value * 100.0);
}
