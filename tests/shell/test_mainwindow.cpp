#include "controls/formdate.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "tests/support/scriptedmessageboxes.h"
#include "context/context.h"
#include "context/registry.h"
#include "shell/formhealthmain.h"
#include "tests/shell/shelltestenv.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kVersionWarning = QStringLiteral(
    "The database version is not correct. The software may not work properly. Please use \"Restore\" menu item to "
    "restore a correct database.");

int gPagesClosed = 0;

// A page that tells which module it stands for and counts its closing.
class FakePage : public QWidget {
public:
    FakePage(QWidget* parent, qint32 moduleID) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Page%1").arg(moduleID));
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++gPagesClosed;
        QWidget::closeEvent(event);
    }
};

// A page with menus of its own in the File group and in a group of its own.
class MenuPage : public QWidget, public TMenuMergingPage {
public:
    explicit MenuPage(QWidget* parent) : QWidget(parent), file_(QStringLiteral("Page File"), this), report_(QStringLiteral("Report"), this) {}
    QList<TMergedMenu> MergedMenus() const override
    {
        return {{1, const_cast<QMenu*>(&file_)}, {4, const_cast<QMenu*>(&report_)}};
    }

private:
    QMenu file_;
    QMenu report_;
};

ModulePageTable FakePages(std::initializer_list<qint32> moduleIDs)
{
    ModulePageTable pages;
    for (qint32 id : moduleIDs)
        pages.Register(id, [id](QWidget* parent) { return new FakePage(parent, id); });
    return pages;
}

ModulePageTable AllFakePages()
{
    return FakePages({13, 52, 130, 131, 132, 133, 134, 135, 171});
}

void RunPostedEvents()
{
    QApplication::processEvents();
}

void AddMember(const QString& dataFolder, const QString& firstName)
{
    TQuery members(dataFolder);
    members.SetSQL({QStringLiteral("SELECT * FROM MEDPROF")});
    members.SetRequestLive(true);
    members.Open();
    members.Append();
    members.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
    members.Post();
}

void SetDatabaseVersion(const QString& dataFolder, const QString& version)
{
    TQuery generic(dataFolder);
    generic.SetSQL({QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 5")});
    generic.SetRequestLive(true);
    generic.Open();
    ASSERT_FALSE(generic.Eof());
    generic.Edit();
    generic.FieldByName(QStringLiteral("StrProperty")).SetAsString(version);
    generic.Post();
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        userFormats_ = ProcessFormats();
        FormatSettings& formats = ProcessFormats();
        formats.shortDateFormat = QStringLiteral("dd.mm.yyyy");
        formats.dateSeparator = QLatin1Char('.');
        formats.shortTimeFormat = QStringLiteral("HH.nn");
        formats.timeSeparator = QLatin1Char('.');
        formats.timeAMString = QStringLiteral("vorm.");
        formats.timePMString = QStringLiteral("nachm.");
        gPagesClosed = 0;
    }

    void TearDown() override
    {
        ProcessFormats() = userFormats_;
        DataFolder.clear();
        CurMemberID = 0;
    }

    std::unique_ptr<TFormHealthMain> Open(ModulePageTable pages)
    {
        auto window = std::make_unique<TFormHealthMain>(std::move(pages));
        window->show();
        return window;
    }

    static QString PageShown(const TFormHealthMain& window)
    {
        return window.CurrentPage() ? window.CurrentPage()->objectName() : QString();
    }

    static QStringList GoToTexts(const TFormHealthMain& window)
    {
        QStringList texts;
        for (int i = 0; i < window.CBGoTo->count(); ++i)
            texts.append(window.CBGoTo->itemText(i));
        return texts;
    }

    static bool GoToEnabled(const TFormHealthMain& window, int index)
    {
        return qobject_cast<QStandardItemModel*>(window.CBGoTo->model())->item(index)->isEnabled();
    }

    static QStringList MenuTitles(TFormHealthMain& window)
    {
        QStringList titles;
        for (const QAction* action : window.menuBar()->actions())
            titles.append(action->text());
        return titles;
    }

    FreshDataFolder folder_;
    FreshSettings settings_;
    ScriptedMessageBoxes boxes_;
    FormatSettings userFormats_;
};

TEST_F(MainWindow, OpensOnTheSavedPage)
{
    WriteLastModule(134);
    auto window = Open(AllFakePages());
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page134"));
    EXPECT_EQ(window->CurrentModuleID(), 134);
    EXPECT_EQ(NavHistory.Count(), 1);
    EXPECT_FALSE(window->SpeedButtonBack->isEnabled());
    EXPECT_FALSE(window->SpeedButtonForward->isEnabled());
    EXPECT_TRUE(boxes_.shown.isEmpty());
    window->close();
}

TEST_F(MainWindow, FallsBackToHomeWithoutASavedPageOrForAMembersPage)
{
    {
        auto window = Open(AllFakePages());
        EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
        window->close();
    }
    WriteLastModule(132);
    auto window = Open(AllFakePages());
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
    EXPECT_EQ(window->CurrentModuleID(), 133);
    window->close();
}

TEST_F(MainWindow, ASavedIdWithoutAPageOpensNothingAndKeepsTheToolbar)
{
    WriteLastModule(999);
    auto window = Open(AllFakePages());
    EXPECT_EQ(window->CurrentPage(), nullptr);
    EXPECT_FALSE(window->PanelToolBar->isHidden());
    window->close();
}

TEST_F(MainWindow, TheTreeViewPageHidesTheToolbar)
{
    WriteLastModule(130);
    auto window = Open(AllFakePages());
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page130"));
    EXPECT_TRUE(window->PanelToolBar->isHidden());
    window->NavigateTo(133, 0, 0, 0);
    EXPECT_FALSE(window->PanelToolBar->isHidden());
    window->close();
}

TEST_F(MainWindow, APostedRequestIsCarriedOutOnceTheAskingHandlerHasReturned)
{
    auto window = Open(AllFakePages());
    EXPECT_EQ(window->SpeedButtonHome->isEnabled(), true);
    window->SBTreeView->click();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
    EXPECT_EQ(window->CurrentModuleID(), 130);
    RunPostedEvents();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page130"));
    EXPECT_EQ(NavHistory.Count(), 2);
    EXPECT_EQ(gPagesClosed, 1);

    PostNavigate(132, 7, 0, 0);
    RunPostedEvents();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page132"));
    EXPECT_EQ(CurMemberID, 7);
    EXPECT_EQ(NavHistory.Entry(2), (TNavigateHistory{132, 7, 0, 0}));
    window->close();
}

TEST_F(MainWindow, WithoutItsMessageHookNoRequestIsServed)
{
    auto window = Open(AllFakePages());
    ASSERT_NE(AppMessageHook, nullptr);
    QApplication::instance()->removeEventFilter(AppMessageHook);
    PostNavigate(134, 0, 0, 0);
    RunPostedEvents();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
    QApplication::instance()->installEventFilter(AppMessageHook);
    PostNavigate(134, 0, 0, 0);
    RunPostedEvents();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page134"));
    window->close();
}

TEST_F(MainWindow, BackAndForwardShowTheRecordedPagesAndKeepTheHistory)
{
    auto window = Open(AllFakePages());
    window->NavigateTo(134, 0, 0, 0);
    window->NavigateTo(132, 5, 0, 0);
    window->SpeedButtonBack->click();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page134"));
    EXPECT_TRUE(window->SpeedButtonForward->isEnabled());
    window->SpeedButtonBack->click();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
    EXPECT_FALSE(window->SpeedButtonBack->isEnabled());
    window->GoBack();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page133"));
    window->SpeedButtonForward->click();
    window->SpeedButtonForward->click();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page132"));
    EXPECT_EQ(CurMemberID, 5);
    EXPECT_FALSE(window->SpeedButtonForward->isEnabled());
    window->GoForward();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page132"));
    EXPECT_EQ(NavHistory.Count(), 3);

    window->GoBack();
    window->GoBack();
    window->NavigateTo(135, 0, 0, 0);
    EXPECT_EQ(NavHistory.Count(), 2);
    EXPECT_FALSE(window->SpeedButtonForward->isEnabled());
    EXPECT_TRUE(window->SpeedButtonBack->isEnabled());
    window->close();
}

TEST_F(MainWindow, TheEleventhPageDropsTheOldest)
{
    auto window = Open(AllFakePages());
    for (qint32 module : {13, 52, 130, 131, 132, 134, 135, 171, 13, 52})
        window->NavigateTo(module, 0, 0, 0);
    EXPECT_EQ(NavHistory.Count(), 10);
    EXPECT_EQ(NavHistory.Entry(0).moduleID, 13);
    EXPECT_EQ(NavHistory.Entry(9).moduleID, 52);
    window->close();
}

TEST_F(MainWindow, WhatIsNotBuiltCannotBeAskedFor)
{
    auto window = Open(FakePages({52}));
    EXPECT_FALSE(window->SpeedButtonHome->isEnabled());
    EXPECT_FALSE(window->SBTreeView->isEnabled());
    EXPECT_FALSE(window->GoToTreeView1->isEnabled());
    EXPECT_FALSE(window->SpeedButtonPrint->isEnabled());
    EXPECT_FALSE(window->EmailToDoList1->isEnabled());
    EXPECT_EQ(GoToTexts(*window).value(2), QStringLiteral("Address book"));
    EXPECT_TRUE(GoToEnabled(*window, 2));
    EXPECT_FALSE(GoToEnabled(*window, 0));
    window->close();
}

TEST_F(MainWindow, TheGoToListOffersTheFixedPagesAndEachMembersPage)
{
    AddMember(folder_.Path(), QStringLiteral("Ann"));
    AddMember(folder_.Path(), QString());
    auto window = Open(AllFakePages());
    EXPECT_EQ(GoToTexts(*window),
              QStringList({"Members", "Expenses & Reimbursements", "Address book", "To-Do List",
                           "Internet health information resource", "Ann's medical page", "'s medical page"}));
    EXPECT_EQ(window->CBGoTo->currentIndex(), -1);

    window->CBGoTo->setCurrentIndex(5);
    emit window->CBGoTo->activated(5);
    RunPostedEvents();
    EXPECT_EQ(PageShown(*window), QStringLiteral("Page132"));
    EXPECT_NE(CurMemberID, 0);
    EXPECT_EQ(window->CBGoTo->currentIndex(), -1);
    window->close();
}

TEST_F(MainWindow, ForcesTheProgramsFormatsAndPutsTheUsersBackOnClose)
{
    auto window = Open(AllFakePages());
    EXPECT_EQ(DateToStr(EncodeDate(2001, 3, 5)), QStringLiteral("3/5/2001"));
    EXPECT_EQ(ProcessFormats().shortTimeFormat, QStringLiteral("hh:mm tt"));
    EXPECT_EQ(ProcessFormats().timeSeparator, QLatin1Char(':'));
    EXPECT_EQ(ProcessFormats().timeAMString, QStringLiteral("AM"));
    EXPECT_EQ(ProcessFormats().timePMString, QStringLiteral("PM"));
    EXPECT_EQ(SavedDateSeparator, QLatin1Char('.'));
    EXPECT_EQ(SavedShortDateFormat, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(SavedTimePMString, QStringLiteral("nachm."));
    window->close();
    EXPECT_EQ(ProcessFormats().shortDateFormat, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(ProcessFormats().dateSeparator, QLatin1Char('.'));
    EXPECT_EQ(ProcessFormats().shortTimeFormat, QStringLiteral("HH.nn"));
    EXPECT_EQ(ProcessFormats().timeSeparator, QLatin1Char('.'));
    EXPECT_EQ(ProcessFormats().timeAMString, QStringLiteral("vorm."));
    EXPECT_EQ(ProcessFormats().timePMString, QStringLiteral("nachm."));
}

TEST_F(MainWindow, ClosingClosesThePageAndKeepsThePageAndTheDay)
{
    Clock::SetFixed(QDateTime(QDate(2002, 6, 9), QTime(9, 0)));
    auto window = Open(AllFakePages());
    window->NavigateTo(135, 0, 0, 0);
    window->close();
    Clock::SetFixed({});
    EXPECT_EQ(gPagesClosed, 2);
    EXPECT_EQ(window->CurrentPage(), nullptr);
    EXPECT_EQ(NavHistory.Count(), 0);
    EXPECT_EQ(window->CBGoTo->count(), 0);
    EXPECT_EQ(ReadLastModule(0), 135);
    EXPECT_EQ(ReadDateLastUsed(), EncodeDate(2002, 6, 9));
}

TEST_F(MainWindow, APagesMenusMergeIntoTheMainMenuWhileItIsShown)
{
    ModulePageTable pages = AllFakePages();
    pages.Register(134, [](QWidget* parent) { return new MenuPage(parent); });
    auto window = Open(std::move(pages));
    EXPECT_EQ(MenuTitles(*window), QStringList({"&File", "&View", "&Help"}));
    window->NavigateTo(134, 0, 0, 0);
    EXPECT_EQ(MenuTitles(*window), QStringList({"Page File", "&View", "Report", "&Help"}));
    window->GoBack();
    EXPECT_EQ(MenuTitles(*window), QStringList({"&File", "&View", "&Help"}));
    window->close();
}

TEST_F(MainWindow, ASecondCopyStopsBeforeTouchingTheDatabaseOrTheFormats)
{
    QWidget firstWindow;
    TSingleInstance firstCopy(&firstWindow);
    DataFolder = QStringLiteral("/nonexistent/db/");
    TFormHealthMain second{AllFakePages()};
    EXPECT_TRUE(second.SingleInstance1.Stopped());
    EXPECT_EQ(boxes_.Texts(), QStringList({QStringLiteral("Application is already running.")}));
    EXPECT_EQ(ProcessFormats().shortDateFormat, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(AppMessageHook, nullptr);
}

// Counts the left presses that reach it.
class PressTarget : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A left press at a screen position, delivered as the event loop would.
bool Press(QWidget& target, const QPoint& globalPos)
{
    QMouseEvent press(QEvent::MouseButtonPress, target.mapFromGlobal(globalPos), globalPos, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    return QApplication::sendEvent(&target, &press);
}

// Most sessions open no date field: the picker is made when one first asks,
// and until then the hooks that serve it let everything else through.
TEST_F(MainWindow, TheDatePickerIsMadeOnFirstUseAndItsHooksCopeWithoutIt)
{
    auto window = Open(AllFakePages());
    EXPECT_EQ(DateForm, nullptr);
    QEvent request(DatePickerHideEvent());
    EXPECT_TRUE(QCoreApplication::sendEvent(QCoreApplication::instance(), &request));
    PressTarget target;
    target.show();
    EXPECT_TRUE(Press(target, QPoint(0, 0)));
    EXPECT_EQ(target.presses, 1);
    EXPECT_EQ(DateForm, nullptr);

    TFormDate& picker = SharedDatePicker();
    EXPECT_EQ(DateForm, &picker);
    EXPECT_EQ(&SharedDatePicker(), &picker);
    EXPECT_EQ(picker.parentWidget(), window.get());
    EXPECT_FALSE(picker.isVisible());
    window->close();
    window.reset();
    EXPECT_EQ(DateForm, nullptr);
}

TEST_F(MainWindow, TheDatePickerHidesOnAClickBesideItAndTheClickIsSwallowed)
{
    auto window = Open(AllFakePages());
    SharedDatePicker();
    EXPECT_FALSE(DateForm->isVisible());
    PressTarget target;
    target.show();
    DateForm->move(100, 100);
    DateForm->show();
    const QRect picker = DateForm->geometry();

    Press(target, QPoint(picker.left() + picker.width(), picker.top() + picker.height()));
    EXPECT_TRUE(DateForm->isVisible());
    EXPECT_EQ(target.presses, 1);

    Press(target, QPoint(picker.left() + picker.width() + 1, picker.top()));
    EXPECT_FALSE(DateForm->isVisible());
    EXPECT_EQ(target.presses, 1);

    Press(target, QPoint(0, 0));
    EXPECT_EQ(target.presses, 2);
    window->close();
}

TEST_F(MainWindow, TheDatePickersHideRequestIsServedAndSwallowed)
{
    auto window = Open(AllFakePages());
    SharedDatePicker().show();
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(DatePickerHideEvent()));
    RunPostedEvents();
    EXPECT_FALSE(DateForm->isVisible());
    // Hidden already: nothing happens, and nothing else sees it.
    QEvent request(DatePickerHideEvent());
    EXPECT_TRUE(QCoreApplication::sendEvent(QCoreApplication::instance(), &request));
    EXPECT_FALSE(DateForm->isVisible());
    window->close();
}

TEST(DatabaseVersion, TheDeliveredDatabaseIsOfTheKnownVersion)
{
    ScriptedMessageBoxes boxes;
    FreshDataFolder folder;
    CheckDatabaseVersion(folder.Path());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// A database that cannot be read has no wrong version: the caller learns why.
TEST(DatabaseVersion, ADatabaseThatCannotBeReadIsNotOfTheWrongVersion)
{
    ScriptedMessageBoxes boxes;
    EXPECT_THROW(CheckDatabaseVersion(QStringLiteral("/nonexistent/db/")), EDatabaseError);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(DatabaseVersion, AnotherOrNoVersionOnlyWarns)
{
    ScriptedMessageBoxes boxes;
    FreshDataFolder folder;
    SetDatabaseVersion(folder.Path(), QStringLiteral("2"));
    CheckDatabaseVersion(folder.Path());
    SetDatabaseVersion(folder.Path(), QStringLiteral("1 "));
    CheckDatabaseVersion(folder.Path());
    EXPECT_EQ(boxes.Texts(), QStringList({kVersionWarning, kVersionWarning}));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
}

}  // namespace
