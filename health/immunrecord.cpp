#include "immunrecord.h"

#include "checkrecords.h"
#include "doctorboxes.h"
#include "immundata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/bizaddr.h"
#include "records/common/datemath.h"

namespace {

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

TCheckRecordRow RowOf(const TDoseRecordForm& form)
{
    return {form.memberId, form.templId, form.checkupId, form.date, form.doctor, form.doctorId, form.expId, form.note};
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
    const auto record = checkupId != 0 ? ReadCheckRecord(checkupId) : std::nullopt;
    if (record) {
        form.date = record->date;
        form.doctor = record->doctor;
        form.doctorId = record->doctorId;
        form.expId = record->expId;
        form.expIdAtOpening = record->expId;
        form.note = record->note;
    } else {
        form.checkupId = 0;
    }
    const TDateTime dob = ReadScheduleMember(memberId).dob;
    if (form.date == 0.0 && interval < YearPointInterval && dob != 0.0)
        form.recommended = IncMonths(static_cast<quint16>(interval), dob);
    return form;
}

TDateTime BirthDateForChecks(qint32 memberId)
{
    return KeptBirthDate(memberId).value_or(ReadScheduleMember(memberId).dob);
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

std::optional<QString> SaveDoseRecord(TDoseRecordForm& form)
{
    TDoseRecordForm written = form;
    if (std::optional<QString> misfit = MovedExpenseMisfit(RowOf(written)))
        return misfit;
    TTransaction transaction(DataFolder);
    if (!written.doctor.isEmpty())
        written.doctorId = FindOrAppendBizAddr(written.doctor, kDoctorsCategory);
    TCheckRecordRow row = RowOf(written);
    WriteCheckRecord(row);
    written.checkupId = row.checkupId;
    if (written.expId != 0)
        LinkRecordExpense(row, written.vaccine);
    transaction.Commit();
    form = written;
    return std::nullopt;
}

void DeleteDoseRecord(TDoseRecordForm& form)
{
    TDoseRecordForm deleted = form;
    TTransaction transaction(DataFolder);
    DropExpenseWrittenThisOpening(deleted.expId, deleted.expIdAtOpening);
    if (deleted.checkupId > 0)
        DeleteCheckRecord(deleted.checkupId);
    transaction.Commit();
    deleted.checkupId = 0;
    form = deleted;
}
