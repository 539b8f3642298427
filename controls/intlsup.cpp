#include "intlsup.h"

#include <algorithm>

namespace {
constexpr qsizetype kShortTextWidth = 6;
constexpr qsizetype kLongDateMaskWidth = 40;
constexpr qsizetype kShortDateMaskWidth = 30;
// Larger than any day, month, year or time part; bigger texts read as bad.
constexpr int kLargestRunValue = 999999;

const QStringList& EnglishMonthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    return names;
}

const QStringList& EnglishDayNames()
{
    static const QStringList names = {
        QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
        QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
        QStringLiteral("Saturday")};
    return names;
}

QChar FirstChar(const QString& text, QChar fallback)
{
    return text.isEmpty() ? fallback : text.front();
}

QString NonEmptyOr(const QString& value, const QString& fallback)
{
    return value.isEmpty() ? fallback : value;
}

// A run is one letter repeated, in either case: "Hh" is one hour run.
qsizetype RunLength(const QString& mask, qsizetype start)
{
    const QChar letter = mask[start].toLower();
    qsizetype end = start;
    while (end < mask.size() && mask[end].toLower() == letter)
        ++end;
    return end - start;
}

// The first run of the letter in either case; start -1 when the mask has none.
struct Run {
    qsizetype start = -1;
    qsizetype length = 0;
};

Run FindRun(const QString& mask, QChar lowerLetter)
{
    for (qsizetype i = 0; i < mask.size(); ++i)
        if (mask[i].toLower() == lowerLetter)
            return {i, RunLength(mask, i)};
    return {};
}

// Walks the runs of a mask: `fill` gives a run's text from its letter, start
// and length, or a null string to keep the mask's own characters.
template <typename Fill>
QString FillRuns(const QString& mask, Fill fill)
{
    QString text;
    for (qsizetype i = 0; i < mask.size();) {
        const qsizetype length = RunLength(mask, i);
        const QString run = fill(mask[i], i, length);
        text += run.isNull() ? mask.mid(i, length) : run;
        i += length;
    }
    return text;
}

QString Blanks(qsizetype length)
{
    return QString(length, QLatin1Char(' '));
}

// Right-aligned; a free position under a lower-case letter takes "0", under an
// upper-case one a blank; the rightmost digits stay when the number is longer.
QString NumberInRun(int value, const QString& mask, qsizetype start, qsizetype length)
{
    const QString digits = QString::number(value);
    if (digits.size() >= length)
        return digits.right(length);
    QString text;
    for (qsizetype i = 0; i < length - digits.size(); ++i)
        text += mask[start + i].isLower() ? QLatin1Char('0') : QLatin1Char(' ');
    return text + digits;
}

QString NameInRun(const QString& name, qsizetype length, bool upper)
{
    const QString shown = name.left(length).leftJustified(length, QLatin1Char(' '));
    return upper ? shown.toUpper() : shown;
}

void ReplaceRunContaining(QString& mask, const QString& piece, QChar letter)
{
    const qsizetype start = mask.indexOf(piece);
    if (start < 0)
        return;
    const qsizetype length = RunLength(mask, start);
    mask.replace(start, length, QString(length, letter));
}

// A short date format of day, month and year numbers between one kind of separator.
bool IsUsableShortDate(const QString& format, QChar& separator)
{
    separator = QChar();
    bool day = false, month = false, year = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        const qsizetype length = RunLength(format, i);
        if (c == QLatin1Char('d') && length <= 2)
            day = true;
        else if (c == QLatin1Char('M') && length <= 2)
            month = true;
        else if (c == QLatin1Char('y') && (length == 2 || length == 4))
            year = true;
        else if (c.isLetterOrNumber() || c == QLatin1Char('\'') || length != 1 ||
                 (!separator.isNull() && separator != c))
            return false;
        else
            separator = c;
        i += length;
    }
    return day && month && year && !separator.isNull();
}

int CurrencyFormOf(const QLocale& locale)
{
    const QString sample = locale.toCurrencyString(1.0);
    const QString symbol = locale.currencySymbol();
    const qsizetype at = symbol.isEmpty() ? -1 : sample.indexOf(symbol);
    if (at < 0)
        return 0;
    if (at == 0) {
        const qsizetype after = symbol.size();
        return after < sample.size() && sample[after].isSpace() ? 2 : 0;
    }
    return sample[at - 1].isSpace() ? 3 : 1;
}
}  // namespace

IntlSettings IntlSettings::FromLocale(const QLocale& locale)
{
    IntlSettings s;
    if (locale.language() == QLocale::C)
        return s;
    s.currency = NonEmptyOr(locale.currencySymbol(), s.currency);
    s.decimal = NonEmptyOr(locale.decimalPoint(), s.decimal);
    s.thousand = NonEmptyOr(locale.groupSeparator(), s.thousand);
    QChar separator;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    if (IsUsableShortDate(shortDate, separator)) {
        s.shortDate = shortDate;
        s.dateSeparator = separator;
    }
    s.longDate = NonEmptyOr(locale.dateFormat(QLocale::LongFormat), s.longDate);

    const QString time = locale.timeFormat(QLocale::ShortFormat);
    const auto sep = std::find_if(time.begin(), time.end(),
                                  [](QChar c) { return !c.isLetter() && !c.isSpace(); });
    if (sep != time.end())
        s.timeSeparator = *sep;
    const bool twelveHour = time.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    s.am = twelveHour ? NonEmptyOr(locale.amText(), s.am) : QString();
    s.pm = twelveHour ? NonEmptyOr(locale.pmText(), s.pm) : QString();
    s.hourLeadingZero = time.startsWith(QLatin1String("hh"), Qt::CaseInsensitive);

    s.country = QLocale::territoryToString(locale.territory());
    s.currencyForm = CurrencyFormOf(locale);
    for (int month = 1; month <= 12; ++month)
        s.monthNames << locale.monthName(month, QLocale::LongFormat);
    s.dayNames << locale.dayName(7, QLocale::LongFormat);
    for (int day = 1; day <= 6; ++day)
        s.dayNames << locale.dayName(day, QLocale::LongFormat);
    return s;
}

TEfIntlSup::TEfIntlSup()
{
    Load(IntlSettings{});
}

TEfIntlSup::TEfIntlSup(const IntlSettings& settings)
{
    Load(settings);
}

void TEfIntlSup::Load(const IntlSettings& s)
{
    CurrencyLeft = s.currency.left(kShortTextWidth);
    CurrencyRight = CurrencyLeft;
    DecimalChar = FirstChar(s.decimal, QLatin1Char('.'));
    ThousandsChar = FirstChar(s.thousand, QLatin1Char(','));
    CurrencyDigits = static_cast<quint8>(std::clamp(s.currencyDigits, 0, 255));
    ListChar = FirstChar(s.list, QLatin1Char(','));
    DateSlashChar = FirstChar(s.dateSeparator, QLatin1Char('/'));
    AMText = s.am.left(kShortTextWidth);
    PMText = s.pm.left(kShortTextWidth);
    TimeSepChar = FirstChar(s.timeSeparator, QLatin1Char(':'));
    Country = s.country;
    CurrencyForm = static_cast<quint8>(std::clamp(s.currencyForm, 0, 255));
    if (CurrencyForm == 2)
        CurrencyLeft = (CurrencyLeft + QLatin1Char(' ')).left(kShortTextWidth);
    else if (CurrencyForm == 3)
        CurrencyRight = (QLatin1Char(' ') + CurrencyRight).left(kShortTextWidth);
    LoadLongDateMask(s.longDate);
    NegCurrencyForm = static_cast<quint8>(std::clamp(s.negativeCurrencyForm, 0, 255));
    ShortDateMask = s.shortDate.left(kShortDateMaskWidth);
    ShortDateMask.replace(DateSlashChar, QLatin1Char('/'));
    HourLeadingZero = s.hourLeadingZero;
    MonthNames = s.monthNames.size() == 12 ? s.monthNames : EnglishMonthNames();
    DayNames = s.dayNames.size() == 7 ? s.dayNames : EnglishDayNames();
}

void TEfIntlSup::LoadLongDateMask(const QString& longDate)
{
    static constexpr char kSlotLetters[] = "fgh";
    QString mask = longDate.left(kLongDateMaskWidth);
    for (int slot = 0; slot < 3; ++slot) {
        const qsizetype open = mask.indexOf(QLatin1Char('\''));
        if (open < 0)
            break;
        qsizetype close = mask.indexOf(QLatin1Char('\''), open + 1);
        const qsizetype end = close < 0 ? mask.size() : close + 1;
        if (close < 0)
            close = mask.size();
        LiteralSlots[slot] = mask.mid(open + 1, close - open - 1).left(kShortTextWidth);
        mask.replace(open, end - open,
                     QString(LiteralSlots[slot].size(), QLatin1Char(kSlotLetters[slot])));
    }
    ReplaceRunContaining(mask, QStringLiteral("ddd"), QLatin1Char('w'));
    ReplaceRunContaining(mask, QStringLiteral("MMM"), QLatin1Char('n'));
    for (qsizetype i = 0; i + 1 < mask.size(); ++i)
        if ((mask[i] == QLatin1Char(',') || mask[i] == QLatin1Char('.')) && mask[i + 1] != QLatin1Char(' '))
            mask.insert(i + 1, QLatin1Char(' '));
    LongDateMask = mask.left(kLongDateMaskWidth);
}

int TEfIntlSup::ReadRun(const QString& mask, const QString& text, QChar letter, int absent,
                        int blank) const
{
    const Run run = FindRun(mask, letter);
    if (run.start < 0)
        return absent;
    QString collected;
    for (qsizetype i = run.start; i < run.start + run.length && i < text.size(); ++i)
        if (text[i] != QLatin1Char(' '))
            collected += text[i];
    if (collected.isEmpty())
        return blank;
    if (letter == QLatin1Char('n')) {
        const int month = MonthNameToNumber(collected, static_cast<int>(collected.size()));
        return month == 0 ? -1 : month;
    }
    int value = 0;
    for (QChar c : collected) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
        if (value > kLargestRunValue)
            return -1;
    }
    return value;
}

bool TEfIntlSup::DateTextIsBlank(const QString& mask, const QString& text) const
{
    const QString padded = text.leftJustified(mask.size(), QLatin1Char(' '));
    const QChar monthLetter = FindRun(mask, QLatin1Char('n')).start >= 0 ? QLatin1Char('n') : QLatin1Char('m');
    return ReadRun(mask, padded, QLatin1Char('d'), -2, -2) == -2 &&
           ReadRun(mask, padded, monthLetter, -2, -2) == -2 &&
           ReadRun(mask, padded, QLatin1Char('y'), -2, -2) == -2;
}

bool TEfIntlSup::DateTextToDMY(const QString& mask, const QString& text, int epoch, int& day,
                               int& month, int& year) const
{
    day = month = year = 0;
    if (text.size() != mask.size())
        return false;
    month = ReadRun(mask, text, QLatin1Char('n'), 0, -1);
    if (month == 0)
        month = ReadRun(mask, text, QLatin1Char('m'), CurrentMonth(), -1);
    day = ReadRun(mask, text, QLatin1Char('d'), 1, -1);
    year = ReadRun(mask, text, QLatin1Char('y'), CurrentYear(), -1);
    if (!DateIsValid(day, month, year, epoch))
        return false;
    year = ApplyEpoch(year, epoch);
    return true;
}

qint32 TEfIntlSup::DateTextToDayNumber(const QString& mask, const QString& text, int epoch) const
{
    int day = 0, month = 0, year = 0;
    if (!DateTextToDMY(mask, text, epoch, day, month, year))
        return InvalidDay;
    return DMYToDayNumber(day, month, year, 0);
}

QString TEfIntlSup::DayNumberToDateText(const QString& mask, qint32 dayNumber, bool pack) const
{
    int day = 0, month = 0, year = 0;
    DayNumberToDMY(dayNumber, day, month, year);
    return DMYToDateText(mask, day, month, year, 0, pack);
}

QString TEfIntlSup::DMYToDateText(const QString& mask, int day, int month, int year, int epoch,
                                  bool pack) const
{
    year = ApplyEpoch(year, epoch);
    const bool valid = DateIsValid(day, month, year, 0);
    const QString text = FillRuns(mask, [&](QChar c, qsizetype start, qsizetype length) {
        switch (c.unicode()) {
        case 'd': case 'D':
            return valid ? NumberInRun(day, mask, start, length) : Blanks(length);
        case 'm': case 'M':
            return valid ? NumberInRun(month, mask, start, length) : Blanks(length);
        case 'y': case 'Y':
            return valid ? NumberInRun(year, mask, start, length) : Blanks(length);
        case 'n': case 'N':
            return valid ? NameInRun(MonthNames.value(month - 1), length, c.isUpper()) : Blanks(length);
        case 'w': case 'W':
            return valid ? NameInRun(DayNames.value(WeekdayOfDate(day, month, year, 0)), length, c.isUpper())
                         : Blanks(length);
        case 'f': case 'g': case 'h':
            return NameInRun(LiteralSlots[c.unicode() - 'f'], length, false);
        case '/':
            return QString(length, DateSlashChar);
        default:
            return QString();
        }
    });
    return pack ? PackText(mask, text) : text;
}

bool TEfIntlSup::TimeTextToHMS(const QString& mask, const QString& text, int& hours, int& minutes,
                               int& seconds) const
{
    hours = minutes = seconds = 0;
    if (text.size() != mask.size())
        return false;
    hours = ReadRun(mask, text, QLatin1Char('h'), 0, -1);
    minutes = ReadRun(mask, text, QLatin1Char('m'), 0, -1);
    seconds = ReadRun(mask, text, QLatin1Char('s'), 0, -1);
    const Run amPm = FindRun(mask, QLatin1Char('t'));
    if (amPm.start >= 0 && HasAmPm()) {
        const QString under = text.mid(amPm.start, amPm.length).trimmed();
        const bool am = under.compare(AMText.trimmed(), Qt::CaseInsensitive) == 0;
        const bool pm = under.compare(PMText.trimmed(), Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || hours < 1 || hours > 12)
            return false;
        if (pm && hours < 12)
            hours += 12;
        else if (am && hours == 12)
            hours = 0;
    }
    return TimeIsValid(hours, minutes, seconds);
}

qint32 TEfIntlSup::TimeTextToSeconds(const QString& mask, const QString& text) const
{
    int hours = 0, minutes = 0, seconds = 0;
    if (!TimeTextToHMS(mask, text, hours, minutes, seconds))
        return InvalidTime;
    return HMSToSeconds(static_cast<quint8>(hours), static_cast<quint8>(minutes),
                        static_cast<quint8>(seconds));
}

QString TEfIntlSup::SecondsToTimeText(const QString& mask, qint32 seconds, bool pack) const
{
    const bool valid = seconds >= 0 && seconds < 86400;
    quint8 hours = 0, minutes = 0, secs = 0;
    SecondsToHMS(seconds, hours, minutes, secs);
    const bool twelveHour = HasAmPm() && FindRun(mask, QLatin1Char('t')).start >= 0;
    int shownHour = hours;
    if (twelveHour && hours == 0)
        shownHour = 12;
    else if (twelveHour && hours > 12)
        shownHour = hours - 12;
    const QString text = FillRuns(mask, [&](QChar c, qsizetype start, qsizetype length) {
        switch (c.unicode()) {
        case 'h': case 'H':
            return valid ? NumberInRun(shownHour, mask, start, length) : Blanks(length);
        case 'm': case 'M':
            return valid ? NumberInRun(minutes, mask, start, length) : Blanks(length);
        case 's': case 'S':
            return valid ? NumberInRun(secs, mask, start, length) : Blanks(length);
        case 't':
            return valid && twelveHour ? NameInRun(hours < 12 ? AMText : PMText, length, false)
                                       : Blanks(length);
        case ':':
            return QString(length, TimeSepChar);
        default:
            return QString();
        }
    });
    return pack ? PackText(mask, text) : text;
}

QString TEfIntlSup::PackText(const QString& mask, const QString& text) const
{
    static const QString kPackedLetters = QStringLiteral("DHMNSWnw");
    QString packed;
    for (qsizetype i = 0; i < mask.size() && i < text.size(); ++i) {
        const bool blank = text[i] == QLatin1Char(' ');
        if (blank && kPackedLetters.contains(mask[i]))
            continue;
        if (blank && mask[i] == QLatin1Char('t')) {
            if (i > 0 && mask[i - 1] == QLatin1Char(' ') && packed.endsWith(QLatin1Char(' ')))
                packed.chop(1);
            continue;
        }
        packed += text[i];
    }
    return packed;
}

int TEfIntlSup::MonthNameToNumber(const QString& text, int length) const
{
    if (length <= 0 || length > text.size())
        return 0;
    const QString wanted = text.left(length).toUpper();
    for (int month = 0; month < MonthNames.size(); ++month)
        if (MonthNames[month].size() >= length && MonthNames[month].left(length).toUpper() == wanted)
            return month + 1;
    return 0;
}

QString TEfIntlSup::DefaultDateMask(bool fourDigitYear) const
{
    return FillRuns(ShortDateMask, [&](QChar c, qsizetype, qsizetype) {
        const QChar lower = c.toLower();
        if (lower == QLatin1Char('d') || lower == QLatin1Char('m'))
            return QString(2, c);
        if (lower == QLatin1Char('y'))
            return QString(fourDigitYear ? 4 : 2, c);
        return QString();
    });
}

QString TEfIntlSup::DefaultTimeMask(bool withSeconds) const
{
    QString mask = withSeconds ? QStringLiteral("hh:mm:ss") : QStringLiteral("hh:mm");
    if (!HourLeadingZero)
        mask[0] = QLatin1Char('H');
    const qsizetype amPmWidth = std::max(AMText.size(), PMText.size());
    if (amPmWidth > 0)
        mask += QLatin1Char(' ') + QString(amPmWidth, QLatin1Char('t'));
    return mask;
}

TEfIntlSup& IntlSup()
{
    static TEfIntlSup settings(IntlSettings::FromLocale(QLocale::system()));
    return settings;
}
