// The immunization schedule of a six-month-old with every master vaccine and
// 60 dose records: opening the grid (creation and first showing), and
// closing it with its reminders written from none.
#include "benchfolder.h"
#include "context/context.h"
#include "health/dlgmedimmun.h"

#include "tests/support/scriptedmessageboxes.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kDoseRecords = 60;

class Child {
public:
    Child()
    {
        DataFolder = folder_.Path();
        folder_.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Sex, DOB, Display)"),
                     QStringLiteral("VALUES ('Kim', 'Lee', 1, :DOB, 1)")},
                    {{QStringLiteral("DOB"), Date() - 183}});
        CurMemberID = 1;
        TDlgMedImmun first;   // the first-use copy, outside the measure
        // Five records of each of the twelve doses due by four months.
        TTransaction transaction(DataFolder);
        for (int n = 0; n < kDoseRecords / 12; ++n)
            folder_.Run({QStringLiteral("INSERT INTO MEDCHEK (MemberID, TemplID, DateDone, Doctor)"),
                         QStringLiteral("SELECT 1, TemplID, :Done, 'Dr. Lee' FROM MEDTEMPL"),
                         QStringLiteral("WHERE TemplType = 2 AND MemberID = 1 AND Interval <= 4")},
                        {{QStringLiteral("Done"), Date() - 30 - n}});
        transaction.Commit();
    }
    ~Child() { DataFolder.clear(); }
    void ForgetReminders() const
    {
        folder_.Run({QStringLiteral("DELETE FROM TODO01 WHERE CategoryNo = :Category")}, {{QStringLiteral("Category"), 5}});
        folder_.Run({QStringLiteral("UPDATE MEDTEMPL SET ToDoID = 0 WHERE MemberID = :Member")}, {{QStringLiteral("Member"), 1}});
    }
    bool Warned() const { return !boxes_.shown.isEmpty(); }

private:
    BenchFolder folder_;
    ScriptedMessageBoxes boxes_;
};

void OpenImmunizationGrid(benchmark::State& state)
{
    Child child;
    for (auto _ : state) {
        TDlgMedImmun dialog;
        dialog.show();
        benchmark::DoNotOptimize(dialog.Grid()->cells.size());
    }
    if (child.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(OpenImmunizationGrid)->Unit(benchmark::kMillisecond);

void CloseImmunizationGridWritingReminders(benchmark::State& state)
{
    Child child;
    for (auto _ : state) {
        state.PauseTiming();
        child.ForgetReminders();
        auto dialog = std::make_unique<TDlgMedImmun>();
        dialog->show();
        state.ResumeTiming();
        dialog->accept();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    if (child.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(CloseImmunizationGridWritingReminders)->Unit(benchmark::kMillisecond);

}  // namespace
