#include "pagetestenv.h"
#include "qstringprint.h"
#include "reports/rpprintjob.h"
#include "context/context.h"
#include "context/navigation.h"
#include "context/registry.h"
#include "shell/pages/formmedfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <ctime>
#include <limits>

namespace {

const QString kFSAWarningStart = QStringLiteral("Your reimbursement from FSA with ");

QStringList Captions(const QTreeWidgetItem& parent)
{
    QStringList captions;
    for (int i = 0; i < parent.childCount(); ++i)
        captions.append(parent.child(i)->text(0));
    return captions;
}

QStringList MessageLines(const TFormMedFolder& page)
{
    return page.RichEditToDo->toPlainText().split(QLatin1Char('\n'));
}

class FolderPageTest : public PageTest {
protected:
    std::unique_ptr<TFormMedFolder> ShowPage()
    {
        auto page = std::make_unique<TFormMedFolder>(nullptr);
        page->resize(700, 500);
        page->show();
        return page;
    }

    QTreeWidgetItem* Members(const TFormMedFolder& page) const { return page.TreeView1->topLevelItem(0); }
    QTreeWidgetItem* Expenses(const TFormMedFolder& page) const { return page.TreeView1->topLevelItem(1); }

    void Select(TFormMedFolder& page, QTreeWidgetItem* node)
    {
        page.TreeView1->setCurrentItem(node);
        ASSERT_TRUE(node->isSelected());
    }

    int FSAWarnings() const
    {
        int warnings = 0;
        for (const QString& text : boxes_.Texts())
            warnings += text.startsWith(kFSAWarningStart) ? 1 : 0;
        return warnings;
    }
};

TEST_F(FolderPageTest, TheTreeShowsEveryMemberAndAccountOnce)
{
    {
        auto empty = ShowPage();
        EXPECT_EQ(Members(*empty)->childCount(), 0);
        EXPECT_EQ(Captions(*Expenses(*empty)), QStringList{QStringLiteral("Medical Expenses Summary/Report")});
        const std::optional<TTreeObj> members = TreeObjOf(*Members(*empty));
        ASSERT_TRUE(members);
        EXPECT_EQ(members->kind, kNodeMembers);
        EXPECT_FALSE(TreeObjOf(*Expenses(*empty))) << "the expenses folder has no object";
    }

    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    AddMember(QStringLiteral("Mary"), 1, EncodeDate(kThisYear - 16, 6, 15));
    AddMember(QStringLiteral("Tommy"), 0, EncodeDate(kThisYear - 16, 6, 16));
    AddMember(QStringLiteral("Alice"), 1, EncodeDate(2015, 1, 1));
    AddMember(QStringLiteral("Sam"), 2, EncodeDate(1980, 1, 1));
    const qint32 medical = AddAccount(1, QStringLiteral("Blue Valley"));
    const qint32 fsa = AddAccount(5, QStringLiteral("Northwind"));
    AddAccount(0, QStringLiteral("Not an account"));
    auto page = ShowPage();

    EXPECT_EQ(Captions(*Members(*page)),
              (QStringList{QStringLiteral("John's medical page"), QStringLiteral("Mary's medical page"),
                           QStringLiteral("Tommy's medical page"), QStringLiteral("Alice's medical page"),
                           QStringLiteral("Sam's medical page")}));
    QList<int> images;
    for (int i = 0; i < Members(*page)->childCount(); ++i)
        images.append(ImageIndexOf(*Members(*page)->child(i)));
    EXPECT_EQ(images, (QList<int>{7, 8, 9, 10, -1})) << "16 today is adult, 16 tomorrow a child; sex 2 no picture";

    QTreeWidgetItem* johnNode = Members(*page)->child(0);
    EXPECT_EQ(TreeObjOf(*johnNode)->id, john);
    EXPECT_EQ(TreeObjOf(*johnNode)->kind, kNodeMember);
    EXPECT_EQ(Captions(*johnNode), (QStringList{QStringLiteral("Checkup Schedule"), QStringLiteral("Immunization Schedule"),
                                                QStringLiteral("Medical History")}));
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(TreeObjOf(*johnNode->child(kind))->kind, kind);
        EXPECT_EQ(TreeObjOf(*johnNode->child(kind))->id, john);
        EXPECT_EQ(ImageIndexOf(*johnNode->child(kind)), 11 + kind);
    }

    // Each account goes in first, so the last loaded leads.
    EXPECT_EQ(Captions(*Expenses(*page)), (QStringList{QStringLiteral("FSA with Northwind"), QStringLiteral("Blue Valley"),
                                                      QStringLiteral("Medical Expenses Summary/Report")}));
    EXPECT_EQ(TreeObjOf(*Expenses(*page)->child(0))->kind, kNodeFSA);
    EXPECT_EQ(TreeObjOf(*Expenses(*page)->child(0))->id, fsa);
    EXPECT_EQ(ImageIndexOf(*Expenses(*page)->child(0)), 2);
    EXPECT_EQ(TreeObjOf(*Expenses(*page)->child(1))->kind, kNodeInsurance);
    EXPECT_EQ(TreeObjOf(*Expenses(*page)->child(1))->id, medical);
    EXPECT_EQ(ImageIndexOf(*Expenses(*page)->child(1)), 6);

    // What is placed is kept by the page; the rows stay as they were.
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE Display = 0")), 5);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS WHERE Display = 0")), 3);
    EXPECT_EQ(page->NodeAt(0), Members(*page));
    EXPECT_EQ(page->NodeAt(1), johnNode);
    EXPECT_EQ(page->NodeAt(5), Members(*page)->child(1)) << "collapsed children count";
    EXPECT_EQ(page->NodeAt(21), Expenses(*page));
    EXPECT_EQ(page->NodeAt(28), nullptr);

    // A second page places every row again, each once.
    auto again = ShowPage();
    EXPECT_EQ(Members(*again)->childCount(), 5);
    EXPECT_EQ(Expenses(*again)->childCount(), 3);
}

TEST_F(FolderPageTest, AddedMembersAndAccountsAreTheOnlyNodesAdded)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    AddAccount(1, QStringLiteral("Blue Valley"));
    FakeDialog(TDialogID::NewMember, [this](const TDialogRequest&) {
        AddMember(QStringLiteral("Baby"), 1, EncodeDate(kThisYear, 5, 1));
        MemberAdded = true;
        return TDialogOutcome{};
    });
    TDialogRequest accountRequest;
    FakeDialog(TDialogID::FSA, [&](const TDialogRequest& request) {
        accountRequest = request;
        AddAccount(5, QStringLiteral("Contoso"));
        FSASaved = true;
        return TDialogOutcome{};
    });
    auto page = ShowPage();
    ASSERT_TRUE(page->NewMember1->isEnabled());
    ASSERT_FALSE(page->NewInsurance1->isEnabled()) << "no insurance dialog yet";

    page->NewMember1->trigger();
    EXPECT_EQ(Captions(*Members(*page)), (QStringList{QStringLiteral("John's medical page"), QStringLiteral("Baby's medical page")}));
    QTreeWidgetItem* baby = Members(*page)->child(1);
    EXPECT_EQ(page->TreeView1->currentItem(), baby);
    EXPECT_TRUE(baby->isExpanded());
    EXPECT_EQ(ImageIndexOf(*baby), 10);

    page->NewFSA1->trigger();
    EXPECT_TRUE(accountRequest.isNew);
    EXPECT_EQ(Captions(*Expenses(*page)), (QStringList{QStringLiteral("FSA with Contoso"), QStringLiteral("Blue Valley"),
                                                      QStringLiteral("Medical Expenses Summary/Report")}));
    EXPECT_EQ(page->TreeView1->currentItem(), Expenses(*page)->child(0));

    // A dialog that added nothing adds no node.
    MemberAdded = false;
    FakeDialog(TDialogID::NewMember, [](const TDialogRequest&) { return TDialogOutcome{}; });
    page->NewMember1->trigger();
    EXPECT_EQ(Members(*page)->childCount(), 2);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(FolderPageTest, AnAccountNeedsAMember)
{
    for (TDialogID id : {TDialogID::Insurance, TDialogID::FSA})
        FakeDialog(id, [](const TDialogRequest&) {
            TDialogOutcome outcome;
            outcome.noMembers = true;
            return outcome;
        });
    auto page = ShowPage();
    page->NewInsurance1->trigger();
    page->NewFSA1->trigger();
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("Please first add at least one member before adding insurance."),
                                           QStringLiteral("Please first add at least one member before adding FSA.")}));
    EXPECT_EQ(Expenses(*page)->childCount(), 1);
    EXPECT_EQ(Members(*page)->childCount(), 0);
}

TEST_F(FolderPageTest, UpcomingTasksListSevenAtMost)
{
    {
        AddToDo(QStringLiteral("Already done"), EncodeDate(kThisYear, 7, 1), true);
        AddToDo(QStringLiteral("Overdue"), EncodeDate(kThisYear, 6, 14));
        AddToDo(QStringLiteral("Too far ahead"), EncodeDate(kThisYear, 12, 16));
        auto page = ShowPage();
        EXPECT_EQ(MessageLines(*page).mid(0, 2),
                  (QStringList{QStringLiteral("Upcoming Tasks"),
                               QStringLiteral("        There are no upcoming tasks in the next six months")}));
    }
    for (int day = 9; day >= 2; --day)
        AddToDo(QStringLiteral("Task due on the %1th").arg(day), EncodeDate(kThisYear, 7, day));
    AddToDo(QStringLiteral("Due today"), EncodeDate(kThisYear, 6, 15));
    auto page = ShowPage();
    const QStringList lines = MessageLines(*page);
    EXPECT_EQ(lines.mid(0, 11),
              (QStringList{QStringLiteral("Upcoming Tasks"), QStringLiteral("        Due before 12/15/2024"),
                           QStringLiteral("        [1] Due today"), QStringLiteral("        [2] Task due on the 2th"),
                           QStringLiteral("        [3] Task due on the 3th"), QStringLiteral("        [4] Task due on the 4th"),
                           QStringLiteral("        [5] Task due on the 5th"), QStringLiteral("        [6] Task due on the 6th"),
                           QStringLiteral("        [7] Task due on the 7th"),
                           QStringLiteral("        Please see To-Do List for more"), QString()}));
    EXPECT_FALSE(page->RichEditToDo->toPlainText().contains(QStringLiteral("8th")));
}

TEST_F(FolderPageTest, SevenTasksAreFollowedByTheHintSixAreNot)
{
    for (int day = 1; day <= 6; ++day)
        AddToDo(QStringLiteral("Task %1").arg(day), EncodeDate(kThisYear, 8, day));
    EXPECT_FALSE(ShowPage()->RichEditToDo->toPlainText().contains(QStringLiteral("Please see To-Do List")));
    // The last day of the six months still counts; a long text's two halves keep their blank.
    AddToDo(QStringLiteral("Bring the vaccination card and the insurance card to the pediatrician for the school form"),
            EncodeDate(kThisYear, 12, 15));
    const QStringList lines = MessageLines(*ShowPage());
    EXPECT_EQ(lines.at(8), QStringLiteral("        [7] Bring the vaccination card and the insurance card to the pediatrician for the "
                                          "school form"));
    EXPECT_EQ(lines.at(9), QStringLiteral("        Please see To-Do List for more"));
}

TEST_F(FolderPageTest, YearToDateTotalsCountThisYearOnlyInWholeCents)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    AddMember(QStringLiteral("Tommy"), 0, EncodeDate(2015, 1, 5));
    AddExpense(john, EncodeDate(kThisYear, 1, 1), 0.1, 0.1);
    AddExpense(john, EncodeDate(kThisYear, 12, 31), 0.2, 0.05);
    AddExpense(john, EncodeDate(kThisYear - 1, 12, 31), 1000, 1000);
    AddExpense(john, EncodeDate(kThisYear + 1, 1, 1), 1000, 1000);
    AddExpense(mary, EncodeDate(kThisYear, 3, 3), 1234567.5, 234.56);
    const QStringList lines = MessageLines(*ShowPage());
    const qsizetype heading = lines.indexOf(QStringLiteral("Year-to-Date Total Expenses"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines.at(heading - 1), QString());
    EXPECT_EQ(lines.mid(heading + 1, 9),
              (QStringList{QStringLiteral("        John's total expense: $0.30"),
                           QStringLiteral("        John's out-of-pocket: $0.15"),
                           QStringLiteral("        Mary's total expense: $1,234,567.50"),
                           QStringLiteral("        Mary's out-of-pocket: $234.56"),
                           QStringLiteral("        Tommy's total expense: $0.00"),
                           QStringLiteral("        Tommy's out-of-pocket: $0.00"),
                           QStringLiteral("        Family total expense: $1,234,567.80"),
                           QStringLiteral("        Family out-of-pocket total amount: $234.71"), QString()}));
}

// Amounts whose hundredfold is no whole double (19.99 * 100 is 1998.9999...):
// a sum that cut them to cents instead of rounding would lose a cent each.
TEST_F(FolderPageTest, CentSumsRoundAmountsThatAreNotExactInBinary)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    const qint32 fsa = AddAccount(5, QStringLiteral("Northwind"));
    AddElectedAmount(fsa, kThisYear, 1.15);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 1, 31), 19.99, 0.29), fsa, 0.57);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 2, 29), 0.57, 0.57), fsa, 0.29);
    AddSplit(AddExpense(mary, EncodeDate(kThisYear, 12, 31), 1.15, 1.15), fsa, 0.29);

    auto page = ShowPage();
    EXPECT_EQ(FSAWarnings(), 0) << "reimbursed 0.57 + 0.29 + 0.29 is the elected 1.15 exactly";
    const QStringList lines = MessageLines(*page);
    const qsizetype heading = lines.indexOf(QStringLiteral("Year-to-Date Total Expenses"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines.mid(heading + 1, 9),
              (QStringList{QStringLiteral("        FSA with Northwind:"), QStringLiteral("            Elected amount: $1.15"),
                           QStringLiteral("            Already reimbursed: $1.15"),
                           QStringLiteral("        John's total expense: $20.56"),
                           QStringLiteral("        John's out-of-pocket: $0.86"),
                           QStringLiteral("        Mary's total expense: $1.15"),
                           QStringLiteral("        Mary's out-of-pocket: $1.15"),
                           QStringLiteral("        Family total expense: $21.71"),
                           QStringLiteral("        Family out-of-pocket total amount: $2.01")}));

    // One cent over the elected amount warns.
    AddSplit(AddExpense(mary, EncodeDate(kThisYear, 6, 1), 0.01, 0), fsa, 0.01);
    ShowPage();
    EXPECT_EQ(FSAWarnings(), 1);
}

TEST_F(FolderPageTest, TheFSACheckComparesThisYearsCents)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 exact = AddAccount(5, QStringLiteral("Exact"));
    AddElectedAmount(exact, kThisYear, 100.30);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 2, 1), 50.10, 0), exact, 50.10);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 3, 1), 50.20, 0), exact, 50.20);
    // Last year's reimbursement does not count toward this year's amount.
    AddSplit(AddExpense(john, EncodeDate(kThisYear - 1, 12, 31), 500, 0), exact, 500);
    const qint32 lastYearOnly = AddAccount(5, QStringLiteral("Former employer"));
    AddElectedAmount(lastYearOnly, kThisYear - 1, 10);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 4, 1), 90, 0), lastYearOnly, 90);

    auto page = ShowPage();
    EXPECT_EQ(FSAWarnings(), 0) << boxes_.Texts().join(QLatin1Char('\n')).toStdString();
    const QStringList lines = MessageLines(*page);
    const qsizetype fsa = lines.indexOf(QStringLiteral("        FSA with Exact:"));
    ASSERT_GE(fsa, 0);
    EXPECT_EQ(lines.mid(fsa + 1, 2), (QStringList{QStringLiteral("            Elected amount: $100.30"),
                                                  QStringLiteral("            Already reimbursed: $100.30")}));
    EXPECT_FALSE(page->RichEditToDo->toPlainText().contains(QStringLiteral("Former employer")))
        << "an FSA without an amount for this year is not listed";

    // One cent more warns, at every refresh of the message text.
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 5, 1), 0.01, 0), exact, 0.01);
    FakeDialog(TDialogID::ExpenseTable, [](const TDialogRequest&) { return TDialogOutcome{}; });
    page = ShowPage();
    ASSERT_EQ(FSAWarnings(), 1);
    EXPECT_EQ(boxes_.shown.last().text,
              QStringLiteral("Your reimbursement from FSA with Exact: is greater then then elected amount."
                             "Please double check your latest medical expense record."));
    EXPECT_EQ(boxes_.shown.last().icon, MsgIcon::Warning);
    EXPECT_TRUE(MessageLines(*page).contains(QStringLiteral("            Already reimbursed: $100.31")));
    QTreeWidgetItem* summary = Expenses(*page)->child(Expenses(*page)->childCount() - 1);
    Select(*page, summary);
    emit page->TreeView1->itemDoubleClicked(summary, 0);
    EXPECT_EQ(FSAWarnings(), 2);
}

TEST_F(FolderPageTest, StoredAmountsTooBigForCentsShowAsTooBigToShow)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    AddExpense(john, EncodeDate(kThisYear, 2, 29 - (kThisYear % 4 != 0)), 19.99, -1e300);
    AddExpense(john, EncodeDate(kThisYear, 3, 1), 0.29, 0.29);
    // Each fits in 64-bit cents; their sum does not.
    AddExpense(mary, EncodeDate(kThisYear, 4, 1), 5e16, 19.99);
    AddExpense(mary, EncodeDate(kThisYear, 4, 2), 5e16, 0.29);
    const qint32 huge = AddAccount(5, QStringLiteral("Huge"));
    AddElectedAmount(huge, kThisYear, 9.3e16);
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 5, 1), 0, 0), huge, 19.99);
    const qint32 owed = AddAccount(5, QStringLiteral("Owed"));
    AddElectedAmount(owed, kThisYear, 0);
    {
        // Only another program writes an infinity; our fields refuse it.
        TQuery minusInfinity(DataFolder);
        minusInfinity.SQL() << QStringLiteral("UPDATE MEDYEAR SET Amount = -9e999 WHERE AccountID = %1").arg(owed);
        minusInfinity.ExecSQL();
    }
    AddSplit(AddExpense(john, EncodeDate(kThisYear, 5, 2), 0, 0), owed, 0.29);

    auto page = ShowPage();
    EXPECT_EQ(FSAWarnings(), 0) << "an amount too big to show is not compared";
    const QStringList lines = MessageLines(*page);
    const qsizetype fsa = lines.indexOf(QStringLiteral("        FSA with Huge:"));
    ASSERT_GE(fsa, 0);
    EXPECT_EQ(lines.mid(fsa + 1, 4), (QStringList{QStringLiteral("            Elected amount: -$1.00"),
                                                  QStringLiteral("            Already reimbursed: $19.99"),
                                                  QStringLiteral("        FSA with Owed:"),
                                                  QStringLiteral("            Elected amount: -$1.00")}));
    const qsizetype totals = lines.indexOf(QStringLiteral("        John's total expense: $20.28"));
    ASSERT_GE(totals, 0);
    EXPECT_EQ(lines.mid(totals, 6),
              (QStringList{QStringLiteral("        John's total expense: $20.28"),
                           QStringLiteral("        John's out-of-pocket: -$1.00"),
                           QStringLiteral("        Mary's total expense: -$1.00"),
                           QStringLiteral("        Mary's out-of-pocket: $20.28"),
                           QStringLiteral("        Family total expense: -$1.00"),
                           QStringLiteral("        Family out-of-pocket total amount: -$1.00")}));
}

TEST_F(FolderPageTest, DeletingAMemberFromTheTreeTakesItsRemindersAlong)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    const qint32 johnsReminder = AddToDo(QStringLiteral("John's physical"), EncodeDate(kThisYear, 7, 1));
    const qint32 marysReminder = AddToDo(QStringLiteral("Mary's physical"), EncodeDate(kThisYear, 7, 2));
    AddToDo(QStringLiteral("Buy bandages"), EncodeDate(kThisYear, 7, 3));
    AddScheduleRow(john, johnsReminder);
    AddScheduleRow(john, 0);
    AddScheduleRow(mary, marysReminder);
    AddExpense(john, EncodeDate(kThisYear, 2, 3), 19.99, 0.29);
    auto page = ShowPage();
    ASSERT_TRUE(MessageLines(*page).contains(QStringLiteral("        John's total expense: $19.99")));

    Select(*page, Members(*page)->child(0)->child(2));
    page->DeleteMember1->trigger();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please first select one member before deleteing.")});

    QSignalSpy goToChanges(page.get(), &TFormMedFolder::GoToListChanged);
    Select(*page, Members(*page)->child(0));
    boxes_.answers = {MsgResult::No};
    page->DeleteMember1->trigger();
    EXPECT_EQ(Members(*page)->childCount(), 2);
    EXPECT_EQ(goToChanges.count(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF")), 2);

    boxes_.answers = {MsgResult::Yes};
    page->DeleteMember1->trigger();
    EXPECT_EQ(boxes_.shown.last().text, QStringLiteral("Are you sure to delete this member from your record?"));
    EXPECT_EQ(boxes_.shown.last().buttons, unsigned(MsgYes | MsgNo));
    EXPECT_EQ(Captions(*Members(*page)), QStringList{QStringLiteral("Mary's medical page")});
    EXPECT_EQ(goToChanges.count(), 1);
    EXPECT_EQ(Column(QStringLiteral("SELECT FirstName FROM MEDPROF")), QStringList{QStringLiteral("Mary")});
    EXPECT_EQ(Column(QStringLiteral("SELECT Description FROM TODO01 ORDER BY Todoid")),
              (QStringList{QStringLiteral("Mary's physical"), QStringLiteral("Buy bandages")}));
    EXPECT_EQ(page->NodeAt(5), Expenses(*page));
    // The message tells of John no more: neither his reminder nor his totals.
    EXPECT_FALSE(page->RichEditToDo->toPlainText().contains(QStringLiteral("John"))) << page->RichEditToDo->toPlainText().toStdString();
    EXPECT_TRUE(MessageLines(*page).contains(QStringLiteral("        Family total expense: $0.00")));
}

TEST_F(FolderPageTest, DeletingAnAccountFromTheTreeNeedsItsKindSelected)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 medical = AddAccount(1, QStringLiteral("Blue Valley"));
    AddElectedAmount(AddAccount(5, QStringLiteral("Northwind")), kThisYear, 500);
    auto page = ShowPage();
    ASSERT_TRUE(page->RichEditToDo->toPlainText().contains(QStringLiteral("FSA with Northwind:")));
    page->TreeView1->setCurrentItem(nullptr);
    page->DeleteInsurance1->trigger();
    page->DeleteFSA1->trigger();
    Select(*page, Expenses(*page)->child(0));   // the FSA
    page->DeleteInsurance1->trigger();
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("Please first select one Insurance before deleteing."),
                                           QStringLiteral("Please first select one FSA before deleteing."),
                                           QStringLiteral("Please first select one Insurance before deleteing.")}));
    boxes_.shown.clear();

    boxes_.answers = {MsgResult::Yes};
    page->DeleteFSA1->trigger();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Are you sure to delete this FSA from your record?")});
    EXPECT_EQ(Column(QStringLiteral("SELECT AccountID FROM MEDINS")), QStringList{QString::number(medical)});
    EXPECT_FALSE(page->RichEditToDo->toPlainText().contains(QStringLiteral("Northwind"))) << "the FSA check drops it";
    Select(*page, Expenses(*page)->child(0));
    boxes_.answers = {MsgResult::Yes};
    page->DeleteInsurance1->trigger();
    EXPECT_EQ(boxes_.shown.last().text, QStringLiteral("Are you sure to delete this insurance from your record?"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS")), 0);
    EXPECT_EQ(Captions(*Expenses(*page)), QStringList{QStringLiteral("Medical Expenses Summary/Report")});
}

TEST_F(FolderPageTest, LeavesOpenTheirDialogsAndNodesWithoutOneAreDisabled)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 medical = AddAccount(1, QStringLiteral("Blue Valley"));
    const qint32 fsa = AddAccount(5, QStringLiteral("Northwind"));
    {
        auto bare = ShowPage();
        const QColor disabled = bare->palette().color(QPalette::Disabled, QPalette::Text);
        QTreeWidgetItem* bareHistory = Members(*bare)->child(0)->child(2);
        EXPECT_EQ(bareHistory->foreground(0).color(), disabled);
        EXPECT_EQ(Expenses(*bare)->child(0)->foreground(0).color(), disabled);
        EXPECT_NE(Members(*bare)->child(0)->foreground(0).color(), disabled);
        Select(*bare, bareHistory);
        QTest::keyClick(bare->TreeView1, Qt::Key_Return);
        EXPECT_EQ(Members(*bare)->child(0)->text(0), QStringLiteral("John's medical page"));
    }
    qint32 historyMember = 0;
    FakeDialog(TDialogID::MedicalHistory, [&](const TDialogRequest&) {
        historyMember = CurMemberID;
        MemberFirstName = QStringLiteral("Jonathan");
        AddToDo(QStringLiteral("Added while the dialog was open"), EncodeDate(kThisYear, 7, 1));
        return TDialogOutcome{};
    });
    QList<qint32> accounts;
    TDialogOutcome accountOutcome;
    for (TDialogID id : {TDialogID::Insurance, TDialogID::FSA})
        FakeDialog(id, [&](const TDialogRequest& request) {
            EXPECT_FALSE(request.isNew);
            accounts.append(CurAccountID);
            return accountOutcome;
        });
    int* addressBook = CountingDialog(TDialogID::AddressBook);
    auto page = ShowPage();

    QTreeWidgetItem* history = Members(*page)->child(0)->child(2);
    ASSERT_TRUE(history->toolTip(0).isEmpty());
    Select(*page, history);
    QTest::keyClick(page->TreeView1, Qt::Key_Return);
    EXPECT_EQ(historyMember, john);
    EXPECT_EQ(Members(*page)->child(0)->text(0), QStringLiteral("Jonathan's medical page"));
    EXPECT_TRUE(page->RichEditToDo->toPlainText().contains(QStringLiteral("Added while the dialog was open")));

    QTreeWidgetItem* fsaNode = Expenses(*page)->child(0);
    QTreeWidgetItem* medicalNode = Expenses(*page)->child(1);
    accountOutcome.savedAccountName = QStringLiteral("Contoso");
    Select(*page, fsaNode);
    emit page->TreeView1->itemDoubleClicked(fsaNode, 0);
    EXPECT_EQ(fsaNode->text(0), QStringLiteral("FSA with Contoso"));
    EXPECT_EQ(LastFSAName, QStringLiteral("Contoso"));
    accountOutcome.savedAccountName = QStringLiteral("Red River");
    accountOutcome.cancelled = true;
    Select(*page, medicalNode);
    emit page->TreeView1->itemDoubleClicked(medicalNode, 0);
    EXPECT_EQ(medicalNode->text(0), QStringLiteral("Blue Valley")) << "a cancelled dialog renames nothing";
    EXPECT_EQ(LastInsuranceName, QStringLiteral("Red River"));
    accountOutcome.cancelled = false;
    emit page->TreeView1->itemDoubleClicked(medicalNode, 0);
    EXPECT_EQ(medicalNode->text(0), QStringLiteral("Red River"));
    EXPECT_EQ(accounts, (QList<qint32>{fsa, medical, medical}));

    // A node with children and a node without a dialog open nothing.
    Select(*page, Members(*page));
    QTest::keyClick(page->TreeView1, Qt::Key_Return);
    QTreeWidgetItem* addressNode = page->TreeView1->topLevelItem(2);
    Select(*page, addressNode);
    QTest::keyClick(page->TreeView1, Qt::Key_Enter);
    EXPECT_EQ(*addressBook, 1);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(FolderPageTest, TabTreeWidthAndExpandedNodesAreKeptInTheSettings)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    AddAccount(1, QStringLiteral("Blue Valley"));
    {
        auto page = ShowPage();
        EXPECT_EQ(page->PageControl1->currentIndex(), 0);
        page->PageControl1->setCurrentIndex(1);
        page->Panel1->setSizes({180, 500});
        Members(*page)->child(1)->setExpanded(true);
        Expenses(*page)->setExpanded(true);
        page->close();
    }
    {
        const auto reg = OpenWindowKey(QStringLiteral("FormMedFolder"));
        EXPECT_EQ(ReadRegInteger(*reg, QStringLiteral("ActivePageIndex")), 1);
        EXPECT_EQ(ReadRegInteger(*reg, QStringLiteral("TreeViewWidth")), 180);
        reg->beginGroup(QStringLiteral("NodeStates"));
        EXPECT_EQ(reg->childKeys().size(), 3);
        EXPECT_EQ(ReadRegString(*reg, QStringLiteral("5")), QStringLiteral("Mary's medical page"));
        EXPECT_EQ(ReadRegString(*reg, QStringLiteral("9")), QStringLiteral("Expenses & Reimbursements"));
        // Values that fail are skipped.
        WriteRegString(*reg, QStringLiteral("many"), QStringLiteral("Members"));
        WriteRegString(*reg, QStringLiteral("99"), QStringLiteral("Members"));
    }
    auto page = ShowPage();
    EXPECT_EQ(page->PageControl1->currentIndex(), 1);
    EXPECT_EQ(page->TreeView1->width(), 180);
    EXPECT_FALSE(Members(*page)->child(0)->isExpanded());
    EXPECT_TRUE(Members(*page)->child(1)->isExpanded());
    EXPECT_TRUE(Expenses(*page)->isExpanded());
    page->close();

    // A member added since moves the nodes: a caption that no longer
    // matches its position expands nothing.
    AddMember(QStringLiteral("Anna"), 1, EncodeDate(2001, 1, 1));
    auto moved = ShowPage();
    EXPECT_FALSE(Expenses(*moved)->isExpanded());
    EXPECT_TRUE(Members(*moved)->child(1)->isExpanded());
}

TEST_F(FolderPageTest, TheTreeCannotBeNarrowerThan41)
{
    auto page = ShowPage();
    page->Panel1->setSizes({10, 700});
    EXPECT_EQ(page->TreeView1->width(), 41);
    page->Panel1->setSizes({700, 10});
    EXPECT_EQ(page->PageControl1->width(), 41);
}

// A stored width is kept only as far as the message and help keep a third of
// the page to be read in.
TEST_F(FolderPageTest, AStoredTreeWidthLeavesTheTextsRoomToBeRead)
{
    const auto width = [](qint32 stored) {
        WriteRegInteger(*OpenWindowKey(QStringLiteral("FormMedFolder")), QStringLiteral("TreeViewWidth"), stored);
        auto page = std::make_unique<TFormMedFolder>(nullptr);
        page->resize(700, 500);
        page->show();
        return std::pair{page->TreeView1->width(), page->PageControl1->width()};
    };
    for (qint32 stored : {100000, std::numeric_limits<qint32>::max(), 700, 460}) {
        const auto [tree, texts] = width(stored);
        EXPECT_GE(texts, (tree + texts) / 3) << stored;
        EXPECT_GE(tree, 400) << stored;
    }
    EXPECT_EQ(width(440).first, 440);
    EXPECT_EQ(width(-5).first, 41);
    EXPECT_EQ(width(std::numeric_limits<qint32>::min()).first, 41);
}

TEST_F(FolderPageTest, TheHelpTabShowsTheHelpFileOfTheDataFolder)
{
    EXPECT_TRUE(ShowPage()->RichEditHelp->toPlainText().startsWith(QStringLiteral("CarePortfolio Help\n")));
    ASSERT_TRUE(QFile::remove(DataFolder + QStringLiteral("cphelpt.rtf")));
    const QString designed = ShowPage()->RichEditHelp->toPlainText();
    EXPECT_TRUE(designed.contains(QStringLiteral("could not be found"))) << designed.toStdString();
}

TEST_F(FolderPageTest, AHelpFileThatIsNotRichTextShowsTheDesignedText)
{
    ASSERT_TRUE(QFile::remove(DataFolder + QStringLiteral("cphelpt.rtf")));
    const QString designed = ShowPage()->RichEditHelp->toPlainText();
    QByteArray noise;
    for (int i = 0; i < 3000; ++i)
        noise.append(static_cast<char>((i * 7919) % 251 + 3));
    for (const QByteArray& content : {noise, QByteArray("Ann's help: take 0.29 ml\n"), QByteArray()}) {
        QFile file(DataFolder + QStringLiteral("cphelpt.rtf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        EXPECT_EQ(ShowPage()->RichEditHelp->toPlainText(), designed) << content.left(20).toStdString();
    }
}

// Format changes inside one long word used to take the help tab minutes to lay out.
TEST_F(FolderPageTest, AHelpTextOfManyFormatChangesInOneWordShowsQuickly)
{
    QFile file(DataFolder + QStringLiteral("cphelpt.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\\rtf1 ");
    for (int i = 0; i < 20000; ++i)
        file.write("\\b a\\b0 b");
    file.write("}");
    file.close();

    const std::clock_t start = std::clock();
    auto page = ShowPage();
    page->PageControl1->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const QSizeF size = page->RichEditHelp->document()->size();
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 8.0);   // about 1.5 s under the sanitizers; 40 s before
    EXPECT_EQ(page->RichEditHelp->toPlainText().size(), 40000);
    EXPECT_GT(size.width(), 0);
}

TEST_F(FolderPageTest, TheLastUseEndsTheMessage)
{
    EXPECT_FALSE(ShowPage()->RichEditToDo->toPlainText().contains(QStringLiteral("was last used")));
    WriteRegDate(*OpenApplicationKey(), QStringLiteral("DateLastUsed"), EncodeDate(kThisYear, 6, 1));
    const QStringList lines = MessageLines(*ShowPage());
    EXPECT_EQ(lines.last(), QStringLiteral("CarePortfolio was last used on 6/1/2024"));
    EXPECT_EQ(lines.at(lines.size() - 2), QString());
}

// A print that fails says so and leaves the file that was there: a link to a
// file that cannot be made stays a link, and the PDF printed before stays.
TEST_F(FolderPageTest, PrintingWithoutAPrinterWritesThePdfFileTheUserNames)
{
    ASSERT_EQ(QPrinterInfo::availablePrinterNames().join(QStringLiteral(", ")), QString()) << "printers in sight";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("message.pdf"));
    const QString link = dir.filePath(QStringLiteral("linked.pdf"));
    QStringList titles;
    // The third file cannot be made: its folder is the first file; the fourth
    // is a link to it. The fifth finds no room on the disk.
    const QStringList answers{file, QString(), file + QStringLiteral("/help.pdf"), link, file};
    ASSERT_TRUE(QFile::link(answers[2], link));
    RpPdfOutput::InstallChooser([&](const QString& title) {
        titles.append(title);
        return answers.value(titles.size() - 1);
    });
    auto page = ShowPage();
    page->SpeedButtonPrint->click();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray printed = pdf.readAll();
    pdf.close();
    page->PageControl1->setCurrentIndex(1);
    page->SpeedButtonPrint->click();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    page->SpeedButtonPrint->click();
    page->SpeedButtonPrint->click();
    {
        const FileSizeLimit room(1000);
        page->SpeedButtonPrint->click();
    }
    RpPdfOutput::InstallChooser({});

    EXPECT_EQ(titles, (QStringList{QStringLiteral("Message for you.")} << QStringList(4, QStringLiteral("Help text"))));
    EXPECT_EQ(boxes_.Texts(), QStringList(3, QStringLiteral("Error in printing. Please check if there is a printer "
                                                            "correctly connected to your system")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(printed.startsWith("%PDF"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll(), printed);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "declining the second file writes nothing";
}

// ---- A database that fails ----

TEST_F(FolderPageTest, AReadOnlyDatabaseShowsItsTreeForShowingThePageWritesNothing)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    AddAccount(5, QStringLiteral("Northwind"));
    {
        // A row an older page left marked as placed is shown all the same.
        TQuery placed(folder_.Path());
        placed.SQL() << QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = ") + QString::number(mary);
        placed.SetRequestLive(true);
        placed.Open();
        placed.Edit();
        placed.FieldByName(QStringLiteral("Display")).SetAsInteger(1);
        placed.Post();
    }
    MakeDatabaseReadOnly(folder_.Path());
    auto page = ShowPage();

    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Captions(*Members(*page)), (QStringList{QStringLiteral("John's medical page"), QStringLiteral("Mary's medical page")}));
    EXPECT_EQ(Captions(*Expenses(*page)),
              (QStringList{QStringLiteral("FSA with Northwind"), QStringLiteral("Medical Expenses Summary/Report")}));
    EXPECT_EQ(Column(QStringLiteral("SELECT Display FROM MEDPROF ORDER BY MemberID")),
              (QStringList{QStringLiteral("0"), QStringLiteral("1")}));
    EXPECT_TRUE(MessageLines(*page).contains(QStringLiteral("        Mary's total expense: $0.00")));
}

TEST_F(FolderPageTest, DeletingFromAReadOnlyDatabaseSaysWhyAndKeepsTheNode)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    auto page = ShowPage();
    MakeDatabaseReadOnly(folder_.Path());
    Select(*page, Members(*page)->child(0));
    boxes_.answers = {MsgResult::Yes};
    page->DeleteMember1->trigger();

    ASSERT_EQ(boxes_.shown.size(), 2);
    EXPECT_EQ(boxes_.shown[1].text, QStringLiteral("CarePortfolio cannot save changes to its database \"") +
                                        Database::PathIn(folder_.Path()) +
                                        QStringLiteral("\": the file or its folder is read-only.\n\nPlease make sure that "
                                                       "you are allowed to change the folder and the file, then try again."));
    EXPECT_EQ(Captions(*Members(*page)), QStringList{QStringLiteral("John's medical page")});
}

class FailingFolderPageTest : public FolderPageTest {
protected:
    // Shows the page over a database in trouble: the one box it gives, after
    // which the page has asked for the home page and saved none of its settings.
    QString BoxOfAFailingPage()
    {
        PendingModuleID = 0;
        {
            const auto reg = OpenWindowKey(QStringLiteral("FormMedFolder"));
            WriteRegInteger(*reg, QStringLiteral("TreeViewWidth"), 180);
            WriteRegString(*reg, QStringLiteral("NodeStates/5"), QStringLiteral("Mary's medical page"));
        }
        auto page = ShowPage();
        EXPECT_EQ(PendingModuleID, ModMedToc) << "the page leaves for the home page";
        EXPECT_EQ(Members(*page)->childCount(), 0);
        page->close();
        const auto reg = OpenWindowKey(QStringLiteral("FormMedFolder"));
        EXPECT_EQ(ReadRegInteger(*reg, QStringLiteral("TreeViewWidth")), 180);
        EXPECT_EQ(ReadRegString(*reg, QStringLiteral("NodeStates/5")), QStringLiteral("Mary's medical page"));
        EXPECT_EQ(boxes_.shown.size(), 1) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
        if (boxes_.shown.isEmpty())
            return {};
        EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Error);
        return boxes_.shown[0].text;
    }

    QString File() const { return QStringLiteral("\"") + Database::PathIn(folder_.Path()) + QStringLiteral("\""); }
};

TEST_F(FailingFolderPageTest, AMissingDatabaseIsNamedAndThePageLeavesForHome)
{
    AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    Database::CloseAll();
    ASSERT_TRUE(QFile::remove(Database::PathIn(folder_.Path())));
    EXPECT_EQ(BoxOfAFailingPage(), QStringLiteral("CarePortfolio cannot find its database, the file ") + File() +
                                       QStringLiteral(".\n\nPlease put the file back into that folder, for example from "
                                                      "your latest backup, then try again."));
}

TEST_F(FailingFolderPageTest, AFileOfGarbageIsCalledNoDatabaseOrADamagedOne)
{
    WriteGarbageDatabase(folder_.Path());
    EXPECT_EQ(BoxOfAFailingPage(), QStringLiteral("The file ") + File() +
                                       QStringLiteral(" is not a CarePortfolio database, or it is damaged.\n\nPlease "
                                                      "replace it with a good copy, for example from your latest backup, "
                                                      "then try again."));
}

TEST_F(FailingFolderPageTest, ADatabaseHeldByAnotherProgramIsSaidToBeInUse)
{
    AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    DatabaseLockedElsewhere other(folder_.Path());
    EXPECT_EQ(BoxOfAFailingPage(), QStringLiteral("The CarePortfolio database ") + File() +
                                       QStringLiteral(" is in use by another program.\n\nPlease close the other program, "
                                                      "or wait until it has finished, then try again."));
}

}  // namespace
