#include "expenseitem.h"

#include <algorithm>

namespace {

template <typename Entry>
bool HasEntry(const std::vector<Entry>& entries, qint32 accountId)
{
    return std::ranges::any_of(entries, [accountId](const Entry& entry) { return entry.accountId == accountId; });
}

}  // namespace

TExpenseItemForm::TExpenseItemForm(const TExpenseItemRequest& request) : memberFixed_(request.memberFixed)
{
    std::optional<TExpenseDraft> stored = request.expId != 0 ? LoadExpense(request.expId) : std::nullopt;
    if (stored) {
        draft_ = std::move(*stored);
        // With several accounts of a kind, the last one entered is shown.
        if (!draft_.insurance.empty()) {
            insurance_ = draft_.insurance.back().accountId;
            insuranceFacts_ = ReadInsuranceFacts(insurance_, draft_.memberId).value_or(TInsuranceFacts{});
        }
        if (!draft_.fsa.empty())
            fsa_ = draft_.fsa.back().accountId;
        return;
    }
    draft_.memberId = request.memberId;
    draft_.serviceDate = request.expenseDate;
}

std::optional<TExpenseRefusal> TExpenseItemForm::LeaveInformationPage(TDateTime today) const
{
    return CheckExpenseInfo(draft_, today);
}

std::optional<TExpenseRefusal> TExpenseItemForm::ChooseInsurance(qint32 accountId)
{
    if (accountId == 0) {
        insurance_ = 0;
        return std::nullopt;
    }
    // An account gone meanwhile covers nobody.
    const TInsuranceFacts facts = ReadInsuranceFacts(accountId, draft_.memberId).value_or(TInsuranceFacts{});
    if (std::optional<TExpenseRefusal> refusal = CheckInsuranceChoice(facts, ExpenseDate()))
        return refusal;
    insurance_ = accountId;
    insuranceFacts_ = facts;
    return std::nullopt;
}

TInsuranceBoxes TExpenseItemForm::InsuranceShown() const
{
    TInsuranceBoxes shown;
    if (insurance_ == 0)
        return shown;
    for (const TInsuranceEntry& entry : draft_.insurance)
        if (entry.accountId == insurance_)
            shown = {entry.amount, entry.deductible};
    if (!insuranceFacts_.hasDeductible)
        shown.deductible = 0;
    return shown;
}

std::optional<TExpenseRefusal> TExpenseItemForm::EnterPayment(TAmountBox cents)
{
    if (!cents && !HasEntry(draft_.insurance, insurance_))
        return std::nullopt;
    if (std::optional<TExpenseRefusal> refusal = CheckInsuranceAmount(insurance_ != 0))
        return refusal;
    SetInsurancePayment(draft_, insurance_, cents.value_or(0));
    return std::nullopt;
}

std::optional<TExpenseRefusal> TExpenseItemForm::EnterDeductible(TAmountBox cents)
{
    if (!cents && !HasEntry(draft_.insurance, insurance_))
        return std::nullopt;
    if (std::optional<TExpenseRefusal> refusal = CheckDeductible(insurance_ != 0, insuranceFacts_, cents.value_or(0)))
        return refusal;
    SetInsuranceDeductible(draft_, insurance_, cents.value_or(0));
    return std::nullopt;
}

bool TExpenseItemForm::FsaElected(qint32 accountId) const
{
    // Without a date there is no tax year to hold the FSA to.
    if (ExpenseDate() == 0.0)
        return true;
    return ElectedFsaAccounts(DecodeDate(ExpenseDate()).year).contains(accountId);
}

std::optional<TExpenseRefusal> TExpenseItemForm::ChooseFsa(qint32 accountId)
{
    if (accountId == 0) {
        fsa_ = 0;
        return std::nullopt;
    }
    if (std::optional<TExpenseRefusal> refusal = CheckFsaChoice(FsaElected(accountId)))
        return refusal;
    fsa_ = accountId;
    return std::nullopt;
}

TAmountBox TExpenseItemForm::FsaShown() const
{
    for (const TFsaEntry& entry : draft_.fsa)
        if (fsa_ != 0 && entry.accountId == fsa_)
            return entry.amount;
    return std::nullopt;
}

std::optional<TExpenseRefusal> TExpenseItemForm::EnterReimbursement(TAmountBox cents)
{
    if (fsa_ != 0 && cents.value_or(0) != 0 && !FsaElected(fsa_)) {
        fsa_ = 0;
        return CheckFsaChoice(false);
    }
    return TakeReimbursement(cents);
}

std::optional<TExpenseRefusal> TExpenseItemForm::TakeReimbursement(TAmountBox cents)
{
    if (!cents && !HasEntry(draft_.fsa, fsa_))
        return std::nullopt;
    if (std::optional<TExpenseRefusal> refusal = CheckReimbursement(fsa_ != 0, true))
        return refusal;
    SetFsaReimbursement(draft_, fsa_, cents.value_or(0));
    return std::nullopt;
}

std::optional<TExpenseRefusal> TExpenseItemForm::TakeAccountBoxes(const TAccountBoxes& shown)
{
    // A plan that lost its deductible after the expense was stored shows 0
    // over the deductible it counted then, which stays unless typed over. A
    // plan given no amounts yet has none to keep: its 0 is taken, as before.
    const bool deductibleAsShown = !shown.deductibleTyped && HasEntry(draft_.insurance, insurance_) &&
                                   shown.deductible == InsuranceShown().deductible;
    // Each box on its own, as if each were left in turn: one refused keeps
    // none of the others from being taken.
    const std::optional<TExpenseRefusal> refusals[] = {
        EnterPayment(shown.payment), deductibleAsShown ? std::nullopt : EnterDeductible(shown.deductible),
        TakeReimbursement(shown.reimbursement)};
    for (const std::optional<TExpenseRefusal>& refusal : refusals)
        if (refusal)
            return refusal;
    return std::nullopt;
}

void TExpenseItemForm::ShowAccount(qint32 accountId)
{
    if (HasEntry(draft_.fsa, accountId)) {
        fsa_ = accountId;
        return;
    }
    insurance_ = accountId;
    insuranceFacts_ = ReadInsuranceFacts(accountId, draft_.memberId).value_or(TInsuranceFacts{});
}

TFinishResult TExpenseItemForm::Finish()
{
    // Every account given an amount keeps it, whatever the boxes show last:
    // an account is left unchosen only by a refusal, which must not drop the
    // amounts of the others unseen.
    const TFinishResult result = FinishExpense(draft_);
    if (!result.refusal) {
        draft_.expId = result.expId;
        draft_.docAddrId = result.docAddrId;
    }
    return result;
}
