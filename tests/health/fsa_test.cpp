// The FSA's rows and amounts: the election of a year written and read back,
// what the year's expenses reimbursed, and the balance in whole cents.
#include "insuranceenv.h"

#include "health/accountspending.h"
#include "health/fsadata.h"

#include "platform/dataset.h"

namespace {

class Fsa : public InsuranceEnv {};

TEST(FsaChecks, AnEmployerATaxYearAndAnElectedAmountAreNeeded)
{
    TFsaElection entry{QStringLiteral("Acme"), 2024, 0, {}};
    EXPECT_EQ(CheckFsaEntry(entry), std::nullopt);
    entry.electedCents.reset();
    EXPECT_EQ(CheckFsaEntry(entry), TFsaRefusal::ElectedAmount);
    entry.year = 0;
    EXPECT_EQ(CheckFsaEntry(entry), TFsaRefusal::TaxYear);
    entry.employerName.clear();
    EXPECT_EQ(CheckFsaEntry(entry), TFsaRefusal::EmployerName);
    EXPECT_EQ(FsaRefusalText(TFsaRefusal::EmployerName), QStringLiteral("Please enter your company name."));
    EXPECT_EQ(FsaRefusalText(TFsaRefusal::TaxYear), QStringLiteral("Please enter the tax year."));
    EXPECT_EQ(FsaRefusalText(TFsaRefusal::ElectedAmount),
              QStringLiteral("Please enter the total amount before saving record."));
}

TEST_F(Fsa, AnInsertWritesTheAccountAndItsYearAndAnUpdateWritesTheYearShown)
{
    const qint32 id = InsertFsaAccount({QStringLiteral("O'Brien & Sons"), 2024, 200029, {QStringLiteral("Day care")}});
    EXPECT_EQ(ReadAccountName(id), QStringLiteral("O'Brien & Sons"));
    EXPECT_EQ(Dump(QStringLiteral("MEDINS"), QStringLiteral("AccountID")).last().section(QLatin1Char('|'), 1, 1),
              QStringLiteral("5"));
    const std::optional<TFsaYear> year = ReadFsaYear(id, 2024);
    ASSERT_TRUE(year);
    EXPECT_EQ(year->electedCents, 200029);
    EXPECT_EQ(year->note, QStringList{"Day care"});
    EXPECT_EQ(ReadFsaYear(id, 2025), std::nullopt);

    UpdateFsaAccount(id, {QStringLiteral("Acme"), 2025, 1999, {}});
    UpdateFsaAccount(id, {QStringLiteral("Acme"), 2024, 29, {QStringLiteral("Braces")}});
    EXPECT_EQ(ReadAccountName(id), QStringLiteral("Acme"));
    EXPECT_EQ(Dump(QStringLiteral("MEDYEAR"), QStringLiteral("ForYear")),
              (QStringList{QStringLiteral("%1|2024|0.29|Braces").arg(id), QStringLiteral("%1|2025|19.99|").arg(id)}));

    // An FSA deleted meanwhile: nothing is written.
    Execute(QStringLiteral("DELETE FROM MEDINS WHERE AccountID = %1").arg(id));
    EXPECT_THROW(UpdateFsaAccount(id, {QStringLiteral("Acme"), 2026, 100, {}}), EDatabaseError);
    EXPECT_EQ(ReadFsaYear(id, 2026), std::nullopt);
    EXPECT_EQ(ReadAccountName(id), std::nullopt);
}

TEST_F(Fsa, AnInsertWithoutItsYearLeavesNoAccount)
{
    Execute(QStringLiteral("DROP TABLE MEDYEAR"));
    EXPECT_THROW(InsertFsaAccount({QStringLiteral("Acme"), 2024, 100, {}}), EDatabaseError);
    EXPECT_TRUE(Dump(QStringLiteral("MEDINS"), QStringLiteral("AccountID")).isEmpty());
}

TEST_F(Fsa, TheYearReimbursedCountsOnlyExpensesOfThatYearThatStillExist)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const qint32 fsa = AddAccountRow(5, QStringLiteral("Acme"));
    const qint32 other = AddAccountRow(5, QStringLiteral("Other"));
    Spend(ann, EncodeDate(2024, 1, 1), fsa, 1000.00);
    Spend(ann, EncodeDate(2024, 12, 31), fsa, 199.71);
    Spend(ann, EncodeDate(2024, 2, 29), fsa, 0.29);
    Spend(ann, EncodeDate(2023, 12, 31), fsa, 50);
    Spend(ann, EncodeDate(2024, 5, 5), other, 50);
    AddSplitPaid(424242, fsa, 50, 0);

    const TCentsSum reimbursed = FsaReimbursed(fsa, 2024);
    EXPECT_EQ(reimbursed.Cents(), 120000);
    EXPECT_EQ(FsaAmountText(reimbursed.Cents()), QStringLiteral("1,200.00"));
    EXPECT_EQ(FsaAmountText(FsaBalance(200000, reimbursed)), QStringLiteral("800.00"));
    // Used up exactly: no "-0.00".
    EXPECT_EQ(FsaAmountText(FsaBalance(120000, reimbursed)), QStringLiteral("0.00"));
    EXPECT_EQ(FsaAmountText(FsaBalance(119999, reimbursed)), QStringLiteral("-0.01"));
    EXPECT_EQ(FsaReimbursed(fsa, 2023).Cents(), 5000);
    EXPECT_EQ(FsaReimbursed(fsa, 2022).Cents(), 0);
    EXPECT_EQ(FsaAmountText(std::nullopt), QStringLiteral("-1.00"));
}

}  // namespace
