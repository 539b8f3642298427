#include "formatsettings.h"

#include <QLocale>
#include <QStringList>

namespace {

FormatSettings UsFormats()
{
    return {QStringLiteral("m/d/yyyy"), QLatin1Char('/'), QStringLiteral("h:mm tt"), QLatin1Char(':'),
            QStringLiteral("AM"),      QStringLiteral("PM"), QStringLiteral("$"), QLatin1Char('.'), QLatin1Char(',')};
}

qsizetype RunLength(const QString& text, qsizetype i, Qt::CaseSensitivity cs)
{
    qsizetype n = 1;
    while (i + n < text.size() && QString::compare(QString(text[i + n]), QString(text[i]), cs) == 0)
        ++n;
    return n;
}

// The position after a quoted piece starting at i.
qsizetype AfterQuoted(const QString& text, qsizetype i)
{
    const qsizetype close = text.indexOf(text[i], i + 1);
    return close < 0 ? text.size() : close + 1;
}

// A picture of the locale (Qt's letters) in our letters, its separators
// turned into "/" or ":"; the separator found goes to `separator`.
QString FromLocalePicture(const QString& qtPicture, QChar placeholder, QChar& separator)
{
    QString picture;
    bool separatorFound = false;
    for (qsizetype i = 0; i < qtPicture.size();) {
        const QChar c = qtPicture[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = AfterQuoted(qtPicture, i);
            picture += qtPicture.mid(i, end - i);
            i = end;
            continue;
        }
        const qsizetype n = RunLength(qtPicture, i, Qt::CaseSensitive);
        if (c == QLatin1Char('M'))
            picture += QString(n, QLatin1Char('m'));
        else if (c == QLatin1Char('m'))
            picture += QString(n, QLatin1Char('n'));
        else if (c == QLatin1Char('A') || c == QLatin1Char('a'))
            picture += QStringLiteral("tt");
        else if (c == QLatin1Char('P') || c == QLatin1Char('p') || c == QLatin1Char('t') || c == QLatin1Char('z'))
            ;   // the second letter of AP, the time zone and milliseconds are not shown
        else if (c.isLetter() || c.isSpace())
            picture += qtPicture.mid(i, n);
        else if (!separatorFound || c == separator) {
            separator = c;
            separatorFound = true;
            picture += QString(n, placeholder);
        } else {
            picture += qtPicture.mid(i, n);
        }
        i += n;
    }
    return picture.trimmed();
}

bool HoldsLetters(const QString& picture, const char* letters)
{
    for (const char* l = letters; *l; ++l)
        if (!picture.contains(QLatin1Char(*l), Qt::CaseInsensitive))
            return false;
    return true;
}

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Whether the picture shows the hour on a 12-hour clock.
bool HasDayHalf(const QString& picture)
{
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = AfterQuoted(picture, i);
            continue;
        }
        const QStringView rest = QStringView(picture).mid(i);
        if (rest.startsWith(QLatin1String("tt"), Qt::CaseInsensitive) || rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)
            || rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive) || rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive))
            return true;
        ++i;
    }
    return false;
}

class PictureWriter {
public:
    PictureWriter(const QString& picture, TDateTime value)
        : picture_(picture), date_(ToQDate(value)), twelveHour_(HasDayHalf(picture)), value_(value)
    {
        int ms = 0;
        DecodeTime(value, hour_, minute_, second_, ms);
    }

    QString Write()
    {
        for (qsizetype i = 0; i < picture_.size();)
            i = WriteAt(i);
        return out_;
    }

private:
    qsizetype WriteAt(qsizetype i)
    {
        const FormatSettings& fs = ProcessFormats();
        const QChar c = picture_[i];
        const QChar lower = c.toLower();
        const QStringView rest = QStringView(picture_).mid(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = AfterQuoted(picture_, i);
            out_ += picture_.mid(i + 1, qMax<qsizetype>(0, end - i - 2));
            return end;
        }
        if (c == QLatin1Char('/')) {
            out_ += fs.dateSeparator;
            return i + 1;
        }
        if (c == QLatin1Char(':')) {
            out_ += fs.timeSeparator;
            return i + 1;
        }
        if (rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
            const QString half = hour_ < 12 ? picture_.mid(i, 2) : picture_.mid(i + 3, 2);
            out_ += half;
            return i + 5;
        }
        if (rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive)) {
            out_ += hour_ < 12 ? picture_[i] : picture_[i + 2];
            return i + 3;
        }
        if (rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
            out_ += hour_ < 12 ? fs.timeAMString : fs.timePMString;
            return i + 4;
        }
        const qsizetype n = RunLength(picture_, i, c == QLatin1Char('h') || c == QLatin1Char('H') ? Qt::CaseSensitive : Qt::CaseInsensitive);
        if (c == QLatin1Char('h') || c == QLatin1Char('H')) {
            int hour = hour_;
            if (c == QLatin1Char('h') && twelveHour_)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out_ += n >= 2 ? TwoDigits(hour) : QString::number(hour);
            afterHour_ = true;
            return i + n;
        }
        if (lower == QLatin1Char('m') && afterHour_ && n <= 2) {
            WriteNumber(minute_, n);
        } else if (lower == QLatin1Char('n')) {
            WriteNumber(minute_, n);
        } else if (lower == QLatin1Char('s')) {
            WriteNumber(second_, n);
        } else if (lower == QLatin1Char('d')) {
            const QLocale english = QLocale::c();
            WriteNumberOrName(date_.day(), n, english.dayName(date_.dayOfWeek(), QLocale::ShortFormat),
                              english.dayName(date_.dayOfWeek(), QLocale::LongFormat));
        } else if (lower == QLatin1Char('m')) {
            const QLocale english = QLocale::c();
            WriteNumberOrName(date_.month(), n, english.monthName(date_.month(), QLocale::ShortFormat),
                              english.monthName(date_.month(), QLocale::LongFormat));
        } else if (lower == QLatin1Char('y')) {
            out_ += n <= 2 ? TwoDigits(date_.year() % 100) : QStringLiteral("%1").arg(date_.year(), 4, 10, QLatin1Char('0'));
        } else if (lower == QLatin1Char('t')) {
            out_ += n >= 2 ? (hour_ < 12 ? fs.timeAMString : fs.timePMString) : FormatDateTime(fs.shortTimeFormat, value_);
        } else if (lower == QLatin1Char('c')) {
            out_ += DateToStr(value_);
            if (hour_ != 0 || minute_ != 0 || second_ != 0)
                out_ += QLatin1Char(' ') + TimeToStr(value_);
        } else {
            out_ += picture_.mid(i, n);
            return i + n;
        }
        afterHour_ = false;
        return i + n;
    }

    void WriteNumber(int value, qsizetype run) { out_ += run >= 2 ? TwoDigits(value) : QString::number(value); }

    // A day or a month: its number for one or two letters, else its short or long name.
    void WriteNumberOrName(int number, qsizetype run, const QString& shortName, const QString& longName)
    {
        if (run <= 2)
            WriteNumber(number, run);
        else
            out_ += run == 3 ? shortName : longName;
    }

    const QString& picture_;
    QDate date_;
    bool twelveHour_;
    TDateTime value_;
    int hour_ = 0;
    int minute_ = 0;
    int second_ = 0;
    bool afterHour_ = false;
    QString out_;
};

// The order of day, month and year in the short date format, as "mdy", "dmy" or "ymd".
QString DateOrder(const QString& picture)
{
    QString order;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i].toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = AfterQuoted(picture, i);
            continue;
        }
        if ((c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y')) && !order.contains(c))
            order += c;
        ++i;
    }
    return order.size() == 3 ? order : QStringLiteral("mdy");
}

// A two-digit year falls in the hundred years that end 19 years after this year.
int WindowedYear(int twoDigits)
{
    const int base = Clock::CurrentDateTime().date().year() - 80;
    const int year = base / 100 * 100 + twoDigits;
    return year < base ? year + 100 : year;
}

bool ReadNumber(const QString& text, int& value)
{
    if (text.isEmpty() || text.size() > 4)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    value = text.toInt();
    return true;
}

}  // namespace

FormatSettings FormatSettings::FromLocale()
{
    const QLocale locale = QLocale::system();
    FormatSettings fs = UsFormats();
    if (locale.language() == QLocale::C)
        return fs;

    QChar dateSeparator = fs.dateSeparator;
    const QString datePicture = FromLocalePicture(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'), dateSeparator);
    if (HoldsLetters(datePicture, "dmy")) {
        fs.shortDateFormat = datePicture;
        fs.dateSeparator = dateSeparator;
    }
    QChar timeSeparator = fs.timeSeparator;
    const QString timePicture = FromLocalePicture(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'), timeSeparator);
    if (HoldsLetters(timePicture, "hn")) {
        fs.shortTimeFormat = timePicture;
        fs.timeSeparator = timeSeparator;
    }
    if (!locale.amText().isEmpty() && !locale.pmText().isEmpty()) {
        fs.timeAMString = locale.amText();
        fs.timePMString = locale.pmText();
    }
    if (!locale.currencySymbol().isEmpty())
        fs.currencyString = locale.currencySymbol();
    if (!locale.decimalPoint().isEmpty())
        fs.decimalSeparator = locale.decimalPoint().front();
    if (!locale.groupSeparator().isEmpty())
        fs.thousandSeparator = locale.groupSeparator().front();
    return fs;
}

FormatSettings& ProcessFormats()
{
    static FormatSettings formats = FormatSettings::FromLocale();
    return formats;
}

QString FormatDateTime(const QString& picture, TDateTime value)
{
    return PictureWriter(picture, value).Write();
}

QString DateToStr(TDateTime value)
{
    return FormatDateTime(ProcessFormats().shortDateFormat, value);
}

QString TimeToStr(TDateTime value)
{
    return FormatDateTime(ProcessFormats().shortTimeFormat, value);
}

bool TryStrToDate(const QString& text, TDateTime& value)
{
    const FormatSettings& fs = ProcessFormats();
    const QStringList parts = text.trimmed().split(fs.dateSeparator);
    QString order = DateOrder(fs.shortDateFormat);
    if (parts.size() == 2)
        order.remove(QLatin1Char('y'));
    else if (parts.size() != 3)
        return false;

    int day = 0;
    int month = 0;
    int year = Clock::CurrentDateTime().date().year();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        int number = 0;
        if (!ReadNumber(part, number))
            return false;
        if (order[i] == QLatin1Char('d'))
            day = number;
        else if (order[i] == QLatin1Char('m'))
            month = number;
        else
            year = part.size() <= 2 ? WindowedYear(number) : number;
    }
    return TryEncodeDate(year, month, day, value);
}
