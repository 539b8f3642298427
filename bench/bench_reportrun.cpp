// A report run over the scratch table as the program prints its lists: 1,000
// rows in 20 groups, each group with a footer, from opening the query to the
// last page recorded; and to the preview window showing page 1, and its
// complete document.
#include "benchfolder.h"

#include "reports/rplabel.h"
#include "reports/rppreview.h"
#include "reports/rpreport.h"
#include "reports/rpstandardpreview.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QPointer>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

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

using Stop = std::function<void()>;

// One report run an iteration, timed from opening the query until the
// watch, set up on the report's form, calls stop.
template <class Watch>
void TimeRuns(benchmark::State& state, Watch watch)
{
    BenchFolder folder;
    FillScratchRows(folder.Path());
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const auto query = OpenScratchQuery(folder.Path());
        ListForm form(*query);
        double seconds = 0;
        QTimer poll;
        watch(form.Report(), poll, [&] { seconds = clock.nsecsElapsed() / 1e9; });
        poll.start(0);
        form.Report().Preview();
        state.SetIterationTime(seconds);
    }
}

bool Complete(const TRpPrinter* printer)
{
    return printer && printer->Status() == TRpPrinterStatus::DocumentComplete;
}

// Until the report printer holds the complete document; no window.
void QueryToLastPageRecorded(benchmark::State& state)
{
    int pages = 0;
    TimeRuns(state, [&pages](TReport& report, QTimer& poll, const Stop& stop) {
        report.OnPreview = [](TReport& previewed) { previewed.RpPrinter()->SetShowingPreview(true); };
        QObject::connect(&poll, &QTimer::timeout, [&report, &pages, stop] {
            if (!Complete(report.RpPrinter()))
                return;
            stop();
            pages = report.RpPrinter()->PageCount();
            report.RpPrinter()->SetShowingPreview(false);
        });
    });
    state.counters["pages"] = pages;
}
BENCHMARK(QueryToLastPageRecorded)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The standard preview window: until it shows page 1 (the run goes on behind
// it, and closing the window ends it), or until its document is complete.
void PreviewWindow(benchmark::State& state, bool untilComplete)
{
    TimeRuns(state, [untilComplete](TReport& report, QTimer& poll, const Stop& stop) {
        auto window = std::make_shared<QPointer<TRpStandardPreview>>();
        report.OnPreview = [window](TReport& previewed) {
            *window = new TRpStandardPreview(*previewed.RpPrinter());
            (*window)->show();
        };
        const auto watch = [window, untilComplete, stop] {
            TRpStandardPreview* shown = *window;
            if (!shown || !shown->RpPreview()->PreviewImage().HasPage())
                return;
            if (untilComplete && !Complete(shown->RpPreview()->RpPrinter()))
                return;
            stop();
            shown->close();
        };
        report.BandByType(TRpBandType::rbDetail)->AfterPrint = [watch](TRpCustomBand&, bool) { watch(); };
        QObject::connect(&poll, &QTimer::timeout, watch);
    });
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
