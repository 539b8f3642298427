#include "platform/formatsettings.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

FormatSettings UsSettings()
{
    return {QStringLiteral("m/d/yyyy"), QLatin1Char('/'), QStringLiteral("h:mm tt"), QLatin1Char(':'),
            QStringLiteral("AM"),      QStringLiteral("PM"), QStringLiteral("$"), QLatin1Char('.'), QLatin1Char(',')};
}

class FormatSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ProcessFormats();
        ProcessFormats() = UsSettings();
        Clock::SetFixed(QDateTime(QDate(2025, 6, 1), QTime(9, 0)));
    }
    void TearDown() override
    {
        ProcessFormats() = saved_;
        Clock::SetFixed(QDateTime());
    }

    FormatSettings saved_;
    // Tuesday, 5 March 2024, 14:07:09
    const TDateTime afternoon_ = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
};

TEST_F(FormatSettingsTest, DatePictures)
{
    EXPECT_EQ(FormatDateTime(QStringLiteral("m/d/yyyy"), afternoon_), QStringLiteral("3/5/2024"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("mm/dd/yy"), afternoon_), QStringLiteral("03/05/24"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddd, dddd"), afternoon_), QStringLiteral("Tue, Tuesday"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("mmm MMMM"), afternoon_), QStringLiteral("Mar March"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy-mm-dd"), EncodeDate(987, 12, 1)), QStringLiteral("0987-12-01"));

    ProcessFormats().dateSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy"), afternoon_), QStringLiteral("05.03.2024"));
}

TEST_F(FormatSettingsTest, TimePictures)
{
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:mm tt"), afternoon_), QStringLiteral("2:07 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:mm:ss tt"), afternoon_), QStringLiteral("02:07:09 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:nn"), afternoon_), QStringLiteral("14:07"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("HH:mm tt"), afternoon_), QStringLiteral("14:07 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("H:n:s"), EncodeTime(5, 4, 3, 0)), QStringLiteral("5:4:3"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:mm tt"), 0.0), QStringLiteral("12:00 AM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("h tt"), EncodeTime(12, 0, 0, 0)), QStringLiteral("12 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:mm am/pm, h A/P"), afternoon_), QStringLiteral("02:07 pm, 2 P"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("h ampm"), EncodeTime(9, 0, 0, 0)), QStringLiteral("9 AM"));

    ProcessFormats().timeSeparator = QLatin1Char('.');
    ProcessFormats().timePMString = QStringLiteral("pm");
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:mm tt"), afternoon_), QStringLiteral("2.07 pm"));
}

TEST_F(FormatSettingsTest, QuotedTextAndWholeFormats)
{
    EXPECT_EQ(FormatDateTime(QStringLiteral("'Printed on' dddd, mmmm d, yyyy \"at\" hh:mm am/pm'.'"), afternoon_),
              QStringLiteral("Printed on Tuesday, March 5, 2024 at 02:07 pm."));
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), afternoon_), QStringLiteral("3/5/2024 2:07 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), DateOf(afternoon_)), QStringLiteral("3/5/2024"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("t"), afternoon_), QStringLiteral("2:07 PM"));
    EXPECT_EQ(DateToStr(afternoon_), QStringLiteral("3/5/2024"));
    EXPECT_EQ(TimeToStr(afternoon_), QStringLiteral("2:07 PM"));
}

TEST_F(FormatSettingsTest, DatesAreReadInTheOrderOfTheShortFormat)
{
    TDateTime d = 0.0;
    ASSERT_TRUE(TryStrToDate(QStringLiteral(" 12/31/2024 "), d));
    EXPECT_EQ(d, EncodeDate(2024, 12, 31));
    ASSERT_TRUE(TryStrToDate(QStringLiteral("3/5"), d));   // this year
    EXPECT_EQ(d, EncodeDate(2025, 3, 5));
    for (const char* bad : {"2/30/2024", "13/1/2024", "0/1/2024", "1", "x/1/2024", "1/2/3/4", "", "1-2-2024", "1/1/12345"})
        EXPECT_FALSE(TryStrToDate(QString::fromLatin1(bad), d)) << bad;

    ProcessFormats().shortDateFormat = QStringLiteral("dd/mm/yyyy");
    ProcessFormats().dateSeparator = QLatin1Char('.');
    ASSERT_TRUE(TryStrToDate(QStringLiteral("31.12.2024"), d));
    EXPECT_EQ(d, EncodeDate(2024, 12, 31));
    ProcessFormats().shortDateFormat = QStringLiteral("yyyy/mm/dd");
    ASSERT_TRUE(TryStrToDate(QStringLiteral("2024.02.29"), d));
    EXPECT_EQ(d, EncodeDate(2024, 2, 29));
}

TEST_F(FormatSettingsTest, TwoDigitYearsFallWithinNineteenYearsAhead)
{
    TDateTime d = 0.0;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/1/44"), d));
    EXPECT_EQ(DecodeDate(d).year, 2044);
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/1/45"), d));
    EXPECT_EQ(DecodeDate(d).year, 1945);
    ASSERT_TRUE(TryStrToDate(QStringLiteral("6/9/96"), d));
    EXPECT_EQ(DecodeDate(d).year, 1996);
    ASSERT_TRUE(TryStrToDate(QStringLiteral("6/9/0"), d));
    EXPECT_EQ(DecodeDate(d).year, 2000);
}

TEST(FormatSettingsLocaleTest, WithoutALocaleTheUsFormatsHold)
{
    if (QLocale::system().language() != QLocale::C)
        GTEST_SKIP() << "runs under the C locale";
    const FormatSettings fs = FormatSettings::FromLocale();
    EXPECT_EQ(fs.shortDateFormat, QStringLiteral("m/d/yyyy"));
    EXPECT_EQ(fs.shortTimeFormat, QStringLiteral("h:mm tt"));
    EXPECT_EQ(fs.timeAMString, QStringLiteral("AM"));
    EXPECT_EQ(fs.currencyString, QStringLiteral("$"));
    EXPECT_EQ(fs.thousandSeparator, QLatin1Char(','));
}

TEST(FormatSettingsLocaleTest, AGermanLocaleGivesItsPicturesAndSeparators)
{
    if (QLocale::system().language() != QLocale::German)
        GTEST_SKIP() << "runs under a German locale";
    const FormatSettings fs = FormatSettings::FromLocale();
    EXPECT_EQ(fs.shortDateFormat, QStringLiteral("dd/mm/yy"));
    EXPECT_EQ(fs.dateSeparator, QLatin1Char('.'));
    EXPECT_EQ(fs.shortTimeFormat, QStringLiteral("HH:nn"));
    EXPECT_EQ(fs.timeSeparator, QLatin1Char(':'));
    EXPECT_EQ(fs.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(fs.thousandSeparator, QLatin1Char('.'));
    EXPECT_EQ(fs.currencyString, QStringLiteral("€"));

    const FormatSettings saved = ProcessFormats();
    ProcessFormats() = fs;
    EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 5)), QStringLiteral("05.03.24"));
    TDateTime d = 0.0;
    EXPECT_TRUE(TryStrToDate(QStringLiteral("5.3.24"), d));
    EXPECT_EQ(d, EncodeDate(2024, 3, 5));
    ProcessFormats() = saved;
}

}  // namespace
