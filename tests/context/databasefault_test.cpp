#include "context/context.h"
#include "context/databasefault.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"
#include "tests/support/scriptedmessageboxes.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class PlainWordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = QStringLiteral("/home/ann/careportfolio/db/");
        WordErrorsPlainly();
    }
    void TearDown() override
    {
        InstallErrorWording({});
        DataFolder.clear();
    }

    ScriptedMessageBoxes boxes_;
};

// Whatever event handler meets a database failure, the user reads what is
// wrong in plain words, never the engine's own text.
TEST_F(PlainWordsTest, ADatabaseFailureIsToldInPlainWordsNamingTheFile)
{
    RunGuarded([] { throw EDatabaseError(QStringLiteral("database is locked"), TDatabaseFault::Busy); });

    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("is in use by another program")));
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("/home/ann/careportfolio/db/careportfolio.db")));
    EXPECT_FALSE(boxes_.shown[0].text.contains(QStringLiteral("database is locked")));
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Error);
}

TEST_F(PlainWordsTest, AnUnknownDatabaseFailureKeepsTheEngineTextAndAnyOtherErrorIsToldAsItIs)
{
    RunGuarded([] { throw EDatabaseError(QStringLiteral("no such column: Bdate")); });
    RunGuarded([] { throw std::runtime_error("Ann's \"list\" is full"); });

    ASSERT_EQ(boxes_.shown.size(), 2);
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("The database reported: no such column: Bdate")));
    EXPECT_EQ(boxes_.shown[1].text, QStringLiteral("Ann's \"list\" is full"));
}

}  // namespace
