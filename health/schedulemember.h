#pragma once
// The member a schedule is kept for: names, sex and birth date, and the
// birth date kept as text that the done records are checked against. Also
// where the check-up and immunization schedules keep their reminders.
#include "platform/datetime.h"

#include <QString>
#include <optional>

struct TScheduleMember {
    QString firstName;
    QString middleName;
    QString lastName;
    qint32 sex = 0;
    TDateTime dob = 0.0;
};
// Empty texts and no birth date when the member has no row.
TScheduleMember ReadScheduleMember(qint32 memberId);

// The birth date the member's profile keeps as text, when there is one that
// reads as a date.
std::optional<TDateTime> KeptBirthDate(qint32 memberId);

// The to-do category of the schedules' reminders.
constexpr qint32 ScheduleReminderCategory = 5;
// Keeps the key of a schedule row's reminder (0 for none) with the row.
void StoreReminderId(qint32 templId, qint32 toDoId);
