#include "smtpsocket.h"

#include "platform/ui/messagebox.h"

#include <QHostInfo>
#include <QTcpSocket>
#include <map>

namespace {

const QString kUnknown = QStringLiteral("Unknown Error Occured.");

const std::map<int, QString>& ErrorTexts()
{
    static const std::map<int, QString> texts = {
        {10004, QStringLiteral("The call was canceled via WSACancelBlickingCall().")},
        {10009, QStringLiteral("Bad file number.")},
        {10013, QStringLiteral("The address specified is a broadcast address, but the socket doesn't support sending "
                               "broadcast packets.")},
        {10014, QStringLiteral("The address length supplied is too small.")},
        {10022, QStringLiteral("This function shouldn't be called at this time because listen() wasn't called before "
                               "accept().")},
        {10024, QStringLiteral("The queue is empty and no descriptors are available.")},
        {10035, QStringLiteral("This is a non-blocking socket and no connections are present.")},
        {10036, QStringLiteral("A blocking call is now in progress.")},
        {10037, QStringLiteral("The non-blocking routine has already finished.")},
        {10038, QStringLiteral("The socket number used isn't a socket.")},
        {10039, QStringLiteral("A destination address wasn't given.")},
        {10040, QStringLiteral("The datagram was too large for the buffer and was truncated.")},
        {10041, QStringLiteral("The socket can't use the protocol specified.")},
        {10042, QStringLiteral("The option is unknown or unsupported.")},
        {10043, QStringLiteral("This protocol isn't supported.")},
        {10044, QStringLiteral("This address family doesn't support the socket type specified.")},
        {10045, QStringLiteral("The socket referenced isn't open for connection oriented services.")},
        {10046, QStringLiteral("The address family specified isn't supported by this protocol.")},
        {10047, QStringLiteral("The address family specified isn't supported by this protocol.")},
        {10048, QStringLiteral("The address given is already in use.")},
        {10049, QStringLiteral("The address isn't available from this machine.")},
        {10050, QStringLiteral("WINSOCK.DLL has reported that the network subsystem has failed.")},
        {10051, QStringLiteral("The network can't be reached.")},
        {10052, QStringLiteral("Winsock dropped the connection.")},
        {10053, QStringLiteral("The connection was aborted due to a network failure.")},
        {10054, QStringLiteral("The connection was reset by the remote host.")},
        {10055, QStringLiteral("No buffer space is available.")},
        {10056, QStringLiteral("The socket is already connected.")},
        {10057, QStringLiteral("The socket isn't connected.")},
        {10058, QStringLiteral("The socket has been shut down.")},
        {10060, QStringLiteral("A connection attempt timed out; no connection was established.")},
        {10061, QStringLiteral("The connection was refused.")},
        {10091, QStringLiteral("The network subsystem isn't ready for communications.")},
        {10092, QStringLiteral("The Winsock API version requested isn't supported.")},
        {10093, QStringLiteral("WSAStartup() must be called successfully before you can use this function.")},
        {10101, QStringLiteral("The message terminated gracefully.")},
        {11001, QStringLiteral("The Authoritative Answer Host isn't available.")},
        {11002, QStringLiteral("The Non-Authoritative Host isn't available.")},
        {11003, QStringLiteral("This is a non-recoverable error or SERVERFAIL.")},
        {11004, QStringLiteral("No data record of the type has been requested.")},
    };
    return texts;
}

}  // namespace

QString SocketErrorText(int code)
{
    if (code == 10059 || (code >= 10062 && code <= 10071))
        return {};
    const auto found = ErrorTexts().find(code);
    return found == ErrorTexts().end() ? kUnknown : found->second;
}

int SocketErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError: return 10101;
    case QAbstractSocket::HostNotFoundError: return 11001;
    case QAbstractSocket::SocketAccessError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    case QAbstractSocket::SocketTimeoutError: return 10060;
    case QAbstractSocket::NetworkError: return 10050;
    case QAbstractSocket::AddressInUseError: return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError: return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError: return 10043;
    case QAbstractSocket::OperationError: return 10036;
    case QAbstractSocket::TemporaryError: return 10035;
    default: return 0;
    }
}

_TSocket::_TSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this))
{
    connect(socket_, &QTcpSocket::connected, this, [this] { emit SocketEvent(ConnectEvent); });
    connect(socket_, &QTcpSocket::readyRead, this, [this] { emit SocketEvent(ReadEvent); });
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] { emit SocketEvent(WriteEvent); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] { emit SocketEvent(CloseEvent); });
    connect(socket_, &QTcpSocket::errorOccurred, this, &_TSocket::Failed);
}

_TSocket::~_TSocket()
{
    if (lookupId_ >= 0)
        QHostInfo::abortHostLookup(lookupId_);
    socket_->disconnect(this);
    socket_->abort();
}

bool _TSocket::LookupHost(const QString& name)
{
    if (name.trimmed().isEmpty())
        return false;
    address_.clear();
    lookupId_ = QHostInfo::lookupHost(name.trimmed(), this, &_TSocket::LookedUp);
    return true;
}

void _TSocket::LookedUp(const QHostInfo& info)
{
    lookupId_ = -1;
    address_.clear();
    // The first IPv4 address, else the first there is.
    for (const QHostAddress& address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            address_ = address;
            break;
        }
    }
    if (address_.isNull() && !info.addresses().isEmpty())
        address_ = info.addresses().constFirst();
    lastError_ = info.error() == QHostInfo::NoError ? 0 : 11001;
    emit HostLookedUp(lastError_);
}

void _TSocket::Connect(quint16 port)
{
    socket_->connectToHost(address_, port);
}

void _TSocket::SendLine(const QString& text)
{
    socket_->write((text.left(LineLimit - 2) + QStringLiteral("\r\n")).toUtf8());
}

QByteArray _TSocket::ReadAvailable()
{
    return socket_->readAll();
}

void _TSocket::CloseSocket()
{
    socket_->disconnectFromHost();
}

void _TSocket::Finish()
{
    // Dropped on purpose: nothing to tell the user.
    const QSignalBlocker quiet(socket_);
    socket_->abort();
}

QString _TSocket::ErrorText() const
{
    return SocketErrorText(lastError_);
}

void _TSocket::Failed(QAbstractSocket::SocketError error)
{
    // The server ending the connection is the close event, not a failure.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    lastError_ = SocketErrorCode(error);
    ShowMessageBox(ErrorText(), MsgIcon::None, MsgOk);
    emit SocketFailed(lastError_);
}
