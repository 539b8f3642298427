#include "textroutines.h"

#include <limits>

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
constexpr int kLongestNumberText = 255;

QString DigitsText(quint32 value, int bitsPerDigit, int count)
{
    QString text(count, QLatin1Char('0'));
    const quint32 mask = (1u << bitsPerDigit) - 1;
    for (int i = count - 1; i >= 0 && value != 0; --i) {
        text[i] = QLatin1Char(kDigits[value & mask]);
        value >>= bitsPerDigit;
    }
    return text;
}

int HexDigitValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    const QChar upper = c.toUpper();
    if (upper >= QLatin1Char('A') && upper <= QLatin1Char('F'))
        return upper.unicode() - 'A' + 10;
    return -1;
}

void ChopWhile(QString& text, bool (*drop)(QChar))
{
    while (!text.isEmpty() && drop(text.back()))
        text.chop(1);
}

bool IsZero(QChar c) { return c == QLatin1Char('0'); }
bool IsBlank(QChar c) { return c == QLatin1Char(' '); }
}  // namespace

bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u == ' ' || u == ',' || u == '-' || u == '.')
        return true;
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    return u >= 128 && c.isLetter();
}

QString BinaryText(quint32 value)
{
    return DigitsText(value, 1, 32);
}

QString OctalText(quint32 value)
{
    return DigitsText(value, 3, 12);
}

QString HexWordText(quint16 value)
{
    return DigitsText(value, 4, 4);
}

QString HexLongText(quint32 value)
{
    return DigitsText(value, 4, 8);
}

void TrimTrailingCtl(QString& text)
{
    ChopWhile(text, [](QChar c) { return c.unicode() < 33; });
}

void TrimTrailingZeros(QString& text)
{
    if (!text.contains(QLatin1Char('.')))
        return;
    ChopWhile(text, IsZero);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    ChopWhile(text, IsBlank);
}

void TrimExponentZeros(QString& text)
{
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e < 0)
        return;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    if (mantissa.contains(QLatin1Char('.'))) {
        ChopWhile(mantissa, IsZero);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
    }
    qsizetype first = 0;
    if (!exponent.isEmpty() && (exponent[0] == QLatin1Char('+') || exponent[0] == QLatin1Char('-')))
        first = 1;
    while (exponent.size() > first + 1 && exponent[first] == QLatin1Char('0'))
        exponent.remove(first, 1);
    text = mantissa + QLatin1Char('E') + exponent;
}

bool TextToLong(const QString& input, qint32& value, int& errorPos)
{
    value = 0;
    errorPos = -1;
    if (input.size() > kLongestNumberText)
        return false;
    QString text = input;
    TrimTrailingCtl(text);
    const qsizetype hexPrefix = text.indexOf(QLatin1String("0x"));
    if (hexPrefix >= 0)
        text.replace(hexPrefix, 2, QLatin1Char('$'));

    int pos = 0;
    const int size = static_cast<int>(text.size());
    while (pos < size && text[pos] == QLatin1Char(' '))
        ++pos;
    bool negative = false;
    if (pos < size && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+')))
        negative = text[pos++] == QLatin1Char('-');
    const bool hex = pos < size && text[pos] == QLatin1Char('$');
    if (hex)
        ++pos;
    if (pos == size) {
        errorPos = pos;
        return false;
    }
    // Hexadecimal fills all 32 bits (so $FFFFFFFF is -1); decimal keeps to the signed range.
    const quint64 limit = hex ? 0xFFFFFFFFull
                              : quint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    const int base = hex ? 16 : 10;
    for (; pos < size; ++pos) {
        const int digit = HexDigitValue(text[pos]);
        if (digit >= 0 && digit < base)
            magnitude = magnitude * base + static_cast<quint64>(digit);
        if (digit < 0 || digit >= base || magnitude > limit) {
            errorPos = pos;
            return false;
        }
    }
    const quint64 bits = negative ? (~magnitude + 1) : magnitude;
    value = static_cast<qint32>(static_cast<quint32>(bits & 0xFFFFFFFFull));
    return true;
}

QString FixRealText(const QString& input, QChar decimalChar)
{
    QString text = input.trimmed();
    if (text.endsWith(decimalChar))
        text.chop(1);
    text.replace(decimalChar, QLatin1Char('.'));
    if (text.endsWith(QLatin1Char('.')))
        text.append(QLatin1Char('0'));
    if (text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
    if (text.startsWith(QLatin1String("-.")))
        text.insert(1, QLatin1Char('0'));
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e >= 0 && !text.contains(QLatin1Char('.')))
        text.insert(e, QLatin1Char('.'));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        qsizetype after = point + 1;
        while (after < text.size() && text[after] == QLatin1Char(' '))
            text.remove(after, 1);
        qsizetype before = point;
        while (before > 0 && text[before - 1] == QLatin1Char(' '))
            text.remove(--before, 1);
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}
