// The check-up record dialogs' and the item dialog's work without windows:
// the checks in their order, the records with their doctors and expenses,
// and adding or changing an item.
#include "chkenv.h"
#include "expenseenv.h"

#include "health/chkitem.h"
#include "health/chkrecord.h"
#include "health/chkschedule.h"
#include "health/expenseitem.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/genericprops.h"

namespace {

class CheckupRecords : public CheckupEnv {
protected:
    void SetUp() override
    {
        ann_ = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
        LoadChkSchedule(ann_, 1, TChkOrder::Name);
        flu_ = ItemOf(ann_, QStringLiteral("Flu"));
    }
    TChkRecordForm NewRecord(TDateTime date, TDateTime lastPerformed = NeverDoneDate()) const
    {
        auto form = LoadChkRecord(ann_, flu_, 0, lastPerformed);
        EXPECT_TRUE(form);
        form->row.date = date;
        return *form;
    }
    static QString Message(const TChkRecordForm& form, TChkRecordKind kind = TChkRecordKind::Performed,
                           bool blank = false)
    {
        return CheckChkRecord(form, kind, blank, Today()).message;
    }

    qint32 ann_ = 0;
    qint32 flu_ = 0;
};

// ---- Checks ----

TEST_F(CheckupRecords, TheChecksOfARecordInTheirOrder)
{
    TChkRecordForm form = NewRecord(0.0);
    EXPECT_EQ(form.item, QStringLiteral("Flu Shot"));
    EXPECT_TRUE(form.about.join(QLatin1Char(' ')).contains(QStringLiteral("flu vaccine")));
    EXPECT_EQ(CheckChkRecord(form, TChkRecordKind::Performed, true, Today()).check, TChkRecordCheck::NoDate);
    EXPECT_EQ(Message(form, TChkRecordKind::Performed, true), QStringLiteral("Please enter the date when the checkup was done."));
    EXPECT_EQ(CheckChkRecord(form, TChkRecordKind::Performed, false, Today()).check, TChkRecordCheck::BadDate);

    form.row.date = Today();
    EXPECT_EQ(CheckChkRecord(form, TChkRecordKind::Performed, false, Today()).check, TChkRecordCheck::Passed)
        << "today is accepted";
    form.row.date = Today() + 1;
    EXPECT_EQ(Message(form), QStringLiteral("Please enter the date when the checkup was done. It cannot be a future "
                                            "date."));

    // Without the kept birth date any past date passes; with it, none before.
    form.row.date = EncodeDate(1960, 2, 29);
    EXPECT_EQ(Message(form), QString());
    WriteGenericStr(303, ann_, QStringLiteral("3/31/1985"));
    EXPECT_EQ(Message(form), QStringLiteral("A date before birth date? Not possible!"));
    form.row.date = EncodeDate(1985, 3, 31);
    EXPECT_EQ(Message(form), QString()) << "the birth day itself";

    // A new record before the last one asks; a stored one does not.
    form = NewRecord(EncodeDate(2024, 10, 30), EncodeDate(2024, 10, 31));
    const TChkRecordVerdict before = CheckChkRecord(form, TChkRecordKind::Performed, false, Today());
    EXPECT_EQ(before.check, TChkRecordCheck::BeforeLast);
    EXPECT_EQ(before.message, QStringLiteral("According to our record, your last checkup was on 10/31/2024 and the "
                                             "date you just entered is before that. Do you really want to record it "
                                             "anyway?"));
    form.row.date = EncodeDate(2024, 10, 31);
    EXPECT_EQ(Message(form), QString()) << "the same day";
    form.row.date = EncodeDate(2024, 10, 30);
    form.row.checkupId = 7;
    EXPECT_EQ(Message(form), QString());

    // The log's record needs its item first.
    auto log = LoadChkRecord(ann_, 0, 0, NeverDoneDate());
    ASSERT_TRUE(log);
    EXPECT_EQ(Message(*log, TChkRecordKind::Log, true), QStringLiteral("Please enter the checkup item."));
    log->item = QStringLiteral("Flu Shot");
    EXPECT_EQ(CheckChkRecord(*log, TChkRecordKind::Log, true, Today()).check, TChkRecordCheck::NoDate);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = 0")), 0);
}

TEST_F(CheckupRecords, AStoredRecordIsLoadedAndAGoneItemGivesNothing)
{
    const qint32 expId = AddExpenseWithSplits(ann_);
    const qint32 visit = AddRecord(ann_, flu_, EncodeDate(2024, 10, 31), QStringLiteral("Dr. O'Hara"), expId);
    const auto form = LoadChkRecord(ann_, 0, visit, NeverDoneDate());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->row.templId, flu_);
    EXPECT_EQ(form->item, QStringLiteral("Flu Shot"));
    EXPECT_EQ(form->row.doctor, QStringLiteral("Dr. O'Hara"));
    EXPECT_EQ(form->row.expId, expId);
    EXPECT_EQ(form->expIdAtOpening, expId);
    const auto missing = LoadChkRecord(ann_, flu_, 424242, NeverDoneDate());
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->row.checkupId, 0);
    EXPECT_FALSE(LoadChkRecord(ann_, 424242, 0, NeverDoneDate()));
    const auto names = ReadChkItemNames(ann_);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front().second, QStringLiteral("Blood Pressure"));
}

// ---- Saving with doctor and expense ----

TEST_F(CheckupRecords, APerformedRecordIsWrittenWithANewDoctorAndItsExpenseLinked)
{
    TChkRecordForm form = NewRecord(EncodeDate(2025, 2, 28), EncodeDate(2024, 2, 29));
    form.row.doctor = QStringLiteral("Dr. Lee's \"Clinic\"");
    form.row.note = {QStringLiteral("left arm")};
    const qint32 expId = AddExpenseWithSplits(ann_);
    form.row.expId = expId;
    SaveChkRecord(form, TChkRecordKind::Performed);
    ASSERT_NE(form.row.checkupId, 0);
    EXPECT_EQ(form.lastPerformed, EncodeDate(2025, 2, 28));
    const auto stored = ReadCheckRecord(form.row.checkupId);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->doctor, QStringLiteral("Dr. Lee's \"Clinic\""));
    EXPECT_NE(stored->doctorId, 0);
    EXPECT_EQ(stored->doctorId,
              Count(QStringLiteral("SELECT BizId FROM BIZADDR WHERE BusinessName = 'Dr. Lee''s \"Clinic\"'")));
    EXPECT_EQ(stored->expId, expId);
    EXPECT_EQ(stored->note, QStringList{QStringLiteral("left arm")});
    TQuery expense(DataFolder);
    expense.SQL() << QStringLiteral("SELECT ExpType, ServiceDate, Description, CheckupID, DocAddrID FROM MEDEXP");
    expense.Open();
    EXPECT_EQ(expense.Fields(0).AsInteger(), 1);
    EXPECT_EQ(expense.Fields(1).AsDateTime(), EncodeDate(2025, 2, 28));
    EXPECT_EQ(expense.Fields(2).AsString(), QStringLiteral("Flu Shot"));
    EXPECT_EQ(expense.Fields(3).AsInteger(), form.row.checkupId);
    EXPECT_EQ(expense.Fields(4).AsInteger(), stored->doctorId);
}

TEST_F(CheckupRecords, TheLogsRecordKeepsTheStoredDoctorKey)
{
    const qint32 visit = AddRecord(ann_, flu_, EncodeDate(2024, 10, 31), QStringLiteral("Dr. O'Hara"));
    TQuery key(DataFolder);
    key.SQL() << QStringLiteral("UPDATE MEDCHEK SET DoctorID = 77 WHERE CheckupID = %1").arg(visit);
    key.ExecSQL();
    auto form = LoadChkRecord(ann_, 0, visit, NeverDoneDate());
    ASSERT_TRUE(form);
    form->row.doctor = QStringLiteral("Dr. Smith");
    form->row.date = EncodeDate(2024, 11, 30);
    SaveChkRecord(*form, TChkRecordKind::Log);
    const auto stored = ReadCheckRecord(visit);
    EXPECT_EQ(stored->doctor, QStringLiteral("Dr. Smith"));
    EXPECT_EQ(stored->doctorId, 77);
    EXPECT_EQ(stored->date, EncodeDate(2024, 11, 30));
}

TEST_F(CheckupRecords, OnlyAnExpenseWrittenDuringThisOpeningGoesOnCancel)
{
    // A new record whose new expense is cancelled: the expense and its splits go.
    TChkRecordForm fresh = NewRecord(EncodeDate(2025, 2, 28));
    fresh.row.expId = AddExpenseWithSplits(ann_);
    DropChkRecordExpense(fresh);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 0);

    // An old record opened and cancelled keeps its expense.
    const qint32 oldExpense = AddExpenseWithSplits(ann_);
    const qint32 visit = AddRecord(ann_, flu_, EncodeDate(2024, 10, 31), {}, oldExpense);
    auto old = LoadChkRecord(ann_, flu_, visit, NeverDoneDate());
    ASSERT_TRUE(old);
    DropChkRecordExpense(*old);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
    // ...and when OK is pressed.
    SaveChkRecord(*old, TChkRecordKind::Performed);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 2);
    EXPECT_EQ(ReadCheckRecord(visit)->expId, oldExpense);

    // OK keeps the expense written during this opening.
    TChkRecordForm kept = NewRecord(EncodeDate(2025, 3, 1));
    kept.row.expId = AddExpenseWithSplits(ann_);
    SaveChkRecord(kept, TChkRecordKind::Performed);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 4);
    EXPECT_EQ(ReadCheckRecord(kept.row.checkupId)->expId, kept.row.expId);
}

// A record moved to another date takes its expense along only while every
// payment of the expense still fits the rules there: nothing is written
// otherwise, so opening the expense and finishing it unchanged keeps its
// amounts, as it does after a move that fits.
TEST_F(CheckupRecords, AMovedRecordTakesItsExpenseAlongOnlyWhereItsPaymentsFit)
{
    const qint32 fsa = ExpenseEnv::AddAccount(5, QStringLiteral("Acme \"Flex\""));
    ExpenseEnv::AddElection(fsa, 2025);
    const qint32 plan = ExpenseEnv::AddAccount(1, QStringLiteral("Blue Plan"));
    ExpenseEnv::Cover(plan, ann_);
    const auto planStarts = [plan](TDateTime date) {
        TQuery update(DataFolder);
        update.SQL() << QStringLiteral("UPDATE MEDINS SET EffDate = :Eff WHERE AccountID = %1").arg(plan);
        update.ParamByName(QStringLiteral("Eff")).SetAsDate(date);
        update.ExecSQL();
    };
    planStarts(EncodeDate(2025, 1, 1));
    TExpenseDraft draft;
    draft.memberId = ann_;
    draft.serviceDate = EncodeDate(2025, 2, 10);
    draft.description = QStringLiteral("Flu Shot");
    draft.officePaid = 10000;
    SetInsurancePayment(draft, plan, 6000);
    SetFsaReimbursement(draft, fsa, 3000);
    const qint32 expId = FinishExpense(draft).expId;
    const qint32 visit = AddRecord(ann_, flu_, EncodeDate(2025, 2, 10), {}, expId);
    const QStringList stored = ExpenseEnv::Snapshot();
    const auto finishUnchanged = [&] {
        TExpenseItemForm opened({.memberFixed = true, .expId = expId, .memberId = ann_});
        return opened.Finish().refusal;
    };

    auto form = LoadChkRecord(ann_, 0, visit, NeverDoneDate());
    ASSERT_TRUE(form);
    form->row.date = EncodeDate(2024, 12, 20);
    EXPECT_EQ(SaveChkRecord(*form, TChkRecordKind::Log),
              QStringLiteral("The tax-year is different. This FSA can not apply to this expense\n"
                             "Reimbursement of Acme \"Flex\": $30.00"));
    EXPECT_EQ(ReadCheckRecord(visit)->date, EncodeDate(2025, 2, 10));
    EXPECT_EQ(ExpenseEnv::Snapshot(), stored);
    EXPECT_FALSE(finishUnchanged());
    EXPECT_EQ(ExpenseEnv::Snapshot(), stored);

    ExpenseEnv::AddElection(fsa, 2024);
    EXPECT_EQ(SaveChkRecord(*form, TChkRecordKind::Performed),
              QStringLiteral("The effective date of the insurance is later then the date of the expense.\n"
                             "Payment of Blue Plan(Medical): $60.00"));
    EXPECT_EQ(ExpenseEnv::Snapshot(), stored);

    planStarts(EncodeDate(2024, 12, 20));
    EXPECT_EQ(SaveChkRecord(*form, TChkRecordKind::Performed), std::nullopt);
    EXPECT_EQ(ReadCheckRecord(visit)->date, EncodeDate(2024, 12, 20));
    const QStringList moved = ExpenseEnv::Snapshot();
    EXPECT_EQ(ExpenseEnv::Column(QStringLiteral("SELECT ServiceDate || '|' || TotalExpense || '|' || OutofPocket || "
                                                "'|' || InsFSAPaid FROM MEDEXP")),
              QStringList{QStringLiteral("2024-12-20|160.0|70.0|90.0")});
    EXPECT_FALSE(finishUnchanged());
    EXPECT_EQ(ExpenseEnv::Snapshot(), moved);
}

// What a deleted FSA reimbursed counts only in a year of its election: the
// expense a record moves out of that year takes the sums Finish would give
// it there, so finishing it unchanged afterwards changes nothing.
TEST_F(CheckupRecords, AMovedRecordRestatesWhatADeletedFsaStillReimburses)
{
    const qint32 fsa = ExpenseEnv::AddAccount(5, QStringLiteral("Acme FSA"));
    ExpenseEnv::AddElection(fsa, 2025);
    const qint32 expId = ExpenseEnv::AddReimbursedExpense(ann_, EncodeDate(2025, 1, 1), fsa, 2999);
    const qint32 visit = AddRecord(ann_, flu_, EncodeDate(2025, 1, 1), {}, expId);
    TQuery remove(DataFolder);
    remove.SQL() << QStringLiteral("DELETE FROM MEDINS WHERE AccountID = %1").arg(fsa);
    remove.ExecSQL();
    const QString sums = QStringLiteral("SELECT TotalExpense || '|' || OutofPocket || '|' || InsFSAPaid FROM MEDEXP");

    auto form = LoadChkRecord(ann_, 0, visit, NeverDoneDate());
    ASSERT_TRUE(form);
    form->row.date = EncodeDate(2024, 12, 31);
    EXPECT_EQ(SaveChkRecord(*form, TChkRecordKind::Log), std::nullopt);
    EXPECT_EQ(ExpenseEnv::Column(sums), QStringList{QStringLiteral("100.0|100.0|0.0")});
    const QStringList moved = ExpenseEnv::Snapshot();
    TExpenseItemForm opened({.memberFixed = true, .expId = expId, .memberId = ann_});
    EXPECT_FALSE(opened.Finish().refusal);
    EXPECT_EQ(ExpenseEnv::Snapshot(), moved);

    form->row.date = EncodeDate(2025, 1, 1);
    EXPECT_EQ(SaveChkRecord(*form, TChkRecordKind::Log), std::nullopt);
    EXPECT_EQ(ExpenseEnv::Column(sums), QStringList{QStringLiteral("100.0|70.01|29.99")});
}

// ---- The item dialog ----

TEST_F(CheckupRecords, AnItemsIntervalIsKeptInMonthsAndShownInYearsWhenItCan)
{
    TChkItemForm every2Years{0, QStringLiteral("Skin \"Check\""), 2, TIntervalUnit::Years, 30, {QStringLiteral("moles")}};
    const qint32 skin = AddChkItem(ann_, 1, every2Years);
    EXPECT_EQ(Count(QStringLiteral("SELECT Interval FROM MEDTEMPL WHERE TemplID = %1").arg(skin)), 24);
    EXPECT_EQ(Count(QStringLiteral("SELECT DefaultInterval FROM MEDTEMPL WHERE TemplID = %1").arg(skin)), 24);
    EXPECT_EQ(Count(QStringLiteral("SELECT AgeHigh FROM MEDTEMPL WHERE TemplID = %1").arg(skin)), 150);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1 AND DateDone = '1800-01-01'")
                        .arg(skin)),
              1)
        << "the never-done mark";
    const TChkItemForm read = ReadChkItem(skin);
    EXPECT_EQ(read.name, QStringLiteral("Skin \"Check\""));
    EXPECT_EQ(read.interval, 2);
    EXPECT_EQ(read.unit, TIntervalUnit::Years);
    EXPECT_EQ(read.startAge, 30);
    EXPECT_EQ(read.detail, QStringList{QStringLiteral("moles")});

    TChkItemForm every18Months = read;
    every18Months.interval = 18;
    every18Months.unit = TIntervalUnit::Months;
    UpdateChkItem(ann_, 1, every18Months, true);
    EXPECT_EQ(ReadChkItem(skin).interval, 18);
    EXPECT_EQ(ReadChkItem(skin).unit, TIntervalUnit::Months);
    EXPECT_EQ(IntervalMonths(every2Years), 24);
}

TEST_F(CheckupRecords, EditingAnItemDropsItsReminderAndKeepsTheNameUnlessRenamed)
{
    AddRecord(ann_, flu_, EncodeDate(2024, 10, 31));
    auto items = *LoadChkSchedule(ann_, 1, TChkOrder::Name);
    WriteChkReminders(items, ReadScheduleMember(ann_), 40, false, Today());
    ASSERT_NE(ToDoOf(flu_), 0);

    TChkItemForm form = ReadChkItem(flu_);
    form.name = QStringLiteral("Influenza");
    form.startAge = 50;
    UpdateChkItem(ann_, 1, form, false);
    EXPECT_EQ(ReadChkItem(flu_).name, QStringLiteral("Flu Shot"));
    EXPECT_EQ(ReadChkItem(flu_).startAge, 50);
    EXPECT_EQ(ToDoOf(flu_), 0);
    EXPECT_TRUE(Reminders().empty());
    UpdateChkItem(ann_, 1, form, true);
    EXPECT_EQ(ReadChkItem(flu_).name, QStringLiteral("Influenza"));
    EXPECT_EQ(RenameChkItemQuestion(QStringLiteral("Flu Shot"), QStringLiteral("Influenza")),
              QStringLiteral("Change \"Flu Shot\" to \"Influenza\" ?"));

    // An item with no record left gets its never-done mark back.
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDCHEK WHERE TemplID = %1").arg(flu_);
    wipe.ExecSQL();
    UpdateChkItem(ann_, 1, form, true);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(flu_)), 1);
}

TEST_F(CheckupRecords, TheItemChecksInTheirOrder)
{
    TChkItemForm form;
    EXPECT_EQ(CheckChkItem(form)->message, QStringLiteral("Please enter the name of the new checkup item."));
    form.name = QStringLiteral("Hearing");
    form.interval = 0;
    EXPECT_EQ(CheckChkItem(form)->field, TChkItemField::Interval);
    EXPECT_EQ(CheckChkItem(form)->message, QStringLiteral("Please enter value between 1 and 99."));
    form.interval = 100;
    EXPECT_EQ(CheckChkItem(form)->message, QStringLiteral("Please enter value between 1 and 99."));
    form.interval = 99;
    EXPECT_EQ(CheckChkItem(form)->message, QStringLiteral("Please enter how often you want this checkup to be done."));
    form.unit = TIntervalUnit::Months;
    EXPECT_FALSE(CheckChkItem(form));
}

}  // namespace
