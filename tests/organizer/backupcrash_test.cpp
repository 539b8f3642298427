#include "backupenv.h"

#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace BackupEnv;

constexpr int kKills = 20;
constexpr int kWaitMs = 60000;

QString MemberCount(const QString& folder)
{
    return Column(folder, QStringLiteral("SELECT COUNT(*) FROM MEDPROF")).value(0);
}

// Runs the helper and kills it at random moments; after each kill `check`
// looks at what it left.
void KillRepeatedly(const QString& mode, const QString& root, const std::function<void(int kill)>& check)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    QRandomGenerator random(seed);
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess job;
        job.start(QStringLiteral(BACKUP_CRASH_HELPER), {mode, root});
        ASSERT_TRUE(job.waitForReadyRead(kWaitMs)) << job.readAllStandardError().toStdString();
        QThread::msleep(random.bounded(1, 80));
        job.kill();
        ASSERT_TRUE(job.waitForFinished(kWaitMs));
        ASSERT_EQ(job.exitStatus(), QProcess::CrashExit) << job.readAllStandardError().toStdString();
        check(kill);
    }
}

TEST(BackupCrash, AKilledBackupLeavesTheDataFolderWholeAndNoListForAHalfSet)
{
    TFolders folders;
    AddMember(DataFolder, QStringLiteral("Anne"));
    const QString members = MemberCount(DataFolder);
    const QString saved = folders.Root() + QStringLiteral("saved/");
    KillRepeatedly(QStringLiteral("backup"), folders.Root(), [&](int kill) {
        EXPECT_EQ(Column(DataFolder, QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"}) << kill;
        EXPECT_EQ(MemberCount(DataFolder), members) << kill;
        QStringList listed;
        if (!ReadListFile(saved + kBackupLogName, listed))
            return;
        for (const QString& name : listed.mid(1))
            EXPECT_TRUE(QFileInfo::exists(saved + name)) << name.toStdString() << " after kill " << kill;
        EXPECT_EQ(Column(saved, QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"}) << kill;
    });
}

TEST(BackupCrash, AKilledRestoreLeavesTheOldOrTheRestoredDatabaseAndOffersTheOldBack)
{
    TFolders folders;
    TListeningTalk talk;
    ASSERT_TRUE(RunBackup({folders.Root() + QStringLiteral("setA"), TBackupPassword::None, {}, {}}, talk));
    const QString before = MemberCount(DataFolder);
    AddMember(DataFolder, QStringLiteral("Anne"));
    AddMember(DataFolder, QStringLiteral("Anne"));
    ASSERT_TRUE(RunBackup({folders.Root() + QStringLiteral("setB"), TBackupPassword::None, {}, {}}, talk));
    const QString after = MemberCount(DataFolder);
    int offered = 0;
    KillRepeatedly(QStringLiteral("restore"), folders.Root(), [&](int kill) {
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(Column(DataFolder, QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"}) << kill;
            const QString members = MemberCount(DataFolder);
            EXPECT_TRUE(members == before || members == after) << members.toStdString() << " after kill " << kill;
            TListeningTalk yes;
            OfferLeftOverDatabases(yes);
            offered += yes.said.size();
            EXPECT_EQ(yes.said.filter(QStringLiteral("warning")), QStringList()) << kill;
        }
        EXPECT_TRUE(LeftOverFolders().isEmpty()) << kill;
    });
    RecordProperty("offered", offered);
}

}  // namespace
