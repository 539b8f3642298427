#pragma once
// How a check-up or vaccine record attaches an expense: the expense dialog
// opened for the record's member and date, with the member fixed and the
// first page skipped. Record dialogs go through here so their tests can
// answer in the dialog's place.
#include "platform/datetime.h"

#include <QtGlobal>
#include <functional>

class QWidget;

struct TFixedExpenseRequest {
    qint32 expId = 0;              // 0: a new expense
    qint32 memberId = 0;
    TDateTime expenseDate = 0.0;   // the date entered in the record
};

struct TFixedExpenseOutcome {
    // The expense written, or the one given: Cancel in the expense dialog
    // changes nothing stored, so the record keeps what it has.
    qint32 expId = 0;
};

using TFixedExpenseOpener = std::function<TFixedExpenseOutcome(QWidget* parent, const TFixedExpenseRequest&)>;

// Shows the expense dialog modally for the request and returns what the
// record reads back.
TFixedExpenseOutcome OpenFixedMemberExpense(QWidget* parent, const TFixedExpenseRequest& request);

// Tests answer in the dialog's place; an empty opener gives the dialog back.
void SetFixedMemberExpenseOpener(TFixedExpenseOpener opener);
