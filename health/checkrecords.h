#pragma once
// The done records of the schedules (MEDCHEK rows: a dose given, a check-up
// performed) and the expense one of them names, shared by the dose record
// and the check-up records. Every routine raises EDatabaseError when the
// database fails.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <optional>

struct TCheckRecordRow {
    qint32 memberId = 0;
    qint32 templId = 0;
    qint32 checkupId = 0;   // 0: not written yet
    TDateTime date = 0.0;
    QString doctor;
    qint32 doctorId = 0;
    qint32 expId = 0;
    QStringList note;
};

// The record of CheckupID with its member and item; nothing when it is gone.
std::optional<TCheckRecordRow> ReadCheckRecord(qint32 checkupId);

enum class TDoctorKey { Write, Keep };
// Appends the record (a new one takes its member and item) or rewrites the
// stored one, and takes the row's key. With TDoctorKey::Keep the stored
// doctor key stays as it was.
void WriteCheckRecord(TCheckRecordRow& row, TDoctorKey doctorKey = TDoctorKey::Write);
void DeleteCheckRecord(qint32 checkupId);

// Marks the record's expense, when it exists, as the expense of this
// check-up or dose: its date, member, doctor and description; moved to
// another date or member, it takes the sums that Finish would give it there.
void LinkRecordExpense(const TCheckRecordRow& row, const QString& description);

// The expense's amounts were checked for its own date and member; the
// record's may differ, and the expense takes them when the record is saved.
// The message tells which payment would no longer fit there.
std::optional<QString> MovedExpenseMisfit(const TCheckRecordRow& row);

// The record is not written: an expense written while its dialog was open
// goes with its splits, and expId takes back the one the record had when it
// was opened, which stays.
void DropExpenseWrittenThisOpening(qint32& expId, qint32 expIdAtOpening);
