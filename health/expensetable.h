#pragma once
// The rows of the medical-expense table: one calendar year's expenses of the
// household or of one member, their sums, and their order by a clicked
// column. Every amount is held, summed and compared in whole cents.
#include "expensedata.h"
#include "platform/datetime.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

struct TExpenseRow {
    qint32 expId = 0;
    TDateTime serviceDate = 0;
    QString firstName;   // the patient; empty when the member row is gone
    // Nothing for an amount too big to show.
    std::optional<qint64> totalCents;
    std::optional<qint64> insFsaCents;   // total less out of pocket
    std::optional<qint64> outOfPocketCents;
    QString description;
    QString doctor;
};

enum class TExpenseColumn { Date, Patient, Total, InsuranceFsa, OutOfPocket, Description, Provider };
inline constexpr int kExpenseColumns = 7;

// The texts of one list row, Date to Service Provider, as the list and the
// printout show them.
using TExpenseRowTexts = std::array<QString, kExpenseColumns>;

class TExpenseTable {
public:
    static constexpr int kFirstYear = 1997;

    int Year() const { return year_; }
    void SetYear(int year) { year_ = year; }
    // Nothing for every member.
    std::optional<qint32> MemberId() const { return memberId_; }
    void SetMemberId(std::optional<qint32> memberId) { memberId_ = memberId; }

    // Reads the rows of the year and member from the data folder, in the
    // order they were entered; a sort by column is dropped.
    void Refill();
    // A click on a column header: every click but one on "Patient" counts,
    // and an odd count sorts descending. Rows of one value keep the order
    // they were read in.
    void ColumnClicked(TExpenseColumn column);
    int SortClicks() const { return sortClicks_; }
    // Deletes the expense of a shown row with what depends on it, then
    // refills.
    void DeleteRow(size_t row);

    const std::vector<TExpenseRow>& Rows() const { return rows_; }
    TExpenseRowTexts RowTexts(size_t row) const;
    // The year's sums; nothing when too big to show.
    std::optional<qint64> TotalCents() const;
    std::optional<qint64> OutOfPocketCents() const;
    QString TotalText() const;
    QString OutOfPocketText() const;

private:
    void SortBy(TExpenseColumn column, bool descending);

    int year_ = kFirstYear;
    std::optional<qint32> memberId_;
    int sortClicks_ = 0;
    std::vector<TExpenseRow> read_;   // in the order read
    std::vector<TExpenseRow> rows_;   // as shown
};

// The question asked before a row is deleted.
QString ExpenseDeletePrompt(const QString& dateText);
