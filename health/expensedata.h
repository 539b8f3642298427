#pragma once
// Reading one stored expense into the form the dialog edits, and writing a
// Finish: the expense row and all its split rows together, or nothing.
// Every routine raises EDatabaseError when the database fails; user text is
// bound.
#include "expensemath.h"

#include <QString>
#include <optional>
#include <vector>

// An item of the dialog's member and account boxes: the key and the text.
struct TKeyedItem {
    qint32 key = 0;
    QString text;
    friend bool operator==(const TKeyedItem&, const TKeyedItem&) = default;
};
// Every member by first name, in the order added; the key tells two of one name apart.
std::vector<TKeyedItem> ReadExpenseMembers();
// Insurance accounts, the name followed by the kind ("Plan(Dental)").
std::vector<TKeyedItem> ReadInsuranceAccounts();
std::vector<TKeyedItem> ReadFsaAccounts();
// With no account and no expense at all, the dialog gives its advice once.
bool ExpenseTableEmpty();

// Empty when the expense has no row. The member and the accounts are taken
// by their keys; split rows of deleted accounts are kept aside, and split
// rows of accounts of no insurance or FSA kind are left out, as they count in
// no sum.
std::optional<TExpenseDraft> LoadExpense(qint32 expId);

// The FSAs with an election for the year: only their reimbursements reduce
// the out-of-pocket amount of an expense of that year.
std::set<qint32> ElectedFsaAccounts(int year);

// The coverage of the member, the effective date and whether the account
// has a deductible (an individual deductible of -1 means none). Empty when
// the account has no row.
std::optional<TInsuranceFacts> ReadInsuranceFacts(qint32 accountId, qint32 memberId);

// The checks of Finish, in their order, with the accounts, coverage and
// elections as stored (`stored`: the expense as it is stored now, none for a
// new one): the refusal, or the sums and split rows the expense takes.
struct TExpenseVerdict {
    std::optional<TExpenseRefusal> refusal;
    TExpenseSplits splits;
};
TExpenseVerdict JudgeExpense(const TExpenseDraft& draft, const std::optional<TExpenseDraft>& stored);

// The sums and split rows of a stored expense computed afresh, as Finish
// writes them: a reimbursement counts only in a year of its FSA's election,
// so an expense its record moved to another year may take other sums.
void RestateExpenseSums(qint32 expId);

struct TFinishResult {
    std::optional<TExpenseRefusal> refusal;   // set: nothing was written
    qint32 expId = 0;
    qint32 docAddrId = 0;
    TExpenseSplits splits;
};

// Saves the expense in one transaction: a new one (expId 0) is inserted
// under a new key, a stored one updated with its split rows replaced. A
// doctor's name that names no business of the doctors' category becomes a
// new business row. Amounts below 0 and parts of accounts that the expense's date or
// patient no longer allows are refused. A refused Finish writes nothing; so
// does a failing one.
TFinishResult FinishExpense(TExpenseDraft draft);
