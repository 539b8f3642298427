#pragma once
// A member's check-up schedule without its windows: the private copy of the
// master check-up rows, the items with their last performed and due dates,
// the log of what was done, the reminders and the deletions. Every routine
// raises EDatabaseError when the database fails.
#include "schedulemember.h"

#include "platform/datetime.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The mark of an item never performed, in MEDCHEK.DateDone.
TDateTime NeverDoneDate();

// Whole years of age on the day.
int AgeOn(TDateTime dob, TDateTime day);

struct TChkSchedRec {
    qint32 templId = 0;
    QString itemStr1;   // at most 50 characters
    QString itemStr2;
    qint32 ageLow = 0;
    qint32 ageHigh = 0;
    qint32 interval = 0;                 // months
    TDateTime lastDone = 0.0;            // NeverDoneDate(): never done
    qint32 toDoId = 0;                   // 0: no reminder

    bool Performed() const;
};

enum class TChkOrder { Name, NameDesc, Interval, IntervalDesc };

// The member's items in that order, first copying the master rows of the
// member's sex on first use (in the masters' order, in one transaction).
// Every item without a done record gets the never-done one. Empty only when
// even the copy gave none: the database has lost its master rows.
std::optional<std::vector<TChkSchedRec>> LoadChkSchedule(qint32 memberId, qint32 sex, TChkOrder order);

// The latest done date of the item, appending its never-done record when it
// has none. Records of no item (TemplID 0) are never written.
TDateTime LastPerformed(qint32 memberId, qint32 templId);

// The member's check-up items by name, for picking one.
std::vector<std::pair<qint32, QString>> ReadChkItemNames(qint32 memberId);

// Shown when the member has reached its start age.
bool ItemShown(const TChkSchedRec& item, int age);
// The list's texts.
QString LastPerformedText(const TChkSchedRec& item);
QString DueDateText(const TChkSchedRec& item);
QString FrequencyText(qint32 interval);

// The sort of a column click: both lists count their clicks together.
class TChkSortClicks {
public:
    // The schedule's order for a click on its name (0) or frequency (3)
    // column; nothing for the date columns, which do not sort.
    std::optional<TChkOrder> ScheduleClick(int column);
    // The log's order for a click on its date (1) or doctor (2) column.
    enum class TLogOrder { None, Date, DateDesc, Doctor, DoctorDesc };
    std::optional<TLogOrder> LogClick(int column);

private:
    int clicks_ = 0;
};
using TChkLogOrder = TChkSortClicks::TLogOrder;

struct TChkLogRow {
    qint32 checkupId = 0;
    qint32 templId = 0;
    QString item;
    TDateTime dateDone = 0.0;
    QString doctor;
    QString note;   // on one line, wrapped at 50 characters
};
// The member's done records of check-ups and immunizations, without the
// never-done marks and records of no item.
std::vector<TChkLogRow> ReadChkLog(qint32 memberId, TChkLogOrder order);

struct TChkReminder {
    QString text;
    TDateTime due = 0.0;
};
// The reminder an item is to have: for a shown item that was performed,
// dated by its interval, never before today nor before the start age. Once
// the log has changed in the dialog, every performed item's reminder is
// dated from its latest performed date as the log writes it.
std::optional<TChkReminder> ChkReminderOf(const TChkSchedRec& item, const TScheduleMember& member, int age,
                                          bool logChanged, TDateTime today);

// Brings the items' reminders in the to-do list in line, in one transaction:
// written for the items that are to have one, removed from the others. The
// items take their reminders' keys; `progress` hears the percentage done.
void WriteChkReminders(std::vector<TChkSchedRec>& items, const TScheduleMember& member, int age, bool logChanged,
                       TDateTime today, const std::function<void(int)>& progress = {});

// Removes the item with its reminder and all its done records, in one
// transaction.
void DeleteChkItem(qint32 templId);
// The question before an item or a log record goes.
QString DeleteChkQuestion(const QString& name);
