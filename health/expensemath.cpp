#include "expensemath.h"

#include "records/common/currencytext.h"

#include <algorithm>

namespace {

template <typename Entry>
Entry& EntryOf(std::vector<Entry>& entries, qint32 accountId)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [accountId](const Entry& e) { return e.accountId == accountId; });
    if (found != entries.end())
        return *found;
    entries.push_back(Entry{accountId});
    return entries.back();
}

}  // namespace

void SetInsurancePayment(TExpenseDraft& draft, qint32 accountId, qint64 amount)
{
    EntryOf(draft.insurance, accountId).amount = amount;
}

void SetInsuranceDeductible(TExpenseDraft& draft, qint32 accountId, qint64 deductible)
{
    EntryOf(draft.insurance, accountId).deductible = deductible;
}

void SetFsaReimbursement(TExpenseDraft& draft, qint32 accountId, qint64 amount)
{
    EntryOf(draft.fsa, accountId).amount = amount;
}

qint64 ExpenseTotal(const TExpenseDraft& draft)
{
    qint64 total = draft.officePaid + draft.mailPaid;
    for (const auto* entries : {&draft.insurance, &draft.keptInsurance})
        for (const TInsuranceEntry& entry : *entries)
            total += entry.amount;
    return total;
}

qint64 OutOfPocket(const TExpenseDraft& draft, const std::set<qint32>& electedFsa)
{
    qint64 own = draft.officePaid + draft.mailPaid;
    for (const auto* entries : {&draft.fsa, &draft.keptFsa})
        for (const TFsaEntry& entry : *entries)
            if (electedFsa.contains(entry.accountId))
                own -= entry.amount;
    return own;
}

TExpenseSplits ComputeSplits(const TExpenseDraft& draft, const std::set<qint32>& electedFsa)
{
    TExpenseSplits splits;
    splits.total = ExpenseTotal(draft);
    splits.outOfPocket = OutOfPocket(draft, electedFsa);
    splits.insFsaPaid = splits.total - splits.outOfPocket;
    for (const TFsaEntry& entry : draft.keptFsa)
        if (electedFsa.contains(entry.accountId))
            splits.keptReimbursed += entry.amount;
    splits.rows.push_back({kOwnShareAccountID, splits.outOfPocket, std::nullopt});
    for (const auto* entries : {&draft.insurance, &draft.keptInsurance})
        for (const TInsuranceEntry& entry : *entries)
            splits.rows.push_back({entry.accountId, entry.amount, entry.deductible});
    for (const auto* entries : {&draft.fsa, &draft.keptFsa})
        for (const TFsaEntry& entry : *entries)
            splits.rows.push_back({entry.accountId, entry.amount, std::nullopt});
    return splits;
}

std::optional<TExpenseRefusal> CheckExpenseInfo(const TExpenseDraft& draft, TDateTime today)
{
    if (draft.description.trimmed().isEmpty())
        return TExpenseRefusal{TExpenseField::Description, QStringLiteral("Please enter the \"Description\" field.")};
    if (draft.serviceDate == 0.0)
        return TExpenseRefusal{TExpenseField::Date, QStringLiteral("Please fill in the expense date.")};
    if (draft.memberId == 0)
        return TExpenseRefusal{TExpenseField::Member,
                               QStringLiteral("Please select one member who expenses this amount.")};
    if (DateOf(draft.serviceDate) > DateOf(today))
        return TExpenseRefusal{TExpenseField::Date,
                               QStringLiteral("The expense date can't be the future. Please enter again.")};
    return std::nullopt;
}

namespace {

TExpenseRefusal Negative(TExpenseField field, const char* what, qint32 accountId = 0)
{
    return {field, QStringLiteral("Does not allow negative amount for the %1.").arg(QLatin1String(what)), accountId};
}

}  // namespace

std::optional<TExpenseRefusal> CheckNoNegativeAmount(const TExpenseDraft& draft)
{
    if (draft.officePaid < 0)
        return Negative(TExpenseField::Office, "payment at the doctor's office");
    if (draft.mailPaid < 0)
        return Negative(TExpenseField::Mail, "bill paid by mail");
    for (const TFsaEntry& entry : draft.fsa)
        if (entry.amount < 0)
            return Negative(TExpenseField::Reimbursement, "reimbursed amount", entry.accountId);
    for (const TInsuranceEntry& entry : draft.insurance) {
        if (entry.amount < 0)
            return Negative(TExpenseField::Payment, "insurance payment", entry.accountId);
        if (entry.deductible < 0)
            return Negative(TExpenseField::Deductible, "deductible amount", entry.accountId);
    }
    return std::nullopt;
}

std::optional<TExpenseRefusal> CheckFinish(const TExpenseSplits& splits)
{
    if (splits.outOfPocket >= 0)
        return std::nullopt;
    TExpenseRefusal refusal{TExpenseField::Reimbursement,
                            QStringLiteral("The reimburst amount from your FSA should be less than or equal to your "
                                           "payment.")};
    if (splits.keptReimbursed != 0)
        refusal.message += QStringLiteral("\nReimbursement kept from a deleted FSA: %1")
                               .arg(CurrencyTextOfCents(splits.keptReimbursed));
    return refusal;
}

namespace {

TExpenseRefusal NoInsuranceChosen()
{
    return {TExpenseField::Insurance, QStringLiteral("Please select Insurance account first.")};
}

TExpenseRefusal WrongTaxYear()
{
    return {TExpenseField::Fsa, QStringLiteral("The tax-year is different. This FSA can not apply to this expense")};
}

TExpenseRefusal NotCovered()
{
    return {TExpenseField::Insurance, QStringLiteral("The member isn't covered by this insurance.Please pick another one.")};
}

// The rule's message, then which account's part breaks it.
TExpenseRefusal PartRefused(TExpenseRefusal rule, qint32 accountId, const QString& part)
{
    rule.message += QLatin1Char('\n') + part;
    rule.accountId = accountId;
    return rule;
}

QString InsurancePart(const QString& name, const TInsuranceEntry& entry)
{
    QString part = QStringLiteral("Payment of %1: %2").arg(name, CurrencyTextOfCents(entry.amount));
    if (entry.deductible != 0)
        part += QStringLiteral(", deductible %1").arg(CurrencyTextOfCents(entry.deductible));
    return part;
}

}  // namespace

std::optional<TExpenseRefusal> CheckInsuranceChoice(const TInsuranceFacts& facts, TDateTime expenseDate)
{
    if (!facts.coversMember)
        return NotCovered();
    if (DateOf(facts.effectiveDate) > DateOf(expenseDate))
        return TExpenseRefusal{TExpenseField::Insurance,
                               QStringLiteral("The effective date of the insurance is later then the date of the expense.")};
    return std::nullopt;
}

std::optional<TExpenseRefusal> CheckInsuranceAmount(bool accountChosen)
{
    if (!accountChosen)
        return NoInsuranceChosen();
    return std::nullopt;
}

std::optional<TExpenseRefusal> CheckDeductible(bool accountChosen, const TInsuranceFacts& facts, qint64 deductible)
{
    if (!accountChosen)
        return NoInsuranceChosen();
    if (!facts.hasDeductible && deductible != 0)
        return TExpenseRefusal{TExpenseField::Deductible,
                               QStringLiteral("This account is no deductible.The deductible amount should be zero.")};
    return std::nullopt;
}

std::optional<TExpenseRefusal> CheckFsaChoice(bool elected)
{
    if (!elected)
        return WrongTaxYear();
    return std::nullopt;
}

std::optional<TExpenseRefusal> CheckReimbursement(bool accountChosen, bool elected)
{
    if (!accountChosen)
        return TExpenseRefusal{TExpenseField::Fsa, QStringLiteral("Please select Flexible Spending Account first.")};
    return CheckFsaChoice(elected);
}

TExpenseDraft PaymentsToHold(const TExpenseDraft& draft, const std::optional<TExpenseDraft>& stored)
{
    if (!stored || DateOf(stored->serviceDate) != DateOf(draft.serviceDate) || stored->memberId != draft.memberId)
        return draft;
    TExpenseDraft changed = draft;
    std::erase_if(changed.insurance, [&](const TInsuranceEntry& entry) { return std::ranges::count(stored->insurance, entry) > 0; });
    std::erase_if(changed.fsa, [&](const TFsaEntry& entry) { return std::ranges::count(stored->fsa, entry) > 0; });
    return changed;
}

std::optional<TExpenseRefusal> CheckAccountsFit(const TExpenseDraft& draft, const TInsuranceFactsOf& factsOf,
                                                const std::set<qint32>& electedFsa, const TAccountNameOf& nameOf)
{
    for (const TFsaEntry& entry : draft.fsa)
        if (entry.amount != 0 && !electedFsa.contains(entry.accountId))
            return PartRefused(WrongTaxYear(), entry.accountId,
                               QStringLiteral("Reimbursement of %1: %2")
                                   .arg(nameOf(entry.accountId), CurrencyTextOfCents(entry.amount)));
    for (const TInsuranceEntry& entry : draft.insurance) {
        if (entry.amount == 0 && entry.deductible == 0)
            continue;
        const std::optional<TInsuranceFacts> facts = factsOf(entry.accountId);
        if (!facts)
            continue;
        if (std::optional<TExpenseRefusal> rule = CheckInsuranceChoice(*facts, draft.serviceDate))
            return PartRefused(*rule, entry.accountId, InsurancePart(nameOf(entry.accountId), entry));
    }
    return std::nullopt;
}
