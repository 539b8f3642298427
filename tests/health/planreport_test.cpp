// The plan report's rows: each account kind's labelled rows in the scratch
// table, the kinds not ticked, and an FSA's notes wrapped under "Note: ".
#include "insuranceenv.h"

#include "health/insurancedata.h"
#include "health/planreport.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {

class PlanReport : public InsuranceEnv {
protected:
    std::vector<TScratchRow> Filled(const TPlanChoice& choice) const
    {
        FillPlanReport(choice);
        return ScratchRows(folder_.Path());
    }
    static TScratchRow Row(const QString& category, const QString& caption, const QString& value)
    {
        return {category, caption, {}, value, {}, {}, {}};
    }
};

TEST_F(PlanReport, AnInsuranceAccountPrintsItsTermsAndCoveredMembers)
{
    const qint32 ann = AddMemberNamed(QStringLiteral("Ann"), {}, QStringLiteral("O'Neil"));
    const qint32 bob = AddMemberNamed(QStringLiteral("Bob"), QStringLiteral("J"), QStringLiteral("Stone"));
    TInsurancePlan entry = GoodEntry();
    entry.companyName = QStringLiteral("Blue");
    entry.typeIndex = 1;
    entry.subscriberNum = QStringLiteral("S1");
    entry.groupNumber = QStringLiteral("G2");
    entry.effDate = EncodeDate(2024, 2, 29);
    entry.copayChoice = kFixedCopay;
    entry.copayCents = 2999;
    entry.premiumCents = 123429;
    entry.premiumTime = 2;
    entry.premiumUnit = 1;
    entry.indAnnual = {1, 29};
    entry.famDeduct = {0, std::nullopt};
    const qint32 id = InsertInsuranceAccount(entry, {ann, bob});

    const QString blue = QStringLiteral("Blue Insurance");
    EXPECT_EQ(Filled({true, {id}, false, {}}),
              (std::vector<TScratchRow>{
                  Row(blue, "Account Type:", "Dental Insurance"),
                  Row(blue, "Subscriber Number:", "S1"),
                  Row(blue, "Group Number:", "G2"),
                  Row(blue, "Effective Date:", "2/29/2024"),
                  Row(blue, "Copay:", "$29.99"),
                  Row(blue, "Premium:", "$1,234.29 per 2 month(s)"),
                  Row(blue, "Max. Annual Benefit for Individual:", "$0.29"),
                  Row(blue, "Max. Lifetime Benefit for Individual:", "No limit."),
                  Row(blue, "Max. Annual Benefit for Family:", "No limit."),
                  Row(blue, "Max. Lifetime Benefit for Family:", "No limit."),
                  Row(blue, "Annual Deductible for Individual:", "$19.99"),
                  Row(blue, "Annual Deductible for Family:", "No deductible."),
                  Row(blue, "Covered Members:", "Ann  O'Neil; Bob J Stone; "),
              }));
}

TEST_F(PlanReport, ACopayPrintsByItsKindAndOthersByTheirName)
{
    TInsurancePlan entry = GoodEntry();
    entry.typeIndex = 4;
    entry.copayChoice = kPercentCopay;
    entry.copayPercent = 12.5;
    const qint32 id = InsertInsuranceAccount(entry, {});
    const std::vector<TPlanRow> rows = InsurancePlanRows(id);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0].value, QStringLiteral("Others"));
    EXPECT_EQ(rows[4].value, QStringLiteral("12.5%"));
    EXPECT_EQ(InsurancePlanRows(id)[12].value, QString());
    EXPECT_TRUE(InsurancePlanRows(id + 1).empty());

    // A fixed 20.00 changed to "no co-payment": the stored figure stays, but
    // it is no co-payment of the plan's any more.
    entry.copayChoice = kFixedCopay;
    entry.copayCents = 2000;
    const qint32 fixed = InsertInsuranceAccount(entry, {});
    EXPECT_EQ(InsurancePlanRows(fixed)[4].value, QStringLiteral("$20.00"));
    entry.copayChoice = kNoCopay;
    UpdateInsuranceAccount(fixed, entry, {});
    const std::vector<TPlanRow> none = InsurancePlanRows(fixed);
    ASSERT_EQ(none.size(), 13u);
    EXPECT_EQ(none[4].caption, QStringLiteral("Copay:"));
    EXPECT_EQ(none[4].value, QStringLiteral("No co-payment."));
    TQuery stored(DataFolder);
    stored.SQL() << QStringLiteral("SELECT Copay, CopayType FROM MEDINS WHERE AccountID = %1").arg(fixed);
    stored.Open();
    EXPECT_EQ(stored.Fields(0).AsFloat(), 20.0);
    EXPECT_EQ(stored.Fields(1).AsInteger(), 2);
}

TEST_F(PlanReport, AnFsaPrintsEachYearWithItsNoteWrappedOnASecondRow)
{
    const qint32 acme = AddAccountRow(5, QStringLiteral("Acme"));
    const qint32 empty = AddAccountRow(5, QStringLiteral("Empty"));
    AddYear(acme, 2024, 1999.99, QStringLiteral("Orthodontics for both children and new glasses for the whole family"));
    AddYear(acme, 2023, 0.29);
    const QString category = QStringLiteral("FSA with Acme");
    EXPECT_EQ(Filled({false, {}, true, {{acme, QStringLiteral("Acme")}, {empty, QStringLiteral("Empty")}}}),
              (std::vector<TScratchRow>{
                  Row(category, "Year: ", "2024"),
                  Row(category, "Elected Amount: ", "$1,999.99"),
                  Row(category, "Note: ", "Orthodontics for both children and new glasses for"),
                  Row(category, "", "the whole family"),
                  Row(category, "Year: ", "2023"),
                  Row(category, "Elected Amount: ", "$0.29"),
                  Row(category, "Note: ", ""),
              }));
}

TEST_F(PlanReport, AKindNotTickedAddsNothingAndTheTableIsEmptiedFirst)
{
    const qint32 acme = AddAccountRow(5, QStringLiteral("Acme"));
    AddYear(acme, 2024, 10);
    const qint32 plan = InsertInsuranceAccount(GoodEntry(), {});
    EXPECT_EQ(Filled({true, {plan}, true, {{acme, QStringLiteral("Acme")}}}).size(), 16u);
    EXPECT_TRUE(Filled({false, {plan}, false, {{acme, QStringLiteral("Acme")}}}).empty());
    EXPECT_TRUE(Filled({true, {}, true, {}}).empty());
}

}  // namespace
