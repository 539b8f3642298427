#include "singleinstance.h"

#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

namespace {

constexpr int kConnectTimeoutMs = 2000;

// The lock and the socket live in the user's runtime folder, so each user
// runs a copy of his own.
QString InstancePath(const QString& suffix)
{
    QString name = TSingleInstance::MutexName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(name + suffix);
}

}  // namespace

TSingleInstance::TSingleInstance(QWidget* owner) : owner_(owner), lock_(InstancePath(QStringLiteral(".lock")))
{
    // Only a dead holder makes a lock stale, never its age: the first copy
    // may run for days.
    lock_.setStaleLockTime(0);
    if (lock_.tryLock(0)) {
        Listen(InstancePath(QStringLiteral(".socket")));
        return;
    }
    // A lock that cannot be made at all (no runtime folder) must not keep
    // the user out: only a lock held by another copy does.
    first_ = lock_.error() != QLockFile::LockFailedError;
}

TSingleInstance::~TSingleInstance()
{
    server_.close();
}

QString TSingleInstance::MutexName()
{
    return QStringLiteral("TSingleInstance in application ") + QApplication::applicationName().left(255);
}

void TSingleInstance::Loaded()
{
    if (!first_)
        Stop();
}

void TSingleInstance::Stop()
{
    if (!StopMsg.isEmpty())
        ShowMessageBox(StopMsg, MsgIcon::Warning, MsgOk, QApplication::applicationName());
    if (Activate) {
        // The connection itself is the request to come forward.
        QLocalSocket socket;
        socket.connectToServer(InstancePath(QStringLiteral(".socket")));
        if (socket.waitForConnected(kConnectTimeoutMs))
            socket.disconnectFromServer();
    }
    stopped_ = true;
}

void TSingleInstance::Listen(const QString& socketPath)
{
    // We hold the lock, so a socket file left there belongs to a dead copy.
    QLocalServer::removeServer(socketPath);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->deleteLater();
            BringOwnerForward();
        }
    });
    server_.listen(socketPath);
}

void TSingleInstance::BringOwnerForward()
{
    if (owner_->isMinimized())
        owner_->showNormal();
    QWidget* front = QApplication::activeModalWidget();
    if (!front || !front->isVisible() || !front->isEnabled())
        front = owner_;
    front->raise();
    front->activateWindow();
}
