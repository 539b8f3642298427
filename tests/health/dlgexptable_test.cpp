// The "Medical Expenses" window as the user meets it: the year and member
// filters, sorting by a column, deleting with its question, adding and
// editing through the expense dialog, and printing.
#include "expensetableenv.h"

#include "health/dlgexptable.h"
#include "health/dlgmedexpitem.h"
#include "tests/health/printoutcapture.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

class ExpenseTableWindow : public ExpenseTableEnv {
protected:
    void SetUp() override
    {
        ExpenseTableEnv::SetUp();
        ann_ = AddMember(QStringLiteral("Ann"));
        otherAnn_ = AddMember(QStringLiteral("Ann"));
        flu_ = AddExpense(ann_, EncodeDate(2024, 2, 29), 19.99, 0.29, QStringLiteral("Flu \"shot\" <b>"),
                          QStringLiteral("Dr. O'Hara"));
        aspirin_ = AddExpense(otherAnn_, EncodeDate(2024, 12, 31), 0.80, 0.10, QStringLiteral("Aspirin"),
                              QStringLiteral("Pharmacy"));
        xray_ = AddExpense(ann_, EncodeDate(2024, 1, 1), 1250, 250, QStringLiteral("X-ray"), QStringLiteral("Hospital"));
        AddExpense(ann_, EncodeDate(2025, 1, 1), 5, 5, QStringLiteral("next year"));
    }

    static void ToYear(TDlgExpTable& dialog, int year)
    {
        while (dialog.EfPFYear->IntegerValue() < year)
            dialog.EfSpinner1->OnClick(dialog.EfSpinner1, spUp, 1.0);
    }
    static QStringList ColumnTexts(const TDlgExpTable& dialog, int column)
    {
        QStringList texts;
        for (int row = 0; row < dialog.ListView1->topLevelItemCount(); ++row)
            texts << dialog.ListView1->topLevelItem(row)->text(column);
        return texts;
    }
    static void Select(TDlgExpTable& dialog, int row)
    {
        dialog.ListView1->setCurrentItem(dialog.ListView1->topLevelItem(row));
    }
    // What the user does in the expense dialog once it is up.
    static void InTheExpenseDialog(const std::function<void(TDlgMedExpItem&)>& work)
    {
        QTimer::singleShot(0, [work] {
            auto* dialog = qobject_cast<TDlgMedExpItem*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            work(*dialog);
            if (dialog->isVisible())
                dialog->CancelBtn->click();
        });
    }

    ScriptedMessageBoxes boxes_;
    qint32 ann_ = 0, otherAnn_ = 0, flu_ = 0, aspirin_ = 0, xray_ = 0;
};

TEST_F(ExpenseTableWindow, TheYearStartsAt1997AndTheFiltersChooseTheRows)
{
    TDlgExpTable dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Medical Expenses"));
    EXPECT_EQ(dialog.EfPFYear->IntegerValue(), 1997);
    EXPECT_EQ(dialog.CBMember->currentText(), QStringLiteral("All"));
    EXPECT_EQ(dialog.CBMember->count(), 3);
    EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(dialog.Label8->text(), QStringLiteral("$0.00"));
    EXPECT_FALSE(dialog.BtnEdit->isEnabled());
    EXPECT_FALSE(dialog.YearSpinnerUsed());

    ToYear(dialog, 2024);
    EXPECT_TRUE(dialog.YearSpinnerUsed());
    EXPECT_EQ(ColumnTexts(dialog, 0), (QStringList{"2/29/2024", "12/31/2024", "1/1/2024"}));
    EXPECT_EQ(dialog.ListView1->topLevelItem(0)->text(3), QStringLiteral("$19.70"));
    EXPECT_EQ(dialog.ListView1->topLevelItem(0)->text(5), QStringLiteral("Flu \"shot\" <b>"));
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("$1,270.79"));
    EXPECT_EQ(dialog.Label8->text(), QStringLiteral("$250.39"));

    // The second Ann, told apart by her key.
    dialog.CBMember->setCurrentIndex(2);
    emit dialog.CBMember->activated(2);
    EXPECT_EQ(ColumnTexts(dialog, 5), QStringList{"Aspirin"});
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("$0.80"));
    dialog.EfSpinner1Click(true);
    EXPECT_EQ(dialog.EfPFYear->IntegerValue(), 2025);
    EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 0);
    dialog.CBMember->setCurrentIndex(0);
    emit dialog.CBMember->activated(0);
    EXPECT_EQ(ColumnTexts(dialog, 5), QStringList{"next year"});
    dialog.show();
    SavePicture(dialog, QStringLiteral("expense_table_2025"));
}

// The year field takes no typing; the arrow keys step it as the spinner
// does, so the year is chosen without a mouse.
TEST_F(ExpenseTableWindow, TheArrowKeysStepTheYear)
{
    TDlgExpTable dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ToYear(dialog, 2023);
    dialog.EfPFYear->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(dialog.EfPFYear->IntegerValue(), 2024);
    EXPECT_EQ(ColumnTexts(dialog, 0), (QStringList{"2/29/2024", "12/31/2024", "1/1/2024"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(dialog.EfPFYear->IntegerValue(), 2023);
    EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 0);
}

TEST_F(ExpenseTableWindow, HeaderClicksShareOneCounterAndPatientDoesNotSort)
{
    TDlgExpTable dialog;
    ToYear(dialog, 2024);
    QHeaderView& header = *dialog.ListView1->header();
    emit header.sectionClicked(2);
    EXPECT_EQ(ColumnTexts(dialog, 2), (QStringList{"$1,250.00", "$19.99", "$0.80"}));
    emit header.sectionClicked(1);
    EXPECT_EQ(ColumnTexts(dialog, 2), (QStringList{"$1,250.00", "$19.99", "$0.80"}));
    emit header.sectionClicked(2);
    EXPECT_EQ(ColumnTexts(dialog, 2), (QStringList{"$0.80", "$19.99", "$1,250.00"}));
    emit header.sectionClicked(0);
    EXPECT_EQ(ColumnTexts(dialog, 0), (QStringList{"12/31/2024", "2/29/2024", "1/1/2024"}));
    dialog.show();
    SavePicture(dialog, QStringLiteral("expense_table"));
}

TEST_F(ExpenseTableWindow, DeletingAsksWithTheRowsDateAndRemovesTheExpenseOnlyOnYes)
{
    AddSplit(flu_, 1, 0.29);
    const qint32 checkup = AddCheckup(ann_, flu_);
    TDlgExpTable dialog;
    dialog.show();
    ToYear(dialog, 2024);
    dialog.Button3Click();
    EXPECT_EQ(boxes_.Texts(), QStringList{"Please select one expense record."});
    // A click beside the rows while none is chosen.
    QTest::mouseClick(dialog.ListView1->viewport(), Qt::LeftButton, {},
                      QPoint(10, dialog.ListView1->viewport()->height() - 5));
    EXPECT_EQ(boxes_.Texts().last(),
              QStringLiteral("Please first select a line in the first column of the expense table to edit or delete it."));

    Select(dialog, 0);
    EXPECT_TRUE(dialog.Button3->isEnabled());
    boxes_.answers = {MsgResult::No};
    QTest::keyClick(dialog.ListView1, Qt::Key_Delete);
    EXPECT_EQ(boxes_.shown.last().text, QStringLiteral("Would you like to remove records related to the date \"2/29/2024\" ?"));
    EXPECT_EQ(boxes_.shown.last().buttons, unsigned(MsgYes | MsgNo));
    EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 3);
    // A question closed without an answer deletes nothing either.
    boxes_.answers = {MsgResult::None};
    dialog.Button3->click();
    EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 3);
    boxes_.answers = {MsgResult::Yes};
    dialog.Delete1->trigger();
    EXPECT_EQ(ColumnTexts(dialog, 0), (QStringList{"12/31/2024", "1/1/2024"}));
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("$1,250.80"));
    EXPECT_EQ(Dump(QStringLiteral("MEDEXPSP"), QStringLiteral("ExpID")), QStringList());
    EXPECT_EQ(Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID")).size(), 3);
    EXPECT_EQ(Dump(QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID")).first().section('|', 0, 0),
              QString::number(checkup));
    TQuery link(DataFolder);
    link.SQL() << QStringLiteral("SELECT ExpID FROM MEDCHEK");
    link.Open();
    EXPECT_EQ(link.Fields(0).AsInteger(), 0);
    EXPECT_FALSE(dialog.Button3->isEnabled());
}

TEST_F(ExpenseTableWindow, EditsAndAddsGoThroughTheExpenseDialogAndACancelChangesNothing)
{
    TDlgExpTable dialog;
    dialog.show();
    ToYear(dialog, 2024);
    dialog.BtnEditClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{"Please select one expense record."});

    const QStringList before = Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID"));
    Select(dialog, 1);
    InTheExpenseDialog([](TDlgMedExpItem& expense) {
        EXPECT_EQ(expense.windowTitle(), QStringLiteral("Edit Medical Expense"));
        EXPECT_EQ(expense.EditDesc->text(), QStringLiteral("Aspirin"));
        expense.EditDesc->setText(QStringLiteral("changed"));
        expense.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 14));
        expense.BtnNext->click();
        expense.MEditCopay->setText(QStringLiteral("99.99"));
    });
    dialog.BtnEdit->click();
    EXPECT_EQ(Dump(QStringLiteral("MEDEXP"), QStringLiteral("ExpID")), before);
    EXPECT_EQ(dialog.ListView1->currentItem(), dialog.ListView1->topLevelItem(1));

    InTheExpenseDialog([](TDlgMedExpItem& expense) {
        expense.EditDesc->setText(QStringLiteral("Aspirin, 100 \"tabs\""));
        // Entered ahead of time: the date of an edit is checked as a new one is.
        expense.BtnNext->click();
        expense.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 14));
        expense.BtnNext->click();
        expense.MEditCopay->setText(QStringLiteral("0.70"));
        expense.MEditDeduct->setText(QStringLiteral("0.10"));
        expense.BtnNext->click();
    });
    emit dialog.ListView1->itemDoubleClicked(dialog.ListView1->topLevelItem(1), 0);
    EXPECT_EQ(boxes_.Texts(), (QStringList{"Please select one expense record.",
                                          "The expense date can't be the future. Please enter again."}));
    EXPECT_EQ(ColumnTexts(dialog, 5), (QStringList{"Flu \"shot\" <b>", "Aspirin, 100 \"tabs\"", "X-ray"}));
    EXPECT_EQ(dialog.ListView1->topLevelItem(1)->text(0), QStringLiteral("6/14/2024"));
    EXPECT_EQ(dialog.ListView1->topLevelItem(1)->text(2), QStringLiteral("$0.80"));
    EXPECT_EQ(dialog.ListView1->topLevelItem(1)->text(1), QStringLiteral("Ann"));
    EXPECT_TRUE(dialog.BtnEdit->isEnabled());

    InTheExpenseDialog([this](TDlgMedExpItem& expense) {
        EXPECT_EQ(expense.windowTitle(), QStringLiteral("Add Medical Expense"));
        expense.EditDesc->setText(QStringLiteral("Glasses"));
        expense.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 14));
        const int index = expense.CBMember->findData(otherAnn_);
        expense.CBMember->setCurrentIndex(index);
        emit expense.CBMember->activated(index);
        expense.BtnNext->click();
        expense.MEditCopay->setText(QStringLiteral("19.99"));
        expense.BtnNext->click();
    });
    dialog.Add1->trigger();
    EXPECT_EQ(ColumnTexts(dialog, 5).last(), QStringLiteral("Glasses"));
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("$1,290.78"));
}

TEST_F(ExpenseTableWindow, PrintingPreviewsTheRowsAsShown)
{
    TDlgExpTable dialog;
    ToYear(dialog, 2024);
    dialog.CBMember->setCurrentIndex(1);
    emit dialog.CBMember->activated(1);
    emit dialog.ListView1->header()->sectionClicked(0);
    const TCapturedPrintout out =
        CapturePrintout([&] { dialog.Print1->trigger(); }, QStringLiteral("expense_table_printout"));
    QStringList lines;
    for (const QString& line : out.textLines)
        lines << line.simplified();
    EXPECT_EQ(lines.mid(1, 4), (QStringList{"Member: Ann", "Year: 2024", "Total expense: $1,269.99",
                                            "Out-of-pocket amount: $250.29"}));
    EXPECT_EQ(lines.mid(6, 2), (QStringList{"2/29/2024 Ann $19.99 $19.70 $0.29 Flu \"shot\" <b> Dr. O'Hara",
                                            "1/1/2024 Ann $1,250.00 $1,000.00 $250.00 X-ray Hospital"}));
}

}  // namespace
