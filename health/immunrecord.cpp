#include "immunrecord.h"

#include "doctorboxes.h"
#include "expensedelete.h"
#include "immundata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/bizaddr.h"
#include "records/common/datemath.h"
#include "records/common/genericprops.h"

namespace {

constexpr qint16 BirthDateProperty = 303;
constexpr int FarMonths = 6;

void ReadPoint(TDoseRecordForm& form, qint32& interval)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT ItemStr1, Interval, Note FROM MEDTEMPL WHERE TemplID = :TemplID");
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(form.templId);
    query.Open();
    if (query.Eof())
        return;
    form.vaccine = query.FieldByName(QStringLiteral("ItemStr1")).AsString();
    interval = query.FieldByName(QStringLiteral("Interval")).AsInteger();
    form.about = query.FieldByName(QStringLiteral("Note")).AsLines();
}

bool ReadRecord(TDoseRecordForm& form)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT DateDone, Doctor, DoctorID, ExpID, Note FROM MEDCHEK")
                << QStringLiteral("WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(form.checkupId);
    query.Open();
    if (query.Eof())
        return false;
    form.date = query.FieldByName(QStringLiteral("DateDone")).AsDateTime();
    form.doctor = query.FieldByName(QStringLiteral("Doctor")).AsString();
    form.doctorId = query.FieldByName(QStringLiteral("DoctorID")).AsInteger();
    form.expId = query.FieldByName(QStringLiteral("ExpID")).AsInteger();
    form.note = query.FieldByName(QStringLiteral("Note")).AsLines();
    return true;
}

void WriteRecord(TDoseRecordForm& form)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDCHEK WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(form.checkupId);
    query.Open();
    if (query.Eof()) {
        query.Append();
        query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(form.memberId);
        query.FieldByName(QStringLiteral("TemplID")).SetAsInteger(form.templId);
    } else {
        query.Edit();
    }
    query.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(form.date);
    query.FieldByName(QStringLiteral("Doctor")).SetAsString(form.doctor);
    query.FieldByName(QStringLiteral("DoctorID")).SetAsInteger(form.doctorId);
    query.FieldByName(QStringLiteral("ExpID")).SetAsInteger(form.expId);
    query.FieldByName(QStringLiteral("Note")).SetAsLines(form.note);
    query.Post();
    form.checkupId = query.FieldByName(QStringLiteral("CheckupID")).AsInteger();
}

void LinkExpense(const TDoseRecordForm& form)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXP WHERE ExpID = :ExpID");
    query.ParamByName(QStringLiteral("ExpID")).SetAsInteger(form.expId);
    query.Open();
    if (query.Eof())
        return;
    query.Edit();
    query.FieldByName(QStringLiteral("ExpType")).SetAsInteger(1);
    query.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(form.date);
    query.FieldByName(QStringLiteral("Description")).SetAsString(form.vaccine);
    query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(form.memberId);
    query.FieldByName(QStringLiteral("Doctor")).SetAsString(form.doctor);
    query.FieldByName(QStringLiteral("DocAddrID")).SetAsInteger(form.doctorId);
    query.FieldByName(QStringLiteral("CheckupID")).SetAsInteger(form.checkupId);
    query.Post();
}

}  // namespace

TDoseRecordForm LoadDoseRecord(qint32 memberId, qint32 templId, qint32 checkupId)
{
    TDoseRecordForm form;
    form.memberId = memberId;
    form.templId = templId;
    form.checkupId = checkupId;
    qint32 interval = YearPointInterval;
    ReadPoint(form, interval);
    if (checkupId != 0 && !ReadRecord(form))
        form.checkupId = 0;
    const TDateTime dob = ReadImmuMember(memberId).dob;
    if (form.date == 0.0 && interval < YearPointInterval && dob != 0.0)
        form.recommended = IncMonths(static_cast<quint16>(interval), dob);
    return form;
}

TDateTime BirthDateForChecks(qint32 memberId)
{
    QString text;
    TDateTime birth = 0.0;
    if (ReadGenericStr(BirthDateProperty, memberId, text) && TryStrToDate(text.trimmed(), birth))
        return birth;
    return ReadImmuMember(memberId).dob;
}

TDoseRecordVerdict CheckDoseRecord(const TDoseRecordForm& form, bool dateBlank, TDateTime today)
{
    if (form.date == 0.0) {
        if (dateBlank)
            return {TDoseRecordCheck::NoDate, QStringLiteral("Please enter the date when the vaccine was given.")};
        return {TDoseRecordCheck::BadDate, {}};
    }
    const TDateTime birth = BirthDateForChecks(form.memberId);
    if (birth != 0.0 && birth > form.date)
        return {TDoseRecordCheck::BeforeBirth, QStringLiteral("A date before birth date? Not possible!")};
    if (form.date > today)
        return {TDoseRecordCheck::Future,
                QStringLiteral("Please enter the date when the immunization was done. It cannot be a future date.")};
    if (form.recommended != 0.0 && MonthsBetween(form.date, form.recommended) > FarMonths)
        return {TDoseRecordCheck::FarFromSchedule,
                QStringLiteral("The date is more than 6 months away from the recommended schedule, around ") +
                    DateToStr(form.recommended) + QStringLiteral(". Do you still want to record it?")};
    return {};
}

void SaveDoseRecord(TDoseRecordForm& form, bool expenseCancelled, bool recordWasNew)
{
    TDoseRecordForm written = form;
    TTransaction transaction(DataFolder);
    if (!written.doctor.isEmpty())
        written.doctorId = FindOrAppendBizAddr(written.doctor, kDoctorsCategory);
    WriteRecord(written);
    if (written.expId != 0 && expenseCancelled && recordWasNew) {
        DeleteExpense(written.expId);
        written.expId = 0;
    } else if (written.expId != 0) {
        LinkExpense(written);
    }
    transaction.Commit();
    form = written;
}

void DeleteDoseRecord(qint32 checkupId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM MEDCHEK WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(checkupId);
    query.ExecSQL();
}

void DropNewRecordExpense(qint32 expId)
{
    if (expId != 0)
        DeleteExpense(expId);
}
