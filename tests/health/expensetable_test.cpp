// The expense table's rows: the year and member filters, the sums in whole
// cents, the order by a clicked column, and the deletion of an expense.
#include "expensetableenv.h"

#include "health/expensedelete.h"
#include "health/expensetable.h"

#include "platform/dataset.h"

namespace {

using TC = TExpenseColumn;

class ExpenseTable : public ExpenseTableEnv {
protected:
    static QStringList Dates(const TExpenseTable& table)
    {
        QStringList dates;
        for (size_t n = 0; n < table.Rows().size(); ++n)
            dates << table.RowTexts(n)[0];
        return dates;
    }
    static QStringList Descriptions(const TExpenseTable& table)
    {
        QStringList texts;
        for (const TExpenseRow& row : table.Rows())
            texts << row.description;
        return texts;
    }
};

TEST_F(ExpenseTable, AYearRunsFromItsFirstDayToItsLastIncludingALeapDay)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(2024, 1, 1), 10, 10);
    AddExpense(ann, EncodeDate(2023, 12, 31), 20, 20);
    AddExpense(ann, EncodeDate(2024, 12, 31), 30, 30);
    AddExpense(ann, EncodeDate(2025, 1, 1), 40, 40);
    AddExpense(ann, EncodeDate(2024, 2, 29), 50, 50);
    AddExpense(ann, EncodeDate(1997, 3, 1), 60, 60);

    TExpenseTable table;
    EXPECT_EQ(table.Year(), 1997);   // whatever today is
    table.Refill();
    EXPECT_EQ(Dates(table), QStringList{"3/1/1997"});
    table.SetYear(2024);
    table.Refill();
    EXPECT_EQ(Dates(table), (QStringList{"1/1/2024", "12/31/2024", "2/29/2024"}));   // in the order entered
    EXPECT_EQ(table.TotalText(), QStringLiteral("$90.00"));
    table.SetYear(2023);
    table.Refill();
    EXPECT_EQ(Dates(table), QStringList{"12/31/2023"});
    table.SetYear(2025);
    table.Refill();
    EXPECT_EQ(Dates(table), QStringList{"1/1/2025"});
    table.SetYear(2026);
    table.Refill();
    EXPECT_TRUE(table.Rows().empty());
    EXPECT_EQ(table.TotalText(), QStringLiteral("$0.00"));
    EXPECT_EQ(table.OutOfPocketText(), QStringLiteral("$0.00"));
}

TEST_F(ExpenseTable, TwoMembersNamedAnnAreToldApartByTheirIds)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const qint32 ben = AddMember(QStringLiteral("Ben"));
    const qint32 otherAnn = AddMember(QStringLiteral("Ann"));
    const TDateTime day = EncodeDate(2024, 2, 29);
    AddExpense(otherAnn, day, 0.29, 0.29, QStringLiteral("second Ann"));
    AddExpense(ann, day, 19.99, 19.99, QStringLiteral("first Ann"));
    AddExpense(ben, day, 5, 5, QStringLiteral("Ben"));
    AddExpense(ann + 100, day, 1, 1, QStringLiteral("member gone"));

    const std::vector<TKeyedItem> members = ReadExpenseMembers();
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].key, ann);
    EXPECT_EQ(members[2].key, otherAnn);
    EXPECT_EQ(members[2].text, QStringLiteral("Ann"));

    TExpenseTable table;
    table.SetYear(2024);
    table.SetMemberId(otherAnn);
    table.Refill();
    EXPECT_EQ(Descriptions(table), QStringList{"second Ann"});
    EXPECT_EQ(table.RowTexts(0)[1], QStringLiteral("Ann"));
    EXPECT_EQ(table.TotalText(), QStringLiteral("$0.29"));
    table.SetMemberId(ann);
    table.Refill();
    EXPECT_EQ(Descriptions(table), QStringList{"first Ann"});
    table.SetMemberId(std::nullopt);
    table.Refill();
    EXPECT_EQ(Descriptions(table), (QStringList{"second Ann", "first Ann", "Ben", "member gone"}));
    EXPECT_EQ(table.RowTexts(3)[1], QString());
    EXPECT_EQ(table.TotalCents(), 2628);
}

TEST_F(ExpenseTable, RowsShowTheirAmountsAndTheShareInWholeCents)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(2024, 2, 29), 0.70 + 0.10, 0.10, QStringLiteral("Flu \"shot\" <b>"),
               QStringLiteral("Dr. O'Hara"));
    AddExpense(ann, EncodeDate(2024, 3, 1), 1234567.89, 19.99);
    AddExpense(ann, EncodeDate(2024, 3, 2), 0.29, 0.29);

    TExpenseTable table;
    table.SetYear(2024);
    table.Refill();
    EXPECT_EQ(table.RowTexts(0), (TExpenseRowTexts{"2/29/2024", "Ann", "$0.80", "$0.70", "$0.10",
                                                   "Flu \"shot\" <b>", "Dr. O'Hara"}));
    EXPECT_EQ(table.Rows()[0].totalCents, 80);
    EXPECT_EQ(table.Rows()[0].insFsaCents, 70);
    EXPECT_EQ(table.RowTexts(1)[2], QStringLiteral("$1,234,567.89"));
    EXPECT_EQ(table.RowTexts(1)[3], QStringLiteral("$1,234,547.90"));
    EXPECT_EQ(table.TotalCents(), 123456898);
    EXPECT_EQ(table.OutOfPocketCents(), 2038);
    EXPECT_EQ(table.TotalText(), QStringLiteral("$1,234,568.98"));
    EXPECT_EQ(table.OutOfPocketText(), QStringLiteral("$20.38"));
}

TEST_F(ExpenseTable, AnAmountTooBigToShowShowsAsMinusOneAndSoDoesItsSum)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(2024, 5, 1), 1e300, 0.29);
    AddExpense(ann, EncodeDate(2024, 5, 2), 19.99, 19.99);
    TExpenseTable table;
    table.SetYear(2024);
    table.Refill();
    EXPECT_EQ(table.RowTexts(0)[2], QStringLiteral("-$1.00"));
    EXPECT_EQ(table.RowTexts(0)[3], QStringLiteral("-$1.00"));
    EXPECT_EQ(table.RowTexts(0)[4], QStringLiteral("$0.29"));
    EXPECT_EQ(table.TotalCents(), std::nullopt);
    EXPECT_EQ(table.TotalText(), QStringLiteral("-$1.00"));
    EXPECT_EQ(table.OutOfPocketText(), QStringLiteral("$20.28"));
    // Such an amount sorts above every other.
    table.ColumnClicked(TC::Total);
    EXPECT_EQ(table.Rows()[0].outOfPocketCents, 29);
    table.ColumnClicked(TC::Total);
    EXPECT_EQ(table.Rows()[0].outOfPocketCents, 1999);
}

TEST_F(ExpenseTable, OneClickCounterForAllColumnsTheFirstClickDescending)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(2024, 2, 29), 19.99, 0.29, QStringLiteral("b"), QStringLiteral("Zed"));
    AddExpense(ann, EncodeDate(2024, 12, 31), 0.29, 0.29, QStringLiteral("A"), QStringLiteral("amy"));
    AddExpense(ann, EncodeDate(2024, 1, 1), 100, 19.99, QStringLiteral("c"), QStringLiteral("Bob"));

    TExpenseTable table;
    table.SetYear(2024);
    table.Refill();
    table.ColumnClicked(TC::Total);
    EXPECT_EQ(Descriptions(table), (QStringList{"c", "b", "A"}));
    table.ColumnClicked(TC::Total);
    EXPECT_EQ(Descriptions(table), (QStringList{"A", "b", "c"}));
    table.ColumnClicked(TC::Date);   // the third click: descending
    EXPECT_EQ(Descriptions(table), (QStringList{"A", "b", "c"}));
    EXPECT_EQ(Dates(table), (QStringList{"12/31/2024", "2/29/2024", "1/1/2024"}));
    table.ColumnClicked(TC::Patient);   // not counted, nothing moves
    EXPECT_EQ(table.SortClicks(), 3);
    EXPECT_EQ(Descriptions(table), (QStringList{"A", "b", "c"}));
    table.ColumnClicked(TC::Description);   // ascending, letters of either case together
    EXPECT_EQ(Descriptions(table), (QStringList{"A", "b", "c"}));
    table.ColumnClicked(TC::Provider);
    EXPECT_EQ(Descriptions(table), (QStringList{"b", "c", "A"}));   // Zed, Bob, amy
    table.ColumnClicked(TC::InsuranceFsa);   // 19.70, 0.00, 80.01 ascending
    EXPECT_EQ(Descriptions(table), (QStringList{"A", "b", "c"}));
    table.ColumnClicked(TC::OutOfPocket);   // descending; the two 0.29 keep their order
    EXPECT_EQ(Descriptions(table), (QStringList{"c", "b", "A"}));

    // A refill shows the order entered; the count goes on.
    table.Refill();
    EXPECT_EQ(Descriptions(table), (QStringList{"b", "A", "c"}));
    table.ColumnClicked(TC::Date);
    EXPECT_EQ(table.SortClicks(), 8);
    EXPECT_EQ(Dates(table), (QStringList{"1/1/2024", "2/29/2024", "12/31/2024"}));
}

TEST_F(ExpenseTable, EqualAmountsInCentsKeepTheOrderEnteredWhicheverWayTheyAreSorted)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const TDateTime day = EncodeDate(2024, 2, 29);
    // 0.70 + 0.10 is just below 0.80 in binary floating point.
    AddExpense(ann, day, 0.70 + 0.10, 0.70 + 0.10, QStringLiteral("sum"));
    AddExpense(ann, day, 0.80, 0.80, QStringLiteral("typed"));
    AddExpense(ann, day, 0.29, 0.29, QStringLiteral("small"));
    TExpenseTable table;
    table.SetYear(2024);
    table.Refill();
    for (TC column : {TC::Total, TC::OutOfPocket}) {
        table.ColumnClicked(column);
        EXPECT_EQ(Descriptions(table), (QStringList{"sum", "typed", "small"}));
        table.ColumnClicked(column);
        EXPECT_EQ(Descriptions(table), (QStringList{"small", "sum", "typed"}));
    }
    table.ColumnClicked(TC::Date);   // all on one day: the order entered
    EXPECT_EQ(Descriptions(table), (QStringList{"sum", "typed", "small"}));
}

TEST_F(ExpenseTable, AFailingReadRaisesAndKeepsTheRowsShown)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(1997, 7, 4), 19.99, 19.99);
    TExpenseTable table;
    table.Refill();
    Execute(QStringLiteral("DROP TABLE MEDEXP"));
    EXPECT_THROW(table.Refill(), EDatabaseError);
    ASSERT_EQ(table.Rows().size(), 1u);
    EXPECT_EQ(table.TotalCents(), 1999);
}

TEST_F(ExpenseTable, DeletingAShownRowDeletesItsOwnExpenseAndShowsTheOrderEntered)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddExpense(ann, EncodeDate(2024, 2, 29), 19.99, 0.29, QStringLiteral("b"));
    const qint32 big = AddExpense(ann, EncodeDate(2024, 12, 31), 100, 19.99, QStringLiteral("c"));
    AddExpense(ann, EncodeDate(2024, 1, 1), 0.29, 0.29, QStringLiteral("a"));
    AddSplit(big, 1, 19.99);
    TExpenseTable table;
    table.SetYear(2024);
    table.Refill();
    table.ColumnClicked(TC::Total);   // c, b, a
    table.DeleteRow(0);
    EXPECT_EQ(Descriptions(table), (QStringList{"b", "a"}));
    EXPECT_EQ(table.TotalText(), QStringLiteral("$20.28"));
    EXPECT_TRUE(Dump(QStringLiteral("MEDEXPSP"), QStringLiteral("ExpID")).isEmpty());
    EXPECT_THROW(table.DeleteRow(2), std::out_of_range);
}

TEST(ExpenseDeletePrompt, NamesTheRowsDate)
{
    EXPECT_EQ(ExpenseDeletePrompt(QStringLiteral("2/29/2024")),
              QStringLiteral("Would you like to remove records related to the date \"2/29/2024\" ?"));
}

// ---- Deleting an expense ----------------------------------------------------

class ExpenseDelete : public ExpenseTableEnv {
protected:
    void SetUp() override
    {
        ExpenseTableEnv::SetUp();
        ann = AddMember(QStringLiteral("Ann"));
        doomed = AddExpense(ann, EncodeDate(2024, 2, 29), 19.99, 0.29);
        kept = AddExpense(ann, EncodeDate(2024, 2, 29), 0.70 + 0.10, 0.10);
        AddSplit(doomed, 1, 0.29);
        AddSplit(doomed, 5, 19.70);
        AddSplit(kept, 1, 0.10);
        AddSplit(kept, 6, 0.70);
        linked = AddCheckup(ann, doomed);
        otherLinked = AddCheckup(ann, kept);
        unlinked = AddCheckup(ann, 0);
    }
    QStringList All() const
    {
        return Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID"))
               + Dump(QStringLiteral("MEDEXPSP"), QStringLiteral("ExpID, AccountID"))
               + Dump(QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"));
    }
    qint32 LinkOf(qint32 checkupId) const
    {
        TQuery query(folder_.Path());
        query.SQL() << QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(checkupId);
        query.Open();
        return query.FieldByName(QStringLiteral("ExpID")).AsInteger();
    }
    qint32 ann = 0, doomed = 0, kept = 0, linked = 0, otherLinked = 0, unlinked = 0;
};

TEST_F(ExpenseDelete, TheExpenseGoesWithItsSplitsAndItsCheckUpLinks)
{
    const QStringList keptExpense = Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID")).mid(1);
    DeleteExpense(doomed);
    EXPECT_EQ(Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID")), keptExpense);
    EXPECT_EQ(Dump(QStringLiteral("MEDEXPSP"), QStringLiteral("ExpID, AccountID")),
              (QStringList{QStringLiteral("%1|1|0.1|0").arg(kept), QStringLiteral("%1|6|0.7|0").arg(kept)}));
    EXPECT_EQ(LinkOf(linked), 0);
    EXPECT_EQ(LinkOf(otherLinked), kept);
    EXPECT_EQ(LinkOf(unlinked), 0);
    EXPECT_EQ(Dump(QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID")).size(), 3);

    // An expense already gone deletes nothing more.
    const QStringList before = All();
    DeleteExpense(doomed);
    EXPECT_EQ(All(), before);
}

TEST_F(ExpenseDelete, AFailureAtAnyStepLeavesEveryRowAsItWas)
{
    const QStringList before = All();
    Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON MEDCHEK BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(DeleteExpense(doomed), EDatabaseError);
    EXPECT_EQ(All(), before);
    Execute(QStringLiteral("DROP TRIGGER refuse"));

    Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON MEDEXP BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(DeleteExpense(doomed), EDatabaseError);
    EXPECT_EQ(All(), before);
    Execute(QStringLiteral("DROP TRIGGER refuse"));

    DeleteExpense(doomed);   // nothing was left half done
    EXPECT_EQ(All().size(), before.size() - 3);
}

}  // namespace
