// Printing a member's medical record of 500 history rows (100 a section, each
// with dates and a note of three lines) and a full lens table: the fill of
// the scratch table alone, and the fill with the report run into the preview
// window until it holds the complete document.
#include "benchfolder.h"

#include "context/context.h"
#include "health/medhistprint.h"
#include "reports/rppreview.h"
#include "reports/rpprinter.h"
#include "reports/rpstandardpreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRowsPerSection = 100;

qint32 AddMember(const QString& folder)
{
    TQuery query(folder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    query.Open();
    query.Append();
    query.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Anna"));
    query.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("Miller"));
    query.FieldByName(QStringLiteral("Sex")).SetAsInteger(1);
    query.FieldByName(QStringLiteral("DOB")).SetAsDateTime(EncodeDate(1960, 2, 29));
    query.Post();
    return query.FieldByName(QStringLiteral("MemberID")).AsInteger();
}

void AddHistory(const QString& folder, qint32 memberId)
{
    TTransaction transaction(folder);
    TQuery query(folder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDHIST");
    query.Open();
    for (qint32 type = 0; type <= 4; ++type) {
        for (int n = 0; n < kRowsPerSection; ++n) {
            query.Append();
            query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
            query.FieldByName(QStringLiteral("RecordType")).SetAsInteger(type);
            query.FieldByName(QStringLiteral("Field1")).SetAsString(QStringLiteral("Entry %1").arg(n));
            query.FieldByName(QStringLiteral("Field2")).SetAsString(QStringLiteral("Dr. Hope"));
            query.FieldByName(QStringLiteral("Field3")).SetAsString(QStringLiteral("County Hospital"));
            query.FieldByName(QStringLiteral("Field4")).SetAsString(QStringLiteral("Dr. Stone"));
            query.FieldByName(QStringLiteral("Bdate")).SetAsDateTime(EncodeDate(1970 + n % 50, n % 12 + 1, 1));
            query.FieldByName(QStringLiteral("Edate")).SetAsDateTime(EncodeDate(1971 + n % 50, n % 12 + 1, 28));
            query.FieldByName(QStringLiteral("Note")).SetAsLines(
                {QStringLiteral("Seen twice a year,"), QStringLiteral("take with food and plenty of water,"),
                 QStringLiteral("call the doctor when it comes back")});
            query.Post();
        }
    }
    transaction.Commit();
}

TMedHistPrintValues Values(qint32 memberId)
{
    TMedHistPrintValues values;
    values.memberId = memberId;
    values.firstName = QStringLiteral("Anna");
    values.lastName = QStringLiteral("Miller");
    values.weight = 140;
    values.height = 66;
    values.bloodType = QStringLiteral("A");
    values.rhIndex = 0;
    values.visionDate = QStringLiteral("03/15/2024");
    values.visionDoctor = QStringLiteral("Dr. O'Hara");
    for (auto& row : values.lens)
        row = {QStringLiteral("-1.25"), QStringLiteral("-0.50"), QStringLiteral("90"), QStringLiteral("0.5"),
               QStringLiteral("IN")};
    return values;
}

class Record {
public:
    Record() : memberId_(AddMember(folder_.Path()))
    {
        AddHistory(folder_.Path(), memberId_);
        DataFolder = folder_.Path();
    }
    ~Record() { DataFolder.clear(); }
    TMedHistPrintValues PrintValues() const { return Values(memberId_); }

private:
    BenchFolder folder_;
    qint32 memberId_;
};

TRpStandardPreview* ShownPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* preview = dynamic_cast<TRpStandardPreview*>(widget);
        if (preview && preview->isVisible())
            return preview;
    }
    return nullptr;
}

void FillScratchTable(benchmark::State& state)
{
    const Record record;
    for (auto _ : state)
        FillMedHistReport(record.PrintValues());
}
BENCHMARK(FillScratchTable)->Unit(benchmark::kMillisecond)->Iterations(5);

// From the print request until the preview holds the whole document.
void PrintToCompletePreview(benchmark::State& state)
{
    const Record record;
    int pages = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        double seconds = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            TRpStandardPreview* window = ShownPreview();
            TRpPrinter* printer = window ? window->RpPreview()->RpPrinter() : nullptr;
            if (!printer || printer->Status() != TRpPrinterStatus::DocumentComplete)
                return;
            seconds = clock.nsecsElapsed() / 1e9;
            pages = printer->PageCount();
            window->close();
        });
        poll.start(0);
        clock.start();
        PrintMedHistReport(record.PrintValues());
        state.SetIterationTime(seconds);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(PrintToCompletePreview)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
