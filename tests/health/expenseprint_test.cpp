// The expense table printed: the scratch-table rows in the order shown, and
// the previewed report with its text export and first page.
#include "expensetableenv.h"

#include "health/expenseprint.h"
#include "health/expensetable.h"
#include "tests/health/printoutcapture.h"

#include "context/navigation.h"
#include "platform/dataset.h"
#include "tests/reports/pagesupport.h"


namespace {

using Row = TScratchRow;

class ExpensePrint : public ExpenseTableEnv {
protected:
    std::vector<Row> ScratchRows() const { return ::ScratchRows(folder_.Path()); }
    // Ann and another Ann with expenses around the year 2024.
    TExpenseTable Household()
    {
        const qint32 ann = AddMember(QStringLiteral("Ann"));
        const qint32 otherAnn = AddMember(QStringLiteral("Ann"));
        AddExpense(ann, EncodeDate(2024, 2, 29), 19.99, 0.29, QStringLiteral("Flu \"shot\" <b>"),
                   QStringLiteral("Dr. O'Hara"));
        AddExpense(otherAnn, EncodeDate(2024, 12, 31), 0.70 + 0.10, 0.10, QStringLiteral("Aspirin"),
                   QStringLiteral("Riverside Pharmacy of the County"));
        AddExpense(ann, EncodeDate(2024, 1, 1), 1250, 250, QStringLiteral("X-ray"), QStringLiteral("County Hospital"));
        AddExpense(ann, EncodeDate(2025, 1, 1), 5, 5, QStringLiteral("next year"));
        AddExpense(ann, EncodeDate(2023, 12, 31), 6, 6, QStringLiteral("last year"));
        TExpenseTable table;
        table.SetYear(2024);
        table.Refill();
        return table;
    }
};

const Row kFlu = {"2/29/2024", "Ann", "$19.99", "$19.70", "$0.29", "Flu \"shot\" <b>", "Dr. O'Hara"};
const Row kAspirin = {"12/31/2024", "Ann", "$0.80", "$0.70", "$0.10", "Aspirin", "Riverside Pharmacy of the County"};
const Row kXray = {"1/1/2024", "Ann", "$1,250.00", "$1,000.00", "$250.00", "X-ray", "County Hospital"};

TEST_F(ExpensePrint, TheScratchTableHoldsTheRowsAsShownAndNothingOlder)
{
    {
        TTable stale(folder_.Path(), QStringLiteral("CpRept.DB"));
        stale.Open();
        stale.Append();
        stale.FieldByName(QStringLiteral("Category")).SetAsString(QStringLiteral("Left from the last report"));
        stale.Post();
    }
    TExpenseTable table = Household();
    FillExpenseReport(table);
    EXPECT_EQ(ScratchRows(), (std::vector<Row>{kFlu, kAspirin, kXray}));
    table.ColumnClicked(TExpenseColumn::Date);
    FillExpenseReport(table);
    EXPECT_EQ(ScratchRows(), (std::vector<Row>{kAspirin, kFlu, kXray}));
    table.SetYear(2026);
    table.Refill();
    FillExpenseReport(table);
    EXPECT_TRUE(ScratchRows().empty());
}

TEST_F(ExpensePrint, AFailingFillTakesItselfBackWhole)
{
    TExpenseTable table = Household();
    FillExpenseReport(table);
    Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CpRept WHEN NEW.Column5 = 'X-ray' "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    table.ColumnClicked(TExpenseColumn::Date);
    EXPECT_THROW(FillExpenseReport(table), EDatabaseError);
    EXPECT_EQ(ScratchRows(), (std::vector<Row>{kFlu, kAspirin, kXray}));
}

// ---- The previewed report ---------------------------------------------------

TCapturedPrintout PrintAndCapture(const TExpenseTable& table, const QString& memberText, const QString& pictureName)
{
    return CapturePrintout([&] { PrintExpenseTable(table, memberText); }, pictureName);
}

QStringList Simplified(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out.append(line.simplified());
    return out;
}

TEST_F(ExpensePrint, ThePreviewedTableExportsLineByLine)
{
    TExpenseTable table = Household();
    table.ColumnClicked(TExpenseColumn::Total);
    const TCapturedPrintout out = PrintAndCapture(table, QStringLiteral("All"), QStringLiteral("expense_printout_page1"));
    EXPECT_EQ(out.pages, 1);
    EXPECT_EQ(out.pdfPages, 1);
    const QStringList expected = {
        "Medical Expense",
        "Member: All",
        "Year: 2024",
        "Total expense: $1,270.79",
        "Out-of-pocket amount: $250.39",
        "Date Patient Total Insurance/FSA Out-of-pocket Description Service provider",
        "1/1/2024 Ann $1,250.00 $1,000.00 $250.00 X-ray County Hospital",
        "2/29/2024 Ann $19.99 $19.70 $0.29 Flu \"shot\" <b> Dr. O'Hara",
        "12/31/2024 Ann $0.80 $0.70 $0.10 Aspirin Riverside",   // a long provider wraps in its column
        "Pharmacy of the",
        "County",
        "Printed by CarePortfolio on 6/14/2024 Page 1",
    };
    EXPECT_EQ(Simplified(out.textLines), expected);
    // Each column's head stands over its texts, within a few characters.
    const auto lineWith = [&out](const char* text) {
        for (const QString& line : out.textLines) {
            if (line.contains(QString::fromUtf8(text)))
                return line;
        }
        return QString();
    };
    const QString heads = lineWith("Insurance/FSA");
    const QString row = lineWith("X-ray");
    const std::vector<std::pair<const char*, const char*>> columns = {
        {"Patient", "Ann"},       {"Total", "$1,250.00"},     {"Insurance/FSA", "$1,000.00"},
        {"Out-of-pocket", "$250.00"}, {"Description", "X-ray"}, {"Service provider", "County Hospital"}};
    for (const auto& [head, cell] : columns) {
        const qsizetype at = heads.indexOf(QString::fromUtf8(head));
        EXPECT_LE(qAbs(at - row.indexOf(QString::fromUtf8(cell))), 3) << head;
        EXPECT_GT(at, 0) << head;
    }
}

TEST_F(ExpensePrint, EveryPageCarriesTheHeadingAndTheColumnHeads)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    for (int day = 0; day < 60; ++day)
        AddExpense(ann, EncodeDate(2024, 1, 1) + day, 0.29, 0.29, QStringLiteral("Visit %1").arg(day));
    TExpenseTable table;
    table.SetYear(2024);
    table.SetMemberId(ann);
    table.Refill();
    const TCapturedPrintout out = PrintAndCapture(table, QStringLiteral("Ann"), QStringLiteral("expense_printout_long"));
    ASSERT_GE(out.pages, 2);
    const QStringList lines = Simplified(out.textLines);
    EXPECT_EQ(lines.count(QStringLiteral("Member: Ann")), out.pages);
    EXPECT_EQ(lines.count(QStringLiteral("Total expense: $17.40")), out.pages);
    EXPECT_EQ(lines.filter(QStringLiteral("Date Patient Total")).size(), out.pages);
    EXPECT_EQ(lines.filter(QStringLiteral("Visit ")).size(), 60);
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("Page %1").arg(out.pages)));
}

TEST_F(ExpensePrint, AYearWithoutExpensesPrintsTheHeadingWithZeroSumsAndNoColumns)
{
    AddExpense(AddMember(QStringLiteral("Ann")), EncodeDate(1998, 1, 1), 19.99, 19.99);
    TExpenseTable table;
    table.Refill();
    const TCapturedPrintout out = PrintAndCapture(table, QStringLiteral("All"), QStringLiteral("expense_printout_empty"));
    EXPECT_EQ(out.pages, 1);
    EXPECT_EQ(Simplified(out.textLines),
              (QStringList{"Medical Expense", "Member: All", "Year: 1997", "Total expense: $0.00",
                           "Out-of-pocket amount: $0.00", "Printed by CarePortfolio on 6/14/2024 Page 1"}));
}

}  // namespace
