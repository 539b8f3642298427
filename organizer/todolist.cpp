#include "todolist.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/datemath.h"
#include "records/common/recordtext.h"

namespace {

// The description column's wrap width; its two parts are shown on one line.
constexpr int kGridWrapWidth = 100;
// The grid grows by this many rows when an item finds no row left.
constexpr int kGridGrowth = 12;

void OpenToDo(TQuery& query, qint32 todoId)
{
    query.SQL() << QStringLiteral("SELECT * FROM TODO01") << QStringLiteral("WHERE Todoid = %1").arg(todoId);
    query.Open();
}

}  // namespace

TToDoRow ToDoRowOf(TDataSet& query)
{
    TToDoRow row;
    row.todoId = query.FieldByName(QStringLiteral("Todoid")).AsInteger();
    TField& category = query.FieldByName(QStringLiteral("CategoryNo"));
    row.categoryNo = category.IsNull() ? -1 : category.AsInteger();
    row.description = query.FieldByName(QStringLiteral("Description")).AsLines();
    row.due = query.FieldByName(QStringLiteral("Due")).AsDateTime();
    row.done = query.FieldByName(QStringLiteral("Done")).AsBoolean();
    return row;
}

QStringList DueFilterItems()
{
    return {QStringLiteral("Today"),        QStringLiteral("In one week"),   QStringLiteral("In two weeks"),
            QStringLiteral("In one month"), QStringLiteral("In six months"), QStringLiteral("All")};
}

TDateTime FilterEndDate(TDueFilter filter, TDateTime today)
{
    switch (filter) {
    case TDueFilter::Today: return today;
    case TDueFilter::OneWeek: return IncDays(7, today);
    case TDueFilter::TwoWeeks: return IncDays(14, today);
    case TDueFilter::OneMonth: return IncMonths(1, today);
    case TDueFilter::SixMonths: return IncMonths(6, today);
    case TDueFilter::All: break;
    }
    return EncodeDate(3000, 12, 31);
}

std::vector<TToDoRow> ReadToDoRows(TDueFilter filter, qint32 categoryNo, TDateTime today)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM TODO01");
    const bool byDate = filter != TDueFilter::All;
    if (byDate)
        query.SQL() << QStringLiteral("WHERE Due >= :BDate") << QStringLiteral("AND Due <= :EDate");
    if (categoryNo > AllCategories)
        query.SQL() << (byDate ? QStringLiteral("AND CategoryNo = %1") : QStringLiteral("WHERE CategoryNo = %1"))
                           .arg(categoryNo);
    query.SQL() << QStringLiteral("ORDER BY Due ASC");
    if (byDate) {
        query.ParamByName(QStringLiteral("BDate")).SetAsDate(today);
        query.ParamByName(QStringLiteral("EDate")).SetAsDate(FilterEndDate(filter, today));
    }
    query.Open();
    std::vector<TToDoRow> rows;
    for (; !query.Eof(); query.Next())
        rows.push_back(ToDoRowOf(query));
    return rows;
}

QString GridDescription(const TToDoRow& row)
{
    return WrapWordsOnOneLine(row.description, kGridWrapWidth);
}

int GridRowCount(int itemCount)
{
    int capacity = GridDesignRows;
    for (int nextRow = 1; nextRow <= itemCount; ++nextRow) {
        if (capacity <= nextRow)
            capacity += kGridGrowth;
    }
    return capacity;
}

void ToggleToDoDone(qint32 todoId)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    OpenToDo(query, todoId);
    if (query.Eof())
        return;
    query.Edit();
    TField& done = query.FieldByName(QStringLiteral("Done"));
    done.SetAsBoolean(!done.AsBoolean());
    query.Post();
}

void DeleteToDoRow(qint32 todoId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM TODO01") << QStringLiteral("WHERE Todoid = %1").arg(todoId);
    query.ExecSQL();
}

std::optional<TToDoRow> LoadToDoItem(qint32 todoId)
{
    TQuery query(DataFolder);
    OpenToDo(query, todoId);
    if (query.Eof())
        return std::nullopt;
    return ToDoRowOf(query);
}

QString JoinMemoLines(const QStringList& memoLines)
{
    return memoLines.join(QLatin1Char(' '));
}
