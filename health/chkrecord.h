#pragma once
// The work of the two check-up record dialogs ("Checkup Performed" and the
// log's record): what they show, the checks of their OK in order, and the
// record written with its doctor and expense as one change. An expense is
// removed by Cancel only when it was written during this opening.
#include "checkrecords.h"

#include <QString>
#include <QStringList>
#include <optional>

enum class TChkRecordKind {
    Performed,   // from the schedule, for one item
    Log          // from the log: the item is picked, and the stored doctor's key stays
};

struct TChkRecordForm {
    TCheckRecordRow row;
    QString item;                 // the item's name
    QStringList about;            // the item's note
    TDateTime lastPerformed = 0.0;
    qint32 expIdAtOpening = 0;    // the expense the record had when opened
};

// The item and, when checkupId names a stored record, the record (else
// checkupId becomes 0). Nothing when the item is gone, except for the log's
// new records, whose item is picked later (templId 0).
std::optional<TChkRecordForm> LoadChkRecord(qint32 memberId, qint32 templId, qint32 checkupId,
                                            TDateTime lastPerformed);

enum class TChkRecordCheck { Passed, NoItem, NoDate, BadDate, BeforeBirth, Future, BeforeLast };
struct TChkRecordVerdict {
    TChkRecordCheck check = TChkRecordCheck::Passed;
    QString message;   // warning, or the question for BeforeLast
};
// dateBlank: the date field holds only blanks; the date is 0 when its text
// is not a date.
TChkRecordVerdict CheckChkRecord(const TChkRecordForm& form, TChkRecordKind kind, bool dateBlank, TDateTime today);

// Writes the record and the doctor's business when the name is new, and
// links the expense, in one transaction. An expense the record moves to
// another date or member must still obey its accounts' rules there:
// otherwise nothing is written, and the result tells which payment no
// longer fits.
std::optional<QString> SaveChkRecord(TChkRecordForm& form, TChkRecordKind kind);
// The record is not written (Cancel, or an earlier date not confirmed): an
// expense written during this opening goes.
void DropChkRecordExpense(TChkRecordForm& form);
