#include "smtppeers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

quint16 FreeLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

RealSmtpPeer::RealSmtpPeer() : port_(FreeLoopbackPort())
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(SMTP_PEER_PYTHON),
                   {QStringLiteral("-m"), QStringLiteral("aiosmtpd"), QStringLiteral("-n"), QStringLiteral("-l"),
                    QStringLiteral("127.0.0.1:%1").arg(port_), QStringLiteral("-c"),
                    QStringLiteral("aiosmtpd.handlers.Mailbox"), dir_.filePath(QStringLiteral("maildir"))});
    if (!process_.waitForStarted(5000))
        return;
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port_);
        if (probe.waitForConnected(200) && probe.waitForReadyRead(2000) && probe.readAll().startsWith("220")) {
            probe.write("QUIT\r\n");
            probe.waitForBytesWritten(1000);
            started_ = true;
            return;
        }
        QThread::msleep(100);
    }
}

RealSmtpPeer::~RealSmtpPeer()
{
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QList<QByteArray> RealSmtpPeer::Messages() const
{
    QList<QByteArray> messages;
    const QDir newMail(dir_.filePath(QStringLiteral("maildir/new")));
    for (const QString& name : newMail.entryList(QDir::Files, QDir::Time | QDir::Reversed)) {
        QFile file(newMail.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            messages << file.readAll();
    }
    return messages;
}

TReadMail ReadMail(const QByteArray& message)
{
    QProcess python;
    python.start(QStringLiteral(SMTP_PEER_PYTHON),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, email, email.policy\n"
                                 "m = email.message_from_binary_file(sys.stdin.buffer, policy=email.policy.default)\n"
                                 "sys.stdout.buffer.write(str(m['subject']).encode('utf-8', 'surrogateescape') + "
                                 "b'\\0' + m.get_content().encode('utf-8', 'surrogateescape'))\n")});
    python.write(message);
    python.closeWriteChannel();
    if (!python.waitForFinished(10000) || python.exitCode() != 0)
        return {};
    const QByteArray output = python.readAllStandardOutput();
    const qsizetype split = output.indexOf('\0');
    return {QString::fromUtf8(output.left(split)), QString::fromUtf8(output.mid(split + 1))};
}

ScriptedSmtpPeer::ScriptedSmtpPeer(TScript script) : script_(std::move(script)), server_(new QTcpServer(this))
{
    server_->listen(QHostAddress::LocalHost, 0);
    connect(server_, &QTcpServer::newConnection, this, &ScriptedSmtpPeer::Accept);
}

ScriptedSmtpPeer::~ScriptedSmtpPeer() = default;

quint16 ScriptedSmtpPeer::Port() const
{
    return server_->serverPort();
}

TReply ScriptedSmtpPeer::Usual(const QString& command)
{
    if (command.isEmpty())
        return {{"220 scripted.test ready\r\n"}};
    if (command == QStringLiteral("DATA"))
        return {{"354 end with <CRLF>.<CRLF>\r\n"}};
    if (command == QStringLiteral("QUIT"))
        return {{"221 bye\r\n"}};
    return {{"250 ok\r\n"}};
}

void ScriptedSmtpPeer::Accept()
{
    client_ = server_->nextPendingConnection();
    connect(client_, &QTcpSocket::readyRead, this, &ScriptedSmtpPeer::Read);
    Reply(script_(QString()));
}

void ScriptedSmtpPeer::Read()
{
    pending_ += client_->readAll();
    for (;;) {
        if (inData_) {
            const qsizetype end = pending_.indexOf("\r\n.\r\n");
            if (end < 0)
                return;
            data_ = pending_.mid(2, end);   // past the line break put before it
            pending_.remove(0, end + 5);
            inData_ = false;
            commands_ << QStringLiteral(".");
            Reply(script_(QStringLiteral(".")));
            continue;
        }
        const qsizetype end = pending_.indexOf("\r\n");
        if (end < 0)
            return;
        const QString command = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 2);
        commands_ << command;
        const TReply reply = script_(command);
        inData_ = command == QStringLiteral("DATA") && !reply.isEmpty() && reply.constFirst().bytes.startsWith("354");
        if (inData_)
            pending_.prepend("\r\n");   // the end mark may follow the go-ahead at once
        Reply(reply);
    }
}

void ScriptedSmtpPeer::Reply(const TReply& reply)
{
    int at = 0;
    for (const TReplyPiece& piece : reply) {
        at += piece.delayMs;
        QTimer::singleShot(at, this, [this, piece] {
            if (client_ && client_->state() == QAbstractSocket::ConnectedState) {
                client_->write(piece.bytes);
                client_->flush();
                if (piece.hangUp)
                    client_->disconnectFromHost();
            }
        });
    }
}
