#pragma once
// "PrintAddressForm": the address printouts' own preview, paging through the
// pages the style dialogs laid out, and their printing. With no printer
// installed the pages go to a PDF file the user chooses.
#include "addrpages.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QToolButton;
class TDlgProgress;

// The printer of the address printouts, kept for the run of the program.
QPrinter& AddressPrinter();
TPrinterPage PrinterPageOf(const QPrinter& printer);

// The print title, which also names the PDF file first offered.
extern const QString kAddressPrintTitle;

// What a style dialog hands over for one run.
struct TAddrPrintRequest {
    TAddrStyle style = TAddrStyle::Report;
    bool preview = false;
    TAddrRange range = TAddrRange::AllNames;
    qint32 bizId = 0;
    qint32 categoryId = -1;
    QFont headingFont;
    QFont bodyFont;
    QRect content;
    QStringList fields;
    bool newPagePerBusiness = false;
};

class TPrintAddressForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintAddressForm(QWidget* parent = nullptr);
    ~TPrintAddressForm() override;

    QPushButton* PrintCurrentBtn;
    QLabel* DateShown;
    QToolButton* SpinUp;
    QToolButton* SpinDown;
    QPushButton* PrintAllBtn;
    QPushButton* ExitButton;
    QScrollArea* ScrollBox1;
    QLabel* PaintBox1;

    // The run entry: the preview shown modally, or every page printed. Tells
    // the user when there is nothing to print or nothing fits.
    void PrintAddresses(const TAddrPrintRequest& request);
    // Lays the pages out; false, after telling the user, when there is nothing to show.
    bool Prepare(const TAddrPrintRequest& request);
    // Whether a print (from the run or the preview) took place.
    bool Printed() const { return printed_; }

    int CurrentPage() const { return currentPage_; }
    const TAddressPages& Pages() const { return *pages_; }
    const QImage& PreviewImage() const { return image_; }
    double PreviewZoom() const;

    void FormShow();
    void ShowPage();
    void SpinButton1DownClick();
    void SpinButton1UpClick();
    void PrintCurrentBtnClick();
    void PrintAllBtnClick();

private:
    void RenderPreviewPage();
    // False when the user declined the PDF file.
    bool PrintPages(int first, int last);
    // Raises the progress meter, which paints at once.
    void Advance(int points);

    TAddrPrintRequest request_;
    TPrinterPage page_;
    std::unique_ptr<TAddressPages> pages_;
    TDlgProgress* progress_;
    QImage image_;
    int currentPage_ = 0;
    bool printed_ = false;
};
