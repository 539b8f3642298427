// The address printouts as the user meets them: the style dialogs, the
// preview with its paging, and printing, which with no printer installed
// writes the PDF file the user chose.
#include "addrbookenv.h"

#include "organizer/addrstyledlgs.h"
#include "organizer/printaddressform.h"

#include "context/context.h"
#include "platform/datetime.h"
#include "reports/rpprintjob.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class AddressPrinting : public AddressBookTest {
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        Clock::SetFixed(QDateTime(QDate(2026, 12, 7), QTime(14, 5)));
        ReportStyleSettings() = TAddrPrintSettings{};
        ReportStyleSettings().headingFont = QFont("DejaVu Sans", 12, QFont::Bold);
        ReportStyleSettings().bodyFont = QFont("DejaVu Serif", 10);
        CardStyleSettings() = ReportStyleSettings();
        ReportChosenFields() = DefaultReportFields();
        CardStyleOptions() = TCardOptions{};
        RpPdfOutput::InstallChooser([this](const QString& title) {
            offered_ << title;
            return pdf_;
        });
    }
    void TearDown() override
    {
        RpPdfOutput::InstallChooser({});
        Clock::SetFixed({});
    }

    TAddrPrintRequest Request(TAddrStyle style, bool preview) const
    {
        TAddrPrintRequest request;
        request.style = style;
        request.preview = preview;
        request.headingFont = ReportStyleSettings().headingFont;
        request.bodyFont = ReportStyleSettings().bodyFont;
        const TPrinterPage page = PrinterPageOf(AddressPrinter());
        request.content = style == TAddrStyle::Report ? ReportContentBox({0.5, 0.5, 0.5, 0.5}, page)
                                                      : CardContentBox({0.5, 0.5, 0.5, 0.5}, PrintoutSizes()[3], page);
        request.fields = {"Business Name", "Phone 1", "Address", "Hours of Operation", "Fax"};
        return request;
    }

    // The PDF's text, pages separated by form feeds.
    QString PdfText() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf_, "-"});
        EXPECT_TRUE(pdftotext.waitForFinished(20000));
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    // Closes the preview once it is shown modally, after a look at it.
    void ClosePreview(const std::function<void(TPrintAddressForm&)>& look)
    {
        auto* poll = new QTimer(&dir_guard_);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, look] {
            auto* form = qobject_cast<TPrintAddressForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            poll->stop();
            look(*form);
            form->ExitButton->click();
        });
        poll->start();
    }
    QObject dir_guard_;

    ScriptedMessageBoxes boxes_;
    QTemporaryDir dir_;
    QString pdf_ = dir_.filePath("addresses.pdf");
    QStringList offered_;
};

TEST_F(AddressPrinting, TheReportPreviewPagesThroughTheColumnGroups)
{
    TPrintAddressForm form;
    ASSERT_TRUE(form.Prepare(Request(TAddrStyle::Report, true)));
    // Eight businesses fit one block; five fields make two column groups.
    EXPECT_EQ(form.Pages().PageCount(), 1);
    form.resize(1000, 800);
    form.show();
    form.FormShow();
    EXPECT_EQ(form.DateShown->text(), "page 1 of 2");
    EXPECT_EQ(form.PreviewImage().width(), qRound(PrinterPageOf(AddressPrinter()).PhysicalWidth() / form.PreviewZoom()));
    SavePicture(form, "address_preview_report_page1");
    form.SpinUp->click();
    EXPECT_EQ(form.DateShown->text(), "page 2 of 2");
    SavePicture(form, "address_preview_report_page2");
    form.SpinUp->click();
    EXPECT_EQ(form.CurrentPage(), 1);
    form.SpinDown->click();
    form.SpinDown->click();
    EXPECT_EQ(form.CurrentPage(), 0);
    EXPECT_FALSE(form.Printed());
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(AddressPrinting, PrintingAllWritesEveryPageToThePdfFileChosen)
{
    TPrintAddressForm form;
    form.PrintAddresses(Request(TAddrStyle::Report, false));
    EXPECT_TRUE(form.Printed());
    EXPECT_EQ(offered_, QStringList({kAddressPrintTitle}));
    const QString text = PdfText();
    EXPECT_EQ(text.count('\f'), 2) << text.toStdString();
    for (const QString& name : {kONeil, QString("Mercy Hospital"), QString("Zenith Insurance"),
                                QString("C\u00e9line Eye Care"), QString("apex pharmacy")})
        EXPECT_TRUE(text.contains(name)) << name.toStdString();
    EXPECT_TRUE(text.contains("Mon-Fri 8-5"));
    EXPECT_TRUE(text.contains("Printed by Hearth on Monday, December 7, 2026 at 02:05 pm .")) << text.toStdString();
    // The second page holds the fifth field's column.
    EXPECT_TRUE(text.section('\f', 1).contains("Fax"));
    EXPECT_FALSE(text.section('\f', 1).contains("Phone 1"));
}

// A PDF file the disk has no room for is a print that failed, as one that
// cannot begin (its folder is a file) is: the user is told, and no broken
// file is left. With room again, the next print is whole.
TEST_F(AddressPrinting, APrintCutShortByAFullDiskSaysSoAndLeavesNoPdf)
{
    TPrintAddressForm form;
    {
        const FileSizeLimit room(8000);
        form.PrintAddresses(Request(TAddrStyle::Report, false));
    }
    EXPECT_EQ(boxes_.Texts(), QStringList({"Error in printing. Please check if there is a printer correctly "
                                           "connected to your system"}));
    EXPECT_FALSE(form.Printed());
    EXPECT_FALSE(QFile::exists(pdf_));

    form.PrintAddresses(Request(TAddrStyle::Report, false));
    EXPECT_TRUE(form.Printed());
    EXPECT_EQ(PdfText().count('\f'), 2);

    TPrintAddressForm blocked;
    pdf_ += "/addresses.pdf";
    blocked.PrintAddresses(Request(TAddrStyle::Report, false));
    EXPECT_FALSE(blocked.Printed());
    EXPECT_EQ(boxes_.Texts().size(), 2);
    EXPECT_EQ(boxes_.Texts().last(), boxes_.Texts().first());
}

TEST_F(AddressPrinting, CardsStartingOnANewPagePrintOneBusinessACard)
{
    TAddrPrintRequest request = Request(TAddrStyle::Card, true);
    request.newPagePerBusiness = true;
    TPrintAddressForm form;
    ASSERT_TRUE(form.Prepare(request));
    ASSERT_EQ(form.Pages().PageCount(), 7);
    form.resize(700, 700);
    form.show();
    form.FormShow();
    SavePicture(form, "address_preview_card_page1");
    form.PrintCurrentBtnClick();
    EXPECT_TRUE(form.Printed());
    const QString text = PdfText();
    EXPECT_EQ(text.count('\f'), 1);
    EXPECT_TRUE(text.contains("Cedar Dental"));   // the first by name
    EXPECT_TRUE(text.contains("Phone1: 555-0103"));
    EXPECT_FALSE(text.contains("Mercy Hospital"));
}

TEST_F(AddressPrinting, NothingToPrintAndNothingThatFitsAreSaidAndNothingIsPrinted)
{
    TAddrPrintRequest request = Request(TAddrStyle::Report, true);
    request.range = TAddrRange::CurrentName;
    TPrintAddressForm form;
    EXPECT_FALSE(form.Prepare(request));
    EXPECT_EQ(boxes_.Texts().last(), "Sorry!  There is nothing to preview. Please select one item from the previous "
                                     "address-book dialog box first.");
    request.range = TAddrRange::Category;
    request.categoryId = 9;
    request.preview = false;
    form.PrintAddresses(request);
    EXPECT_EQ(boxes_.Texts().last(), "Sorry!  There is nothing to print.");

    request.range = TAddrRange::AllNames;
    request.bodyFont.setPointSize(500);
    form.PrintAddresses(request);
    EXPECT_EQ(boxes_.Texts().last(), "Nothing fits on a page with these fonts, margins and paper. "
                                     "Please choose smaller fonts, narrower margins or larger paper.");
    EXPECT_FALSE(form.Printed());
    EXPECT_FALSE(QFile::exists(pdf_));
}

TEST_F(AddressPrinting, TheReportDialogChecksItsFieldsAndMarginsAndCancelPutsThemBack)
{
    TAddrRptStyleDlg dialog;
    dialog.Start(-1, 0);
    EXPECT_EQ(dialog.ListDst->count(), 4);
    EXPECT_EQ(dialog.ListSrc->count(), 9);
    EXPECT_EQ(dialog.PanelHeadingFont->text(), "DejaVu Sans 12 pt.");
    dialog.show();
    SavePicture(dialog, "address_report_style");

    dialog.EditMargins[kLeftMargin]->setText("-0.29");
    dialog.Print(true);
    EXPECT_EQ(boxes_.Texts().last(), "The negative margine is invalid.");
    dialog.EditMargins[kLeftMargin]->setText("half");
    dialog.Print(true);
    EXPECT_EQ(boxes_.Texts().last(), "half is not a valid number. Please check and enter again.");
    dialog.EditMargins[kLeftMargin]->setText("0.5");

    dialog.BtnAddAllClick();
    EXPECT_EQ(dialog.ListDst->count(), 13);
    EXPECT_FALSE(dialog.BtnAddAll->isEnabled());
    dialog.BtnRemoveAllClick();
    dialog.Print(false);
    EXPECT_EQ(boxes_.Texts().last(), "Please select the fields to print.");
    dialog.Print(true);
    EXPECT_EQ(boxes_.Texts().last(), "Please select the fields to preview.");
    dialog.ListSrc->setCurrentRow(dialog.ListSrc->count() - 1);   // "Notes"
    dialog.BtnAddClick();
    EXPECT_EQ(ReportChosenFields(), QStringList({"Notes"}));
    dialog.CancelBtnClick();
    EXPECT_EQ(ReportChosenFields(), DefaultReportFields());
    EXPECT_EQ(ReportStyleSettings().margins[kLeftMargin], "0.5");
}

// Escape and the close box are the user's Cancel too: what was changed in the
// dialog goes back as it would with the button.
TEST_F(AddressPrinting, EscapeAndTheCloseBoxPutTheSettingsBackAsCancelDoes)
{
    {
        TAddrRptStyleDlg dialog;
        dialog.Start(-1, 0);
        dialog.show();
        dialog.EditMargins[kTopMargin]->setText("-0.29");
        dialog.Print(true);
        EXPECT_EQ(boxes_.Texts().last(), "The negative margine is invalid.");
        dialog.ListSrc->setCurrentRow(dialog.ListSrc->count() - 1);   // "Notes"
        dialog.BtnAddClick();
        ASSERT_EQ(ReportChosenFields().size(), 5);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(ReportChosenFields(), DefaultReportFields());
    EXPECT_EQ(ReportStyleSettings().margins[kTopMargin], "0.5");

    TAddrCardStyleDlg card;
    card.Start(-1, 0);
    card.show();
    card.EditMargins[kRightMargin]->setText("-1");
    card.Print(true);
    EXPECT_EQ(boxes_.Texts().last(), "The negative margine is invalid.");
    card.close();
    EXPECT_FALSE(card.isVisible());
    EXPECT_EQ(CardStyleSettings().margins[kRightMargin], "0.5");
}

TEST_F(AddressPrinting, APreviewFromTheDialogKeepsItOpenAndAPrintClosesIt)
{
    TAddrRptStyleDlg dialog;
    dialog.Start(5, oneil_);
    dialog.RBCurrent->setChecked(true);
    dialog.ListDst->setCurrentRow(3);   // "Address" up one place
    dialog.BtnUpClick();
    EXPECT_EQ(ReportChosenFields(), QStringList({"Business Name", "Phone 1", "Address", "Fax"}));
    dialog.EditMargins[kTopMargin]->setText("0.75");
    int previewPages = -1;
    ClosePreview([&previewPages](TPrintAddressForm& form) { previewPages = form.Pages().PageCount(); });
    dialog.Print(true);
    EXPECT_EQ(previewPages, 0);
    EXPECT_FALSE(dialog.Printed());
    EXPECT_EQ(ReportStyleSettings().range, TAddrRange::CurrentName);
    EXPECT_EQ(ReportStyleSettings().margins[kTopMargin], "0.75");

    dialog.show();
    dialog.Print(false);
    EXPECT_TRUE(dialog.Printed());
    EXPECT_FALSE(dialog.isVisible());
    const QString text = PdfText();
    EXPECT_TRUE(text.contains(kONeil));
    EXPECT_FALSE(text.contains("Mercy Hospital"));
    // Cancel after a print keeps the fields chosen.
    dialog.CancelBtnClick();
    EXPECT_EQ(ReportChosenFields(), QStringList({"Business Name", "Phone 1", "Address", "Fax"}));
}

TEST_F(AddressPrinting, TheCardDialogRefusesAPrintoutSizeTheMarginsLeaveNoRoomFor)
{
    TAddrCardStyleDlg dialog;
    dialog.Start(-1, 0);
    EXPECT_EQ(dialog.ListPaperSize->count(), 16);
    EXPECT_TRUE(dialog.RBContinuous->isChecked());
    dialog.show();
    SavePicture(dialog, "address_card_style");
    dialog.ListPaperSize->setCurrentIndex(dialog.ListPaperSize->findText("Pocket (3X5)"));
    dialog.EditMargins[kLeftMargin]->setText("4");
    dialog.EditMargins[kRightMargin]->setText("4");
    dialog.Print(true);
    EXPECT_EQ(boxes_.Texts().last(),
              "Left/right Margins too wide.  Hearth Journal cannot fit the selected printout size into the "
              "pre-selected page size or page orientation.");
    dialog.EditMargins[kLeftMargin]->setText("0.5");
    dialog.EditMargins[kRightMargin]->setText("0.5");
    dialog.RBNewPage->setChecked(true);
    int cards = -1;
    ClosePreview([&cards](TPrintAddressForm& form) {
        cards = form.Pages().PageCount() + 1;
        SavePicture(form, "address_preview_card_from_dialog");
    });
    dialog.Print(true);
    EXPECT_EQ(cards, 8);
    EXPECT_EQ(CardStyleOptions().sizeIndex, 3);
    dialog.CancelBtnClick();
    EXPECT_EQ(CardStyleOptions().sizeIndex, 0);
    EXPECT_EQ(CardStyleSettings().margins[kLeftMargin], "0.5");
}

}  // namespace
