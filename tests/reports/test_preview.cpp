// The preview window over a report run: pages while they are generated,
// paging by buttons and keys, status texts, zoom, what cannot be done yet,
// saving, loading and exporting, printing to PDF, the progress window, and
// the application's message hook while the preview runs.
#include "pagesupport.h"
#include "reportforms.h"

#include "reports/rpfiledialogs.h"
#include "reports/rppreview.h"
#include "reports/rpprogress.h"
#include "reports/rpstandardpreview.h"

#include "platform/formatsettings.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Runs the report's preview and hands its window to the action once the
// document is complete; the window is closed afterwards if still open.
void WithCompletePreview(TReport& report, const std::function<void(TRpStandardPreview&)>& action)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TRpStandardPreview* window = OpenPreview();
        if (acted || !window || !window->RpPreview()->RpPrinter() ||
            window->RpPreview()->RpPrinter()->Status() != TRpPrinterStatus::DocumentComplete)
            return;
        acted = true;
        QCoreApplication::processEvents();   // the last page messages
        action(*window);
        if (OpenPreview())
            OpenPreview()->close();
    });
    poll.start(0);
    report.Preview();
    EXPECT_TRUE(acted);
}

QString StatusText(const TRpStandardPreview& window)
{
    return window.Status()->text();
}

// Prints go into a PDF file instead of a printer.
void PrintInto(const QString& pdf)
{
    TRpPrinter::InstallJobFactory([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return std::make_unique<TRpQPrinterJob>(printer);
    });
    RpPdfOutput::InstallChooser([pdf](const QString&) { return pdf; });
}

class PreviewWindow : public ::testing::Test {
protected:
    PreviewWindow() : form(ReportForm::NumberedRows(110))
    {
        form.report.Page().SetPaperSize(TRpPaperSize::Letter);
        form.report.SetReportTitle(QStringLiteral("Members"));
        form.ListForm();
    }
    void TearDown() override
    {
        RpFileDialogs::InstallChoosers({}, {});
        TRpPrinter::InstallJobFactory({});
        RpPdfOutput::InstallChooser({});
    }

    ReportForm form;
    QTemporaryDir dir;
};

TEST_F(PreviewWindow, PagesByButtonsAndKeysWithTheirStatusText)
{
    bool afterPreview = false;
    form.report.AfterPreview = [&] { afterPreview = true; };
    WithCompletePreview(form.report, [](TRpStandardPreview& window) {
        EXPECT_EQ(window.windowTitle(), "Members");
        EXPECT_TRUE(window.isMaximized());
        EXPECT_EQ(StatusText(window), "Page 1 of 5");
        window.NextPage()->click();
        EXPECT_EQ(StatusText(window), "Page 2 of 5");
        QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(StatusText(window), "Page 5 of 5");
        window.NextPage()->click();
        EXPECT_EQ(StatusText(window), "Page 5 of 5");
        QTest::keyClick(window.RpPreview(), Qt::Key_Home);
        EXPECT_EQ(StatusText(window), "Page 1 of 5");
        window.PrevPage()->click();
        EXPECT_EQ(StatusText(window), "Page 1 of 5");
        QTest::keyClick(window.RpPreview()->viewport(), Qt::Key_End);
        EXPECT_EQ(StatusText(window), "Page 5 of 5");
        QTest::keyClick(&window, Qt::Key_PageUp);
        EXPECT_EQ(StatusText(window), "Page 4 of 5");
        window.FirstPage()->click();
        EXPECT_EQ(StatusText(window), "Page 1 of 5");
        window.LastPage()->click();
        EXPECT_EQ(window.RpPreview()->PageNumber(), 5);
        // Letter: 23 rows of 100 between the header and the footer.
        QStringList lastPage{"Header"};
        for (int n = 93; n <= 110; ++n)
            lastPage.append(QStringLiteral("Row %1").arg(n));
        lastPage.append("Page 5");
        EXPECT_EQ(PageTexts(*window.RpPreview()->PreviewImage().PageImage()), lastPage);
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_TRUE(afterPreview);
    EXPECT_TRUE(form.report.Available());
    EXPECT_EQ(form.report.RpPrinter(), nullptr);
}

TEST_F(PreviewWindow, ZoomsToFitToWidthAndToActualSize)
{
    WithCompletePreview(form.report, [](TRpStandardPreview& window) {
        TRpPreview& preview = *window.RpPreview();
        const QWidget& image = preview.PreviewImage();
        // The first page arrives zoomed to the page width.
        EXPECT_TRUE(window.ZoomToWidth()->isChecked());
        EXPECT_EQ(preview.ZoomState(), TRpPreview::TZoomState::Width);
        EXPECT_NEAR(image.width() - 4, preview.maximumViewportSize().width() * 0.9, 5);   // whole percents
        QCoreApplication::processEvents();
        SavePicture(window, QStringLiteral("report_preview_width"));

        window.ZoomTo100()->click();
        EXPECT_EQ(preview.Zoom(), 100);
        EXPECT_EQ(image.width(), RpRound(2159 * ScreenPixelsPerInch() / 254.0) + 4);
        if (ScreenPixelsPerInch() == 96) {
            EXPECT_EQ(image.width(), 816 + 4);
        }

        window.ZoomToFit()->click();
        EXPECT_EQ(preview.ZoomState(), TRpPreview::TZoomState::Fit);
        EXPECT_LE(image.height(), preview.maximumViewportSize().height());
        EXPECT_LE(image.width(), preview.maximumViewportSize().width());
        QCoreApplication::processEvents();
        EXPECT_FALSE(preview.horizontalScrollBar()->isVisible());
        EXPECT_FALSE(preview.verticalScrollBar()->isVisible());
        SavePicture(window, QStringLiteral("report_preview_fit"));

        preview.SetZoom(2000);
        preview.SetZoom(1);
        preview.SetZoom(2001);
        EXPECT_EQ(preview.Zoom(), 2000);
        EXPECT_EQ(preview.ZoomState(), TRpPreview::TZoomState::Explicit);
    });
}

TEST_F(PreviewWindow, ShowsTheFirstPageWhileTheRestIsGeneratedAndSaysWhatMustWait)
{
    bool checked = false;
    TRpCustomBand& detail = *form.report.BandByType(TRpBandType::rbDetail);
    detail.AfterPrint = [&](TRpCustomBand&, bool) {
        if (form.report.Controller().DetailNumber() != 100)
            return;
        QCoreApplication::processEvents();
        TRpStandardPreview* window = OpenPreview();
        ASSERT_NE(window, nullptr);
        checked = true;
        EXPECT_TRUE(window->RpPreview()->PreviewImage().HasPage());
        EXPECT_EQ(StatusText(*window), "Page 1 of 5");
        EXPECT_FALSE(window->Save()->isEnabled());
        EXPECT_TRUE(window->Save()->toolTip().contains("once the report is complete"));
        EXPECT_FALSE(window->Print()->isEnabled());
        EXPECT_TRUE(window->Print()->toolTip().contains("once the report is complete"));
        QTest::keyClick(window, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(StatusText(*window), "Page 4 of 5");   // the last finished page
    };
    WithCompletePreview(form.report, [](TRpStandardPreview& window) {
        EXPECT_TRUE(window.Save()->isEnabled());
        EXPECT_EQ(window.Save()->toolTip(), "Save");
        EXPECT_TRUE(window.Print()->isEnabled());
        EXPECT_EQ(StatusText(window), "Page 4 of 5");
    });
    EXPECT_TRUE(checked);
}

TEST_F(PreviewWindow, ClosingItWhileGeneratingCancelsTheRun)
{
    int lastRecord = 0;
    TRpCustomBand& detail = *form.report.BandByType(TRpBandType::rbDetail);
    detail.AfterPrint = [&](TRpCustomBand&, bool) {
        lastRecord = form.report.Controller().DetailNumber();
        if (lastRecord == 30 && OpenPreview())
            OpenPreview()->close();
    };
    form.report.Preview();
    EXPECT_EQ(lastRecord, 30);
    EXPECT_TRUE(form.report.Available());
    EXPECT_EQ(OpenPreview(), nullptr);
}

TEST_F(PreviewWindow, SavesReloadsAndExportsTheSameReport)
{
    const QString saved = dir.filePath("members.RPF");
    const QString text = dir.filePath("members.TXT");
    QStringList original;
    QStringList offered;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        TRpPrinter& printer = *window.RpPreview()->RpPrinter();
        for (int n = 1; n <= printer.PageCount(); ++n)
            original += PageTexts(*printer.GetPage(n));

        RpFileDialogs::InstallChoosers(
            [&](const QString& filter) {
                offered.append(filter);
                return RpFileDialogs::Choice{offered.size() == 1 ? saved : text, offered.size() == 1 ? 1 : 2};
            },
            [&](const QString& filter) {
                offered.append(filter);
                return saved;
            });
        window.Save()->click();
        window.Save()->click();
        window.LastPage()->click();
        window.Load()->click();

        EXPECT_EQ(StatusText(window), "Page 1 of 5");
        EXPECT_EQ(window.RpPreview()->PageNumber(), 1);
        QStringList reloaded;
        for (int n = 1; n <= printer.PageCount(); ++n)
            reloaded += PageTexts(*printer.GetPage(n));
        EXPECT_EQ(reloaded, original);
        // A loaded report is only saved again; printing it uses its pages.
        EXPECT_EQ(window.SaveFilter(), "Report file(*.RPF)|*.RPF");
        EXPECT_TRUE(window.Save()->isEnabled());
        EXPECT_TRUE(window.Save()->toolTip().contains("loaded report"));
        EXPECT_FALSE(window.PrintSetup()->isEnabled());
        EXPECT_TRUE(window.Print()->isEnabled());
    });

    EXPECT_EQ(offered, QStringList({"Report file(*.RPF)|*.RPF|Text file (*.TXT)|*.TXT",
                                    "Report file(*.RPF)|*.RPF|Text file (*.TXT)|*.TXT", "Report file(*.RPF)|*.RPF"}));
    QFile exported(text);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    QStringList exportedLines;
    for (const QByteArray& line : exported.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            exportedLines.append(QString::fromUtf8(line.trimmed()));
    }
    ASSERT_EQ(original.size(), 2 * 5 + 110);
    EXPECT_EQ(exportedLines, original);
}

// A disk with too little room for the whole file: the save says so, and the
// files the user had stay as they were, with nothing beside them.
TEST_F(PreviewWindow, ASaveOrExportOntoAFullDiskSaysSoAndKeepsTheFileThere)
{
    const QString saved = dir.filePath("members.RPF");
    const QString text = dir.filePath("members.TXT");
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ScriptedMessageBoxes boxes;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        int filterIndex = 1;
        RpFileDialogs::InstallChoosers(
            [&](const QString&) { return RpFileDialogs::Choice{filterIndex == 1 ? saved : text, filterIndex}; }, {});
        for (filterIndex = 1; filterIndex <= 2; ++filterIndex)
            window.Save()->click();
        ASSERT_TRUE(boxes.shown.isEmpty());
        const QByteArray report = bytes(saved);
        const QByteArray lines = bytes(text);
        ASSERT_GT(lines.size(), 200);
        // The last 100 bytes find no room.
        for (filterIndex = 1; filterIndex <= 2; ++filterIndex) {
            const FileSizeLimit room((filterIndex == 1 ? report : lines).size() - 100);
            window.Save()->click();
        }
        EXPECT_EQ(bytes(saved), report);
        EXPECT_EQ(bytes(text), lines);
    });
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].text, "The report could not be saved in " + saved + ".");
    EXPECT_TRUE(boxes.shown[1].text.startsWith("Cannot write " + text)) << boxes.shown[1].text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"members.RPF", "members.TXT"}));
}

TEST_F(PreviewWindow, LoadingAMissingFileSaysSoAndChangesNothing)
{
    ScriptedMessageBoxes boxes;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        RpFileDialogs::InstallChoosers({}, [&](const QString&) { return dir.filePath("gone.RPF"); });
        window.NextPage()->click();
        window.Load()->click();
        EXPECT_EQ(StatusText(window), "Page 2 of 5");
        EXPECT_EQ(window.SaveFilter(), ExportFilterLibrary().SaveDialogFilterString());
    });
    EXPECT_EQ(boxes.Texts(), QStringList({"File does not exist"}));
}

TEST_F(PreviewWindow, PrintsTheReportAgainIntoAPdf)
{
    const QString pdf = dir.filePath("members.pdf");
    PrintInto(pdf);
    bool afterPrint = false;
    form.report.AfterPrint = [&] { afterPrint = true; };
    WithCompletePreview(form.report, [](TRpStandardPreview& window) { window.Print()->click(); });
    EXPECT_EQ(PdfPageCount(pdf), 5);
    EXPECT_TRUE(afterPrint);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    // What the preview showed is on the paper, page by page.
    const QList<QStringList> pages = PdfPageLines(pdf);
    ASSERT_EQ(pages.size(), 5);
    EXPECT_EQ(pages[0].mid(0, 3), QStringList({"Header", "Row 1", "Row 2"}));
    EXPECT_EQ(pages[4].mid(pages[4].size() - 2), QStringList({"Row 110", "Page 5"}));
}

// A PDF file that cannot be made (its folder is a file) or that the disk has
// no room for is a print that failed: the user is told, and no file is left.
TEST_F(PreviewWindow, APrintIntoAPdfThatCannotBeWrittenWholeSaysSoAndLeavesNoFile)
{
    QFile notAFolder(dir.filePath("folder"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QString blocked = dir.filePath("folder/members.pdf");
    const QString pdf = dir.filePath("members.pdf");
    ScriptedMessageBoxes boxes;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        const auto printIntoBoth = [&] {
            PrintInto(blocked);
            window.Print()->click();
            PrintInto(pdf);
            const FileSizeLimit room(8000);
            window.Print()->click();
        };
        printIntoBoth();
        // A loaded report prints its stored pages, and fails alike.
        TRpPrinter& printer = *window.RpPreview()->RpPrinter();
        ASSERT_TRUE(printer.Save(dir.filePath("members.RPF")));
        ASSERT_TRUE(printer.Load(dir.filePath("members.RPF")));
        printIntoBoth();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"folder", "members.RPF"}));
        // With room again, the next print is whole.
        window.Print()->click();
    });
    const QString failed =
        "Error in printing. Please check if there is a printer correctly connected to your system";
    EXPECT_EQ(boxes.Texts(), QStringList({failed, failed, failed, failed}));
    EXPECT_EQ(boxes.shown.value(0).icon, MsgIcon::Warning);
    EXPECT_EQ(PdfPageCount(pdf), 5);
}

// Events are processed between the pages of a print: what is pressed
// meanwhile neither loads another report into it, begins a second print over
// it, nor closes the window it reads from.
TEST_F(PreviewWindow, ALoadedReportPrintsWholeWhatIsPressedMeanwhile)
{
    TRpPageList other;
    other.SetStream(std::make_unique<TRpStream>(TRpStream::kDefaultMemoryLimit));
    for (int n : {1, 2})
        other.AddPage(MakePage(n));
    other.WriteFileHeader();
    ASSERT_TRUE(other.SaveToFile(dir.filePath("other.RPF")));
    RpFileDialogs::InstallChoosers({}, [&](const QString&) { return dir.filePath("other.RPF"); });
    PrintInto(dir.filePath("members.pdf"));
    bool pressed = false;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        TRpPrinter& printer = *window.RpPreview()->RpPrinter();
        ASSERT_TRUE(printer.Save(dir.filePath("members.RPF")) && printer.Load(dir.filePath("members.RPF")));
        QTimer::singleShot(0, [&] {
            pressed = true;
            window.Load()->click();
            window.Print()->click();
            window.close();
            EXPECT_TRUE(window.isVisible());
        });
        window.Print()->click();
        EXPECT_EQ(printer.PageCount(), 5);
        EXPECT_TRUE(window.Load()->isEnabled());
    });
    EXPECT_TRUE(pressed);
    const QList<QStringList> pages = PdfPageLines(dir.filePath("members.pdf"));
    ASSERT_EQ(pages.size(), 5);
    EXPECT_EQ(pages[4].mid(pages[4].size() - 2), QStringList({"Row 110", "Page 5"}));
}

TEST_F(PreviewWindow, PrintingAlonePrintsEveryPageAndItsRange)
{
    const QString pdf = dir.filePath("landscape.pdf");
    PrintInto(pdf);
    form.report.Page().SetOrientation(QPageLayout::Landscape);
    form.report.Print();
    EXPECT_EQ(PdfPageCount(pdf), 7);   // 17 rows a page across
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch box =
        QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)").match(QString::fromLatin1(file.readAll()));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());

    form.report.PrinterSettings().firstPage = 2;
    form.report.PrinterSettings().lastPage = 3;
    form.report.Print();
    EXPECT_EQ(PdfPageCount(pdf), 2);
}

// A range chosen while the pages were still being made, past the last of
// them: nothing is printed, the user is told why, and an earlier printout
// under the name chosen is not passed off as this one.
TEST_F(PreviewWindow, APrintWithNoPageInItsRangeSaysSoAndTouchesNoFile)
{
    const QString earlier = dir.filePath("members.pdf");
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4 printed in March") > 0 && file.flush());
    const QDateTime march(QDate(2024, 3, 5), QTime(9, 0));
    ASSERT_TRUE(file.setFileTime(march, QFileDevice::FileModificationTime));
    file.close();
    QPrinter chosen;
    chosen.setPrintRange(QPrinter::PageRange);
    chosen.setFromTo(6, 9);
    form.report.BandByType(TRpBandType::rbDetail)->AfterPrint = [&](TRpCustomBand&, bool) {
        if (form.report.Controller().DetailNumber() == 30)
            form.report.TakePrintSetup(chosen);
    };
    bool afterPrint = false;
    form.report.AfterPrint = [&] { afterPrint = true; };
    ScriptedMessageBoxes boxes;
    WithCompletePreview(form.report, [&](TRpStandardPreview& window) {
        PrintInto(earlier);
        window.Print()->click();
        PrintInto(dir.filePath("new.pdf"));
        window.Print()->click();
    });
    const QString nothing =
        "The page range chosen holds none of the report's pages (5 in all), so nothing was printed.";
    EXPECT_EQ(boxes.Texts(), QStringList({nothing, nothing}));
    EXPECT_EQ(boxes.shown.value(0).icon, MsgIcon::Warning);
    EXPECT_FALSE(afterPrint);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "%PDF-1.4 printed in March");
    EXPECT_EQ(QFileInfo(earlier).lastModified(), march);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"members.pdf"});
}

TEST_F(PreviewWindow, PrintSetupChoicesBecomeTheReportsSettings)
{
    QPrinter chosen;
    chosen.setCopyCount(3);
    chosen.setPageOrientation(QPageLayout::Landscape);
    chosen.setPrintRange(QPrinter::PageRange);
    chosen.setFromTo(2, 4);
    form.report.TakePrintSetup(chosen);
    EXPECT_EQ(form.report.PrinterSettings().copies, 3);
    EXPECT_EQ(form.report.Page().Orientation(), QPageLayout::Landscape);
    EXPECT_EQ(form.report.PrinterSettings().firstPage, 2);
    EXPECT_EQ(form.report.PrinterSettings().lastPage, 4);

    chosen.setPrintRange(QPrinter::AllPages);
    form.report.TakePrintSetup(chosen);
    EXPECT_EQ(form.report.PrinterSettings().firstPage, 0);
    EXPECT_EQ(form.report.PrinterSettings().lastPage, 0);
}

TEST_F(PreviewWindow, TheGaugeShowsOnlyWhileARunIsUnderWay)
{
    WithCompletePreview(form.report, [](TRpStandardPreview& window) {
        const auto progress = [&window](int percent) {
            QCoreApplication::postEvent(window.RpPreview(), new TRpPrinterMessage(TRpPrinterMessage::Progress, percent));
            QCoreApplication::processEvents();
        };
        progress(40);
        EXPECT_TRUE(window.Gauge()->isVisible());
        EXPECT_EQ(window.Gauge()->value(), 40);
        progress(100);
        EXPECT_FALSE(window.Gauge()->isVisible());
    });
}

TEST_F(PreviewWindow, TheApplicationsMessageHookIsAsideWhileThePreviewRuns)
{
    class Hook : public QObject {
    public:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::User)
                ++seen;
            return false;
        }
        int seen = 0;
    } hook;
    QObject target;
    const auto ping = [&target] {
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&target, &event);
    };
    QCoreApplication::instance()->installEventFilter(&hook);
    form.report.SetMessageHook(&hook);
    WithCompletePreview(form.report, [&](TRpStandardPreview&) {
        ping();
        EXPECT_EQ(hook.seen, 0);
    });
    ping();
    EXPECT_EQ(hook.seen, 1);
    QCoreApplication::instance()->removeEventFilter(&hook);
}

// A list as the program prints them: title, column heads over a rule,
// groups with totals, a summary and a footer with the date and page.
TEST(PreviewPicture, AGroupedListReadsClearly)
{
    Clock::SetFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
    ReportForm form;
    form.report.Page().SetPaperSize(TRpPaperSize::Letter);
    form.report.Page().SetLeftMargin(190);
    form.report.Page().SetRightMargin(190);
    form.report.Page().SetTopMargin(190);
    form.report.Page().SetBottomMargin(190);
    QFont bold = form.report.Font();
    bold.setBold(true);

    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 160);
    TRpLabel& heading = form.Label(title, QStringLiteral("Expense Report"));
    QFont large = bold;
    large.setPointSize(16);
    heading.SetFont(large);
    heading.Size().SetWidth(1779);
    heading.SetAlignment(TRpAlignment::Center);
    TRpCustomBand& heads = form.Band(TRpBandType::rbColumnHeader, 80);
    const std::pair<QString, double> columns[] = {{"Member", 0}, {"Born", 700}, {"Visits", 1100}};
    for (const auto& [caption, left] : columns) {
        TRpLabel& head = form.Label(heads, caption);
        head.SetFont(bold);
        head.MoveTo(left, 0);
        head.Size().SetWidth(400);
    }
    TRpLabel& amountHead = form.Label(heads, QStringLiteral("Amount"));
    amountHead.SetFont(bold);
    amountHead.MoveTo(1379, 0);
    amountHead.Size().SetWidth(400);
    amountHead.SetAlignment(TRpAlignment::Right);
    TRpShape& rule = form.report.BandByType(TRpBandType::rbColumnHeader)->Add<TRpShape>();
    rule.SetShape(TRpShapeType::rpsHorLine);
    rule.MoveTo(0, 60);
    rule.Size().SetWidth(1779);
    rule.Size().SetHeight(20);

    TRpGroup& group = form.Group(QStringLiteral("Category"), 90);
    form.Expression(group, QStringLiteral("'Category '+Category")).SetFont(bold);
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 70);
    form.Field(detail, QStringLiteral("Name")).MoveTo(50, 0);
    form.Field(detail, QStringLiteral("Born"), QStringLiteral("mmm d, yyyy")).MoveTo(700, 0);
    form.Field(detail, QStringLiteral("Visits")).MoveTo(1100, 0);
    TRpDBText& amount = form.Field(detail, QStringLiteral("Amount"), QStringLiteral("$#,##0.00"));
    amount.MoveTo(1379, 0);
    amount.Size().SetWidth(400);
    amount.SetAlignment(TRpAlignment::Right);
    TRpCustomBand& groupFooter = form.GroupFooter(group, 110);
    TRpExpr& subtotal = form.Expression(groupFooter, QStringLiteral("SUM(Amount)"), QStringLiteral("$#,##0.00"));
    subtotal.MoveTo(1379, 0);
    subtotal.Size().SetWidth(400);
    subtotal.SetAlignment(TRpAlignment::Right);
    subtotal.SetResetAfterPrint(true);
    subtotal.Frame().drawTop = true;
    TRpCustomBand& summary = form.Band(TRpBandType::rbSummary, 100);
    summary.SetColor(QColor(235, 240, 250));
    TRpLabel& totalCaption = form.Label(summary, QStringLiteral("Total expense"));
    totalCaption.SetFont(bold);
    totalCaption.SetTransparent(true);
    TRpExpr& total = form.Expression(summary, QStringLiteral("SUM(Amount)"), QStringLiteral("$#,##0.00"));
    total.MoveTo(1379, 0);
    total.Size().SetWidth(400);
    total.SetAlignment(TRpAlignment::Right);
    total.SetFont(bold);
    total.SetTransparent(true);
    TRpCustomBand& footer = form.Band(TRpBandType::rbPageFooter, 80);
    TRpSysData& printed = form.Place<TRpSysData>(footer);
    printed.SetText(QStringLiteral("Printed "));
    printed.SetData(TRpSysDataType::rpsDate);
    TRpSysData& page = form.PageNumber(footer);
    page.MoveTo(1379, 0);
    page.Size().SetWidth(400);
    page.SetAlignment(TRpAlignment::Right);

    WithCompletePreview(form.report, [](TRpStandardPreview& window) {
        const QStringList texts = PageTexts(*window.RpPreview()->PreviewImage().PageImage());
        EXPECT_TRUE(texts.contains("Expense Report"));
        EXPECT_TRUE(texts.contains("Jan 2, 1970"));
        EXPECT_TRUE(texts.contains("$35.75"));
        EXPECT_TRUE(texts.contains("$38.75"));
        EXPECT_TRUE(texts.contains("Printed " + DateToStr(EncodeDate(2024, 3, 5))));
        window.ZoomTo100()->click();
        QCoreApplication::processEvents();
        SavePicture(window, QStringLiteral("report_preview_list"));
    });
    Clock::SetFixed(QDateTime());
}

TEST(ProgressWindow, ShowsEveryFifthPercentAndCancels)
{
    TRpPrinter printer;
    TRpProgressForm progress(printer);
    printer.SetClient(&progress);
    EXPECT_EQ(progress.windowTitle(), "Printing progress");
    EXPECT_EQ(progress.size(), QSize(147, 84));
    printer.SetProgress(50);
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.Info()->text(), "50%  Completed");
    EXPECT_EQ(progress.Gauge()->value(), 50);
    SavePicture(progress, QStringLiteral("report_progress"));
    printer.SetProgress(52);
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.Info()->text(), "50%  Completed");
    progress.CancelButton()->click();
    EXPECT_TRUE(printer.Cancelled());
}

}  // namespace
