#include "tests/support/scriptedmessageboxes.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 15000;

// A copy of the guarded helper program, or of the program itself, with a
// runtime folder and settings of the test's own.
class GuardCopy {
public:
    explicit GuardCopy(const QString& runtimeDir, const QString& program = QStringLiteral(GUARD_HELPER))
        : program_(program)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtimeDir + QStringLiteral("/config"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(environment);
    }

    void SetEnvironment(const QString& name, const QString& value)
    {
        QProcessEnvironment environment = process_.processEnvironment();
        environment.insert(name, value);
        process_.setProcessEnvironment(environment);
    }

    ~GuardCopy()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    void Start(const QString& role = {}) { process_.start(program_, role.isEmpty() ? QStringList() : QStringList{role}); }

    bool EndsCleanly()
    {
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

    // The next line the copy says, or empty when it says nothing in time.
    QString NextLine()
    {
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && clock.elapsed() < kWaitMs)
            process_.waitForReadyRead(100);
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    QStringList AllLinesAtEnd()
    {
        process_.waitForFinished(kWaitMs);
        return QString::fromLocal8Bit(process_.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    void Kill()
    {
        process_.kill();
        process_.waitForFinished();
    }

private:
    QString program_;
    QProcess process_;
};

// Waits until a first copy listens for later ones.
bool Listening(const QString& runtimeDir)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kWaitMs) {
        if (QFileInfo::exists(runtimeDir + QStringLiteral("/TSingleInstance_in_application_CarePortfolio.socket")))
            return true;
        QThread::msleep(20);
    }
    return false;
}

class TwoCopies : public ::testing::Test {
protected:
    QTemporaryDir runtimeDir_;
};

TEST_F(TwoCopies, TheSecondSaysSoBringsTheFirstForwardAndEnds)
{
    GuardCopy first(runtimeDir_.path());
    first.Start(QStringLiteral("hold"));
    ASSERT_EQ(first.NextLine(), QStringLiteral("first=1"));

    GuardCopy second(runtimeDir_.path());
    second.Start(QStringLiteral("second"));
    EXPECT_EQ(second.AllLinesAtEnd(),
              QStringList({QStringLiteral("message: Application is already running. | CarePortfolio"),
                           QStringLiteral("stopped=1")}));
    EXPECT_EQ(first.NextLine(), QStringLiteral("restored"));
}

TEST_F(TwoCopies, TheProgramItselfHoldsTheGuardWhileItRuns)
{
    GuardCopy program(runtimeDir_.path(), QStringLiteral(CAREPORTFOLIO));
    program.Start();
    ASSERT_TRUE(Listening(runtimeDir_.path()));

    GuardCopy second(runtimeDir_.path());
    second.Start(QStringLiteral("second"));
    EXPECT_EQ(second.AllLinesAtEnd().value(1), QStringLiteral("stopped=1"));
}

using TheProgram = TwoCopies;

TEST_F(TheProgram, StartsUpToAnIdleMainWindowAndQuitsWhenAskedTo)
{
    GuardCopy program(runtimeDir_.path(), QStringLiteral(CAREPORTFOLIO));
    program.SetEnvironment(QString::fromLatin1(kQuitWhenIdleVariable), QStringLiteral("1"));
    program.Start();
    EXPECT_TRUE(program.EndsCleanly());
}

TEST_F(TwoCopies, ALockLeftByACrashedCopyDoesNotBlock)
{
    GuardCopy crashed(runtimeDir_.path());
    crashed.Start(QStringLiteral("hold"));
    ASSERT_EQ(crashed.NextLine(), QStringLiteral("first=1"));
    crashed.Kill();

    GuardCopy next(runtimeDir_.path());
    next.Start(QStringLiteral("probe"));
    EXPECT_EQ(next.AllLinesAtEnd(), QStringList({QStringLiteral("first=1")}));
}

TEST_F(TwoCopies, OneCopyAtATimeNeverMeetsTheGuard)
{
    for (int run = 0; run < 2; ++run) {
        GuardCopy copy(runtimeDir_.path());
        copy.Start(QStringLiteral("second"));
        EXPECT_EQ(copy.AllLinesAtEnd(), QStringList({QStringLiteral("stopped=0")}));
    }
}

// Within one process a second guard meets the first's lock just as a
// second process does, which lets the stop routine's options be checked.
class StopRoutine : public ::testing::Test {
protected:
    void SetUp() override { window_.showMinimized(); }

    void RunSecondCopy(TSingleInstance& second)
    {
        second.Loaded();
        QElapsedTimer clock;
        clock.start();
        while (window_.isMinimized() && clock.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    QWidget window_;
    TSingleInstance first_{&window_};
    QWidget secondWindow_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(StopRoutine, AnEmptyMessageStillBringsTheFirstCopyForward)
{
    TSingleInstance second(&secondWindow_);
    second.StopMsg.clear();
    RunSecondCopy(second);
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_FALSE(window_.isMinimized());
    EXPECT_TRUE(second.Stopped());
}

TEST_F(StopRoutine, WithoutActivationOnlyTheMessageIsShown)
{
    TSingleInstance second(&secondWindow_);
    second.Activate = false;
    RunSecondCopy(second);
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("Application is already running."));
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(window_.isMinimized());
    EXPECT_TRUE(second.Stopped());
    EXPECT_TRUE(first_.IsFirst());
    EXPECT_FALSE(first_.Stopped());
}

TEST(SingleInstanceName, IsTheApplicationTitle)
{
    EXPECT_EQ(TSingleInstance::MutexName(), QStringLiteral("TSingleInstance in application CarePortfolio"));
}

}  // namespace
