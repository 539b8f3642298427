#include "formabout.h"
#include "formaddrtutor.h"
#include "formhealthmain.h"
#include "formtodotutor.h"
#include "modulepages.h"
#include "context/context.h"
#include "context/navigation.h"
#include "health/dlgaddfsa.h"
#include "health/dlgchkschedule.h"
#include "health/dlgexptable.h"
#include "health/dlgmedcategory.h"
#include "health/dlgmedhist.h"
#include "health/dlgmedimmun.h"
#include "health/dlgmedpayment.h"
#include "health/dlgnewinsurance.h"
#include "health/dlgnewmedmember.h"
#include "health/filterform.h"
#include "health/schedulemember.h"
#include "organizer/dlgbizaddrbook.h"
#include "organizer/dlgemailtodolist.h"
#include "organizer/dlgiir.h"
#include "organizer/dlgnpbackup.h"
#include "organizer/dlgnprestore.h"
#include "organizer/todolistform.h"
#include "shell/pages/forminternetinfo.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/formmedpage.h"
#include "shell/pages/formmedpay.h"
#include "shell/pages/formmedtoc.h"
#include "shell/pages/launcher.h"

namespace {

// Pages that change the members tell the main window, whose go-to list and
// history name them.
template <typename Page>
Page* RefreshingGoToList(Page* page)
{
    QObject::connect(page, &Page::GoToListChanged, [] {
        if (FormHealthMain) {
            FormHealthMain->FillGoToCombo();
            FormHealthMain->UpdateHistoryButtons();
        }
    });
    return page;
}

TDialogOutcome AccountOutcome(const TAccountOutcome& left)
{
    TDialogOutcome outcome;
    outcome.noMembers = left.noMembers;
    outcome.cancelled = left.cancelled;
    outcome.applied = left.applied;
    outcome.savedAccountName = left.savedAccountName;
    return outcome;
}

}  // namespace

ModulePageTable ProgramPages()
{
    Launcher::Register(TDialogID::About, [](const TDialogRequest&) {
        ShowAboutBox();
        return TDialogOutcome{};
    });
    // The folder tree reads MemberAdded; the members page, how the dialog was left.
    Launcher::Register(TDialogID::NewMember, [](const TDialogRequest&) {
        const TNewMemberOutcome left = ShowNewMemberDialog();
        TDialogOutcome outcome;
        outcome.cancelled = left.cancelled;
        outcome.applied = left.applied;
        return outcome;
    });
    // For CurMemberID, which the page set; the page renames the member from
    // MemberFirstName, which the dialog leaves behind.
    Launcher::Register(TDialogID::MedicalHistory, [](const TDialogRequest&) {
        TDialogOutcome outcome;
        outcome.applied = ShowMedHistDialog();
        return outcome;
    });

    // The schedules are for CurMemberID, which the page set.
    Launcher::Register(TDialogID::CheckupSchedule, [](const TDialogRequest&) {
        ShowCheckupScheduleDialog();
        return TDialogOutcome{};
    });
    Launcher::Register(TDialogID::ImmunizationSchedule, [](const TDialogRequest&) {
        ShowImmunizationDialog();
        return TDialogOutcome{};
    });

    // For a new account, or CurAccountID, which the page set; the pages read
    // InsuranceSaved / FSASaved and rename the account from the name saved.
    Launcher::Register(TDialogID::Insurance, [](const TDialogRequest& request) {
        return AccountOutcome(ShowInsuranceDialog(request.isNew));
    });
    Launcher::Register(TDialogID::FSA, [](const TDialogRequest& request) {
        return AccountOutcome(ShowFsaDialog(request.isNew));
    });
    Launcher::Register(TDialogID::InsFSAReport, [](const TDialogRequest&) {
        ShowFilterForm();
        return TDialogOutcome{};
    });

    Launcher::Register(TDialogID::ExpenseTable, [](const TDialogRequest&) {
        ShowExpenseTableDialog();
        return TDialogOutcome{};
    });

    // The payments page refills its statement afterwards.
    Launcher::Register(TDialogID::Payment, [](const TDialogRequest& request) {
        ShowPaymentDialog(nullptr, {request.paymentId, request.statementYear,
                                    {request.payPatient, request.payCompany, request.payCoverage}});
        return TDialogOutcome{};
    });
    Launcher::Register(TDialogID::PaymentCategory, [](const TDialogRequest& request) {
        const std::optional<TPayFilterChoice> choice =
            ChooseStatementFilter(nullptr, {request.payPatient, request.payCompany, request.payCoverage});
        TDialogOutcome outcome;
        outcome.cancelled = !choice;
        if (choice) {
            outcome.payPatient = choice->filter.patient;
            outcome.payCompany = choice->filter.company;
            outcome.payCoverage = choice->filter.coverage;
            outcome.payFilterText = choice->text;
        }
        return outcome;
    });

    Launcher::Register(TDialogID::Backup, [](const TDialogRequest&) {
        ShowBackupDialog();
        return TDialogOutcome{};
    });
    // The pages that open it refill what names the members afterwards.
    Launcher::Register(TDialogID::Restore, [](const TDialogRequest&) {
        ShowRestoreDialog();
        return TDialogOutcome{};
    });

    // The folder tree opens the list on the schedule reminders' category.
    Launcher::Register(TDialogID::ToDoList, [](const TDialogRequest&) {
        ShowToDoList(nullptr, ScheduleReminderCategory);
        return TDialogOutcome{};
    });

    Launcher::Register(TDialogID::EMailToDoList, [](const TDialogRequest&) {
        ShowEMailDialog(nullptr);
        return TDialogOutcome{};
    });

    // The folder tree's node, on this product's category.
    Launcher::Register(TDialogID::AddressBook, [](const TDialogRequest&) {
        ShowAddressBook(nullptr, kCarePortfolioProduct);
        return TDialogOutcome{};
    });

    Launcher::Register(TDialogID::WebLinks, [](const TDialogRequest&) {
        ShowWebLinksDialog();
        return TDialogOutcome{};
    });

    ModulePageTable pages;
    pages.Register(ModToDoTutor, [](QWidget* parent) {
        return new TFormToDoTutor(parent, [] { return new TTodoListForm(nullptr, ScheduleReminderCategory); });
    });
    pages.Register(ModAddrTutor, [](QWidget* parent) {
        return new TFormAddrTutor(parent, [] {
            auto* book = new TDlgBizAddrBook;
            book->ProductCode = kCarePortfolioProduct;
            book->FormShow();
            return book;
        });
    });
    pages.Register(ModMedFolder, [](QWidget* parent) { return RefreshingGoToList(new TFormMedFolder(parent)); });
    pages.Register(ModMedPage, [](QWidget* parent) { return new TFormMedPage(parent); },
                   [](const TNavigateHistory& request) { return MemberOnRecord(request.param1); });
    pages.Register(ModMedMember, [](QWidget* parent) { return RefreshingGoToList(new TFormMedMember(parent)); });
    pages.Register(ModMedInsurance, [](QWidget* parent) { return new TFormMedInsurance(parent); });
    pages.Register(ModMedPay, [](QWidget* parent) { return new TFormMedPay(parent); });
    pages.Register(ModInternetInfo, [](QWidget* parent) { return new TFormInternetInfoResources(parent); });
    // The home page links to the pages registered before it.
    pages.Register(ModMedToc, [others = pages](QWidget* parent) {
        return RefreshingGoToList(new TFormMedToc(parent, [others](qint32 moduleID) { return others.Has(moduleID); }));
    });
    return pages;
}
