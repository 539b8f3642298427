#include "expenseenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace ExpenseEnv;

constexpr int kKills = 20;
constexpr int kWaitMs = 60000;

// A writer killed at any moment of a Finish leaves each expense complete
// with its split rows, or absent.
TEST(ExpenseCrash, KilledWriterLeavesEveryExpenseWholeOrAbsent)
{
    FreshDataFolder folder;
    DataFolder = folder.Path();
    const qint32 anne = AddMember(QStringLiteral("Anne"), QStringLiteral("Smith"));
    Cover(AddAccount(1, QStringLiteral("Medical")), anne);
    Cover(AddAccount(2, QStringLiteral("Dental")), anne);
    for (const QString& name : {QStringLiteral("FSA one"), QStringLiteral("FSA two")})
        AddElection(AddAccount(5, name), 2024);
    Database::CloseAll();

    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    QRandomGenerator random(seed);
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(EXPENSE_CRASH_HELPER), {folder.Path()});
        ASSERT_TRUE(writer.waitForReadyRead(kWaitMs)) << writer.readAllStandardError().toStdString();
        QThread::msleep(random.bounded(1, 120));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(kWaitMs));
        // A writer that failed on its own would have said why.
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer ended before it was killed";
        ASSERT_EQ(writer.readAllStandardError().toStdString(), "");

        EXPECT_EQ(Column(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
        EXPECT_EQ(ExpenseContradictions(), QStringList()) << "after kill " << kill;
        Database::CloseAll();
    }
    EXPECT_GT(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), kKills);
    Database::CloseAll();
    DataFolder.clear();
}

}  // namespace
