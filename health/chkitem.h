#pragma once
// The check-up item dialog's work: an item's name, how often it is done and
// from which age, its checks, and adding or changing it. Writing routines
// raise EDatabaseError and change nothing when the database fails.
#include <QString>
#include <QStringList>
#include <optional>

enum class TIntervalUnit { None, Months, Years };

struct TChkItemForm {
    qint32 templId = 0;   // 0: a new item
    QString name;
    int interval = 1;
    TIntervalUnit unit = TIntervalUnit::None;
    int startAge = 0;
    QStringList detail;
};

// The stored item, its interval in years when it is a whole number of them.
TChkItemForm ReadChkItem(qint32 templId);
qint32 IntervalMonths(const TChkItemForm& form);

enum class TChkItemField { Name, Interval, Unit };
struct TChkItemRefusal {
    TChkItemField field;
    QString message;
};
std::optional<TChkItemRefusal> CheckChkItem(const TChkItemForm& form);

// Adds the item for the member with its never-done record, in one
// transaction; its TemplID.
qint32 AddChkItem(qint32 memberId, qint32 sex, const TChkItemForm& form);
// Rewrites the item (its name only when `rename`), drops its reminder for
// the schedule to write anew and gives it a never-done record when it has
// no record, in one transaction.
void UpdateChkItem(qint32 memberId, qint32 sex, const TChkItemForm& form, bool rename);
QString RenameChkItemQuestion(const QString& oldName, const QString& newName);
