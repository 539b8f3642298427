#include "todoenv.h"

#include "context/context.h"
#include "platform/dataset.h"

void ToDoFolder::SetUp()
{
    DataFolder = folder_.Path();
    Clock::SetFixed(QDateTime(QDate(2024, 1, 31), QTime(9, 30)));
}

void ToDoFolder::TearDown()
{
    Clock::SetFixed({});
}

qint32 ToDoFolder::AddToDo(const QString& description, TDateTime due, qint32 categoryNo, bool done)
{
    return AppendRow(DataFolder, QStringLiteral("TODO01"), QStringLiteral("Todoid"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("Description")).SetAsString(description);
        row.FieldByName(QStringLiteral("Due")).SetAsDateTime(due);
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(categoryNo);
        row.FieldByName(QStringLiteral("Done")).SetAsBoolean(done);
    });
}

bool ToDoFolder::IsDone(qint32 todoId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT Done FROM TODO01 WHERE Todoid = %1").arg(todoId);
    query.Open();
    return query.Fields(0).AsBoolean();
}

qint32 ToDoFolder::Count(const QString& sql)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    query.Open();
    return query.Fields(0).AsInteger();
}
