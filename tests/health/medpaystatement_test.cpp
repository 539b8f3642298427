#include "health/medpaystatement.h"

#include "medpayenv.h"

#include "context/context.h"
#include "health/medpayments.h"
#include "platform/formatsettings.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace MedPayEnv;

class StatementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        AddPatient(1, QStringLiteral("Anne O'Hara"));
        AddPatient(2, QStringLiteral("Bob \"Junior\" Lee"));
        acme_ = AddInsurer(QStringLiteral("Acme"));
        blue_ = AddInsurer(QStringLiteral("Blue \"Cross\""));
    }
    void TearDown() override { DataFolder.clear(); }

    static QStringList Providers(const TStatement& statement)
    {
        QStringList providers;
        for (const TStatementRow& row : statement.rows)
            providers << row.provider;
        return providers;
    }

    FreshDataFolder folder_;
    qint32 acme_ = 0;
    qint32 blue_ = 0;
};

TEST_F(StatementTest, YearRunsFromNewYearsDayToNewYearsEveByDate)
{
    AddPayment(EncodeDate(2023, 12, 31), 1, 1, acme_, QStringLiteral("Before"), 1, 1, 0);
    AddPayment(EncodeDate(2024, 12, 31), 1, 1, acme_, QStringLiteral("Last"), 1, 1, 0);
    AddPayment(EncodeDate(2024, 2, 29), 1, 1, acme_, QStringLiteral("Leap"), 1, 1, 0);
    AddPayment(EncodeDate(2024, 1, 1), 1, 1, acme_, QStringLiteral("First"), 1, 1, 0);
    AddPayment(EncodeDate(2025, 1, 1), 1, 1, acme_, QStringLiteral("After"), 1, 1, 0);
    const TStatement statement = LoadStatement({}, 2024);
    EXPECT_EQ(Providers(statement), (QStringList{"First", "Leap", "Last"}));
    EXPECT_EQ(statement.rows[1].date, QStringLiteral("2/29/2024"));
}

TEST_F(StatementTest, RowsShowMoneyColumnsAndTotalsAddInCents)
{
    const qint32 first = AddPayment(EncodeDate(2024, 3, 1), 1, 1, acme_, QStringLiteral("Dr. O'Neil"), 19.99, 19.70, 0.29);
    AddPayment(EncodeDate(2024, 3, 2), 2, 2, blue_, QStringLiteral("Lab"), 1234.5, 1000.1, 234.4);
    AddPayment(EncodeDate(2024, 3, 3), 2, 2, blue_, QStringLiteral("Drugs"), 0.1, 0, 0.1);
    const TStatement statement = LoadStatement({}, 2024);
    ASSERT_EQ(statement.rows.size(), 3u);
    EXPECT_EQ(statement.rows[0].medId, first);
    // Two blanks for each character short of 11, one for each comma and one more.
    EXPECT_EQ(statement.rows[0].total, QString(11, QLatin1Char(' ')) + QStringLiteral("$19.99"));
    EXPECT_EQ(statement.rows[1].total, QString(6, QLatin1Char(' ')) + QStringLiteral("$1,234.50"));
    EXPECT_EQ(statement.totals.total, 1254'59);
    EXPECT_EQ(statement.totals.insurance, 1019'80);
    EXPECT_EQ(statement.totals.outOfPocket, 234'79);
}

TEST_F(StatementTest, EachFilterNarrowsAndANegativePatientShowsNothing)
{
    AddPayment(EncodeDate(2024, 5, 1), 1, 1, acme_, QStringLiteral("A1"), 10, 10, 0);
    AddPayment(EncodeDate(2024, 5, 2), 1, 2, blue_, QStringLiteral("A2"), 10, 10, 0);
    AddPayment(EncodeDate(2024, 5, 3), 2, 2, acme_, QStringLiteral("B2"), 10, 10, 0);
    EXPECT_EQ(Providers(LoadStatement({1, 0, 0}, 2024)), (QStringList{"A1", "A2"}));
    EXPECT_EQ(Providers(LoadStatement({0, acme_, 0}, 2024)), (QStringList{"A1", "B2"}));
    EXPECT_EQ(Providers(LoadStatement({0, 0, 2}, 2024)), (QStringList{"A2", "B2"}));
    EXPECT_EQ(Providers(LoadStatement({2, acme_, 2}, 2024)), (QStringList{"B2"}));
    const TStatement none = LoadStatement({-1, 0, 0}, 2024);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.totals.total, 0);
}

TEST_F(StatementTest, TotalAboveTenMillionDoesNotFitItsBox)
{
    EXPECT_FALSE(TotalTooBig(1'000'000'000));
    EXPECT_TRUE(TotalTooBig(1'000'000'001));
    EXPECT_TRUE(TotalTooBig(std::nullopt));
    AddPayment(EncodeDate(2024, 5, 1), 1, 1, acme_, QStringLiteral("A"), 999999.99, 0, 999999.99);
    for (int n = 0; n < 9; ++n)
        AddPayment(EncodeDate(2024, 5, 2), 1, 1, acme_, QStringLiteral("B"), 999999.99, 0, 999999.99);
    AddPayment(EncodeDate(2024, 5, 3), 1, 1, acme_, QStringLiteral("C"), 0.11, 0, 0.11);
    const TStatement statement = LoadStatement({}, 2024);
    EXPECT_EQ(statement.totals.total, 1'000'000'000 + 1);
    EXPECT_TRUE(TotalTooBig(statement.totals.total));
    EXPECT_EQ(TotalTooBigText(0), QStringLiteral("-$1.00 means total amount is too big to show in the box."));
    EXPECT_EQ(TotalTooBigText(2), QStringLiteral("-$1.00 means total out of pocket payment is too big to show in the box."));
}

TEST_F(StatementTest, FilterTextNamesPatientCoverageAndCompany)
{
    EXPECT_EQ(FilterTextOf({}), QStringLiteral("All"));
    EXPECT_EQ(FilterTextOf({0, 0, 2}), QStringLiteral("All members, Dental plan"));
    EXPECT_EQ(FilterTextOf({1, acme_, 0}), QStringLiteral("Anne O'Hara@Acme"));
    // A company no longer there is left out.
    EXPECT_EQ(FilterTextOf({1, 999, 0}), QStringLiteral("Anne O'Hara"));
    // 36 characters and more are cut to 35 and "....".
    EXPECT_EQ(FilterTextOf({2, blue_, 3}), QStringLiteral("Bob \"Junior\" Lee, Vision plan@Blue ...."));
    EXPECT_EQ(FilterText(false, QStringLiteral("Anne"), 4, QStringLiteral("1234567890123456789")),
              QStringLiteral("Anne, Drug plan@1234567890123456789"));
    EXPECT_EQ(FilterText(false, QStringLiteral("Anne"), 4, QStringLiteral("12345678901234567890")),
              QStringLiteral("Anne, Drug plan@1234567890123456789...."));
}

TEST(StatementYear, StartsIn1997AndZeroBecomesTheCurrentYear)
{
    EXPECT_EQ(PayStatementYear, 1997);
    EXPECT_EQ(StatementYearShown(EncodeDate(2024, 6, 15)), 1997);
    PayStatementYear = 0;
    EXPECT_EQ(StatementYearShown(EncodeDate(2024, 6, 15)), 2024);
    EXPECT_EQ(PayStatementYear, 2024);
    PayStatementYear = 1997;
}

}  // namespace
