#pragma once
// One medical expense: when, for whom, what and to whom on the first page;
// what the household paid, what each insurance account paid and what each
// FSA reimbursed on the second. Every edit is held until Finish.
#include "doctorboxes.h"
#include "expenseitem.h"

#include <QDialog>
#include <map>
#include <set>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class TEfController;
class TEfPictureField;
class TMoneyEdit;

struct TExpenseItemOutcome {
    qint32 expId = 0;          // the expense written, or the one asked for
    bool cancelled = false;    // left with Cancel (or closed)
};

// Creates the dialog under the hourglass, shows it modally and frees it.
TExpenseItemOutcome ShowExpenseItemDialog(QWidget* parent, const TExpenseItemRequest& request);

class TDlgMedExpItem : public QDialog {
    Q_OBJECT
public:
    TDlgMedExpItem(QWidget* parent, const TExpenseItemRequest& request);

    TEfController* EfController1;
    QStackedWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLineEdit* EditDesc;
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QComboBox* CBMember;
    QComboBox* CBDoctor;
    QToolButton* PSBDoc;
    QPlainTextEdit* MemoNote;
    TMoneyEdit* MEditCopay;      // paid at the office
    TMoneyEdit* MEditDeduct;     // paid by mail
    QComboBox* CBFSA;
    TMoneyEdit* MEditReimburst;
    QComboBox* CBInsurance;
    TMoneyEdit* MEditPaid;
    TMoneyEdit* MEditAcctDeduct;
    QToolButton* SpeedButton1;   // the calculator
    QPushButton* BtnBack;
    QPushButton* BtnNext;
    QPushButton* CancelBtn;

    qint32 ExpID() const { return form_.Draft().expId; }
    bool Cancelled() const { return cancelled_; }

    void BtnNextClick();
    void BtnBackClick();
    void CancelBtnClick();
    void CBMemberChange();
    void CBInsuranceChange();
    // Each amount box left: false when refused.
    bool MEditPaidExit();
    bool MEditAcctDeductExit();
    void CBFSAChange();
    bool MEditReimburstExit();
    void PSBDocClick();
    void SBDateClick();
    void SpeedButton1Click();

    // Escape and the close box leave as Cancel does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    using TExit = bool (TDlgMedExpItem::*)();

    QWidget* BuildInformationPage();
    QWidget* BuildAmountsPage();
    void BuildLayout();
    void FillCombos();
    void ShowExpense();
    void ShowAmountsPage();
    void TakeInformation();
    // Every amount box taken or refused; false when refused.
    bool TakePayments();
    // An amount box left: its handler runs once the focus has settled.
    void OnExit(TMoneyEdit* box, TExit handler);
    // The box's exit, when what was typed there is neither taken nor refused
    // yet; false when refused, or when the database failed, which is told.
    bool ExitIfTyped(TMoneyEdit* box, TExit handler);
    // The user is told why, and the focus goes to the control concerned.
    void Refuse(const TExpenseRefusal& refusal);
    // Whether the amount was taken; a refusal is told, the deductible box
    // showing the 0 it must be.
    bool AmountTaken(const std::optional<TExpenseRefusal>& refusal);
    QWidget* ControlOf(TExpenseField field) const;
    // What an account box shows now is what its amount was shown, taken or
    // refused as.
    void Settle(const TMoneyEdit& box);
    void ShowAccountAmount(TMoneyEdit& box, TAmountBox cents);
    void ShowInsuranceBoxes();
    void ShowFsaBox();
    bool Finish();

    TExpenseItemForm form_;
    TDoctorBoxes doctorBoxes_;
    int accountCount_ = 0;
    // The amount boxes typed in since their amount was last taken or refused,
    // and not typed back to the text they had then.
    std::set<const TMoneyEdit*> typed_;
    // Each account box's text when its amount was last shown, taken or
    // refused: a box typed back to it holds nothing new, so that a key
    // rubbed out over the 0 of a plan without a deductible takes no 0.
    std::map<const TMoneyEdit*, QString> settled_;
    bool cancelled_ = false;
    bool shownOnce_ = false;
};
