#include "recorddeletion.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/todorows.h"

void DeleteMember(qint32 memberID)
{
    TTransaction transaction(DataFolder);
    TQuery member(DataFolder);
    member.SQL() << QStringLiteral("DELETE FROM MEDPROF") << QStringLiteral("WHERE MemberID = :MemberID");
    member.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
    member.ExecSQL();

    TQuery schedule(DataFolder);
    schedule.SQL() << QStringLiteral("SELECT ToDoID FROM MEDTEMPL") << QStringLiteral("WHERE MemberID = :MemberID");
    schedule.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
    for (schedule.Open(); !schedule.Eof(); schedule.Next())
        DeleteToDo(schedule.FieldByName(QStringLiteral("ToDoID")).AsInteger());
    transaction.Commit();
}

void DeleteAccount(qint32 accountID)
{
    TQuery account(DataFolder);
    account.SQL() << QStringLiteral("DELETE FROM MEDINS") << QStringLiteral("WHERE AccountID = :AccountID");
    account.ParamByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
    account.ExecSQL();
}
