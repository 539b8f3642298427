#pragma once
// The yearly statement of the payments page: the payments of a year for the
// chosen patient, coverage and insurer, and their totals in whole cents.
#include "platform/datetime.h"

#include <QString>
#include <optional>
#include <vector>

// The view of the payments page. It outlives the page, so reopening the page
// shows the same view; the year starts at 1997 each time the program starts.
struct TPayFilter {
    qint32 patient = 0;   // MEDPAY.UserID; 0 all members, negative shows nothing
    qint32 company = 0;   // MEDPAY.InsuranceID; 0 all
    qint32 coverage = 0;  // MEDPAY.InsuranceType 1-4; 0 all plans
};
extern TPayFilter PayFilter;
extern qint16 PayStatementYear;

// The year the page shows: the statement year, the current year when it is 0.
qint16 StatementYearShown(TDateTime today);

// One payment as the page lists it.
struct TStatementRow {
    qint32 medId = 0;
    QString date;
    QString provider;
    QString total;
    QString insurance;
    QString outOfPocket;
};

// Each total in whole cents; none when it no longer fits.
struct TStatementTotals {
    std::optional<qint64> total = 0;
    std::optional<qint64> insurance = 0;
    std::optional<qint64> outOfPocket = 0;
};

struct TStatement {
    std::vector<TStatementRow> rows;
    TStatementTotals totals;
};

// The payments of the year by service date; nothing for a negative patient.
TStatement LoadStatement(const TPayFilter& filter, int year);

// A total above 10,000,000.00 (or past counting) does not fit its box.
bool TotalTooBig(const std::optional<qint64>& cents);
// The information shown before each total that does not fit: 0 charged,
// 1 insurance, 2 out of pocket.
QString TotalTooBigText(int column);

// The filter's text: "All" when nothing narrows the view, else the patient
// (or "All members"), ", " and the coverage, "@" and the company when named;
// cut to 35 characters and "....".
QString FilterText(bool allFirst, const QString& patient, qint32 coverage, const QString& company);
// The same for a filter, names read from the database.
QString FilterTextOf(const TPayFilter& filter);
