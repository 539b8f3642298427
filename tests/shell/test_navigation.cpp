#include "context/navigation.h"
#include "shell/modulepages.h"

#include <QCoreApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

TNavigateHistory Page(qint32 moduleID, qint32 param1 = 0)
{
    return {moduleID, param1, 0, 0};
}

QList<qint32> Modules(const TNavHistory& history)
{
    QList<qint32> modules;
    for (int i = 0; i < history.Count(); ++i)
        modules.append(history.Entry(i).moduleID);
    return modules;
}

TEST(NavHistory, TheEleventhEntryDropsTheOldest)
{
    TNavHistory history;
    for (qint32 module = 1; module <= 11; ++module)
        history.Record(Page(module));
    EXPECT_EQ(Modules(history), QList<qint32>({2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(history.Index(), 9);
    EXPECT_TRUE(history.CanGoBack());
    EXPECT_FALSE(history.CanGoForward());
}

TEST(NavHistory, BackThenNavigateDropsTheForwardEntries)
{
    TNavHistory history;
    for (qint32 module : {133, 134, 135, 13})
        history.Record(Page(module));
    EXPECT_EQ(history.Back()->moduleID, 135);
    EXPECT_EQ(history.Back()->moduleID, 134);
    EXPECT_TRUE(history.CanGoForward());
    history.Record(Page(132, 7));
    EXPECT_EQ(Modules(history), QList<qint32>({133, 134, 132}));
    EXPECT_EQ(history.Entry(2), Page(132, 7));
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_EQ(history.Forward(), nullptr);
}

TEST(NavHistory, NothingLiesBeyondEitherEnd)
{
    TNavHistory history;
    EXPECT_EQ(history.Back(), nullptr);
    EXPECT_EQ(history.Forward(), nullptr);
    history.Record(Page(133));
    EXPECT_EQ(history.Back(), nullptr);
    EXPECT_FALSE(history.CanGoBack());
    history.Record(Page(134));
    EXPECT_EQ(history.Back()->moduleID, 133);
    EXPECT_EQ(history.Back(), nullptr);
    EXPECT_EQ(history.Forward()->moduleID, 134);
    EXPECT_EQ(history.Forward(), nullptr);
    EXPECT_EQ(history.Index(), 1);
}

TEST(NavHistory, AFullHistoryWalkedBackStillDropsForwardBeforeTheOldest)
{
    TNavHistory history;
    for (qint32 module = 1; module <= 10; ++module)
        history.Record(Page(module));
    history.Back();
    history.Record(Page(20));
    EXPECT_EQ(Modules(history), QList<qint32>({1, 2, 3, 4, 5, 6, 7, 8, 9, 20}));
}

TEST(NavHistory, BackAndForwardSkipEntriesThatCanNoLongerBeShown)
{
    TNavHistory history;
    for (const TNavigateHistory& entry : {Page(133), Page(132, 7), Page(134), Page(132, 7), Page(132, 8)})
        history.Record(entry);
    // Member 7 is gone; member 8, on the same page, is not.
    const auto shown = [](const TNavigateHistory& entry) { return entry != Page(132, 7); };
    EXPECT_TRUE(history.CanGoBack(shown));
    EXPECT_EQ(*history.Back(shown), Page(134));
    EXPECT_EQ(history.Index(), 2);
    EXPECT_EQ(*history.Back(shown), Page(133));
    EXPECT_FALSE(history.CanGoBack(shown));
    EXPECT_EQ(*history.Forward(shown), Page(134));
    EXPECT_EQ(*history.Forward(shown), Page(132, 8));
    EXPECT_EQ(history.Index(), 4);
    EXPECT_FALSE(history.CanGoForward(shown));
    EXPECT_EQ(Modules(history), QList<qint32>({133, 132, 134, 132, 132})) << "skipping drops nothing";

    // With only gone entries on one side there is nowhere to go, and the place stays.
    TNavHistory gone;
    for (const TNavigateHistory& entry : {Page(132, 7), Page(134), Page(132, 7)})
        gone.Record(entry);
    gone.Back();
    EXPECT_FALSE(gone.CanGoBack(shown));
    EXPECT_FALSE(gone.CanGoForward(shown));
    EXPECT_EQ(gone.Back(shown), nullptr);
    EXPECT_EQ(gone.Forward(shown), nullptr);
    EXPECT_EQ(gone.Index(), 1);
    EXPECT_TRUE(gone.CanGoBack()) << "without a test every entry can be shown";
}

TEST(PostNavigate, LeavesTheRequestAndPostsOneEvent)
{
    EXPECT_EQ(PostNavigate(132, 4, 0, 9), 132);
    EXPECT_EQ(PendingModuleID, 132);
    EXPECT_EQ(PendingParam1, 4);
    EXPECT_EQ(PendingParam2, 0);
    EXPECT_EQ(PendingParam3, 9);
    // Nobody serves it here: the event is dropped unseen.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), NavigateEventType());
}

QStringList Titles(const QList<QMenu*>& menus)
{
    QStringList titles;
    for (const QMenu* menu : menus)
        titles.append(menu->title());
    return titles;
}

TEST(MergeMenus, APagesMenuTakesThePlaceOfTheMainMenuOfItsGroup)
{
    QMenu file(QStringLiteral("File")), view(QStringLiteral("View")), help(QStringLiteral("Help"));
    QMenu pageFile(QStringLiteral("Page File")), report(QStringLiteral("Report")), pageHelp(QStringLiteral("Page Help"));
    const QList<TMergedMenu> mainMenus = {{1, &file}, {3, &view}, {8, &help}};

    EXPECT_EQ(Titles(MergeMenus(mainMenus, {})), QStringList({"File", "View", "Help"}));
    EXPECT_EQ(Titles(MergeMenus(mainMenus, {{1, &pageFile}})), QStringList({"Page File", "View", "Help"}));
    EXPECT_EQ(Titles(MergeMenus(mainMenus, {{1, &pageFile}, {8, &report}, {9, &pageHelp}})),
              QStringList({"Page File", "View", "Report", "Page Help"}));
    EXPECT_EQ(Titles(MergeMenus(mainMenus, {{4, &report}})), QStringList({"File", "View", "Report", "Help"}));
}

TEST(ModulePageTable, MakesOnlyTheRegisteredPages)
{
    ModulePageTable pages;
    int made = 0;
    pages.Register(52, [&](QWidget* parent) {
        ++made;
        return new QWidget(parent);
    });
    EXPECT_TRUE(pages.Has(52));
    EXPECT_FALSE(pages.Has(133));
    EXPECT_EQ(pages.Create(133, nullptr), nullptr);
    std::unique_ptr<QWidget> page(pages.Create(52, nullptr));
    EXPECT_NE(page, nullptr);
    EXPECT_EQ(made, 1);
}

}  // namespace
