#include "rpformat.h"

#include "platform/formatsettings.h"

#include <QStringList>
#include <cmath>

namespace {

QString WithDecimalSeparator(QString text)
{
    return text.replace(QLatin1Char('.'), ProcessFormats().decimalSeparator);
}

QString StripTrailingZeros(QString digits, int keep)
{
    while (digits.size() > keep && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits;
}

enum class MaskChar { Quote, Quoted, Plain };

// Quoted text of a mask stands as it is; quote tracks the open quote.
MaskChar Classify(QChar c, QChar& quote)
{
    if (!quote.isNull()) {
        if (c != quote)
            return MaskChar::Quoted;
        quote = QChar();
        return MaskChar::Quote;
    }
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
        quote = c;
        return MaskChar::Quote;
    }
    return MaskChar::Plain;
}

// The mask's sections, split at ";" outside quotes.
QStringList Sections(const QString& mask)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : mask) {
        if (Classify(c, quote) == MaskChar::Plain && c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

struct MaskShape {
    int integerPlaces = 0;     // placeholders before the decimal point
    int integerZeros = 0;      // from the first "0" to the decimal point
    int decimalZeros = 0;      // decimals up to the last "0" after the point
    int decimalPlaces = 0;
    bool thousands = false;
    bool scientific = false;
    bool exponentSignAlways = false;
    int exponentDigits = 0;
};

bool IsExponentAt(const QString& s, int i)
{
    return i + 1 < s.size() && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e')) &&
           (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'));
}

MaskShape ShapeOf(const QString& section)
{
    MaskShape shape;
    bool afterPoint = false;
    bool zeroSeen = false;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (Classify(c, quote) != MaskChar::Plain || shape.scientific) {
            continue;
        } else if (IsExponentAt(section, i)) {
            shape.scientific = true;
            shape.exponentSignAlways = section[i + 1] == QLatin1Char('+');
            for (int j = i + 2; j < section.size() && section[j] == QLatin1Char('0'); ++j)
                ++shape.exponentDigits;
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            shape.thousands = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++shape.decimalPlaces;
                if (c == QLatin1Char('0'))
                    shape.decimalZeros = shape.decimalPlaces;
            } else {
                ++shape.integerPlaces;
                zeroSeen = zeroSeen || c == QLatin1Char('0');
                if (zeroSeen)
                    ++shape.integerZeros;
            }
        }
    }
    return shape;
}

QString ThousandsAfter(const QString& digits, int index)
{
    const int remaining = static_cast<int>(digits.size()) - 1 - index;
    return remaining > 0 && remaining % 3 == 0 ? QString(ProcessFormats().thousandSeparator) : QString();
}

// Lays the digits over the section's placeholders, right-aligned, with the
// section's other characters in place.
QString Lay(const QString& section, const MaskShape& shape, const QString& integerDigits,
            const QString& decimals, const QString& exponent)
{
    QString out;
    int placeholder = 0;
    int decimal = 0;
    bool afterPoint = false;
    bool exponentDone = false;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        const MaskChar kind = Classify(c, quote);
        if (kind == MaskChar::Quoted) {
            out.append(c);
        } else if (kind == MaskChar::Quote) {
            continue;
        } else if (shape.scientific && exponentDone) {
            out.append(c);   // what follows the exponent is text
        } else if (IsExponentAt(section, i)) {
            out.append(c).append(exponent);
            i += 1 + shape.exponentDigits;
            exponentDone = true;
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            if (shape.integerPlaces == 0)
                out.append(integerDigits);
            if (!decimals.isEmpty())
                out.append(ProcessFormats().decimalSeparator);
        } else if (c == QLatin1Char(',')) {
            continue;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (decimal < decimals.size())
                    out.append(decimals[decimal]);
                ++decimal;
                continue;
            }
            const int last = std::min(static_cast<int>(integerDigits.size()) - (shape.integerPlaces - placeholder),
                                      static_cast<int>(integerDigits.size()) - 1);
            const int first = placeholder == 0 ? 0 : last;
            for (int j = std::max(first, 0); j <= last; ++j) {
                out.append(integerDigits[j]);
                if (shape.thousands)
                    out.append(ThousandsAfter(integerDigits, j));
            }
            ++placeholder;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString ExponentText(int exponent, const MaskShape& shape)
{
    QString digits = QString::number(std::abs(exponent));
    while (digits.size() < shape.exponentDigits)
        digits.prepend(QLatin1Char('0'));
    if (exponent < 0)
        return QLatin1Char('-') + digits;
    return shape.exponentSignAlways ? QLatin1Char('+') + digits : digits;
}

}  // namespace

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const double magnitude = std::abs(value);
    if (magnitude == 0)
        return QStringLiteral("0");
    const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    if (magnitude >= 0.00001 && integerDigits <= 15) {
        const QString fixed = QString::number(value, 'f', std::clamp(15 - integerDigits, 0, 20));
        const QString trimmed = fixed.contains(QLatin1Char('.')) ? StripTrailingZeros(fixed, 0) : fixed;
        return WithDecimalSeparator(trimmed.endsWith(QLatin1Char('.')) ? trimmed.chopped(1) : trimmed);
    }
    const QString scientific = QString::number(value, 'e', 14);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString mantissa = StripTrailingZeros(scientific.left(e), 0);
    if (mantissa.endsWith(QLatin1Char('.')))
        mantissa.chop(1);
    return WithDecimalSeparator(mantissa) + QLatin1Char('E') + QString::number(scientific.mid(e + 1).toInt());
}

QString FormatFloat(const QString& mask, double value)
{
    if (mask.isEmpty() || !std::isfinite(value))
        return FloatToStr(value);
    const QStringList sections = Sections(mask);
    QString section = sections[0];
    bool minus = value < 0;
    if (minus && sections.size() >= 2 && !sections[1].isEmpty()) {
        section = sections[1];
        minus = false;
    }
    MaskShape shape = ShapeOf(section);
    double magnitude = std::abs(value);

    int exponent = 0;
    if (shape.scientific && magnitude != 0) {
        exponent = static_cast<int>(std::floor(std::log10(magnitude))) + 1 - std::max(shape.integerPlaces, 1);
        magnitude /= std::pow(10.0, exponent);
    }
    QString fixed = QString::number(magnitude, 'f', shape.decimalPlaces);
    if (shape.scientific && fixed.indexOf(QLatin1Char('.')) > std::max(shape.integerPlaces, 1)) {
        // Rounding carried into another digit.
        ++exponent;
        magnitude /= 10;
        fixed = QString::number(magnitude, 'f', shape.decimalPlaces);
    }
    if (fixed.toDouble() == 0) {
        minus = false;
        if (sections.size() >= 3 && !sections[2].isEmpty()) {
            section = sections[2];
            shape = ShapeOf(section);
            fixed = QString::number(0.0, 'f', shape.decimalPlaces);
            exponent = 0;
        }
    }
    const qsizetype point = fixed.indexOf(QLatin1Char('.'));
    QString integerDigits = point < 0 ? fixed : fixed.left(point);
    const QString decimals = point < 0 ? QString() : StripTrailingZeros(fixed.mid(point + 1), shape.decimalZeros);
    if (integerDigits == QLatin1String("0"))
        integerDigits.clear();
    while (integerDigits.size() < shape.integerZeros)
        integerDigits.prepend(QLatin1Char('0'));
    const QString text = Lay(section, shape, integerDigits, decimals, ExponentText(exponent, shape));
    return minus ? QLatin1Char('-') + text : text;
}
