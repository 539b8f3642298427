// A grouped list over a query of the report scratch table, as the health
// dialogs print theirs: its preview, its PDF and its text export.
#include "pagesupport.h"
#include "reportsupport.h"

#include "reports/rpfiledialogs.h"
#include "reports/rplabel.h"
#include "reports/rppreview.h"
#include "reports/rpstandardpreview.h"

#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct Expense {
    const char* member;
    const char* date;
    const char* provider;
    const char* amount;
};

void FillScratchTable(const QString& folder, int repeat)
{
    const Expense expenses[] = {
        {"Anna Miller", "1/12/2024", "Dr. Hope, Family Practice", "$120.00"},
        {"Anna Miller", "2/3/2024", "Riverside Pharmacy", "$14.50"},
        {"Anna Miller", "3/9/2024", "Lakeview Dental Associates", "$85.00"},
        {"Ben Miller", "1/20/2024", "Dr. Stone", "$60.00"},
        {"Ben Miller", "4/2/2024", "County Hospital", "$1,250.00"},
        {"Cara Miller", "5/5/2024", "Riverside Pharmacy", "$9.99"},
    };
    TTable table(folder, QStringLiteral("CpRept.DB"));
    table.EmptyTable();
    table.Open();
    for (const Expense& e : expenses) {
        for (int n = 0; n < repeat; ++n) {
            table.Append();
            table.FieldByName(QStringLiteral("Category")).SetAsString(QString::fromUtf8(e.member));
            table.FieldByName(QStringLiteral("Column1")).SetAsString(QString::fromUtf8(e.date));
            table.FieldByName(QStringLiteral("Column2")).SetAsString(QString::fromUtf8(e.provider));
            table.FieldByName(QStringLiteral("Column3")).SetAsString(QString::fromUtf8(e.amount));
            table.Post();
        }
    }
}

// The report form: title, column heads, a group by member with a count in
// its footer, the rows, and the page number at the foot of each page.
class ScratchReportForm {
public:
    explicit ScratchReportForm(const QString& folder) : query(folder)
    {
        query.SQL() << QStringLiteral("SELECT * FROM CPREPT");
        query.Open();
        report.SetUnits(TRpUnit::Native);
        report.Page().SetPaperSize(TRpPaperSize::Letter);
        report.Page().SetLeftMargin(190);
        report.Page().SetRightMargin(190);
        report.Page().SetTopMargin(190);
        report.Page().SetBottomMargin(190);
        report.SetShowProgress(false);
        report.SetReportTitle(QStringLiteral("Expenses"));
        report.SetDataSet(&query);

        TRpBand& title = report.AddBand(TRpBandType::rbTitle);
        title.Size().SetHeight(150);
        TitleLabel = &Text<TRpLabel>(title, 0, 1800);
        QFont large = report.Font();
        large.setPointSize(14);
        large.setBold(true);
        TitleLabel->SetFont(large);
        TitleLabel->Size().SetHeight(100);

        TRpBand& heads = report.AddBand(TRpBandType::rbColumnHeader);
        heads.Size().SetHeight(70);
        Text<TRpLabel>(heads, 0, 400).SetCaption(QStringLiteral("Date"));
        Text<TRpLabel>(heads, 400, 1000).SetCaption(QStringLiteral("Provider"));
        TRpLabel& amountHead = Text<TRpLabel>(heads, 1400, 400);
        amountHead.SetCaption(QStringLiteral("Amount"));
        amountHead.SetAlignment(TRpAlignment::Right);

        TRpGroup& group = report.AddGroup(QStringLiteral("Category"));
        group.Size().SetHeight(80);
        Field(group, QStringLiteral("Category"), 0, 1800);
        TRpBand& footer = report.AddBand(TRpBandType::rbGroupFooter);
        footer.Size().SetHeight(90);
        group.SetFooterBand(&footer);
        TRpExpr& count = Text<TRpExpr>(footer, 400, 1000);
        count.SetExpression(QStringLiteral("'Expenses: '+STR(COUNT)"));
        count.SetResetAfterPrint(true);
        Text<TRpExpr>(footer, 1000, 800).SetExpression(QStringLiteral("'End of '+Category"));

        TRpBand& detail = report.AddBand(TRpBandType::rbDetail);
        detail.Size().SetHeight(60);
        Field(detail, QStringLiteral("Column1"), 0, 400);
        Field(detail, QStringLiteral("Column2"), 400, 1000);
        Field(detail, QStringLiteral("Column3"), 1400, 400).SetAlignment(TRpAlignment::Right);

        TRpBand& pageFooter = report.AddBand(TRpBandType::rbPageFooter);
        pageFooter.Size().SetHeight(70);
        TRpSysData& page = Text<TRpSysData>(pageFooter, 1400, 400);
        page.SetText(QStringLiteral("Page "));
        page.SetData(TRpSysDataType::rpsPageNumber);
        page.SetAlignment(TRpAlignment::Right);
    }

    TQuery query;
    TReport report;
    TRpLabel* TitleLabel = nullptr;

private:
    template <class T>
    T& Text(TRpBasePanel& band, double left, double width)
    {
        T& text = band.Add<T>();
        text.MoveTo(left, 0);
        text.Size().SetWidth(width);
        text.Size().SetHeight(60);
        return text;
    }
    TRpDBText& Field(TRpBasePanel& band, const QString& name, double left, double width)
    {
        TRpDBText& text = Text<TRpDBText>(band, left, width);
        text.SetDataSet(&query);
        text.SetDataField(name);
        return text;
    }
};

QStringList TextLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

}  // namespace

TEST(ScratchReport, PreviewPdfAndTextOfAGroupedList)
{
    FreshDataFolder folder;
    FillScratchTable(folder.Path(), 8);
    ScratchReportForm form(folder.Path());
    form.TitleLabel->SetCaption(QStringLiteral("Medical Expenses 2024"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("expenses.pdf"));
    const QString text = dir.filePath(QStringLiteral("expenses.TXT"));
    TRpPrinter::InstallJobFactory([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return std::make_unique<TRpQPrinterJob>(printer);
    });
    RpPdfOutput::InstallChooser([pdf](const QString&) { return pdf; });
    RpFileDialogs::InstallChoosers([&](const QString&) { return RpFileDialogs::Choice{text, 2}; }, {});

    int pages = 0;
    QStringList firstPage;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TRpStandardPreview* window = OpenPreview();
        if (pages || !window || window->RpPreview()->RpPrinter()->Status() != TRpPrinterStatus::DocumentComplete)
            return;
        QCoreApplication::processEvents();
        pages = window->RpPreview()->RpPrinter()->PageCount();
        firstPage = PageTexts(*window->RpPreview()->PreviewImage().PageImage());
        window->ZoomTo100()->click();
        QCoreApplication::processEvents();
        SavePicture(*window, QStringLiteral("scratch_report_preview"));
        window->Print()->click();
        window->Save()->click();
        window->close();
    });
    poll.start(0);
    form.report.Preview();
    TRpPrinter::InstallJobFactory({});
    RpPdfOutput::InstallChooser({});
    RpFileDialogs::InstallChoosers({}, {});

    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(firstPage.contains(QStringLiteral("Medical Expenses 2024")));
    EXPECT_TRUE(firstPage.contains(QStringLiteral("Anna Miller")));
    EXPECT_TRUE(firstPage.contains(QStringLiteral("Expenses: 24")));
    EXPECT_TRUE(firstPage.contains(QStringLiteral("End of Anna Miller")));   // the group's last record
    EXPECT_EQ(PdfPageCount(pdf), pages);
    // The text export: one line a printed row, amounts ending in one column.
    const QStringList lines = TextLines(text);
    EXPECT_EQ(lines.size(), 1 + 2 + 3 + 3 + 48 + 2);   // title, heads, groups, footers, rows, pages
    EXPECT_EQ(lines.filter(QStringLiteral("Anna Miller")).size(), 2);
    EXPECT_EQ(lines.filter(QStringLiteral("$120.00")).size(), 8);
    QList<qsizetype> amountEnds;
    for (const QString& line : lines.filter(QStringLiteral("$")))
        amountEnds.append(line.size());
    EXPECT_EQ(amountEnds.count(amountEnds.first()), amountEnds.size());
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("Page 2")));
    // Kept beside the pictures for a person to look at.
    if (const char* pictures = getenv("CP_PICTURE_DIR")) {
        const QDir kept(QString::fromLocal8Bit(pictures));
        for (const QString& made : {pdf, text}) {
            const QString copy = kept.filePath(QStringLiteral("scratch_report.") + QFileInfo(made).suffix().toLower());
            QFile::remove(copy);
            QFile::copy(made, copy);
        }
    }
}
