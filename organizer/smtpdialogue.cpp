#include "smtpdialogue.h"

#include "mimetext.h"
#include "textlines.h"

#include "context/product.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int kPieceLength = 245;
// The receive buffer's room: a reply that fills it unfinished is judged as
// it stands, and so refused.
constexpr qsizetype kReplyRoom = 8191;

const QString kRecipients =
    QStringLiteral("Cannot send email.  Please verify the correctness of the recipients and try again.");
const QString kProcessing = QStringLiteral("Cannot send email.  Processing error encountered.  Please try again.");
const QString kDiskSpace = QStringLiteral("Cannot send email.  There is not sufficient disk space to do so.");
const QString kStorage =
    QStringLiteral("Cannot send email.  Process aborted because of lack of storage allocation.");
const QString kTryLater = QStringLiteral("Cannot send email.  Please again later.  You may need to contact your "
                                         "internet service provider if repeated attempts fail.");

QString ErrorCodeText(int code)
{
    return QStringLiteral("An email error occured.  Please contact Brightmoor Corp.  with the following error code: ") +
           QString::number(code) + QLatin1Char('.');
}

bool OneOf(int code, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

TSmtpProgress Final(const QString& text)
{
    return TSmtpProgress{text, true, false};
}

// A line as typed, cut so that no piece overflows the line a send takes.
QStringList Pieces(QStringView line)
{
    QStringList pieces;
    qsizetype at = 0;
    do {
        pieces << LeftWhole(line.mid(at), kPieceLength).toString();
        at += pieces.last().size();
    } while (at < line.size());
    return pieces;
}

QStringList SubjectLines(QString subject)
{
    subject.replace(QRegularExpression(QStringLiteral("[\r\n]")), QStringLiteral(" "));
    if (IsAscii(subject))
        return {QStringLiteral("Subject: ") + subject};
    // One encoded-word a line, the later ones folded under the first.
    QStringList lines = EncodedWords(subject);
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i].prepend(i == 0 ? QStringLiteral("Subject: ") : QStringLiteral(" "));
    return lines;
}

enum class TLineKind { Continuation, Final, Malformed };

// A reply line without its line break.
TLineKind LineKind(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() < 3 || !std::all_of(line.begin(), line.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
        return TLineKind::Malformed;
    if (line.size() == 3 || line.at(3) == ' ')
        return TLineKind::Final;
    return line.at(3) == '-' ? TLineKind::Continuation : TLineKind::Malformed;
}

}  // namespace

const QString SentText = QStringLiteral("Your to-do list has been sent.");

QString TimedOutText(const QString& server)
{
    return QStringLiteral("Cannot send email.  Your SMTP server, ") + server.trimmed() +
           QStringLiteral(", did not confirm that it received your to-do list.  Please try again later.");
}

QString NoAnswerText(const QString& server)
{
    return QStringLiteral("Cannot send email.  Your SMTP server, ") + server.trimmed() +
           QStringLiteral(", did not answer.  Your to-do list has not been sent.  Please try again later.");
}

QString ClosedText(const QString& server)
{
    return QStringLiteral("Cannot send email.  Your SMTP server, ") + server.trimmed() +
           QStringLiteral(", closed the connection.  Your to-do list has not been sent.  Please try again later.");
}

qsizetype ReplyEnd(const QByteArray& bytes)
{
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break;
        if (LineKind(bytes.mid(start, end - start)) != TLineKind::Continuation)
            return end + 1;
        start = end + 1;
    }
    return bytes.size() >= kReplyRoom ? bytes.size() : -1;
}

std::optional<int> ReplyCode(const QByteArray& reply)
{
    if (!reply.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = reply.chopped(1).split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (LineKind(lines[i]) != TLineKind::Continuation)
            return std::nullopt;
    }
    if (LineKind(lines.constLast()) != TLineKind::Final)
        return std::nullopt;
    return lines.constLast().left(3).toInt();
}

QStringList DataLines(const QStringList& body, TBodyEncoding encoding)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString& text : body) {
        for (const QString& line : text.split(lineEnd)) {
            for (QString piece : encoding == TBodyEncoding::AsTyped ? Pieces(line) : QuotedPrintableLines(line)) {
                if (piece.startsWith(QLatin1Char('.')))
                    piece.prepend(QLatin1Char('.'));
                lines << piece;
            }
        }
    }
    return lines;
}

TSmtpDialogue::TSmtpDialogue(TSmtpEnvelope envelope) : envelope_(std::move(envelope)) {}

bool TSmtpDialogue::Ended() const
{
    return refused_ || state_ == TSmtpState::Idle || state_ == TSmtpState::QuitSent;
}

TSmtpReaction TSmtpDialogue::Connected()
{
    state_ = TSmtpState::Greeting;
    buffer_.clear();
    TSmtpReaction reaction;
    reaction.progress = TSmtpProgress{QStringLiteral("Processing info from host ..."), false, true};
    reaction.awaitReply = true;
    return reaction;
}

TSmtpReaction TSmtpDialogue::Received(const QByteArray& bytes)
{
    if (Ended())
        return {};
    buffer_ += bytes;
    const qsizetype end = ReplyEnd(buffer_);
    if (end < 0)
        return {};
    const QByteArray reply = buffer_.left(end);
    buffer_.remove(0, end);
    status_ = QString::fromLatin1(reply);
    const std::optional<int> code = ReplyCode(reply);
    return code ? HandleReply(*code) : Malformed();
}

TSmtpReaction TSmtpDialogue::ReplyTimedOut()
{
    TSmtpReaction reaction;
    if (Ended())
        return reaction;
    const bool messageOut = state_ == TSmtpState::MessageSent;
    state_ = TSmtpState::Idle;
    reaction.progress = Final(messageOut ? TimedOutText(envelope_.server) : NoAnswerText(envelope_.server));
    reaction.closeConnection = true;
    reaction.endDialog = true;
    return reaction;
}

TSmtpReaction TSmtpDialogue::Closed()
{
    TSmtpReaction reaction;
    // After an ending, sent or not, the close is the one that ending asked for.
    if (Ended())
        return reaction;
    state_ = TSmtpState::Idle;
    reaction.progress = Final(ClosedText(envelope_.server));
    reaction.endDialog = true;
    return reaction;
}

TSmtpReaction TSmtpDialogue::Failed()
{
    TSmtpReaction reaction;
    if (Ended())
        return reaction;
    state_ = TSmtpState::Idle;
    reaction.endDialog = true;
    return reaction;
}

TSmtpReaction TSmtpDialogue::HandleReply(int code)
{
    TSmtpReaction reaction;
    switch (state_) {
    case TSmtpState::Greeting:
        if (code == 421)
            welcomeOk_ = false;
        if (code != 220)
            return Refused(code);
        welcomeOk_ = true;
        reaction.send << QStringLiteral("HELO ") + envelope_.localHost;
        state_ = TSmtpState::HeloSent;
        break;
    case TSmtpState::HeloSent:
        if (code != 250)
            return Refused(code);
        reaction.send << QStringLiteral("MAIL FROM:<") + envelope_.from + QLatin1Char('>');
        state_ = TSmtpState::MailFromSent;
        break;
    case TSmtpState::MailFromSent:
        if (code != 250)
            return Refused(code);
        reaction.send << QStringLiteral("RCPT TO:<") + envelope_.to + QLatin1Char('>');
        state_ = TSmtpState::RcptToSent;
        break;
    case TSmtpState::RcptToSent:
    case TSmtpState::RcptCcSent:
        if (code != 250 && code != 251)
            return Refused(code);
        if (state_ == TSmtpState::RcptToSent && !envelope_.cc.isEmpty()) {
            reaction.send << QStringLiteral("RCPT TO:<") + envelope_.cc + QLatin1Char('>');
            state_ = TSmtpState::RcptCcSent;
        } else {
            reaction.send << QStringLiteral("DATA");
            state_ = TSmtpState::DataSent;
        }
        break;
    case TSmtpState::DataSent:
        // Only the go-ahead sends the message: a 250 here would claim a
        // message the server never had.
        if (code != 354)
            return Refused(code);
        reaction.send = MessageLines();
        state_ = TSmtpState::MessageSent;
        break;
    case TSmtpState::MessageSent:
        if (code != 250)
            return Refused(code);
        sent_ = true;
        reaction.send << QStringLiteral("QUIT");
        reaction.progress = Final(SentText);
        reaction.closeConnection = true;
        state_ = TSmtpState::QuitSent;
        break;
    case TSmtpState::Idle:
    case TSmtpState::QuitSent:
        return reaction;
    }
    reaction.awaitReply = state_ != TSmtpState::QuitSent;
    buffer_.clear();
    return reaction;
}

TSmtpReaction TSmtpDialogue::Refused(int code)
{
    TSmtpReaction reaction;
    // A code no message is named for still ends the wait, with the general one.
    reaction.progress = Final(RefusalText(code).value_or(kTryLater));
    if (state_ != TSmtpState::RcptToSent && state_ != TSmtpState::RcptCcSent)
        state_ = TSmtpState::Idle;
    refused_ = true;
    reaction.closeConnection = true;
    reaction.endDialog = true;
    return reaction;
}

// Whatever the server meant, it cannot be talked to; every state names
// this text for a server that is not there to serve.
TSmtpReaction TSmtpDialogue::Malformed()
{
    TSmtpReaction reaction = Refused(0);
    reaction.progress = Final(NotAvailable());
    return reaction;
}

std::optional<QString> TSmtpDialogue::RefusalText(int code) const
{
    if (code == 421)
        return NotAvailable();
    switch (state_) {
    case TSmtpState::Greeting: break;
    case TSmtpState::HeloSent:
        if (OneOf(code, {500, 501}))
            return ErrorCodeText(code);
        if (code == 504)
            return QStringLiteral("Unable to send email.  Your SMTP server, ") + envelope_.server.trimmed() +
                   QStringLiteral(", does not fully support email.");
        break;
    case TSmtpState::MailFromSent:
    case TSmtpState::RcptToSent:
    case TSmtpState::RcptCcSent:
    case TSmtpState::DataSent:
    case TSmtpState::MessageSent:
        if (code == 451)
            return kProcessing;
        if (code == 452)
            return kDiskSpace;
        if (code == 552)
            return kStorage;
        if (OneOf(code, {500, 501}) || (code == 503 && state_ != TSmtpState::MailFromSent))
            return ErrorCodeText(code);
        if (OneOf(code, {450, 550, 551, 553}) &&
            (state_ == TSmtpState::RcptToSent || state_ == TSmtpState::RcptCcSent))
            return kRecipients;
        if (code == 554 && (state_ == TSmtpState::DataSent || state_ == TSmtpState::MessageSent))
            return kTryLater;
        break;
    case TSmtpState::Idle:
    case TSmtpState::QuitSent: break;
    }
    return std::nullopt;
}

QString TSmtpDialogue::NotAvailable() const
{
    return QStringLiteral("Cannot send email.  Service is currently not available from your SMTP server, ") +
           envelope_.server.trimmed() +
           QStringLiteral(". Please make sure you have the correct SMTP server name and try again later.  You may "
                          "need to contact your internet service provider if repeated attempts fail.");
}

QStringList TSmtpDialogue::MessageLines() const
{
    const bool ascii = IsAscii(envelope_.subject) && IsAscii(envelope_.body.join(QLatin1Char('\n')));
    QStringList lines{QStringLiteral("To: ") + envelope_.to, QStringLiteral("From: ") + envelope_.from};
    lines << SubjectLines(envelope_.subject) << QStringLiteral("X-Sender: ")
          << QStringLiteral("X-Mailer: ") + ProductName + QLatin1Char(' ') + ProductVersion;
    if (!ascii) {
        lines << QStringLiteral("MIME-Version: 1.0") << QStringLiteral("Content-Type: text/plain; charset=UTF-8")
              << QStringLiteral("Content-Transfer-Encoding: quoted-printable");
    }
    lines << QString()
          << DataLines(envelope_.body, ascii ? TBodyEncoding::AsTyped : TBodyEncoding::QuotedPrintable)
          << QString() << QStringLiteral(".");
    return lines;
}
