// Backs up the data folder, or restores it from two sets in turn, without
// end, for a test that kills it at random moments. The root given holds
// "bin/" and "db/", and for restoring the sets "setA/" and "setB/". Says
// "ready" once the first round is done; anything the jobs tell the user but
// their success ends it.
#include "context/context.h"
#include "organizer/backupjob.h"
#include "organizer/restorejob.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

class SilentTalk : public TJobTalk {
public:
    void Tell(const QString& text, MsgIcon icon) override
    {
        if (icon == MsgIcon::Information)
            return;
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::exit(3);
    }
    bool Confirm(const QString&) override { return true; }
    void PromptDisk(int, const QString&) override {}
    void BeginProgress(const QString&) override {}
    void Progress(int) override {}
    void EndProgress() override {}
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    ProgramDir = root + QStringLiteral("bin/");
    DataFolder = root + QStringLiteral("db/");
    SilentTalk talk;
    for (qint64 round = 0;; ++round) {
        if (mode == QStringLiteral("backup"))
            RunBackup({root + QStringLiteral("saved"), TBackupPassword::None, {}, {}}, talk);
        else
            RunRestore({root + (round % 2 ? QStringLiteral("setB") : QStringLiteral("setA")), {}, {}}, talk);
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
