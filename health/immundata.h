#pragma once
// A member's immunization schedule: the private copy of the master vaccine
// rows, read into a grid of vaccines by dose age, the reminders of the doses
// still ahead, and the rows of the printed record. Every routine raises
// EDatabaseError when the database fails.
#include "schedulemember.h"

#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The dose age of the points given in years. All of them share one column,
// so a vaccine holds at most one such point.
constexpr qint32 YearPointInterval = 100;

// The months after birth at which a dose point falls due: the years of a
// point given in years, else its interval.
qint32 DoseMonths(qint32 interval, qint32 ageLow);

struct TVaccine {
    qint32 immuId = 0;
    QString name;
};

struct TImmuCell {
    qint32 templId = 0;
    qint32 checkupId = 0;   // 0: not done
    qint32 toDoId = 0;
    qint32 doseMonths = 0;

    bool Done() const { return checkupId != 0; }
};

struct TImmuGrid {
    std::vector<TVaccine> vaccines;
    std::vector<qint32> doseAges;   // the distinct intervals, ascending
    std::vector<std::optional<TImmuCell>> cells;   // vaccines x dose ages, row-major
    qint32 largestImmuId = 0;

    // Empty outside the grid as well as where the vaccine has no dose.
    std::optional<TImmuCell>* Cell(int vaccine, int doseAge);
};

// The member's vaccines in order, each once, named as their first point.
std::vector<TVaccine> ReadMemberVaccines(qint32 memberId);

// The two lines of a dose-age column's heading.
QStringList DoseAgeHeading(qint32 doseAge);

// The member's points, first copying the master rows on first use (in their
// order, in one transaction). Empty only when even the copy gave none: the
// database has lost its master rows.
std::optional<TImmuGrid> LoadImmuGrid(qint32 memberId);

// Brings the reminders in the to-do list in line with the grid, in one
// transaction: a reminder for each dose not done whose age is still ahead
// and whose date has not passed, none for the others. `progress` hears the
// percentage done.
void WriteImmuReminders(qint32 memberId, TImmuGrid& grid, TDateTime today,
                        const std::function<void(int)>& progress = {});

// The text of a dose's reminder.
QString ImmuReminderText(const QString& firstName, const QString& vaccine, TDateTime due);

// Fills the report scratch table with the printed record, one row a dose in
// the order of vaccine and dose age, in one transaction.
void FillImmuReport(qint32 memberId);
// The title lines of the printed record.
QString ImmuReportName(const TScheduleMember& member);
QString ImmuReportGender(const TScheduleMember& member);
