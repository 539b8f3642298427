#pragma once
// What the expenses of one calendar year took from an account: the split
// rows of the account whose expense lies in the year, read with their
// expense in one statement. Split rows whose expense is gone count nowhere.
// Sums are whole cents; raises EDatabaseError when the database fails.
#include "records/common/currencytext.h"

#include <QString>
#include <vector>

// One member's share of an insurance account's year, in the order the
// member first occurs among the account's split rows.
struct TMemberSpending {
    qint32 memberId = 0;
    QString firstName;   // empty when the member row is gone
    TCentsSum spent;
    TCentsSum deductiblePaid;
};

std::vector<TMemberSpending> SumAccountSpending(qint32 accountId, int year);
// What an FSA reimbursed for the expenses of the year.
TCentsSum FsaReimbursed(qint32 accountId, int year);
