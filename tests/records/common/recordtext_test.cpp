#include "platform/formatsettings.h"
#include "tests/support/scriptedmessageboxes.h"
#include "records/common/recordtext.h"
#include "context/context.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

QString Blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

TEST(TrimRoutines, RemoveOnlyTheBlankCharacter)
{
    QString s = QStringLiteral("  \tab c  ");
    TrimLeadingBlanks(s);
    EXPECT_EQ(s, QStringLiteral("\tab c  "));
    s = QStringLiteral("  ab c \t ");
    TrimBlanks(s);
    EXPECT_EQ(s, QStringLiteral("ab c \t"));
    s = QStringLiteral("   ");
    TrimBlanks(s);
    EXPECT_TRUE(s.isEmpty());
    s = QStringLiteral(" Eye Care ");
    TrimLowerCase(s);
    EXPECT_EQ(s, QStringLiteral("eye care"));
}

TEST(FormatMoney, GroupsThousandsAndPadsForTheColumn)
{
    // $1,234.50 is 9 characters: 2 blanks for the one missing, 1 for the comma, 1 more.
    EXPECT_EQ(FormatMoney(10, 1234.5), Blanks(4) + QStringLiteral("$1,234.50"));
    EXPECT_EQ(FormatMoney(0, 1234567.8), Blanks(3) + QStringLiteral("$1,234,567.80"));
    EXPECT_EQ(FormatMoney(11, 0.0), Blanks(13) + QStringLiteral("$0.00"));
}

TEST(FormatMoney, NegativeAmountsNeverGetACommaAfterTheSign)
{
    EXPECT_EQ(FormatMoney(0, 999.99), Blanks(1) + QStringLiteral("$999.99"));
    EXPECT_EQ(FormatMoney(0, -234.5), Blanks(1) + QStringLiteral("$-234.50"));
    EXPECT_EQ(FormatMoney(0, -1234.5), Blanks(2) + QStringLiteral("$-1,234.50"));
    EXPECT_EQ(FormatMoney(0, -123456.5), Blanks(2) + QStringLiteral("$-123,456.50"));
}

TEST(FormatMoney, AmountsPastTheMoneyBoxLimitStillShowWithoutABox)
{
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(FormatMoney(11, 1e13), Blanks(5) + QStringLiteral("$10,000,000,000,000.00"));
    EXPECT_EQ(FormatMoney(11, -12345678901234.5), Blanks(5) + QStringLiteral("$-12,345,678,901,234.50"));
    EXPECT_EQ(FormatMoney(11, 9e16), Blanks(6) + QStringLiteral("$90,000,000,000,000,000.00"));
    // Past 64-bit cents: the amount too big to show.
    for (double amount : {9.3e16, -1e300, std::nan("")})
        EXPECT_EQ(FormatMoney(11, amount), Blanks(11) + QStringLiteral("$-1.00")) << amount;
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.Texts().join(QLatin1Char('\n')).toStdString();
}

TEST(FormatMoney, TextAsLongAsTheWidthGetsOnlyTheCommaBlanks)
{
    EXPECT_EQ(FormatMoney(9, 1234.5), Blanks(2) + QStringLiteral("$1,234.50"));
    EXPECT_EQ(FormatMoney(5, 1234.5), Blanks(2) + QStringLiteral("$1,234.50"));
    EXPECT_EQ(FormatMoney(11, -1.0), Blanks(11) + QStringLiteral("$-1.00"));
}

TEST(WrapWords, SplitsAtTheLastBlankThatFits)
{
    QString line1, line2;
    WrapWords({QStringLiteral("abcd efghij klmn")}, 10, line1, line2);
    EXPECT_EQ(line1, QStringLiteral("abcd"));
    EXPECT_EQ(line2, QStringLiteral("efghij klm"));

    // A blank right after the width still counts.
    WrapWords({QStringLiteral("abcdefghij klm")}, 10, line1, line2);
    EXPECT_EQ(line1, QStringLiteral("abcdefghij"));
    EXPECT_EQ(line2, QStringLiteral("klm"));
}

TEST(WrapWords, JoinsLinesWithBlanks)
{
    QString line1, line2;
    WrapWords({QStringLiteral("Take"), QStringLiteral("twice"), QStringLiteral("daily")}, 80, line1, line2);
    EXPECT_EQ(line1, QStringLiteral("Take twice daily"));
    EXPECT_TRUE(line2.isEmpty());

    WrapWords({}, 10, line1, line2);
    EXPECT_TRUE(line1.isEmpty());
    EXPECT_TRUE(line2.isEmpty());
}

TEST(WrapWords, StopsJoiningPast250Characters)
{
    QString line1, line2;
    WrapWords({QString(100, QLatin1Char('a')), QString(200, QLatin1Char('b')), QStringLiteral("end")}, 400,
              line1, line2);
    EXPECT_EQ(line1.size(), 301);
    EXPECT_FALSE(line1.endsWith(QStringLiteral("end")));
}

TEST(WrapWords, CutsAWordLongerThanTheWidth)
{
    QString line1, line2;
    WrapWords({QStringLiteral("Pneumonoultramicroscopic disease")}, 10, line1, line2);
    EXPECT_EQ(line1, QStringLiteral("Pneumonoul"));
    EXPECT_EQ(line2, QStringLiteral("tramicrosc"));
}

TEST(WrapWords, OnOneLineKeepsTheBlankBetweenTheHalves)
{
    EXPECT_EQ(WrapWordsOnOneLine({QStringLiteral("Bring the"), QStringLiteral("school form")}, 12),
              QStringLiteral("Bring the school form"));
    EXPECT_EQ(WrapWordsOnOneLine({QStringLiteral("Pneumonoultramicroscopic")}, 10), QStringLiteral("Pneumonoultramicrosc"));
    EXPECT_EQ(WrapWordsOnOneLine({QStringLiteral("short")}, 10), QStringLiteral("short"));
}

TEST(ShowDateEntryError, NamesTheUsersSeparator)
{
    const QChar saved = SavedDateSeparator;
    SavedDateSeparator = QLatin1Char('.');
    ScriptedMessageBoxes boxes;
    ShowDateEntryError();
    SavedDateSeparator = saved;
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Date entry error. Legal format is mm.dd.yyyy. For example, "
                                                  "June 9, 1996 should be entered as 06.09.1996."));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, unsigned(MsgOk));
}

}  // namespace
