#include "expenseopener.h"

#include "dlgmedexpitem.h"

namespace {

TFixedExpenseOpener& InstalledOpener()
{
    static TFixedExpenseOpener opener;
    return opener;
}

}  // namespace

TFixedExpenseOutcome OpenFixedMemberExpense(QWidget* parent, const TFixedExpenseRequest& request)
{
    if (InstalledOpener())
        return InstalledOpener()(parent, request);
    const TExpenseItemOutcome outcome = ShowExpenseItemDialog(
        parent, TExpenseItemRequest{.memberFixed = true,
                                    .expId = request.expId,
                                    .memberId = request.memberId,
                                    .expenseDate = request.expenseDate});
    return {outcome.expId};
}

void SetFixedMemberExpenseOpener(TFixedExpenseOpener opener)
{
    InstalledOpener() = std::move(opener);
}
