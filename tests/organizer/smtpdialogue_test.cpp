// The SMTP dialogue state by state, fed replies as a server would send them.
#include "organizer/mimetext.h"
#include "organizer/smtpdialogue.h"
#include "organizer/smtpsocket.h"

#include <gtest/gtest.h>

namespace {

TSmtpEnvelope Envelope(const QString& cc = {})
{
    return TSmtpEnvelope{QStringLiteral(" mail.example.test "), QStringLiteral("ann@example.test"),
                         QStringLiteral("bob@example.test"), cc, QStringLiteral("CarePortfolio To-Do List"),
                         {QStringLiteral("1/31/2024 Flu shot")}, QStringLiteral("kitchen-pc")};
}

// Runs the dialogue up to the state the replies lead to; gives what each step sent.
QStringList Converse(TSmtpDialogue& dialogue, const QList<QByteArray>& replies)
{
    QStringList sent;
    dialogue.Connected();
    for (const QByteArray& reply : replies)
        sent << dialogue.Received(reply).send;
    return sent;
}

const QString kNotAvailable =
    QStringLiteral("Cannot send email.  Service is currently not available from your SMTP server, mail.example.test. "
                   "Please make sure you have the correct SMTP server name and try again later.  You may need to "
                   "contact your internet service provider if repeated attempts fail.");

const QString kTryLater = QStringLiteral("Cannot send email.  Please again later.  You may need to contact your "
                                         "internet service provider if repeated attempts fail.");

// The replies that bring a dialogue up to each command in turn.
const QList<QByteArray> kToHelo = {"220 ready\r\n"};
const QList<QByteArray> kToMail = kToHelo + QList<QByteArray>{"250 hello\r\n"};
const QList<QByteArray> kToRcpt = kToMail + QList<QByteArray>{"250 ok\r\n"};
const QList<QByteArray> kToData = kToRcpt + QList<QByteArray>{"250 ok\r\n"};
const QList<QByteArray> kToEnd = kToData + QList<QByteArray>{"354 go\r\n"};

struct TEnding {
    QList<QByteArray> before;
    QByteArray reply;
    QString text;   // in the progress window
};

// A dialogue brought that far ends on the reply with its text, sending
// nothing more and never counting the list as sent.
void ExpectEndsOn(const TEnding& each)
{
    SCOPED_TRACE(each.reply.left(40).toStdString() + " after " + std::to_string(each.before.size()) + " replies");
    TSmtpDialogue dialogue(Envelope());
    Converse(dialogue, each.before);
    const TSmtpReaction reaction = dialogue.Received(each.reply);
    EXPECT_TRUE(reaction.send.isEmpty());
    EXPECT_TRUE(reaction.endDialog);
    ASSERT_TRUE(reaction.progress);
    EXPECT_EQ(reaction.progress->text, each.text);
    EXPECT_TRUE(reaction.progress->okEnabled && !reaction.progress->cancelEnabled);
    EXPECT_FALSE(dialogue.Sent());
}

TEST(SmtpDialogue, WithoutACopyItIsHeloMailFromOneRcptToData)
{
    TSmtpDialogue dialogue(Envelope());
    const QStringList sent = Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n"});
    EXPECT_EQ(sent, QStringList({"HELO kitchen-pc", "MAIL FROM:<ann@example.test>", "RCPT TO:<bob@example.test>",
                                 "DATA"}));
    EXPECT_TRUE(dialogue.WelcomeOK());
    EXPECT_EQ(dialogue.State(), TSmtpState::DataSent);
}

TEST(SmtpDialogue, TheCopyGetsItsOwnRcptToAnd251IsAccepted)
{
    TSmtpDialogue dialogue(Envelope(QStringLiteral("cc@example.test")));
    const QStringList sent =
        Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "251 forwarded\r\n", "250 ok\r\n"});
    EXPECT_EQ(sent.mid(2), QStringList({"RCPT TO:<bob@example.test>", "RCPT TO:<cc@example.test>", "DATA"}));
}

TEST(SmtpDialogue, AReplyIsGatheredUntilItsFinalLine)
{
    TSmtpDialogue dialogue(Envelope());
    dialogue.Connected();
    EXPECT_TRUE(dialogue.Received("22").send.isEmpty());
    EXPECT_TRUE(dialogue.Received("0-first line of a greeting\r\n220-second\r").send.isEmpty());
    EXPECT_EQ(dialogue.Received("\n220 last\r\n").send, QStringList({"HELO kitchen-pc"}));
    EXPECT_EQ(dialogue.Status(), QStringLiteral("220-first line of a greeting\r\n220-second\r\n220 last\r\n"));
    // A bare code is a whole reply too.
    EXPECT_EQ(dialogue.Received("250\r\n").send, QStringList({"MAIL FROM:<ann@example.test>"}));

    EXPECT_EQ(ReplyEnd("250-a\r\n250-b\r\n"), -1);
    EXPECT_EQ(ReplyEnd("250-a\r\n250 b\r\nextra"), 14);
}

TEST(SmtpDialogue, TheMessageGoesOutOnlyOnTheGoAheadAndSuccessOnlyOnItsConfirmation)
{
    TSmtpDialogue dialogue(Envelope());
    Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n"});
    const TSmtpReaction data = dialogue.Received("354 go ahead\r\n");
    EXPECT_EQ(data.send, QStringList({"To: bob@example.test", "From: ann@example.test",
                                      "Subject: CarePortfolio To-Do List", "X-Sender: ",
                                      "X-Mailer: CarePortfolio 1.0", "", "1/31/2024 Flu shot", "", "."}));
    EXPECT_TRUE(data.awaitReply);
    EXPECT_FALSE(data.progress);
    EXPECT_FALSE(dialogue.Sent());

    const TSmtpReaction confirmed = dialogue.Received("250 queued as 4711\r\n");
    EXPECT_TRUE(dialogue.Sent());
    EXPECT_EQ(confirmed.send, QStringList({"QUIT"}));
    ASSERT_TRUE(confirmed.progress);
    EXPECT_EQ(confirmed.progress->text, QStringLiteral("Your to-do list has been sent."));
    EXPECT_TRUE(confirmed.progress->okEnabled);
    EXPECT_FALSE(confirmed.progress->cancelEnabled);
    EXPECT_TRUE(confirmed.closeConnection);
}

TEST(SmtpDialogue, A250InPlaceOfTheGoAheadIsNoSuccess)
{
    TSmtpDialogue dialogue(Envelope());
    Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n"});
    const TSmtpReaction reaction = dialogue.Received("250 ok\r\n");
    EXPECT_FALSE(dialogue.Sent());
    EXPECT_TRUE(reaction.send.isEmpty());
    EXPECT_TRUE(reaction.endDialog);
    ASSERT_TRUE(reaction.progress);
    EXPECT_EQ(reaction.progress->text, kTryLater);
}

TEST(SmtpDialogue, SilenceAfterTheMessageIsAFailureNeverSuccess)
{
    TSmtpDialogue dialogue(Envelope());
    Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"});
    const TSmtpReaction reaction = dialogue.ReplyTimedOut();
    EXPECT_FALSE(dialogue.Sent());
    ASSERT_TRUE(reaction.progress);
    EXPECT_EQ(reaction.progress->text,
              QStringLiteral("Cannot send email.  Your SMTP server, mail.example.test, did not confirm that it "
                             "received your to-do list.  Please try again later."));
    EXPECT_TRUE(reaction.progress->okEnabled);
    EXPECT_TRUE(reaction.endDialog);
    // A late confirmation after the failure was told changes nothing.
    EXPECT_FALSE(dialogue.Received("250 ok\r\n").progress);
    EXPECT_FALSE(dialogue.Sent());
}

TEST(SmtpDialogue, TheGreetingRefusedCloses421TellingWhy554WithTheGeneralText)
{
    TSmtpDialogue refused(Envelope());
    refused.Connected();
    const TSmtpReaction general = refused.Received("554 go away\r\n");
    EXPECT_TRUE(general.endDialog);
    EXPECT_TRUE(general.send.isEmpty());
    EXPECT_EQ(refused.State(), TSmtpState::Idle);
    ASSERT_TRUE(general.progress);
    EXPECT_EQ(general.progress->text, kTryLater);

    TSmtpDialogue busy(Envelope());
    busy.Connected();
    const TSmtpReaction told = busy.Received("421 busy\r\n");
    ASSERT_TRUE(told.progress);
    EXPECT_EQ(told.progress->text, kNotAvailable);
    EXPECT_FALSE(busy.WelcomeOK());
}

// Each refused reply of each state: its message (the general one for a code
// none is named for), and never a command after it.
TEST(SmtpDialogue, EveryRefusalHasItsMessageInItsState)
{
    const QString recipients =
        QStringLiteral("Cannot send email.  Please verify the correctness of the recipients and try again.");
    const QString processing = QStringLiteral("Cannot send email.  Processing error encountered.  Please try again.");
    const QString disk = QStringLiteral("Cannot send email.  There is not sufficient disk space to do so.");
    const QString storage =
        QStringLiteral("Cannot send email.  Process aborted because of lack of storage allocation.");
    const auto code = [](int n) {
        return QStringLiteral("An email error occured.  Please contact Brightmoor Corp.  with the following error "
                              "code: %1.")
            .arg(n);
    };
    const TEnding cases[] = {
        {kToHelo, "421 x\r\n", kNotAvailable},
        {kToHelo, "501 x\r\n", code(501)},
        {kToHelo, "504 x\r\n",
         QStringLiteral("Unable to send email.  Your SMTP server, mail.example.test, does not fully support email.")},
        {kToHelo, "452 x\r\n", kTryLater},
        {kToMail, "451 x\r\n", processing},
        {kToMail, "452 x\r\n", disk},
        {kToMail, "500 x\r\n", code(500)},
        {kToMail, "503 x\r\n", kTryLater},
        {kToMail, "552 x\r\n", storage},
        {kToRcpt, "550 no such user\r\n", recipients},
        {kToRcpt, "553 x\r\n", recipients},
        {kToRcpt, "503 x\r\n", code(503)},
        {kToRcpt, "554 x\r\n", kTryLater},
        {kToData, "554 x\r\n", kTryLater},
        {kToData, "421 x\r\n", kNotAvailable},
        {kToData, "550 x\r\n", kTryLater},
        {kToEnd, "552 too big\r\n", storage},
        {kToEnd, "554-no\r\n554 really not\r\n", kTryLater},
        {kToEnd, "451 x\r\n", processing},
    };
    for (const TEnding& each : cases)
        ExpectEndsOn(each);
}

// A reply line is three digits, then a blank, a hyphen or nothing; the
// reply's code is its final line's. Anything else is answered as a server
// that cannot serve, and never with the next command or success.
TEST(SmtpDialogue, AMisshapenReplyIsRefusedAndOnlyTheFinalLineCounts)
{
    const TEnding cases[] = {
        {{}, "22O ready\r\n", kNotAvailable},
        {kToHelo, "250$o\r\n", kNotAvailable},
        {kToHelo, "25 ok\r\n", kNotAvailable},
        {kToHelo, " 250 ok\r\n", kNotAvailable},
        {kToMail, "250-ok\r\n25x\r\n", kNotAvailable},
        {kToEnd, "2500 nonsense\r\n", kNotAvailable},
        {kToEnd, "250ok\r\n", kNotAvailable},
        {kToEnd, "250-queued\r\n554 rejected\r\n", kTryLater},
        // A reply that outgrows the receive buffer before its line ends.
        {kToEnd, "250 " + QByteArray(9000, 'x'), kNotAvailable},
    };
    for (const TEnding& each : cases)
        ExpectEndsOn(each);
}

// A refused recipient keeps its state, but the dialogue is over: what the
// server sends after it, even in the same packet, leads nowhere.
TEST(SmtpDialogue, NothingCountsOnceARefusalHasEndedTheDialogue)
{
    for (const QByteArray& refusal : {QByteArray("550 no such user\r\n"), QByteArray("249 ok\r\n")}) {
        SCOPED_TRACE(refusal.toStdString());
        TSmtpDialogue dialogue(Envelope(QStringLiteral("cc@example.test")));
        Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n"});
        EXPECT_TRUE(dialogue.Received(refusal + "250 ok\r\n").endDialog);
        for (const char* later : {"250 ok\r\n", "354 go\r\n", "250 queued\r\n", "xyz\r\n"}) {
            const TSmtpReaction reaction = dialogue.Received(later);
            EXPECT_TRUE(reaction.send.isEmpty());
            EXPECT_FALSE(reaction.progress);
            EXPECT_FALSE(reaction.closeConnection);
        }
        EXPECT_FALSE(dialogue.Sent());
    }
}

TEST(SmtpData, LongLinesArePiecesOf245AndLineEndsAreOnlyCrLf)
{
    const QString text = QString(245, QLatin1Char('a')) + QString(245, QLatin1Char('b')) + QString(110, QLatin1Char('c'));
    EXPECT_EQ(DataLines({text}), QStringList({QString(245, QLatin1Char('a')), QString(245, QLatin1Char('b')),
                                               QString(110, QLatin1Char('c'))}));
    // No cut parts a CR from its LF; bare ones become line ends of their own.
    const QString crAt245 = QString(244, QLatin1Char('x')) + QStringLiteral("\r\nnext\rbare cr\nbare lf");
    EXPECT_EQ(DataLines({crAt245}),
              QStringList({QString(244, QLatin1Char('x')), "next", "bare cr", "bare lf"}));
    EXPECT_EQ(DataLines({QString()}), QStringList({QString()}));
}

TEST(SmtpData, ALeadingDotIsDoubledAlsoWhereACutPutsOneFirst)
{
    EXPECT_EQ(DataLines({".", ".hidden", "a.b"}), QStringList({"..", "..hidden", "a.b"}));
    const QString dotAfterCut = QString(245, QLatin1Char('y')) + QStringLiteral(".tail");
    EXPECT_EQ(DataLines({dotAfterCut}), QStringList({QString(245, QLatin1Char('y')), "..tail"}));
}

TEST(SmtpData, NoCutPartsAnEmojiFromItsOtherHalf)
{
    const QString emoji = QStringLiteral("\U0001F489");   // two UTF-16 units
    const QString straddling = QString(244, QLatin1Char('a')) + emoji + QStringLiteral("tail");
    EXPECT_EQ(DataLines({straddling}), QStringList({QString(244, QLatin1Char('a')), emoji + "tail"}));
    // Only the piece where the pair would straddle the cut is shorter.
    const QString twice = straddling + QString(241, QLatin1Char('b')) + emoji + QStringLiteral("end");
    EXPECT_EQ(DataLines({twice}),
              QStringList({QString(244, QLatin1Char('a')), emoji + "tail" + QString(239, QLatin1Char('b')),
                           QString(2, QLatin1Char('b')) + emoji + "end"}));
    const QString fitting = QString(243, QLatin1Char('a')) + emoji + QStringLiteral("z");
    EXPECT_EQ(DataLines({fitting}), QStringList({QString(243, QLatin1Char('a')) + emoji, "z"}));
}

// A joined or skinned emoji, a flag and a letter with its accent are each
// one character to the reader, though made of several code points: a cut
// falls before such a character, never among its parts.
TEST(SmtpData, NoCutPartsACharacterMadeOfSeveralCodePoints)
{
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    const QString skinned = QStringLiteral("\U0001F44D\U0001F3FD");
    const QString flag = QStringLiteral("\U0001F1FA\U0001F1F8");
    const QString accented = QStringLiteral("e\u0301");
    for (const QString& character : {family, skinned, flag, accented}) {
        // Its first code point ends right at the cut.
        const qsizetype start = 245 - (character.at(0).isHighSurrogate() ? 2 : 1);
        const QString line = QString(start, QLatin1Char('a')) + character + QStringLiteral("tail");
        EXPECT_EQ(DataLines({line}), QStringList({QString(start, QLatin1Char('a')), character + "tail"}))
            << character.toStdString();
    }
    // A character longer than a piece is still cut, by whole code points:
    // also where they lie beyond 16 bits, each a surrogate pair.
    const QString beyond = QStringLiteral("\U0001F44D") + QStringLiteral("\U000E0100").repeated(150);
    for (const QString& endless : {QLatin1Char('e') + QString(300, QChar(0x0301)), beyond}) {
        const QStringList pieces = DataLines({endless});
        ASSERT_EQ(pieces.size(), 2);
        EXPECT_EQ(pieces.join(QString()), endless);
        EXPECT_FALSE(pieces.first().back().isHighSurrogate()) << "the cut parts a surrogate pair";
    }
}

TEST(SmtpData, ASubjectCannotAddHeaderLines)
{
    TSmtpEnvelope envelope = Envelope();
    envelope.subject = QStringLiteral("To-dos\r\nBcc: eve@example.test");
    TSmtpDialogue dialogue(envelope);
    const QStringList sent =
        Converse(dialogue, {"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"});
    EXPECT_TRUE(sent.contains(QStringLiteral("Subject: To-dos  Bcc: eve@example.test")));
}

// An all-ASCII message goes out as it always did, "=" and a trailing blank
// untouched; one character outside ASCII, in the subject or the list, makes
// the message declare UTF-8 and write its body as quoted-printable.
TEST(SmtpMime, OnlyTextOutsideAsciiChangesWhatIsSent)
{
    TSmtpEnvelope envelope = Envelope();
    envelope.body = {QStringLiteral("19.99 = 0.29 "), QString(250, QLatin1Char('x'))};
    TSmtpDialogue ascii(envelope);
    EXPECT_EQ(Converse(ascii, kToEnd).mid(4),
              QStringList({"To: bob@example.test", "From: ann@example.test", "Subject: CarePortfolio To-Do List",
                           "X-Sender: ", "X-Mailer: CarePortfolio 1.0", "", "19.99 = 0.29 ", QString(245, 'x'),
                           "xxxxx", "", "."}));

    envelope.subject = QStringLiteral("To-do f\u00fcr Zo\u00eb");
    TSmtpDialogue utf8(envelope);
    EXPECT_EQ(Converse(utf8, kToEnd).mid(6),
              QStringList({"Subject: =?UTF-8?B?VG8tZG8gZsO8ciBab8Or?=", "X-Sender: ", "X-Mailer: CarePortfolio 1.0",
                           "MIME-Version: 1.0", "Content-Type: text/plain; charset=UTF-8",
                           "Content-Transfer-Encoding: quoted-printable", "", "19.99 =3D 0.29=20",
                           QString(75, 'x') + '=', QString(75, 'x') + '=', QString(75, 'x') + '=', QString(25, 'x'),
                           "", "."}));

    // Under the default, all-ASCII subject, the list alone is enough.
    envelope.subject = Envelope().subject;
    envelope.body = {QStringLiteral("Call Dr. M\u00fcller")};
    TSmtpDialogue listOnly(envelope);
    EXPECT_EQ(Converse(listOnly, kToEnd).mid(6),
              QStringList({"Subject: CarePortfolio To-Do List", "X-Sender: ", "X-Mailer: CarePortfolio 1.0",
                           "MIME-Version: 1.0", "Content-Type: text/plain; charset=UTF-8",
                           "Content-Transfer-Encoding: quoted-printable", "", "Call Dr. M=C3=BCller", "", "."}));
}

// A soft break keeps a line at 76 and never parts the bytes of a character;
// a subject's encoded-words each hold whole characters.
TEST(SmtpMime, NoBreakPartsACharacter)
{
    EXPECT_EQ(QuotedPrintableLines(QString(76, QLatin1Char('a'))), QStringList({QString(76, QLatin1Char('a'))}));
    EXPECT_EQ(QuotedPrintableLines(QString(70, QLatin1Char('a')) + QStringLiteral("\U0001F489\t")),
              QStringList({QString(70, QLatin1Char('a')) + '=', "=F0=9F=92=89=09"}));
    EXPECT_EQ(QuotedPrintableLines(QString(72, QLatin1Char('a')) + QStringLiteral("\u00fc")),
              QStringList({QString(72, QLatin1Char('a')) + '=', "=C3=BC"}));

    const QString subject = QStringLiteral("\u00e4") + QStringLiteral("\U0001F489").repeated(12);
    const QStringList words = EncodedWords(subject);
    ASSERT_EQ(words.size(), 2);
    QString decoded;
    for (const QString& word : words) {
        EXPECT_LE(word.size(), 64);
        ASSERT_TRUE(word.startsWith(QStringLiteral("=?UTF-8?B?")) && word.endsWith(QStringLiteral("?=")));
        decoded += QString::fromUtf8(QByteArray::fromBase64(word.mid(10, word.size() - 12).toLatin1()));
    }
    EXPECT_EQ(decoded, subject);
}

TEST(SocketErrors, EachNumberHasItsSentence)
{
    EXPECT_EQ(SocketErrorText(10061), QStringLiteral("The connection was refused."));
    EXPECT_EQ(SocketErrorText(10047), QStringLiteral("The address family specified isn't supported by this protocol."));
    EXPECT_EQ(SocketErrorText(10004), QStringLiteral("The call was canceled via WSACancelBlickingCall()."));
    EXPECT_EQ(SocketErrorText(11004), QStringLiteral("No data record of the type has been requested."));
    EXPECT_EQ(SocketErrorText(10059), QString());
    EXPECT_EQ(SocketErrorText(10071), QString());
    EXPECT_EQ(SocketErrorText(10072), QStringLiteral("Unknown Error Occured."));
    EXPECT_EQ(SocketErrorText(0), QStringLiteral("Unknown Error Occured."));

    EXPECT_EQ(SocketErrorCode(QAbstractSocket::ConnectionRefusedError), 10061);
    EXPECT_EQ(SocketErrorCode(QAbstractSocket::SocketTimeoutError), 10060);
    EXPECT_EQ(SocketErrorCode(QAbstractSocket::HostNotFoundError), 11001);
    EXPECT_EQ(SocketErrorCode(QAbstractSocket::NetworkError), 10050);
    EXPECT_EQ(SocketErrorCode(QAbstractSocket::UnknownSocketError), 0);
}

}  // namespace
