#include "controls/intlsup.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

TEfIntlSup WithSettings(void (*change)(IntlSettings&))
{
    IntlSettings settings;
    change(settings);
    return TEfIntlSup(settings);
}

TEST(IntlLoading, ShortDateSeparatorBecomesSlash)
{
    const TEfIntlSup intl = WithSettings([](IntlSettings& s) {
        s.shortDate = QStringLiteral("dd.MM.yy");
        s.dateSeparator = QStringLiteral(".");
    });
    EXPECT_EQ(intl.ShortDateMask, QStringLiteral("dd/MM/yy"));
    EXPECT_EQ(intl.DateSlashChar, QLatin1Char('.'));
    EXPECT_EQ(intl.DefaultDateMask(true), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(intl.DMYToDateText(intl.DefaultDateMask(true), 5, 3, 2001, 0, false),
              QStringLiteral("05. 3.2001"));
}

TEST(IntlLoading, LongDateQuotedPiecesGoToLiteralSlots)
{
    const TEfIntlSup intl = WithSettings([](IntlSettings& s) {
        s.longDate = QStringLiteral("dddd,d 'of' MMMM 'in the year' yyyy");
    });
    EXPECT_EQ(intl.LiteralSlots[0], QStringLiteral("of"));
    EXPECT_EQ(intl.LiteralSlots[1], QStringLiteral("in the"));
    EXPECT_EQ(intl.LongDateMask, QStringLiteral("wwww, d ff nnnn gggggg yyyy"));
    EXPECT_EQ(intl.DMYToDateText(intl.LongDateMask, 5, 3, 2001, 0, false),
              QStringLiteral("Mond, 5 of Marc in the 2001"));
}

TEST(IntlLoading, DefaultsAndCurrencyForms)
{
    const TEfIntlSup plain;
    EXPECT_EQ(plain.CurrencyLeft, QStringLiteral("$"));
    EXPECT_EQ(plain.CurrencyRight, QStringLiteral("$"));
    EXPECT_EQ(plain.LongDateMask, QStringLiteral("wwww, nnnn dd, yyyy"));
    EXPECT_EQ(plain.YesChar, QLatin1Char('Y'));
    EXPECT_EQ(plain.FalseChar, QLatin1Char('F'));
    const TEfIntlSup before = WithSettings([](IntlSettings& s) { s.currencyForm = 2; });
    EXPECT_EQ(before.CurrencyLeft, QStringLiteral("$ "));
    const TEfIntlSup after = WithSettings([](IntlSettings& s) {
        s.currency = QStringLiteral("EUR");
        s.currencyForm = 3;
    });
    EXPECT_EQ(after.CurrencyRight, QStringLiteral(" EUR"));
    EXPECT_EQ(after.CurrencyLeft, QStringLiteral("EUR"));
}

TEST(IntlLoading, FromLocale)
{
    const TEfIntlSup us(IntlSettings::FromLocale(QLocale(QStringLiteral("en_US"))));
    EXPECT_EQ(us.CurrencyLeft, QStringLiteral("$"));
    EXPECT_EQ(us.ShortDateMask, QStringLiteral("M/d/yy"));
    EXPECT_EQ(us.DefaultDateMask(true), QStringLiteral("MM/dd/yyyy"));
    EXPECT_EQ(us.DefaultTimeMask(false), QStringLiteral("Hh:mm tt"));
    EXPECT_EQ(us.Country, QStringLiteral("United States"));

    const TEfIntlSup de(IntlSettings::FromLocale(QLocale(QStringLiteral("de_DE"))));
    EXPECT_EQ(de.DecimalChar, QLatin1Char(','));
    EXPECT_EQ(de.ThousandsChar, QLatin1Char('.'));
    EXPECT_EQ(de.DateSlashChar, QLatin1Char('.'));
    EXPECT_EQ(de.ShortDateMask, QStringLiteral("dd/MM/yy"));
    EXPECT_EQ(de.DefaultTimeMask(false), QStringLiteral("hh:mm"));  // 24-hour clock
    EXPECT_EQ(de.CurrencyForm, 3);
    EXPECT_EQ(de.MonthNames[0], QStringLiteral("Januar"));

    // The C locale states nothing: every value is the one used without settings.
    const TEfIntlSup c(IntlSettings::FromLocale(QLocale::c()));
    EXPECT_EQ(c.ShortDateMask, QStringLiteral("MM/dd/yy"));
    EXPECT_EQ(c.AMText, QStringLiteral("AM"));
    EXPECT_EQ(c.CurrencyLeft, QStringLiteral("$"));
}

TEST(DefaultTimeMask, HourZeroAndAmPmWidth)
{
    const TEfIntlSup intl;
    EXPECT_EQ(intl.DefaultTimeMask(false), QStringLiteral("Hh:mm tt"));
    EXPECT_EQ(intl.DefaultTimeMask(true), QStringLiteral("Hh:mm:ss tt"));
    const TEfIntlSup zero = WithSettings([](IntlSettings& s) {
        s.hourLeadingZero = true;
        s.pm = QStringLiteral("p.m.");
    });
    EXPECT_EQ(zero.DefaultTimeMask(true), QStringLiteral("hh:mm:ss tttt"));
    const TEfIntlSup day = WithSettings([](IntlSettings& s) { s.am = s.pm = QString(); });
    EXPECT_EQ(day.DefaultTimeMask(false), QStringLiteral("Hh:mm"));
}

TEST(TimeText, TwelveHourClockReading)
{
    const TEfIntlSup intl;
    const QString mask = QStringLiteral("hh:mm tt");
    int h = 0, m = 0, s = 0;
    ASSERT_TRUE(intl.TimeTextToHMS(mask, QStringLiteral("12:30 AM"), h, m, s));
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, 30);
    ASSERT_TRUE(intl.TimeTextToHMS(mask, QStringLiteral("12:30 PM"), h, m, s));
    EXPECT_EQ(h, 12);
    ASSERT_TRUE(intl.TimeTextToHMS(mask, QStringLiteral("01:05 pm"), h, m, s));
    EXPECT_EQ(h, 13);
    for (const char* bad : {"13:30 PM", "00:30 AM", "01:30 XM", "01:30   ", "  :30 AM", "1a:30 AM",
                            "01:60 AM", "01:30 AM "})
        EXPECT_FALSE(intl.TimeTextToHMS(mask, QString::fromLatin1(bad), h, m, s)) << bad;
    EXPECT_EQ(intl.TimeTextToSeconds(mask, QStringLiteral("13:30 PM")), InvalidTime);
    EXPECT_EQ(intl.TimeTextToSeconds(QStringLiteral("hh:mm:ss"), QStringLiteral("23:59:58")),
              86398);
    EXPECT_EQ(intl.TimeTextToSeconds(QStringLiteral("hh"), QStringLiteral("07")), 7 * 3600);
}

TEST(TimeText, TwelveHourClockWriting)
{
    const TEfIntlSup intl;
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("hh:mm tt"), 0, false), QStringLiteral("12:00 AM"));
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("hh:mm tt"), 13 * 3600 + 5 * 60, false),
              QStringLiteral("01:05 PM"));
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("Hh:mm tt"), 13 * 3600 + 5 * 60, true),
              QStringLiteral("1:05 PM"));
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("hh:mm:ss"), 13 * 3600 + 5 * 60 + 9, false),
              QStringLiteral("13:05:09"));
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("hh:mm tt"), InvalidTime, false),
              QStringLiteral("  :     "));
    EXPECT_EQ(intl.SecondsToTimeText(QStringLiteral("HH:MM tt"), InvalidTime, true),
              QStringLiteral(":"));
    const TEfIntlSup dotted = WithSettings([](IntlSettings& s) { s.timeSeparator = QStringLiteral("."); });
    EXPECT_EQ(dotted.SecondsToTimeText(QStringLiteral("hh:mm"), 3600, false), QStringLiteral("01.00"));
}

TEST(DateText, WritingByMaskWithPadding)
{
    const TEfIntlSup intl;
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("MM/dd/yyyy"), 5, 3, 2001, 0, false),
              QStringLiteral(" 3/05/2001"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("MM/DD/yyyy"), 5, 3, 2001, 0, true),
              QStringLiteral("3/5/2001"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("mm/dd/yy"), 5, 3, 2001, 0, false),
              QStringLiteral("03/05/01"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("mm/dd/yy"), 5, 3, 1, 1950, false),
              QStringLiteral("03/05/01"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("nnnnnnnnn dd, yyyy"), 5, 3, 2001, 0, true),
              QStringLiteral("March 05, 2001"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("NNN ww"), 5, 3, 2001, 0, false),
              QStringLiteral("MAR Mo"));
    EXPECT_EQ(intl.DMYToDateText(QStringLiteral("MM/dd/yyyy"), 31, 4, 2001, 0, false),
              QStringLiteral("  /  /    "));
    EXPECT_EQ(intl.DayNumberToDateText(QStringLiteral("mm/dd/yyyy"), InvalidDay, false),
              QStringLiteral("  /  /    "));
    const TEfIntlSup dashed = WithSettings([](IntlSettings& s) { s.dateSeparator = QStringLiteral("-"); });
    EXPECT_EQ(dashed.DMYToDateText(QStringLiteral("mm/dd/yyyy"), 5, 3, 2001, 0, false),
              QStringLiteral("03-05-2001"));
}

TEST(DateText, ReadingByMask)
{
    const TEfIntlSup intl;
    SetCurrentYearMonth(2001, 3);
    int d = 0, m = 0, y = 0;
    EXPECT_FALSE(intl.DateTextToDMY(QStringLiteral("MM/dd/yyyy"), QStringLiteral(" 3/  /2001"), 0, d, m, y));
    ASSERT_TRUE(intl.DateTextToDMY(QStringLiteral("MM/yyyy"), QStringLiteral(" 7/2002"), 0, d, m, y));
    EXPECT_EQ(d, 1);
    EXPECT_EQ(m, 7);
    ASSERT_TRUE(intl.DateTextToDMY(QStringLiteral("MM/dd"), QStringLiteral("12/24"), 0, d, m, y));
    EXPECT_EQ(y, 2001);
    ASSERT_TRUE(intl.DateTextToDMY(QStringLiteral("dd"), QStringLiteral("09"), 0, d, m, y));
    EXPECT_EQ(m, 3);
    ASSERT_TRUE(intl.DateTextToDMY(QStringLiteral("mm/dd/yy"), QStringLiteral("03/05/01"), 1950, d, m, y));
    EXPECT_EQ(y, 2001);
}

TEST(DateText, ReadingTwoDigitYearsAndNames)
{
    const TEfIntlSup intl;
    const QString mask = QStringLiteral("mm/dd/yy");
    EXPECT_EQ(intl.DateTextToDayNumber(mask, QStringLiteral("02/29/00"), 1900), InvalidDay);
    EXPECT_EQ(intl.DateTextToDayNumber(mask, QStringLiteral("02/29/00"), 1950),
              DMYToDayNumber(29, 2, 2000, 0));
    EXPECT_EQ(intl.DateTextToDayNumber(mask, QStringLiteral("02/28/00"), 0), InvalidDay);
    EXPECT_EQ(intl.DateTextToDayNumber(QStringLiteral("nnn dd yyyy"), QStringLiteral("mar 05 2001"), 0),
              DMYToDayNumber(5, 3, 2001, 0));
    EXPECT_EQ(intl.DateTextToDayNumber(QStringLiteral("nnn dd yyyy"), QStringLiteral("Xyz 05 2001"), 0),
              InvalidDay);
    EXPECT_EQ(intl.DateTextToDayNumber(mask, QStringLiteral("0a/05/01"), 1900), InvalidDay);
    EXPECT_EQ(intl.DateTextToDayNumber(mask, QStringLiteral("03/05/0"), 1900), InvalidDay);
    EXPECT_EQ(intl.DateTextToDayNumber(QString(30, QLatin1Char('y')), QString(30, QLatin1Char('9')), 0),
              InvalidDay);
}

TEST(DateText, BlankTest)
{
    const TEfIntlSup intl;
    EXPECT_TRUE(intl.DateTextIsBlank(QStringLiteral("MM/dd/yyyy"), QStringLiteral("  /  /    ")));
    EXPECT_FALSE(intl.DateTextIsBlank(QStringLiteral("MM/dd/yyyy"), QStringLiteral(" 3/  /    ")));
    EXPECT_TRUE(intl.DateTextIsBlank(QStringLiteral("MM/yyyy"), QStringLiteral("  /    ")));
    EXPECT_TRUE(intl.DateTextIsBlank(QStringLiteral("MM/dd/yyyy"), QString()));
}

TEST(MonthNames, MatchedByTheirStart)
{
    const TEfIntlSup intl;
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("ma"), 2), 3);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("MAY"), 3), 5);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("Ju"), 2), 6);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("decemberx"), 9), 0);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("x"), 1), 0);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("Jan"), 0), 0);
    EXPECT_EQ(intl.MonthNameToNumber(QStringLiteral("Jan"), 4), 0);
}

// Every day of the range written and read back by the program's date mask,
// and the first of every month by month name.
TEST(DateText, EveryDayFrom1600To3999RoundTrips)
{
    const TEfIntlSup intl;
    const QString numbers = QStringLiteral("MM/DD/yyyy");
    const QString names = QStringLiteral("nnnnnnnnn dd yyyy");
    for (qint32 n = 0; n <= MaxDayNumber(); ++n) {
        const QString text = intl.DayNumberToDateText(numbers, n, false);
        ASSERT_EQ(intl.DateTextToDayNumber(numbers, text, 0), n) << text.toStdString();
        if (text.mid(3, 2) == QLatin1String(" 1")) {
            const QString named = intl.DayNumberToDateText(names, n, false);
            ASSERT_EQ(intl.DateTextToDayNumber(names, named, 0), n) << named.toStdString();
        }
    }
}

}  // namespace
