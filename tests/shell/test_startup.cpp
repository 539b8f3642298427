#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include "shell/startup.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kUninstallConfirmation = QStringLiteral(
    "If you would like to save your data for future use, please click \"Cancel\" to abort uninstallation, run "
    "CarePortfolio, and then select Backup from the File menu. Otherwise, click \"OK\" to uninstall CarePortfolio.");
const QString kNoLog = QStringLiteral(
    "Unable to find the installation log.  Please uninstall manually by invoking the following executable file: ");

TEST(ProgramFolders, FolderOfTheProgramKeepsItsTrailingSlash)
{
    EXPECT_EQ(ProgramDirOf(QStringLiteral("/opt/care/bin/careportfolio")), QStringLiteral("/opt/care/bin/"));
    EXPECT_EQ(ProgramDirOf(QStringLiteral("/careportfolio")), QStringLiteral("/"));
    EXPECT_EQ(ProgramDirOf(QStringLiteral("careportfolio")), QString());
}

TEST(ProgramFolders, DataFolderIsTheSiblingOfAThreeLetterProgramFolder)
{
    EXPECT_EQ(DataFolderOf(QStringLiteral("/home/ann/care/bin/")), QStringLiteral("/home/ann/care/db/"));
    EXPECT_EQ(DataFolderOf(QStringLiteral("/work/build/bin/")), QStringLiteral("/work/build/db/"));
    // The rule counts characters, whatever the last folder is called.
    EXPECT_EQ(DataFolderOf(QStringLiteral("/opt/care/programs/")), QStringLiteral("/opt/care/progrdb/"));
}

TEST(ProgramFolders, SevenCharactersAreTheShortestProgramFolder)
{
    EXPECT_FALSE(IsProgramDirTooShort(QStringLiteral("/x/abc/")));
    EXPECT_EQ(DataFolderOf(QStringLiteral("/x/abc/")), QStringLiteral("/x/db/"));
    EXPECT_TRUE(IsProgramDirTooShort(QStringLiteral("/x/ab/")));
    EXPECT_TRUE(IsProgramDirTooShort(QStringLiteral("/")));
}

TEST(CommandLine, OnlyAFirstArgumentOfUninstallInAnyCaseCounts)
{
    EXPECT_TRUE(IsUninstallRequest({QStringLiteral("-uninstall")}));
    EXPECT_TRUE(IsUninstallRequest({QStringLiteral("-UNINSTALL")}));
    EXPECT_TRUE(IsUninstallRequest({QStringLiteral("-Uninstall"), QStringLiteral("more")}));
    EXPECT_FALSE(IsUninstallRequest({QStringLiteral("-other"), QStringLiteral("-uninstall")}));
    EXPECT_FALSE(IsUninstallRequest({QStringLiteral("uninstall")}));
    EXPECT_FALSE(IsUninstallRequest({}));
}

// A program folder with a stand-in uninstall program that notes the
// argument it was started with.
class Uninstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        programDir_ = dir_.path() + QStringLiteral("/bin/");
        ASSERT_TRUE(QDir().mkpath(programDir_));
        QFile script(programDir_ + QStringLiteral("unwise.exe"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/started.tmp\"\n"
                     "mv \"$(dirname \"$0\")/started.tmp\" \"$(dirname \"$0\")/started\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    void WriteLog() const
    {
        QFile log(programDir_ + QStringLiteral("install.log"));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    }

    // What the uninstall program was started with, or nothing after a while.
    QString StartedWith(int waitMs) const
    {
        QFile marker(programDir_ + QStringLiteral("started"));
        QElapsedTimer clock;
        clock.start();
        while (!marker.exists() && clock.elapsed() < waitMs)
            QThread::msleep(20);
        return marker.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(marker.readAll()) : QString();
    }

    QTemporaryDir dir_;
    QString programDir_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(Uninstall, ConfirmedWithTheLogStartsTheUninstallProgramOnIt)
{
    WriteLog();
    boxes_.answers = {MsgResult::Ok};
    RunUninstall(programDir_);
    EXPECT_EQ(StartedWith(10000), programDir_ + QStringLiteral("install.log"));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].text, kUninstallConfirmation);
    EXPECT_EQ(boxes_.shown[0].buttons, unsigned(MsgOk | MsgCancel));
}

TEST_F(Uninstall, CancelledOrClosedStartsNothing)
{
    WriteLog();
    boxes_.answers = {MsgResult::Cancel, MsgResult::None};
    RunUninstall(programDir_);
    RunUninstall(programDir_);
    EXPECT_EQ(boxes_.Texts(), QStringList({kUninstallConfirmation, kUninstallConfirmation}));
    EXPECT_EQ(StartedWith(300), QString());
}

TEST_F(Uninstall, WithoutTheLogTheUserIsToldWhatToRun)
{
    boxes_.answers = {MsgResult::Ok};
    RunUninstall(programDir_);
    EXPECT_EQ(boxes_.Texts(), QStringList({kUninstallConfirmation, kNoLog + programDir_ + QStringLiteral("unwise.exe.")}));
    EXPECT_EQ(boxes_.shown[1].icon, MsgIcon::Error);
    EXPECT_EQ(StartedWith(300), QString());
}

TEST_F(Uninstall, WithoutTheUninstallProgramTheUserIsToldWhatToRun)
{
    WriteLog();
    ASSERT_TRUE(QFile::remove(programDir_ + QStringLiteral("unwise.exe")));
    boxes_.answers = {MsgResult::Ok};
    RunUninstall(programDir_);
    EXPECT_EQ(boxes_.Texts(), QStringList({kUninstallConfirmation, kNoLog + programDir_ + QStringLiteral("unwise.exe.")}));
    EXPECT_EQ(boxes_.shown.value(1).icon, MsgIcon::Error);
}

TEST_F(Uninstall, ACommandLineLongerThanTheUninstallProgramTakesIsNotStarted)
{
    programDir_ += QString(240, QLatin1Char('d')) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(programDir_));
    ASSERT_TRUE(QFile::copy(dir_.path() + QStringLiteral("/bin/unwise.exe"), programDir_ + QStringLiteral("unwise.exe")));
    WriteLog();
    boxes_.answers = {MsgResult::Ok};
    RunUninstall(programDir_);
    EXPECT_EQ(boxes_.Texts().value(1), kNoLog + programDir_ + QStringLiteral("unwise.exe."));
    EXPECT_EQ(StartedWith(300), QString());
}

TEST(DataFolder, TheDeliveredCopyCanBeWorkedIn)
{
    FreshDataFolder folder;
    EXPECT_EQ(DataFolderProblem(folder.Path()), QString());
}

TEST(DataFolder, AMissingFolderOrAFileInItsPlaceIsNamedToTheUser)
{
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/db/");
    EXPECT_TRUE(DataFolderProblem(missing).contains(missing));
    QFile file(dir.path() + QStringLiteral("/db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(DataFolderProblem(missing).contains(missing));
}

// Told before the main window checks the database's version, so the user
// hears the true cause, and only that.
TEST(DataFolder, ADatabaseThatDoesNotOpenIsToldByItsCauseAlone)
{
    FreshDataFolder folder;
    const QString file = QStringLiteral("\"") + Database::PathIn(folder.Path()) + QStringLiteral("\"");
    {
        DatabaseLockedElsewhere other(folder.Path());
        EXPECT_EQ(DataFolderProblem(folder.Path()),
                  QStringLiteral("The CarePortfolio database ") + file +
                      QStringLiteral(" is in use by another program.\n\nPlease close the other program, or wait until "
                                     "it has finished, then try again."));
    }
    EXPECT_EQ(DataFolderProblem(folder.Path()), QString()) << "free again";

    WriteGarbageDatabase(folder.Path());
    EXPECT_TRUE(DataFolderProblem(folder.Path())
                    .startsWith(QStringLiteral("The file ") + file +
                                QStringLiteral(" is not a CarePortfolio database, or it is damaged.")));

    Database::CloseAll();
    ASSERT_TRUE(QFile::remove(Database::PathIn(folder.Path())));
    EXPECT_TRUE(DataFolderProblem(folder.Path())
                    .startsWith(QStringLiteral("CarePortfolio cannot find its database, the file ") + file));
}

TEST(DataFolder, AFolderOrDatabaseThatCannotBeWrittenIsNamedToTheUser)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write anywhere";
    FreshDataFolder folder;
    const QString database = Database::PathIn(folder.Path());
    QFile::setPermissions(database, QFile::ReadOwner);
    EXPECT_TRUE(DataFolderProblem(folder.Path()).contains(folder.Path()));
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(DataFolderProblem(folder.Path()).contains(folder.Path()));
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
