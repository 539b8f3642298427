// The report printer: unit factors, paper in either orientation, the page
// stream run, page ranges, cancelling, and loading and printing saved reports.
#include "pagesupport.h"

#include "reports/rpprinter.h"
#include "reports/rpunits.h"

#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A printer job that writes down what the printer asks of it.
class FakeJob : public TRpPrintJob {
public:
    FakeJob(QStringList& log, bool accept) : log_(log), accept_(accept), image_(200, 300, QImage::Format_ARGB32) {}
    bool Prepare(const QString&) override { return Note("Prepare"), accept_; }
    bool Begin(const QString& title) override { return Note("Begin " + title), painter_.begin(&image_); }
    void NewPage() override { Note("NewPage"); }
    bool End() override { return Note("End"), painter_.end(); }
    void Abort() override { Note("Abort"), painter_.end(); }
    QPainter& Painter() override { return painter_; }
    QSize PageSize() const override { return image_.size(); }
    int PixelsPerInchX() const override { return 600; }
    int PixelsPerInchY() const override { return 600; }

private:
    void Note(const QString& call) { log_.append(call); }
    QStringList& log_;
    bool accept_;
    QImage image_;
    QPainter painter_;
};

class PrinterTest : public ::testing::Test {
protected:
    // A run to the printer destination would put paper through a printer the
    // tests can see; without one it writes the PDF file chosen.
    void SetUp() override
    {
        const QStringList printers = QPrinterInfo::availablePrinterNames();
        ASSERT_TRUE(printers.isEmpty()) << "printers in sight: " << printers.join(QStringLiteral(", ")).toStdString();
    }
    void TearDown() override
    {
        TRpPrinter::InstallJobFactory({});
        RpPdfOutput::InstallChooser({});
    }

    void UseFakeJobs(bool accept = true)
    {
        TRpPrinter::InstallJobFactory([this, accept](QPrinter&) { return std::make_unique<FakeJob>(log_, accept); });
    }

    static void DrawPages(TRpPrinter& printer, int pages)
    {
        for (int n = 1; n <= pages; ++n) {
            printer.NewPage();
            TRpCanvas& canvas = printer.Canvas();
            canvas.SetFont(QFont(QStringLiteral("DejaVu Sans"), 24), Qt::black);
            canvas.TextOut(printer.XPos(200), printer.YPos(200), QStringLiteral("Page %1").arg(n));
            canvas.SetPen(Qt::black, Qt::SolidLine, 1);
            canvas.SetBrush(Qt::yellow, Qt::SolidPattern);
            canvas.Rectangle(QRect(printer.XPos(200), printer.YPos(400), printer.XSize(1000), printer.YSize(300)));
        }
    }

    // A complete preview document of the given number of pages.
    static void Generate(TRpPrinter& printer, int pages)
    {
        printer.BeginDoc();
        DrawPages(printer, pages);
        printer.EndDoc();
    }

    QStringList log_;
    QTemporaryDir dir_;
};

TEST_F(PrinterTest, ConvertsReportLengthsByTheDeviceResolution)
{
    UseFakeJobs();
    TRpPrinter printer;
    printer.SetDestination(TRpDestination::Printer);
    printer.BeginDoc();
    EXPECT_EQ(printer.XSize(254), 600);   // 25.4 mm at 600 pixels per inch
    EXPECT_EQ(printer.YSize(254), 600);
    EXPECT_EQ(printer.XPos(254 + printer.LeftOffset()), 600);
    EXPECT_EQ(printer.YPos(printer.TopOffset()), 0);

    TRpPrinter preview;
    preview.BeginDoc();
    EXPECT_EQ(preview.LeftOffset(), 0);
    EXPECT_EQ(preview.XSize(254), ScreenPixelsPerInch());
}

TEST_F(PrinterTest, GivesThePaperInEitherOrientation)
{
    TRpPrinter printer;
    printer.SetPaperSize(TRpPaperSize::Letter);
    EXPECT_EQ(printer.PaperWidth(), 2159);
    EXPECT_EQ(printer.PaperLength(), 2794);
    printer.SetOrientation(QPageLayout::Landscape);
    EXPECT_EQ(printer.PaperWidth(), 2794);
    EXPECT_EQ(printer.PaperLength(), 2159);

    printer.SetPaperWidth(1234);   // not custom: ignored
    printer.SetPaperSize(TRpPaperSize::Custom);
    printer.SetPaperWidth(1000);
    printer.SetPaperLength(1500);
    EXPECT_EQ(printer.PaperWidth(), 1500);
    EXPECT_EQ(printer.PaperLength(), 1000);
    printer.SetOrientation(QPageLayout::Portrait);
    EXPECT_EQ(printer.PaperWidth(), 1000);
}

TEST_F(PrinterTest, RecordsPagesForThePreviewAndTellsItsClient)
{
    PrinterMessages client;
    TRpPrinter printer;
    printer.SetClient(&client);
    printer.SetCompression(true);
    Generate(printer, 3);
    printer.SetProgress(50);
    QCoreApplication::processEvents();

    EXPECT_EQ(printer.Status(), TRpPrinterStatus::DocumentComplete);
    EXPECT_EQ(printer.PageCount(), 3);
    EXPECT_EQ(printer.PageList().PageCount(), 3);
    EXPECT_TRUE(printer.PageList().Compression());
    EXPECT_EQ(client.pages, (QList<int>{1, 2, 3}));
    EXPECT_EQ(client.progress, QList<int>{50});
    const auto page = printer.GetPage(2);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Width(), printer.XSize(printer.PaperWidth()));
    EXPECT_FALSE(printer.GetPage(4));

    const QImage image = Render(*page, page->Width(), page->Height());
    const QString pictures = qEnvironmentVariable("CP_PICTURE_DIR", QDir::tempPath());
    QDir().mkpath(pictures);
    EXPECT_TRUE(image.save(pictures + QStringLiteral("/recorded-page.png")));
}

TEST_F(PrinterTest, RefusesCallsOutOfOrder)
{
    TRpPrinter printer;
    EXPECT_THROW(printer.NewPage(), ERpPrinterError);
    printer.BeginDoc();
    try {
        printer.BeginDoc();
        FAIL() << "a second document was begun";
    } catch (const ERpPrinterError& e) {
        EXPECT_STREQ(e.what(), "RpPrinter not ready");
    }
    printer.EndDoc();
    EXPECT_THROW(printer.NewPage(), ERpPrinterError);
}

TEST_F(PrinterTest, PrintsOnlyThePagesInRangeButCountsThemAll)
{
    UseFakeJobs();
    TRpPrinter printer;
    printer.SetDestination(TRpDestination::Printer);
    printer.SetTitle(QStringLiteral("Check-ups"));
    printer.SetFirstPage(2);
    printer.SetLastPage(3);
    bool afterPrint = false;
    printer.OnAfterPrint = [&afterPrint] { afterPrint = true; };
    Generate(printer, 5);
    EXPECT_EQ(log_, (QStringList{"Prepare", "Begin Check-ups", "NewPage", "End"}));
    EXPECT_EQ(printer.PageCount(), 5);
    EXPECT_TRUE(afterPrint);
}

TEST_F(PrinterTest, EndsOnlyADocumentThatWasBegun)
{
    UseFakeJobs();
    TRpPrinter printer;
    printer.SetDestination(TRpDestination::Printer);
    printer.SetFirstPage(7);
    EXPECT_THROW(Generate(printer, 5), ERpNothingInRange);   // nothing printed is said
    EXPECT_EQ(log_, QStringList{"Prepare"});

    log_.clear();
    TRpPrinter aborted;
    aborted.SetDestination(TRpDestination::Printer);
    aborted.BeginDoc();
    aborted.Abort();
    EXPECT_EQ(log_, QStringList{"Prepare"});
    EXPECT_EQ(aborted.Status(), TRpPrinterStatus::DocumentComplete);
}

TEST_F(PrinterTest, CancellingAPrintAbortsThePrinterJob)
{
    UseFakeJobs();
    {
        TRpPrinter printer;
        printer.SetDestination(TRpDestination::Printer);
        printer.BeginDoc();
        DrawPages(printer, 2);
        printer.Cancel();
        EXPECT_TRUE(printer.Cancelled());
        printer.Canvas().TextOut(0, 0, QStringLiteral("drawn after the cancel"));
    }
    EXPECT_EQ(log_, (QStringList{"Prepare", "Begin ", "NewPage", "Abort"}));

    log_.clear();
    UseFakeJobs(false);   // the user declined the output file
    TRpPrinter declined;
    declined.SetDestination(TRpDestination::Printer);
    Generate(declined, 2);
    EXPECT_TRUE(declined.Cancelled());
    EXPECT_EQ(log_, QStringList{"Prepare"});
}

TEST_F(PrinterTest, ClosingThePreviewCancelsARunningReport)
{
    TRpPrinter printer;
    bool afterPreview = false;
    printer.OnAfterPreview = [&afterPreview] { afterPreview = true; };
    printer.SetShowingPreview(true);
    printer.BeginDoc();
    printer.SetShowingPreview(false);
    EXPECT_TRUE(printer.Cancelled());
    EXPECT_TRUE(afterPreview);
}

TEST_F(PrinterTest, PrintsALoadedReportOneSheetPerPageIntoAChosenPdf)
{
    TRpPrinter generated;
    Generate(generated, 3);
    const QString saved = dir_.filePath(QStringLiteral("saved.RPF"));
    ASSERT_TRUE(generated.Save(saved));

    TRpPrinter printer;
    printer.OnPrint = [] { FAIL() << "a loaded report prints its stored pages"; };
    ASSERT_TRUE(printer.Load(saved));
    EXPECT_EQ(printer.Status(), TRpPrinterStatus::DocumentComplete);
    EXPECT_EQ(printer.PageCount(), 3);

    const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
    QString askedTitle;
    printer.SetTitle(QStringLiteral("Immunizations"));
    RpPdfOutput::InstallChooser([&](const QString& title) { return askedTitle = title, pdf; });
    printer.Print();
    EXPECT_EQ(askedTitle, QStringLiteral("Immunizations"));
    EXPECT_EQ(PdfPageCount(pdf), 3);
    const QList<QStringList> pages = PdfPageLines(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0], QStringList{QStringLiteral("Page 1")});
    EXPECT_EQ(pages[2], QStringList{QStringLiteral("Page 3")});

    // A page whose bytes were damaged on the disk stops the print: no PDF
    // with a blank sheet in its place, and the one printed before stays.
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(file.readAll().lastIndexOf("RPPG")) && file.write("X") == 1);
    file.close();
    ASSERT_TRUE(printer.Load(saved));
    EXPECT_THROW(printer.Print(), ERpPrintFailed);
    EXPECT_EQ(PdfPageLines(pdf), pages);
}

// A cancelled print leaves the file that was there: none, or a PDF printed
// before, which a print replaces only once whole. A disk whose room ends just
// before the file's end mark, or one full for a moment while a picture is
// written, leave it too, with nothing beside it.
TEST_F(PrinterTest, ACancelledPdfPrintLeavesNoFile)
{
    const QString pdf = dir_.filePath(QStringLiteral("cancelled.pdf"));
    RpPdfOutput::InstallChooser([&](const QString&) { return pdf; });
    const auto cancel = [] {
        TRpPrinter printer;
        printer.SetDestination(TRpDestination::Printer);
        printer.BeginDoc();
        DrawPages(printer, 2);
        printer.Cancel();
    };
    cancel();
    EXPECT_FALSE(QFile::exists(pdf));

    TRpPrinter printed;
    printed.SetDestination(TRpDestination::Printer);
    Generate(printed, 2);
    EXPECT_EQ(PdfPageCount(pdf), 2);

    const auto bytes = [&] {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray kept = bytes();
    cancel();
    {
        const FileSizeLimit room(kept.size() - QByteArrayView("%%EOF\n").size());
        TRpPrinter cut;
        cut.SetDestination(TRpDestination::Printer);
        EXPECT_THROW(Generate(cut, 2), ERpPrintFailed);
    }
    QPrinter printer(QPrinter::HighResolution);
    TRpQPrinterJob job(printer);
    ASSERT_TRUE(job.Prepare(QString()) && job.Begin(QString()));
    {
        const FileSizeLimit room(2000);
        QImage noise(200, 200, QImage::Format_RGB32);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.width() * noise.height());
        job.Painter().drawImage(0, 0, noise);
    }
    EXPECT_FALSE(job.End());
    EXPECT_EQ(bytes(), kept);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cancelled.pdf")});
}

TEST_F(PrinterTest, RefusesABadReportFileWithAMessageAndKeepsItsPages)
{
    ScriptedMessageBoxes boxes;
    TRpPrinter printer;
    Generate(printer, 2);
    const QString bad = dir_.filePath(QStringLiteral("bad.RPF"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'x'));
    file.close();

    EXPECT_FALSE(printer.Load(bad));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("bad.RPF")));
    EXPECT_EQ(printer.PageCount(), 2);
    EXPECT_TRUE(printer.GetPage(2));
    EXPECT_FALSE(printer.Save(dir_.filePath(QStringLiteral("x/y.RPF"))));
}

}  // namespace

// The file first offered for a title is one file in the folder offered, with
// one extension: a title may end with a full stop or name two things with a
// slash.
TEST(PdfFileName, ATitleGivesOneFileWithOneExtension)
{
    EXPECT_EQ(RpPdfOutput::FileNameFor(QStringLiteral("Help text")), QStringLiteral("Help text.pdf"));
    EXPECT_EQ(RpPdfOutput::FileNameFor(QStringLiteral("Message for you.")), QStringLiteral("Message for you.pdf"));
    EXPECT_EQ(RpPdfOutput::FileNameFor(QStringLiteral("Insurance/FSA report...")), QStringLiteral("Insurance-FSA report.pdf"));
    EXPECT_EQ(RpPdfOutput::FileNameFor(QString()), QStringLiteral("Report.pdf"));
    EXPECT_EQ(RpPdfOutput::FileNameFor(QStringLiteral(" . ")), QStringLiteral("Report.pdf"));
}

// Each print gets a fresh printer; the user's choices go with it.
TEST(PrinterLike, KeepsWhatTheUserChose)
{
    QPrinter chosen(QPrinter::HighResolution);
    chosen.setCopyCount(3);
    chosen.setPageOrientation(QPageLayout::Landscape);
    chosen.setPageSize(QPageSize(QPageSize::Legal));
    chosen.setColorMode(QPrinter::GrayScale);
    const std::unique_ptr<QPrinter> like = PrinterLike(chosen);
    EXPECT_EQ(like->copyCount(), 3);
    EXPECT_EQ(like->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(like->pageLayout().pageSize().id(), QPageSize::Legal);
    EXPECT_EQ(like->colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(like->duplex(), chosen.duplex());
    EXPECT_EQ(like->paperSource(), chosen.paperSource());
}
