// A copy of "the program" for the single-instance tests: a window guarded by
// TSingleInstance, telling on standard output what happened to it.
//   guard_helper hold     first copy, minimised; says "restored" when a later copy brings it forward
//   guard_helper probe    says whether it would be the first copy and ends
//   guard_helper second   a later copy: runs the stop routine, the message box answered on standard output
#include "platform/ui/messagebox.h"
#include "shell/singleinstance.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

constexpr int kHoldMs = 20000;
constexpr int kPollMs = 20;

void Say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class PrintedMessageBoxes : public MessageBoxes {
public:
    MsgResult Show(const MessageRequest& request) override
    {
        Say(QStringLiteral("message: %1 | %2").arg(request.text, request.caption));
        return MsgResult::Ok;
    }
    void Beep() override {}
};

int Hold(QWidget& window, TSingleInstance& guard)
{
    Say(QStringLiteral("first=%1").arg(guard.IsFirst()));
    window.showMinimized();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!window.isMinimized()) {
            Say(QStringLiteral("restored"));
            QCoreApplication::quit();
        }
    });
    poll.start(kPollMs);
    QTimer::singleShot(kHoldMs, [] {
        Say(QStringLiteral("timeout"));
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CarePortfolio"));
    PrintedMessageBoxes boxes;
    InstallMessageBoxes(&boxes);
    const QString role = QCoreApplication::arguments().value(1);

    QWidget window;
    TSingleInstance guard(&window);
    if (role == QStringLiteral("hold"))
        return Hold(window, guard);
    if (role == QStringLiteral("probe")) {
        Say(QStringLiteral("first=%1").arg(guard.IsFirst()));
        return 0;
    }
    guard.Loaded();
    Say(QStringLiteral("stopped=%1").arg(guard.Stopped()));
    return 0;
}
