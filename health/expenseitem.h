#pragma once
// The work of the expense dialog without its widgets: the expense as the
// user edits it, held whole until Finish, the account chosen in each of the
// two account boxes, and the checks each choice and amount passes. Nothing is
// written before Finish, so leaving the dialog any other way changes nothing.
// Routines that read raise EDatabaseError.
#include "expensedata.h"
#include "expensemath.h"

#include <optional>

// How an opener asks for the dialog.
struct TExpenseItemRequest {
    // Opened from a check-up or vaccine record: the member and the date are
    // the record's, and the first page is skipped.
    bool memberFixed = false;
    qint32 expId = 0;              // 0: a new expense
    qint32 memberId = 0;           // the record's member
    TDateTime expenseDate = 0.0;   // the record's date
};

// What an amount box shows; nothing for an empty box.
using TAmountBox = std::optional<qint64>;

struct TInsuranceBoxes {
    TAmountBox payment;
    TAmountBox deductible;
};

// What the three account boxes show.
struct TAccountBoxes {
    TAmountBox payment;
    TAmountBox deductible;
    TAmountBox reimbursement;
    // Whether the deductible box holds what the user typed there since its
    // amount was last taken, not only what the dialog showed.
    bool deductibleTyped = false;
};

class TExpenseItemForm {
public:
    // Reads the stored expense; one that is no longer stored is taken as a
    // new one for the request's member and date.
    explicit TExpenseItemForm(const TExpenseItemRequest& request);

    bool MemberFixed() const { return memberFixed_; }
    bool IsNew() const { return draft_.expId == 0; }
    TExpenseDraft& Draft() { return draft_; }
    const TExpenseDraft& Draft() const { return draft_; }

    // The date the amounts page checks accounts against: the record's, the
    // stored one, or the date entered on the first page when it was left.
    TDateTime ExpenseDate() const { return draft_.serviceDate; }
    // The checks of the first page, in their order; passed, the draft's date
    // is the expense date.
    std::optional<TExpenseRefusal> LeaveInformationPage(TDateTime today) const;

    // The account now chosen in each box, 0 for none.
    qint32 ChosenInsurance() const { return insurance_; }
    qint32 ChosenFsa() const { return fsa_; }

    // An account chosen (0: none). Refused: the account chosen before stays
    // chosen with its amounts, so that what the boxes showed is what Finish
    // saves.
    std::optional<TExpenseRefusal> ChooseInsurance(qint32 accountId);
    // The payment and deductible held for the chosen account; an account
    // without a deductible shows 0.
    TInsuranceBoxes InsuranceShown() const;
    // An emptied box takes the account's amount back to 0; an empty box of
    // an account that has no amounts enters nothing.
    std::optional<TExpenseRefusal> EnterPayment(TAmountBox cents);
    std::optional<TExpenseRefusal> EnterDeductible(TAmountBox cents);

    // The same for the FSA box.
    std::optional<TExpenseRefusal> ChooseFsa(qint32 accountId);
    TAmountBox FsaShown() const;
    // Refused for the wrong tax year: no FSA stays chosen. A reimbursement
    // of 0 has no tax year to be held to.
    std::optional<TExpenseRefusal> EnterReimbursement(TAmountBox cents);

    // The account boxes as Finish finds them, each taken or refused as
    // leaving it would, whether or not its exit has run; the first refusal.
    // The reimbursement is not held to the tax year here: Finish holds every
    // account to the final date and names the one that does not fit. A
    // deductible box still showing, untyped, what the form showed for an
    // account given amounts takes nothing: the 0 of an account without a
    // deductible is no amount there.
    std::optional<TExpenseRefusal> TakeAccountBoxes(const TAccountBoxes& shown);

    // The account of a refusal chosen in its box, whatever its checks say,
    // so that the user sees the amounts at fault.
    void ShowAccount(qint32 accountId);

    // Saves the draft (the dialog puts the office and mail payments in it
    // first); the form then holds the stored expense. A refusal or a
    // database error writes nothing. Every account given an amount is saved,
    // whether or not its box still shows it.
    TFinishResult Finish();

private:
    bool FsaElected(qint32 accountId) const;
    // The FSA box without its tax-year check.
    std::optional<TExpenseRefusal> TakeReimbursement(TAmountBox cents);

    bool memberFixed_;
    TExpenseDraft draft_;
    qint32 insurance_ = 0;
    TInsuranceFacts insuranceFacts_;
    qint32 fsa_ = 0;
};
