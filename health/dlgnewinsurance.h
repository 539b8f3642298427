#pragma once
// "Add/Edit Insurance": one insurance account with its terms, the members it
// covers and, for a stored account, how much of its deductibles and benefit
// limits this year's expenses have used. Nothing is written before OK or
// Apply: moving members changes only the two lists, and the save writes the
// account with its cover.
#include "accountoutcome.h"
#include "expensedata.h"
#include "insuranceentry.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TEfController;
class TEfPictureField;
class TMoneyEdit;
class TRadioGroup;

// Creates the dialog under the hourglass, for a new account or the one of
// CurAccountID, shows it modally and frees it. A new account is refused
// (noMembers) while the household has no member.
TAccountOutcome ShowInsuranceDialog(bool isNewAccount);

class TDlgNewInsurance : public TAccountDialog {
    Q_OBJECT
public:
    // Reads the account of CurAccountID when editing; EDatabaseError when
    // the database fails.
    explicit TDlgNewInsurance(bool isNewAccount, QWidget* parent = nullptr);

    int MemberCount() const { return memberCount_; }

    QWidget* Panel1;
    QLabel* Label7;   // "Insurance Policy", then the company's name
    QLabel* Image1;
    QTabWidget* PageControl1;
    // Account Info
    QComboBox* CBInsType;
    QLineEdit* EditInsName;
    QToolButton* PSBIns;
    TEfController* EfController1;
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QLineEdit* EditSubNum;
    QLineEdit* EditGroNum;
    TMoneyEdit* MEditPrem;
    TEfPictureField* EfPFPrem;
    QComboBox* ComboBox2;
    QListWidget* LBCoveredMembers;
    QListWidget* LBAllMembers;
    QPushButton* BtnFW;
    QPushButton* BtnBW;
    // Copay/Deduct.
    TRadioGroup* RGCopay;
    TMoneyEdit* MEditCopay;
    TEfPictureField* EfPictureField1;
    TRadioGroup* RGIndDeduct;
    TMoneyEdit* MEditIndDeduct;
    QPlainTextEdit* MemoIndDeduct;
    TRadioGroup* RGFamDeduct;
    TMoneyEdit* MEditFamDeduct;
    QPlainTextEdit* MemoFamDeduct;
    // Benefit Limit
    TRadioGroup* RGAnnualInd;
    TMoneyEdit* MEditAnnualInd;
    QPlainTextEdit* MemoAnnualInd;
    TRadioGroup* RGLifeInd;
    TMoneyEdit* MEditLifeInd;
    QPlainTextEdit* MemoLifeInd;
    TRadioGroup* RGAnnualFam;
    TMoneyEdit* MEditAnnualFam;
    QPlainTextEdit* MemoAnnualFam;
    TRadioGroup* RGLifeFam;
    TMoneyEdit* MEditLifeFam;
    QPlainTextEdit* MemoLifeFam;
    // Coverage
    QPlainTextEdit* MemoCoverage;
    QPushButton* OKBtn;
    QPushButton* Apply;
    QPushButton* CancelBtn;

    void RGCopayClick();
    void MEditIndDeductExit();
    void BtnFWClick();
    void BtnBWClick();
    void PSBInsClick();
    void SBDateClick();
    // The entry as the controls hold it.
    TInsurancePlan Entry();

protected:
    // The warnings of the amounts read at creation come once the dialog is up.
    void showEvent(QShowEvent* event) override;
    std::optional<QString> SaveAccount(bool insert) override;
    // Clears the entries and offers every member again, for the next account.
    void ClearForm() override;
    QString TypedName() const override;

private:
    struct TAmountBox {
        TRadioGroup* group;
        TMoneyEdit* box;
        TAmountChoice TInsurancePlan::*field;
    };

    QWidget* BuildHeader();
    QLayout* BuildButtons();
    // The new account's placeholders, or the stored one with its year's spending.
    void ShowAccount();
    QWidget* BuildAccountInfo();
    QWidget* BuildCopayDeduct();
    QWidget* BuildBenefitLimit();
    QWidget* BuildCoverage();
    QWidget* AmountGroup(TRadioGroup*& group, const QString& caption, const QString& amountCaption, TMoneyEdit*& box,
                         QPlainTextEdit*& memo, TAmountChoice TInsurancePlan::*field);
    void ShowEntry(const TInsurancePlan& entry);
    void ShowAmount(TMoneyEdit* box, std::optional<qint64> cents);
    void ShowStatus(const TStatusTexts& texts);
    // The warnings of negative remaining amounts, for the caller to show.
    QStringList ShowRemainingAmounts();
    void ShowWarnings(const QStringList& warnings);
    void FillMemberLists(const std::vector<TKeyedItem>& covered);
    void MoveSelected(QListWidget* from, QListWidget* to);
    std::vector<qint32> CoveredKeys() const;
    // The page brought forward without the checks of the page left.
    void ShowPage(int page);
    void Refuse(TInsuranceRefusal refusal);
    // OK and Apply may find the caret still in a field, or just taken from
    // one: false, the caret back in the field, when its own check refuses
    // what was typed.
    bool EntryFieldsTake();
    QWidget* ControlOf(TInsuranceRefusal refusal) const;
    void PageChanged(int index);

    int memberCount_ = 0;
    qint32 addrId_ = 0;
    int shownPage_ = kPageAccountInfo;
    bool turningBack_ = false;
    std::vector<TAmountBox> amounts_;
    QStringList warningsAtShow_;
};
