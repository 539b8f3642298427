#include "backupenv.h"

#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"
#include "platform/dataset.h"
#include "records/common/backuppassword.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace BackupEnv;

const QString kDone = QStringLiteral("information: Database backup is completed.");
const QString kRestored = QStringLiteral("information: Database restoration is completed.");

QString StoredPassword(const QString& folder)
{
    return Column(folder, QStringLiteral("SELECT StrProperty FROM GENERIC WHERE PropertyType = 102 AND ObjID = 1"))
        .value(0);
}

QString Scrambled(const QString& password)
{
    QString text;
    EXPECT_TRUE(ScramblePassword(password, text));
    return text;
}

// What the user reads when a data file's name cannot travel in a set.
QString NameRefused(const QString& name)
{
    return QStringLiteral("warning: Failed to backup database. A backup cannot hold the file \"") + DataFolder + name +
           QStringLiteral("\". Please rename the file or move it out of the database folder, then try again.");
}

bool Backup(const QString& target, TListeningTalk& talk, TBackupPassword password = TBackupPassword::None,
            const QString& password1 = {}, const QString& password2 = {})
{
    TBackupRequest request;
    request.target = target;
    request.password = password;
    request.password1 = password1;
    request.password2 = password2;
    return RunBackup(request, talk);
}

bool Restore(const QString& source, TListeningTalk& talk, const QString& password = {})
{
    return RunRestore({source, password, password}, talk);
}

TEST(BackupToFolder, CopiesEveryFileAndWritesTheListThenRestoresByteForByte)
{
    TFolders folders;
    TPlayedDisks disks;
    WriteBytes(DataFolder + QStringLiteral("notes \"one\".txt"), QByteArray(70001, 'n'));
    WriteBytes(DataFolder + QStringLiteral("my group 2.txt"), "a file, not a disk");
    ASSERT_TRUE(StoreBackupPassword(QStringLiteral("Secret1")));
    Database::CloseAll();
    const auto before = Files(DataFolder);
    const QString target = folders.Root() + QStringLiteral("saved/family");

    TListeningTalk talk;
    ASSERT_TRUE(Backup(target + QStringLiteral("  "), talk)) << talk.said.join('\n').toStdString();
    EXPECT_EQ(talk.said, QStringList{kDone});
    EXPECT_EQ(talk.progressWindows, 0);
    EXPECT_EQ(talk.percents.first(), 0);
    EXPECT_EQ(talk.percents.last(), 100);

    auto saved = Files(target);
    const QByteArray list = saved[QStringLiteral("Backup.log")];
    EXPECT_EQ(list, "group 1\r\ncareportfolio.db\r\ncphelpt.rtf\r\nmy group 2.txt\r\nnotes \"one\".txt\r\n");
    EXPECT_EQ(Bytes(ProgramDir + QStringLiteral("Backup.log")), list);
    saved.erase(QStringLiteral("Backup.log"));
    // The set carries no password; the live database keeps the user's.
    EXPECT_EQ(StoredPassword(target), Scrambled(QString()));
    EXPECT_EQ(StoredPassword(DataFolder), Scrambled(QStringLiteral("Secret1")));
    EXPECT_EQ(saved.size(), before.size());
    for (const auto& [name, bytes] : before) {
        if (name != QStringLiteral("careportfolio.db")) {
            EXPECT_EQ(saved[name], bytes) << name.toStdString();
        }
    }

    AddMember(DataFolder, QStringLiteral("Zoe"));
    WriteBytes(DataFolder + QStringLiteral("added later.txt"), "x");
    TListeningTalk restoring;
    ASSERT_TRUE(Restore(target, restoring)) << restoring.said.join('\n').toStdString();
    EXPECT_EQ(restoring.said.last(), kRestored);
    EXPECT_EQ(Files(DataFolder), saved);
    EXPECT_EQ(Column(DataFolder, QStringLiteral("SELECT COUNT(*) FROM MEDPROF WHERE FirstName = 'Zoe'")),
              QStringList{"0"});
    EXPECT_TRUE(LeftOverFolders().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(TemporaryFolder(1)));
}

TEST(BackupToFolder, RefusesTheProgramAndDataFoldersHoweverSpelledAndKeepsThePassword)
{
    TFolders folders;
    TPlayedDisks disks;
    ASSERT_TRUE(StoreBackupPassword(QStringLiteral("Secret1")));
    Database::CloseAll();
    AddMember(DataFolder, QStringLiteral("Anne"));
    ASSERT_TRUE(QFile::link(DataFolder, folders.Root() + QStringLiteral("link")));
    ASSERT_TRUE(QFile::link(DataFolder + QStringLiteral("new"), folders.Root() + QStringLiteral("ahead")));
    const auto before = FilesBesideDatabase(DataFolder);
    const QString data = DataFolder.chopped(1);
    const QString underData =
        QStringLiteral("warning: You cannot use a directory under ") + DataFolder + QStringLiteral(" to make backup.");
    const QString underProgram =
        QStringLiteral("warning: You cannot use the executable directory or its subdirectory to back up database.");
    const QString wrongPath = QStringLiteral("warning: Please specify a correct full path to back up the database.");

    const std::vector<std::pair<QString, QString>> refusals{
        {data, underData},
        {folders.Root() + QStringLiteral("/db"), underData},
        {folders.Root() + QStringLiteral("./db/."), underData},
        {folders.Root() + QStringLiteral("bin/../db//old"), underData},
        {folders.Root() + QStringLiteral("link"), underData},
        {folders.Root() + QStringLiteral("link/sub"), underData},
        {folders.Root() + QStringLiteral("ahead/sub"), underData},
        {ProgramDir + QStringLiteral("./backups"), underProgram},
        {QStringLiteral("saved/family"), wrongPath},
        {QString(), wrongPath},
        {QStringLiteral("/"), QStringLiteral("warning: Please do not use the hard drive's root directory to back up "
                                             "your database.")},
    };
    for (const auto& [target, message] : refusals) {
        TListeningTalk talk;
        EXPECT_FALSE(Backup(target, talk));
        EXPECT_EQ(talk.said, QStringList{message}) << target.toStdString();
        EXPECT_EQ(StoredPassword(DataFolder), Scrambled(QStringLiteral("Secret1"))) << target.toStdString();
    }
    EXPECT_EQ(FilesBesideDatabase(DataFolder), before);
    EXPECT_EQ(Column(DataFolder, QStringLiteral("SELECT FirstName FROM MEDPROF")), QStringList{"Anne"});
    EXPECT_EQ(Column(DataFolder, QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"});
    EXPECT_FALSE(QFileInfo::exists(DataFolder + QStringLiteral("old")));
    EXPECT_FALSE(QFileInfo::exists(DataFolder + QStringLiteral("new")));
    // The folder beside the data folder whose name begins alike is no part of it.
    TListeningTalk beside;
    EXPECT_TRUE(Backup(folders.Root() + QStringLiteral("db2"), beside));
}

TEST(BackupToFolder, ADifferentPasswordTravelsWithTheSetAndTheRestoreAsksForIt)
{
    TFolders folders;
    TPlayedDisks disks;
    const QString target = folders.Root() + QStringLiteral("saved");
    const QString passwords[][3] = {
        {"", "", "Please enter the password for this backup."},
        {"Fam1ly", "Fam1lY", "Please type the same passwords for both boxes."},
        {"Fam ly", "Fam ly", "Illegal password! Alphabets and numerals only! Maximum 10 characters!"},
        {"Abcdefghijk", "Abcdefghijk", "Illegal password! Alphabets and numerals only! Maximum 10 characters!"},
    };
    for (const auto& [first, second, message] : passwords) {
        TListeningTalk talk;
        EXPECT_FALSE(Backup(target, talk, TBackupPassword::Different, first, second));
        EXPECT_EQ(talk.said, QStringList{QStringLiteral("warning: ") + message});
    }
    EXPECT_FALSE(QFileInfo::exists(target));

    TListeningTalk talk;
    ASSERT_TRUE(Backup(target, talk, TBackupPassword::Different, "Fam1ly", "Fam1ly"));
    EXPECT_EQ(StoredPassword(target), Scrambled(QStringLiteral("Fam1ly")));
    EXPECT_EQ(StoredPassword(DataFolder), Scrambled(QString()));

    AddMember(DataFolder, QStringLiteral("Zoe"));
    const auto before = Files(DataFolder);
    TListeningTalk wrong;
    EXPECT_FALSE(Restore(target, wrong));
    EXPECT_EQ(wrong.said.last(),
              QStringLiteral("warning: The password you entered is not correct. Database restoration failed."));
    TListeningTalk differing;
    EXPECT_FALSE(RunRestore({target, QStringLiteral("Fam1ly"), QStringLiteral("Fam1l")}, differing));
    EXPECT_EQ(differing.said, QStringList{"warning: Please type the same passwords for both boxes."});
    EXPECT_EQ(differing.focusedPassword, 1);
    EXPECT_EQ(Files(DataFolder), before);
    EXPECT_TRUE(LeftOverFolders().isEmpty());

    TListeningTalk right;
    EXPECT_TRUE(Restore(target, right, QStringLiteral("Fam1ly")));
    EXPECT_EQ(Column(DataFolder, QStringLiteral("SELECT COUNT(*) FROM MEDPROF WHERE FirstName = 'Zoe'")),
              QStringList{"0"});

    // With the current password nothing is switched.
    ASSERT_TRUE(StoreBackupPassword(QStringLiteral("Mine2")));
    Database::CloseAll();
    TListeningTalk same;
    ASSERT_TRUE(Backup(target, same, TBackupPassword::Same));
    EXPECT_EQ(StoredPassword(target), Scrambled(QStringLiteral("Mine2")));
}

// Each copy is first written under its name and the copy's suffix, 7 bytes
// more: a name of 248 bytes fills the 255 a name may hold and is carried both
// ways; one byte more is refused, naming the file, before the backup touches
// the earlier set in the folder, which stays whole.
TEST(BackupToFolder, ANameThatJustFitsWithTheCopySuffixIsCarriedAndALongerOneRefused)
{
    TFolders folders;
    TPlayedDisks disks;
    const QString target = folders.Root() + QStringLiteral("saved");
    const QString longest(248, QLatin1Char('f'));
    WriteBytes(DataFolder + longest, "the longest name");
    TListeningTalk first;
    ASSERT_TRUE(Backup(target, first)) << first.said.join('\n').toStdString();
    const auto earlier = Files(target);
    EXPECT_EQ(Bytes(target + QLatin1Char('/') + longest), "the longest name");
    ASSERT_TRUE(QFile::remove(DataFolder + longest));
    TListeningTalk restoring;
    ASSERT_TRUE(Restore(target, restoring)) << restoring.said.join('\n').toStdString();
    EXPECT_EQ(Bytes(DataFolder + longest), "the longest name");

    const QString tooLong(249, QLatin1Char('n'));
    WriteBytes(DataFolder + tooLong, "a file of the data folder");
    TListeningTalk talk;
    EXPECT_FALSE(Backup(target, talk));
    EXPECT_EQ(talk.said, QStringList{NameRefused(tooLong)});
    EXPECT_EQ(Files(target), earlier);
}

// A name whose bytes are no text in the system's encoding is left out when
// the folder is read: the file would be missing from a set told complete, so
// the backup refuses it before writing anything. A folder is no part of a set,
// whatever its name.
TEST(BackupToFolder, AFileNameThatIsNoTextIsRefusedBeforeWritingAnythingAFolderNameIsNot)
{
    TFolders folders;
    TPlayedDisks disks;
    // The folder's own removal reads it as the backup does, so these go by hand.
    struct NoTextNames {
        QByteArray folder = QFile::encodeName(DataFolder) + QByteArray("old\xe9");
        QByteArray file = QFile::encodeName(DataFolder) + QByteArray("caf\xe9.txt");
        ~NoTextNames()
        {
            ::unlink(file.constData());
            ::rmdir(folder.constData());
        }
    } names;
    ASSERT_EQ(::mkdir(names.folder.constData(), 0700), 0);
    TListeningTalk beside;
    EXPECT_TRUE(Backup(folders.Root() + QStringLiteral("with folder"), beside));
    EXPECT_EQ(beside.said, QStringList{kDone});

    const int made = ::open(names.file.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(made, 0);
    ::close(made);
    const QString target = folders.Root() + QStringLiteral("saved");
    TListeningTalk talk;
    EXPECT_FALSE(Backup(target, talk));
    EXPECT_EQ(talk.said, QStringList{NameRefused(QStringLiteral("caf\uFFFD.txt"))});
    EXPECT_FALSE(QFileInfo::exists(target));
}

// Three removable disks, played by folders: the one "in the drive" is the
// mount folder; the others wait beside it as disk1, disk2, disk3.
class DiskSet : public testing::Test {
protected:
    void SetUp() override
    {
        disks.mount = folders.Root() + QStringLiteral("usb/");
        QDir().mkpath(disks.mount);
        for (const char* name : {"disk2", "disk3"})
            QDir().mkpath(folders.Root() + QString::fromLatin1(name));
        Database::CloseAll();
        database = QFileInfo(Database::PathIn(DataFolder)).size();
        // Disk 1 takes the database and its list; a.bin then needs disk 2;
        // b.bin and cphelpt.rtf need disk 3.
        disks.capacity = database + 400;
        WriteBytes(DataFolder + QStringLiteral("a.bin"), QByteArray(disks.capacity * 6 / 10, 'a'));
        WriteBytes(DataFolder + QStringLiteral("b.bin"), QByteArray(disks.capacity * 6 / 10, 'b'));
    }

    // The disk in the drive goes back to its place and disk N comes in.
    void Insert(int disk)
    {
        ASSERT_TRUE(QDir().rename(disks.mount, folders.Root() + QStringLiteral("disk%1").arg(inDrive)));
        ASSERT_TRUE(QDir().rename(folders.Root() + QStringLiteral("disk%1").arg(disk), disks.mount));
        inDrive = disk;
    }

    TFolders folders;
    TPlayedDisks disks;
    qint64 database = 0;
    int inDrive = 1;
};

TEST_F(DiskSet, SpreadsTheFilesOverDisksWithTheDatabaseAndListOnDiskOneAndRestoresThem)
{
    ASSERT_LT(QFileInfo(DataFolder + QStringLiteral("cphelpt.rtf")).size(), disks.capacity * 4 / 10);
    // A name that only looks like a group line is a file like any other.
    WriteBytes(DataFolder + QStringLiteral("my group 2.txt"), "a file, not a disk");
    const auto before = Files(DataFolder);
    TListeningTalk talk;
    talk.onDisk = [this](int disk) {
        if (disk > 1)
            Insert(disk);
    };
    ASSERT_TRUE(Backup(disks.mount + QStringLiteral("family"), talk)) << talk.said.join('\n').toStdString();
    const QString drive = QStringLiteral(" the floppy drive and click OK button.");
    EXPECT_EQ(talk.said,
              QStringList({QStringLiteral("disk 1: Please insert an empty formatted disk into drive ") + disks.mount +
                               QStringLiteral(" and click OK button."),
                           "disk 2: Totally 3 disks are needed. Please insert another empty disk (disk 2) to" + drive,
                           "disk 3: Totally 3 disks are needed. Please insert another empty disk (disk 3) to" + drive,
                           kDone}));
    const QString list = QStringLiteral("group 1\r\ncareportfolio.db\r\ngroup 2\r\na.bin\r\ngroup 3\r\nb.bin\r\n"
                                        "cphelpt.rtf\r\nmy group 2.txt\r\n");
    const QString disk1 = folders.Root() + QStringLiteral("disk1/family/");
    EXPECT_EQ(QString::fromLatin1(Bytes(disk1 + QStringLiteral("Backup.log"))), list);
    EXPECT_EQ(QDir(disk1).entryList(QDir::Files), QStringList({"Backup.log", "careportfolio.db"}));
    EXPECT_EQ(QDir(folders.Root() + QStringLiteral("disk2/family")).entryList(QDir::Files), QStringList{"a.bin"});
    EXPECT_EQ(QDir(disks.mount + QStringLiteral("family")).entryList(QDir::Files),
              QStringList({"b.bin", "cphelpt.rtf", "my group 2.txt"}));

    AddMember(DataFolder, QStringLiteral("Zoe"));
    Insert(1);
    TListeningTalk restoring;
    restoring.onDisk = [this](int disk) {
        if (disk > 1)
            Insert(disk);
    };
    ASSERT_TRUE(Restore(disks.mount + QStringLiteral("family/"), restoring)) << restoring.said.join('\n').toStdString();
    EXPECT_EQ(restoring.said.mid(1),
              QStringList({QStringLiteral("disk 1: Please insert the database disk into drive ") + disks.mount +
                               QStringLiteral(" and click OK button."),
                           "disk 2: Please insert the disk of your database backup (disk 2) to" + drive,
                           "disk 3: Please insert the disk of your database backup (disk 3) to" + drive, kRestored}));
    auto restored = Files(DataFolder);
    EXPECT_EQ(restored.erase(QStringLiteral("careportfolio.db")), 1u);
    auto expected = before;
    expected.erase(QStringLiteral("careportfolio.db"));
    EXPECT_EQ(restored, expected);
    EXPECT_EQ(Bytes(Database::PathIn(DataFolder)), Bytes(disk1 + QStringLiteral("careportfolio.db")));
}

// A drive left empty at a prompt leaves the mount folder bare on the fixed
// disk: the backup stops there and writes nothing into it.
TEST_F(DiskSet, ADriveLeftEmptyAtAnyPromptFailsAndNothingIsWrittenOutsideADisk)
{
    const QString drive = disks.mount;
    const QString noDisk =
        QStringLiteral("warning: Please make sure there is an empty disk in the floppy drive and it is formatted.");
    for (const int emptyAt : {1, 2}) {
        SCOPED_TRACE(emptyAt);
        TListeningTalk talk;
        talk.onDisk = [&](int disk) {
            if (disk != emptyAt)
                return;
            ASSERT_TRUE(QDir().rename(drive, folders.Root() + QStringLiteral("disk%1").arg(inDrive)));
            ASSERT_TRUE(QDir().mkpath(drive));
            disks.mount.clear();
        };
        EXPECT_FALSE(Backup(drive + QStringLiteral("family"), talk));
        EXPECT_EQ(talk.said.last(), noDisk);
        EXPECT_EQ(talk.said.size(), emptyAt + 1);
        EXPECT_TRUE(IsFolderEmpty(drive));
        EXPECT_EQ(talk.progressWindows, 0);

        // The next try finds disk 1 back in the drive.
        ASSERT_TRUE(QDir().rmdir(drive));
        ASSERT_TRUE(QDir().rename(folders.Root() + QStringLiteral("disk1"), drive));
        disks.mount = drive;
    }
}

TEST_F(DiskSet, RefusesADiskTooSmallForTheDatabaseAndItsList)
{
    disks.capacity = database + 20;
    TListeningTalk talk;
    EXPECT_FALSE(Backup(disks.mount, talk));
    EXPECT_EQ(talk.said.last(), QStringLiteral("warning: The size of a single file in your database has exceeded the "
                                               "floppy capacity. Please use hard drive to back it up."));
    EXPECT_TRUE(IsFolderEmpty(disks.mount));
    EXPECT_EQ(talk.progressWindows, 0);
}

// A group line read as a disk, a name the restore refuses, or the list's own
// name (a removable disk may ignore case) would leave a set told complete that
// cannot be restored as it was. The refusal names the file, for the user to
// rename or move.
TEST_F(DiskSet, RefusesADataFileWhoseNameTheListCannotCarryBeforeWritingAnythingAndNamesIt)
{
    for (const QString& name : {QStringLiteral("group 2"), QStringLiteral("tab\there.txt"),
                                QStringLiteral("next\u0085line.txt"), QStringLiteral("two\nlines.txt"),
                                QStringLiteral("backup.LOG")}) {
        SCOPED_TRACE(name.toStdString());
        WriteBytes(DataFolder + name, "a file of the data folder");
        TListeningTalk talk;
        EXPECT_FALSE(Backup(disks.mount, talk));
        EXPECT_EQ(talk.said, QStringList{NameRefused(name)});
        EXPECT_TRUE(IsFolderEmpty(disks.mount));
        EXPECT_FALSE(QFileInfo::exists(ProgramDir + QStringLiteral("Backup.log")));
        ASSERT_TRUE(QFile::remove(DataFolder + name));
    }
}

}  // namespace
