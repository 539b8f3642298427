// The expense table is reached from the folder tree and the insurance page
// once the program's dialogs are registered.
#include "pagetestenv.h"
#include "qstringprint.h"
#include "health/dlgexptable.h"
#include "shell/modulepages.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/pageframe.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>


namespace {

class ExpensePagesTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ProgramPages();
        john_ = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
        AddExpense(john_, EncodeDate(1997, 5, 1), 19.99, 0.29);
    }
    void TearDown() override
    {
        Launcher::Unregister(TDialogID::ExpenseTable);
        PageTest::TearDown();
    }

    // Answers the expense table with its list as it opened, then closes it.
    void WhenTheTableOpens()
    {
        QTimer::singleShot(0, [this] {
            auto* table = qobject_cast<TDlgExpTable*>(QApplication::activeModalWidget());
            ASSERT_TRUE(table);
            rowsSeen_.append(table->ListView1->topLevelItemCount());
            table->Button1->click();
        });
    }

    qint32 john_ = 0;
    QList<int> rowsSeen_;
};

TEST_F(ExpensePagesTest, TheFolderTreeNodeAndTheInsurancePageItemOpenTheTable)
{
    ASSERT_TRUE(Launcher::Has(TDialogID::ExpenseTable));
    {
        TFormMedFolder folder(nullptr);
        folder.show();
        QTreeWidgetItem* expenses = folder.TreeView1->topLevelItem(1);
        QTreeWidgetItem* summary = expenses->child(expenses->childCount() - 1);
        ASSERT_EQ(summary->text(0), QStringLiteral("Medical Expenses Summary/Report"));
        EXPECT_NE(summary->foreground(0).color(), folder.palette().color(QPalette::Disabled, QPalette::Text));
        folder.TreeView1->setCurrentItem(summary);
        WhenTheTableOpens();
        emit folder.TreeView1->itemDoubleClicked(summary, 0);
    }
    TFormMedInsurance insurance(nullptr);
    insurance.show();
    const TPageItem& item = insurance.SBox->Item(0);
    EXPECT_TRUE(item.picture->isEnabled());
    EXPECT_TRUE(item.label->isEnabled());
    WhenTheTableOpens();
    emit item.label->clicked();
    EXPECT_EQ(rowsSeen_, (QList<int>{1, 1}));
}

}  // namespace
