#pragma once
// The arithmetic of one medical expense and the checks that guard its
// saving, over the expense as it is being edited. Every amount is a whole
// number of cents: sums and comparisons never meet binary fractions.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <set>
#include <vector>

// The split row that holds the household's own share of an expense; no
// insurance account or FSA ever has this key.
constexpr qint32 kOwnShareAccountID = 1;

struct TInsuranceEntry {
    qint32 accountId = 0;
    qint64 amount = 0;       // the insurance payment
    qint64 deductible = 0;   // counted against the account's deductible
    friend bool operator==(const TInsuranceEntry&, const TInsuranceEntry&) = default;
};

struct TFsaEntry {
    qint32 accountId = 0;
    qint64 amount = 0;       // the reimbursement
    friend bool operator==(const TFsaEntry&, const TFsaEntry&) = default;
};

// One expense as the dialog holds it until Finish.
struct TExpenseDraft {
    qint32 expId = 0;        // 0: not yet stored
    qint32 memberId = 0;     // 0: no member chosen
    TDateTime serviceDate = 0.0;
    QString description;
    QString doctor;
    qint32 docAddrId = 0;
    qint32 checkupId = 0;    // written into a new row only
    QStringList note;
    qint64 officePaid = 0;
    qint64 mailPaid = 0;
    // At most one entry per account, in the order the accounts were first
    // given an amount.
    std::vector<TInsuranceEntry> insurance;
    std::vector<TFsaEntry> fsa;
    // The split rows of accounts deleted since they were written: not
    // offered for editing, but written back and counted as they were.
    std::vector<TInsuranceEntry> keptInsurance;
    std::vector<TFsaEntry> keptFsa;
};

// Give an account an amount: its entry changes, or a new one goes last.
void SetInsurancePayment(TExpenseDraft& draft, qint32 accountId, qint64 amount);
void SetInsuranceDeductible(TExpenseDraft& draft, qint32 accountId, qint64 deductible);
void SetFsaReimbursement(TExpenseDraft& draft, qint32 accountId, qint64 amount);

// Office plus mail payment plus every insurance payment; reimbursements are
// not part of the total.
qint64 ExpenseTotal(const TExpenseDraft& draft);
// Office plus mail payment less the reimbursements of the FSAs that have an
// election for the expense's year (`electedFsa`).
qint64 OutOfPocket(const TExpenseDraft& draft, const std::set<qint32>& electedFsa);

struct TSplitRow {
    qint32 accountId = 0;
    qint64 amount = 0;
    std::optional<qint64> deductible;   // FSA and own-share rows have none
    friend bool operator==(const TSplitRow&, const TSplitRow&) = default;
};

// The money columns of the expense row and the split rows, all taken from
// the same entries, so that the stored totals always agree with the rows.
struct TExpenseSplits {
    qint64 total = 0;
    qint64 outOfPocket = 0;
    qint64 insFsaPaid = 0;
    // What the counted reimbursements of deleted FSAs come to.
    qint64 keptReimbursed = 0;
    // The own share first, then the insurance entries, then the FSA entries.
    std::vector<TSplitRow> rows;
};
TExpenseSplits ComputeSplits(const TExpenseDraft& draft, const std::set<qint32>& electedFsa);

// The control a refusal sends the user back to.
enum class TExpenseField { Description, Date, Member, Office, Mail, Insurance, Payment, Deductible, Fsa, Reimbursement };

struct TExpenseRefusal {
    TExpenseField field;
    QString message;
    // The account whose amounts are at fault, to be shown in its box; 0 for
    // none.
    qint32 accountId = 0;
    friend bool operator==(const TExpenseRefusal&, const TExpenseRefusal&) = default;
};

// The checks before the amounts page, in their order; `today` is a date.
std::optional<TExpenseRefusal> CheckExpenseInfo(const TExpenseDraft& draft, TDateTime today);
// No amount of the expense may be below 0; the split rows of deleted
// accounts are written back as they were, unchecked.
std::optional<TExpenseRefusal> CheckNoNegativeAmount(const TExpenseDraft& draft);
// The check at Finish: reimbursements may not exceed what was paid. The
// boxes do not show what deleted FSAs reimbursed, so the message tells it.
std::optional<TExpenseRefusal> CheckFinish(const TExpenseSplits& splits);

// What the amounts page knows of an insurance account the user chooses.
struct TInsuranceFacts {
    bool coversMember = false;
    TDateTime effectiveDate = 0.0;   // 0: none given
    bool hasDeductible = true;
};

// The checks as the account boxes are used; `accountChosen` tells whether
// the box holds an account when an amount is entered.
std::optional<TExpenseRefusal> CheckInsuranceChoice(const TInsuranceFacts& facts, TDateTime expenseDate);
std::optional<TExpenseRefusal> CheckInsuranceAmount(bool accountChosen);
std::optional<TExpenseRefusal> CheckDeductible(bool accountChosen, const TInsuranceFacts& facts, qint64 deductible);
// `elected`: the FSA has an election for the expense's year.
std::optional<TExpenseRefusal> CheckFsaChoice(bool elected);
std::optional<TExpenseRefusal> CheckReimbursement(bool accountChosen, bool elected);

// The payments Finish holds to the accounts' rules: every one, unless the
// expense keeps the date and patient it is stored with (`stored`: none for a
// new expense); then only those changed since. The others obeyed the rules
// when they were entered, and an account changed since (a member no longer
// covered, an election withdrawn) must not keep the user from editing the
// expense.
TExpenseDraft PaymentsToHold(const TExpenseDraft& draft, const std::optional<TExpenseDraft>& stored);

// The facts of an insurance account; nothing for one that is gone.
using TInsuranceFactsOf = std::function<std::optional<TInsuranceFacts>(qint32 accountId)>;
// An account's name as its box shows it.
using TAccountNameOf = std::function<QString(qint32 accountId)>;
// The check at Finish that every account's payment or reimbursement still
// obeys the rules of choosing that account, for the date and the patient
// finally stored (`electedFsa`: the FSAs with an election for that date's
// year): the first that does not, refused with the rule's message followed
// by the account's name and amount. An amount of 0 pays nothing, and what
// deleted accounts paid is not held to any rule.
std::optional<TExpenseRefusal> CheckAccountsFit(const TExpenseDraft& draft, const TInsuranceFactsOf& factsOf,
                                                const std::set<qint32>& electedFsa, const TAccountNameOf& nameOf);
