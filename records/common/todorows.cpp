#include "todorows.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {
// Rows the shared writer adds carry these fixed marks.
constexpr qint32 kModType = 132;
constexpr qint32 kEditType = 1;
constexpr qint32 kAlarmId = 0;

void OpenToDos(TQuery& query, qint32 todoId)
{
    query.Close();
    query.SetSQL({QStringLiteral("SELECT * FROM TODO01")});
    if (todoId != 0)
        query.SQL() << QStringLiteral("WHERE Todoid = %1").arg(todoId);
    query.Open();
}
}  // namespace

void WriteToDo(qint32& todoId, qint32 categoryNo, bool hasDue, const QString& description, TDateTime due)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    bool found = false;
    if (todoId != 0) {
        OpenToDos(query, todoId);
        found = !query.Eof();
    }
    if (found) {
        query.Edit();
    } else {
        OpenToDos(query, 0);
        query.Append();
    }
    query.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(categoryNo);
    query.FieldByName(QStringLiteral("Description")).SetAsLines({description});
    if (hasDue)
        query.FieldByName(QStringLiteral("Due")).SetAsDateTime(due);
    else
        query.FieldByName(QStringLiteral("Due")).Clear();
    query.FieldByName(QStringLiteral("ScheduleDate")).Clear();
    query.FieldByName(QStringLiteral("ModType")).SetAsInteger(kModType);
    query.FieldByName(QStringLiteral("Done")).SetAsBoolean(false);
    query.FieldByName(QStringLiteral("EditType")).SetAsInteger(kEditType);
    query.FieldByName(QStringLiteral("AlarmID")).SetAsInteger(kAlarmId);
    query.Post();
    todoId = query.FieldByName(QStringLiteral("Todoid")).AsInteger();
}

void SaveToDo(qint32& todoId, qint32 categoryNo, const QString& description, TDateTime due)
{
    WriteToDo(todoId, categoryNo, true, description, due);
}

void DeleteToDo(qint32 todoId)
{
    if (todoId == 0)
        return;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM TODO01 WHERE Todoid = %1").arg(todoId);
    query.ExecSQL();
}
