#pragma once
// "Address Folder": adds or edits one business address. Opened from the
// provider lists of the health records and from the address book.
#include "bizaddr.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// Set by EditBusinessAddr before the dialog is made and read back after it
// closes; the dialog starts from them and leaves its outcome in them.
extern bool BizDlgSaved;
extern qint32 BizDlgBizId;
extern qint32 BizDlgCategoryNo;   // -1: any category, the user chooses
extern QString BizDlgName;

// The business of the key (0 for none), else the one of the name, else a new
// one bearing the name. A category of -1 leaves it to the user; any other
// fixes it. True and the saved key when the user saved; false (the key
// unchanged) when cancelled, or when the database could not be read, which
// the dialog has told the user. A save that fails keeps the dialog open.
bool EditBusinessAddr(const QString& name, qint32 categoryNo, qint32& bizId);

class TDlgBusinessAddr : public QDialog {
    Q_OBJECT
public:
    explicit TDlgBusinessAddr(QWidget* parent = nullptr);

    QLabel* Image1;
    QLineEdit* EditBizName;
    QComboBox* CBCategory;
    QTabWidget* PageControl1;
    QLineEdit* EditContact;
    QComboBox* CBOne;
    QComboBox* CBTwo;
    QComboBox* CBThree;
    QComboBox* CBFour;
    QLineEdit* EditOne;
    QLineEdit* EditTwo;
    QLineEdit* EditThree;
    QLineEdit* EditFour;
    QLineEdit* EditAddr;
    QLineEdit* EditAddr2;
    QLineEdit* EditCity;
    QLineEdit* EditState;
    QLineEdit* EditZip;
    QLineEdit* EditCountry;
    QPlainTextEdit* MemoHours;
    QPlainTextEdit* MemoDirection;
    QPlainTextEdit* MemoNote;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The contact rows are numbered 0 to 3 from the top.
    // Reads the categories and the row from the dialog-wide variables; false
    // when the database fails, after telling the user: the dialog is not shown.
    bool FormCreate();

    void CBOneChange(int row);
    void EditOneExit(int row);
    void OKBtnClick();
    void CancelBtnClick();

private:
    // What OK could not write.
    enum class WriteFailure { None, Category, Address };

    QWidget* BuildContactPage();
    QWidget* BuildAddressPage();
    QWidget* BuildNotesPage();
    bool FindRow(TBizAddr& row);
    void ShowRow(const TBizAddr& row);
    TBizAddr RowShown() const;
    WriteFailure WriteShown();
    void StoreContactRow(int row);
    void RefreshContactEdits();

    std::array<QComboBox*, 4> contactCombos_{};
    std::array<QLineEdit*, 4> contactEdits_{};
    // One value per contact kind; the rows show some of them.
    std::array<QString, 7> contactValues_;
    std::array<int, 4> shownKinds_{-1, -1, -1, -1};
};
