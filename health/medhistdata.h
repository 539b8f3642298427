#pragma once
// The rows the medical-history dialog reads and writes: the member's profile
// and vision (one MEDPROF row) and the history entries (MEDHIST rows). Every
// routine raises EDatabaseError when the database fails; user text is bound.
#include "platform/datetime.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The stored date of birth when the member's row is missing.
constexpr TDateTime kNoBirthDate = -693594.0;

constexpr qint32 kWeightLbs = 0;
constexpr qint32 kWeightKgs = 1;
// The units of a member's height, shared by every dialog that writes it.
constexpr int kHeightFeetInches = 0;
constexpr int kHeightCentimetres = 1;

// What a weight, feet or centimetres may be, and the inches of a height in
// feet and inches; every dialog that writes them takes the same.
constexpr qint32 kLargestMeasure = 999999;
constexpr qint32 kLargestInches = 11;
constexpr int kMeasureLength = 6;

// Heights in feet and inches are stored as inches.
struct THeightBoxes {
    qint32 first = 0;    // feet, or centimetres
    qint32 second = 0;   // inches; unused for centimetres
};
THeightBoxes SplitHeight(qint32 height, qint32 unit);
qint32 JoinHeight(const THeightBoxes& boxes, qint32 unit);

// The lens grid: rows D.V. O.D., D.V. O.S., N.V. O.D., N.V. O.S.; columns
// spherical, cylindrical, axis, prism, base. Free text.
using TLensGrid = std::array<std::array<QString, 5>, 4>;

struct TMedProfile {
    QString firstName;
    QString middleName;
    QString lastName;
    TDateTime dob = 0.0;
    qint32 sex = 0;
    qint32 weight = 0;
    qint32 weightUnit = kWeightLbs;
    qint32 height = 0;
    qint32 heightUnit = kHeightFeetInches;
    QString bloodType;
    qint32 rhFactor = -1;   // -1: never chosen
};

struct TMedVision {
    TDateTime date = 0.0;   // 0: none
    QString doctor;
    qint32 doctorId = 0;
    QStringList note;
    TLensGrid lens;
};

// Empty when the member has no row.
std::optional<TMedProfile> ReadMedProfile(qint32 memberId);
std::optional<TMedVision> ReadMedVision(qint32 memberId);
// Both on the one row, written together; nothing happens without the row.
void WriteMedProfile(qint32 memberId, const TMedProfile& profile, const TMedVision& vision);

// One MEDHIST row. Fields 1 to 4 mean what the record type says.
struct THistoryRecord {
    qint32 recordType = 0;
    std::array<QString, 4> fields;
    TDateTime bdate = 0.0;
    TDateTime edate = 0.0;
    qint32 doctorId = 0;
    qint32 hospitalId = 0;
    QStringList note;
};

struct THistoryEntry {
    QString name;
    qint32 historyId = 0;
};

// The member's entries of one type in the order stored; `nameField` (1..4)
// names them.
QList<THistoryEntry> ReadHistoryEntries(qint32 memberId, qint32 recordType, int nameField);
std::optional<THistoryRecord> ReadHistoryRecord(qint32 memberId, qint32 historyId);
// The new row's HistoryID.
qint32 InsertHistoryRecord(qint32 memberId, const THistoryRecord& record);
// False when the row is gone.
bool UpdateHistoryRecord(qint32 memberId, qint32 historyId, const THistoryRecord& record);
void DeleteHistoryRecord(qint32 historyId);
