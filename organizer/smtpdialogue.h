#pragma once
// The SMTP dialogue that sends the to-do list, state by state, without a
// socket: the e-mail dialog hands it each event and does what it answers
// (lines to send, the progress text, closing the connection). Replies are
// gathered until their final line, so a reply split over several packets or
// spread over "250-" continuation lines is taken as one.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct TSmtpEnvelope {
    QString server;      // as the user typed it, trimmed in the messages
    QString from;
    QString to;
    QString cc;          // empty: no copy
    QString subject;
    QStringList body;    // the message box's lines
    QString localHost;   // named in HELO
};

struct TSmtpProgress {
    QString text;
    bool okEnabled = false;
    bool cancelEnabled = false;
};

struct TSmtpReaction {
    QStringList send;                       // each line is sent with CR LF after it
    std::optional<TSmtpProgress> progress;
    bool closeConnection = false;
    // The e-mail dialog is done: it closes once the progress window goes,
    // at once when the ending has no text of its own to show there.
    bool endDialog = false;
    // The connection is made or a command is out: the server's answer is
    // awaited within a time limit.
    bool awaitReply = false;
};

enum class TSmtpState {
    Idle = 0,
    Greeting = 1,
    HeloSent = 2,
    MailFromSent = 3,
    RcptToSent = 4,
    RcptCcSent = 5,
    DataSent = 6,
    MessageSent = 7,
    QuitSent = 15,
};

class TSmtpDialogue {
public:
    explicit TSmtpDialogue(TSmtpEnvelope envelope);

    TSmtpReaction Connected();
    // Bytes as they arrive; nothing happens until a reply is whole.
    TSmtpReaction Received(const QByteArray& bytes);
    // The server did not answer in time.
    TSmtpReaction ReplyTimedOut();
    // The server closed the connection.
    TSmtpReaction Closed();
    // The connection failed, and the user was told so in a box.
    TSmtpReaction Failed();

    TSmtpState State() const { return state_; }
    bool WelcomeOK() const { return welcomeOk_; }
    // The server took the message.
    bool Sent() const { return sent_; }
    // The last whole reply.
    const QString& Status() const { return status_; }
    // Refused, failed, timed out, closed or sent: nothing more will happen.
    bool Ended() const;

private:
    TSmtpReaction HandleReply(int code);
    TSmtpReaction Refused(int code);
    TSmtpReaction Malformed();
    std::optional<QString> RefusalText(int code) const;
    QString NotAvailable() const;
    QStringList MessageLines() const;

    TSmtpEnvelope envelope_;
    // Waiting for the greeting from the look-up of the server on.
    TSmtpState state_ = TSmtpState::Greeting;
    bool welcomeOk_ = false;
    bool sent_ = false;
    // A refusal ended the dialogue, whatever state it left.
    bool refused_ = false;
    QByteArray buffer_;
    QString status_;
};

// Where a whole reply ends in the bytes gathered: past the line break of its
// first line that is no continuation ("250-..."), or at the end of the bytes
// once they fill the receive buffer; -1 while the reply is still coming.
qsizetype ReplyEnd(const QByteArray& bytes);
// The code of a whole reply: its final line's. Every line ends in a line
// break and is three digits, then a hyphen (a continuation) or a blank or
// nothing (the final line); a reply of any other shape has no code.
std::optional<int> ReplyCode(const QByteArray& reply);

// How the body is written: as typed when all of it is ASCII, else as
// quoted-printable UTF-8.
enum class TBodyEncoding { AsTyped, QuotedPrintable };

// The message's lines as they go on the wire: every line ending becomes
// CR LF; as typed, a line longer than 245 characters is cut into pieces of
// 245 (fewer where the cut would part a character, such as an emoji), while
// quoted-printable keeps each line whole behind soft breaks; a piece
// beginning with "." gets a second one.
QStringList DataLines(const QStringList& body, TBodyEncoding encoding = TBodyEncoding::AsTyped);

// The texts of the progress window.
extern const QString SentText;
QString TimedOutText(const QString& server);
QString NoAnswerText(const QString& server);
QString ClosedText(const QString& server);
