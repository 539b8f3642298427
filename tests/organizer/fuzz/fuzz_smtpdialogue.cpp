// The SMTP dialogue fed whatever a hostile server may send: never a crash or
// a hang, and never "sent" unless the reply to the end of the message ended
// in a final 250 line; a server hanging up before that is told as such;
// every ending but a failed connection leaves a text with OK to press, and a
// wait running out ends the dialogue; every line sent is ASCII; once the
// dialogue has ended, nothing more happens.
//
// Input: the first byte's lowest bit gives the envelope a CC address, its
// next bit a subject and a list outside ASCII; in the rest, byte 0x01 ends
// one read, byte 0x02 lets the wait for a reply run out, byte 0x03 is the
// server hanging up and byte 0x04 the connection failing. Every other byte
// is the server's.
#include "organizer/mimetext.h"
#include "organizer/smtpdialogue.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

bool IsCode(const QByteArray& line)
{
    return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
           std::isdigit(static_cast<unsigned char>(line[1])) && std::isdigit(static_cast<unsigned char>(line[2]));
}

// Read on its own terms: "ddd-" lines, then one "250", "250\r" or "250 ...".
bool StartsWithA250Reply(const QByteArray& bytes)
{
    qsizetype start = 0;
    for (qsizetype end; (end = bytes.indexOf('\n', start)) >= 0; start = end + 1) {
        const QByteArray line = bytes.mid(start, end - start);
        if (IsCode(line) && line.size() > 3 && line[3] == '-')
            continue;
        return line == "250" || line == "250\r" || line.startsWith("250 ");
    }
    return false;
}

TSmtpEnvelope Envelope(bool withCopy, bool utf8)
{
    TSmtpEnvelope envelope{QStringLiteral("mail.example.test"),
                           QStringLiteral("ann@example.test"),
                           QStringLiteral("bob@example.test"),
                           withCopy ? QStringLiteral("cc@example.test") : QString(),
                           QStringLiteral("CarePortfolio To-Do List"),
                           {QStringLiteral(".hidden"),
                            QString(244, QLatin1Char('a')) + QStringLiteral("\U0001F489 tail")},
                           QStringLiteral("kitchen-pc")};
    if (utf8) {
        envelope.subject = QStringLiteral("To-do f\u00fcr Zo\u00eb ") + QStringLiteral("\U0001F489").repeated(20);
        envelope.body << QStringLiteral(".Call Dr. M\u00fcller = 19.99 ");
    }
    return envelope;
}

class TRun {
public:
    TRun(bool withCopy, bool utf8) : dialogue_(Envelope(withCopy, utf8)) { Check(dialogue_.Connected()); }

    void Read(const QByteArray& bytes)
    {
        if (messageOut_)
            sinceMessage_ += bytes;
        Check(dialogue_.Received(bytes));
    }

    void TimeOut()
    {
        Check(dialogue_.ReplyTimedOut());
        Require(over_);
    }

    void Fail()
    {
        const TSmtpReaction reaction = dialogue_.Failed();
        Require(!reaction.progress);
        Check(reaction, false);
        Require(over_);
    }

    void HangUp()
    {
        const bool told = !over_;
        const TSmtpReaction reaction = dialogue_.Closed();
        if (told)
            Require(reaction.progress && reaction.progress->text == ClosedText(QStringLiteral("mail.example.test")));
        Check(reaction);
        Require(over_);
    }

private:
    void Check(const TSmtpReaction& reaction, bool told = true)
    {
        const bool quiet = reaction.send.isEmpty() && !reaction.progress && !reaction.closeConnection;
        if (over_)
            Require(quiet);
        if (reaction.endDialog && told)
            Require(reaction.progress && reaction.progress->okEnabled && !reaction.progress->cancelEnabled);
        for (const QString& line : reaction.send)
            Require(IsAscii(line) && !line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        if (dialogue_.Sent() && !sentSeen_) {
            Require(messageOut_ && StartsWithA250Reply(sinceMessage_));
            sentSeen_ = true;
        }
        Require(dialogue_.Sent() == sentSeen_);
        if (dialogue_.State() == TSmtpState::MessageSent)
            messageOut_ = true;
        over_ = over_ || reaction.endDialog || dialogue_.Sent();
    }

    TSmtpDialogue dialogue_;
    bool messageOut_ = false;
    bool sentSeen_ = false;
    bool over_ = false;
    QByteArray sinceMessage_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    TRun run((data[0] & 1) != 0, (data[0] & 2) != 0);
    QByteArray pending;
    for (size_t i = 1; i < size; ++i) {
        const char byte = static_cast<char>(data[i]);
        if (byte >= '\x01' && byte <= '\x04') {
            run.Read(pending);
            pending.clear();
            if (byte == '\x02')
                run.TimeOut();
            if (byte == '\x03')
                run.HangUp();
            if (byte == '\x04')
                run.Fail();
        } else {
            pending += byte;
        }
    }
    run.Read(pending);
    return 0;
}
