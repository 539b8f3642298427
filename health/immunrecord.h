#pragma once
// The dose record's work: what the dialog shows for one dose point, the
// checks of its OK in their order, and the record written with its doctor
// and its linked expense as one change.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <optional>

struct TDoseRecordForm {
    qint32 memberId = 0;
    qint32 templId = 0;
    qint32 checkupId = 0;        // 0: the dose is recorded anew
    QString vaccine;
    QStringList about;           // the point's note
    TDateTime date = 0.0;
    QString doctor;
    qint32 doctorId = 0;
    qint32 expId = 0;
    qint32 expIdAtOpening = 0;   // the expense the record had when opened
    QStringList note;
    TDateTime recommended = 0.0;   // 0: none
};

// The stored record of CheckupID, or the recommended date of a dose not yet
// given: birth plus the point's months, for points given in months.
TDoseRecordForm LoadDoseRecord(qint32 memberId, qint32 templId, qint32 checkupId);

enum class TDoseRecordCheck { Passed, NoDate, BadDate, BeforeBirth, Future, FarFromSchedule };
struct TDoseRecordVerdict {
    TDoseRecordCheck check = TDoseRecordCheck::Passed;
    QString message;   // warning, or the question for FarFromSchedule
};

// dateBlank: the date field holds only blanks; date is 0 when its text is
// not a date.
TDoseRecordVerdict CheckDoseRecord(const TDoseRecordForm& form, bool dateBlank, TDateTime today);

// The birth date the checks compare with: the one kept as text for the
// member, else the member's own.
TDateTime BirthDateForChecks(qint32 memberId);

// Writes the record, the doctor's business when the name is new and the
// linked expense, in one transaction. The form takes the record's key and
// the doctor's.
// An expense the record moves to a date or member where one of its payments
// no longer fits stops the save: nothing is written, and the result says
// which payment.
std::optional<QString> SaveDoseRecord(TDoseRecordForm& form);
// Delete, in one transaction: the record goes, and with it an expense paid
// through this opening; the one the record had before stays, as a deleted
// record keeps its expense. The form changes only once all of it is done.
void DeleteDoseRecord(TDoseRecordForm& form);
