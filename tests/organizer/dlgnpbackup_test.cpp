#include "backupenv.h"

#include "context/context.h"
#include "health/dlgprogress.h"
#include "organizer/dlgdirectory.h"
#include "organizer/dlgnpbackup.h"
#include "organizer/dlgnprestore.h"
#include "organizer/restorejob.h"
#include "shell/modulepages.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedtoc.h"
#include "shell/pages/launcher.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace BackupEnv;

TEST(DlgNPBackup, BacksUpOnOKAndStaysOpenWhenTheTargetIsRefused)
{
    TFolders folders;
    TPlayedDisks disks;
    ScriptedMessageBoxes boxes;
    TDlgNPBackup dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Back Up Database"));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Directory to store database backup :"));
    EXPECT_EQ(dialog.EditPassword1->maxLength(), 10);
    dialog.show();
    EXPECT_FALSE(dialog.GroupBox1->isVisible());
    SavePicture(dialog, QStringLiteral("dlgnpbackup"));

    dialog.EditStore->setText(folders.Root() + QStringLiteral("/db/."));
    dialog.BtnOK->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("You cannot use a directory under ") + DataFolder +
                                         QStringLiteral(" to make backup.")});

    // Cancel after a failed OK closes without another try.
    boxes.shown.clear();
    dialog.BtnCancel->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(boxes.shown.isEmpty());

    dialog.show();
    dialog.EditStore->setText(folders.Root() + QStringLiteral("saved"));
    dialog.BtnOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Database backup is completed."));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(QFileInfo::exists(folders.Root() + QStringLiteral("saved/Backup.log")));
}

TEST(DlgNPBackup, BrowseTakesTheChosenFolderAndKeepsTheTextOnCancel)
{
    TFolders folders;
    TDlgNPBackup dialog;
    QString offered;
    std::optional<QString> answer = QStringLiteral("/media/stick/family");
    SetDirectoryChooser([&](QWidget*, const QString& start) {
        offered = start;
        return answer;
    });
    dialog.EditStore->setText(QStringLiteral(" /media/stick "));
    dialog.ButtonBrowse->click();
    EXPECT_EQ(offered, QStringLiteral("/media/stick"));
    EXPECT_EQ(dialog.EditStore->text(), QStringLiteral("/media/stick/family"));
    answer.reset();
    dialog.ButtonBrowse->click();
    EXPECT_EQ(dialog.EditStore->text(), QStringLiteral("/media/stick/family"));
    SetDirectoryChooser({});
}

TEST(DlgNPRestore, AsksFirstRestoresOnYesAndStaysOpenOnAFailure)
{
    TFolders folders;
    TPlayedDisks disks;
    ScriptedMessageBoxes boxes;
    {
        TDlgNPBackup backup;
        backup.show();
        backup.EditStore->setText(folders.Root() + QStringLiteral("saved"));
        backup.BtnOK->click();
    }
    AddMember(DataFolder, QStringLiteral("Zoe"));
    const auto current = Files(DataFolder);

    TDlgNPRestore dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Restore Database"));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Restore database from :"));
    EXPECT_EQ(dialog.BtnOK->text(), QStringLiteral("OK"));
    dialog.show();
    EXPECT_FALSE(dialog.GroupBox1->isVisible());
    SavePicture(dialog, QStringLiteral("dlgnprestore"));

    boxes.shown.clear();
    dialog.EditStore->setText(folders.Root() + QStringLiteral("saved"));
    boxes.answers = {MsgResult::No};
    dialog.BtnOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, unsigned{MsgYes | MsgNo});
    EXPECT_EQ(Files(DataFolder), current);

    dialog.show();
    boxes.shown.clear();
    dialog.EditStore->setText(folders.Root() + QStringLiteral("nowhere"));
    boxes.answers = {MsgResult::Yes};
    dialog.BtnOK->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Failed to restore database. Wrong source to restore."));

    boxes.shown.clear();
    dialog.EditStore->setText(folders.Root() + QStringLiteral("saved"));
    boxes.answers = {MsgResult::Yes};
    dialog.BtnOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Database restoration is completed."));
    EXPECT_EQ(Column(DataFolder, QStringLiteral("SELECT COUNT(*) FROM MEDPROF WHERE FirstName = 'Zoe'")),
              QStringList{"0"});
}

TEST(DlgNPBackup, TheProgressWindowTellsOfTheCopy)
{
    TDlgProgress progress;
    progress.Lb->setText(QStringLiteral("Copying files ..."));
    progress.show();
    progress.SetPercent(37);
    SavePicture(progress, QStringLiteral("backupprogress"));
    EXPECT_EQ(progress.Lb->text(), QStringLiteral("Copying files ..."));
}

// The modal dialog a menu item opened, closed again as soon as it shows.
QString TitleOfDialogOpenedBy(QAction& action)
{
    QString title;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            modal->close();
        }
    });
    action.trigger();
    return title;
}

TEST(BackupMenus, TheFolderAndHomePagesOpenBothDialogs)
{
    TFolders folders;
    ProgramPages();
    ASSERT_TRUE(Launcher::Has(TDialogID::Backup));
    ASSERT_TRUE(Launcher::Has(TDialogID::Restore));
    {
        TFormMedFolder folder(nullptr);
        ASSERT_TRUE(folder.Backup1->isEnabled());
        ASSERT_TRUE(folder.Restore1->isEnabled());
        EXPECT_EQ(TitleOfDialogOpenedBy(*folder.Backup1), QStringLiteral("Back Up Database"));
        EXPECT_EQ(TitleOfDialogOpenedBy(*folder.Restore1), QStringLiteral("Restore Database"));
    }
    TFormMedToc home(nullptr, [](qint32) { return true; });
    ASSERT_TRUE(home.Backup1->isEnabled());
    EXPECT_EQ(TitleOfDialogOpenedBy(*home.Backup1), QStringLiteral("Back Up Database"));
    EXPECT_EQ(TitleOfDialogOpenedBy(*home.Restore1), QStringLiteral("Restore Database"));
    Launcher::Unregister(TDialogID::Backup);
    Launcher::Unregister(TDialogID::Restore);
}

}  // namespace
