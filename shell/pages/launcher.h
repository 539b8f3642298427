#pragma once
// The one place the pages open the dialogs of the health records and of the
// organizer tools. A dialog's module registers its opener when it is built;
// until then Has() is false and whatever would open it stays disabled.
// The dialogs read their context from the process-wide variables
// (CurMemberID, CurAccountID), which the caller sets first.
#include <QString>
#include <functional>

enum class TDialogID {
    NewMember,
    MedicalHistory,
    CheckupSchedule,
    ImmunizationSchedule,
    ExpenseTable,
    Insurance,
    FSA,
    InsFSAReport,
    AddressBook,     // on the doctors-and-hospitals category
    ToDoList,        // on the schedule reminders' category, with the main window's message hook
    WebLinks,        // the health links: table "hiir", captions "Internet Health Info Resources"
    EMailToDoList,
    Backup,
    Restore,
    About,
};

struct TDialogRequest {
    // The insurance and FSA dialogs: a new account, else the one of CurAccountID.
    bool isNew = false;
};

struct TDialogOutcome {
    // A new insurance or FSA needs a member to cover: the dialog was not shown.
    bool noMembers = false;
    // Left with Cancel.
    bool cancelled = false;
    // An Apply saved a member or an account before the dialog was left.
    bool applied = false;
    // The insurance and FSA dialogs: the name they saved last, empty when none.
    QString savedAccountName;
};

// Creates the dialog (under the hourglass), shows it modally and frees it.
using TDialogOpener = std::function<TDialogOutcome(const TDialogRequest&)>;

namespace Launcher {
void Register(TDialogID id, TDialogOpener opener);
void Unregister(TDialogID id);
bool Has(TDialogID id);
// A dialog without an opener: nothing happens, and the outcome says cancelled.
TDialogOutcome Open(TDialogID id, const TDialogRequest& request = {});
}  // namespace Launcher
