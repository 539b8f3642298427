#include "linktrees.h"

#include "context/context.h"
#include "organizer/linkstore.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int kKills = 20;
constexpr int kWaitMs = 60000;

QStringList Shape(const TLinkTree& tree)
{
    QStringList lines;
    for (const TLinkNode* node : tree.PreOrder())
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(node->Level()).arg(node->text, node->url,
                                                                         node->note.join(QLatin1Char('|')))
                     .arg(int(node->folder)).arg(int(node->expanded));
    return lines;
}

// A writer killed at any moment of a save leaves the old tree or the new
// one, never a part of either.
TEST(LinkCrash, AKilledSaveLeavesTheOldTreeOrTheNewOne)
{
    FreshDataFolder folder;
    DataFolder = folder.Path();
    const QStringList oldTree = Shape(MakeLinkTree(30, 5, QStringLiteral("old")));
    const QStringList newTree = Shape(MakeLinkTree(20, 10, QStringLiteral("new")));
    SaveLinkTree(QStringLiteral("hiir"), MakeLinkTree(30, 5, QStringLiteral("old")));
    Database::CloseAll();

    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    QRandomGenerator random(seed);
    int seen[2] = {0, 0};
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(LINK_CRASH_HELPER), {folder.Path()});
        ASSERT_TRUE(writer.waitForReadyRead(kWaitMs)) << writer.readAllStandardError().toStdString();
        QThread::msleep(random.bounded(1, 150));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(kWaitMs));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer ended before it was killed";
        ASSERT_EQ(writer.readAllStandardError().toStdString(), "");

        const QStringList found = Shape(LoadLinkTree(QStringLiteral("hiir"), "Internet Health Info Resources"));
        const bool isOld = found == oldTree;
        const bool isNew = found == newTree;
        EXPECT_TRUE(isOld || isNew) << "after kill " << kill << ": " << found.size() << " nodes";
        ++seen[isNew ? 1 : 0];
        Database::CloseAll();
    }
    RecordProperty("old", seen[0]);
    RecordProperty("new", seen[1]);
    DataFolder.clear();
}

}  // namespace
