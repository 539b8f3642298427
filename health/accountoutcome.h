#pragma once
// How an insurance or FSA dialog was left, for the page that opened it.
#include "platform/ui/cursor.h"

#include <QString>

struct TAccountOutcome {
    // A new account needs a member to cover: the dialog was not shown.
    bool noMembers = false;
    bool cancelled = false;
    // An Apply saved an account before the dialog was left.
    bool applied = false;
    // The name the dialog saved last; empty when it saved none.
    QString savedAccountName;
};

// Creates an insurance or FSA dialog under the hourglass, for a new account
// or the one of CurAccountID, shows it modally and frees it. A new account
// is refused while the household has no member.
template <class TAccountDialog>
TAccountOutcome ShowAccountDialog(bool isNewAccount)
{
    const auto dialog = MakeUnderHourglass<TAccountDialog>(isNewAccount);
    if (isNewAccount && dialog->MemberCount() == 0)
        return TAccountOutcome{true, true, false, {}};
    dialog->exec();
    return TAccountOutcome{false, dialog->Cancelled(), dialog->AppliedOnce(), dialog->SavedAccountName()};
}
