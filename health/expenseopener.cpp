#include "expenseopener.h"

#include <stdexcept>

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
    throw std::logic_error("The expense dialog is not part of this build yet.");
}

void SetFixedMemberExpenseOpener(TFixedExpenseOpener opener)
{
    InstalledOpener() = std::move(opener);
}
