// The payments page on a year of 10,000 payments (five patients, four
// coverage types, three insurers, and as many payments in the year before):
// showing the page, and refiltering it to one patient and back to all.
#include "benchhousehold.h"

#include "health/medpayments.h"
#include "health/medpaystatement.h"
#include "shell/pages/formmedpay.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPayments = 10000;
constexpr int kYear = 2024;
constexpr int kPatients = 5;
constexpr int kInsurers = 3;

void Seed(const BenchFolder& folder)
{
    TTransaction transaction(folder.Path());
    for (int p = 1; p <= kPatients; ++p)
        folder.Run({QStringLiteral("INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (301, :Id, :Name)")},
                   {{QStringLiteral("Id"), p}, {QStringLiteral("Name"), QStringLiteral("Patient %1").arg(p)}});
    for (int i = 1; i <= kInsurers; ++i)
        folder.Run({QStringLiteral("INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (:No, 2, :Name)")},
                   {{QStringLiteral("No"), 200 + i}, {QStringLiteral("Name"), QStringLiteral("Insurer %1").arg(i)}});
    for (int n = 0; n < 2 * kPayments; ++n) {
        const int year = n < kPayments ? kYear : kYear - 1;
        const double total = (n * 7919 % 100000) / 100.0;
        const double insurance = (n * 104729 % 100) * total / 100.0;
        folder.Run({QStringLiteral("INSERT INTO MEDPAY (ServiceDate, UserID, InsuranceType, InsuranceID, InsAddrID,"),
                    QStringLiteral("Doctor, DocAddrID, TotalExpense, InsCovered, NotCovered)"),
                    QStringLiteral("VALUES (:Date, :User, :Type, :Insurer, 0, :Doctor, 0, :Total, :Ins, :Oop)")},
                   {{QStringLiteral("Date"), EncodeDate(year, 1, 1) + n % 365},
                    {QStringLiteral("User"), n % kPatients + 1},
                    {QStringLiteral("Type"), n % 4 + 1},
                    {QStringLiteral("Insurer"), 200 + n % kInsurers + 1},
                    {QStringLiteral("Doctor"), QStringLiteral("Dr. %1").arg(n % 113)},
                    {QStringLiteral("Total"), QString::number(total)},
                    {QStringLiteral("Ins"), QString::number(insurance)},
                    {QStringLiteral("Oop"), QString::number(total - insurance)}});
    }
    transaction.Commit();
}

// The statement of the seeded year, unfiltered.
class Household : public BenchHousehold {
public:
    Household() : BenchHousehold(Seed)
    {
        PayStatementYear = kYear;
        PayFilter = {};
    }
};

// Creation, first statement and the first painting of the page.
void ShowPage(benchmark::State& state)
{
    const Household household;
    ScriptedMessageBoxes boxes;
    int rows = 0;
    for (auto _ : state) {
        TFormMedPay page(nullptr);
        page.resize(800, 600);
        page.show();
        QApplication::processEvents();
        rows = page.LastFilledRow() + 1;
    }
    state.counters["rows"] = rows;
    if (!boxes.shown.isEmpty())
        state.SkipWithError("the page showed a message box");
}
BENCHMARK(ShowPage)->Unit(benchmark::kMillisecond);

// What OK in the view dialog does: the new filter's statement, painted.
void Refilter(benchmark::State& state)
{
    const Household household;
    ScriptedMessageBoxes boxes;
    TFormMedPay page(nullptr);
    page.resize(800, 600);
    page.show();
    QApplication::processEvents();
    const TPayFilter narrow{static_cast<qint32>(state.range(0)), 0, 0};
    int rows = 0;
    for (auto _ : state) {
        PayFilter = narrow;
        page.LoadStatement();
        QApplication::processEvents();
        rows = page.LastFilledRow() + 1;
        state.PauseTiming();
        PayFilter = {narrow.patient == 0 ? 1 : 0, 0, 0};
        page.LoadStatement();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    PayFilter = {};
    state.counters["rows"] = rows;
}
// 0: back to all 10,000 from one patient; 1: from all to one patient's 2,000.
BENCHMARK(Refilter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
