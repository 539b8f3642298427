#include "backupenv.h"

#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"
#include "platform/dataset.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace BackupEnv;

const QString kConfirm = QStringLiteral("confirm: Current database will be removed and replaced by the one you "
                                        "restore. Are you sure you want to do this?");
const QString kWrongSource = QStringLiteral("warning: Failed to restore database. Wrong source to restore.");

// A backup set of the data folder as it is, then a member added to the
// data folder, so that a restore would change it.
class RestoreFrom : public testing::Test {
protected:
    void SetUp() override
    {
        set = folders.Root() + QStringLiteral("saved/");
        TListeningTalk talk;
        ASSERT_TRUE(RunBackup({set, TBackupPassword::None, {}, {}}, talk));
        AddMember(DataFolder, QStringLiteral("Zoe"));
        current = Files(DataFolder);
    }

    // What the user was told after the confirmation.
    QStringList Refused(const QString& source)
    {
        TListeningTalk talk;
        EXPECT_FALSE(RunRestore({source, {}, {}}, talk));
        EXPECT_EQ(talk.said.value(0), kConfirm);
        EXPECT_EQ(talk.progressWindows, 0);
        EXPECT_EQ(Files(DataFolder), current) << "the current database changed";
        EXPECT_TRUE(LeftOverFolders().isEmpty()) << LeftOverFolders().join(' ').toStdString();
        return talk.said.mid(1);
    }

    void SetVersion(const QString& version)
    {
        Execute(set, QStringLiteral("UPDATE GENERIC SET StrProperty = '%1' WHERE PropertyType = 5").arg(version));
    }

    TFolders folders;
    TPlayedDisks disks;
    QString set;
    std::map<QString, QByteArray> current;
};

TEST_F(RestoreFrom, ASetWithoutItsListOrWithAMissingFileLeavesTheDatabaseAlone)
{
    QFile::rename(set + QStringLiteral("Backup.log"), set + QStringLiteral("list.txt"));
    EXPECT_EQ(Refused(set), QStringList{"warning: Failed to restore database. Please make sure the restoration "
                                        "directory really contains a database backup."});

    QFile::rename(set + QStringLiteral("list.txt"), set + QStringLiteral("Backup.log"));
    QFile::remove(set + QStringLiteral("cphelpt.rtf"));
    EXPECT_EQ(Refused(set), QStringList{"warning: Failed to restore database!"});

    // A list that names no database.
    WriteBytes(set + QStringLiteral("Backup.log"), "group 1\r\n");
    EXPECT_EQ(Refused(set), QStringList{kWrongSource});

    WriteBytes(set + QStringLiteral("Backup.log"), "group 2\r\ncareportfolio.db\r\n");
    EXPECT_EQ(Refused(set), QStringList{"warning: Internal error! The first line of Backup.log is not group 1."});

    // A folder set has one group: a second group line is no file.
    WriteBytes(set + QStringLiteral("Backup.log"), "group 1\r\ncareportfolio.db\r\ngroup 2\r\n");
    EXPECT_EQ(Refused(set), QStringList{"warning: Failed to restore database!"});

    WriteBytes(set + QStringLiteral("Backup.log"), "group 1\r\ncareportfolio.db\r\n../db/careportfolio.db\r\n");
    EXPECT_EQ(Refused(set), QStringList{"warning: Failed to restore database!"});
}

// Each listed name is one plain file of the set's folder: the restore stops
// at a name that would reach beyond it, or stand for another name, before
// anything is written outside the data folder.
TEST_F(RestoreFrom, AListedNameThatIsNoPlainFileNameOfTheSetFailsTheRestore)
{
    const QString outside = folders.Root() + QStringLiteral("outside");
    WriteBytes(outside, "not part of the set");
    WriteBytes(set + QStringLiteral("notes.txt"), "cut short");
    WriteBytes(set + QStringLiteral("two\tcolumns.txt"), "tab");
    WriteBytes(set + QString::fromUtf8("next\u0085line.txt"), "C1 control");
    const QByteArray listed = "group 1\r\ncareportfolio.db\r\ncphelpt.rtf\r\n";
    const QList<QByteArray> names{QByteArray("notes.txt\0junk", 14), "two\tcolumns.txt", "next\xc2\x85line.txt",
                                  "../outside", "..", "."};
    for (const QByteArray& name : names) {
        WriteBytes(set + QStringLiteral("Backup.log"), listed + name + "\r\n");
        EXPECT_EQ(Refused(set), QStringList{"warning: Failed to restore database!"}) << name.toStdString();
        EXPECT_FALSE(QFileInfo::exists(DataFolder + QStringLiteral("notes.txt")));
        EXPECT_EQ(QDir(folders.Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList({"bin", "db", "outside", "saved"}));
    }
    EXPECT_EQ(Bytes(outside), "not part of the set");
}

TEST_F(RestoreFrom, ASetOfAnotherVersionOrADamagedOneIsAWrongSource)
{
    SetVersion(QStringLiteral("0"));
    EXPECT_EQ(Refused(set), QStringList({"warning: Your database source is from an old version of the software. Please "
                                         "use the \"import\" menu item to convert it for the new software.",
                                         kWrongSource}));
    SetVersion(QStringLiteral("2"));
    EXPECT_EQ(Refused(set), QStringList({"warning: Your database source is from a new version of the software. It "
                                         "cannot be used by this version of the software.",
                                         kWrongSource}));
    SetVersion(QStringLiteral("10"));
    EXPECT_TRUE(Refused(set).value(0).startsWith(QStringLiteral("warning: Your database source is from a new")));
    Execute(set, QStringLiteral("DELETE FROM GENERIC WHERE PropertyType = 5"));
    EXPECT_EQ(Refused(set), QStringList{kWrongSource});

    Execute(set, QStringLiteral("INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (5, 0, '1')"));
    // A damaged page of a table that neither the version nor the password is
    // read from: only a check of the whole database finds it.
    const qint64 pageSize = Column(set, QStringLiteral("PRAGMA page_size")).value(0).toLongLong();
    const qint64 page = Column(set, QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'MEDTEMPL'"))
                            .value(0)
                            .toLongLong();
    ASSERT_GT(page, 1);
    QByteArray database = Bytes(Database::PathIn(set));
    database.replace((page - 1) * pageSize, 16, QByteArray(16, '\xff'));
    WriteBytes(Database::PathIn(set), database);
    EXPECT_EQ(Refused(set), QStringList{kWrongSource});

    WriteBytes(Database::PathIn(set), "no database at all");
    EXPECT_EQ(Refused(set), QStringList{kWrongSource});
}

TEST_F(RestoreFrom, RefusesTheDataAndProgramFoldersAndRootsHoweverSpelled)
{
    ASSERT_TRUE(QFile::link(DataFolder, folders.Root() + QStringLiteral("link")));
    const QString underData = QStringLiteral("warning: You cannot use a directory under ") + DataFolder +
                              QStringLiteral(" to restore database backup.");
    EXPECT_EQ(Refused(folders.Root() + QStringLiteral("/db/.")), QStringList{underData});
    EXPECT_EQ(Refused(folders.Root() + QStringLiteral("link")), QStringList{underData});
    EXPECT_EQ(Refused(ProgramDir + QStringLiteral("../bin")),
              QStringList{"warning: You cannot restore database from the executable directory or its subdirectory."});
    EXPECT_EQ(Refused(QStringLiteral("saved")),
              QStringList{"warning: Please specify a correct full path to restore the database."});
    EXPECT_EQ(Refused(folders.Root() + QStringLiteral("nowhere")), QStringList{kWrongSource});

    // A root holding a good set is still refused.
    struct RootAtSet : TMediaSeam {
        QString root;
        TVolume Volume(const QString&) override { return {true, false, qint64{1} << 40, root}; }
    } seam;
    seam.root = set;
    InstallMedia(&seam);
    EXPECT_EQ(Refused(set), QStringList{"warning: The restoration process does not accept a database in a hard "
                                        "drive's root directory."});
    InstallMedia(&disks);
}

TEST_F(RestoreFrom, NoChangesNothingAndABusyTemporaryFolderIsPassedOver)
{
    TListeningTalk no;
    no.answers = {false};
    EXPECT_TRUE(RunRestore({set, {}, {}}, no));
    EXPECT_EQ(no.said, QStringList{kConfirm});
    EXPECT_EQ(Files(DataFolder), current);

    QDir().mkpath(TemporaryFolder(1));
    WriteBytes(TemporaryFolder(1) + QStringLiteral("keep.txt"), "someone's");
    TListeningTalk yes;
    ASSERT_TRUE(RunRestore({set, {}, {}}, yes));
    EXPECT_EQ(Bytes(TemporaryFolder(1) + QStringLiteral("keep.txt")), "someone's");
    EXPECT_FALSE(QFileInfo::exists(TemporaryFolder(2)));
    EXPECT_EQ(Column(DataFolder, QStringLiteral("SELECT COUNT(*) FROM MEDPROF WHERE FirstName = 'Zoe'")),
              QStringList{"0"});
}

TEST_F(RestoreFrom, ALeftOverDatabaseIsOfferedBackAndKeptUntilTheUserTakesIt)
{
    const QString left = TemporaryFolder(3);
    QDir().mkpath(left + QStringLiteral("incoming"));
    QFile::copy(Database::PathIn(set), Database::PathIn(left));
    WriteBytes(left + QStringLiteral("incoming/careportfolio.db"), "half");
    QDir().mkpath(TemporaryFolder(4));
    WriteBytes(TemporaryFolder(4) + QStringLiteral("notes.txt"), "no database here");
    const QByteArray older = Bytes(Database::PathIn(left));
    EXPECT_EQ(LeftOverFolders(), QStringList({left, TemporaryFolder(4)}));

    TListeningTalk no;
    no.answers = {false};
    OfferLeftOverDatabases(no);
    EXPECT_EQ(no.said, QStringList{QStringLiteral("confirm: A restoration of the database did not finish. The "
                                                  "database in use before it was kept in ") +
                                   left + QStringLiteral(". Do you want to put it back?")});
    EXPECT_EQ(Files(DataFolder), current);
    EXPECT_EQ(LeftOverFolders().size(), 2);

    TListeningTalk yes;
    OfferLeftOverDatabases(yes);
    EXPECT_EQ(yes.said.size(), 1);
    EXPECT_EQ(Bytes(Database::PathIn(DataFolder)), older);
    EXPECT_EQ(Bytes(DataFolder + QStringLiteral("cphelpt.rtf")), current[QStringLiteral("cphelpt.rtf")]);
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_EQ(LeftOverFolders(), QStringList{TemporaryFolder(4)});
}

}  // namespace
