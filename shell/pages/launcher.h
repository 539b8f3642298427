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
    Payment,         // the payments page's add or edit of one payment
    PaymentCategory, // the payments page's choice of view
};

struct TDialogRequest {
    // The insurance and FSA dialogs: a new account, else the one of CurAccountID.
    bool isNew = false;
    // The payments page's dialogs: the view it shows (patient, insurer and
    // coverage, 0 for all), which the payment dialog offers first.
    qint32 payPatient = 0;
    qint32 payCompany = 0;
    qint32 payCoverage = 0;
    // The payment dialog: the payment to edit, 0 for a new one, and the year shown.
    qint32 paymentId = 0;
    int statementYear = 0;
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
    // The payments' category, unless cancelled: the view chosen and the page's
    // text for it.
    qint32 payPatient = 0;
    qint32 payCompany = 0;
    qint32 payCoverage = 0;
    QString payFilterText;
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
