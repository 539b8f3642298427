#include "backupenv.h"

#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"
#include "platform/dataset.h"
#include "records/common/backuppassword.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace BackupEnv;

QStringList BackupSays(const QString& target)
{
    TListeningTalk talk;
    EXPECT_FALSE(RunBackup({target, TBackupPassword::None, {}, {}}, talk));
    EXPECT_EQ(talk.progressWindows, 0);
    return talk.said;
}

QStringList RestoreSays(const QString& source)
{
    TListeningTalk talk;
    EXPECT_FALSE(RunRestore({source, {}, {}}, talk));
    EXPECT_EQ(talk.progressWindows, 0);
    EXPECT_TRUE(LeftOverFolders().isEmpty());
    return talk.said.mid(1);
}

TEST(BackupFaults, APasswordThatCannotBeReadOrSwitchedStopsBeforeAnyCopy)
{
    TFolders folders;
    TPlayedDisks disks;
    const QString target = folders.Root() + QStringLiteral("saved");
    MakeDatabaseReadOnly(DataFolder);
    EXPECT_EQ(BackupSays(target),
              QStringList{"warning: Internal error! Cannot temporarily change password for backup."});
    Database::CloseAll();
    QFile::setPermissions(Database::PathIn(DataFolder), QFile::ReadOwner | QFile::WriteOwner);

    Execute(DataFolder, QStringLiteral("DELETE FROM GENERIC WHERE PropertyType = 102"));
    EXPECT_EQ(BackupSays(target), QStringList{"warning: Cannot get original password from database. Your database "
                                              "may be corrupted."});
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(BackupFaults, FoldersThatCannotBeMadeOrWrittenAreTold)
{
    TFolders folders;
    TPlayedDisks disks;
    WriteBytes(folders.Root() + QStringLiteral("plain.txt"), "a file, no folder");
    const QString blocked = folders.Root() + QStringLiteral("plain.txt/saved/");
    EXPECT_EQ(BackupSays(blocked), QStringList{"warning: Cannot create directory " + blocked + "."});

    const QString program = ProgramDir;
    ProgramDir = folders.Root() + QStringLiteral("gone/");
    EXPECT_EQ(BackupSays(folders.Root() + QStringLiteral("saved")),
              QStringList{"warning: Cannot create backup.log file in directory " + ProgramDir +
                          ". Failed to back up the database."});
    EXPECT_FALSE(QFileInfo::exists(folders.Root() + QStringLiteral("saved/Backup.log")));
    ProgramDir = program;

    TListeningTalk talk;
    ASSERT_TRUE(RunBackup({folders.Root() + QStringLiteral("saved"), TBackupPassword::None, {}, {}}, talk));
    ProgramDir = folders.Root() + QStringLiteral("gone/");
    EXPECT_EQ(RestoreSays(folders.Root() + QStringLiteral("saved")),
              QStringList{"warning: Failed to restore database. Cannot copy the log file to " + ProgramDir +
                          " for temporary use."});
    ProgramDir = program;
}

TEST(BackupFaults, AnUnreadableDiskOrAMissingFolderOnItIsTold)
{
    TFolders folders;
    TPlayedDisks disks;
    disks.mount = folders.Root() + QStringLiteral("usb/");
    QDir().mkpath(disks.mount);
    disks.capacity = -1;
    EXPECT_EQ(BackupSays(disks.mount).mid(1), QStringList{"warning: Please make sure there is an empty disk in the "
                                                          "floppy drive and it is formatted."});
    EXPECT_EQ(RestoreSays(disks.mount + QStringLiteral("family")),
              QStringList({"disk 1: Please insert the database disk into drive " + disks.mount + " and click OK button.",
                           "warning: There is no such directory " + disks.mount + "family."}));
}

TEST(BackupFaults, TenBusyTemporaryFoldersStopTheRestoreBeforeAnythingMoves)
{
    TFolders folders;
    TPlayedDisks disks;
    TListeningTalk talk;
    ASSERT_TRUE(RunBackup({folders.Root() + QStringLiteral("saved"), TBackupPassword::None, {}, {}}, talk));
    for (int n = 1; n <= 10; ++n) {
        QDir().mkpath(TemporaryFolder(n));
        WriteBytes(TemporaryFolder(n) + QStringLiteral("busy.txt"), "busy");
    }
    const auto current = Files(DataFolder);
    TListeningTalk refused;
    EXPECT_FALSE(RunRestore({folders.Root() + QStringLiteral("saved"), {}, {}}, refused));
    EXPECT_EQ(refused.said.mid(1),
              QStringList{"warning: Cannot create a temporary directory to hold the current database."});
    EXPECT_EQ(Files(DataFolder), current);
    EXPECT_EQ(LeftOverFolders().size(), 10);
}

}  // namespace

namespace {

// A backup that fails half-way over an earlier complete set leaves a set
// without a list, which the restore refuses, and the user's password in
// place.
TEST(BackupFaults, ABackupStoppedHalfWayLeavesNoListToVouchForItsSet)
{
    TFolders folders;
    TPlayedDisks disks;
    const QString target = folders.Root() + QStringLiteral("saved/");
    TListeningTalk first;
    ASSERT_TRUE(RunBackup({target, TBackupPassword::None, {}, {}}, first));
    ASSERT_TRUE(StoreBackupPassword(QStringLiteral("Secret1")));
    AddMember(DataFolder, QStringLiteral("Zoe"));
    // A link to nothing cannot be read: the copy stops at it, after the database.
    ASSERT_TRUE(QFile::link(folders.Root() + QStringLiteral("nothing"), DataFolder + QStringLiteral("zz.lnk")));
    EXPECT_EQ(BackupSays(target), QStringList{"warning: Failed to backup database."});
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("Backup.log")));
    EXPECT_EQ(Column(target, QStringLiteral("SELECT COUNT(*) FROM MEDPROF WHERE FirstName = 'Zoe'")), QStringList{"1"});
    EXPECT_TRUE(CheckBackupPassword(QStringLiteral("Secret1")));
    Database::CloseAll();

    QFile::remove(DataFolder + QStringLiteral("zz.lnk"));
    const auto current = Files(DataFolder);
    EXPECT_EQ(RestoreSays(target), QStringList{"warning: Failed to restore database. Please make sure the restoration "
                                               "directory really contains a database backup."});
    EXPECT_EQ(Files(DataFolder), current);
}

}  // namespace
