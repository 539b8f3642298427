// Start-up as a whole process: from launch until the main window is shown
// and the event loop idle, against two floors: a bare window program, and
// the same window showing one line of text.
//
// The three programs are launched in turns, in a rotating order, and each
// figure is the median of its launches: on a machine shared with builds the
// load drifts over a run, and only launches taken side by side compare.
// It measures on Qt's offscreen platform, and on an X display too: the one
// at hand (DISPLAY or WAYLAND_DISPLAY), else a virtual one of its own when
// Xvfb is installed. The first argument, when given, is the number of rounds.
#include "shell/startup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kDefaultRounds = 41;
// Launches before the timed ones: the first fills the file caches.
constexpr int kWarmUpRounds = 2;
constexpr double kTargetOverTextFloor = 1.25;

struct Contender {
    const char* name;
    QString program;
    QStringList arguments;
    std::vector<double> times;
};

// A virtual X display for as long as it lives, when Xvfb is installed.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        // Xvfb picks a free display number and writes it to the given descriptor.
        server_.setStandardErrorFile(QProcess::nullDevice());
        server_.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp")});
        if (server_.waitForStarted() && server_.waitForReadyRead(10000))
            name_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine().trimmed());
    }
    ~VirtualDisplay()
    {
        server_.terminate();
        server_.waitForFinished();
    }
    // Empty when there is none.
    const QString& Name() const { return name_; }

private:
    QProcess server_;
    QString name_;
};

QProcessEnvironment QuietEnvironment(const QTemporaryDir& scratch, const QString& platform, const QString& display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (platform.isEmpty())
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    // Away from the user's settings and from a copy the user may be running.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.path());
    environment.insert(QString::fromLatin1(kQuitWhenIdleVariable), QStringLiteral("1"));
    return environment;
}

// Milliseconds from launch to the program's own clean exit; nothing when it failed.
std::optional<double> LaunchMs(const Contender& contender, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(contender.program, contender.arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s did not start and quit cleanly:\n%s\n", qPrintable(contender.program),
                     process.readAllStandardError().constData());
        return std::nullopt;
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// Each round launches every contender once; the order turns by one each round.
bool MeasureInTurns(std::array<Contender, 3>& contenders, const QProcessEnvironment& environment, int rounds)
{
    for (int round = -kWarmUpRounds; round < rounds; ++round) {
        for (size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(turn + static_cast<size_t>(round + kWarmUpRounds)) % contenders.size()];
            const std::optional<double> ms = LaunchMs(contender, environment);
            if (!ms)
                return false;
            if (round >= 0)
                contender.times.push_back(*ms);
        }
    }
    return true;
}

bool MeasurePlatform(const QString& platform, const QString& display, const QString& title, int rounds)
{
    QTemporaryDir scratch;
    std::array<Contender, 3> contenders{{
        {"bare Qt window", QStringLiteral(FLOOR_WINDOW), {}, {}},
        {"window with one line of text", QStringLiteral(FLOOR_WINDOW), {QStringLiteral("--text")}, {}},
        {"careportfolio", QStringLiteral(CAREPORTFOLIO), {}, {}},
    }};
    if (!MeasureInTurns(contenders, QuietEnvironment(scratch, platform, display), rounds))
        return false;
    const double bare = Median(contenders[0].times);
    const double text = Median(contenders[1].times);
    const double program = Median(contenders[2].times);
    std::printf("%s: start-up to an idle main window, median of %d interleaved launches each\n", qPrintable(title),
                rounds);
    std::printf("  %-30s %7.1f ms\n", contenders[0].name, bare);
    std::printf("  %-30s %7.1f ms\n", contenders[1].name, text);
    std::printf("  %-30s %7.1f ms   %.2f x the bare window, %.2f x the window with text (target %.2f x)\n",
                contenders[2].name, program, program / bare, program / text, kTargetOverTextFloor);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int rounds = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : kDefaultRounds;
    if (!MeasurePlatform(QStringLiteral("offscreen"), QString(), QStringLiteral("offscreen"), rounds))
        return 1;
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return MeasurePlatform(QString(), QString(), QStringLiteral("display"), rounds) ? 0 : 1;
    const VirtualDisplay xvfb;
    if (xvfb.Name().isEmpty()) {
        std::printf("no display, and Xvfb is not installed: measured offscreen only\n");
        return 0;
    }
    return MeasurePlatform(QStringLiteral("xcb"), xvfb.Name(), QStringLiteral("Xvfb ") + xvfb.Name(), rounds) ? 0 : 1;
}
