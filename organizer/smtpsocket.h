#pragma once
// The e-mail dialog's client socket: a host look-up, one TCP connection on
// the UI thread whose events arrive as signals, lines sent with CR LF, and
// the socket errors as English sentences. It holds no protocol logic.
#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QHostInfo;
class QTcpSocket;

// The sentence for a sockets error number; "Unknown Error Occured." for one
// without its own.
QString SocketErrorText(int code);
// The sockets error number that stands for what Qt reports.
int SocketErrorCode(QAbstractSocket::SocketError error);

class _TSocket : public QObject {
    Q_OBJECT
public:
    // The events a connection reports.
    enum TEvent { ReadEvent = 1, WriteEvent = 2, ConnectEvent = 16, CloseEvent = 32 };
    // A line and its CR LF never exceed this.
    static constexpr int LineLimit = 255;

    explicit _TSocket(QObject* parent = nullptr);
    ~_TSocket() override;

    // Starts looking the name up; HostLookedUp answers. False when the name
    // is empty.
    bool LookupHost(const QString& name);
    // The look-up found an address.
    bool HostFound() const { return !address_.isNull(); }
    // The address found, IPv4 as dotted decimal text.
    QString AddressText() const { return address_.toString(); }

    void Connect(quint16 port);
    // The text and CR LF; a longer text loses its end but keeps its CR LF.
    void SendLine(const QString& text);
    QByteArray ReadAvailable();
    // Stops receiving and closes, after what was sent has gone out.
    void CloseSocket();
    // Drops the connection at once.
    void Finish();
    // The sentence for the last error.
    QString ErrorText() const;

signals:
    // 0 when the look-up found the host, else its sockets error number.
    void HostLookedUp(int error);
    void SocketEvent(int event);
    // A failure of the connection, already told to the user.
    void SocketFailed(int error);

private:
    void LookedUp(const QHostInfo& info);
    void Failed(QAbstractSocket::SocketError error);

    QTcpSocket* socket_;
    QHostAddress address_;
    int lookupId_ = -1;
    int lastError_ = 0;
};
