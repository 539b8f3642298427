// The insurance account and FSA dialogs under awkward use: the largest
// amounts, cents typed by hand, long names, Escape, small windows.
#include "insuranceenv.h"

#include "health/dlgaddfsa.h"
#include "health/dlgnewinsurance.h"
#include "health/filterform.h"
#include "health/fsadata.h"
#include "health/insurancedata.h"
#include "health/radiogroup.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

class InsuranceInput : public InsuranceEnv {
protected:
    void SetUp() override
    {
        InsuranceEnv::SetUp();
        CurAccountID = 0;
        InsuranceSaved = false;
        FSASaved = false;
    }
    template <class Dialog>
    static std::unique_ptr<Dialog> Shown(std::unique_ptr<Dialog> dialog)
    {
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }
    static void TypeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

TEST_F(InsuranceInput, TheLargestAmountsAndCentsTypedByHandAreKept)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Shown(std::make_unique<TDlgNewInsurance>(true));
    dialog->CBInsType->setCurrentIndex(4);
    dialog->EditInsName->setText(QString(100, QLatin1Char('W')));
    dialog->PFDate->SetDateTimeValue(EncodeDate(2024, 12, 31));
    dialog->LBAllMembers->item(0)->setSelected(true);
    dialog->BtnFW->click();
    TypeInto(dialog->MEditPrem, QStringLiteral("999999999.99"));
    dialog->EfPFPrem->SetIntegerValue(1);
    dialog->ComboBox2->setCurrentIndex(3);
    SavePicture(*dialog, QStringLiteral("insurance_input_long_name"));
    dialog->PageControl1->setCurrentIndex(kPageCopayDeduct);
    ASSERT_EQ(dialog->PageControl1->currentIndex(), kPageCopayDeduct);
    dialog->RGIndDeduct->Item(1)->click();
    TypeInto(dialog->MEditIndDeduct, QStringLiteral("0.29"));
    dialog->RGFamDeduct->Item(1)->click();
    TypeInto(dialog->MEditFamDeduct, QStringLiteral("19.99"));
    dialog->MemoFamDeduct->setFocus();
    dialog->resize(200, 150);
    SavePicture(*dialog, QStringLiteral("insurance_input_small"));
    dialog->OKBtn->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    const TInsurancePlan stored = *LoadInsuranceAccount(CurAccountID);
    EXPECT_EQ(stored.typeIndex, 4);
    EXPECT_EQ(stored.companyName, QString(100, QLatin1Char('W')));
    EXPECT_EQ(stored.effDate, EncodeDate(2024, 12, 31));
    EXPECT_EQ(stored.premiumCents, 99999999999);
    EXPECT_EQ(stored.indDeduct, (TAmountChoice{1, 29}));
    EXPECT_EQ(stored.famDeduct, (TAmountChoice{1, 1999}));
}

// The header repeats the name the box beside it holds in full: a name of
// the longest kind must not push the buttons off a laptop's screen.
TEST_F(InsuranceInput, ALongNameInTheHeaderDoesNotWidenTheWindow)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    TInsurancePlan plan = GoodEntry();
    plan.companyName = QStringLiteral("Ace");
    CurAccountID = InsertInsuranceAccount(plan, {ann});
    const int usual = Shown(std::make_unique<TDlgNewInsurance>(false))->minimumSizeHint().width();
    plan.companyName = QString(100, QLatin1Char('W'));
    CurAccountID = InsertInsuranceAccount(plan, {ann});
    auto insurance = Shown(std::make_unique<TDlgNewInsurance>(false));
    EXPECT_EQ(insurance->Label7->text(), plan.companyName);
    EXPECT_EQ(insurance->minimumSizeHint().width(), usual);
    EXPECT_LE(insurance->width(), 1024);
    SavePicture(*insurance, QStringLiteral("insurance_input_long_name_edit"));

    CurAccountID = AddAccountRow(5, QStringLiteral("Ace"));
    const int usualFsa = Shown(std::make_unique<TDlgAddFSA>(false))->minimumSizeHint().width();
    CurAccountID = AddAccountRow(5, QString(100, QLatin1Char('W')));
    auto fsa = Shown(std::make_unique<TDlgAddFSA>(false));
    EXPECT_EQ(fsa->minimumSizeHint().width(), usualFsa);
    EXPECT_LE(fsa->width(), 1024);
}

TEST_F(InsuranceInput, EscapeLeavesAnEditedAccountAndItsCoverAsStored)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    TInsurancePlan plan = GoodEntry();
    CurAccountID = InsertInsuranceAccount(plan, {ann});
    auto dialog = Shown(std::make_unique<TDlgNewInsurance>(false));
    dialog->EditInsName->setText(QStringLiteral("Changed"));
    dialog->LBAllMembers->item(0)->setSelected(true);
    dialog->BtnFW->click();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(dialog->Cancelled());
    EXPECT_FALSE(InsuranceSaved);
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->companyName, plan.companyName);
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), (std::vector<TKeyedItem>{{ann, "Ann"}}));
}

TEST_F(InsuranceInput, AnFsaDialogMadeSmallAndLargeStillShowsItsAmounts)
{
    AddMember(QStringLiteral("Ann"));
    CurAccountID = AddAccountRow(5, QStringLiteral("<b>O'Brien</b> & \"Sons\""));
    AddYear(CurAccountID, 2024, 999999999.99);
    auto dialog = Shown(std::make_unique<TDlgAddFSA>(false));
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("999,999,999.99"));
    dialog->resize(150, 120);
    SavePicture(*dialog, QStringLiteral("fsa_input_small"));
    dialog->resize(1400, 900);
    SavePicture(*dialog, QStringLiteral("fsa_input_large"));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->Cancelled());
}

// Text the percentage box refuses is told once, in the box's words, whether
// OK is clicked (leaving the box tells it too) or Enter is pressed in the
// box: the caret goes back to it and the stored percentage is kept.
TEST_F(InsuranceInput, APercentageTheBoxRefusesIsToldOnceAndNotStored)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    CurAccountID = InsertInsuranceAccount(PercentEntry(12.5), {ann});
    auto dialog = Shown(std::make_unique<TDlgNewInsurance>(false));
    dialog->PageControl1->setCurrentIndex(kPageCopayDeduct);
    ASSERT_EQ(dialog->PageControl1->currentIndex(), kPageCopayDeduct);
    TEfPictureField* percent = dialog->EfPictureField1;
    percent->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(percent, QStringLiteral("12.512.5"));
    ASSERT_EQ(percent->Core().Text().trimmed(), QStringLiteral("12.512.5"));
    ScriptedMessageBoxes boxes;
    for (const bool byMouse : {true, false}) {
        SCOPED_TRACE(byMouse ? "OK clicked" : "Enter in the box");
        boxes.shown.clear();
        if (byMouse)
            QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
        else
            QTest::keyClick(percent, Qt::Key_Return);
        QTest::qWait(50);
        EXPECT_EQ(boxes.Texts(), QStringList{"Value is not valid for this field type"});
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), percent);
        EXPECT_EQ(percent->Core().Text().trimmed(), QStringLiteral("12.512.5"));
        EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->copayPercent, 12.5);
    }
}

// A keyboard is enough: Tab walks down each form in the order it reads and
// leaves the notes, so a tab never ends up in what is stored.
TEST_F(InsuranceInput, TabWalksDownTheFormsAndOutOfTheNotes)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Shown(std::make_unique<TDlgNewInsurance>(true));
    TDlgNewInsurance& d = *dialog;
    EXPECT_EQ(TabChain(d.CBInsType, 15),
              (std::vector<QWidget*>{d.CBInsType, d.EditInsName, d.PSBIns, d.PFDate, d.SBDate, d.EditSubNum,
                                     d.EditGroNum, d.MEditPrem, d.EfPFPrem, d.ComboBox2, d.LBAllMembers, d.BtnFW,
                                     d.BtnBW, d.LBCoveredMembers, d.OKBtn}));
    d.PageControl1->setCurrentIndex(kPageCopayDeduct);
    d.RGCopay->Item(kPercentCopay)->click();
    EXPECT_EQ(TabChain(d.RGCopay->Item(kPercentCopay), 3),
              (std::vector<QWidget*>{d.RGCopay->Item(kPercentCopay), d.EfPictureField1, d.RGIndDeduct->Item(0)}));
    d.RGCopay->Item(kNoCopay)->click();
    d.PageControl1->setCurrentIndex(kPageCoverage);
    ASSERT_EQ(d.PageControl1->currentIndex(), kPageCoverage);
    EXPECT_EQ(TabChain(d.MemoCoverage, 2), (std::vector<QWidget*>{d.MemoCoverage, d.OKBtn}));
    EXPECT_EQ(d.MemoCoverage->toPlainText(), QString());

    auto fsa = Shown(std::make_unique<TDlgAddFSA>(true));
    EXPECT_EQ(TabChain(fsa->EditEmpName, 5),
              (std::vector<QWidget*>{fsa->EditEmpName, fsa->PFYear, fsa->MEditElected, fsa->Memo1, fsa->OKBtn}));
    EXPECT_EQ(fsa->Memo1->toPlainText(), QString());
}

// Made as small as the window lets it be, the report's choice still shows
// its whole hint.
TEST_F(InsuranceInput, ThePlanReportsChoiceMadeSmallKeepsItsHintReadable)
{
    TFilterForm form;
    form.show();
    form.resize(100, 100);
    QApplication::processEvents();
    EXPECT_EQ(CrampedWidgets(form), QStringList());
    SavePicture(form, QStringLiteral("plan_report_choice_small"));
}

// Passing through the tax year of a stored FSA without changing it keeps
// what was typed; a year changed shows that year's election.
TEST_F(InsuranceInput, TabbingThroughTheFsaYearKeepsWhatWasTyped)
{
    AddMember(QStringLiteral("Ann"));
    CurAccountID = AddAccountRow(5, QStringLiteral("Acme"));
    AddYear(CurAccountID, 2024, 2000, QStringLiteral("Glasses"));
    AddYear(CurAccountID, 2023, 19.99);
    auto dialog = Shown(std::make_unique<TDlgAddFSA>(false));
    TypeInto(dialog->EditEmpName, QStringLiteral("Acme & \"West\""));
    QTest::keyClick(dialog->EditEmpName, Qt::Key_Tab);
    QTest::keyClick(dialog->PFYear, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialog->EditEmpName->text(), QStringLiteral("Acme & \"West\""));
    TypeInto(dialog->MEditElected, QStringLiteral("2100.29"));
    dialog->PFYear->setFocus();
    dialog->Memo1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog->MEditElected->text(), QStringLiteral("$2,100.29"));
    EXPECT_EQ(dialog->Memo1->toPlainText(), QStringLiteral("Glasses"));

    dialog->PFYear->setFocus();
    dialog->PFYear->SetIntegerValue(2023);
    dialog->Memo1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog->MEditElected->text(), QStringLiteral("$19.99"));
    EXPECT_EQ(dialog->Memo1->toPlainText(), QString());
}

}  // namespace
