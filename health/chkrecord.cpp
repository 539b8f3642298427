#include "chkrecord.h"

#include "doctorboxes.h"
#include "schedulemember.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/bizaddr.h"

namespace {

struct TItemFacts {
    QString name;
    QStringList note;
};

std::optional<TItemFacts> ReadItem(qint32 templId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT ItemStr1, Note FROM MEDTEMPL WHERE TemplID = :TemplID");
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TItemFacts{query.FieldByName(QStringLiteral("ItemStr1")).AsString(),
                      query.FieldByName(QStringLiteral("Note")).AsLines()};
}

}  // namespace

std::optional<TChkRecordForm> LoadChkRecord(qint32 memberId, qint32 templId, qint32 checkupId,
                                            TDateTime lastPerformed)
{
    TChkRecordForm form;
    form.row.memberId = memberId;
    form.row.templId = templId;
    form.lastPerformed = lastPerformed;
    if (const auto stored = checkupId != 0 ? ReadCheckRecord(checkupId) : std::nullopt) {
        form.row = *stored;
        form.expIdAtOpening = stored->expId;
    }
    if (form.row.templId == 0)
        return form;
    const auto item = ReadItem(form.row.templId);
    if (!item)
        return std::nullopt;
    form.item = item->name;
    form.about = item->note;
    return form;
}

TChkRecordVerdict CheckChkRecord(const TChkRecordForm& form, TChkRecordKind kind, bool dateBlank, TDateTime today)
{
    if (kind == TChkRecordKind::Log && form.item.isEmpty())
        return {TChkRecordCheck::NoItem, QStringLiteral("Please enter the checkup item.")};
    if (form.row.date == 0.0) {
        if (dateBlank)
            return {TChkRecordCheck::NoDate, QStringLiteral("Please enter the date when the checkup was done.")};
        return {TChkRecordCheck::BadDate, {}};
    }
    const auto birth = KeptBirthDate(form.row.memberId);
    if (birth && *birth > form.row.date)
        return {TChkRecordCheck::BeforeBirth, QStringLiteral("A date before birth date? Not possible!")};
    if (form.row.date > today)
        return {TChkRecordCheck::Future,
                QStringLiteral("Please enter the date when the checkup was done. It cannot be a future date.")};
    if (form.row.checkupId == 0 && form.row.date < form.lastPerformed)
        return {TChkRecordCheck::BeforeLast,
                QStringLiteral("According to our record, your last checkup was on ") + DateToStr(form.lastPerformed) +
                    QStringLiteral(" and the date you just entered is before that. Do you really want to record it "
                                   "anyway?")};
    return {};
}

std::optional<QString> SaveChkRecord(TChkRecordForm& form, TChkRecordKind kind)
{
    TChkRecordForm written = form;
    if (std::optional<QString> misfit = MovedExpenseMisfit(written.row))
        return misfit;
    TTransaction transaction(DataFolder);
    if (!written.row.doctor.isEmpty())
        written.row.doctorId = FindOrAppendBizAddr(written.row.doctor, kDoctorsCategory);
    WriteCheckRecord(written.row, kind == TChkRecordKind::Performed ? TDoctorKey::Write : TDoctorKey::Keep);
    if (written.row.expId != 0)
        LinkRecordExpense(written.row, written.item);
    transaction.Commit();
    if (written.row.date > written.lastPerformed)
        written.lastPerformed = written.row.date;
    form = written;
    return std::nullopt;
}

void DropChkRecordExpense(TChkRecordForm& form)
{
    DropExpenseWrittenThisOpening(form.row.expId, form.expIdAtOpening);
}
