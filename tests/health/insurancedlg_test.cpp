// The insurance account and FSA dialogs as the user meets them: the checks
// and their messages, the covered-member moves in both modes, the status
// memos of a stored account, the FSA's year switch and Apply.
#include "insuranceenv.h"

#include "health/dlgaddfsa.h"
#include "health/dlgnewinsurance.h"
#include "health/fsadata.h"
#include "health/insurancedata.h"
#include "health/radiogroup.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
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
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

template <class Dialog>
std::unique_ptr<Dialog> Shown(std::unique_ptr<Dialog> dialog)
{
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
}

void Select(QListWidget& list, const QString& text, int nth = 0)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text() == text && nth-- == 0)
            list.item(row)->setSelected(true);
    }
}

QStringList Texts(const QListWidget& list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

QStringList Lines(const QPlainTextEdit& memo)
{
    return memo.toPlainText().split(QLatin1Char('\n'));
}

class InsuranceDialog : public InsuranceEnv {
protected:
    void SetUp() override
    {
        InsuranceEnv::SetUp();
        CurAccountID = 0;
        InsuranceSaved = false;
        LastInsuranceName.clear();
    }
    std::unique_ptr<TDlgNewInsurance> Open(bool isNew)
    {
        return Shown(std::make_unique<TDlgNewInsurance>(isNew));
    }
    static void FillFirstPage(TDlgNewInsurance& dialog)
    {
        dialog.CBInsType->setCurrentIndex(1);
        dialog.EditInsName->setText(QStringLiteral("Blue <b>Valley</b>"));
        dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    }
    qint64 Count(const QString& sql) const
    {
        TQuery query(folder_.Path());
        query.SQL() << sql;
        query.Open();
        return query.Fields(0).AsInteger();
    }
};

TEST_F(InsuranceDialog, AddingChecksEachEntryInOrderAndWritesTheCoverOnlyWhenSaved)
{
    AddMember(QStringLiteral("Ann"));
    const qint32 john = AddMember(QStringLiteral("John"));
    AddMember(QStringLiteral("John"));
    auto dialog = Open(true);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add Insurance"));
    EXPECT_TRUE(dialog->Apply->isEnabled());
    EXPECT_EQ(dialog->MemoIndDeduct->toPlainText(), QStringLiteral("Individual dedutible status area."));
    EXPECT_EQ(dialog->MemoLifeFam->toPlainText(), QStringLiteral("Family lifetime benefit statue area"));
    EXPECT_EQ(Texts(*dialog->LBAllMembers), (QStringList{"Ann", "John", "John"}));
    SavePicture(*dialog, QStringLiteral("insurance_add_account_info"));

    ScriptedMessageBoxes boxes;
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"Please select the insurance type."});
    EXPECT_EQ(QApplication::focusWidget(), dialog->CBInsType);
    FillFirstPage(*dialog);
    dialog->PageControl1->setCurrentIndex(kPageCopayDeduct);
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("You must select the members covered by this insurance account."));
    EXPECT_EQ(dialog->PageControl1->currentIndex(), kPageAccountInfo);
    EXPECT_EQ(QApplication::focusWidget(), dialog->LBCoveredMembers);

    // The second John is the one covered: the other stays a choice.
    Select(*dialog->LBAllMembers, QStringLiteral("John"), 1);
    const qint32 covered = dialog->LBAllMembers->selectedItems().at(0)->data(Qt::UserRole).toInt();
    dialog->BtnFW->click();
    EXPECT_EQ(Texts(*dialog->LBCoveredMembers), QStringList{"John"});
    EXPECT_EQ(Texts(*dialog->LBAllMembers), (QStringList{"Ann", "John"}));
    const qint32 left = dialog->LBAllMembers->item(1)->data(Qt::UserRole).toInt();
    EXPECT_NE(left, covered);
    EXPECT_TRUE(left == john || covered == john);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCOVER")), 0);

    dialog->RGIndDeduct->Item(1)->click();
    dialog->MEditIndDeduct->setText(QStringLiteral("0.00"));
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts().last(), InsuranceRefusalText(TInsuranceRefusal::IndDeductZero));
    EXPECT_EQ(dialog->PageControl1->currentIndex(), kPageCopayDeduct);
    EXPECT_EQ(QApplication::focusWidget(), dialog->MEditIndDeduct);

    dialog->MEditIndDeduct->setText(QStringLiteral("19.99"));
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(InsuranceSaved);
    EXPECT_FALSE(dialog->Cancelled());
    EXPECT_EQ(dialog->SavedAccountName(), QStringLiteral("Blue <b>Valley</b>"));
    EXPECT_EQ(LastInsuranceName, QStringLiteral("Blue <b>Valley</b>"));
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), (std::vector<TKeyedItem>{{covered, "John"}}));
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->indDeduct, (TAmountChoice{1, 1999}));
}

TEST_F(InsuranceDialog, LeavingAPageWithIncompleteEntriesIsRefusedButSavingMayAcceptThem)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Open(true);
    ScriptedMessageBoxes boxes;
    dialog->ComboBox2->setCurrentIndex(0);   // "year(s)" and no premium
    dialog->PageControl1->setCurrentIndex(kPageBenefitLimit);
    EXPECT_EQ(dialog->PageControl1->currentIndex(), kPageAccountInfo);
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter how much this premium apply."});
    EXPECT_EQ(QApplication::focusWidget(), dialog->MEditPrem);

    dialog->ComboBox2->setCurrentIndex(-1);
    dialog->PageControl1->setCurrentIndex(kPageCopayDeduct);
    ASSERT_EQ(dialog->PageControl1->currentIndex(), kPageCopayDeduct);
    dialog->RGCopay->Item(kPercentCopay)->click();
    EXPECT_TRUE(dialog->EfPictureField1->isVisibleTo(dialog.get()));
    EXPECT_FALSE(dialog->MEditCopay->isVisibleTo(dialog.get()));
    dialog->PageControl1->setCurrentIndex(kPageCoverage);
    EXPECT_EQ(dialog->PageControl1->currentIndex(), kPageCopayDeduct);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the percentage of co-payment."));
    dialog->EfPictureField1->SetFloatValue(15);
    dialog->RGFamDeduct->Item(1)->click();
    EXPECT_TRUE(dialog->MEditFamDeduct->isVisibleTo(dialog.get()));
    SavePicture(*dialog, QStringLiteral("insurance_add_copay_deduct"));
    dialog->PageControl1->setCurrentIndex(kPageBenefitLimit);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the family deductible amount."));
    dialog->RGFamDeduct->Item(0)->click();
    dialog->PageControl1->setCurrentIndex(kPageBenefitLimit);
    ASSERT_EQ(dialog->PageControl1->currentIndex(), kPageBenefitLimit);
    dialog->RGLifeFam->Item(1)->click();
    dialog->PageControl1->setCurrentIndex(kPageCoverage);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the maximum amount of lifetime benefit per family"));
    EXPECT_EQ(QApplication::focusWidget(), dialog->MEditLifeFam);
    EXPECT_EQ(boxes.Texts().size(), 4);

    // Saving with "year(s)" and no premium is accepted.
    FillFirstPage(*dialog);
    dialog->RGLifeFam->Item(0)->click();
    dialog->ComboBox2->setCurrentIndex(0);
    Select(*dialog->LBAllMembers, QStringLiteral("Ann"));
    dialog->BtnFW->click();
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(boxes.Texts().size(), 4);
    const TInsurancePlan stored = *LoadInsuranceAccount(CurAccountID);
    EXPECT_EQ(stored.copayChoice, kPercentCopay);
    EXPECT_EQ(stored.copayPercent, 15.0);
    EXPECT_EQ(stored.premiumUnit, 0);
}

TEST_F(InsuranceDialog, AStoredPercentageShowsAndSavesAsStoredButZeroMayNotBeLeft)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    CurAccountID = InsertInsuranceAccount(PercentEntry(0), {ann});
    auto dialog = Open(false);
    EXPECT_FALSE(dialog->EfPictureField1->IsFieldBlank());
    EXPECT_FALSE(dialog->EfPictureField1->isHidden());
    ScriptedMessageBoxes boxes;
    dialog->PageControl1->setCurrentIndex(kPageCopayDeduct);
    dialog->PageControl1->setCurrentIndex(kPageCoverage);
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter the percentage of co-payment."});
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(boxes.Texts().size(), 1);

    // A fraction is shown and saved again as it was typed.
    for (const double percent : {12.5, 33.33, 0.5}) {
        UpdateInsuranceAccount(CurAccountID, PercentEntry(percent), {ann});
        dialog = Open(false);
        EXPECT_EQ(dialog->EfPictureField1->Core().DisplayText().trimmed(), QString::number(percent));
        dialog->OKBtn->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->copayPercent, percent);
    }
}

TEST_F(InsuranceDialog, ApplySavesClearsTheFormAndCancelThenStillReportsTheSave)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Open(true);
    FillFirstPage(*dialog);
    Select(*dialog->LBAllMembers, QStringLiteral("Ann"));
    dialog->BtnFW->click();
    dialog->MemoCoverage->setPlainText(QStringLiteral("Dental twice a year"));
    dialog->Apply->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->AppliedOnce());
    EXPECT_EQ(dialog->EditInsName->text(), QString());
    EXPECT_EQ(dialog->CBInsType->currentIndex(), -1);
    EXPECT_TRUE(dialog->PFDate->IsFieldBlank());
    EXPECT_EQ(dialog->MemoCoverage->toPlainText(), QString());
    EXPECT_EQ(dialog->MemoIndDeduct->toPlainText(), QString());
    EXPECT_EQ(Texts(*dialog->LBAllMembers), QStringList{"Ann"});
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->note, QStringList{"Dental twice a year"});

    InsuranceSaved = false;
    dialog->CancelBtn->click();
    EXPECT_TRUE(dialog->Cancelled());
    EXPECT_TRUE(InsuranceSaved);
    EXPECT_EQ(LastInsuranceName, QString());
}

TEST_F(InsuranceDialog, EditingShowsTheYearsSpendingAndCancelWritesNothing)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    TInsurancePlan entry = GoodEntry();
    entry.indDeduct = {1, 2028};
    entry.famDeduct = {1, 5000};
    entry.indAnnual = {1, 2000};   // Ann spends 20.28: 0.28 over
    CurAccountID = InsertInsuranceAccount(entry, {ann});
    Spend(ann, EncodeDate(2024, 12, 31), CurAccountID, 19.99, 19.99);
    Spend(ann, EncodeDate(2024, 1, 1), CurAccountID, 0.29, 0.29);
    Spend(ann, EncodeDate(2023, 12, 31), CurAccountID, 100, 100);   // last year

    ScriptedMessageBoxes boxes;
    auto dialog = Open(false);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Insurance"));
    EXPECT_FALSE(dialog->Apply->isEnabled());
    EXPECT_EQ(dialog->Label7->text(), entry.companyName);
    EXPECT_EQ(dialog->Label7->textFormat(), Qt::PlainText);
    EXPECT_EQ(boxes.Texts(), QStringList{"The remaining of individual annual benefit is negative. Please double "
                                         "check your expense record."});
    EXPECT_EQ(Lines(*dialog->MemoIndDeduct), (QStringList{"Ann:", "Paid: $20.28", "Remaining $0.00"}));
    EXPECT_EQ(Lines(*dialog->MemoFamDeduct), (QStringList{"Paid: $20.28", "Remaining :$29.72"}));
    EXPECT_EQ(Lines(*dialog->MemoAnnualInd), (QStringList{"Ann spent $20.28", "Ann\t remains -$0.28"}));
    EXPECT_EQ(Lines(*dialog->MemoLifeFam), (QStringList{"Family total spending: $20.28"}));
    EXPECT_EQ(Texts(*dialog->LBCoveredMembers), QStringList{"Ann"});
    EXPECT_EQ(Texts(*dialog->LBAllMembers), QStringList{"Bob"});
    EXPECT_TRUE(dialog->MEditAnnualFam->isHidden());
    EXPECT_FALSE(dialog->MEditAnnualInd->isHidden());
    EXPECT_EQ(dialog->MEditAnnualInd->text(), QStringLiteral("$20.00"));
    for (int page = kPageAccountInfo; page <= kPageCoverage; ++page) {
        dialog->PageControl1->setCurrentIndex(page);
        SavePicture(*dialog, QStringLiteral("insurance_edit_page%1").arg(page + 1));
    }
    dialog->PageControl1->setCurrentIndex(kPageAccountInfo);

    // Raising the limit by the 0.28 leaves nothing and warns of nothing.
    dialog->PageControl1->setCurrentIndex(kPageBenefitLimit);
    dialog->MEditAnnualInd->setFocus();
    dialog->MEditAnnualInd->selectAll();
    QTest::keyClicks(dialog->MEditAnnualInd, QStringLiteral("20.28"));
    dialog->RGAnnualInd->Item(1)->setFocus();
    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_EQ(dialog->MEditAnnualInd->text(), QStringLiteral("$20.28"));
    EXPECT_EQ(Lines(*dialog->MemoAnnualInd), (QStringList{"Ann spent $20.28", "Ann\t remains $0.00"}));
    dialog->PageControl1->setCurrentIndex(kPageAccountInfo);

    dialog->CancelBtn->click();
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->indAnnual, (TAmountChoice{1, 2000}));
    EXPECT_FALSE(InsuranceSaved);
}

// Moving members in and out of a stored plan's cover changes only the lists:
// Cancel, Escape and the title bar leave the cover stored, OK writes it with
// the account, and an OK the database refuses writes neither.
TEST_F(InsuranceDialog, CoverMovesInAnEditAreWrittenOnlyByOk)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const qint32 bob = AddMember(QStringLiteral("Bob"));
    const qint32 carl = AddMember(QStringLiteral("Carl"));
    CurAccountID = InsertInsuranceAccount(GoodEntry(), {ann, bob});
    const std::vector<TKeyedItem> stored = {{ann, "Ann"}, {bob, "Bob"}};
    const auto openAndMove = [this] {
        auto dialog = Open(false);
        Select(*dialog->LBCoveredMembers, QStringLiteral("Bob"));
        dialog->BtnBW->click();
        Select(*dialog->LBAllMembers, QStringLiteral("Carl"));
        dialog->BtnFW->click();
        EXPECT_EQ(Texts(*dialog->LBCoveredMembers), (QStringList{"Ann", "Carl"}));
        return dialog;
    };

    openAndMove()->CancelBtn->click();
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), stored);
    auto dialog = openAndMove();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), stored);
    openAndMove()->close();
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), stored);

    dialog = openAndMove();
    dialog->EditInsName->setText(QStringLiteral("Renamed"));
    Execute(QStringLiteral("CREATE TRIGGER NoNewCover BEFORE INSERT ON MEDCOVER BEGIN SELECT RAISE(ABORT, 'no'); END"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Texts(*dialog->LBCoveredMembers), (QStringList{"Ann", "Carl"}));
    EXPECT_EQ(Texts(*dialog->LBAllMembers), QStringList{"Bob"});
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), stored);
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->companyName, GoodEntry().companyName);
    Execute(QStringLiteral("DROP TRIGGER NoNewCover"));
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadCoveredMembers(CurAccountID), (std::vector<TKeyedItem>{{ann, "Ann"}, {carl, "Carl"}}));
    EXPECT_EQ(LoadInsuranceAccount(CurAccountID)->companyName, QStringLiteral("Renamed"));
}

TEST_F(InsuranceDialog, ASaveTheDatabaseRefusesKeepsTheDialogOpenWithWhatWasTyped)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Open(true);
    FillFirstPage(*dialog);
    Select(*dialog->LBAllMembers, QStringLiteral("Ann"));
    dialog->BtnFW->click();
    ScriptedMessageBoxes boxes;
    {
        DatabaseLockedElsewhere other(folder_.Path());
        dialog->OKBtn->click();
    }
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->EditInsName->text(), QStringLiteral("Blue <b>Valley</b>"));
    EXPECT_EQ(Texts(*dialog->LBCoveredMembers), QStringList{"Ann"});
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDINS")), 0);
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCOVER")), 1);
}

TEST_F(InsuranceDialog, TheInsurersAddressNeedsItsNameFirst)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = Open(true);
    ScriptedMessageBoxes boxes;
    dialog->PSBIns->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter the name of insurance company first."});
    EXPECT_EQ(QApplication::focusWidget(), dialog->EditInsName);

    dialog->EditInsName->setText(QStringLiteral("Blue"));
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* address = QApplication::activeModalWidget()) {
            opened = address->windowTitle();
            address->close();
        }
    });
    dialog->PSBIns->click();
    EXPECT_EQ(opened, QStringLiteral("Address Folder"));
    EXPECT_EQ(boxes.Texts().size(), 1);
}

TEST_F(InsuranceDialog, AnEditSavedWithOkRewritesTheAccount)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    CurAccountID = InsertInsuranceAccount(GoodEntry(), {ann});
    const qint32 id = CurAccountID;
    auto dialog = Open(false);
    dialog->EditInsName->setText(QStringLiteral("Renamed"));
    dialog->CBInsType->setCurrentIndex(4);
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(CurAccountID, id);
    EXPECT_EQ(dialog->SavedAccountName(), QStringLiteral("Renamed"));
    EXPECT_EQ(LoadInsuranceAccount(id)->typeIndex, 4);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDINS")), 1);
}

TEST_F(InsuranceDialog, AHouseholdWithoutMembersCannotAddAnAccount)
{
    EXPECT_TRUE(ShowInsuranceDialog(true).noMembers);
    EXPECT_TRUE(ShowFsaDialog(true).noMembers);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDINS")), 0);
}

class FsaDialog : public InsuranceDialog {
protected:
    std::unique_ptr<TDlgAddFSA> OpenFsa(bool isNew)
    {
        return Shown(std::make_unique<TDlgAddFSA>(isNew));
    }
};

TEST_F(FsaDialog, AddingChecksTheNameAndAmountAndApplyStaysOpenForTheNext)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = OpenFsa(true);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add Flexible Spending Account"));
    EXPECT_EQ(dialog->PFYear->IntegerValue(), 2024);
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("0.00"));
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("0.00"));
    SavePicture(*dialog, QStringLiteral("fsa_add"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter your company name."});
    EXPECT_EQ(QApplication::focusWidget(), dialog->EditEmpName);
    dialog->EditEmpName->setText(QStringLiteral("O'Brien & Sons"));
    dialog->PFYear->SetTextValue(QString());
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the tax year."));
    EXPECT_EQ(QApplication::focusWidget(), dialog->PFYear);
    dialog->PFYear->SetIntegerValue(2024);
    dialog->OKBtn->click();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the total amount before saving record."));
    EXPECT_EQ(QApplication::focusWidget(), dialog->MEditElected);

    QTest::keyClicks(dialog->MEditElected, QStringLiteral("1999.99"));
    dialog->Memo1->setFocus();
    dialog->Memo1->setPlainText(QStringLiteral("Braces"));
    dialog->BtnApply->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(FSASaved);
    EXPECT_EQ(dialog->EditEmpName->text(), QString());
    EXPECT_EQ(dialog->MEditElected->text(), QString());
    EXPECT_EQ(ReadAccountName(CurAccountID), QStringLiteral("O'Brien & Sons"));
    EXPECT_EQ(ReadFsaYear(CurAccountID, 2024)->electedCents, 199999);
    EXPECT_EQ(ReadFsaYear(CurAccountID, 2024)->note, QStringList{"Braces"});
    FSASaved = false;
    dialog->CancelBtn->click();
    EXPECT_TRUE(FSASaved);
    EXPECT_TRUE(dialog->AppliedOnce());
}

TEST_F(FsaDialog, EditingShowsTheYearsReimbursementsAndSwitchesYears)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    CurAccountID = AddAccountRow(5, QStringLiteral("Acme"));
    AddYear(CurAccountID, 2024, 2000, QStringLiteral("Glasses"));
    AddYear(CurAccountID, 2023, 500);
    Spend(ann, EncodeDate(2024, 2, 29), CurAccountID, 1199.71);
    Spend(ann, EncodeDate(2024, 12, 31), CurAccountID, 0.29);
    Spend(ann, EncodeDate(2023, 12, 31), CurAccountID, 499.71);

    auto dialog = OpenFsa(false);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Flexible Spending Account"));
    EXPECT_FALSE(dialog->BtnApply->isEnabled());
    EXPECT_EQ(dialog->Label7->text(), QStringLiteral("FSA with Acme"));
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("1,200.00"));
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("800.00"));
    EXPECT_EQ(dialog->Memo1->toPlainText(), QStringLiteral("Glasses"));
    SavePicture(*dialog, QStringLiteral("fsa_edit"));

    // The elected amount left: the balance from the same reimbursements.
    dialog->MEditElected->setFocus();
    dialog->MEditElected->selectAll();
    QTest::keyClicks(dialog->MEditElected, QStringLiteral("1200"));
    dialog->Memo1->setFocus();
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("0.00"));

    // The spinner steps back a year.
    dialog->PFYear->setFocus();
    dialog->EfSpinner1->OnClick(dialog->EfSpinner1, spDown, 1);
    dialog->PFYear->DecreaseValue(false, 1);
    EXPECT_EQ(dialog->PFYear->IntegerValue(), 2023);
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("499.71"));
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("0.29"));
    EXPECT_EQ(dialog->Memo1->toPlainText(), QString());

    // A year typed and left: without an election it shows nothing elected;
    // saving elects it.
    dialog->PFYear->SetIntegerValue(2025);
    dialog->EditEmpName->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("0.00"));
    EXPECT_EQ(dialog->Label6->text(), QStringLiteral("0.00"));
    EXPECT_EQ(dialog->MEditElected->text(), QStringLiteral("$0.00"));
    dialog->EditEmpName->setText(QStringLiteral("Acme West"));
    dialog->OKBtn->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->SavedAccountName(), QStringLiteral("Acme West"));
    EXPECT_EQ(LastFSAName, QStringLiteral("Acme West"));
    EXPECT_EQ(ReadFsaYear(CurAccountID, 2025)->electedCents, 0);
    EXPECT_EQ(ReadFsaYear(CurAccountID, 2024)->electedCents, 200000);
}

TEST_F(FsaDialog, EnterInTheYearFieldShowsThatYearWithoutClosing)
{
    AddMember(QStringLiteral("Ann"));
    CurAccountID = AddAccountRow(5, QStringLiteral("Acme"));
    AddYear(CurAccountID, 2022, 19.99);
    auto dialog = OpenFsa(false);
    EXPECT_EQ(dialog->MEditElected->text(), QStringLiteral("$0.00"));
    dialog->PFYear->setFocus();
    dialog->PFYear->SetIntegerValue(2022);
    QTest::keyClick(dialog->PFYear, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->MEditElected->text(), QStringLiteral("$19.99"));
}

TEST_F(FsaDialog, EnterInTheYearFieldOfANewFsaSavesAsOkDoes)
{
    AddMember(QStringLiteral("Ann"));
    auto dialog = OpenFsa(true);
    dialog->EditEmpName->setText(QStringLiteral("Acme"));
    dialog->MEditElected->setText(QStringLiteral("$0.29"));
    dialog->PFYear->setFocus();
    QTest::keyClick(dialog->PFYear, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadFsaYear(CurAccountID, 2024)->electedCents, 29);
}

}  // namespace
