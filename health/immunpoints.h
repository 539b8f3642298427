#pragma once
// The vaccine dialog's work: the schedule points of one vaccine (the ages at
// which its doses are due), how they are stored and labelled, and saving or
// deleting a vaccine. Writing routines raise EDatabaseError and change
// nothing when the database fails.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TVaccSched {
    qint32 templId = 0;   // 0: not stored yet
    qint32 months = 0;
    qint32 years = 0;     // 0: given in months
    qint32 ageHigh = 0;

    friend bool operator==(const TVaccSched&, const TVaccSched&) = default;
};

QString PointLabel(const TVaccSched& point);

enum class TAgeUnit { None, Months, Years };

// Adds a typed point to the list, kept in order of months; the message when
// it is refused.
std::optional<QString> AddSchedulePoint(std::vector<TVaccSched>& points, TAgeUnit unit, int value);

// The stored columns of a point, and the point read back from them.
struct TStoredPoint {
    qint32 ageLow = 0;
    qint32 interval = 0;
};
TStoredPoint StorePoint(const TVaccSched& point);
TVaccSched LoadPoint(qint32 templId, qint32 ageLow, qint32 ageHigh, qint32 interval);

struct TVaccineEdit {
    qint32 memberId = 0;
    qint32 immuId = 0;
    QString name;
    QStringList description;
    std::vector<TVaccSched> points;
};
// The points of one vaccine in order of age, with its description.
TVaccineEdit ReadVaccine(qint32 memberId, qint32 immuId);

// The check before a save; the message, else nothing.
std::optional<QString> CheckVaccineName(const QString& name);
void SaveNewVaccine(const TVaccineEdit& vaccine);

// A stored point taken out of the list: the dialog asks before it goes when
// doses were recorded for it.
bool PointHasRecords(qint32 templId);
QString RemovePointQuestion(const TVaccSched& point);
// A stored point kept by No stays with its doses and goes back to the list.
// The grid shows one dose a vaccine at each dose age (all points given in
// years share one), so a new point at its dose age is not added: those
// points are given back, for the user to be told, unless they were at its
// own age.
std::vector<TVaccSched> KeepRecordedPoint(std::vector<TVaccSched>& points, const TVaccSched& kept);
QString PointNotAddedMessage(const TVaccSched& dropped, const TVaccSched& kept);
// Writes an edit in one transaction: the removed points go with their dose
// records and reminders, leaving the expenses recorded with them; kept points
// take the name and the description when they were edited; new points are
// added.
void SaveEditedVaccine(const TVaccineEdit& vaccine, const std::vector<TVaccSched>& removed, bool nameEdited,
                       bool descriptionEdited);

// Removes the vaccine's points of the member with their dose records and
// reminders, in one transaction; the expenses recorded with them stay.
void DeleteVaccine(qint32 memberId, qint32 immuId);
QString DeleteVaccineQuestion(const QString& name);
