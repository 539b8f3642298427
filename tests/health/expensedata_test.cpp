#include "health/expensedata.h"

#include "expenseenv.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace ExpenseEnv;

qint64 C(double amount)
{
    return AmountToCents(amount).value();
}

class ExpenseDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        anne_ = AddMember(QStringLiteral("Anne"), QStringLiteral("Smith"));
        otherAnne_ = AddMember(QStringLiteral("Anne"), QStringLiteral("O'Hara"));
        medical_ = AddAccount(1, QStringLiteral("Blue Plan"));
        dental_ = AddAccount(2, QStringLiteral("Blue Plan"));
        fsa_ = AddAccount(5, QStringLiteral("Acme FSA"));
        AddElection(fsa_, 2024);
        for (const qint32 plan : {medical_, dental_})
            for (const qint32 member : {anne_, otherAnne_})
                Cover(plan, member);
    }
    void TearDown() override { DataFolder.clear(); }

    TExpenseDraft Draft(qint32 memberId, double office, double mail) const
    {
        TExpenseDraft draft;
        draft.memberId = memberId;
        draft.serviceDate = EncodeDate(2024, 12, 31);
        draft.description = QStringLiteral("Visit \"urgent\"; it's late");
        draft.note = {QStringLiteral("first line"), QStringLiteral("second")};
        draft.officePaid = C(office);
        draft.mailPaid = C(mail);
        return draft;
    }

    static QStringList Splits(qint32 expId)
    {
        return Column(QStringLiteral("SELECT AccountID || ':' || Amount || ':' || IFNULL(Deductible, '-') FROM MEDEXPSP "
                                     "WHERE ExpID = %1 ORDER BY rowid").arg(expId));
    }
    static QStringList Sums(qint32 expId)
    {
        return Column(QStringLiteral("SELECT TotalExpense || ':' || OutofPocket || ':' || InsFSAPaid FROM MEDEXP "
                                     "WHERE ExpID = %1").arg(expId));
    }

    FreshDataFolder folder_;
    qint32 anne_ = 0, otherAnne_ = 0, medical_ = 0, dental_ = 0, fsa_ = 0;
};

TEST_F(ExpenseDataTest, NewExpenseIsWrittenWithItsSplitsAndReadBackWhole)
{
    TExpenseDraft draft = Draft(otherAnne_, 0.70, 0.10);
    draft.doctor = QStringLiteral("Dr. O'Brien \"Jr\"");
    SetInsurancePayment(draft, dental_, C(19.99));
    SetInsuranceDeductible(draft, dental_, C(0.29));
    SetInsurancePayment(draft, medical_, C(33.33));
    SetFsaReimbursement(draft, fsa_, C(0.80));
    const TFinishResult result = FinishExpense(draft);
    ASSERT_FALSE(result.refusal);
    ASSERT_GT(result.expId, 0);
    EXPECT_EQ(Sums(result.expId), QStringList{QStringLiteral("54.12:0.0:54.12")});
    EXPECT_EQ(Splits(result.expId),
              (QStringList{QStringLiteral("1:0.0:-"), QStringLiteral("%1:19.99:0.29").arg(dental_),
                           QStringLiteral("%1:33.33:0.0").arg(medical_), QStringLiteral("%1:0.8:-").arg(fsa_)}));
    EXPECT_EQ(ExpenseContradictions(), QStringList());

    const std::optional<TExpenseDraft> loaded = LoadExpense(result.expId);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->memberId, otherAnne_);
    EXPECT_EQ(loaded->serviceDate, draft.serviceDate);
    EXPECT_EQ(loaded->description, draft.description);
    EXPECT_EQ(loaded->note, draft.note);
    EXPECT_EQ(loaded->doctor, draft.doctor);
    EXPECT_EQ(loaded->docAddrId, result.docAddrId);
    EXPECT_EQ(loaded->officePaid, 70);
    EXPECT_EQ(loaded->mailPaid, 10);
    EXPECT_EQ(loaded->insurance, draft.insurance);
    EXPECT_EQ(loaded->fsa, draft.fsa);
    EXPECT_FALSE(LoadExpense(result.expId + 1));
}

// The doctor's name, quotes and all, finds its business row or makes one.
TEST_F(ExpenseDataTest, DoctorBusinessRowIsMadeOnceAndReused)
{
    TExpenseDraft draft = Draft(anne_, 10.00, 0);
    draft.doctor = QStringLiteral("St. Mary's \"East\"");
    const TFinishResult first = FinishExpense(draft);
    ASSERT_GT(first.docAddrId, 0);
    EXPECT_EQ(Column(QStringLiteral("SELECT CategoryNo || ':' || BusinessName FROM BIZADDR WHERE BizId = %1")
                         .arg(first.docAddrId)),
              QStringList{QStringLiteral("5:St. Mary's \"East\"")});
    const TFinishResult second = FinishExpense(draft);
    EXPECT_EQ(second.docAddrId, first.docAddrId);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE BizId = %1").arg(first.docAddrId)), 1);
    EXPECT_EQ(Column(QStringLiteral("SELECT DocAddrID FROM MEDEXP WHERE ExpID = %1").arg(second.expId)),
              QStringList{QString::number(first.docAddrId)});
}

// Every account given an amount is written, and the totals are those of the
// split rows.
TEST_F(ExpenseDataTest, TotalsCountTheSplitRowsWritten)
{
    TExpenseDraft draft = Draft(anne_, 100.00, 0);
    SetInsurancePayment(draft, medical_, C(60.00));
    SetFsaReimbursement(draft, fsa_, C(30.00));
    const TFinishResult result = FinishExpense(draft);
    EXPECT_EQ(Sums(result.expId), QStringList{QStringLiteral("160.0:70.0:90.0")});
    EXPECT_EQ(Splits(result.expId).size(), 3);
    EXPECT_EQ(ExpenseContradictions(), QStringList());
}

TEST_F(ExpenseDataTest, EditReplacesTheSplitRowsAndKeepsTypeAndCheckup)
{
    TExpenseDraft draft = Draft(anne_, 100.00, 0);
    draft.checkupId = 42;
    SetInsurancePayment(draft, medical_, C(60.00));
    SetFsaReimbursement(draft, fsa_, C(30.00));
    const qint32 expId = FinishExpense(draft).expId;

    TExpenseDraft edited = LoadExpense(expId).value();
    EXPECT_EQ(edited.checkupId, 42);
    edited.checkupId = 0;
    edited.mailPaid = C(0.29);
    edited.insurance.clear();
    SetInsurancePayment(edited, dental_, C(19.99));
    SetFsaReimbursement(edited, fsa_, C(33.33));
    const TFinishResult result = FinishExpense(edited);
    ASSERT_FALSE(result.refusal);
    EXPECT_EQ(result.expId, expId);
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("120.28:66.96:53.32")});
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:66.96:-"), QStringLiteral("%1:19.99:0.0").arg(dental_),
                                          QStringLiteral("%1:33.33:-").arg(fsa_)}));
    EXPECT_EQ(Column(QStringLiteral("SELECT ExpType || ':' || CheckupID FROM MEDEXP WHERE ExpID = %1").arg(expId)),
              QStringList{QStringLiteral("0:42")});
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
}

TEST_F(ExpenseDataTest, CancelledEditAndRefusedFinishWriteNothing)
{
    TExpenseDraft draft = Draft(anne_, 19.99, 0);
    SetInsurancePayment(draft, medical_, C(5.00));
    const qint32 expId = FinishExpense(draft).expId;
    const QStringList before = Snapshot();
    const qint64 businesses = CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR"));

    // Cancel: the edited description lives only in memory.
    TExpenseDraft edited = LoadExpense(expId).value();
    SetInsurancePayment(edited, medical_, C(6.00));
    SetFsaReimbursement(edited, fsa_, C(1.00));
    edited.description = QStringLiteral("changed");
    EXPECT_EQ(Snapshot(), before);

    // Refused: more reimbursed than paid, by one cent, for an edit and for a new one.
    edited.doctor = QStringLiteral("A new doctor");
    SetFsaReimbursement(edited, fsa_, C(20.00));
    const TFinishResult refusedEdit = FinishExpense(edited);
    ASSERT_TRUE(refusedEdit.refusal);
    EXPECT_EQ(refusedEdit.refusal->field, TExpenseField::Reimbursement);
    TExpenseDraft fresh = Draft(otherAnne_, 0.70, 0.10);
    fresh.doctor = QStringLiteral("Another new doctor");
    SetFsaReimbursement(fresh, fsa_, C(0.81));
    const TFinishResult refusedNew = FinishExpense(fresh);
    ASSERT_TRUE(refusedNew.refusal);
    EXPECT_EQ(refusedNew.expId, 0);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR")), businesses);
}

// A write that fails halfway leaves nothing of it, not even the doctor's row.
TEST_F(ExpenseDataTest, FailedFinishRollsBackEverything)
{
    TExpenseDraft draft = Draft(anne_, 10.00, 0);
    const qint32 expId = FinishExpense(draft).expId;
    TExpenseDraft edited = LoadExpense(expId).value();
    TQuery erase(DataFolder);
    erase.SQL() << QStringLiteral("DELETE FROM MEDEXP WHERE ExpID = %1").arg(expId);
    erase.ExecSQL();
    const QStringList before = Snapshot();
    const qint64 businesses = CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR"));
    edited.doctor = QStringLiteral("Dr. Nobody");
    EXPECT_THROW(FinishExpense(edited), EDatabaseError);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR")), businesses);
}

// Two members named Anne: each keeps her own expenses through load and save.
TEST_F(ExpenseDataTest, MembersAndAccountsAreKeptByTheirKeys)
{
    TExpenseDraft draft = Draft(otherAnne_, 40.00, 0);
    // Two accounts share a name; only the keys tell them apart.
    SetInsurancePayment(draft, dental_, C(12.00));
    const qint32 expId = FinishExpense(draft).expId;
    const qint32 annesExpId = FinishExpense(Draft(anne_, 5.00, 0)).expId;

    TExpenseDraft loaded = LoadExpense(expId).value();
    EXPECT_EQ(loaded.memberId, otherAnne_);
    EXPECT_EQ(loaded.insurance, (std::vector<TInsuranceEntry>{{dental_, 1200, 0}}));
    FinishExpense(loaded);
    EXPECT_EQ(Column(QStringLiteral("SELECT MemberID FROM MEDEXP ORDER BY ExpID")),
              (QStringList{QString::number(otherAnne_), QString::number(anne_)}));
    EXPECT_EQ(LoadExpense(annesExpId).value().memberId, anne_);
}

// The own-share row and the split rows of accounts that are gone are not
// entries to edit; a gone account's row is written back as it was.
TEST_F(ExpenseDataTest, LoadSkipsOwnShareAndRowsOfMissingAccounts)
{
    TExpenseDraft draft = Draft(anne_, 40.00, 0);
    SetInsurancePayment(draft, medical_, C(12.00));
    const qint32 expId = FinishExpense(draft).expId;
    TQuery stray(DataFolder);
    stray.SQL() << QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount) VALUES (%1, 999, 5)").arg(expId);
    stray.ExecSQL();
    const TExpenseDraft loaded = LoadExpense(expId).value();
    EXPECT_EQ(loaded.insurance, (std::vector<TInsuranceEntry>{{medical_, 1200, 0}}));
    EXPECT_TRUE(loaded.fsa.empty());
    FinishExpense(loaded);
    // Without a deductible the row is an FSA's, and 999 has no election.
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("52.0:40.0:12.0")});
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:40.0:-"), QStringLiteral("%1:12.0:0.0").arg(medical_),
                                          QStringLiteral("999:5.0:-")}));
}

// An "Others" plan is an insurance account like the four named kinds: its
// payment is read back, so saving the edit keeps it.
TEST_F(ExpenseDataTest, AnOthersPlanPaymentSurvivesAnEdit)
{
    const qint32 others = AddAccount(6, QStringLiteral("Union \"Aid\""));
    Cover(others, anne_);
    TExpenseDraft draft = Draft(anne_, 100.00, 0);
    SetInsurancePayment(draft, others, C(19.99));
    SetInsuranceDeductible(draft, others, C(0.29));
    const qint32 expId = FinishExpense(draft).expId;

    TExpenseDraft edited = LoadExpense(expId).value();
    EXPECT_EQ(edited.insurance, (std::vector<TInsuranceEntry>{{others, 1999, 29}}));
    edited.mailPaid = C(0.01);
    ASSERT_FALSE(FinishExpense(edited).refusal);
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:100.01:-"), QStringLiteral("%1:19.99:0.29").arg(others)}));
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("120.0:100.01:19.99")});
}

TEST_F(ExpenseDataTest, OnlyFsasWithAnElectionForTheYearCount)
{
    const qint32 lateFsa = AddAccount(5, QStringLiteral("Late FSA"));
    AddElection(lateFsa, 2025);
    EXPECT_EQ(ElectedFsaAccounts(2024), std::set<qint32>{fsa_});
    TExpenseDraft draft = Draft(anne_, 50.00, 0);
    SetFsaReimbursement(draft, lateFsa, C(20.00));
    SetFsaReimbursement(draft, fsa_, C(10.00));
    // A reimbursement for a year the FSA has no election for is refused.
    const TFinishResult refused = FinishExpense(draft);
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(refused.refusal->accountId, lateFsa);
    EXPECT_EQ(Snapshot(), QStringList());
    SetFsaReimbursement(draft, lateFsa, 0);
    const TFinishResult result = FinishExpense(draft);
    EXPECT_EQ(Sums(result.expId), QStringList{QStringLiteral("50.0:40.0:10.0")});
    EXPECT_EQ(Splits(result.expId).size(), 3);
}

}  // namespace

namespace {

TEST_F(ExpenseDataTest, InsuranceFactsByMemberKey)
{
    TQuery setUp(DataFolder);
    setUp.SQL() << QStringLiteral("DELETE FROM MEDCOVER WHERE AccountID = %1 AND MemberID = %2").arg(medical_).arg(anne_);
    setUp.ExecSQL();
    TQuery dates(DataFolder);
    dates.SQL() << QStringLiteral("UPDATE MEDINS SET EffDate = :Eff, IndDeduct = 0.29 WHERE AccountID = %1").arg(dental_);
    dates.ParamByName(QStringLiteral("Eff")).SetAsDate(EncodeDate(2024, 2, 29));
    dates.ExecSQL();
    const TInsuranceFacts covered = ReadInsuranceFacts(medical_, otherAnne_).value();
    EXPECT_TRUE(covered.coversMember);
    EXPECT_FALSE(covered.hasDeductible);
    EXPECT_FALSE(ReadInsuranceFacts(medical_, anne_).value().coversMember);
    const TInsuranceFacts dental = ReadInsuranceFacts(dental_, anne_).value();
    EXPECT_TRUE(dental.hasDeductible);
    EXPECT_EQ(dental.effectiveDate, EncodeDate(2024, 2, 29));
    EXPECT_FALSE(ReadInsuranceFacts(999, anne_));
}

}  // namespace

namespace {

// The boxes carry keys: two members named Anne and two plans of one name
// stay apart.
TEST_F(ExpenseDataTest, BoxItemsCarryKeysAndKinds)
{
    const qint32 vision = AddAccount(3, QStringLiteral("See \"Well\""));
    const qint32 drug = AddAccount(4, QStringLiteral("Rx"));
    const qint32 other = AddAccount(6, QStringLiteral("Misc"));
    AddAccount(0, QStringLiteral("Not an account"));
    AddAccount(7, QStringLiteral("Unknown kind"));
    EXPECT_EQ(ReadExpenseMembers(), (std::vector<TKeyedItem>{{anne_, QStringLiteral("Anne")},
                                                             {otherAnne_, QStringLiteral("Anne")}}));
    EXPECT_EQ(ReadInsuranceAccounts(),
              (std::vector<TKeyedItem>{{medical_, QStringLiteral("Blue Plan(Medical)")},
                                       {dental_, QStringLiteral("Blue Plan(Dental)")},
                                       {vision, QStringLiteral("See \"Well\"(Vision)")},
                                       {drug, QStringLiteral("Rx(Drug)")},
                                       {other, QStringLiteral("Misc(Others)")}}));
    EXPECT_EQ(ReadFsaAccounts(), (std::vector<TKeyedItem>{{fsa_, QStringLiteral("Acme FSA")}}));
    EXPECT_TRUE(ExpenseTableEmpty());
    FinishExpense(Draft(anne_, 1.00, 0));
    EXPECT_FALSE(ExpenseTableEmpty());
}

}  // namespace
