#include "pagetestenv.h"
#include "qstringprint.h"
#include "context/context.h"
#include "health/dlgchkschedule.h"
#include "organizer/dlgemailtodolist.h"
#include "organizer/todolistform.h"
#include "shell/formhealthmain.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formdeletemem.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/formmedpage.h"
#include "shell/pages/formmedtoc.h"
#include "shell/pages/pageframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QStringList MenuTitles(const QMainWindow& window)
{
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions())
        titles.append(menu->text());
    return titles;
}

// The File menu the menu bar shows: the page's own while the page has one.
QMenu* FileMenu(const QMainWindow& window)
{
    return window.menuBar()->actions().first()->menu();
}

QAction* ExitAction(const QMenu& menu)
{
    for (QAction* action : menu.actions())
        if (action->text() == QStringLiteral("&Exit") || action->text() == QStringLiteral("E&xit"))
            return action;
    return nullptr;
}

class MainWindowPagesTest : public PageTest {
protected:
    // Closing the window deletes the page. When the page's own menu or
    // button delivers the click, the window may close only once the click
    // has been delivered.
    void ExpectExit(const std::function<void(QWidget& page)>& click, qint32 moduleID, bool pagesOwnControl = true)
    {
        SCOPED_TRACE(moduleID);
        auto window = std::make_unique<TFormHealthMain>(ProgramPages());
        window->show();
        window->NavigateTo(moduleID, 0, 0, 0);
        QPointer<QWidget> page = window->CurrentPage();
        ASSERT_TRUE(page);
        click(*page);
        if (pagesOwnControl) {
            EXPECT_TRUE(page) << "the page was deleted while its own click was being delivered";
            EXPECT_TRUE(window->isVisible());
        }
        QApplication::sendPostedEvents();
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(page);
        EXPECT_EQ(ReadLastModule(0), moduleID);
    }
};

TEST_F(MainWindowPagesTest, FileExitOfEveryPageClosesTheWindowAfterTheClick)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    AddAccount(5, QStringLiteral("Northwind"));
    const auto exitByMenu = [](QWidget& page) {
        QMenu* file = FileMenu(*qobject_cast<QMainWindow*>(page.window()));
        QAction* exit = ExitAction(*file);
        ASSERT_TRUE(exit);
        file->popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(exit).center());
    };
    for (qint32 moduleID : {ModMedToc, ModMedMember, ModMedInsurance, ModMedFolder})
        ExpectExit(exitByMenu, moduleID);
    // A member's page has no menu of its own: the main window's serves it.
    ExpectExit(exitByMenu, ModMedPage, false);
}

TEST_F(MainWindowPagesTest, TheExitButtonsCloseTheWindowAfterTheClick)
{
    ExpectExit([](QWidget& page) { QTest::mouseClick(qobject_cast<TFormMedFolder*>(&page)->SpeedButtonExit, Qt::LeftButton); },
               ModMedFolder);
    // The main window's toolbar serves the other pages; closing leaves it be.
    for (qint32 moduleID : {ModMedToc, ModMedMember, ModMedInsurance})
        ExpectExit(
            [](QWidget& page) {
                QTest::mouseClick(qobject_cast<TFormHealthMain*>(page.window())->SpeedButtonExit, Qt::LeftButton);
            },
            moduleID, false);
}

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

TEST_F(MainWindowPagesTest, BackAndForwardPassOverTheMedicalPageOfADeletedMember)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    auto window = std::make_unique<TFormHealthMain>(ProgramPages());
    window->show();
    window->NavigateTo(ModMedPage, mary, 0, 0);
    window->NavigateTo(ModMedMember, 0, 0, 0);
    window->NavigateTo(ModMedPage, mary, 0, 0);
    window->GoBack();
    auto* members = qobject_cast<TFormMedMember*>(window->CurrentPage());
    ASSERT_TRUE(members);
    ASSERT_TRUE(window->SpeedButtonForward->isEnabled());

    QTimer::singleShot(0, [] {
        auto* deletion = qobject_cast<TFormDeleteMem*>(QApplication::activeModalWidget());
        ASSERT_TRUE(deletion);
        deletion->CBMember->setCurrentIndex(1);
        deletion->BtnDelete->click();
    });
    members->Deletemember1->trigger();
    ASSERT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF")), 1);
    EXPECT_FALSE(window->SpeedButtonForward->isEnabled()) << "only Mary's page lies ahead";
    EXPECT_TRUE(window->SpeedButtonBack->isEnabled());

    window->SpeedButtonBack->click();
    EXPECT_EQ(window->CurrentModuleID(), ModMedToc);
    EXPECT_EQ(window->CurrentPage()->objectName(), QStringLiteral("FormMedToc"));
    EXPECT_FALSE(window->SpeedButtonBack->isEnabled());
    window->SpeedButtonForward->click();
    EXPECT_EQ(window->CurrentModuleID(), ModMedMember);
    EXPECT_FALSE(window->SpeedButtonForward->isEnabled());
    window->close();
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

TEST_F(MainWindowPagesTest, TheMedicalPagesCheckupPictureOpensTheMembersCheckupSchedule)
{
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedPage, mary, 0, 0);
    auto* page = qobject_cast<TFormMedPage*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->ImgCheckup->isEnabled());
    QString caption;
    QTimer::singleShot(0, [&caption] {
        auto* schedule = qobject_cast<TDlgChkSchedule*>(QApplication::activeModalWidget());
        ASSERT_NE(schedule, nullptr);
        caption = schedule->windowTitle();
        schedule->reject();
    });
    emit page->ImgCheckup->clicked();
    EXPECT_EQ(caption, QStringLiteral("Check-up Schedule for Mary"));
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

TEST_F(MainWindowPagesTest, TheToDoListAndItsEMailOpenFromTheTreeTheHomePageTheGoToListAndTheMenus)
{
    const QString remindersList = QStringLiteral("CarePortfolio To-do's List on Doctors and Hospitals");
    const auto opening = [](const std::function<void()>& open) {
        QString opened;
        QTimer::singleShot(0, [&opened] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* list = qobject_cast<TTodoListForm*>(modal)) {
                opened = list->windowTitle() + QStringLiteral(" on ") + list->CBCategory->currentText();
                list->reject();
            } else if (auto* email = qobject_cast<TDlgEMailTodoList*>(modal)) {
                opened = email->windowTitle();
                email->reject();
            }
        });
        open();
        return opened;
    };
    TFormHealthMain window(ProgramPages());
    window.show();
    EXPECT_EQ(opening([&] { window.EmailToDoList1->trigger(); }), QStringLiteral("Send To-Do List"));

    window.NavigateTo(ModMedFolder, 0, 0, 0);
    auto* folder = qobject_cast<TFormMedFolder*>(window.CurrentPage());
    ASSERT_TRUE(folder);
    QTreeWidgetItem* toDoNode = folder->TreeView1->findItems(QStringLiteral("To-Do List"), Qt::MatchExactly).value(0);
    ASSERT_TRUE(toDoNode);
    folder->TreeView1->setCurrentItem(toDoNode);
    EXPECT_EQ(opening([&] { emit folder->TreeView1->itemDoubleClicked(toDoNode, 0); }), remindersList);
    EXPECT_TRUE(folder->EmailToDoList1->isEnabled());

    // The home page and the go-to list lead to the to-do page, whose picture opens the list.
    window.NavigateTo(ModMedToc, 0, 0, 0);
    auto* home = qobject_cast<TFormMedToc*>(window.CurrentPage());
    ASSERT_TRUE(home);
    EXPECT_TRUE(home->EmailToDoList1->isEnabled());
    const int goTo = window.CBGoTo->findText(QStringLiteral("To-Do List"));
    ASSERT_GE(goTo, 0);
    window.CBGoTo->setCurrentIndex(goTo);
    emit window.CBGoTo->activated(goTo);
    QApplication::sendPostedEvents();
    auto* picture = window.CurrentPage() ? window.CurrentPage()->findChild<TClickLabel*>(QStringLiteral("Image2")) : nullptr;
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->isEnabled());
    EXPECT_EQ(opening([&] { emit picture->clicked(); }), remindersList);
    window.close();
}

}  // namespace
