// The check-up schedule of an adult with 40 check-up items and 2,000 log
// records: opening the dialog (creation and first showing, both lists
// filled), and closing it with every item's reminder rewritten.
#include "benchfolder.h"
#include "context/context.h"
#include "health/dlgchkschedule.h"

#include "tests/support/scriptedmessageboxes.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 40;
constexpr int kRecords = 2000;

class Adult {
public:
    Adult()
    {
        DataFolder = folder_.Path();
        folder_.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Sex, DOB, Display)"),
                     QStringLiteral("VALUES ('Pat', 'Lee', 1, :DOB, 1)")},
                    {{QStringLiteral("DOB"), Date() - 365.25 * 70}});
        CurMemberID = 1;
        {
            TDlgChkSchedule first;   // the first-use copy, outside the measure
        }
        TTransaction transaction(DataFolder);
        for (int n = Count(QStringLiteral("MEDTEMPL WHERE TemplType = 4")); n < kItems; ++n)
            folder_.Run({QStringLiteral("INSERT INTO MEDTEMPL (TemplType, MemberID, ItemStr1, Sex, AgeLow, AgeHigh,"),
                         QStringLiteral("  Interval, DefaultInterval, ToDoID)"),
                         QStringLiteral("VALUES (4, 1, :Name, 1, 18, 150, :Interval, :Interval, 0)")},
                        {{QStringLiteral("Name"), QStringLiteral("Check-up %1").arg(n, 2, 10, QLatin1Char('0'))},
                         {QStringLiteral("Interval"), 6 + n % 4 * 6}});
        // Fifty visits of each item, a week apart.
        for (int visit = 0; visit < kRecords / kItems; ++visit)
            folder_.Run({QStringLiteral("INSERT INTO MEDCHEK (MemberID, TemplID, DateDone, Doctor, Note)"),
                         QStringLiteral("SELECT 1, TemplID, :Done, 'Dr. Lee', 'All well, see you next time.'"),
                         QStringLiteral("FROM MEDTEMPL WHERE TemplType = 4 AND MemberID = 1")},
                        {{QStringLiteral("Done"), Date() - 7.0 * (visit + 1)}});
        transaction.Commit();
        if (Count(QStringLiteral("MEDCHEK WHERE DateDone > '1900-01-01'")) != kRecords)
            qFatal("the log is not as planned");
    }
    ~Adult() { DataFolder.clear(); }
    bool Warned() const { return !boxes_.shown.isEmpty(); }

private:
    int Count(const QString& from) const
    {
        TQuery query(DataFolder);
        query.SQL() << QStringLiteral("SELECT COUNT(*) FROM ") + from;
        query.Open();
        return query.Fields(0).AsInteger();
    }

    BenchFolder folder_;
    ScriptedMessageBoxes boxes_;
};

void OpenCheckupSchedule(benchmark::State& state)
{
    Adult adult;
    for (auto _ : state) {
        TDlgChkSchedule dialog;
        dialog.show();
        benchmark::DoNotOptimize(dialog.Items().size());
    }
    if (adult.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(OpenCheckupSchedule)->Unit(benchmark::kMillisecond);

void CloseCheckupScheduleRewritingReminders(benchmark::State& state)
{
    Adult adult;
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<TDlgChkSchedule>();
        dialog->show();
        state.ResumeTiming();
        dialog->accept();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    if (adult.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(CloseCheckupScheduleRewritingReminders)->Unit(benchmark::kMillisecond);

}  // namespace
