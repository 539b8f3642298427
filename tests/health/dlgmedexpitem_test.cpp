// The expense dialog as the user meets it: the checks of both pages with
// their messages, the sums written at Finish, an edit left with Cancel, the
// member kept by key, the advice given once, the calculator button, and the
// dialog opened from the check-up and vaccine dose records.
#include "expenseenv.h"
#include "expensetableenv.h"

#include "health/accountspending.h"
#include "health/calculator.h"
#include "health/dlgcheckupdata.h"
#include "health/dlgchkupperform.h"
#include "health/dlgmedexpitem.h"
#include "health/dlgmedimmrec.h"
#include "health/expenseopener.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "records/common/dlgbusinessaddr.h"
#include "records/common/lookuplists.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>

namespace {

using ExpenseEnv::Column;
using ExpenseEnv::CountOf;
using ExpenseEnv::Cover;
using ExpenseEnv::Snapshot;

class ExpenseItemWindows : public ExpenseTableEnv {
protected:
    void SetUp() override
    {
        ExpenseTableEnv::SetUp();
        anne_ = AddMember(QStringLiteral("Anne"));
        otherAnne_ = AddMember(QStringLiteral("Anne"));
        medical_ = AddInsurance(1, QStringLiteral("Blue Plan"), EncodeDate(2024, 1, 1), 500.00);
        dental_ = AddInsurance(2, QStringLiteral("Smile \"Plus\""), EncodeDate(2024, 1, 1), -1.0);
        lateStart_ = AddInsurance(3, QStringLiteral("Clear Sight"), EncodeDate(2024, 7, 1), 100.00);
        for (const qint32 account : {medical_, dental_, lateStart_})
            Cover(account, anne_);
        fsa_ = ExpenseEnv::AddAccount(5, QStringLiteral("Acme FSA"));
        ExpenseEnv::AddElection(fsa_, 2024);
        oldFsa_ = ExpenseEnv::AddAccount(5, QStringLiteral("Old FSA"));
        ExpenseEnv::AddElection(oldFsa_, 2023);
    }
    void TearDown() override
    {
        SetFixedMemberExpenseOpener({});
        ExpenseTableEnv::TearDown();
    }

    qint32 AddInsurance(qint32 type, const QString& name, TDateTime effective, double individualDeductible) const
    {
        return AppendRow(DataFolder, QStringLiteral("MEDINS"), QStringLiteral("AccountID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("AccountType")).SetAsInteger(type);
            row.FieldByName(QStringLiteral("AccountName")).SetAsString(name);
            row.FieldByName(QStringLiteral("EffDate")).SetAsDateTime(effective);
            row.FieldByName(QStringLiteral("IndDeduct")).SetAsFloat(individualDeductible);
        });
    }

    // The user picks the item of that key, as with the mouse.
    static void Choose(QComboBox& combo, qint32 key)
    {
        const int index = combo.findData(key);
        ASSERT_GE(index, 0) << "no item of key " << key;
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    }
    static qint64 Cents(const TMoneyEdit& box) { return AmountToCents(box.Value()).value(); }
    static void ShowActive(QDialog& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // In place of what the box showed, the caret left there.
    static void TypeInto(TMoneyEdit& box, const char* amount)
    {
        box.clear();
        box.setFocus();
        QTest::keyClicks(&box, QString::fromLatin1(amount));
    }
    // The first page filled for Anne on 14 June 2024.
    void FillInformation(TDlgMedExpItem& dialog, qint32 memberId) const
    {
        dialog.EditDesc->setText(QStringLiteral("Check-up \"annual\""));
        dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 14));
        Choose(*dialog.CBMember, memberId);
        dialog.CBDoctor->setEditText(QStringLiteral("Dr. O'Brien <b>Jr</b>"));
        dialog.MemoNote->setPlainText(QStringLiteral("first line\nsecond"));
    }
    static QStringList Sums(qint32 expId)
    {
        return Column(QStringLiteral("SELECT TotalExpense || ':' || OutofPocket || ':' || InsFSAPaid FROM MEDEXP "
                                     "WHERE ExpID = %1").arg(expId));
    }
    static QStringList Splits(qint32 expId)
    {
        return Column(QStringLiteral("SELECT AccountID || ':' || Amount || ':' || IFNULL(Deductible, '-') FROM MEDEXPSP "
                                     "WHERE ExpID = %1 ORDER BY rowid").arg(expId));
    }
    // A stored expense of Anne's through the dialog itself.
    qint32 StoreExpense(qint32 memberId)
    {
        TDlgMedExpItem dialog(nullptr, {});
        FillInformation(dialog, memberId);
        dialog.BtnNext->click();
        dialog.MEditCopay->setText(QStringLiteral("100.00"));
        Choose(*dialog.CBInsurance, medical_);
        dialog.MEditPaid->setText(QStringLiteral("60.00"));
        dialog.MEditPaidExit();
        dialog.MEditAcctDeduct->setText(QStringLiteral("19.99"));
        dialog.MEditAcctDeductExit();
        Choose(*dialog.CBFSA, fsa_);
        dialog.MEditReimburst->setText(QStringLiteral("30.00"));
        dialog.MEditReimburstExit();
        dialog.BtnNext->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.ExpID();
    }

    ScriptedMessageBoxes boxes_;
    qint32 anne_ = 0, otherAnne_ = 0, medical_ = 0, dental_ = 0, lateStart_ = 0, fsa_ = 0, oldFsa_ = 0;
};

TEST_F(ExpenseItemWindows, TheFirstPageChecksInOrderAndTakesTodayButNotTomorrow)
{
    TDlgMedExpItem dialog(nullptr, {});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Medical Expense"));
    EXPECT_EQ(dialog.BtnNext->text(), QStringLiteral("&Next >>"));
    EXPECT_FALSE(dialog.BtnBack->isEnabled());
    ASSERT_EQ(dialog.CBMember->count(), 2);
    EXPECT_EQ(dialog.CBMember->currentIndex(), -1);

    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.EditDesc);
    dialog.EditDesc->setText(QStringLiteral("X-ray"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.PFDate);
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 15));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.CBMember);
    Choose(*dialog.CBMember, otherAnne_);
    dialog.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("Please enter the \"Description\" field."),
                                          QStringLiteral("Please fill in the expense date."),
                                          QStringLiteral("Please select one member who expenses this amount."),
                                          QStringLiteral("The expense date can't be the future. Please enter again.")}));
    EXPECT_EQ(boxes_.shown.last().icon, MsgIcon::Warning);
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet1);

    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 14));
    dialog.BtnNext->click();
    EXPECT_EQ(boxes_.shown.size(), 4);
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet2);
    EXPECT_EQ(dialog.BtnNext->text(), QStringLiteral("&Finish"));
    EXPECT_TRUE(dialog.BtnBack->isEnabled());
    dialog.BtnBack->click();
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet1);
    EXPECT_EQ(dialog.BtnNext->text(), QStringLiteral("&Next >>"));
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0);
}

TEST_F(ExpenseItemWindows, FinishWritesTheSumsAndTheSplitRowsAndTheDoctorsBusiness)
{
    const qint32 expId = StoreExpense(anne_);
    ASSERT_GT(expId, 0);
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("160.0:70.0:90.0")});
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:70.0:-"), QStringLiteral("%1:60.0:19.99").arg(medical_),
                                          QStringLiteral("%1:30.0:-").arg(fsa_)}));
    EXPECT_EQ(Column(QStringLiteral("SELECT MemberID || '|' || Description || '|' || Doctor || '|' || Note FROM MEDEXP")),
              QStringList{QStringLiteral("%1|Check-up \"annual\"|Dr. O'Brien <b>Jr</b>|first line\nsecond").arg(anne_)});
    EXPECT_EQ(Column(QStringLiteral("SELECT B.CategoryNo || ':' || B.BusinessName FROM BIZADDR B "
                                    "JOIN MEDEXP E ON E.DocAddrID = B.BizId")),
              QStringList{QStringLiteral("5:Dr. O'Brien <b>Jr</b>")});
}

// Blanks around the payee's name are not part of it: a known name with
// blanks is paid to its business, blanks alone to nobody.
TEST_F(ExpenseItemWindows, BlanksAroundThePayeeMakeNoNewBusiness)
{
    const qint32 first = StoreExpense(anne_);
    const qint64 businesses = CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR"));
    for (const QString& payee : {QStringLiteral(" Dr. O'Brien <b>Jr</b>  "), QStringLiteral("   ")}) {
        TDlgMedExpItem dialog(nullptr, {});
        FillInformation(dialog, anne_);
        dialog.CBDoctor->setEditText(payee);
        dialog.BtnNext->click();
        dialog.MEditCopay->setText(QStringLiteral("0.29"));
        dialog.BtnNext->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR")), businesses);
    EXPECT_EQ(Column(QStringLiteral("SELECT Doctor || '|' || DocAddrID FROM MEDEXP WHERE ExpID > %1 ORDER BY ExpID")
                         .arg(first)),
              (QStringList{QStringLiteral("Dr. O'Brien <b>Jr</b>|%1")
                               .arg(Column(QStringLiteral("SELECT DocAddrID FROM MEDEXP WHERE ExpID = %1").arg(first))
                                        .value(0)),
                           QStringLiteral("|0")}));
}

// An insurer saved with a plan is a business of the doctors' category too;
// "Where:" left alone pays the expense to nobody, not to the first of them.
TEST_F(ExpenseItemWindows, AnUntouchedPayeeStaysEmpty)
{
    const qint32 insurer = AppendRow(DataFolder, QStringLiteral("BIZADDR"), QStringLiteral("BizId"), [](TDataSet& row) {
        row.FieldByName(QStringLiteral("BusinessName")).SetAsString(QStringLiteral("Acme \"Mutual\" Insurance"));
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
    });
    TDlgMedExpItem dialog(nullptr, {});
    ASSERT_GE(IndexOfComboId(*dialog.CBDoctor, insurer), 0) << "the insurer is offered";
    EXPECT_EQ(dialog.CBDoctor->currentIndex(), -1);
    EXPECT_TRUE(dialog.CBDoctor->currentText().isEmpty());
    dialog.EditDesc->setText(QStringLiteral("Flu shot"));
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    Choose(*dialog.CBMember, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("19.99"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT Doctor || '|' || DocAddrID FROM MEDEXP WHERE ExpID = %1").arg(dialog.ExpID())),
              QStringList{QStringLiteral("|0")});

    // Opened again, it still names nobody.
    TDlgMedExpItem again(nullptr, {.expId = dialog.ExpID()});
    EXPECT_EQ(again.CBDoctor->currentIndex(), -1);
    EXPECT_TRUE(again.CBDoctor->currentText().isEmpty());
}

// The payee's address entered from the first page is the business the
// expense is paid to.
TEST_F(ExpenseItemWindows, ThePayeeAddressDialogMakesTheBusinessTheExpenseNames)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.CBDoctor->setEditText(QStringLiteral("Riverside \"Family\" Clinic"));
    QTimer::singleShot(0, [] {
        auto* address = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
        ASSERT_TRUE(address);
        EXPECT_EQ(address->EditBizName->text(), QStringLiteral("Riverside \"Family\" Clinic"));
        address->EditCity->setText(QStringLiteral("Salem"));
        address->OKBtn->click();
    });
    dialog.PSBDoc->click();
    const QStringList made = Column(QStringLiteral("SELECT BizId FROM BIZADDR WHERE City = 'Salem'"));
    ASSERT_EQ(made.size(), 1);
    EXPECT_EQ(dialog.CBDoctor->currentText(), QStringLiteral("Riverside \"Family\" Clinic"));
    EXPECT_GE(dialog.CBDoctor->findText(QStringLiteral("Riverside \"Family\" Clinic")), 0);
    dialog.BtnNext->click();
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT DocAddrID FROM MEDEXP")), made);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE BusinessName LIKE 'Riverside%'")), 1);
}

// Seventy cents and ten cents less eighty cents is no payment at all, not
// a hair below nothing.
TEST_F(ExpenseItemWindows, CentsThatFloatingPointGetsWrongAreAccepted)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("0.70"));
    dialog.MEditDeduct->setText(QStringLiteral("0.10"));
    Choose(*dialog.CBFSA, fsa_);
    dialog.MEditReimburst->setText(QStringLiteral("0.80"));
    dialog.MEditReimburstExit();
    dialog.BtnNext->click();
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("0.8:0.0:0.8")});
}

TEST_F(ExpenseItemWindows, InsuranceChoicesAndAmountsAreCheckedWithTheirMessages)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, otherAnne_);
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.CBInsurance->itemText(dialog.CBInsurance->findData(dental_)),
              QStringLiteral("Smile \"Plus\"(Dental)"));

    // The payment before any account.
    dialog.MEditPaid->setText(QStringLiteral("5.00"));
    dialog.MEditPaidExit();
    EXPECT_EQ(dialog.focusWidget(), dialog.CBInsurance);
    // The other Anne is not covered.
    Choose(*dialog.CBInsurance, medical_);
    EXPECT_EQ(dialog.CBInsurance->currentIndex(), -1);
    EXPECT_TRUE(dialog.MEditPaid->text().isEmpty());
    // Back to Anne: covered, but the plan starts after the expense.
    dialog.BtnBack->click();
    Choose(*dialog.CBMember, anne_);
    dialog.BtnNext->click();
    Choose(*dialog.CBInsurance, lateStart_);
    EXPECT_EQ(dialog.CBInsurance->currentIndex(), -1);
    dialog.MEditAcctDeduct->setText(QStringLiteral("1.00"));
    dialog.MEditAcctDeductExit();
    // No deductible on the dental plan: it shows 0 and refuses any other.
    Choose(*dialog.CBInsurance, dental_);
    EXPECT_EQ(Cents(*dialog.MEditAcctDeduct), 0);
    EXPECT_FALSE(dialog.MEditAcctDeduct->text().isEmpty());
    dialog.MEditAcctDeduct->setText(QStringLiteral("0.29"));
    dialog.MEditAcctDeductExit();
    EXPECT_EQ(Cents(*dialog.MEditAcctDeduct), 0);
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditAcctDeduct);
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{QStringLiteral("Please select Insurance account first."),
                           QStringLiteral("The member isn't covered by this insurance.Please pick another one."),
                           QStringLiteral("The effective date of the insurance is later then the date of the expense."),
                           QStringLiteral("Please select Insurance account first."),
                           QStringLiteral("This account is no deductible.The deductible amount should be zero.")}));

    dialog.MEditPaid->setText(QStringLiteral("19.99"));
    dialog.MEditPaidExit();
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(dialog.ExpID()), (QStringList{QStringLiteral("1:0.0:-"), QStringLiteral("%1:19.99:0.0").arg(dental_)}));
}

// A refused plan or FSA named only itself: the one chosen before is shown
// again with its amounts, and Finish stores what was shown.
TEST_F(ExpenseItemWindows, ARefusedAccountPutsBackTheOneChosenBeforeWithItsAmounts)
{
    const qint32 green = AddInsurance(1, QStringLiteral("Green Plan"), EncodeDate(2024, 1, 1), -1.0);
    Cover(green, otherAnne_);
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("100.00"));
    Choose(*dialog.CBInsurance, medical_);
    dialog.MEditPaid->setText(QStringLiteral("60.00"));
    dialog.MEditPaidExit();
    dialog.MEditAcctDeduct->setText(QStringLiteral("19.99"));
    dialog.MEditAcctDeductExit();
    // Green has no deductible; Blue's is kept all the same.
    Choose(*dialog.CBInsurance, green);
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    EXPECT_EQ(Cents(*dialog.MEditPaid), 6000);
    EXPECT_EQ(Cents(*dialog.MEditAcctDeduct), 1999);
    EXPECT_EQ(dialog.focusWidget(), dialog.CBInsurance);
    Choose(*dialog.CBFSA, fsa_);
    dialog.MEditReimburst->setText(QStringLiteral("30.00"));
    dialog.MEditReimburstExit();
    Choose(*dialog.CBFSA, oldFsa_);
    EXPECT_EQ(dialog.CBFSA->currentData().toInt(), fsa_);
    EXPECT_EQ(Cents(*dialog.MEditReimburst), 3000);
    EXPECT_EQ(dialog.focusWidget(), dialog.CBFSA);
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{QStringLiteral("The member isn't covered by this insurance.Please pick another one."),
                           QStringLiteral("The tax-year is different. This FSA can not apply to this expense")}));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("160.0:70.0:90.0")});
    EXPECT_EQ(Splits(dialog.ExpID()).value(1), QStringLiteral("%1:60.0:19.99").arg(medical_));

    // An amount refused for a date moved back a year leaves no FSA chosen;
    // Acme's 30, which still fits, is stored, and the other's is named.
    ExpenseEnv::AddElection(fsa_, 2023);
    const qint32 newFsa = ExpenseEnv::AddAccount(5, QStringLiteral("New FSA"));
    ExpenseEnv::AddElection(newFsa, 2024);
    TDlgMedExpItem moved(nullptr, {});
    FillInformation(moved, anne_);
    moved.BtnNext->click();
    moved.MEditCopay->setText(QStringLiteral("100.00"));
    for (const auto& [fsa, amount] : {std::pair{fsa_, "30.00"}, std::pair{newFsa, "10.00"}}) {
        Choose(*moved.CBFSA, fsa);
        moved.MEditReimburst->setText(QString::fromLatin1(amount));
        moved.MEditReimburstExit();
    }
    moved.BtnBack->click();
    moved.PFDate->SetDateTimeValue(EncodeDate(2023, 6, 14));
    moved.BtnNext->click();
    moved.MEditReimburst->setText(QStringLiteral("15.00"));
    moved.MEditReimburstExit();
    EXPECT_EQ(moved.CBFSA->currentIndex(), -1);
    moved.BtnNext->click();
    EXPECT_NE(moved.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes_.Texts().last().endsWith(QStringLiteral("Reimbursement of New FSA: $10.00")))
        << boxes_.Texts().last().toStdString();
    moved.MEditReimburst->clear();
    moved.MEditReimburstExit();
    moved.BtnNext->click();
    ASSERT_EQ(moved.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(moved.ExpID()), QStringList{QStringLiteral("100.0:70.0:30.0")});
}

// Each box refuses a negative amount with its own message, also one entered
// for an account no longer shown, which is shown again; nothing is written
// until every amount is 0 or more.
TEST_F(ExpenseItemWindows, ANegativeAmountInAnyBoxIsRefusedAndNothingIsWritten)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("100.00"));
    Choose(*dialog.CBInsurance, medical_);
    dialog.MEditPaid->setText(QStringLiteral("-60.00"));
    dialog.MEditPaidExit();
    Choose(*dialog.CBInsurance, dental_);
    dialog.MEditPaid->setText(QStringLiteral("5.00"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    EXPECT_EQ(Cents(*dialog.MEditPaid), -6000);
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditPaid);

    dialog.MEditPaid->setText(QStringLiteral("60.00"));
    dialog.MEditAcctDeduct->setText(QStringLiteral("-0.29"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditAcctDeduct);
    dialog.MEditAcctDeduct->setText(QStringLiteral("0.29"));
    Choose(*dialog.CBFSA, fsa_);
    dialog.MEditReimburst->setText(QStringLiteral("-0.01"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditReimburst);
    dialog.MEditReimburst->setText(QStringLiteral("30.00"));
    dialog.MEditDeduct->setText(QStringLiteral("-19.99"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditDeduct);
    dialog.MEditDeduct->clear();
    dialog.MEditCopay->setText(QStringLiteral("-100.00"));
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditCopay);
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{QStringLiteral("Does not allow negative amount for the insurance payment."),
                           QStringLiteral("Does not allow negative amount for the deductible amount."),
                           QStringLiteral("Does not allow negative amount for the reimbursed amount."),
                           QStringLiteral("Does not allow negative amount for the bill paid by mail."),
                           QStringLiteral("Does not allow negative amount for the payment at the doctor's office.")}));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), QStringList());

    dialog.MEditCopay->setText(QStringLiteral("100.00"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("165.0:70.0:95.0")});
}

// The patient changed after a plan's payment: Finish holds the plan to the
// final patient's coverage, shows the plan's payment and writes nothing, for
// a new expense and for a stored one. A plan's payment of 0 is none.
TEST_F(ExpenseItemWindows, FinishRefusesAPlanThatDoesNotCoverTheFinalPatient)
{
    const QString notCovered = QStringLiteral("The member isn't covered by this insurance.Please pick another one.\n"
                                              "Payment of Blue Plan(Medical): $80.00");
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("19.99"));
    Choose(*dialog.CBInsurance, medical_);
    dialog.MEditPaid->setText(QStringLiteral("80.00"));
    dialog.MEditPaidExit();
    Choose(*dialog.CBInsurance, dental_);
    dialog.BtnBack->click();
    Choose(*dialog.CBMember, otherAnne_);
    dialog.BtnNext->click();
    dialog.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{notCovered});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), QStringList());
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    EXPECT_EQ(Cents(*dialog.MEditPaid), 8000);
    EXPECT_EQ(dialog.focusWidget(), dialog.CBInsurance);

    dialog.BtnBack->click();
    Choose(*dialog.CBMember, anne_);
    dialog.BtnNext->click();
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("99.99:19.99:80.0")});

    const QStringList before = Snapshot();
    TDlgMedExpItem edit(nullptr, {.expId = dialog.ExpID()});
    Choose(*edit.CBMember, otherAnne_);
    edit.BtnNext->click();
    edit.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(), (QStringList{notCovered, notCovered}));
    EXPECT_NE(edit.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), before);
    edit.MEditPaid->setText(QStringLiteral("0"));
    edit.BtnNext->click();
    ASSERT_EQ(edit.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT MemberID FROM MEDEXP WHERE ExpID = %1").arg(edit.ExpID())),
              QStringList{QString::number(otherAnne_)});
    EXPECT_EQ(Sums(edit.ExpID()), QStringList{QStringLiteral("19.99:19.99:0.0")});

    // A deductible alone, its payment box left empty, is the plan's part too.
    const QStringList edited = Snapshot();
    TDlgMedExpItem deductibleOnly(nullptr, {});
    FillInformation(deductibleOnly, anne_);
    deductibleOnly.BtnNext->click();
    Choose(*deductibleOnly.CBInsurance, medical_);
    deductibleOnly.MEditAcctDeduct->setText(QStringLiteral("50.00"));
    deductibleOnly.MEditAcctDeductExit();
    deductibleOnly.BtnBack->click();
    Choose(*deductibleOnly.CBMember, otherAnne_);
    deductibleOnly.BtnNext->click();
    deductibleOnly.BtnNext->click();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("The member isn't covered by this insurance.Please pick another "
                                                    "one.\nPayment of Blue Plan(Medical): $0.00, deductible $50.00"));
    EXPECT_NE(deductibleOnly.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), edited);
}

// Payments stored when the plan covered Anne and the FSA had its election
// stay editable once neither holds: only the description is changed.
TEST_F(ExpenseItemWindows, AnExpenseWhoseAccountsChangedSinceItWasStoredCanStillBeEdited)
{
    const qint32 expId = StoreExpense(anne_);
    for (const QString& table : {QStringLiteral("MEDCOVER"), QStringLiteral("MEDYEAR")}) {
        TQuery withdraw(DataFolder);
        withdraw.SQL() << QStringLiteral("DELETE FROM %1 WHERE AccountID IN (%2, %3)").arg(table).arg(medical_).arg(fsa_);
        withdraw.ExecSQL();
    }
    const QStringList splits = Splits(expId);
    TDlgMedExpItem edit(nullptr, {.expId = expId});
    edit.EditDesc->setText(QStringLiteral("Flu shot \"booster\""));
    edit.BtnNext->click();
    edit.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(), QStringList());
    ASSERT_EQ(edit.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(expId).mid(1), splits.mid(1));
}

// Blue Plan lost its deductible after the expense was stored: its box shows
// 0, and an edit that leaves the box alone keeps the 19.99 the plan counted
// that year. What is typed there is still held to the plan's new terms.
TEST_F(ExpenseItemWindows, TheZeroShownForAPlanThatLostItsDeductibleIsNotStoredUntilTyped)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    Choose(*dialog.CBInsurance, medical_);
    dialog.MEditPaid->setText(QStringLiteral("80.01"));
    dialog.MEditPaidExit();
    dialog.MEditAcctDeduct->setText(QStringLiteral("19.99"));
    dialog.MEditAcctDeductExit();
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const qint32 expId = dialog.ExpID();
    Execute(QStringLiteral("UPDATE MEDINS SET IndDeduct = -1 WHERE AccountID = %1").arg(medical_));
    const QString blue = QStringLiteral("%1:80.01:19.99").arg(medical_);
    ASSERT_EQ(Splits(expId).value(1), blue);

    TDlgMedExpItem described(nullptr, {.expId = expId});
    described.EditDesc->setText(QStringLiteral("Check-up \"annual\", billed twice"));
    described.BtnNext->click();
    EXPECT_EQ(described.MEditAcctDeduct->text(), QStringLiteral("$0.00"));
    described.BtnNext->click();
    ASSERT_EQ(described.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT Description FROM MEDEXP WHERE ExpID = %1").arg(expId)),
              QStringList{QStringLiteral("Check-up \"annual\", billed twice")});
    EXPECT_EQ(Splits(expId).value(1), blue);
    EXPECT_EQ(SumAccountSpending(medical_, 2024).at(0).deductiblePaid.Cents(), 1999);

    // A key pressed there by mistake and rubbed out leaves the box as shown.
    TDlgMedExpItem slipped(nullptr, {.expId = expId});
    slipped.BtnNext->click();
    ShowActive(slipped);
    slipped.MEditAcctDeduct->setFocus();
    slipped.MEditAcctDeduct->setCursorPosition(1);
    QTest::keyClick(slipped.MEditAcctDeduct, Qt::Key_5);
    QTest::keyClick(slipped.MEditAcctDeduct, Qt::Key_Backspace);
    QTest::keyClick(slipped.MEditAcctDeduct, Qt::Key_Tab);
    QTest::qWait(20);
    slipped.BtnNext->click();
    ASSERT_EQ(slipped.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(expId).value(1), blue);

    TDlgMedExpItem typed(nullptr, {.expId = expId});
    typed.BtnNext->click();
    ShowActive(typed);
    TypeInto(*typed.MEditAcctDeduct, "0.29");
    QTest::keyClick(typed.MEditAcctDeduct, Qt::Key_Return);
    EXPECT_TRUE(typed.isVisible());
    EXPECT_EQ(typed.MEditAcctDeduct->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(boxes_.Texts(),
              QStringList{QStringLiteral("This account is no deductible.The deductible amount should be zero.")});
    EXPECT_EQ(Splits(expId).value(1), blue);
    TypeInto(*typed.MEditAcctDeduct, "0");
    QTest::keyClick(typed.MEditAcctDeduct, Qt::Key_Return);
    ASSERT_EQ(typed.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(expId).value(1), QStringLiteral("%1:80.01:0.0").arg(medical_));

    // A new expense has no deductible to keep: the plan chosen, nothing
    // typed yet, is stored with the 0 shown, as the plan that is to pay.
    TDlgMedExpItem added(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 14)});
    Choose(*added.CBInsurance, medical_);
    added.BtnNext->click();
    ASSERT_EQ(added.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(added.ExpID()).value(1), QStringLiteral("%1:0.0:0.0").arg(medical_));
}

// The date moved after the amounts were entered: Finish holds every payment
// to the final date, shows the first that no longer fits and writes nothing,
// for a stored expense and for a new one gone Back; a payment of 0 is none.
TEST_F(ExpenseItemWindows, FinishHoldsEveryPaymentToTheFinalDate)
{
    const QString taxYear = QStringLiteral("The tax-year is different. This FSA can not apply to this expense\n"
                                           "Reimbursement of Acme FSA: $30.00");
    const qint32 expId = StoreExpense(anne_);
    const QStringList stored = Snapshot();
    TDlgMedExpItem dialog(nullptr, {.expId = expId});
    dialog.PFDate->SetDateTimeValue(EncodeDate(2023, 12, 30));
    dialog.BtnNext->click();
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.CBFSA->currentData().toInt(), fsa_);
    EXPECT_EQ(dialog.focusWidget(), dialog.CBFSA);
    EXPECT_EQ(Snapshot(), stored);
    dialog.MEditReimburst->clear();
    dialog.MEditReimburstExit();
    dialog.BtnNext->click();
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    EXPECT_EQ(Snapshot(), stored);
    dialog.MEditPaid->setText(QStringLiteral("0"));
    dialog.MEditAcctDeduct->clear();
    dialog.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{taxYear, QStringLiteral("The effective date of the insurance is later then the date of the "
                                                   "expense.\nPayment of Blue Plan(Medical): $60.00, deductible $19.99")}));
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT ServiceDate || '|' || TotalExpense || '|' || OutofPocket || '|' || "
                                    "InsFSAPaid FROM MEDEXP WHERE ExpID = %1").arg(expId)),
              QStringList{QStringLiteral("2023-12-30|100.0|100.0|0.0")});

    boxes_.shown.clear();
    const QStringList before = Snapshot();
    TDlgMedExpItem fresh(nullptr, {});
    FillInformation(fresh, anne_);
    fresh.BtnNext->click();
    fresh.MEditCopay->setText(QStringLiteral("100.00"));
    Choose(*fresh.CBInsurance, medical_);
    fresh.MEditPaid->setText(QStringLiteral("50.00"));
    fresh.MEditPaidExit();
    Choose(*fresh.CBFSA, fsa_);
    fresh.MEditReimburst->setText(QStringLiteral("30.00"));
    fresh.MEditReimburstExit();
    fresh.BtnBack->click();
    fresh.PFDate->SetDateTimeValue(EncodeDate(2023, 12, 30));
    fresh.BtnNext->click();
    fresh.BtnNext->click();
    EXPECT_EQ(fresh.CBFSA->currentData().toInt(), fsa_);
    EXPECT_EQ(Cents(*fresh.MEditReimburst), 3000);
    fresh.MEditReimburst->setText(QStringLiteral("0"));
    fresh.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{taxYear, QStringLiteral("The effective date of the insurance is later then the date of the "
                                                   "expense.\nPayment of Blue Plan(Medical): $50.00")}));
    EXPECT_NE(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ExpenseItemWindows, AnFsaNeedsAnElectionForTheYearAndMayNotPayMoreThanWasPaid)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditReimburst->setText(QStringLiteral("0.29"));
    dialog.MEditReimburstExit();
    Choose(*dialog.CBFSA, oldFsa_);
    EXPECT_EQ(dialog.CBFSA->currentIndex(), -1);
    EXPECT_EQ(dialog.focusWidget(), dialog.CBFSA);
    Choose(*dialog.CBFSA, fsa_);
    dialog.MEditCopay->setText(QStringLiteral("19.99"));
    dialog.MEditReimburst->setText(QStringLiteral("20.00"));
    dialog.MEditReimburstExit();
    dialog.BtnNext->click();
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{QStringLiteral("Please select Flexible Spending Account first."),
                           QStringLiteral("The tax-year is different. This FSA can not apply to this expense"),
                           QStringLiteral("The reimburst amount from your FSA should be less than or equal to your "
                                          "payment.")}));
    EXPECT_EQ(dialog.focusWidget(), dialog.MEditReimburst);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Snapshot(), QStringList()) << "a refused Finish writes nothing";
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE BusinessName LIKE 'Dr. O%'")), 0);

    dialog.MEditReimburst->setText(QStringLiteral("19.99"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("19.99:0.0:19.99")});
}

// The fault this dialog mends: the edited amounts were written as each box
// was left, and stayed when the dialog was cancelled.
TEST_F(ExpenseItemWindows, CancellingAnEditedExpenseLeavesEveryRowAsItWas)
{
    const qint32 expId = StoreExpense(anne_);
    const QStringList before = Snapshot();

    TDlgMedExpItem dialog(nullptr, {.expId = expId});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Medical Expense"));
    EXPECT_EQ(dialog.EditDesc->text(), QStringLiteral("Check-up \"annual\""));
    EXPECT_EQ(dialog.PFDate->DateTimeValue(), EncodeDate(2024, 6, 14));
    EXPECT_EQ(dialog.CBDoctor->currentText(), QStringLiteral("Dr. O'Brien <b>Jr</b>"));
    EXPECT_EQ(dialog.MemoNote->toPlainText(), QStringLiteral("first line\nsecond"));
    EXPECT_EQ(Cents(*dialog.MEditCopay), 10000);
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    EXPECT_EQ(Cents(*dialog.MEditPaid), 6000);
    EXPECT_EQ(Cents(*dialog.MEditAcctDeduct), 1999);
    EXPECT_EQ(dialog.CBFSA->currentData().toInt(), fsa_);
    EXPECT_EQ(Cents(*dialog.MEditReimburst), 3000);

    dialog.EditDesc->setText(QStringLiteral("changed"));
    dialog.BtnNext->click();
    dialog.MEditPaid->setText(QStringLiteral("0.29"));
    dialog.MEditPaidExit();
    Choose(*dialog.CBInsurance, dental_);
    dialog.MEditPaid->setText(QStringLiteral("19.99"));
    dialog.MEditPaidExit();
    dialog.MEditReimburst->setText(QStringLiteral("0.01"));
    dialog.MEditReimburstExit();
    dialog.CancelBtn->click();
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_EQ(dialog.ExpID(), expId);
    EXPECT_EQ(Snapshot(), before);
}

// An emptied amount box removes that account's amount as 0 does, whether its
// exit ran or Finish took it; an untouched empty box adds no account.
TEST_F(ExpenseItemWindows, EmptiedAmountBoxesRemoveTheStoredAmounts)
{
    for (const bool exits : {true, false}) {
        const qint32 expId = StoreExpense(anne_);
        TDlgMedExpItem dialog(nullptr, {.expId = expId});
        dialog.BtnNext->click();
        dialog.MEditPaid->clear();
        dialog.MEditAcctDeduct->clear();
        dialog.MEditReimburst->clear();
        if (exits) {
            dialog.MEditPaidExit();
            dialog.MEditAcctDeductExit();
            dialog.MEditReimburstExit();
        }
        dialog.BtnNext->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("100.0:100.0:0.0")}) << exits;
        EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:100.0:-"), QStringLiteral("%1:0.0:0.0").arg(medical_),
                                              QStringLiteral("%1:0.0:-").arg(fsa_)}))
            << exits;
    }
    // Emptied and left before another FSA is picked: the first one's 30 goes too.
    ExpenseEnv::AddElection(oldFsa_, 2024);
    const qint32 expId = StoreExpense(anne_);
    TDlgMedExpItem other(nullptr, {.expId = expId});
    other.BtnNext->click();
    other.MEditReimburst->clear();
    other.MEditReimburstExit();
    Choose(*other.CBFSA, oldFsa_);
    other.MEditReimburst->setText(QStringLiteral("10.00"));
    other.BtnNext->click();
    ASSERT_EQ(other.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("160.0:90.0:70.0")});

    TDlgMedExpItem fresh(nullptr, {});
    FillInformation(fresh, anne_);
    fresh.BtnNext->click();
    fresh.MEditCopay->setText(QStringLiteral("19.99"));
    Choose(*fresh.CBFSA, fsa_);
    fresh.MEditReimburstExit();
    fresh.BtnNext->click();
    ASSERT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(Splits(fresh.ExpID()), QStringList{QStringLiteral("1:19.99:-")});
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
}

TEST_F(ExpenseItemWindows, AnEditKeepsTheMemberOfTwoWithOneFirstNameAndEveryAccount)
{
    Cover(medical_, otherAnne_);
    const qint32 expId = StoreExpense(otherAnne_);
    TDlgMedExpItem dialog(nullptr, {.expId = expId});
    EXPECT_EQ(dialog.CBMember->currentData().toInt(), otherAnne_);
    dialog.BtnNext->click();
    // The other Anne is not covered: the stored account is shown again.
    Choose(*dialog.CBInsurance, lateStart_);
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), medical_);
    dialog.MEditCopay->setText(QStringLiteral("100.01"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Column(QStringLiteral("SELECT MemberID FROM MEDEXP WHERE ExpID = %1").arg(expId)),
              QStringList{QString::number(otherAnne_)});
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("160.01:70.01:90.0")});
    EXPECT_EQ(ExpenseEnv::ExpenseContradictions(), QStringList());
}

// The plan and the FSA are deleted after paying: what they paid stays part of
// the expense through later edits, and the FSA's election still counts.
TEST_F(ExpenseItemWindows, AnEditKeepsWhatDeletedAccountsPaid)
{
    const qint32 expId = StoreExpense(anne_);
    Execute(QStringLiteral("DELETE FROM MEDINS WHERE AccountID IN (%1, %2)").arg(medical_).arg(fsa_));
    const QStringList splits{QStringLiteral("1:70.0:-"), QStringLiteral("%1:60.0:19.99").arg(medical_),
                             QStringLiteral("%1:30.0:-").arg(fsa_)};
    ASSERT_EQ(Splits(expId), splits);
    {
        TDlgMedExpItem dialog(nullptr, {.expId = expId});
        dialog.EditDesc->setText(dialog.EditDesc->text() + QStringLiteral(" (molar)"));
        dialog.BtnNext->click();
        dialog.BtnNext->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("160.0:70.0:90.0")});
    EXPECT_EQ(Splits(expId), splits);

    TDlgMedExpItem dialog(nullptr, {.expId = expId});
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("45.00"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("105.0:15.0:90.0")});
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:15.0:-"), splits[1], splits[2]}));
}

TEST_F(ExpenseItemWindows, AFailedSaveKeepsTheDialogOpenWithWhatWasTypedAndWritesNothing)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.MEditCopay->setText(QStringLiteral("19.99"));
    {
        DatabaseLockedElsewhere other(DataFolder);
        dialog.BtnNext->click();
    }
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Warning);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ExpID(), 0);
    EXPECT_EQ(Snapshot(), QStringList());
    EXPECT_EQ(dialog.EditDesc->text(), QStringLiteral("Check-up \"annual\""));
    EXPECT_EQ(Cents(*dialog.MEditCopay), 1999);

    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Sums(dialog.ExpID()), QStringList{QStringLiteral("19.99:19.99:0.0")});
}

// An amount box is checked once the focus has left it for another control.
TEST_F(ExpenseItemWindows, LeavingAnAmountBoxChecksItOnceTheFocusHasSettled)
{
    TDlgMedExpItem dialog(nullptr, {});
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.MEditPaid->setFocus();
    QTest::keyClicks(dialog.MEditPaid, QStringLiteral("5"));
    dialog.MEditCopay->setFocus();
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << "not in the middle of the focus change";
    QTest::qWait(20);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select Insurance account first.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog.CBInsurance);
}

// Enter in an amount box, or a button's Alt key, finishes with the caret
// still there: what the box shows is refused as leaving it refuses it, told
// once, and nothing is stored; the other boxes are taken all the same.
TEST_F(ExpenseItemWindows, FinishedByEnterOrAnAltKeyTheBoxWithTheCaretIsChecked)
{
    TDlgMedExpItem dialog(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 14)});
    ShowActive(dialog);
    TypeInto(*dialog.MEditPaid, "60");
    QTest::keyClick(dialog.MEditPaid, Qt::Key_Return);
    dialog.MEditPaid->clear();
    TypeInto(*dialog.MEditReimburst, "30");
    QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
    QTest::qWait(200);
    dialog.MEditReimburst->clear();
    Choose(*dialog.CBInsurance, dental_);
    TypeInto(*dialog.MEditAcctDeduct, "0.29");
    QTest::keyClick(dialog.MEditAcctDeduct, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_EQ(Cents(*dialog.MEditAcctDeduct), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("Please select Insurance account first."),
                                          QStringLiteral("Please select Flexible Spending Account first."),
                                          QStringLiteral("This account is no deductible.The deductible amount should "
                                                         "be zero.")}));
    EXPECT_EQ(Snapshot(), QStringList());

    // A box refused so keeps none of the others from being taken: Acme's 30,
    // typed after a payment with no plan chosen, is held, shown again when
    // another FSA is refused, and stored once the payment is emptied.
    boxes_.shown.clear();
    TDlgMedExpItem acme(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 14)});
    ShowActive(acme);
    TypeInto(*acme.MEditCopay, "100");
    Choose(*acme.CBFSA, fsa_);
    TypeInto(*acme.MEditPaid, "60");
    TypeInto(*acme.MEditReimburst, "30");
    QTest::keyClick(acme.MEditReimburst, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select Insurance account first.")});
    Choose(*acme.CBFSA, oldFsa_);
    EXPECT_EQ(acme.CBFSA->currentData().toInt(), fsa_);
    EXPECT_EQ(Cents(*acme.MEditReimburst), 3000);
    acme.MEditPaid->clear();
    acme.BtnNext->click();
    ASSERT_EQ(acme.result(), QDialog::Accepted);
    EXPECT_EQ(boxes_.Texts().size(), 2);
    EXPECT_EQ(Splits(acme.ExpID()), (QStringList{QStringLiteral("1:70.0:-"), QStringLiteral("%1:30.0:-").arg(fsa_)}));
}

// Enter on a button holding the caret presses that button, not Finish.
TEST_F(ExpenseItemWindows, EnterOnAFocusedCancelCancels)
{
    TDlgMedExpItem dialog(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 14)});
    ShowActive(dialog);
    TypeInto(*dialog.MEditCopay, "19.99");
    dialog.CancelBtn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog.CancelBtn, Qt::Key_Return);
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_EQ(Snapshot(), QStringList());
}

// The wheel changes an account list at once, the caret still in its box:
// the amount is the shown account's, taken first, or refused with the list
// kept.
TEST_F(ExpenseItemWindows, TheWheelOverAnAccountListFirstTakesTheAmountInItsBox)
{
    TDlgMedExpItem dialog(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 14)});
    ShowActive(dialog);
    const auto roll = [](QComboBox& list) {
        list.setFocus(Qt::MouseFocusReason);
        QWheelEvent wheel({}, {}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&list, &wheel);
        QTest::qWait(20);
    };
    const auto typeAndRoll = [&roll](TMoneyEdit& box, const char* amount, QComboBox& list) {
        TypeInto(box, amount);
        roll(list);
    };
    Choose(*dialog.CBInsurance, medical_);
    typeAndRoll(*dialog.MEditPaid, "40", *dialog.CBInsurance);
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), dental_);
    Choose(*dialog.CBInsurance, medical_);
    EXPECT_EQ(Cents(*dialog.MEditPaid), 4000);
    Choose(*dialog.CBFSA, fsa_);
    typeAndRoll(*dialog.MEditReimburst, "30", *dialog.CBFSA);   // to Old FSA, refused
    EXPECT_EQ(Cents(*dialog.MEditReimburst), 3000);
    Choose(*dialog.CBInsurance, dental_);
    typeAndRoll(*dialog.MEditAcctDeduct, "0.29", *dialog.CBInsurance);
    EXPECT_EQ(dialog.CBInsurance->currentData().toInt(), dental_);
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{QStringLiteral("The tax-year is different. This FSA can not apply to this expense"),
                           QStringLiteral("This account is no deductible.The deductible amount should be zero.")}));

    // The database failing as the amount is taken: told once, and the next
    // roll takes it first.
    {
        DatabaseLockedElsewhere other(DataFolder);
        typeAndRoll(*dialog.MEditReimburst, "20", *dialog.CBFSA);
    }
    EXPECT_EQ(boxes_.shown.size(), 3);
    roll(*dialog.CBFSA);   // to Old FSA, refused
    EXPECT_EQ(Cents(*dialog.MEditReimburst), 2000);
}

// A record whose expense was deleted meanwhile gets a new one.
TEST_F(ExpenseItemWindows, AnExpenseNoLongerStoredIsAddedAnew)
{
    const qint32 gone = StoreExpense(anne_);
    Execute(QStringLiteral("DELETE FROM MEDEXP"));
    Execute(QStringLiteral("DELETE FROM MEDEXPSP"));
    TDlgMedExpItem dialog(nullptr, {.memberFixed = true, .expId = gone, .memberId = anne_,
                                    .expenseDate = EncodeDate(2024, 2, 29)});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Medical Expense"));
    EXPECT_EQ(dialog.ExpID(), 0);
    dialog.MEditCopay->setText(QStringLiteral("0.29"));
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_NE(dialog.ExpID(), gone);
    EXPECT_EQ(Column(QStringLiteral("SELECT MemberID || '|' || TotalExpense FROM MEDEXP WHERE ExpID = %1").arg(dialog.ExpID())),
              QStringList{QStringLiteral("%1|0.29").arg(anne_)});
}

TEST_F(ExpenseItemWindows, WithoutAccountsOrExpensesTheAdviceIsGivenOnceAtShowing)
{
    const QString advice = QStringLiteral("You haven't enter the insurance or FSA information yet. If you don't have "
                                          "any insurance or FSA, please ignore this message.");
    Execute(QStringLiteral("DELETE FROM MEDINS WHERE AccountID > 1"));
    {
        TDlgMedExpItem dialog(nullptr, {});
        dialog.show();
        dialog.hide();
        dialog.show();
        EXPECT_EQ(boxes_.Texts(), QStringList{advice});
    }
    AddExpense(anne_, EncodeDate(2024, 1, 2), 19.99, 19.99);
    TDlgMedExpItem dialog(nullptr, {});
    dialog.show();
    EXPECT_EQ(boxes_.Texts(), QStringList{advice});
}

TEST_F(ExpenseItemWindows, TheCalculatorIsTheFirstFoundOnThePathOrTheUserIsTold)
{
    struct SavedPath {
        QByteArray path = qgetenv("PATH");
        ~SavedPath() { qputenv("PATH", path); }
    } saved;
    QTemporaryDir bin;
    qputenv("PATH", bin.path().toLocal8Bit());
    TDlgMedExpItem dialog(nullptr, {});
    dialog.SpeedButton1->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("No calculator program is installed on this computer.")});

    // Two calculators: the one listed first starts.
    const QString marker = bin.filePath(QStringLiteral("started"));
    for (const QString& name : {QStringLiteral("xcalc"), QStringLiteral("kcalc")}) {
        QFile script(bin.filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho %1 > '%2'\n").arg(name, marker).toLocal8Bit());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(FindCalculator(), bin.filePath(QStringLiteral("kcalc")));
    dialog.SpeedButton1->click();
    EXPECT_EQ(boxes_.shown.size(), 1);
    QFile started(marker);
    for (int i = 0; i < 100 && !started.exists(); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll().trimmed(), QByteArray("kcalc"));
}

// Made as small as the window system allows, both pages still read whole.
TEST_F(ExpenseItemWindows, AShrunkDialogStaysReadable)
{
    TDlgMedExpItem dialog(nullptr, {});
    dialog.show();
    dialog.resize(1, 1);
    EXPECT_TRUE(CrampedWidgets(dialog).isEmpty()) << CrampedWidgets(dialog).join(" | ").toStdString();
    FillInformation(dialog, anne_);
    dialog.BtnNext->click();
    ASSERT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet2);
    EXPECT_TRUE(CrampedWidgets(dialog).isEmpty()) << CrampedWidgets(dialog).join(" | ").toStdString();
    SavePicture(dialog, QStringLiteral("expense_item_smallest"));
}

TEST_F(ExpenseItemWindows, PicturesOfBothPages)
{
    const qint32 expId = StoreExpense(anne_);
    TDlgMedExpItem dialog(nullptr, {.expId = expId});
    dialog.show();
    SavePicture(dialog, QStringLiteral("expense_item_information"));
    dialog.BtnNext->click();
    SavePicture(dialog, QStringLiteral("expense_item_amounts"));
    TDlgMedExpItem fixed(nullptr, {.memberFixed = true, .memberId = anne_, .expenseDate = EncodeDate(2024, 6, 1)});
    fixed.show();
    SavePicture(fixed, QStringLiteral("expense_item_member_fixed"));
    EXPECT_EQ(fixed.PageControl1->currentWidget(), fixed.TabSheet2);
}

// From a vaccine dose record the dialog opens on its amounts page with the
// record's member and date; the record then makes the expense its own.
TEST_F(ExpenseItemWindows, ADoseRecordAttachesAnExpenseMadeInTheRealDialog)
{
    const qint32 templId = AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(anne_);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Tetanus \"Td\" booster"));
        row.FieldByName(QStringLiteral("Interval")).SetAsInteger(120);
    });
    TDlgMedImmRec record(nullptr, anne_, templId, 0);
    record.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 3));
    record.CBDoc->setEditText(QStringLiteral("Dr. Lee"));
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgMedExpItem*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        seen << dialog->windowTitle() << dialog->BtnNext->text();
        EXPECT_TRUE(dialog->BtnBack->isHidden());
        EXPECT_EQ(dialog->PageControl1->currentWidget(), dialog->TabSheet2);
        dialog->MEditCopay->setText(QStringLiteral("19.99"));
        Choose(*dialog->CBFSA, fsa_);
        dialog->MEditReimburst->setText(QStringLiteral("0.29"));
        Choose(*dialog->CBInsurance, medical_);
        dialog->MEditPaid->setText(QStringLiteral("45.01"));
        dialog->BtnNext->click();
        EXPECT_FALSE(dialog->isVisible());
    });
    record.Button1->click();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Add Medical Expense"), QStringLiteral("&OK")}));
    ASSERT_NE(record.ExpID(), 0);
    record.BtnOK->click();
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();

    const qint32 expId = record.ExpID();
    EXPECT_EQ(Column(QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(record.CheckupID())),
              QStringList{QString::number(expId)});
    EXPECT_EQ(Column(QStringLiteral("SELECT ExpType || '|' || MemberID || '|' || Description || '|' || Doctor || '|' || "
                                    "CheckupID FROM MEDEXP WHERE ExpID = %1").arg(expId)),
              QStringList{QStringLiteral("1|%1|Tetanus \"Td\" booster|Dr. Lee|%2").arg(anne_).arg(record.CheckupID())});
    EXPECT_EQ(Sums(expId), QStringList{QStringLiteral("65.0:19.7:45.3")});
    EXPECT_EQ(Splits(expId), (QStringList{QStringLiteral("1:19.7:-"), QStringLiteral("%1:45.01:0.0").arg(medical_),
                                          QStringLiteral("%1:0.29:-").arg(fsa_)}));
    EXPECT_EQ(Column(QStringLiteral("SELECT ServiceDate = (SELECT DateDone FROM MEDCHEK) FROM MEDEXP")),
              QStringList{QStringLiteral("1")});

    // Opened again, the stored expense is shown; Cancel keeps it.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgMedExpItem*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Medical Expense"));
        EXPECT_EQ(Cents(*dialog->MEditCopay), 1999);
        dialog->MEditCopay->setText(QStringLiteral("1.00"));
        dialog->CancelBtn->click();
    });
    const QStringList before = Snapshot();
    record.Button1->click();
    EXPECT_EQ(record.ExpID(), expId);
    EXPECT_EQ(Snapshot(), before);
}

// An expense finished through a record's expense report, looked at again and
// left with Cancel, as one does after only looking: the record keeps it, be
// it "Checkup Performed", a record of the log or a new dose record.
TEST_F(ExpenseItemWindows, ASecondLookEndedWithCancelKeepsTheRecordsExpense)
{
    const auto item = [&](qint32 type, const QString& name) {
        return AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(type);
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(anne_);
            row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(name);
            row.FieldByName(QStringLiteral("Interval")).SetAsInteger(120);
        });
    };
    const qint32 flu = item(4, QStringLiteral("Flu Shot"));
    const qint32 tetanus = item(2, QStringLiteral("Tetanus booster"));
    const auto report = [](auto& record, std::function<void(TDlgMedExpItem&)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<TDlgMedExpItem*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            answer(*dialog);
        });
        record.Button1->click();
    };
    // Cancel while there is nothing yet, office 80 and OK, a look left with Cancel, then the record's OK.
    const auto payLookAndRecord = [&](auto& record) {
        record.PFDate->SetDateTimeValue(EncodeDate(2024, 6, 3));
        report(record, [](TDlgMedExpItem& dialog) { dialog.CancelBtn->click(); });
        report(record, [](TDlgMedExpItem& dialog) {
            dialog.MEditCopay->setText(QStringLiteral("80.00"));
            dialog.BtnNext->click();
        });
        report(record, [](TDlgMedExpItem& dialog) {
            EXPECT_EQ(Cents(*dialog.MEditCopay), 8000);
            dialog.CancelBtn->click();
        });
        record.BtnOK->click();
        EXPECT_EQ(record.result(), QDialog::Accepted);
    };
    TDlgChkupPerform performed(nullptr, *LoadChkRecord(anne_, flu, 0, 0.0));
    payLookAndRecord(performed);
    TDlgCheckupData logged(nullptr, *LoadChkRecord(anne_, 0, 0, 0.0), true);
    logged.ComboBox1->setCurrentIndex(logged.ComboBox1->findData(flu));
    payLookAndRecord(logged);
    TDlgMedImmRec dose(nullptr, anne_, tetanus, 0);
    payLookAndRecord(dose);

    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
    EXPECT_EQ(Column(QStringLiteral("SELECT C.TemplID || ':' || E.TotalExpense || ':' || (E.CheckupID = C.CheckupID) "
                                    "FROM MEDCHEK C JOIN MEDEXP E ON E.ExpID = C.ExpID ORDER BY C.CheckupID")),
              (QStringList{QStringLiteral("%1:80.0:1").arg(flu), QStringLiteral("%1:80.0:1").arg(flu),
                           QStringLiteral("%1:80.0:1").arg(tetanus)}));
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 3);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 3);
}

}  // namespace
