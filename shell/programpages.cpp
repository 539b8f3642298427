#include "formabout.h"
#include "formaddrtutor.h"
#include "formhealthmain.h"
#include "formtodotutor.h"
#include "modulepages.h"
#include "context/context.h"
#include "context/navigation.h"
#include "health/dlgmedhist.h"
#include "health/dlgmedimmun.h"
#include "health/dlgnewmedmember.h"
#include "organizer/dlgiir.h"
#include "shell/pages/forminternetinfo.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/formmedpage.h"
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

    // For CurMemberID, which the page set.
    Launcher::Register(TDialogID::ImmunizationSchedule, [](const TDialogRequest&) {
        ShowImmunizationDialog();
        return TDialogOutcome{};
    });

    Launcher::Register(TDialogID::WebLinks, [](const TDialogRequest&) {
        ShowWebLinksDialog();
        return TDialogOutcome{};
    });

    ModulePageTable pages;
    pages.Register(ModToDoTutor, [](QWidget* parent) { return new TFormToDoTutor(parent); });
    pages.Register(ModAddrTutor, [](QWidget* parent) { return new TFormAddrTutor(parent); });
    pages.Register(ModMedFolder, [](QWidget* parent) { return RefreshingGoToList(new TFormMedFolder(parent)); });
    pages.Register(ModMedPage, [](QWidget* parent) { return new TFormMedPage(parent); },
                   [](const TNavigateHistory& request) { return MemberOnRecord(request.param1); });
    pages.Register(ModMedMember, [](QWidget* parent) { return RefreshingGoToList(new TFormMedMember(parent)); });
    pages.Register(ModMedInsurance, [](QWidget* parent) { return new TFormMedInsurance(parent); });
    pages.Register(ModInternetInfo, [](QWidget* parent) { return new TFormInternetInfoResources(parent); });
    // The home page links to the pages registered before it.
    pages.Register(ModMedToc, [others = pages](QWidget* parent) {
        return RefreshingGoToList(new TFormMedToc(parent, [others](qint32 moduleID) { return others.Has(moduleID); }));
    });
    return pages;
}
