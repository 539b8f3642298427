#pragma once
// "Address Book": the household's businesses in the columns the user chose,
// filtered by category, initial letters and one field, sorted by a column,
// added, edited and deleted through the business-address dialog, searched,
// and printed in two styles.
#include "addrbookdata.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTreeWidget;

// The product whose address book this is: its category is preselected.
constexpr int kCarePortfolioProduct = 5;

// Made under the hourglass, shown modally and freed.
void ShowAddressBook(QWidget* parent, int productCode);

class TDlgBizAddrBook : public QDialog {
    Q_OBJECT
public:
    explicit TDlgBizAddrBook(QWidget* parent = nullptr);

    // Set before FormShow; -1: no product.
    int ProductCode = -1;

    QMenuBar* MainMenu1;
    QAction* RepoerStyle1;
    QAction* CardStyle1;
    QAction* Close1;
    QAction* Add1;
    QAction* Edit1;
    QAction* Delete1;
    QAction* Search1;
    QAction* SelectFieldstoDisplay1;
    QComboBox* CBCategory;
    QComboBox* CBNameFrom;
    QComboBox* CBNameTo;
    QPushButton* BtnReset;
    QComboBox* CBField;
    QLineEdit* FieldEdit;
    QTreeWidget* ListView1;
    QPushButton* BtnAdd;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* Button1;

    void FormShow();
    void Refresh();
    void ListView1Click();
    void ListView1ColumnClick(int column);
    void BtnAddClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnResetClick();
    void CBFieldChange();
    void SelectFieldstoDisplay1Click();
    void Search1Click();
    void RepoerStyle1Click();
    void CardStyle1Click();

    // The key of the selected row; 0 when none is selected.
    qint32 SelectedBizId() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    QWidget* BuildFilterPanel();
    QWidget* BuildButtonPanel();
    void FillCategoryFilter();
    void LoadColumns();
    void FillList();
    void ShowRows(const std::vector<TBookRow>& rows);
    void ReloadAll();
    void UpdateButtons();
    void SelectBizId(qint32 bizId);
    TBookFilter Filter() const;
    qint32 CategoryShown() const;

    std::vector<TBookColumn> columns_;
    int sortClicks_ = 0;
};
