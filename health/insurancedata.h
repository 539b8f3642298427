#pragma once
// The insurance account's rows: the MEDINS row read into the dialog's entry
// and written back, and the members it covers (MEDCOVER). Every routine
// raises EDatabaseError when the database fails; user text is bound.
#include "expensedata.h"
#include "insuranceentry.h"

#include <optional>
#include <vector>

// The business category of insurers (shared with doctors and hospitals).
inline constexpr qint32 kInsurerCategory = 5;

// Number of members in the household.
int CountMembers();

// Empty when the account has no row.
std::optional<TInsurancePlan> LoadInsuranceAccount(qint32 accountId);
// Writes a new account with the members it covers, in one transaction; an
// insurer's name that names no business of the category becomes one. The
// new AccountID.
qint32 InsertInsuranceAccount(TInsurancePlan entry, const std::vector<qint32>& coveredMembers);
// Rewrites the account's row, the insurer resolved as for an insert, and
// makes its cover the members given, in one transaction; raises
// EDatabaseError when the row is gone.
void UpdateInsuranceAccount(qint32 accountId, TInsurancePlan entry, const std::vector<qint32>& coveredMembers);

// The covered members by first name; rows whose member is gone are left out.
std::vector<TKeyedItem> ReadCoveredMembers(qint32 accountId);
// Every member not among the covered ones, told apart by key (two members
// may share a first name).
std::vector<TKeyedItem> ReadMemberChoices(const std::vector<qint32>& coveredMembers);
void AddCoveredMembers(qint32 accountId, const std::vector<qint32>& memberIds);
void RemoveCoveredMembers(qint32 accountId, const std::vector<qint32>& memberIds);
