// Saves two link trees in turn without end into the data folder given as its
// argument, for a test that kills it at random moments. Says "ready" once the
// first is written.
#include "linktrees.h"

#include "context/context.h"
#include "organizer/linkstore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DataFolder = QString::fromLocal8Bit(argv[1]);
    const TLinkTree trees[] = {MakeLinkTree(20, 10, QStringLiteral("new")), MakeLinkTree(30, 5, QStringLiteral("old"))};
    for (qint64 round = 0;; ++round) {
        SaveLinkTree(QStringLiteral("hiir"), trees[round % 2]);
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
