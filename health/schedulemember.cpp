#include "schedulemember.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/genericprops.h"

namespace {
constexpr qint16 BirthDateProperty = 303;
}  // namespace

TScheduleMember ReadScheduleMember(qint32 memberId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT FirstName, MiddleName, LastName, Sex, DOB FROM MEDPROF")
                << QStringLiteral("WHERE MemberID = :MemberID");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    TScheduleMember member;
    if (query.Eof())
        return member;
    member.firstName = query.FieldByName(QStringLiteral("FirstName")).AsString();
    member.middleName = query.FieldByName(QStringLiteral("MiddleName")).AsString();
    member.lastName = query.FieldByName(QStringLiteral("LastName")).AsString();
    member.sex = query.FieldByName(QStringLiteral("Sex")).AsInteger();
    member.dob = query.FieldByName(QStringLiteral("DOB")).AsDateTime();
    return member;
}

std::optional<TDateTime> KeptBirthDate(qint32 memberId)
{
    QString text;
    TDateTime birth = 0.0;
    if (ReadGenericStr(BirthDateProperty, memberId, text) && TryStrToDate(text.trimmed(), birth))
        return birth;
    return std::nullopt;
}

void StoreReminderId(qint32 templId, qint32 toDoId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("UPDATE MEDTEMPL SET ToDoID = :ToDoID WHERE TemplID = :TemplID");
    query.ParamByName(QStringLiteral("ToDoID")).SetAsInteger(toDoId);
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.ExecSQL();
}
