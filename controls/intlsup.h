#pragma once
// The user's international settings, and dates and times to and from text by
// picture masks. One object per process; every entry field reads it.
#include "daynumbers.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>

// The settings as the desktop states them; a member left as it is holds the
// value used when the desktop says nothing.
struct IntlSettings {
    QString currency = QStringLiteral("$");
    QString decimal = QStringLiteral(".");
    QString thousand = QStringLiteral(",");
    int currencyDigits = 2;
    QString list = QStringLiteral(",");
    QString dateSeparator = QStringLiteral("/");
    // Both empty on a 24-hour clock.
    QString am = QStringLiteral("AM");
    QString pm = QStringLiteral("PM");
    QString timeSeparator = QStringLiteral(":");
    QString country;
    int currencyForm = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    QString longDate = QStringLiteral("dddd, MMMM dd, yyyy");
    int negativeCurrencyForm = 0;
    QString shortDate = QStringLiteral("MM/dd/yy");
    bool hourLeadingZero = false;
    QStringList monthNames;  // January first; English when empty
    QStringList dayNames;    // Sunday first; English when empty

    // The locale's values where it has usable ones; the C locale has none.
    static IntlSettings FromLocale(const QLocale& locale);
};

class TEfIntlSup {
public:
    TEfIntlSup();  // the settings used when the desktop says nothing
    explicit TEfIntlSup(const IntlSettings& settings);

    QString CurrencyLeft = QStringLiteral("$");
    QString CurrencyRight;
    QChar DecimalChar = QLatin1Char('.');
    QChar ThousandsChar = QLatin1Char(',');
    quint8 CurrencyDigits = 2;
    QChar ListChar = QLatin1Char(',');
    QChar DateSlashChar = QLatin1Char('/');
    QChar TrueChar = QLatin1Char('T');
    QChar FalseChar = QLatin1Char('F');
    QChar YesChar = QLatin1Char('Y');
    QChar NoChar = QLatin1Char('N');
    QString AMText;
    QString PMText;
    QChar TimeSepChar = QLatin1Char(':');
    QString Country;
    quint8 CurrencyForm = 0;
    std::array<QString, 3> LiteralSlots;  // the quoted pieces of the long date, under "f", "g", "h"
    QString LongDateMask;
    quint8 NegCurrencyForm = 0;
    QString ShortDateMask;
    bool HourLeadingZero = false;
    QStringList MonthNames;
    QStringList DayNames;

    bool DateTextIsBlank(const QString& mask, const QString& text) const;
    bool DateTextToDMY(const QString& mask, const QString& text, int epoch, int& day, int& month,
                       int& year) const;
    qint32 DateTextToDayNumber(const QString& mask, const QString& text, int epoch) const;
    QString DayNumberToDateText(const QString& mask, qint32 dayNumber, bool pack) const;
    QString DMYToDateText(const QString& mask, int day, int month, int year, int epoch,
                          bool pack) const;
    bool TimeTextToHMS(const QString& mask, const QString& text, int& hours, int& minutes,
                       int& seconds) const;
    qint32 TimeTextToSeconds(const QString& mask, const QString& text) const;
    QString SecondsToTimeText(const QString& mask, qint32 seconds, bool pack) const;
    // 1..12 for the month whose name begins with the first `length`
    // characters of the text (case ignored); 0 when none does.
    int MonthNameToNumber(const QString& text, int length) const;
    QString DefaultDateMask(bool fourDigitYear) const;
    QString DefaultTimeMask(bool withSeconds) const;

private:
    void Load(const IntlSettings& settings);
    void LoadLongDateMask(const QString& longDate);
    bool HasAmPm() const { return !AMText.isEmpty() && !PMText.isEmpty(); }
    int ReadRun(const QString& mask, const QString& text, QChar letter, int absent, int blank) const;
    QString PackText(const QString& mask, const QString& text) const;
};

// The process-wide settings, made from the user's locale on first use; tests
// assign their own.
TEfIntlSup& IntlSup();
