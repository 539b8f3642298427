// The address book of 5,000 businesses: opening the window with its
// columns, sorting it again by a clicked column, filtering it by category,
// letters and a field, and printing all of it in report style to PDF.
#include "benchfolder.h"

#include "context/context.h"
#include "organizer/addrprintsettings.h"
#include "organizer/dlgbizaddrbook.h"
#include "organizer/printaddressform.h"
#include "reports/rpprintjob.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kBusinesses = 5000;

void Seed(const BenchFolder& folder)
{
    static const char* const kCities[] = {"Springfield", "Shelbyville", "Capital City", "Ogdenville"};
    TTransaction transaction(folder.Path());
    for (int n = 0; n < kBusinesses; ++n) {
        const QChar initial(QLatin1Char(char('A' + n * 7 % 26)));
        folder.Run({QStringLiteral("INSERT INTO BIZADDR (CategoryNo, BusinessName, Contacts, Addr, City, State, Zip,"),
                    QStringLiteral("Phone1, Fax, Email, OpHours) VALUES (:Category, :Name, :Contact, :Addr, :City,"),
                    QStringLiteral(":State, :Zip, :Phone, :Fax, :Email, :Hours)")},
                   {{QStringLiteral("Category"), n % 9 + 1},
                    {QStringLiteral("Name"), QStringLiteral("%1 O'Neil Clinic %2").arg(initial).arg(n)},
                    {QStringLiteral("Contact"), QStringLiteral("Dr. Kim %1").arg(n % 311)},
                    {QStringLiteral("Addr"), QStringLiteral("%1 Elm St.").arg(n % 997 + 1)},
                    {QStringLiteral("City"), QString::fromLatin1(kCities[n % 4])},
                    {QStringLiteral("State"), n % 2 ? QStringLiteral("IL") : QStringLiteral("OR")},
                    {QStringLiteral("Zip"), QStringLiteral("%1").arg(97000 + n % 500)},
                    {QStringLiteral("Phone"), QStringLiteral("555-%1").arg(n % 10000, 4, 10, QLatin1Char('0'))},
                    {QStringLiteral("Fax"), QStringLiteral("555-9%1").arg(n % 1000, 3, 10, QLatin1Char('0'))},
                    {QStringLiteral("Email"), QStringLiteral("desk%1@clinic.example").arg(n)},
                    {QStringLiteral("Hours"), QStringLiteral("Mon-Fri 8-5\nSat 9-12")}});
    }
    transaction.Commit();
}

class Book {
public:
    Book()
    {
        Seed(folder_);
        DataFolder = folder_.Path();
    }
    ~Book() { DataFolder.clear(); }

private:
    BenchFolder folder_;
};

void OpenTheBook(benchmark::State& state)
{
    const Book book;
    for (auto _ : state) {
        TDlgBizAddrBook window;
        window.ProductCode = -1;
        window.FormShow();
        benchmark::DoNotOptimize(window.ListView1->topLevelItemCount());
    }
}
BENCHMARK(OpenTheBook)->Unit(benchmark::kMillisecond);

void ResortTheBook(benchmark::State& state)
{
    const Book book;
    TDlgBizAddrBook window;
    window.FormShow();
    for (auto _ : state) {
        window.ListView1ColumnClick(2);   // the phone
        benchmark::DoNotOptimize(window.ListView1->topLevelItemCount());
    }
}
BENCHMARK(ResortTheBook)->Unit(benchmark::kMillisecond);

void FilterTheBook(benchmark::State& state)
{
    const Book book;
    TDlgBizAddrBook window;
    window.FormShow();
    window.CBNameFrom->setCurrentIndex(window.CBNameFrom->findText(QStringLiteral("C")));
    window.CBNameTo->setCurrentIndex(window.CBNameTo->findText(QStringLiteral("P")));
    window.CBField->setCurrentIndex(window.CBField->findText(QStringLiteral("City")));
    window.FieldEdit->setText(QStringLiteral(" springfield"));
    for (auto _ : state) {
        window.Refresh();
        benchmark::DoNotOptimize(window.ListView1->topLevelItemCount());
    }
    state.counters["rows"] = window.ListView1->topLevelItemCount();
}
BENCHMARK(FilterTheBook)->Unit(benchmark::kMillisecond);

void PrintTheBookToPdf(benchmark::State& state)
{
    const Book book;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("addresses.pdf"));
    RpPdfOutput::InstallChooser([&pdf](const QString&) { return pdf; });
    TAddrPrintRequest request;
    request.style = TAddrStyle::Report;
    request.headingFont = ReportStyleSettings().headingFont;
    request.bodyFont = ReportStyleSettings().bodyFont;
    request.content = ReportContentBox({0.5, 0.5, 0.5, 0.5}, PrinterPageOf(AddressPrinter()));
    request.fields = DefaultReportFields();
    int pages = 0;
    for (auto _ : state) {
        TPrintAddressForm form;
        form.PrintAddresses(request);
        pages = form.Pages().PageCount() + 1;
    }
    state.counters["pages"] = pages;
    state.counters["KiB"] = double(QFile(pdf).size()) / 1024;
    RpPdfOutput::InstallChooser({});
}
BENCHMARK(PrintTheBookToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
