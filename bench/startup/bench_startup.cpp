// Start-up as a whole process: from launch until the main window is shown
// and the event loop idle, against a bare window program as the floor.
#include "shell/startup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 21;

QProcessEnvironment QuietEnvironment(const QTemporaryDir& scratch)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("DISPLAY")) && !environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Away from the user's settings and from a copy the user may be running.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.path());
    environment.insert(QString::fromLatin1(kQuitWhenIdleVariable), QStringLiteral("1"));
    return environment;
}

// Median milliseconds of a launch to the program's own exit.
double MedianLaunchMs(const QString& program, const QProcessEnvironment& environment, const QStringList& arguments = {})
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            std::fprintf(stderr, "%s did not start and quit cleanly\n", qPrintable(program));
            return -1;
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QProcessEnvironment environment = QuietEnvironment(scratch);
    const double floor = MedianLaunchMs(QStringLiteral(FLOOR_WINDOW), environment);
    const double floorWithText = MedianLaunchMs(QStringLiteral(FLOOR_WINDOW), environment, {QStringLiteral("--text")});
    const double program = MedianLaunchMs(QStringLiteral(CAREPORTFOLIO), environment);
    if (floor <= 0 || floorWithText <= 0 || program <= 0)
        return 1;
    std::printf("start-up to an idle main window, median of %d launches\n", kRuns);
    std::printf("  bare Qt window   %8.1f ms\n", floor);
    std::printf("  ... with a label %8.1f ms\n", floorWithText);
    std::printf("  careportfolio    %8.1f ms   (%.2f x the bare window; target 1.5 x)\n", program, program / floor);
    return 0;
}
