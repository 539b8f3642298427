#pragma once
// One copy of the program at a time. The first copy holds a lock file and
// listens on a local socket, both named after the application title; a later
// copy finds the lock taken, says so, asks the first copy to come forward
// through the socket and stops. The lock dies with its process, so a copy
// that crashed does not block the next start.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class QWidget;

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // Takes the lock, or learns that another copy holds it. The owner is the
    // window brought forward when a later copy asks for it.
    explicit TSingleInstance(QWidget* owner);
    ~TSingleInstance() override;

    // Shown by a later copy; empty shows nothing.
    QString StopMsg = QStringLiteral("Application is already running.");
    // Whether a later copy brings the running copy forward.
    bool Activate = true;

    // Once the owner is built: a later copy runs the stop routine.
    void Loaded();
    bool IsFirst() const { return first_; }
    // The program is to end without going further.
    bool Stopped() const { return stopped_; }

    // "TSingleInstance in application " and the application title.
    static QString MutexName();

private:
    void Stop();
    void Listen(const QString& socketPath);
    void BringOwnerForward();

    QWidget* owner_;
    QLockFile lock_;
    QLocalServer server_;
    bool first_ = true;
    bool stopped_ = false;
};
