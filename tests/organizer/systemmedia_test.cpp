#include "backupenv.h"

#include "context/context.h"
#include "organizer/backupjob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace BackupEnv;

// The machine's media read from a block-device folder built by the test,
// over the real file system that holds the test's folders: the kernel's
// own folder cannot be told that this disk is removable.
class RealMount : public testing::Test {
protected:
    void SetUp() override
    {
        const QStorageInfo storage(folders.Root());
        const QString device = QFileInfo(QString::fromLocal8Bit(storage.device())).canonicalFilePath();
        if (!storage.device().startsWith("/dev/") || device.isEmpty())
            GTEST_SKIP() << "the temporary folder lies on no block device: " << storage.device().toStdString();
        deviceName = QFileInfo(device).fileName();
        mountRoot = storage.rootPath();
        blockDevices = sys.path() + QStringLiteral("/class/block");
        ASSERT_TRUE(QDir().mkpath(blockDevices));
    }

    void TearDown() override { InstallMedia(nullptr); }

    // The device's entry links to its place among the devices, as the
    // kernel's does. A partition is laid inside its disk's folder, with a
    // flag of its own that says the opposite of its disk's.
    void LayDisk(const QString& place, bool partition, bool removable)
    {
        const QString node = sys.path() + QStringLiteral("/devices/") + place;
        ASSERT_TRUE(QDir().mkpath(node));
        const QString disk = partition ? QFileInfo(node).path() : node;
        WriteBytes(disk + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
        if (partition) {
            WriteBytes(node + QStringLiteral("/partition"), "1\n");
            WriteBytes(node + QStringLiteral("/removable"), removable ? "0\n" : "1\n");
        }
        QFile::remove(blockDevices + QLatin1Char('/') + deviceName);
        ASSERT_TRUE(QFile::link(node, blockDevices + QLatin1Char('/') + deviceName));
    }

    TFolders folders;
    QTemporaryDir sys;
    QString deviceName;
    QString mountRoot;   // as the system names it
    QString blockDevices;
};

TEST_F(RealMount, TheRemovableFlagOfTheDiskDecidesAndAPartitionAsksItsDisk)
{
    TSystemMedia media(blockDevices);
    InstallMedia(&media);
    const QString notYet = folders.Root() + QStringLiteral("saved/family");

    LayDisk(QStringLiteral("virtual/block/") + deviceName, false, true);
    TVolume volume = media.Volume(notYet);
    EXPECT_TRUE(volume.readable);
    EXPECT_TRUE(volume.removable);
    EXPECT_GT(volume.freeBytes, 0);
    EXPECT_EQ(volume.rootPath, mountRoot);
    const QString first = FirstRemovableFolder();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(QFileInfo(QString::fromLocal8Bit(QStorageInfo(first).device())).fileName(), deviceName);

    LayDisk(QStringLiteral("virtual/block/") + deviceName, false, false);
    EXPECT_FALSE(media.Volume(notYet).removable);
    EXPECT_EQ(FirstRemovableFolder(), QString());

    LayDisk(QStringLiteral("usb/stick/") + deviceName, true, true);
    EXPECT_TRUE(media.Volume(notYet).removable);
    LayDisk(QStringLiteral("sata/fixed/") + deviceName, true, false);
    EXPECT_FALSE(media.Volume(notYet).removable);

    QFile::remove(blockDevices + QLatin1Char('/') + deviceName);
    EXPECT_FALSE(media.Volume(notYet).removable);
    EXPECT_EQ(FirstRemovableFolder(), QString());
}

TEST_F(RealMount, ABackupOntoARemovableDiskAsksForItByItsMountFolder)
{
    TSystemMedia media(blockDevices);
    InstallMedia(&media);
    LayDisk(QStringLiteral("usb/stick/") + deviceName, true, true);
    const QString target = folders.Root() + QStringLiteral("saved");

    TListeningTalk talk;
    ASSERT_TRUE(RunBackup({target, TBackupPassword::None, {}, {}}, talk)) << talk.said.join('\n').toStdString();
    EXPECT_EQ(talk.said, QStringList({QStringLiteral("disk 1: Please insert an empty formatted disk into drive ") +
                                          mountRoot + QStringLiteral(" and click OK button."),
                                      QStringLiteral("information: Database backup is completed.")}));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Backup.log")));

    // The disk taken out at the prompt leaves the folder on a fixed disk.
    const QString after = folders.Root() + QStringLiteral("after");
    TListeningTalk emptied;
    emptied.onDisk = [&](int) { LayDisk(QStringLiteral("sata/fixed/") + deviceName, true, false); };
    EXPECT_FALSE(RunBackup({after, TBackupPassword::None, {}, {}}, emptied));
    EXPECT_EQ(emptied.said.last(), QStringLiteral("warning: Please make sure there is an empty disk in the floppy "
                                                  "drive and it is formatted."));
    EXPECT_FALSE(QFileInfo::exists(after));
}

}  // namespace
