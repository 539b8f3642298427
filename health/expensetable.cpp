#include "expensetable.h"

#include "expensedelete.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/currencytext.h"

#include <algorithm>

namespace {

std::optional<qint64> Cents(const TField& field)
{
    return AmountToCents(field.AsFloat());
}

std::optional<qint64> Difference(std::optional<qint64> a, std::optional<qint64> b)
{
    qint64 difference = 0;
    if (!a || !b || qSubOverflow(*a, *b, &difference))
        return std::nullopt;
    return difference;
}

QString AmountText(std::optional<qint64> cents)
{
    return CurrencyTextOfCents(cents.value_or(kTooBigToShowCents));
}

TExpenseRow ReadRow(TQuery& query)
{
    TExpenseRow row;
    row.expId = query.FieldByName(QStringLiteral("ExpID")).AsInteger();
    row.serviceDate = query.FieldByName(QStringLiteral("ServiceDate")).AsDateTime();
    row.firstName = query.FieldByName(QStringLiteral("FirstName")).AsString();
    row.totalCents = Cents(query.FieldByName(QStringLiteral("TotalExpense")));
    row.outOfPocketCents = Cents(query.FieldByName(QStringLiteral("OutofPocket")));
    row.insFsaCents = Difference(row.totalCents, row.outOfPocketCents);
    row.description = query.FieldByName(QStringLiteral("Description")).AsString();
    row.doctor = query.FieldByName(QStringLiteral("Doctor")).AsString();
    return row;
}

// An amount too big to show counts as more than any other.
int CompareCents(std::optional<qint64> a, std::optional<qint64> b)
{
    if (a && b)
        return *a < *b ? -1 : (*a > *b ? 1 : 0);
    return a ? -1 : (b ? 1 : 0);
}

int Compare(const TExpenseRow& a, const TExpenseRow& b, TExpenseColumn column)
{
    switch (column) {
    case TExpenseColumn::Date:
        return a.serviceDate < b.serviceDate ? -1 : (a.serviceDate > b.serviceDate ? 1 : 0);
    case TExpenseColumn::Total: return CompareCents(a.totalCents, b.totalCents);
    case TExpenseColumn::InsuranceFsa: return CompareCents(a.insFsaCents, b.insFsaCents);
    case TExpenseColumn::OutOfPocket: return CompareCents(a.outOfPocketCents, b.outOfPocketCents);
    case TExpenseColumn::Description: return a.description.compare(b.description, Qt::CaseInsensitive);
    case TExpenseColumn::Provider: return a.doctor.compare(b.doctor, Qt::CaseInsensitive);
    case TExpenseColumn::Patient: return 0;
    }
    return 0;
}

std::optional<qint64> Sum(const std::vector<TExpenseRow>& rows, std::optional<qint64> TExpenseRow::*amount)
{
    qint64 sum = 0;
    for (const TExpenseRow& row : rows) {
        const std::optional<qint64> cents = row.*amount;
        if (!cents || qAddOverflow(sum, *cents, &sum))
            return std::nullopt;
    }
    return sum;
}

}  // namespace

void TExpenseTable::Refill()
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT MEDEXP.*, MEDPROF.FirstName FROM MEDEXP")
                << QStringLiteral("LEFT JOIN MEDPROF ON MEDPROF.MemberID = MEDEXP.MemberID")
                << QStringLiteral("WHERE ServiceDate >= :BDate") << QStringLiteral("AND ServiceDate <= :EDate");
    if (memberId_)
        query.SQL() << QStringLiteral("AND MEDEXP.MemberID = %1").arg(*memberId_);
    query.SQL() << QStringLiteral("ORDER BY ExpID");
    query.ParamByName(QStringLiteral("BDate")).SetAsDate(EncodeDate(year_, 1, 1));
    query.ParamByName(QStringLiteral("EDate")).SetAsDate(EncodeDate(year_, 12, 31));
    std::vector<TExpenseRow> rows;
    for (query.Open(); !query.Eof(); query.Next())
        rows.push_back(ReadRow(query));
    read_ = std::move(rows);
    rows_ = read_;
}

void TExpenseTable::ColumnClicked(TExpenseColumn column)
{
    if (column == TExpenseColumn::Patient)
        return;
    ++sortClicks_;
    SortBy(column, sortClicks_ % 2 == 1);
}

void TExpenseTable::SortBy(TExpenseColumn column, bool descending)
{
    rows_ = read_;
    std::stable_sort(rows_.begin(), rows_.end(), [column, descending](const TExpenseRow& a, const TExpenseRow& b) {
        const int order = Compare(a, b, column);
        return descending ? order > 0 : order < 0;
    });
}

void TExpenseTable::DeleteRow(size_t row)
{
    DeleteExpense(rows_.at(row).expId);
    Refill();
}

TExpenseRowTexts TExpenseTable::RowTexts(size_t row) const
{
    const TExpenseRow& r = rows_.at(row);
    return {DateToStr(r.serviceDate),          r.firstName, AmountText(r.totalCents), AmountText(r.insFsaCents),
            AmountText(r.outOfPocketCents), r.description, r.doctor};
}

std::optional<qint64> TExpenseTable::TotalCents() const
{
    return Sum(rows_, &TExpenseRow::totalCents);
}

std::optional<qint64> TExpenseTable::OutOfPocketCents() const
{
    return Sum(rows_, &TExpenseRow::outOfPocketCents);
}

QString TExpenseTable::TotalText() const
{
    return AmountText(TotalCents());
}

QString TExpenseTable::OutOfPocketText() const
{
    return AmountText(OutOfPocketCents());
}

QString ExpenseDeletePrompt(const QString& dateText)
{
    return QStringLiteral("Would you like to remove records related to the date \"%1\" ?").arg(dateText);
}
