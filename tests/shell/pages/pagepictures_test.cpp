#include "pagetestenv.h"
#include "qstringprint.h"
#include "context/context.h"
#include "shell/formhealthmain.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formdeletemem.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/formmedpage.h"
#include "shell/pages/formmedtoc.h"
#include "shell/pages/pageframe.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTimer>

namespace {

constexpr QSize kPageSize(760, 520);

class PagePictures : public PageTest {
protected:
    // Every dialog there is, so the pictures show the pages in use.
    void FakeEveryDialog()
    {
        for (TDialogID id : {TDialogID::NewMember, TDialogID::MedicalHistory, TDialogID::CheckupSchedule,
                             TDialogID::ImmunizationSchedule, TDialogID::ExpenseTable, TDialogID::Insurance,
                             TDialogID::FSA, TDialogID::InsFSAReport, TDialogID::AddressBook, TDialogID::ToDoList,
                             TDialogID::WebLinks, TDialogID::EMailToDoList, TDialogID::Backup, TDialogID::Restore})
            CountingDialog(id);
    }

    void SetUp() override
    {
        PageTest::SetUp();
        const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
        const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
        AddMember(QStringLiteral("Tommy"), 0, EncodeDate(2015, 1, 5));
        AddMember(QStringLiteral("Alice"), 1, EncodeDate(2012, 11, 30));
        AddAccount(1, QStringLiteral("Blue Valley Health Plan"));
        AddAccount(2, QStringLiteral("Smile Dental"));
        const qint32 fsa = AddAccount(5, QStringLiteral("Northwind Traders"));
        AddElectedAmount(fsa, kThisYear, 1500);
        const qint32 visit = AddExpense(john, EncodeDate(kThisYear, 2, 10), 240.5, 40.5);
        AddSplit(visit, fsa, 40.5);
        AddExpense(mary, EncodeDate(kThisYear, 4, 3), 1234.56, 310);
        AddToDo(QStringLiteral("John, please schedule your annual physical examination."), EncodeDate(kThisYear, 7, 1));
        AddToDo(QStringLiteral("Tommy is due for the second dose of the measles, mumps and rubella vaccine."),
                EncodeDate(kThisYear, 9, 12));
    }
};

TEST_F(PagePictures, EveryPage)
{
    FakeEveryDialog();
    {
        TFormMedFolder folder(nullptr);
        folder.resize(kPageSize);
        folder.show();
        SavePicture(folder, QStringLiteral("page_folder_message"));
        folder.PageControl1->setCurrentIndex(1);
        SavePicture(folder, QStringLiteral("page_folder_help"));
    }
    TFormMedToc home(nullptr, [](qint32) { return true; });
    home.resize(kPageSize);
    home.show();
    SavePicture(home, QStringLiteral("page_home"));

    TFormMedMember members(nullptr);
    members.resize(kPageSize);
    members.show();
    SavePicture(members, QStringLiteral("page_members"));

    TFormMedInsurance insurance(nullptr);
    insurance.resize(kPageSize);
    insurance.show();
    SavePicture(insurance, QStringLiteral("page_insurance"));

    CurMemberID = 2;
    TFormMedPage member(nullptr);
    member.resize(kPageSize);
    member.show();
    SavePicture(member, QStringLiteral("page_member"));

    TFormDeleteMem deletion(nullptr, TFormDeleteMem::DeleteInsuranceMode);
    deletion.show();
    deletion.CBMember->setCurrentIndex(0);
    SavePicture(deletion, QStringLiteral("window_delete_insurance"));
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('\n')).toStdString();
}

// Without the dialogs, what would open one looks disabled.
TEST_F(PagePictures, PagesWithoutTheirDialogs)
{
    TFormMedFolder folder(nullptr);
    folder.resize(kPageSize);
    folder.show();
    folder.TreeView1->expandAll();
    SavePicture(folder, QStringLiteral("page_folder_without_dialogs"));
    TFormMedInsurance insurance(nullptr);
    insurance.resize(kPageSize);
    insurance.show();
    SavePicture(insurance, QStringLiteral("page_insurance_without_dialogs"));
    EXPECT_FALSE(insurance.SBox->Item(1).label->isEnabled());
}

TEST_F(PagePictures, MainWindowWithTheFolderAndTheHomePage)
{
    FakeEveryDialog();
    TFormHealthMain window(ProgramPages());
    window.resize(kPageSize);
    window.show();
    window.NavigateTo(ModMedFolder, 0, 0, 0);
    EXPECT_FALSE(window.PanelToolBar->isVisible());
    SavePicture(window, QStringLiteral("main_window_folder"));
    window.NavigateTo(ModMedToc, 0, 0, 0);
    EXPECT_TRUE(window.PanelToolBar->isVisible());
    SavePicture(window, QStringLiteral("main_window_home"));
    window.close();
}

}  // namespace
