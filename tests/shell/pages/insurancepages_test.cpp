// The insurance and FSA dialogs and the plan report opened from the main
// window's insurance page: a new account joins the page's items, an edited
// one is renamed there, and the report form lists the accounts.
#include "pagetestenv.h"
#include "qstringprint.h"
#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/moneyedit.h"
#include "health/dlgaddfsa.h"
#include "health/dlgnewinsurance.h"
#include "health/filterform.h"
#include "shell/formhealthmain.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/pageframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

// What the user does in the dialog once it is up; it is cancelled if still open.
template <class Dialog>
void InTheDialog(const std::function<void(Dialog&)>& work)
{
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        work(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

QStringList Labels(const TFormMedInsurance& page)
{
    QStringList labels;
    for (int i = 1; i < page.SBox->Count(); ++i)
        labels << page.SBox->Item(i).label->text();
    return labels;
}

using InsurancePagesTest = PageTest;

TEST_F(InsurancePagesTest, AccountsAddedAndEditedFromTheInsurancePageShowThere)
{
    AddMember(QStringLiteral("Ann"), 1, EncodeDate(1980, 2, 29));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedInsurance, 0, 0, 0);
    auto* page = qobject_cast<TFormMedInsurance*>(window.CurrentPage());
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->NewInsurance1->isEnabled());
    ASSERT_TRUE(page->NewFSA1->isEnabled());
    ASSERT_TRUE(page->InsuranceFSAReport1->isEnabled());

    InTheDialog<TDlgNewInsurance>([](TDlgNewInsurance& dialog) {
        dialog.CBInsType->setCurrentIndex(2);
        dialog.EditInsName->setText(QStringLiteral("Clear Sight"));
        dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 1, 31));
        dialog.LBAllMembers->item(0)->setSelected(true);
        dialog.BtnFW->click();
        dialog.OKBtn->click();
    });
    page->NewInsurance1->trigger();
    EXPECT_EQ(Labels(*page), QStringList{"Clear Sight insurance"});

    InTheDialog<TDlgAddFSA>([](TDlgAddFSA& dialog) {
        dialog.EditEmpName->setText(QStringLiteral("Acme"));
        dialog.MEditElected->setText(QStringLiteral("1,999.99"));
        dialog.OKBtn->click();
    });
    page->NewFSA1->trigger();
    EXPECT_EQ(Labels(*page), (QStringList{"Clear Sight insurance", "FSA with Acme"}));

    InTheDialog<TDlgNewInsurance>([](TDlgNewInsurance& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Insurance"));
        dialog.EditInsName->setText(QStringLiteral("Clear Sight Plus"));
        dialog.OKBtn->click();
    });
    emit page->SBox->Item(1).label->clicked();
    EXPECT_EQ(Labels(*page), (QStringList{"Clear Sight Plus insurance", "FSA with Acme"}));
    EXPECT_EQ(Column(QStringLiteral("SELECT AccountName FROM MEDINS ORDER BY AccountID")),
              (QStringList{"Clear Sight Plus", "Acme"}));

    QStringList listed;
    InTheDialog<TFilterForm>([&listed](TFilterForm& form) {
        for (QListWidget* list : {form.LBInsurance, form.LBFSA})
            for (int row = 0; row < list->count(); ++row)
                listed << list->item(row)->text();
    });
    page->InsuranceFSAReport1->trigger();
    EXPECT_EQ(listed, (QStringList{"Clear Sight Plus(Vision)", "Acme"}));
}

}  // namespace
