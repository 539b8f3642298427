#pragma once
// The printout of a member's medical record: the Vision section and the five
// history sections written as rows of the report scratch table, and the
// title block made from what the medical-history dialog shows, unsaved edits
// included. Date of birth and gender come from the stored member row.
#include "platform/datetime.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// What the medical-history dialog's controls hold when the user prints.
struct TMedHistPrintValues {
    qint32 memberId = 0;
    QString firstName, middleName, lastName;
    qint32 weight = 0, weightUnit = 0, height = 0, heightUnit = 0;
    QString bloodType;
    qint32 rhIndex = -1;   // 0 positive, 1 negative, -1 never chosen
    QString visionDate;    // the date field's text, empty when none
    QString visionDoctor;
    // Rows D.V.O.D., D.V.O.S., N.V.O.D., N.V.O.S.; columns spherical,
    // cylindrical, axis, prism, base.
    std::array<std::array<QString, 5>, 4> lens;
};

// Empties the report scratch table of the data folder and fills it with the
// member's record, in one transaction.
void FillMedHistReport(const TMedHistPrintValues& values);
// Fills the table, builds the report form with its title block and shows it
// in the preview; returns when the preview window has closed.
void PrintMedHistReport(const TMedHistPrintValues& values);

// The lines of the title block; an empty line is not printed.
QString MedHistNameLine(const TMedHistPrintValues& values);
QString MedHistBirthLine(TDateTime dob);   // empty for no date (0)
QString MedHistGenderLine(std::optional<qint32> sex);   // empty when unknown
QString MedHistBloodLine(const QString& bloodType);
QString MedHistRhLine(qint32 rhIndex);   // empty unless 0 or 1
QString MedHistWeightLine(qint32 weight, qint32 unit);   // empty for 0
QString MedHistHeightLine(qint32 height, qint32 unit);   // empty for 0
