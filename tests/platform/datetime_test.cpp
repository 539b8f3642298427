#include "platform/datetime.h"

#include <gtest/gtest.h>

namespace {

// Constants of other files are set up before or after the date-time code's
// own, in an order nobody chooses: a date encoded then must still be right.
const TDateTime kLeapDayAtStartUp = EncodeDate(2000, 2, 29);
const QDate kLeapDayBackAtStartUp = ToQDate(36585.0);

TEST(DateTime, DatesEncodedWhileConstantsAreSetUpAreRight)
{
    EXPECT_EQ(kLeapDayAtStartUp, 36585.0);
    EXPECT_EQ(kLeapDayBackAtStartUp, QDate(2000, 2, 29));
}

}  // namespace
