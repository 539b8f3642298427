// The data-set layer's costs on a copy of the delivered database: opening a
// 10,000-row SELECT, appending and posting 1,000 rows one by one, and filling
// the report scratch table with 10,000 rows in one transaction.
#include "benchfolder.h"

#include "platform/dataset.h"

#include <benchmark/benchmark.h>

namespace {

void SetToDo(TDataSet& row, int n)
{
    row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
    row.FieldByName(QStringLiteral("Description")).SetAsString(QStringLiteral("Ann, please schedule your dental cleaning checkup %1.").arg(n));
    row.FieldByName(QStringLiteral("Due")).SetAsDateTime(EncodeDate(2024, 1, 1) + n % 700);
    row.FieldByName(QStringLiteral("ModType")).SetAsInteger(132);
    row.FieldByName(QStringLiteral("Done")).SetAsBoolean(n % 3 == 0);
    row.FieldByName(QStringLiteral("EditType")).SetAsInteger(1);
    row.FieldByName(QStringLiteral("AlarmID")).SetAsInteger(0);
}

void FillToDos(const QString& folder, int count)
{
    TTransaction transaction(folder);
    TQuery q(folder);
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM TODO01");
    q.Open();
    for (int n = 0; n < count; ++n) {
        q.Append();
        SetToDo(q, n);
        q.Post();
    }
    transaction.Commit();
}

void OpenSelectOf10000Rows(benchmark::State& state)
{
    BenchFolder folder;
    FillToDos(folder.Path(), 10000);
    for (auto _ : state) {
        TQuery q(folder.Path());
        q.SQL() << QStringLiteral("SELECT * FROM TODO01") << QStringLiteral("ORDER BY Due");
        q.Open();
        if (q.RecordCount() != 10000)
            state.SkipWithError("wrong row count");
    }
}
BENCHMARK(OpenSelectOf10000Rows)->Unit(benchmark::kMillisecond);

void AppendAndPost1000RowsOneByOne(benchmark::State& state)
{
    BenchFolder folder;
    for (auto _ : state) {
        TQuery q(folder.Path());
        q.SetRequestLive(true);
        q.SQL() << QStringLiteral("SELECT * FROM TODO01 WHERE Todoid < 0");
        q.Open();
        for (int n = 0; n < 1000; ++n) {
            q.Append();
            SetToDo(q, n);
            q.Post();
        }
    }
}
BENCHMARK(AppendAndPost1000RowsOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);

void FillScratchTableWith10000Rows(benchmark::State& state)
{
    BenchFolder folder;
    for (auto _ : state) {
        TTransaction transaction(folder.Path());
        TTable table(folder.Path(), QStringLiteral("CpRept.DB"));
        table.EmptyTable();
        table.Open();
        for (int n = 0; n < 10000; ++n) {
            table.Append();
            table.FieldByName(QStringLiteral("Category")).SetAsString(QString::number(n));
            for (int c = 1; c <= 6; ++c)
                table.FieldByName(QStringLiteral("Column%1").arg(c)).SetAsString(QStringLiteral("cell %1 of row %2").arg(c).arg(n));
            table.Post();
        }
        transaction.Commit();
    }
}
BENCHMARK(FillScratchTableWith10000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
