#pragma once
// The printout of the medical-expense table: its rows, as the list shows
// them, written to the report scratch table, and the report previewed.
#include <QString>

class TExpenseTable;

// Empties the report scratch table of the data folder and fills it with the
// table's rows in the order shown, in one transaction.
void FillExpenseReport(const TExpenseTable& table);
// Fills the scratch table, titles the report with the member's text ("All"
// or the first name), the year and the sums, and shows it in the preview;
// returns when the preview window has closed.
void PrintExpenseTable(const TExpenseTable& table, const QString& memberText);
