#include "chkitem.h"

#include "chkschedule.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/todorows.h"

namespace {

constexpr qint32 MemberCheckup = 4;
constexpr qint32 NoEndAge = 150;
constexpr int LargestInterval = 99;

void SetItemFields(TQuery& query, qint32 sex, const TChkItemForm& form)
{
    const qint32 months = IntervalMonths(form);
    query.FieldByName(QStringLiteral("ItemStr2")).SetAsString(QString());
    query.FieldByName(QStringLiteral("Sex")).SetAsInteger(sex);
    query.FieldByName(QStringLiteral("AgeLow")).SetAsInteger(form.startAge);
    query.FieldByName(QStringLiteral("AgeHigh")).SetAsInteger(NoEndAge);
    query.FieldByName(QStringLiteral("Interval")).SetAsInteger(months);
    query.FieldByName(QStringLiteral("DefaultInterval")).SetAsInteger(months);
    query.FieldByName(QStringLiteral("Note")).SetAsLines(form.detail);
}

}  // namespace

TChkItemForm ReadChkItem(qint32 templId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT ItemStr1, AgeLow, Interval, Note FROM MEDTEMPL WHERE TemplID = :TemplID");
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.Open();
    TChkItemForm form;
    if (query.Eof())
        return form;
    form.templId = templId;
    form.name = query.FieldByName(QStringLiteral("ItemStr1")).AsString();
    form.startAge = query.FieldByName(QStringLiteral("AgeLow")).AsInteger();
    const qint32 interval = query.FieldByName(QStringLiteral("Interval")).AsInteger();
    const bool years = interval % 12 == 0;
    form.interval = years ? interval / 12 : interval;
    form.unit = years ? TIntervalUnit::Years : TIntervalUnit::Months;
    form.detail = query.FieldByName(QStringLiteral("Note")).AsLines();
    return form;
}

qint32 IntervalMonths(const TChkItemForm& form)
{
    return form.unit == TIntervalUnit::Years ? form.interval * 12 : form.interval;
}

std::optional<TChkItemRefusal> CheckChkItem(const TChkItemForm& form)
{
    if (form.name.isEmpty())
        return TChkItemRefusal{TChkItemField::Name, QStringLiteral("Please enter the name of the new checkup item.")};
    if (form.interval < 1 || form.interval > LargestInterval)
        return TChkItemRefusal{TChkItemField::Interval, QStringLiteral("Please enter value between 1 and 99.")};
    if (form.unit == TIntervalUnit::None)
        return TChkItemRefusal{TChkItemField::Unit,
                               QStringLiteral("Please enter how often you want this checkup to be done.")};
    return std::nullopt;
}

qint32 AddChkItem(qint32 memberId, qint32 sex, const TChkItemForm& form)
{
    TTransaction transaction(DataFolder);
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplID = 0");
    query.Open();
    query.Append();
    query.FieldByName(QStringLiteral("TemplType")).SetAsInteger(MemberCheckup);
    query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.FieldByName(QStringLiteral("ItemStr1")).SetAsString(form.name);
    SetItemFields(query, sex, form);
    query.Post();
    const qint32 templId = query.FieldByName(QStringLiteral("TemplID")).AsInteger();
    LastPerformed(memberId, templId);
    transaction.Commit();
    return templId;
}

void UpdateChkItem(qint32 memberId, qint32 sex, const TChkItemForm& form, bool rename)
{
    TTransaction transaction(DataFolder);
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplID = :TemplID");
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(form.templId);
    query.Open();
    if (query.Eof())
        throw EDatabaseError(QStringLiteral("The check-up item is gone."));
    DeleteToDo(query.FieldByName(QStringLiteral("ToDoID")).AsInteger());
    query.Edit();
    if (rename)
        query.FieldByName(QStringLiteral("ItemStr1")).SetAsString(form.name);
    SetItemFields(query, sex, form);
    query.FieldByName(QStringLiteral("ToDoID")).SetAsInteger(0);
    query.Post();
    LastPerformed(memberId, form.templId);
    transaction.Commit();
}

QString RenameChkItemQuestion(const QString& oldName, const QString& newName)
{
    return QStringLiteral("Change \"") + oldName + QStringLiteral("\" to \"") + newName + QStringLiteral("\" ?");
}
