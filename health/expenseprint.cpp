#include "expenseprint.h"

#include "expensetable.h"
#include "formmedexpprt.h"

#include "context/context.h"
#include "platform/dataset.h"

void FillExpenseReport(const TExpenseTable& table)
{
    TTransaction transaction(DataFolder);
    TTable scratch(DataFolder, QStringLiteral("CpRept.DB"));
    scratch.EmptyTable();
    scratch.Open();
    for (size_t row = 0; row < table.Rows().size(); ++row) {
        const TExpenseRowTexts texts = table.RowTexts(row);
        scratch.Append();
        scratch.FieldByName(QStringLiteral("Category")).SetAsString(texts[0]);
        for (size_t n = 1; n < texts.size(); ++n)
            scratch.FieldByName(QStringLiteral("Column%1").arg(n)).SetAsString(texts[n]);
        scratch.Post();
    }
    scratch.Close();
    transaction.Commit();
}

void PrintExpenseTable(const TExpenseTable& table, const QString& memberText)
{
    FillExpenseReport(table);
    TFormMedExpPrt form(DataFolder);
    form.RpLbPatient.SetCaption(QStringLiteral("Member: ") + memberText);
    form.RpLbYear.SetCaption(QStringLiteral("Year: %1").arg(table.Year()));
    form.RpLbTlExp.SetCaption(QStringLiteral("Total expense: ") + table.TotalText());
    form.RpLbOOP.SetCaption(QStringLiteral("Out-of-pocket amount: ") + table.OutOfPocketText());
    form.Preview();
}
