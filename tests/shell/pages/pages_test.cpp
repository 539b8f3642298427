#include "pagetestenv.h"
#include "platform/dataset.h"
#include "qstringprint.h"
#include "context/context.h"
#include "context/navigation.h"
#include "shell/pages/clicklabel.h"
#include "records/common/currencytext.h"
#include "shell/pages/formdeletemem.h"
#include "shell/pages/formmedinsurance.h"
#include "shell/pages/formmedmember.h"
#include "shell/pages/formmedpage.h"
#include "shell/pages/formmedtoc.h"
#include "shell/pages/pageframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <QWindow>

namespace {

// Answers the deletion window that the page opens modally.
void ChooseInDeletionWindow(int index)
{
    QTimer::singleShot(0, [index] {
        auto* window = qobject_cast<TFormDeleteMem*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window);
        window->CBMember->setCurrentIndex(index);
        window->BtnDelete->click();
    });
}

QStringList Labels(const TItemBox& box)
{
    QStringList labels;
    for (int i = 0; i < box.Count(); ++i)
        labels.append(box.Item(i).label->text());
    return labels;
}

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

// What the user reads: Qt takes a text that looks like markup for rich text
// unless told it is plain, in labels and in tooltips alike.
QString Shown(const QString& text, Qt::TextFormat format)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QString ShownText(const QLabel& label)
{
    return Shown(label.text(), label.textFormat());
}

QString ShownToolTip(const QWidget& control)
{
    return Shown(control.toolTip(), Qt::AutoText);
}

// The label is large enough for its whole text: its longest word on a line,
// and every line of the text at its width.
bool ShowsWholeText(const QLabel& label)
{
    return label.width() >= label.minimumSizeHint().width() && label.height() >= label.heightForWidth(label.width());
}

// No item's label runs into the next one's: a long label keeps the space
// that two short ones have between them, so two links never read as one.
void ExpectItemsApart(const TItemBox& box)
{
    constexpr int kDesignedGap = 70 - 36;
    for (int i = 0; i + 1 < box.Count(); ++i) {
        const QRect label = box.Item(i).label->geometry();
        EXPECT_GE(box.Item(i + 1).label->y() - (label.bottom() + 1), kDesignedGap) << "item " << i;
        EXPECT_GT(box.Item(i + 1).picture->y(), label.bottom()) << "item " << i;
    }
}

// The longest first name the members' table takes, with a quote.
const QString kSixtyLetterName = QStringLiteral("Bartholomew-Maximilian Fitzgerald-Montgomery O'Donnell-Smyth");

// Names as a user may type them: markup that must not be read, quotes and an ampersand.
const QString kMarkupName = QStringLiteral("<font color=red size=6>Ann</font>");
const QString kQuotedName = QStringLiteral("Jo \"JJ\" O'Neil & <b>");

using PagesTest = PageTest;

TEST_F(PagesTest, TheMembersPageShowsOneItemPerMember)
{
    {
        TFormMedMember empty(nullptr);
        empty.show();
        EXPECT_TRUE(empty.Memo1->isVisible());
        EXPECT_EQ(empty.SBox->Count(), 0);
        EXPECT_EQ(empty.windowTitle(), QStringLiteral("Members"));
    }
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 sam = AddMember(QStringLiteral("Sam"), 2, EncodeDate(1980, 1, 1));
    TFormMedMember page(nullptr);
    page.show();
    EXPECT_FALSE(page.Memo1->isVisible());
    EXPECT_EQ(Labels(*page.SBox), (QStringList{QStringLiteral("John's Medical Page"), QStringLiteral("Sam's Medical Page")}));
    const TPageItem& samItem = page.SBox->Item(1);
    EXPECT_EQ(samItem.picture->objectName(), QStringLiteral("ImageMedPage1"));
    EXPECT_EQ(samItem.label->objectName(), QStringLiteral("LbMedPage1"));
    EXPECT_EQ(samItem.picture->toolTip(), QStringLiteral("Click to view Sam's medical page"));
    EXPECT_TRUE(samItem.picture->pixmap().isNull()) << "no picture for a sex other than 0 or 1";
    EXPECT_FALSE(page.SBox->Item(0).picture->pixmap().isNull());
    EXPECT_EQ(samItem.picture->geometry(), QRect(20, 85, 47, 55));
    EXPECT_EQ(samItem.label->geometry(), QRect(77, 105, 118, 36));

    emit samItem.label->clicked();
    EXPECT_EQ(PendingModuleID, ModMedPage);
    EXPECT_EQ(PendingParam1, sam);
}

TEST_F(PagesTest, AMembersLabelShowsEveryLineOfALongName)
{
    AddMember(QStringLiteral("Ann"), 1, EncodeDate(1972, 8, 19));
    AddMember(QStringLiteral("Christopher Alexander"), 0, EncodeDate(1970, 3, 2));
    AddMember(QStringLiteral("Maximilianawilhelmina"), 1, EncodeDate(2015, 1, 1));
    AddMember(QStringLiteral("Jo Ann Mary Lou Sue Kay Bea Eve Amy"), 1, EncodeDate(2015, 1, 1));
    AddMember(kSixtyLetterName, 0, EncodeDate(2018, 3, 1));
    AddMember(QStringLiteral("Ann"), 1, EncodeDate(2018, 3, 1));
    TFormMedMember page(nullptr);
    page.show();
    for (int i = 0; i < page.SBox->Count(); ++i)
        EXPECT_TRUE(ShowsWholeText(*page.SBox->Item(i).label)) << page.SBox->Item(i).label->text().toStdString();
    ExpectItemsApart(*page.SBox);
    // A name that fits keeps the designed place and size.
    EXPECT_EQ(page.SBox->Item(0).label->geometry(), QRect(77, 35, 118, 36));
    EXPECT_EQ(page.SBox->Item(0).picture->geometry(), QRect(20, 15, 47, 55));
    EXPECT_EQ(page.SBox->Item(1).picture->y(), 85) << "a name that fits keeps the designed pitch";
    const QWidget* content = page.SBox->widget();
    EXPECT_GE(content->height(), page.SBox->Item(5).label->geometry().bottom());
}

// A member's page fits the main window whatever the name: the heading wraps
// instead of widening the page, and the window with it, past the screen.
TEST_F(PagesTest, AMembersPageHeadingWrapsALongNameWithinThePage)
{
    CurMemberID = AddMember(kSixtyLetterName, 0, EncodeDate(2018, 3, 1));
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* page = new TFormMedPage(&window);
    layout->addWidget(page);
    window.resize(646, 455);
    window.show();
    EXPECT_LE(window.minimumSizeHint().width(), 646);
    EXPECT_EQ(window.width(), 646);
    EXPECT_LE(page->JazLabel1->geometry().right(), page->width());
    EXPECT_TRUE(ShowsWholeText(*page->JazLabel1));
    EXPECT_EQ(page->JazLabel1->text(), kSixtyLetterName + QStringLiteral("'s Medical Page"));
}

TEST_F(PagesTest, TheMembersPageRebuildsAfterAnAddOrADelete)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 reminder = AddToDo(QStringLiteral("John's physical"), EncodeDate(kThisYear, 7, 1));
    AddScheduleRow(john, reminder);
    TDialogOutcome outcome;
    FakeDialog(TDialogID::NewMember, [&](const TDialogRequest&) {
        AddMember(QStringLiteral("Anna"), 1, EncodeDate(2001, 1, 1));
        return outcome;
    });
    TFormMedMember page(nullptr);
    page.show();
    QSignalSpy goToList(&page, &TFormMedMember::GoToListChanged);

    outcome.cancelled = true;
    page.NewMember1->trigger();
    EXPECT_EQ(page.SBox->Count(), 1) << "left with Cancel and nothing applied";
    EXPECT_EQ(goToList.count(), 0);
    outcome.applied = true;
    page.NewMember1->trigger();
    EXPECT_EQ(page.SBox->Count(), 3);
    EXPECT_EQ(goToList.count(), 1);

    ChooseInDeletionWindow(0);
    page.Deletemember1->trigger();
    EXPECT_EQ(Labels(*page.SBox), (QStringList{QStringLiteral("Anna's Medical Page"), QStringLiteral("Anna's Medical Page")}));
    EXPECT_EQ(goToList.count(), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 0) << "the deletion window removes the reminders too";
}

TEST_F(PagesTest, TheDeletionWindowListsByMode)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2), QStringLiteral("Smith"));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19), QStringLiteral("Smith"));
    {
        TQuery middle(DataFolder);
        middle.SetRequestLive(true);
        middle.SQL() << QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = :MemberID");
        middle.ParamByName(QStringLiteral("MemberID")).SetAsInteger(mary);
        middle.Open();
        middle.Edit();
        middle.FieldByName(QStringLiteral("MiddleName")).SetAsString(QStringLiteral("Ann"));
        middle.Post();
    }
    const QStringList kinds = {QStringLiteral("Medical"), QStringLiteral("Dental"), QStringLiteral("Vision"),
                               QStringLiteral("Drug"), QStringLiteral("FSA"), QStringLiteral("Other")};
    for (int type = 0; type <= 6; ++type)
        AddAccount(type, QStringLiteral("Plan%1").arg(type));

    TFormDeleteMem members(nullptr, TFormDeleteMem::DeleteMemberMode);
    members.show();
    EXPECT_EQ(members.windowTitle(), QStringLiteral("Delete Member"));
    EXPECT_EQ(members.LabelPrompt->text(), QStringLiteral("Please select a member to delete."));
    EXPECT_EQ(Items(*members.CBMember), (QStringList{QStringLiteral("John Smith"), QStringLiteral("Mary Ann Smith")}));
    EXPECT_EQ(members.CBMember->currentIndex(), -1);

    TFormDeleteMem insurance(nullptr, TFormDeleteMem::DeleteInsuranceMode);
    insurance.show();
    EXPECT_EQ(insurance.windowTitle(), QStringLiteral("Delete Insurance"));
    EXPECT_EQ(insurance.LabelPrompt->text(), QStringLiteral("Please select a insurance to delete."));
    EXPECT_EQ(Items(*insurance.CBMember),
              (QStringList{QStringLiteral("Plan1 Medical Insurance"), QStringLiteral("Plan2 Dental Insurance"),
                           QStringLiteral("Plan3 Vision Insurance"), QStringLiteral("Plan4 Drug Insurance"),
                           QStringLiteral("Plan6 Others")}));

    TFormDeleteMem fsas(nullptr, TFormDeleteMem::DeleteFSAMode);
    fsas.show();
    EXPECT_EQ(fsas.windowTitle(), QStringLiteral("Delete FSA"));
    EXPECT_EQ(fsas.LabelPrompt->text(), QStringLiteral("Please select a FSA to delete."));
    EXPECT_EQ(Items(*fsas.CBMember), QStringList{QStringLiteral("FSA with Plan5")});

    // Delete without a choice only closes; with one, the row goes.
    insurance.BtnDelete->click();
    EXPECT_FALSE(insurance.isVisible());
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS")), 7);
    fsas.CBMember->setCurrentIndex(0);
    fsas.BtnDelete->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS WHERE AccountType = 5")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS")), 6);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

// The reminders go with the member in one transaction: when one of them
// cannot be deleted, the member and every reminder stay, and the window stays
// open for another try.
TEST_F(PagesTest, ADeletionThatFailsDeletesNothingAndKeepsTheWindowOpen)
{
    const qint32 john = AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2), QStringLiteral("O'Hara"));
    const qint32 eyes = AddToDo(QStringLiteral("John's eye exam"), EncodeDate(kThisYear, 2, 29));
    const qint32 teeth = AddToDo(QStringLiteral("John's dental cleaning"), EncodeDate(kThisYear, 12, 31));
    AddScheduleRow(john, eyes);
    AddScheduleRow(john, teeth);
    const qint32 fsa = AddAccount(5, QStringLiteral("Northwind"));
    auto exec = [this](const QString& sql) {
        TQuery q(folder_.Path());
        q.SQL() << sql;
        q.ExecSQL();
    };
    exec(QStringLiteral("CREATE TRIGGER KeepTeeth BEFORE DELETE ON TODO01 WHEN OLD.Todoid = %1 "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(teeth));
    exec(QStringLiteral("CREATE TRIGGER KeepAccounts BEFORE DELETE ON MEDINS BEGIN SELECT RAISE(ABORT, 'refused'); END"));

    TFormDeleteMem members(nullptr, TFormDeleteMem::DeleteMemberMode);
    members.show();
    members.CBMember->setCurrentIndex(0);
    members.BtnDelete->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = %1").arg(john)), 1);
    EXPECT_EQ(Column(QStringLiteral("SELECT Todoid FROM TODO01 ORDER BY Todoid")),
              (QStringList{QString::number(eyes), QString::number(teeth)}));
    EXPECT_TRUE(members.isVisible());
    EXPECT_EQ(members.CBMember->currentText(), QStringLiteral("John O'Hara"));
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Cannot delete this member: the database could not be "
                                                         "changed. Nothing was deleted.")});

    TFormDeleteMem fsas(nullptr, TFormDeleteMem::DeleteFSAMode);
    fsas.show();
    fsas.CBMember->setCurrentIndex(0);
    fsas.BtnDelete->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS WHERE AccountID = %1").arg(fsa)), 1);
    EXPECT_TRUE(fsas.isVisible());
    EXPECT_EQ(boxes_.Texts().last(),
              QStringLiteral("Cannot delete this FSA: the database could not be changed. Nothing was deleted."));

    // Once the database lets it, the same choice deletes the member and both reminders.
    exec(QStringLiteral("DROP TRIGGER KeepTeeth"));
    members.BtnDelete->click();
    EXPECT_FALSE(members.isVisible());
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 0);
    EXPECT_EQ(boxes_.shown.size(), 2);
}

TEST_F(PagesTest, TheDeletionWindowSaysWhenThereIsNoAccount)
{
    TFormDeleteMem insurance(nullptr, TFormDeleteMem::DeleteInsuranceMode);
    insurance.show();
    TFormDeleteMem fsas(nullptr, TFormDeleteMem::DeleteFSAMode);
    fsas.show();
    TFormDeleteMem members(nullptr, TFormDeleteMem::DeleteMemberMode);
    members.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("There is nothing to Delete."), QStringLiteral("There is nothing to delete.")}));
    members.BtnCancel->click();
    EXPECT_FALSE(members.isVisible());
}

// A box's own event loop run while the window is still being shown leaves
// the window unsized on X11, so the warning waits until the window is up.
TEST_F(PagesTest, TheDeletionWindowIsOnScreenBeforeItSaysThereIsNothing)
{
    class WindowStateBoxes : public MessageBoxes {
    public:
        explicit WindowStateBoxes(const QWidget& window) : window_(window) { InstallMessageBoxes(this); }
        ~WindowStateBoxes() override { InstallMessageBoxes(nullptr); }
        MsgResult Show(const MessageRequest& request) override
        {
            texts.append(request.text);
            windowUp.append(window_.windowHandle() && window_.windowHandle()->isVisible());
            return MsgResult::Ok;
        }
        void Beep() override {}
        QStringList texts;
        QList<bool> windowUp;

    private:
        const QWidget& window_;
    };

    TFormDeleteMem fsas(nullptr, TFormDeleteMem::DeleteFSAMode);
    WindowStateBoxes boxes(fsas);
    fsas.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("There is nothing to delete.")});
    EXPECT_EQ(boxes.windowUp, QList<bool>{true});
}

TEST_F(PagesTest, TheInsurancePageShowsTheSummaryAndEveryAccount)
{
    const QString twenty = QStringLiteral("Exactly twenty chars");
    ASSERT_EQ(twenty.size(), 20);
    AddAccount(1, twenty);
    const qint32 fsa = AddAccount(5, twenty + QLatin1Char('!'));
    AddAccount(0, QStringLiteral("Not an account"));
    AddAccount(6, QStringLiteral("Northwindhealthplans1"));
    TFormMedInsurance page(nullptr);
    page.show();
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Expense & Reimbursement"));
    EXPECT_EQ(Labels(*page.SBox),
              (QStringList{QStringLiteral("Medical Expenses Summary/Report"), twenty + QStringLiteral(" insurance"),
                           QStringLiteral("FSA with ") + twenty + QStringLiteral("..."),
                           QStringLiteral("Northwindhealthplans... insurance")}));
    EXPECT_EQ(page.SBox->Item(0).picture->objectName(), QStringLiteral("ImageMedPay"));
    EXPECT_EQ(page.SBox->Item(0).label->objectName(), QStringLiteral("LbMedPay"));
    EXPECT_EQ(page.SBox->Item(0).picture->toolTip(), QStringLiteral("Click to track medical expenses"));
    EXPECT_EQ(page.SBox->Item(1).picture->toolTip(), QStringLiteral("Click to view ") + twenty + QStringLiteral("'s insurance plan"));
    EXPECT_EQ(page.SBox->Item(2).label->toolTip(),
              QStringLiteral("Click to view ") + twenty + QStringLiteral("...'s FSA plan"));
    EXPECT_EQ(page.SBox->Item(2).label->objectName(), QStringLiteral("LbMedPage2"));
    EXPECT_EQ(ItemTag(*page.SBox->Item(2).picture), fsa);
    // 21 characters show 20 and "...", which the label has room for.
    for (int i = 0; i < page.SBox->Count(); ++i)
        EXPECT_TRUE(ShowsWholeText(*page.SBox->Item(i).label)) << page.SBox->Item(i).label->text().toStdString();
    ExpectItemsApart(*page.SBox);
    // Without their dialogs the items are there but cannot be clicked.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(page.SBox->Item(i).picture->isEnabled());
    EXPECT_FALSE(page.NewInsurance1->isEnabled());
}

TEST_F(PagesTest, AnAccountItemTakesTheNameItsDialogSaved)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 fsa = AddAccount(5, QStringLiteral("Northwind"));
    TDialogOutcome outcome;
    QList<qint32> opened;
    FakeDialog(TDialogID::FSA, [&](const TDialogRequest& request) {
        EXPECT_FALSE(request.isNew);
        opened.append(CurAccountID);
        return outcome;
    });
    int* expenses = CountingDialog(TDialogID::ExpenseTable);
    TFormMedInsurance page(nullptr);
    page.show();
    const TPageItem& item = page.SBox->Item(1);
    ASSERT_TRUE(item.picture->isEnabled());

    outcome.savedAccountName = QStringLiteral("A name much longer than twenty");
    emit item.picture->clicked();
    EXPECT_EQ(item.label->text(), QStringLiteral("FSA with A name much longer t..."));
    outcome.savedAccountName = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW");
    emit item.picture->clicked();
    EXPECT_EQ(item.label->text(), QStringLiteral("FSA with WWWWWWWWWWWWWWWWWWWW..."));
    EXPECT_TRUE(ShowsWholeText(*item.label));
    outcome.cancelled = true;
    outcome.savedAccountName = QStringLiteral("Ignored");
    emit item.label->clicked();
    EXPECT_EQ(item.label->text(), QStringLiteral("FSA with WWWWWWWWWWWWWWWWWWWW..."));
    EXPECT_EQ(opened, (QList<qint32>{fsa, fsa, fsa}));

    emit page.SBox->Item(0).label->clicked();
    EXPECT_EQ(*expenses, 1);
}

TEST_F(PagesTest, TheInsurancePageAddsAndDeletesAccounts)
{
    TDialogOutcome outcome;
    outcome.noMembers = true;
    FakeDialog(TDialogID::Insurance, [&](const TDialogRequest& request) {
        EXPECT_TRUE(request.isNew);
        if (!outcome.noMembers)
            AddAccount(2, QStringLiteral("Smile"));
        return outcome;
    });
    TFormMedInsurance page(nullptr);
    page.show();
    page.NewInsurance1->trigger();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please first add at least one member before adding insurance.")});
    EXPECT_EQ(page.SBox->Count(), 1);

    outcome.noMembers = false;
    outcome.cancelled = true;
    outcome.applied = true;
    page.NewInsurance1->trigger();
    EXPECT_EQ(Labels(*page.SBox).last(), QStringLiteral("Smile insurance")) << "an Apply before Cancel saved it";

    ChooseInDeletionWindow(0);
    page.DeleteInsurance1->trigger();
    EXPECT_EQ(page.SBox->Count(), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDINS")), 0);
}

TEST_F(PagesTest, TheHomePageLeadsToTheFiveAreas)
{
    TFormMedToc page(nullptr, [](qint32 moduleID) { return moduleID != ModInternetInfo; });
    page.resize(700, 500);
    page.show();
    EXPECT_EQ(page.windowTitle(), QStringLiteral("CarePortfolio"));
    const std::pair<TClickLabel*, qint32> areas[] = {{page.ImgHealth, ModMedMember},
                                                     {page.ImgInsurance, ModMedInsurance},
                                                     {page.ImgAddress, ModAddrTutor},
                                                     {page.ImgToDo, ModToDoTutor}};
    for (const auto& [picture, moduleID] : areas) {
        ASSERT_TRUE(picture->isEnabled());
        emit picture->clicked();
        EXPECT_EQ(PendingModuleID, moduleID);
    }
    EXPECT_FALSE(page.ImgInternet->isEnabled()) << "the web-link page is not there yet";
    EXPECT_EQ(page.ImgInsurance->toolTip(), QStringLiteral("Click to track Health Insurances"));
    EXPECT_EQ(page.findChildren<TClickLabel*>().size(), 12) << "five pictures and seven labels";

    // The top panel and the bottom panel are centred, one above the other.
    EXPECT_EQ(page.PanelTop->x(), (page.width() - page.PanelTop->width()) / 2);
    EXPECT_EQ(page.PanelBottom->x(), (page.width() - page.PanelBottom->width()) / 2);
    const int stack = page.PanelTop->height() + page.Bevel1->height() + page.PanelBottom->height() + 27;
    EXPECT_EQ(page.PanelTop->y(), (page.height() - stack) / 2);
    EXPECT_EQ(page.Bevel1->y(), page.PanelTop->geometry().bottom() + 1 + 5);
    EXPECT_EQ(page.PanelBottom->y(), page.Bevel1->y() + 22);
    EXPECT_EQ(page.Bevel1->width(), page.width());
}

TEST_F(PagesTest, TheMemberPageOpensTheMembersDialogs)
{
    AddMember(QStringLiteral("John"), 0, EncodeDate(1970, 3, 2));
    const qint32 mary = AddMember(QStringLiteral("Mary"), 1, EncodeDate(1972, 8, 19));
    QList<qint32> members;
    FakeDialog(TDialogID::CheckupSchedule, [&](const TDialogRequest&) {
        members.append(CurMemberID);
        return TDialogOutcome{};
    });
    CurMemberID = mary;
    TFormMedPage page(nullptr);
    EXPECT_EQ(page.MemberID(), mary);
    EXPECT_EQ(page.JazLabel1->text(), QStringLiteral("Mary's Medical Page"));
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Mary's Medical Page"));
    EXPECT_TRUE(page.ImgCheckup->isEnabled());
    EXPECT_FALSE(page.ImgRecord->isEnabled());
    EXPECT_FALSE(page.ImgImmu->isEnabled());
    CurMemberID = 0;
    emit page.ImgCheckup->clicked();
    EXPECT_EQ(members, QList<qint32>{mary});
}

TEST_F(PagesTest, StoredNamesAreShownAsTypedNotAsMarkup)
{
    const qint32 ann = AddMember(kMarkupName, 1, EncodeDate(1980, 1, 1));
    AddMember(kQuotedName, 0, EncodeDate(1980, 1, 1));
    {
        TFormMedMember members(nullptr);
        members.show();
        for (int i = 0; i < 2; ++i) {
            const QString name = i == 0 ? kMarkupName : kQuotedName;
            const TPageItem& item = members.SBox->Item(i);
            EXPECT_EQ(ShownText(*item.label), name + QStringLiteral("'s Medical Page"));
            EXPECT_EQ(ShownToolTip(*item.label), QStringLiteral("Click to view ") + name + QStringLiteral("'s medical page"));
            EXPECT_EQ(ShownToolTip(*item.picture), ShownToolTip(*item.label));
        }
    }
    CurMemberID = ann;
    TFormMedPage page(nullptr);
    EXPECT_EQ(ShownText(*page.JazLabel1), kMarkupName + QStringLiteral("'s Medical Page"));

    // The account names, as loaded and as renamed by their dialog.
    const QString account = QStringLiteral("<i>\"Blue\" & Co</i>");
    AddAccount(1, account);
    AddAccount(5, kMarkupName);
    TDialogOutcome outcome;
    outcome.savedAccountName = QStringLiteral("<u>Red</u> 'River'");
    FakeDialog(TDialogID::Insurance, [&](const TDialogRequest&) { return outcome; });
    TFormMedInsurance insurance(nullptr);
    insurance.show();
    EXPECT_EQ(ShownText(*insurance.SBox->Item(1).label), account + QStringLiteral(" insurance"));
    EXPECT_EQ(ShownToolTip(*insurance.SBox->Item(1).picture),
              QStringLiteral("Click to view ") + account + QStringLiteral("'s insurance plan"));
    EXPECT_EQ(ShownText(*insurance.SBox->Item(2).label), QStringLiteral("FSA with ") + kMarkupName.left(20) + QStringLiteral("..."));
    EXPECT_EQ(ShownToolTip(*insurance.SBox->Item(2).label),
              QStringLiteral("Click to view ") + kMarkupName.left(20) + QStringLiteral("...'s FSA plan"));
    emit insurance.SBox->Item(1).label->clicked();
    EXPECT_EQ(ShownText(*insurance.SBox->Item(1).label), QStringLiteral("<u>Red</u> 'River' insurance"));
}

// The FSA warning names the account: the box shows the name as typed.
TEST_F(PagesTest, AMessageBoxShowsItsTextAsTyped)
{
    InstallMessageBoxes(nullptr);
    Qt::TextFormat format = Qt::RichText;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        format = box->textFormat();
        text = box->text();
        box->accept();
    });
    ShowMessageBox(QStringLiteral("Your reimbursement from FSA with ") + kMarkupName, MsgIcon::Warning);
    InstallMessageBoxes(&boxes_);
    EXPECT_EQ(Shown(text, format), QStringLiteral("Your reimbursement from FSA with ") + kMarkupName);
}

TEST_F(PagesTest, CurrencyTextShowsTwoDecimalsAndThousands)
{
    EXPECT_EQ(CurrencyText(0), QStringLiteral("$0.00"));
    EXPECT_EQ(CurrencyText(999.999), QStringLiteral("$1,000.00"));
    EXPECT_EQ(CurrencyText(1234567.891), QStringLiteral("$1,234,567.89"));
    EXPECT_EQ(CurrencyText(-1234.5), QStringLiteral("-$1,234.50"));
    EXPECT_EQ(CurrencyText(100.30), CurrencyTextOfCents(10030));
}

TEST_F(PagesTest, CurrencyTextOfAnAmountTooBigForCentsIsTheTooBigAmount)
{
    for (double amount : {9.3e16, -9.3e16, 1e300, std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(CurrencyText(amount), QStringLiteral("-$1.00")) << amount;
    EXPECT_EQ(CurrencyText(9e16), QStringLiteral("$90,000,000,000,000,000.00"));
    EXPECT_EQ(CurrencyText(-19.99), QStringLiteral("-$19.99"));
    EXPECT_EQ(CurrencyTextOfCents(std::numeric_limits<qint64>::min()), QStringLiteral("-$92,233,720,368,547,758.08"));
}

TEST_F(PagesTest, CentsSumIsTooBigToShowOnceItLeavesSixtyFourBits)
{
    TCentsSum sum;
    sum.Add(19.99);
    sum.Add(0.29);
    EXPECT_EQ(sum.Cents(), 2028);
    TCentsSum huge;
    huge.Add(5e16);
    EXPECT_EQ(huge.Text(), QStringLiteral("$50,000,000,000,000,000.00"));
    huge.Add(huge);
    EXPECT_FALSE(huge.Cents()) << "1e19 cents";
    huge.Add(-5e16);
    EXPECT_EQ(huge.Text(), QStringLiteral("-$1.00")) << "stays too big";
    sum.Add(std::nan(""));
    EXPECT_FALSE(sum.Cents());
    TCentsSum negative;
    negative.Add(-9.2e16);
    negative.Add(negative);
    EXPECT_FALSE(negative.Cents());
}

}  // namespace

