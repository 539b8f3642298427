// The web-link dialog as the user meets it: the tree read and written back,
// the add and edit dialogs with their refusals, deleting, dropping, opening a
// link in the browser, and the dialog's size kept.
#include "organizer/dlgaddurl.h"
#include "organizer/dlgediturl.h"
#include "organizer/dlgiir.h"
#include "organizer/linkstore.h"

#include "context/context.h"
#include "context/registry.h"
#include "platform/dataset.h"
#include "tests/organizer/desktopscripts.h"
#include "tests/organizer/fakedesktop.h"
#include "tests/organizer/linktrees.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"
#include "tests/shell/pages/qstringprint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kRoot = QStringLiteral("Internet Health Info Resources");

// Runs `work` on the modal dialog of the type once it is shown.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> work)
{
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

// The tree's drop handler, as a drop delivered by the window system reaches it.
struct DropReached : TLinkTreeView {
    using TLinkTreeView::dropEvent;
};

class WebLinkDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        OpenWindowKey(QStringLiteral("DlgIIR"))->remove(QString());
        SaveLinkTree(QStringLiteral("hiir"), SampleTree());
        dialog_.Init(QStringLiteral("hiir"), kRoot, kRoot);
        dialog_.setWindowTitle(kRoot);
        dialog_.show();
    }
    void TearDown() override { DataFolder.clear(); }

    // Root
    //   Allergies (folder, open, note)
    //     Pollen (site)
    //     Kids (folder, closed)
    //       Peanuts (site)
    //   Clinic (site)
    //   Local file (site, no web address)
    static TLinkTree SampleTree()
    {
        TLinkTree tree(kRoot);
        TLinkData allergies = Folder(QStringLiteral("Allergies"));
        allergies.expanded = true;
        allergies.note = {QStringLiteral("Spring is worst")};
        TLinkNode& a = tree.Append(tree.Root(), allergies);
        tree.Append(a, Site(QStringLiteral("Pollen"), QStringLiteral("https://pollen.example/today?zip=02134&o'neil=1")));
        TLinkNode& k = tree.Append(a, Folder(QStringLiteral("Kids")));
        tree.Append(k, Site(QStringLiteral("Peanuts"), QStringLiteral("http://nuts.example/")));
        tree.Append(tree.Root(), Site(QStringLiteral("Dr. O'Neil's <b>clinic</b>"), QStringLiteral("http://clinic.example/")));
        tree.Append(tree.Root(), Site(QStringLiteral("Local file"), QStringLiteral("file:///etc/passwd")));
        return tree;
    }

    TLinkNode& Node(int absoluteIndex) { return *dialog_.Tree()->NodeAt(absoluteIndex); }
    QTreeWidgetItem* Item(int absoluteIndex) { return dialog_.ItemOf(Node(absoluteIndex)); }
    // As the user would: the folders above opened first.
    void Select(int absoluteIndex)
    {
        QTreeWidgetItem* item = Item(absoluteIndex);
        for (QTreeWidgetItem* above = item->parent(); above; above = above->parent())
            above->setExpanded(true);
        dialog_.TreeViewIIR->setCurrentItem(item);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const TLinkNode* node : dialog_.Tree()->PreOrder())
            texts << QString(node->Level() * 2, QLatin1Char(' ')) + node->text;
        return texts;
    }
    static QStringList StoredTexts()
    {
        QStringList texts;
        const TLinkTree stored = LoadLinkTree(QStringLiteral("hiir"), kRoot);
        for (const TLinkNode* node : stored.PreOrder())
            texts << QString(node->Level() * 2, QLatin1Char(' ')) + node->text;
        return texts;
    }

    FreshDataFolder folder_;
    FakeDesktop desktop_;
    ScriptedMessageBoxes boxes_;
    TDlgIIR dialog_;
};

TEST_F(WebLinkDialog, ShowsTheStoredTreeAndWritesItBackOnClose)
{
    EXPECT_EQ(dialog_.LabelPageTitle->text(), kRoot);
    EXPECT_EQ(dialog_.LabelPageTitle->textFormat(), Qt::PlainText);
    QTreeWidgetItem* root = dialog_.TreeViewIIR->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), kRoot);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->childCount(), 3);
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Dr. O'Neil's <b>clinic</b>"));
    EXPECT_TRUE(Item(1)->isExpanded()) << "Allergies was left open";
    EXPECT_FALSE(Item(3)->isExpanded()) << "Kids was left closed";
    EXPECT_EQ(dialog_.TreeViewIIR->currentItem(), root);
    EXPECT_FALSE(dialog_.ButtonEdit->isEnabled());
    EXPECT_FALSE(dialog_.ButtonDelete->isEnabled());
    SavePicture(dialog_, QStringLiteral("weblinks_dialog"));

    // Opening and closing folders is kept.
    Item(3)->setExpanded(true);
    EXPECT_EQ(dialog_.TreeViewIIR->currentItem(), Item(3)) << "an opened folder is selected";
    EXPECT_TRUE(dialog_.ButtonEdit->isEnabled());
    Item(1)->setExpanded(false);
    dialog_.ButtonClose->click();
    EXPECT_FALSE(dialog_.isVisible());
    const TLinkTree stored = LoadLinkTree(QStringLiteral("hiir"), kRoot);
    EXPECT_FALSE(stored.NodeAt(1)->expanded);
    EXPECT_TRUE(stored.NodeAt(3)->expanded);
    EXPECT_EQ(stored.NodeAt(1)->note, QStringList{QStringLiteral("Spring is worst")});
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
}

TEST_F(WebLinkDialog, AddingRefusesWhatIsMissingThenFilesTheEntryInItsFolder)
{
    WhenShown<TDlgAddURL>([](TDlgAddURL& add) {
        EXPECT_EQ(add.windowTitle(), QStringLiteral("Adding Web Site Address/Folder"));
        EXPECT_EQ(add.EditURL->text(), QStringLiteral("http://www."));
        // The folders only, placed and opened as in the dialog's tree.
        QTreeWidgetItem* root = add.TreeViewFolderTree->topLevelItem(0);
        ASSERT_EQ(root->childCount(), 1);
        QTreeWidgetItem* allergies = root->child(0);
        EXPECT_EQ(allergies->text(0), QStringLiteral("Allergies"));
        EXPECT_TRUE(allergies->isExpanded());
        ASSERT_EQ(allergies->childCount(), 1);

        add.ButtonOK->click();
        add.EditDesc->setText(QStringLiteral("  asthma action plan "));
        add.ButtonOK->click();
        add.EditURL->setText(QStringLiteral("https://asthma.example/plan"));
        add.ButtonOK->click();
        EXPECT_TRUE(add.isVisible());
        add.TreeViewFolderTree->setCurrentItem(allergies);
        add.MemoNote->setPlainText(QStringLiteral("\n  \nPrint it for school\n\n"));
        SavePicture(add, QStringLiteral("weblinks_add"));
        add.ButtonOK->click();
    });
    dialog_.ButtonAdd->click();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please enter description.", "Please enter URL (web site address).",
                                           "Please select a folder in which you want the web site address created."}));
    TLinkNode* added = dialog_.NodeOf(dialog_.TreeViewIIR->currentItem());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->text, QStringLiteral("  asthma action plan ")) << "the description as typed";
    EXPECT_EQ(added->url, QStringLiteral("https://asthma.example/plan"));
    EXPECT_EQ(added->note, QStringList({"Print it for school", "", ""}));
    EXPECT_EQ(Texts(), QStringList({kRoot, "  Allergies", "      asthma action plan ", "    Kids", "      Peanuts",
                                    "    Pollen", "  Dr. O'Neil's <b>clinic</b>", "  Local file"}));

    // A folder asks for no address; cancelling adds nothing.
    WhenShown<TDlgAddURL>([](TDlgAddURL& add) {
        add.RadioFolder->click();
        EXPECT_FALSE(add.EditURL->isEnabled());
        add.EditDesc->setText(QStringLiteral("Vision"));
        add.ButtonOK->click();
        add.TreeViewFolderTree->setCurrentItem(add.TreeViewFolderTree->topLevelItem(0));
        add.ButtonOK->click();
    });
    dialog_.ButtonAdd->click();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Please select a folder in which you want the new folder created."));
    EXPECT_EQ(Texts().last(), QStringLiteral("  Vision"));
    EXPECT_TRUE(Node(static_cast<int>(Texts().size()) - 1).folder);
    WhenShown<TDlgAddURL>([](TDlgAddURL& add) { add.ButtonCancel->click(); });
    dialog_.ButtonAdd->click();
    EXPECT_EQ(Texts().size(), 9);
}

TEST_F(WebLinkDialog, EditingRefusesTheRootAndEmptyFieldsAndKeepsTheNote)
{
    dialog_.TreeViewIIR->setCurrentItem(nullptr);
    dialog_.ButtonEditClick();
    Select(0);
    dialog_.ButtonEditClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please select an item to edit.", "Sorry.  This folder cannot be edited."}));

    Select(5);
    WhenShown<TDlgEditURL>([](TDlgEditURL& edit) {
        EXPECT_EQ(edit.windowTitle(), QStringLiteral("Editing Web Site Address"));
        EXPECT_EQ(edit.EditDesc->text(), QStringLiteral("Dr. O'Neil's <b>clinic</b>"));
        EXPECT_EQ(edit.EditURL->text(), QStringLiteral("http://clinic.example/"));
        edit.EditDesc->setText(QStringLiteral("   "));
        edit.ButtonOK->click();
        EXPECT_TRUE(edit.EditDesc->text().isEmpty());
        EXPECT_TRUE(edit.isVisible());
        edit.EditDesc->setText(QStringLiteral("  Dr. Lee  "));
        edit.EditURL->setText(QStringLiteral("  "));
        edit.ButtonOK->click();
        edit.EditURL->setText(QStringLiteral(" https://lee.example/ "));
        edit.MemoNote->setPlainText(QStringLiteral("  \nOpen 9-5\n"));
        SavePicture(edit, QStringLiteral("weblinks_edit_site"));
        edit.ButtonOK->click();
    });
    dialog_.ButtonEdit->click();
    EXPECT_EQ(boxes_.Texts().mid(2), QStringList({"Please enter a description.  It is required.",
                                                  "Please enter a URL (web site address).  It is required."}));
    EXPECT_EQ(Node(5).text, QStringLiteral("Dr. Lee"));
    EXPECT_EQ(Item(5)->text(0), QStringLiteral("Dr. Lee"));
    EXPECT_EQ(Node(5).url, QStringLiteral("https://lee.example/"));
    EXPECT_EQ(Node(5).note, QStringList({"Open 9-5", ""}));

    // A folder: no address, its note shown and kept.
    Select(1);
    WhenShown<TDlgEditURL>([](TDlgEditURL& edit) {
        EXPECT_EQ(edit.windowTitle(), QStringLiteral("Editing Folder Name"));
        EXPECT_FALSE(edit.EditURL->isEnabled());
        EXPECT_EQ(edit.MemoNote->toPlainText(), QStringLiteral("Spring is worst"));
        SavePicture(edit, QStringLiteral("weblinks_edit_folder"));
        edit.EditDesc->setText(QStringLiteral("Allergy \"season\""));
        edit.ButtonOK->click();
    });
    dialog_.ButtonEdit->click();
    EXPECT_EQ(Node(1).text, QStringLiteral("Allergy \"season\""));
    EXPECT_EQ(Node(1).note, QStringList{QStringLiteral("Spring is worst")});
    dialog_.accept();
    EXPECT_EQ(LoadLinkTree(QStringLiteral("hiir"), kRoot).NodeAt(1)->note, QStringList{"Spring is worst"});
}

TEST_F(WebLinkDialog, DeletingAsksFirstAndTakesTheFolderWithItsEntries)
{
    dialog_.TreeViewIIR->setCurrentItem(nullptr);
    dialog_.ButtonDeleteClick();
    EXPECT_FALSE(dialog_.ButtonDelete->isEnabled());
    Select(0);
    dialog_.ButtonDeleteClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please selected an item in the list to delete.",
                                           "Sorry.  This folder cannot be deleted."}));

    Select(1);
    boxes_.answers = {MsgResult::No};
    dialog_.ButtonDelete->click();
    EXPECT_EQ(boxes_.shown.last().text, QStringLiteral("Deleting \"Allergies\" will also delete everything in the "
                                                       "folder.  Are you sure you want to do that?"));
    EXPECT_EQ(boxes_.shown.last().buttons, MsgYes | MsgNo);
    EXPECT_EQ(Texts().size(), 7);
    boxes_.answers = {MsgResult::Yes};
    QTest::keyClick(dialog_.TreeViewIIR, Qt::Key_Delete);
    EXPECT_EQ(Texts(), QStringList({kRoot, "  Dr. O'Neil's <b>clinic</b>", "  Local file"}));
    EXPECT_EQ(dialog_.TreeViewIIR->currentItem(), Item(0));

    Select(1);
    boxes_.answers = {MsgResult::Yes};
    dialog_.ButtonDelete->click();
    EXPECT_EQ(boxes_.shown.last().text, QStringLiteral("Are you sure you want to delete \"Dr. O'Neil's <b>clinic</b>\"?"));
    dialog_.accept();
    EXPECT_EQ(StoredTexts(), QStringList({kRoot, "  Local file"}));
}

TEST_F(WebLinkDialog, EveryDropIsCheckedAndAnAcceptedOneMovesTheEntry)
{
    const auto drop = [this](int dragged, int target) {
        Select(dragged);
        dialog_.TreeViewIIRDragDrop(target < 0 ? nullptr : Item(target));
    };
    drop(2, -1);
    drop(0, 3);
    drop(3, 3);
    drop(2, 3);   // a site onto a closed folder beside it holding a site: a move
    EXPECT_EQ(Texts(), QStringList({kRoot, "  Allergies", "    Kids", "      Peanuts", "      Pollen",
                                    "  Dr. O'Neil's <b>clinic</b>", "  Local file"}));
    EXPECT_EQ(dialog_.TreeViewIIR->currentItem(), Item(4)) << "the moved entry is selected";
    EXPECT_TRUE(Item(2)->isExpanded());
    EXPECT_TRUE(Node(2).expanded) << "the folder it went into is shown open, and kept so";
    drop(4, 3);   // onto the site beside it: the same folder
    drop(1, 3);   // a folder into its own subfolder
    drop(1, 4);   // onto a site inside it
    drop(5, 6);   // onto a site beside it in the root
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please drag it into an existing folder to move.",
                                           "Cannot move the root item.", "Cannot move an item onto itself.",
                                           "Cannot move an item to the same folder.",
                                           "Cannot move a folder into one of its own folders.",
                                           "Cannot move a folder into one of its own folders.",
                                           "Cannot move an item to the same folder."}));
    EXPECT_EQ(Texts().size(), 7);

    // Through the tree: a drop on an item is handed on once the drop was delivered.
    Select(6);
    QMimeData data;
    data.setData(QStringLiteral("application/x-qabstractitemmodeldatalist"), QByteArray());
    dialog_.TreeViewIIR->scrollToItem(Item(1));
    const QPoint at = dialog_.TreeViewIIR->visualItemRect(Item(1)).center();
    QDropEvent event(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    (dialog_.TreeViewIIR->*&DropReached::dropEvent)(&event);
    EXPECT_EQ(event.dropAction(), Qt::CopyAction) << "the drag itself takes nothing out";
    EXPECT_EQ(Texts().size(), 7);
    QApplication::processEvents();
    EXPECT_EQ(Texts()[5], QStringLiteral("    Local file")) << "into Allergies, last";
    dialog_.accept();
    EXPECT_EQ(StoredTexts(), Texts());
}

TEST_F(WebLinkDialog, ALinkOpensInTheBrowserOnlyForAWebAddress)
{
    Select(2);
    dialog_.TreeViewIIRDblClick();
    Select(1);
    dialog_.TreeViewIIRDblClick();   // a folder opens nothing
    Select(5);
    QTest::keyClick(dialog_.TreeViewIIR, Qt::Key_Return);
    EXPECT_EQ(desktop_.opened, QStringList({"https://pollen.example/today?zip=02134&o'neil=1", "http://clinic.example/"}));
    EXPECT_TRUE(boxes_.Texts().isEmpty());

    Select(6);
    dialog_.TreeViewIIRDblClick();
    EXPECT_EQ(desktop_.opened.size(), 2) << "a file is never handed over";
    EXPECT_EQ(boxes_.Texts(), QStringList{NotWebAddressMessage(QStringLiteral("file:///etc/passwd"))});

    desktop_.takes = false;
    Select(4);
    dialog_.TreeViewIIRDblClick();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Sorry.  Cannot browse \"http://nuts.example/\".  Unable to "
                                                    "communicate  with the browser.  You may want to try again later."));
    EXPECT_EQ(boxes_.shown.last().icon, MsgIcon::Warning);
    EXPECT_TRUE(dialog_.isVisible());
}

// The link opened through the real desktop: xdg-mime and xdg-open are the
// test's scripts, and the event loop runs between the dialog's making and the
// double-click, as it does while the user looks for the link.
class WebLinkDialogOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        TLinkTree tree(kRoot);
        tree.Append(tree.Root(), Site(QStringLiteral("Dr. O'Neil's clinic"), kClinic));
        SaveLinkTree(QStringLiteral("hiir"), tree);
    }
    void TearDown() override { DataFolder.clear(); }

    // How long the double-click took, in milliseconds.
    qint64 DoubleClickTheLinkLater(const DesktopScripts& desktop)
    {
        TDlgIIR dialog;
        dialog.Init(QStringLiteral("hiir"), kRoot, kRoot);
        dialog.show();
        desktop.LetTheUserLookAround();
        QTreeWidget& tree = *dialog.TreeViewIIR;
        const QRect link = tree.visualItemRect(tree.topLevelItem(0)->child(0));
        const QPoint at = tree.viewport()->mapTo(&dialog, link.center());
        QElapsedTimer clock;
        clock.start();
        // Through the window, as the window system delivers a double-click.
        QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        const qint64 took = clock.elapsed();
        dialog.reject();
        return took;
    }

    const QString kClinic = QStringLiteral("https://clinic.example/flu?who=O'Neil&age=5");
    FreshDataFolder folder_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(WebLinkDialogOnTheDesktop, TheAddressReachesTheRegisteredOpener)
{
    DesktopScripts desktop(QByteArray("echo web-reader.desktop\n"));
    DoubleClickTheLinkLater(desktop);
    EXPECT_EQ(desktop.OpenedWith(10000), kClinic.toUtf8() + '\n');
    EXPECT_TRUE(boxes_.Texts().isEmpty()) << boxes_.Texts().join('|').toStdString();
}

TEST_F(WebLinkDialogOnTheDesktop, WithoutARegisteredHandlerTheUserIsToldAtOnce)
{
    const std::optional<QByteArray> answers[] = {
        std::nullopt,                                          // no xdg-mime on PATH
        QByteArray("echo web-reader.desktop\nexit 3\n"),       // a failure, whatever it printed
        QByteArray("echo web-reader.desktop\nkill -9 $$\n"),   // a crash
        QByteArray(":\n"),                                     // nothing registered
    };
    for (const std::optional<QByteArray>& xdgMime : answers) {
        SCOPED_TRACE(xdgMime.value_or("missing").toStdString());
        boxes_.shown.clear();
        const DesktopScripts desktop(xdgMime);
        EXPECT_LT(DoubleClickTheLinkLater(desktop), 3000) << "no waiting for an answer that never comes";
        EXPECT_EQ(boxes_.Texts(), QStringList{BrowseFailureMessage(kClinic)});
        EXPECT_EQ(desktop.OpenedWith(300), QByteArray()) << "nothing is started";
    }
}

TEST_F(WebLinkDialog, TheSizeIsKeptAndNeverBelowTheSmallest)
{
    EXPECT_EQ(dialog_.minimumSize(), QSize(320, 270));
    dialog_.resize(610, 505);
    dialog_.accept();
    {
        TDlgIIR again;
        again.Init(QStringLiteral("hiir"), kRoot, kRoot);
        again.show();
        EXPECT_EQ(again.size(), QSize(610, 505));
        again.reject();
    }
    const auto reg = OpenWindowKey(QStringLiteral("DlgIIR"));
    EXPECT_EQ(ReadRegInteger(*reg, QStringLiteral("Width")), 610);
    WriteRegInteger(*reg, QStringLiteral("Width"), 100);
    WriteRegInteger(*reg, QStringLiteral("Height"), 90);
    TDlgIIR small;
    small.Init(QStringLiteral("hiir"), kRoot, kRoot);
    small.show();
    EXPECT_EQ(small.size(), QSize(320, 270));
    small.reject();
}

// Folders twenty deep push the names past the tree's edge: both trees scroll
// sideways to them rather than cut every deep name down to nothing.
TEST_F(WebLinkDialog, DeepFoldersShowTheirNamesWholeInBothTrees)
{
    TLinkTree deep(kRoot);
    TLinkNode* folder = &deep.Root();
    for (int level = 1; level <= 20; ++level) {
        TLinkData data = Folder(QStringLiteral("Allergist referrals, level %1").arg(level));
        data.expanded = true;
        folder = &deep.Append(*folder, data);
    }
    // Short names leave the column the tree's width, where a drop beside a name lands on its row.
    QApplication::processEvents();
    EXPECT_GE(dialog_.TreeViewIIR->columnWidth(0), dialog_.TreeViewIIR->viewport()->width());
    const QRect clinic = dialog_.TreeViewIIR->visualItemRect(Item(5));
    EXPECT_EQ(dialog_.TreeViewIIR->itemAt(dialog_.TreeViewIIR->viewport()->width() - 4, clinic.center().y()), Item(5));

    SaveLinkTree(QStringLiteral("hiir"), deep);
    TDlgIIR shown;
    shown.Init(QStringLiteral("hiir"), kRoot, kRoot);
    shown.show();
    QTreeWidget& links = *shown.TreeViewIIR;
    links.scrollToBottom();
    QApplication::processEvents();
    EXPECT_GT(links.columnWidth(0), links.indentation() * 20 + links.fontMetrics().horizontalAdvance(folder->text));
    EXPECT_GT(links.horizontalScrollBar()->maximum(), 0);

    TDlgAddURL add(deep);
    add.show();
    QTreeWidget& folders = *add.TreeViewFolderTree;
    folders.scrollToBottom();
    QApplication::processEvents();
    EXPECT_GT(folders.columnWidth(0), folders.indentation() * 20 + folders.fontMetrics().horizontalAdvance(folder->text));
    EXPECT_GT(folders.horizontalScrollBar()->maximum(), 0);
    SavePicture(add, QStringLiteral("weblinks_add_deep"));
    shown.reject();
}

TEST_F(WebLinkDialog, AFailingSaveKeepsTheDialogOpenWithTheTree)
{
    dialog_.Tree()->Remove(Node(1));
    TQuery trigger(DataFolder);
    trigger.SQL() << QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON hiir BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    trigger.ExecSQL();
    dialog_.accept();
    EXPECT_TRUE(dialog_.isVisible());
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Error);
    EXPECT_EQ(StoredTexts().size(), 7) << "the rows as they were";

    trigger.SQL().clear();
    trigger.SQL() << QStringLiteral("DROP TRIGGER refuse");
    trigger.ExecSQL();
    dialog_.accept();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(StoredTexts(), QStringList({kRoot, "  Dr. O'Neil's <b>clinic</b>", "  Local file"}));
}

TEST(WebLinkDialogAlone, ATableThatCannotBeReadIsNeverWrittenOver)
{
    FreshDataFolder folder;
    DataFolder = folder.Path();
    {
        TQuery make(DataFolder);
        make.SQL() << QStringLiteral("CREATE TABLE hiir (NAbsIndex INTEGER, NDesc VARCHAR(255))");
        make.ExecSQL();
        make.SQL().clear();
        make.SQL() << QStringLiteral("INSERT INTO hiir VALUES (1, 'kept')");
        make.ExecSQL();
    }
    FakeDesktop desktop;
    ScriptedMessageBoxes boxes;
    TDlgIIR dialog;
    dialog.Init(QStringLiteral("hiir"), kRoot, kRoot);
    dialog.show();
    EXPECT_EQ(dialog.Tree(), nullptr);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Error);
    QApplication::processEvents();
    EXPECT_FALSE(dialog.isVisible());
    TQuery rows(DataFolder);
    rows.SQL() << QStringLiteral("SELECT NDesc FROM hiir");
    rows.Open();
    EXPECT_EQ(rows.Fields(0).AsString(), QStringLiteral("kept"));
    rows.Close();
    DataFolder.clear();
}

TEST(WebLinkDialogAlone, AFirstOpeningShowsTheRootAloneAndTheFirstCloseMakesTheTable)
{
    FreshDataFolder folder;
    DataFolder = folder.Path();
    FakeDesktop desktop;
    ScriptedMessageBoxes boxes;
    TDlgIIR dialog;
    dialog.Init(QStringLiteral("hiir"), kRoot, kRoot);
    dialog.show();
    ASSERT_NE(dialog.Tree(), nullptr);
    EXPECT_EQ(dialog.TreeViewIIR->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.TreeViewIIR->topLevelItem(0)->childCount(), 0);
    SavePicture(dialog, QStringLiteral("weblinks_dialog_first"));
    dialog.reject();
    TQuery tables(DataFolder);
    tables.SQL() << QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'hiir'");
    tables.Open();
    EXPECT_EQ(tables.Fields(0).AsInteger(), 1);
    tables.Close();
    EXPECT_TRUE(boxes.Texts().isEmpty());
    DataFolder.clear();
}

}  // namespace

namespace {

TEST(WebLinkDialogAlone, TheHealthLinksOpenOnTheirTableUnderTheirCaptions)
{
    FreshDataFolder folder;
    DataFolder = folder.Path();
    FakeDesktop desktop;
    ScriptedMessageBoxes boxes;
    QString title;
    QString heading;
    WhenShown<TDlgIIR>([&](TDlgIIR& dialog) {
        title = dialog.windowTitle();
        heading = dialog.LabelPageTitle->text();
        dialog.ButtonClose->click();
    });
    ShowWebLinksDialog();
    EXPECT_EQ(title, kRoot);
    EXPECT_EQ(heading, kRoot);
    EXPECT_TRUE(boxes.Texts().isEmpty());
    TQuery tables(DataFolder);
    tables.SQL() << QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'hiir'");
    tables.Open();
    EXPECT_EQ(tables.Fields(0).AsInteger(), 1) << "closing wrote the tree to hiir";
    tables.Close();
    DataFolder.clear();
}

}  // namespace
