#pragma once
// The plan report: the terms of chosen insurance accounts and the yearly
// elections of chosen FSAs, written as labelled rows of the report scratch
// table and previewed through the medical-record report form.
#include "expensedata.h"

#include <QString>
#include <vector>

// One row: the group heading, the caption (Column1) and the value (Column3).
struct TPlanRow {
    QString category;
    QString caption;
    QString value;
    friend bool operator==(const TPlanRow&, const TPlanRow&) = default;
};

// The rows of an insurance account; none when it has no row.
std::vector<TPlanRow> InsurancePlanRows(qint32 accountId);
// The rows of an FSA's elections, headed "FSA with " and the list's text.
std::vector<TPlanRow> FsaPlanRows(const TKeyedItem& fsa);
// "First Middle Last; " for each covered member.
QString CoveredMembersText(qint32 accountId);

// The accounts chosen: a kind whose box is not ticked adds nothing.
struct TPlanChoice {
    bool insurance = false;
    std::vector<qint32> insuranceIds;
    bool fsas = false;
    std::vector<TKeyedItem> fsaItems;
};

// Empties the scratch table and writes the rows of the chosen accounts, in
// one transaction.
void FillPlanReport(const TPlanChoice& choice);
// Fills the table and shows the report in the preview; returns when the
// preview window has closed.
void PrintPlanReport(const TPlanChoice& choice);
