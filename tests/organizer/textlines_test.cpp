#include "organizer/textlines.h"

#include <gtest/gtest.h>

TEST(CopyTextLines, StartsAtTheFirstLineWithTextAndKeepsLaterBlankLines)
{
    QStringList destination{"old note"};
    CopyTextLines(destination, {"", "   ", "  First", "", "  third "});
    EXPECT_EQ(destination, QStringList({"  First", "", "  third "}));

    CopyTextLines(destination, {" ", ""});
    EXPECT_TRUE(destination.isEmpty());
}

TEST(JoinTextLines, JoinsWithOneBlankFromTheFirstLineWithText)
{
    EXPECT_EQ(JoinTextLines({"  ", "Call Dr. O'Neil", "", "re: <b>flu</b> shot"}),
              QStringLiteral("Call Dr. O'Neil  re: <b>flu</b> shot"));
    EXPECT_EQ(JoinTextLines({}), QString());
}

TEST(JoinTextLines, CutsTheLineThatNoLongerFitsWithAnEllipsis)
{
    const QString first(240, QLatin1Char('a'));
    // Room 8 for "bbbbbbbbbb": four of its characters and " ..." after a blank.
    EXPECT_EQ(JoinTextLines({first, QString(10, QLatin1Char('b')), "never"}),
              first + " bbbb ...");
    // A line that fits the room exactly is taken whole.
    EXPECT_EQ(JoinTextLines({first, QString(8, QLatin1Char('c'))}), first + " cccccccc");
}

TEST(JoinTextLines, LeavesOutALineWhenFourCharactersOrLessAreLeft)
{
    const QString first(244, QLatin1Char('a'));
    EXPECT_EQ(JoinTextLines({first, "too long"}), first);
    const QString full(248, QLatin1Char('a'));
    EXPECT_EQ(JoinTextLines({full, "x"}), full);
}

TEST(JoinTextLines, TheCutNeverPartsAnEmoji)
{
    const QString first(240, QLatin1Char('a'));
    const QString emoji = QStringLiteral("\U0001F489");
    // Room 8 keeps four units; the fourth would be the first half of the emoji.
    EXPECT_EQ(JoinTextLines({first, "bbb" + emoji + "cccc"}), first + " bbb ...");
    EXPECT_EQ(JoinTextLines({first, "bb" + emoji + "ccccc"}), first + " bb" + emoji + " ...");
}

TEST(JoinTextLines, TheCutNeverPartsAJoinedEmoji)
{
    const QString first(240, QLatin1Char('a'));
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    // Room 8 keeps four units: the man and the joiner after him.
    EXPECT_EQ(JoinTextLines({first, "bb" + family + "c"}), first + " bb ...");
}
