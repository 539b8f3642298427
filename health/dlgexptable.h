#pragma once
// "Medical Expenses": one calendar year's expenses of the household or of one
// member, with the year's sums; expenses are added, edited and deleted from
// here, and the list is printed.
#include "expensetable.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class TEfController;
class TEfPictureField;
class TEfSpinner;

// Creates the dialog under the hourglass, shows it modally and frees it.
void ShowExpenseTableDialog();

class TDlgExpTable : public QDialog {
    Q_OBJECT
public:
    explicit TDlgExpTable(QWidget* parent = nullptr);

    static constexpr int kLowestYear = 1900;
    static constexpr int kHighestYear = 2999;

    TEfController* EfController1;
    QAction* Print1;
    QAction* Exit1;
    QAction* Add1;
    QAction* Edit1;
    QAction* Delete1;
    QLabel* Image1;
    TEfPictureField* EfPFYear;
    TEfSpinner* EfSpinner1;
    QComboBox* CBMember;
    QPushButton* BtnAdd;
    QPushButton* BtnEdit;
    QPushButton* Button3;   // delete
    QLabel* Label7;         // the year's total
    QLabel* Label8;         // the year's out-of-pocket total
    QTreeWidget* ListView1;
    QPushButton* Button1;   // close

    const TExpenseTable& Table() const { return table_; }
    bool YearSpinnerUsed() const { return yearSpinnerUsed_; }

    void CBMemberChange();
    // A step of the year spinner: up is the next year.
    void EfSpinner1Click(bool up);
    void BtnAddClick();
    void BtnEditClick();
    void Button3Click();
    void ListView1Click();
    void ListView1ColumnClick(int column);
    void Button4Click();   // print

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildTopPanel();
    void BuildMenu();
    void FillMemberCombo();
    void Refill();
    void ShowRows();
    void UpdateButtons();
    int SelectedRow() const;

    TExpenseTable table_;
    QWidget* listViewport_ = nullptr;
    bool yearSpinnerUsed_ = false;
};
