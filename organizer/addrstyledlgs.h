#pragma once
// "Print Address - Report Style" and "Print Address - Card Style": what and
// how to print from the address book. Their choices are kept for the run of
// the program; Cancel puts back those the dialog opened with.
#include "addrprintsettings.h"
#include "printaddressform.h"

#include <QDialog>
#include <array>
#include <initializer_list>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The run entries of the address book: business printing, the product, the
// category chosen in the book and its selected business (0 for none).
void ShowReportStyleDialog(QWidget* parent, bool business, int productCode, qint32 categoryId, qint32 bizId);
void ShowCardStyleDialog(QWidget* parent, bool business, int productCode, qint32 categoryId, qint32 bizId);

// What the two dialogs share: the range, the fonts, the margins and the buttons.
class TAddrStyleDlg : public QDialog {
    Q_OBJECT
public:
    QLabel* LabelTitle;
    QRadioButton* RBCurrent;
    QRadioButton* RBAll;
    QRadioButton* RBCategory;
    QComboBox* ComboBoxSelCat;
    QLabel* PanelHeadingFont;
    QLabel* PanelBodyFont;
    QPushButton* BtnHeadingFont;
    QPushButton* BtnBodyFont;
    std::array<QLineEdit*, 4> EditMargins{};   // top, bottom, left, right
    QPushButton* OKBtn;
    QPushButton* PreviewBtn;
    QPushButton* CancelBtn;
    QPushButton* SetupBtn;

    // Shows the kept settings, for the book's category and business.
    void Start(qint32 categoryId, qint32 bizId);
    // OK prints (and closes after a print), Preview shows the preview.
    void Print(bool preview);
    void CancelBtnClick();
    // Escape and the close box cancel as the button does.
    void reject() override;
    // Whether the last print or preview ended in printing.
    bool Printed() const { return printed_; }

protected:
    TAddrStyleDlg(QWidget* parent, TAddrStyle style, TAddrPrintSettings& settings);
    // The title over the shared controls, the style's own boxes under them
    // and the buttons to their right.
    void LayOut(std::initializer_list<QWidget*> ownBoxes);
    virtual void TakeSnapshot() = 0;
    virtual void PutSnapshotBack(bool keepFields) = 0;
    // The style's own check and request; an empty text when fine.
    virtual QString CheckOwn(bool preview) = 0;
    virtual QString MarginFit(const std::array<double, 4>& inches, const TPrinterPage& page) = 0;
    virtual QRect ContentBox(const std::array<double, 4>& inches, const TPrinterPage& page) = 0;
    virtual void FillOwn(TAddrPrintRequest& request) = 0;

private:
    QWidget* SharedControls();
    QWidget* ButtonColumn();
    void ShowSettings();
    void ReadSettings();
    void ChooseFont(QFont& font, QLabel& panel);

    TAddrStyle style_;
    TAddrPrintSettings& settings_;
    TAddrPrintSettings snapshot_;
    bool printed_ = false;
};

class TAddrRptStyleDlg : public TAddrStyleDlg {
    Q_OBJECT
public:
    explicit TAddrRptStyleDlg(QWidget* parent = nullptr);

    QListWidget* ListSrc;
    QListWidget* ListDst;
    QPushButton* BtnAdd;
    QPushButton* BtnRemove;
    QPushButton* BtnAddAll;
    QPushButton* BtnRemoveAll;
    QPushButton* BtnUp;
    QPushButton* BtnDown;

    void BtnAddClick();
    void BtnRemoveClick();
    void BtnAddAllClick();
    void BtnRemoveAllClick();
    void BtnUpClick();
    void BtnDownClick();

protected:
    void TakeSnapshot() override;
    void PutSnapshotBack(bool keepFields) override;
    QString CheckOwn(bool preview) override;
    QString MarginFit(const std::array<double, 4>& inches, const TPrinterPage& page) override;
    QRect ContentBox(const std::array<double, 4>& inches, const TPrinterPage& page) override;
    void FillOwn(TAddrPrintRequest& request) override;

private:
    void ShowFields();
    void UpdateFieldButtons();

    QStringList chosenSnapshot_;
};

class TAddrCardStyleDlg : public TAddrStyleDlg {
    Q_OBJECT
public:
    explicit TAddrCardStyleDlg(QWidget* parent = nullptr);

    QComboBox* ListPaperSize;
    QRadioButton* RBContinuous;
    QRadioButton* RBNewPage;

protected:
    void TakeSnapshot() override;
    void PutSnapshotBack(bool keepFields) override;
    QString CheckOwn(bool preview) override;
    QString MarginFit(const std::array<double, 4>& inches, const TPrinterPage& page) override;
    QRect ContentBox(const std::array<double, 4>& inches, const TPrinterPage& page) override;
    void FillOwn(TAddrPrintRequest& request) override;

private:
    TCardOptions optionsSnapshot_;
};
