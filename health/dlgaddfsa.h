#pragma once
// "Add/Edit Flexible Spending Account": an FSA's employer and, for the tax
// year shown, the amount elected, what that year's expenses reimbursed, the
// balance and a note. Editing reloads the year whenever it changes; saving
// writes the election of the year shown.
#include "accountoutcome.h"
#include "fsadata.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TEfController;
class TEfPictureField;
class TEfSpinner;
class TMoneyEdit;

// Creates the dialog under the hourglass, for a new FSA or the one of
// CurAccountID, shows it modally and frees it. A new FSA is refused
// (noMembers) while the household has no member.
TAccountOutcome ShowFsaDialog(bool isNewFSA);

class TDlgAddFSA : public TAccountDialog {
    Q_OBJECT
public:
    // Reads the FSA of CurAccountID when editing; EDatabaseError when the
    // database fails.
    explicit TDlgAddFSA(bool isNewFSA, QWidget* parent = nullptr);

    int MemberCount() const { return memberCount_; }

    QWidget* Panel1;
    QLabel* Label7;   // "Flexible Spending Account", then "FSA with " the employer
    QLabel* Image1;
    TEfController* EfController1;
    QLineEdit* EditEmpName;
    TEfPictureField* PFYear;
    TEfSpinner* EfSpinner1;
    TMoneyEdit* MEditElected;
    QLabel* Label4;   // reimbursed
    QLabel* Label6;   // remaining balance
    QPlainTextEdit* Memo1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* BtnApply;

    // The year field changed (spun) or was left; Enter also loads the year.
    void PFYearChange();
    void PFYearExit();
    void MEditElectedExit();
    void LoadFSAAccount();

protected:
    std::optional<QString> SaveAccount(bool insert) override;
    void ClearForm() override;
    QString TypedName() const override;

private:
    QWidget* BuildHeader();
    void BuildLayout();
    TFsaElection Entry();
    void ShowAmounts();

    int memberCount_ = 0;
    bool spinnerUsed_ = false;
    int loadedYear_ = 0;   // the year whose election the fields show
    TCentsSum reimbursed_;
};
