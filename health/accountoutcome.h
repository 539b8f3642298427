#pragma once
// How an insurance or FSA dialog was left, for the page that opened it.
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
