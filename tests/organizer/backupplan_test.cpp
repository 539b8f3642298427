#include "organizer/backupfiles.h"
#include "organizer/backupjob.h"

#include <gtest/gtest.h>

namespace {

const QString kTooBig = QStringLiteral(
    "The size of a single file in your database has exceeded the floppy capacity. Please use hard drive to back it up.");

// The list's own bytes on disk 1 for these names: "group 1", each name and
// room for a group line per file.
qint64 ListRoom(const TSizedFiles& files)
{
    qint64 bytes = 9;
    for (const auto& [name, size] : files)
        bytes += name.size() + 2 + QStringLiteral("group %1\r\n").arg(files.size() + 1).size();
    return bytes;
}

TEST(PlanDiskSet, StartsANewDiskWhenTheNextFileWouldOverflowThisOne)
{
    const TSizedFiles files{{"careportfolio.db", 900000}, {"cphelpt.rtf", 600000}};
    const TBackupPlan plan = PlanDiskSet(files, 1400000);
    EXPECT_EQ(plan.refusal, QString());
    EXPECT_EQ(plan.lines, QStringList({"group 1", "careportfolio.db", "group 2", "cphelpt.rtf"}));
    EXPECT_EQ(plan.disks, 2);
}

TEST(PlanDiskSet, CountsTheListOnDiskOneAndFillsLaterDisksToTheByte)
{
    const TSizedFiles files{{"careportfolio.db", 40000}, {"a.bin", 10001}, {"b.bin", 30000}, {"c.bin", 50000}};
    const qint64 capacity = 50000 + ListRoom(files);
    const TBackupPlan plan = PlanDiskSet(files, capacity);
    // a.bin would fit beside the database but for the list.
    EXPECT_EQ(plan.lines, QStringList({"group 1", "careportfolio.db", "group 2", "a.bin", "b.bin", "group 3", "c.bin"}));
    EXPECT_EQ(plan.disks, 3);

    const TBackupPlan exact = PlanDiskSet({{"careportfolio.db", 40000}, {"b.bin", 60000}}, 60000);
    EXPECT_EQ(exact.lines, QStringList({"group 1", "careportfolio.db", "group 2", "b.bin"}));
    EXPECT_EQ(exact.disks, 2);
}

TEST(PlanDiskSet, FilesThatFillADiskToTheByteNeedNoFurtherDisk)
{
    // Disk 1 holds the list beside the files.
    const TSizedFiles one{{"careportfolio.db", 30000}, {"a.bin", 19999}};
    const TBackupPlan full = PlanDiskSet(one, 49999 + ListRoom(one));
    EXPECT_EQ(full.lines, QStringList({"group 1", "careportfolio.db", "a.bin"}));
    EXPECT_EQ(full.disks, 1);

    const TBackupPlan later = PlanDiskSet({{"careportfolio.db", 40000}, {"b.bin", 30000}, {"c.bin", 30000}}, 60000);
    EXPECT_EQ(later.lines, QStringList({"group 1", "careportfolio.db", "group 2", "b.bin", "c.bin"}));
    EXPECT_EQ(later.disks, 2);
}

TEST(PlanDiskSet, RefusesDisksThatCannotHoldTheDatabaseWithItsListOrAnyFile)
{
    const TSizedFiles files{{"careportfolio.db", 30000}};
    EXPECT_EQ(PlanDiskSet(files, 30000 + ListRoom(files) - 1).refusal, kTooBig);
    EXPECT_EQ(PlanDiskSet(files, 30000 + ListRoom(files)).refusal, QString());
    EXPECT_EQ(PlanDiskSet({{"careportfolio.db", 100}, {"big.bin", 30001}}, 30000).refusal, kTooBig);
    // Every disk offers at least 20,000 bytes.
    EXPECT_EQ(PlanDiskSet({{"careportfolio.db", 0}}, 19999).refusal, kTooBig);
    EXPECT_EQ(PlanDiskSet({{"careportfolio.db", 0}}, 20000).refusal, QString());
}

TEST(PlanFolder, HasOneGroupAndCountsTheListInTheFreeSpace)
{
    const TSizedFiles files{{"careportfolio.db", 900000}, {"cphelpt.rtf", 600000}};
    const TBackupPlan plan = PlanFolder(files, 1600000);
    EXPECT_EQ(plan.lines, QStringList({"group 1", "careportfolio.db", "cphelpt.rtf"}));

    const qint64 list = QStringLiteral("group 1\r\ncareportfolio.db\r\ncphelpt.rtf\r\n").size();
    EXPECT_EQ(PlanFolder(files, 1500000 + list).refusal, QString());
    EXPECT_EQ(PlanFolder(files, 1500000 + list - 1).refusal,
              QStringLiteral("Your disk does not have enough space for backing up your database."));
    EXPECT_EQ(PlanFolder(files, 899999).refusal, kTooBig);
}

TEST(BackupList, AGroupLineIsGroupAndAPositiveNumberAndNothingElse)
{
    for (const char* line : {"group 1", "group 2", "group 10", "group 123456789012"})
        EXPECT_TRUE(IsGroupLine(QString::fromUtf8(line))) << line;
    for (const char* line : {"my group 2.txt", "group 2.txt", "group 2 ", " group 2", "Group 2", "group  2", "group 0",
                             "group 02", "group -2", "group +2", "group ", "group", "", "group \u0662", "group 2\t"})
        EXPECT_FALSE(IsGroupLine(QString::fromUtf8(line))) << line;
}

}  // namespace
