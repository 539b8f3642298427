// Backing up and restoring a data folder of about 100 MB, each next to
// `cp -r` of the same folder in the same run; the counter "ratio" is the
// job's time over cp's.
#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"
#include "platform/dataset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 200000;   // of 500 characters: about 100 MB

class QuietTalk : public TJobTalk {
public:
    void Tell(const QString& text, MsgIcon icon) override
    {
        if (icon != MsgIcon::Information)
            failure = text;
    }
    bool Confirm(const QString&) override { return true; }
    void PromptDisk(int, const QString&) override {}
    void BeginProgress(const QString&) override {}
    void Progress(int) override {}
    void EndProgress() override {}
    QString failure;
};

// "bin/" and "db/" under one root, the database grown to about 100 MB.
class BigFolders {
public:
    BigFolders() : root_(dir_.path() + QLatin1Char('/'))
    {
        QDir().mkpath(root_ + QStringLiteral("bin"));
        QDir().mkpath(root_ + QStringLiteral("db"));
        ProgramDir = root_ + QStringLiteral("bin/");
        DataFolder = root_ + QStringLiteral("db/");
        const QDir delivered(QStringLiteral(CP_DELIVERED_DB));
        for (const QString& name : delivered.entryList(QDir::Files)) {
            QFile::copy(delivered.filePath(name), DataFolder + name);
            QFile::setPermissions(DataFolder + name, QFile::ReadOwner | QFile::WriteOwner);
        }
        TQuery grow(DataFolder);
        grow.SQL() << QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)")
                          .arg(kRows)
                   << QStringLiteral("INSERT INTO CPREPT (Category, Column1) SELECT 'bench', hex(randomblob(250)) FROM n");
        grow.ExecSQL();
        Database::CloseAll();
    }
    ~BigFolders()
    {
        Database::CloseAll();
        DataFolder.clear();
        ProgramDir.clear();
    }
    const QString& Root() const { return root_; }

    // Milliseconds of `cp -r` of the data folder to a new folder, removed after.
    double CopyMilliseconds() const
    {
        const QString copy = root_ + QStringLiteral("cp-copy");
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), DataFolder.chopped(1), copy});
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        QDir(copy).removeRecursively();
        return ms;
    }

private:
    QTemporaryDir dir_;
    QString root_;
};

void Report(benchmark::State& state, double jobMs, double cpMs)
{
    state.counters["job_ms"] = jobMs / static_cast<double>(state.iterations());
    state.counters["cp_ms"] = cpMs / static_cast<double>(state.iterations());
    state.counters["ratio"] = jobMs / cpMs;
}

void BackUp100MB(benchmark::State& state)
{
    BigFolders folders;
    QuietTalk talk;
    const QString target = folders.Root() + QStringLiteral("saved");
    double jobMs = 0;
    double cpMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        cpMs += folders.CopyMilliseconds();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (!RunBackup({target, TBackupPassword::None, {}, {}}, talk))
            state.SkipWithError(qPrintable(talk.failure));
        jobMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    Report(state, jobMs, cpMs);
}
BENCHMARK(BackUp100MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void Restore100MB(benchmark::State& state)
{
    BigFolders folders;
    QuietTalk talk;
    const QString set = folders.Root() + QStringLiteral("saved");
    if (!RunBackup({set, TBackupPassword::None, {}, {}}, talk))
        state.SkipWithError(qPrintable(talk.failure));
    double jobMs = 0;
    double cpMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        cpMs += folders.CopyMilliseconds();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (!RunRestore({set, {}, {}}, talk) || !talk.failure.isEmpty())
            state.SkipWithError(qPrintable(talk.failure));
        jobMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    Report(state, jobMs, cpMs);
}
BENCHMARK(Restore100MB)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
