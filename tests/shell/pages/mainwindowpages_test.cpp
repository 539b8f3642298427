#include "pagetestenv.h"
#include "qstringprint.h"
#include "context/context.h"
#include "shell/formhealthmain.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formdeletemem.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/pageframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QStringList MenuTitles(const QMainWindow& window)
{
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions())
        titles.append(menu->text());
    return titles;
}

using MainWindowPagesTest = PageTest;

TEST_F(MainWindowPagesTest, TheFolderPageBringsItsMenusAndToolbar)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedFolder, 0, 0, 0);
    auto* page = qobject_cast<TFormMedFolder*>(window.CurrentPage());
    ASSERT_TRUE(page);
    EXPECT_FALSE(window.PanelToolBar->isVisible());
    EXPECT_TRUE(page->PanelToolBar->isVisible());
    EXPECT_EQ(MenuTitles(window), (QStringList{QStringLiteral("&File"), QStringLiteral("&View"), QStringLiteral("&Report"),
                                               QStringLiteral("&Help")}));
    EXPECT_EQ(window.menuBar()->actions().first()->menu(), page->File1);
    // The about box is opened by the main window's own routine.
    EXPECT_TRUE(page->About1->isEnabled());

    page->SpeedButton1->click();
    QApplication::sendPostedEvents();
    EXPECT_EQ(window.CurrentModuleID(), ModMedToc);
    window.close();
}

TEST_F(MainWindowPagesTest, DeletingAMemberOnTheMembersPageRefreshesTheGoToList)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedMember, 0, 0, 0);
    auto* page = qobject_cast<TFormMedMember*>(window.CurrentPage());
    ASSERT_TRUE(page);
    ASSERT_EQ(window.CBGoTo->count(), 7);
    QTimer::singleShot(0, [] {
        auto* deletion = qobject_cast<TFormDeleteMem*>(QApplication::activeModalWidget());
        ASSERT_TRUE(deletion);
        deletion->CBMember->setCurrentIndex(0);
        deletion->BtnDelete->click();
    });
    page->Deletemember1->trigger();
    ASSERT_EQ(window.CBGoTo->count(), 6);
    EXPECT_EQ(window.CBGoTo->itemText(5), QStringLiteral("Mary's medical page"));
    window.close();
}

TEST_F(MainWindowPagesTest, AMembersPictureOpensTheMembersPage)
{
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedMember, 0, 0, 0);
    emit qobject_cast<TFormMedMember*>(window.CurrentPage())->SBox->Item(0).picture->clicked();
    QApplication::sendPostedEvents();
    EXPECT_EQ(window.CurrentModuleID(), ModMedPage);
    EXPECT_EQ(CurMemberID, mary);
    EXPECT_EQ(window.CurrentPage()->windowTitle(), QStringLiteral("Mary's Medical Page"));
    window.close();
}

TEST_F(MainWindowPagesTest, AFolderPageThatCannotReadTheDatabaseLeavesTheWindowOnTheHomePage)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    TFormHealthMain window(ProgramPages());
    window.show();
    ASSERT_EQ(window.CurrentModuleID(), ModMedToc);
    ASSERT_TRUE(boxes_.shown.isEmpty());
    WriteGarbageDatabase(folder_.Path());

    window.SBTreeView->click();
    QApplication::sendPostedEvents();   // the request for the folder page
    QApplication::sendPostedEvents();   // the page's request for the home page
    ASSERT_EQ(boxes_.shown.size(), 1) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("is not a CarePortfolio database, or it is damaged")));
    ASSERT_TRUE(window.CurrentPage());
    EXPECT_EQ(window.CurrentPage()->objectName(), QStringLiteral("FormMedToc"));
    EXPECT_EQ(window.CurrentModuleID(), ModMedToc);
    EXPECT_TRUE(window.PanelToolBar->isVisible());
    window.close();
}

TEST_F(MainWindowPagesTest, AnyPageThatCannotReadTheDatabaseIsToldInPlainWords)
{
    TFormHealthMain window(ProgramPages());
    window.show();
    DatabaseLockedElsewhere other(folder_.Path());
    PostNavigate(ModMedMember, 0, 0, 0);
    QApplication::sendPostedEvents();
    ASSERT_EQ(boxes_.shown.size(), 1) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("is in use by another program")))
        << boxes_.shown[0].text.toStdString();
    EXPECT_TRUE(window.PanelToolBar->isVisible());
    window.close();
}

}  // namespace
