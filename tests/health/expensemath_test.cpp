#include "health/expensemath.h"

#include "controls/moneyedit.h"

#include <gtest/gtest.h>

namespace {

constexpr qint32 kMedical = 2, kDental = 3, kFsa = 4, kOtherFsa = 5;

qint64 C(double amount)
{
    return AmountToCents(amount).value();
}

TExpenseDraft Paid(double office, double mail)
{
    TExpenseDraft draft;
    draft.officePaid = C(office);
    draft.mailPaid = C(mail);
    return draft;
}

// Amounts that binary fractions get wrong: the sums must come out exact, and
// an FSA that reimburses all that was paid leaves exactly nothing.
TEST(ExpenseMath, CentAmountsSumExactly)
{
    TExpenseDraft draft = Paid(0.70, 0.10);
    SetFsaReimbursement(draft, kFsa, C(0.80));
    TExpenseSplits splits = ComputeSplits(draft, {kFsa});
    EXPECT_EQ(splits.outOfPocket, 0);
    EXPECT_EQ(splits.total, 80);
    EXPECT_EQ(splits.insFsaPaid, 80);
    EXPECT_FALSE(CheckFinish(splits));

    draft = Paid(19.99, 0.29);
    for (qint32 account : {kMedical, kDental, 6})
        SetInsurancePayment(draft, account, C(33.33));
    SetFsaReimbursement(draft, kFsa, C(20.28));
    splits = ComputeSplits(draft, {kFsa});
    EXPECT_EQ(splits.total, 12027);
    EXPECT_EQ(splits.outOfPocket, 0);
    EXPECT_EQ(splits.insFsaPaid, 12027);
    EXPECT_FALSE(CheckFinish(splits));

    draft = Paid(0.10, 0.20);
    SetFsaReimbursement(draft, kFsa, C(0.30));
    EXPECT_EQ(OutOfPocket(draft, {kFsa}), 0);
    SetFsaReimbursement(draft, kFsa, C(0.31));
    EXPECT_EQ(OutOfPocket(draft, {kFsa}), -1);
}

TEST(ExpenseMath, TotalsAndSplitRowsOfAFullExpense)
{
    TExpenseDraft draft = Paid(100.00, 0);
    SetInsurancePayment(draft, kMedical, C(60.00));
    SetInsuranceDeductible(draft, kMedical, C(12.50));
    SetFsaReimbursement(draft, kFsa, C(30.00));
    const TExpenseSplits splits = ComputeSplits(draft, {kFsa});
    EXPECT_EQ(splits.total, 16000);
    EXPECT_EQ(splits.outOfPocket, 7000);
    EXPECT_EQ(splits.insFsaPaid, 9000);
    const std::vector<TSplitRow> rows = {
        {kOwnShareAccountID, 7000, std::nullopt}, {kMedical, 6000, 1250}, {kFsa, 3000, std::nullopt}};
    EXPECT_EQ(splits.rows, rows);
}

// A reimbursement counts only when its FSA has an election for the year; the
// row is still kept.
TEST(ExpenseMath, ReimbursementOfAnFsaWithoutElectionDoesNotCount)
{
    TExpenseDraft draft = Paid(50.00, 25.00);
    SetFsaReimbursement(draft, kFsa, C(10.00));
    SetFsaReimbursement(draft, kOtherFsa, C(20.00));
    const TExpenseSplits splits = ComputeSplits(draft, {kOtherFsa});
    EXPECT_EQ(splits.outOfPocket, 5500);
    EXPECT_EQ(splits.insFsaPaid, 2000);
    ASSERT_EQ(splits.rows.size(), 3u);
    EXPECT_EQ(splits.rows[1].accountId, kFsa);
    EXPECT_EQ(OutOfPocket(draft, {}), 7500);
}

TEST(ExpenseMath, AccountsKeepTheOrderOfTheirFirstAmountAndTheirLastValues)
{
    TExpenseDraft draft = Paid(10.00, 0);
    SetInsurancePayment(draft, kDental, C(5.00));
    SetInsuranceDeductible(draft, kMedical, C(1.00));
    SetInsurancePayment(draft, kMedical, C(2.00));
    SetInsurancePayment(draft, kDental, C(7.00));
    SetFsaReimbursement(draft, kFsa, C(4.00));
    SetFsaReimbursement(draft, kFsa, C(3.00));
    const std::vector<TInsuranceEntry> insurance = {{kDental, 700, 0}, {kMedical, 200, 100}};
    EXPECT_EQ(draft.insurance, insurance);
    EXPECT_EQ(draft.fsa, (std::vector<TFsaEntry>{{kFsa, 300}}));
    EXPECT_EQ(ExpenseTotal(draft), 1900);
}

TEST(ExpenseMath, FinishRefusesReimbursementAbovePayment)
{
    TExpenseDraft draft = Paid(19.99, 0);
    SetFsaReimbursement(draft, kFsa, C(20.00));
    const std::optional<TExpenseRefusal> refusal = CheckFinish(ComputeSplits(draft, {kFsa}));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, TExpenseField::Reimbursement);
    EXPECT_EQ(refusal->message,
              QStringLiteral("The reimburst amount from your FSA should be less than or equal to your payment."));

    // What a deleted FSA reimbursed is in no box: the message tells it, when
    // it counts.
    draft = Paid(19.99, 0);
    draft.keptFsa = {{kFsa, C(15.00)}, {kOtherFsa, C(100.00)}, {6, C(5.01)}};
    EXPECT_EQ(CheckFinish(ComputeSplits(draft, {kFsa, 6}))->message,
              QStringLiteral("The reimburst amount from your FSA should be less than or equal to your payment.\n"
                             "Reimbursement kept from a deleted FSA: $20.01"));
    SetFsaReimbursement(draft, 7, C(20.00));
    EXPECT_EQ(CheckFinish(ComputeSplits(draft, {7}))->message,
              QStringLiteral("The reimburst amount from your FSA should be less than or equal to your payment."))
        << "the deleted FSAs have no election that year";
}

TEST(ExpenseMath, InformationChecksInTheirOrder)
{
    const TDateTime today = EncodeDate(2024, 2, 29);
    TExpenseDraft draft;
    auto refusal = CheckExpenseInfo(draft, today);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (TExpenseRefusal{TExpenseField::Description,
                                         QStringLiteral("Please enter the \"Description\" field.")}));
    draft.description = QStringLiteral(" \t ");
    refusal = CheckExpenseInfo(draft, today);
    ASSERT_TRUE(refusal) << "blanks describe nothing";
    EXPECT_EQ(refusal->field, TExpenseField::Description);
    draft.description = QStringLiteral("Check-up");
    refusal = CheckExpenseInfo(draft, today);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (TExpenseRefusal{TExpenseField::Date, QStringLiteral("Please fill in the expense date.")}));
    draft.serviceDate = EncodeDate(2024, 3, 1);
    refusal = CheckExpenseInfo(draft, today);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (TExpenseRefusal{TExpenseField::Member,
                                         QStringLiteral("Please select one member who expenses this amount.")}));
    draft.memberId = 7;
    refusal = CheckExpenseInfo(draft, today);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (TExpenseRefusal{TExpenseField::Date,
                                         QStringLiteral("The expense date can't be the future. Please enter again.")}));
    // Today itself is no future, whatever the time of day.
    draft.serviceDate = today;
    EXPECT_FALSE(CheckExpenseInfo(draft, today + 0.75));
}

}  // namespace

namespace {

TEST(ExpenseMath, AccountChecksAndTheirMessages)
{
    const TDateTime expenseDate = EncodeDate(2024, 3, 31);
    TInsuranceFacts facts{.coversMember = false, .effectiveDate = expenseDate, .hasDeductible = false};
    auto refusal = CheckInsuranceChoice(facts, expenseDate);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("The member isn't covered by this insurance.Please pick another one."));
    facts.coversMember = true;
    EXPECT_FALSE(CheckInsuranceChoice(facts, expenseDate + 0.5));
    facts.effectiveDate = expenseDate + 1;
    refusal = CheckInsuranceChoice(facts, expenseDate);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (TExpenseRefusal{TExpenseField::Insurance,
                                         QStringLiteral("The effective date of the insurance is later then the date of the expense.")}));

    EXPECT_EQ(CheckInsuranceAmount(false)->message, QStringLiteral("Please select Insurance account first."));
    EXPECT_FALSE(CheckInsuranceAmount(true));
    EXPECT_EQ(CheckDeductible(false, facts, 0)->field, TExpenseField::Insurance);
    EXPECT_FALSE(CheckDeductible(true, facts, 0));
    EXPECT_EQ(*CheckDeductible(true, facts, 1),
              (TExpenseRefusal{TExpenseField::Deductible,
                               QStringLiteral("This account is no deductible.The deductible amount should be zero.")}));
    facts.hasDeductible = true;
    EXPECT_FALSE(CheckDeductible(true, facts, 2999));

    const QString taxYear = QStringLiteral("The tax-year is different. This FSA can not apply to this expense");
    EXPECT_EQ(CheckFsaChoice(false)->message, taxYear);
    EXPECT_FALSE(CheckFsaChoice(true));
    EXPECT_EQ(*CheckReimbursement(false, true),
              (TExpenseRefusal{TExpenseField::Fsa, QStringLiteral("Please select Flexible Spending Account first.")}));
    EXPECT_EQ(CheckReimbursement(true, false)->message, taxYear);
    EXPECT_FALSE(CheckReimbursement(true, true));
}

}  // namespace
