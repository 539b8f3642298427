// A report run over the scratch table as the program prints its lists: 1,000
// rows in 20 groups, each group with a footer, from opening the query to the
// last page recorded; and to the preview window showing page 1, and its
// complete document.
#include "benchfolder.h"

#include "reports/rplabel.h"
#include "reports/rppreview.h"
#include "reports/rpreport.h"
#include "reports/rpstandardpreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;

void FillScratchRows(const QString& folder)
{
    TTransaction transaction(folder);
    TTable table(folder, QStringLiteral("CpRept.DB"));
    table.EmptyTable();
    table.Open();
    for (int n = 0; n < kRows; ++n) {
        table.Append();
        table.FieldByName(QStringLiteral("Category")).SetAsString(QStringLiteral("Group %1").arg(n / 50, 2, 10, QLatin1Char('0')));
        table.FieldByName(QStringLiteral("Column1")).SetAsString(QStringLiteral("Member %1").arg(n));
        table.FieldByName(QStringLiteral("Column2")).SetAsString(QStringLiteral("Dental cleaning"));
        table.FieldByName(QStringLiteral("Column3")).SetAsString(QStringLiteral("3/%1/2024").arg(n % 28 + 1));
        table.FieldByName(QStringLiteral("Column4")).SetAsString(QStringLiteral("$%1.00").arg(n % 300));
        table.Post();
    }
    transaction.Commit();
}

// The form of a printed list: title, column heads, a group per category
// with a count in its footer, four columns a row, page numbers.
class ListForm {
public:
    explicit ListForm(TQuery& query)
    {
        report_.SetUnits(TRpUnit::Native);
        report_.Page().SetPaperSize(TRpPaperSize::Letter);
        report_.Page().SetLeftMargin(190);
        report_.Page().SetTopMargin(190);
        report_.Page().SetBottomMargin(190);
        report_.SetShowProgress(false);
        report_.SetDataSet(&query);
        Label(Band(TRpBandType::rbTitle, 150), QStringLiteral("Check-up Log"), 0);
        TRpCustomBand& heads = Band(TRpBandType::rbPageHeader, 80);
        Label(heads, QStringLiteral("Member"), 0);
        Label(heads, QStringLiteral("Item"), 500);
        Label(heads, QStringLiteral("Date"), 1000);
        Label(heads, QStringLiteral("Amount"), 1400);
        TRpGroup& group = report_.AddGroup(QStringLiteral("Category"));
        group.Size().SetHeight(80);
        Field(group, QStringLiteral("Category"), 0);
        TRpCustomBand& detail = Band(TRpBandType::rbDetail, 60);
        for (int column = 1; column <= 4; ++column)
            Field(detail, QStringLiteral("Column%1").arg(column), (column - 1) * 450);
        TRpCustomBand& footer = Band(TRpBandType::rbGroupFooter, 80);
        group.SetFooterBand(&footer);
        TRpExpr& count = footer.Add<TRpExpr>();
        count.SetExpression(QStringLiteral("COUNT"));
        count.SetResetAfterPrint(true);
        TRpSysData& page = Band(TRpBandType::rbPageFooter, 60).Add<TRpSysData>();
        page.SetText(QStringLiteral("Page "));
        page.SetData(TRpSysDataType::rpsPageNumber);
    }
    TReport& Report() { return report_; }

private:
    TRpCustomBand& Band(TRpBandType type, double height)
    {
        TRpCustomBand& band = report_.AddBand(type);
        band.Size().SetHeight(height);
        return band;
    }
    void Label(TRpBasePanel& band, const QString& caption, double left)
    {
        TRpLabel& label = band.Add<TRpLabel>();
        label.MoveTo(left, 0);
        label.Size().SetWidth(440);
        label.SetCaption(caption);
    }
    void Field(TRpBasePanel& band, const QString& field, double left)
    {
        TRpDBText& text = band.Add<TRpDBText>();
        text.MoveTo(left, 0);
        text.Size().SetWidth(440);
        text.SetDataSet(report_.DataSet());
        text.SetDataField(field);
    }

    TReport report_;
};

std::unique_ptr<TQuery> OpenScratchQuery(const QString& folder)
{
    auto query = std::make_unique<TQuery>(folder);
    query->SQL() << QStringLiteral("SELECT * FROM CPREPT");
    query->Open();
    return query;
}

// Until the report printer holds the complete document; no window.
void QueryToLastPageRecorded(benchmark::State& state)
{
    BenchFolder folder;
    FillScratchRows(folder.Path());
    int pages = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const auto query = OpenScratchQuery(folder.Path());
        ListForm form(*query);
        double seconds = 0;
        form.Report().OnPreview = [](TReport& report) { report.RpPrinter()->SetShowingPreview(true); };
        QTimer drop;
        QObject::connect(&drop, &QTimer::timeout, [&] {
            TRpPrinter* printer = form.Report().RpPrinter();
            if (printer && printer->Status() == TRpPrinterStatus::DocumentComplete) {
                seconds = clock.nsecsElapsed() / 1e9;
                pages = printer->PageCount();
                printer->SetShowingPreview(false);
            }
        });
        drop.start(0);
        form.Report().Preview();
        state.SetIterationTime(seconds);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(QueryToLastPageRecorded)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

TRpStandardPreview* OpenPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* preview = dynamic_cast<TRpStandardPreview*>(widget);
        if (preview && preview->isVisible())
            return preview;
    }
    return nullptr;
}

// The standard preview window: until it shows page 1 (the run goes on
// behind it), and until its document is complete.
void PreviewWindow(benchmark::State& state, bool untilComplete)
{
    BenchFolder folder;
    FillScratchRows(folder.Path());
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const auto query = OpenScratchQuery(folder.Path());
        ListForm form(*query);
        double seconds = 0;
        TRpCustomBand& detail = *form.Report().BandByType(TRpBandType::rbDetail);
        detail.AfterPrint = [&](TRpCustomBand&, bool) {
            TRpStandardPreview* window = OpenPreview();
            if (untilComplete || seconds > 0 || !window || !window->RpPreview()->PreviewImage().HasPage())
                return;
            seconds = clock.nsecsElapsed() / 1e9;
            window->close();
        };
        QTimer done;
        QObject::connect(&done, &QTimer::timeout, [&] {
            TRpStandardPreview* window = OpenPreview();
            if (!window || !window->RpPreview()->RpPrinter() ||
                window->RpPreview()->RpPrinter()->Status() != TRpPrinterStatus::DocumentComplete)
                return;
            QCoreApplication::processEvents();   // the window takes the last pages
            seconds = clock.nsecsElapsed() / 1e9;
            window->close();
        });
        if (untilComplete)
            done.start(0);
        form.Report().Preview();
        state.SetIterationTime(seconds);
    }
}

void QueryToPreviewShowingPage1(benchmark::State& state)
{
    PreviewWindow(state, false);
}
BENCHMARK(QueryToPreviewShowingPage1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void QueryToCompletePreview(benchmark::State& state)
{
    PreviewWindow(state, true);
}
BENCHMARK(QueryToCompletePreview)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
