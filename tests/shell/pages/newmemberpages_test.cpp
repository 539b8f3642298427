#include "pagetestenv.h"
#include "qstringprint.h"
#include "context/context.h"
#include "health/dlgnewmedmember.h"
#include "health/radiogroup.h"
#include "controls/efpicture.h"
#include "shell/formhealthmain.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/pageframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

QStringList Captions(const QTreeWidgetItem& parent)
{
    QStringList captions;
    for (int i = 0; i < parent.childCount(); ++i)
        captions.append(parent.child(i)->text(0));
    return captions;
}

QStringList GoToList(const TFormHealthMain& window)
{
    QStringList items;
    for (int i = 0; i < window.CBGoTo->count(); ++i)
        items.append(window.CBGoTo->itemText(i));
    return items;
}

// What the user does in the dialog once it is up.
void InTheDialog(const std::function<void(TDlgNewMedMember&)>& work)
{
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<TDlgNewMedMember*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        work(*dialog);
        if (dialog->isVisible())
            dialog->CancelBtn->click();
    });
}

void Fill(TDlgNewMedMember& dialog, const QString& first, const QString& last, TDateTime born, int sex)
{
    dialog.Edit1->setText(first);
    dialog.Edit3->setText(last);
    dialog.EfPFDate->SetDateTimeValue(born);
    dialog.RadioGroup1->SetItemIndex(sex);
}

using NewMemberPagesTest = PageTest;

TEST_F(NewMemberPagesTest, MembersAddedFromTheFolderTreeAppearInTheTreeAndTheGoToList)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedFolder, 0, 0, 0);
    auto* page = qobject_cast<TFormMedFolder*>(window.CurrentPage());
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->NewMember1->isEnabled());
    QTreeWidgetItem* members = page->TreeView1->topLevelItem(0);

    // Two members with one first name, one applied and one saved with OK.
    InTheDialog([](TDlgNewMedMember& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add New Member"));
        Fill(dialog, QStringLiteral("Ann"), QStringLiteral("O'Neil"), EncodeDate(2020, 2, 29), 1);
        dialog.Apply->click();
        Fill(dialog, QStringLiteral("Ann"), QStringLiteral("<b>Ann</b>"), EncodeDate(1950, 12, 31), 1);
        dialog.OKBtn->click();
    });
    page->NewMember1->trigger();
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Captions(*members), (QStringList{QStringLiteral("John's medical page"), QStringLiteral("Ann's medical page"),
                                               QStringLiteral("Ann's medical page")}));
    EXPECT_EQ(page->TreeView1->currentItem(), members->child(1)) << "the first new member is selected";
    EXPECT_EQ(ImageIndexOf(*members->child(1)), 10) << "a girl";
    EXPECT_EQ(ImageIndexOf(*members->child(2)), 8) << "a woman";
    EXPECT_EQ(GoToList(window).mid(5), (QStringList{QStringLiteral("John's medical page"), QStringLiteral("Ann's medical page"),
                                                    QStringLiteral("Ann's medical page")}));
    EXPECT_EQ(CurMemberID, TreeObjOf(*members->child(2))->id);

    // A dialog left with Cancel and nothing applied adds no node.
    InTheDialog([](TDlgNewMedMember& dialog) { dialog.CancelBtn->click(); });
    page->NewMember1->trigger();
    EXPECT_EQ(members->childCount(), 3);
    EXPECT_FALSE(MemberAdded);

    window.close();
}

TEST_F(NewMemberPagesTest, TheMembersPageRebuildsOnlyWhenAMemberWasAdded)
{
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedMember, 0, 0, 0);
    auto* page = qobject_cast<TFormMedMember*>(window.CurrentPage());
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->NewMember1->isEnabled());
    ASSERT_TRUE(page->Memo1->isVisible());

    InTheDialog([](TDlgNewMedMember& dialog) { dialog.CancelBtn->click(); });
    page->NewMember1->trigger();
    EXPECT_EQ(page->SBox->Count(), 0);

    InTheDialog([](TDlgNewMedMember& dialog) {
        Fill(dialog, QStringLiteral("O'Neil"), QStringLiteral("Lee"), EncodeDate(1990, 1, 31), 0);
        dialog.Apply->click();
    });
    page->NewMember1->trigger();
    ASSERT_EQ(page->SBox->Count(), 1);
    EXPECT_FALSE(page->Memo1->isVisible());
    EXPECT_EQ(page->SBox->Item(0).label->text(), QStringLiteral("O'Neil's Medical Page"));
    EXPECT_EQ(page->SBox->Item(0).label->textFormat(), Qt::PlainText);
    EXPECT_EQ(GoToList(window).last(), QStringLiteral("O'Neil's medical page"));
    window.close();
}

}  // namespace
