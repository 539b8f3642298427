#pragma once
// The SMTP servers the e-mail tests talk to, on loopback ports of their own:
// the real one (Debian's aiosmtpd, receiving into a maildir the test reads
// back) and a scripted one that answers as a test tells it: refusals,
// silence, slow replies, replies split over packets, multi-line replies,
// hanging up.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class QTcpServer;
class QTcpSocket;

// A port nobody listens on at the moment.
quint16 FreeLoopbackPort();

class RealSmtpPeer {
public:
    RealSmtpPeer();
    ~RealSmtpPeer();
    RealSmtpPeer(const RealSmtpPeer&) = delete;
    RealSmtpPeer& operator=(const RealSmtpPeer&) = delete;

    // False when the server did not come up.
    bool Started() const { return started_; }
    quint16 Port() const { return port_; }
    // The messages received, as stored.
    QList<QByteArray> Messages() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    bool started_ = false;
};

// A stored message as a mail reader shows it: its subject and its body
// text, decoded by Python's own e-mail package.
struct TReadMail {
    QString subject;
    QString body;
};
TReadMail ReadMail(const QByteArray& message);

// One piece of a reply: sent after the delay, as a packet of its own; the
// peer then hangs up when asked to.
struct TReplyPiece {
    QByteArray bytes;
    int delayMs = 0;
    bool hangUp = false;
};
using TReply = QList<TReplyPiece>;

class ScriptedSmtpPeer : public QObject {
    Q_OBJECT
public:
    // Given the command line received (empty for the connection, "." for the
    // end of the message), the reply; no pieces: silence.
    using TScript = std::function<TReply(const QString& command)>;

    explicit ScriptedSmtpPeer(TScript script);
    ~ScriptedSmtpPeer() override;

    quint16 Port() const;
    QStringList Commands() const { return commands_; }
    QByteArray Data() const { return data_; }

    // The usual well-behaved answers, with the message accepted.
    static TReply Usual(const QString& command);

private:
    void Accept();
    void Read();
    void Reply(const TReply& reply);

    TScript script_;
    QTcpServer* server_;
    QTcpSocket* client_ = nullptr;
    QByteArray pending_;
    bool inData_ = false;
    QStringList commands_;
    QByteArray data_;
};
