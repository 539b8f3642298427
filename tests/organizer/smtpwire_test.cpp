// The to-do list e-mailed from the dialog to servers on loopback ports: the
// real one, which must receive it whole, and scripted ones whose refusals,
// silences, slow and split replies must each end in their own message and
// never in success.
#include "smtppeers.h"
#include "todoenv.h"

#include "organizer/dlgemailtodolist.h"
#include "organizer/smtpdialogue.h"
#include "organizer/smtpsocket.h"

#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

struct TOutcome {
    QString progress;        // the progress window's last text
    bool okEnabled = false;
    bool cancelEnabled = false;
    QStringList cramped;     // what the window cuts short
};

class SmtpWire : public ToDoFolder {
protected:
    void SetUp() override
    {
        ToDoFolder::SetUp();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }

    static void Fill(TDlgEMailTodoList& dialog, quint16 port, const QString& cc = {})
    {
        dialog.sleHost->setText(QStringLiteral("127.0.0.1"));
        dialog.sleLogin->setText(QStringLiteral("ann@example.test"));
        dialog.sleTo->setText(QStringLiteral("bob@example.test"));
        dialog.sleCC->setText(cc);
        dialog.SmtpPort = port;
        dialog.ReplyTimeoutMs = 5000;
    }

    // Sends and waits for the outcome: the progress window's OK coming on,
    // or `patienceMs` without it, after which the window is cancelled.
    static TOutcome Send(TDlgEMailTodoList& dialog, int patienceMs = 10000, const QString& picture = {})
    {
        TOutcome outcome;
        QElapsedTimer waited;
        waited.start();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            TDlgEMProg* progress = dialog.Progress();
            if (!progress || !progress->isVisible())
                return;
            const bool over = progress->ButtonOK->isEnabled();
            if (!over && waited.elapsed() < patienceMs)
                return;
            outcome = {progress->LabelMsg->text(), progress->ButtonOK->isEnabled(),
                       progress->ButtonCancel->isEnabled(), CrampedWidgets(*progress)};
            if (!picture.isEmpty())
                SavePicture(*progress, picture);
            (over ? progress->ButtonOK : progress->ButtonCancel)->click();
        });
        poll.start(10);
        dialog.cbSendClick();
        return outcome;
    }

    // Sends to a peer that answers the commands `answered` picks with `reply`
    // and all others as usual; the outcome ends, as a user sees it, with OK
    // alone to press and the whole text to read. Gives the commands the peer
    // got.
    static QStringList SendRefused(const std::function<bool(const QString&)>& answered, const TReply& reply,
                                   const QString& startOfText, int replyTimeoutMs = 5000)
    {
        ScriptedSmtpPeer peer([&](const QString& command) -> TReply {
            return answered(command) ? reply : ScriptedSmtpPeer::Usual(command);
        });
        TDlgEMailTodoList dialog(nullptr);
        Fill(dialog, peer.Port());
        dialog.ReplyTimeoutMs = replyTimeoutMs;
        const TOutcome outcome = Send(dialog);
        EXPECT_TRUE(outcome.progress.startsWith(startOfText)) << outcome.progress.toStdString();
        EXPECT_TRUE(outcome.okEnabled);
        EXPECT_FALSE(outcome.cancelEnabled);
        EXPECT_TRUE(outcome.cramped.isEmpty()) << outcome.cramped.join(QLatin1Char('\n')).toStdString();
        return peer.Commands();
    }

    QTemporaryDir settings_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(SmtpWire, TheRealServerReceivesTheListWithItsHeadersAndEveryLineIntact)
{
    RealSmtpPeer peer;
    ASSERT_TRUE(peer.Started()) << "python3-aiosmtpd is needed for this test";
    AddToDo(QStringLiteral("Flu shot for Kim O'Neil"), EncodeDate(2024, 2, 29));
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port(), QStringLiteral("cc@example.test"));
    const QString longLine = QString(240, QLatin1Char('a')) + QStringLiteral(" then the rest of it");
    dialog.MemoMessage->appendPlainText(QStringLiteral(".dotted line\n.\n") + longLine);
    dialog.show();
    SavePicture(dialog, QStringLiteral("email_todo_dialog"));

    const TOutcome outcome = Send(dialog, 10000, QStringLiteral("email_todo_progress"));
    EXPECT_EQ(outcome.progress, QStringLiteral("Your to-do list has been sent."));
    EXPECT_FALSE(outcome.cancelEnabled);
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('\n')).toStdString();

    const QList<QByteArray> messages = peer.Messages();
    ASSERT_EQ(messages.size(), 1);
    const QString message = QString::fromUtf8(messages[0]);
    EXPECT_TRUE(message.contains(QStringLiteral("To: bob@example.test\n")));
    EXPECT_TRUE(message.contains(QStringLiteral("From: ann@example.test\n")));
    EXPECT_TRUE(message.contains(QStringLiteral("Subject: CarePortfolio To-Do List\n")));
    EXPECT_TRUE(message.contains(QStringLiteral("X-Mailer: CarePortfolio 1.0\n")));
    EXPECT_TRUE(message.contains(QStringLiteral("X-RcptTo: bob@example.test, cc@example.test")));
    const QStringList body = message.section(QStringLiteral("\n\n"), 1).split(QLatin1Char('\n'));
    EXPECT_EQ(body.mid(0, 5), QStringList({"2/29/2024 Flu shot for Kim O'Neil", ".dotted line", ".",
                                           longLine.left(245), longLine.mid(245)}));
    EXPECT_FALSE(message.contains(QLatin1Char('\r')));
}

// Text outside ASCII in the subject and the list reaches the server as
// 7-bit lines that declare UTF-8, and a mail reader shows it as typed: long
// lines whole, "=", a trailing blank and leading dots kept.
TEST_F(SmtpWire, TextOutsideAsciiReachesTheMailReaderAsTyped)
{
    RealSmtpPeer peer;
    ASSERT_TRUE(peer.Started());
    AddToDo(QStringLiteral("Call Dr. M\u00fcller"), EncodeDate(2024, 2, 29));
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port());
    const QString subject = QStringLiteral("To-do f\u00fcr Zo\u00eb ") + QStringLiteral("\U0001F489").repeated(12);
    dialog.sleSubject->setText(subject);
    dialog.MemoMessage->appendPlainText(QStringLiteral(".Zo\u00eb\n.\n") + QString(100, QChar(0x00e4)) +
                                        QStringLiteral("\n19.99 = 0.29 + 19.70 "));
    const QString typed = dialog.MemoMessage->toPlainText();
    EXPECT_EQ(Send(dialog).progress, QStringLiteral("Your to-do list has been sent."));

    const QList<QByteArray> messages = peer.Messages();
    ASSERT_EQ(messages.size(), 1);
    const QByteArray& stored = messages[0];
    EXPECT_TRUE(std::all_of(stored.begin(), stored.end(), [](char c) { return static_cast<uchar>(c) < 0x80; }));
    for (const char* header : {"MIME-Version: 1.0\n", "Content-Type: text/plain; charset=UTF-8\n",
                               "Content-Transfer-Encoding: quoted-printable\n"})
        EXPECT_TRUE(stored.contains(header)) << header;
    for (const QByteArray& line : stored.mid(stored.indexOf("\n\n")).split('\n'))
        EXPECT_LE(line.size(), 76) << line.toStdString();
    const TReadMail read = ReadMail(stored);
    EXPECT_EQ(read.subject, subject);
    EXPECT_EQ(read.body, typed + QStringLiteral("\n\n"));
}

TEST_F(SmtpWire, AnEmptyListIsSentAsTheLineSayingSo)
{
    RealSmtpPeer peer;
    ASSERT_TRUE(peer.Started());
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port());
    EXPECT_EQ(Send(dialog).progress, QStringLiteral("Your to-do list has been sent."));
    const QList<QByteArray> messages = peer.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(QString::fromUtf8(messages[0]).section(QStringLiteral("\n\n"), 1).trimmed(),
              QStringLiteral("The to-do list is empty."));
}

TEST_F(SmtpWire, SlowRepliesSplitOverPacketsAndMultiLineRepliesStillGetThrough)
{
    const auto script = [](const QString& command) -> TReply {
        if (command.isEmpty())
            return {{"220-scripted.test\r\n220-", 50}, {"still greeting\r", 80}, {"\n220 ready\r\n", 80}};
        if (command.startsWith(QStringLiteral("HELO")))
            return {{"250-scripted.test\r\n250-SIZE 1000\r\n", 100}, {"250 HELP\r\n", 150}};
        if (command == QStringLiteral("DATA"))
            return {{"354 go", 60}, {" ahead\r\n", 60}};
        if (command == QStringLiteral("."))
            return {{"25", 200}, {"0 queued\r\n", 100}};
        return {{"2", 30}, {"50 ok\r\n", 30}};
    };
    // Each bound is longer than any one reply takes; the first is shorter
    // than all of them together, the second than the greeting and HELO's.
    for (const int bound : {900, 400}) {
        SCOPED_TRACE(bound);
        ScriptedSmtpPeer peer(script);
        TDlgEMailTodoList dialog(nullptr);
        Fill(dialog, peer.Port());
        dialog.ReplyTimeoutMs = bound;
        const TOutcome outcome = Send(dialog);
        EXPECT_EQ(outcome.progress, QStringLiteral("Your to-do list has been sent."));
        EXPECT_EQ(peer.Commands().mid(1, 3), QStringList({"MAIL FROM:<ann@example.test>",
                                                          "RCPT TO:<bob@example.test>", "DATA"}));
        EXPECT_TRUE(peer.Commands().value(0).startsWith(QStringLiteral("HELO ")));
        EXPECT_TRUE(peer.Data().endsWith("The to-do list is empty.\r\n\r\n"));
    }
}

TEST_F(SmtpWire, SilenceAfterTheMessageIsToldAsAFailure)
{
    ScriptedSmtpPeer peer([](const QString& command) -> TReply {
        return command == QStringLiteral(".") ? TReply{} : ScriptedSmtpPeer::Usual(command);
    });
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port());
    dialog.ReplyTimeoutMs = 300;
    const TOutcome outcome = Send(dialog);
    EXPECT_EQ(outcome.progress, TimedOutText(QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(outcome.okEnabled);
    EXPECT_FALSE(peer.Commands().contains(QStringLiteral("QUIT")));
}

TEST_F(SmtpWire, EachRefusalEndsInItsOwnMessage)
{
    struct TCase {
        QString command;   // the command refused
        QByteArray reply;
        QString startOfText;
    };
    const TCase cases[] = {
        {QString(), "421 closing\r\n", QStringLiteral("Cannot send email.  Service is currently not available")},
        {QStringLiteral("RCPT TO:<bob@example.test>"), "550 no such user\r\n",
         QStringLiteral("Cannot send email.  Please verify the correctness of the recipients")},
        {QStringLiteral("DATA"), "554 no\r\n", QStringLiteral("Cannot send email.  Please again later.")},
        {QStringLiteral("."), "552-too\r\n552 big\r\n",
         QStringLiteral("Cannot send email.  Process aborted because of lack of storage allocation.")},
    };
    for (const TCase& each : cases) {
        SCOPED_TRACE(each.reply.toStdString());
        SendRefused([&](const QString& command) { return command == each.command; }, TReply{{each.reply}},
                    each.startOfText);
    }
}

// Misshapen replies and ones whose final line refuses, each written in
// pieces that part the code from what follows it: none may pass for a 250.
TEST_F(SmtpWire, AReplyIsJudgedByItsFinalLineOnlyOnceThatLineIsWhole)
{
    const QString notAvailable = QStringLiteral("Cannot send email.  Service is currently not available");
    struct TCase {
        QString command;   // the command answered
        TReply reply;
        QString startOfText;
        QString nextCommand;   // never sent after it
    };
    const TCase cases[] = {
        {QStringLiteral("HELO"), {{"250", 40}, {"$o\r\n", 80}}, notAvailable,
         QStringLiteral("MAIL FROM:<ann@example.test>")},
        {QStringLiteral("."), {{"2500", 40}, {" nonsense\r\n", 80}}, notAvailable, QStringLiteral("QUIT")},
        {QStringLiteral("."), {{"250", 40}, {"-queued\r\n", 80}, {"554 rejected\r\n", 150}},
         QStringLiteral("Cannot send email.  Please again later."), QStringLiteral("QUIT")},
    };
    for (const TCase& each : cases) {
        SCOPED_TRACE(each.command.toStdString() + " answered " + each.reply.constFirst().bytes.toStdString());
        const QStringList commands =
            SendRefused([&](const QString& command) { return command.startsWith(each.command); }, each.reply,
                        each.startOfText);
        EXPECT_FALSE(commands.contains(each.nextCommand));
    }
}

// A server that hangs up at any step before it confirmed the message: the
// user is told the list was not sent and may close both windows. Hanging up
// right after the confirmation still leaves the list sent.
TEST_F(SmtpWire, AServerThatHangsUpBeforeConfirmingLeavesTheListUnsent)
{
    const QString notSent =
        QStringLiteral("Cannot send email.  Your SMTP server, 127.0.0.1, closed the connection.  Your to-do list "
                       "has not been sent.  Please try again later.");
    struct TCase {
        QString command;   // the command answered by hanging up; empty: the connection itself
        TReply reply;
        QString text;
    };
    const TReply hangUp{{QByteArray(), 0, true}};
    const TCase cases[] = {
        {QString(), hangUp, notSent},
        {QStringLiteral("HELO "), hangUp, notSent},
        {QStringLiteral("MAIL FROM:"), hangUp, notSent},
        {QStringLiteral("RCPT TO:"), hangUp, notSent},
        {QStringLiteral("DATA"), hangUp, notSent},
        {QStringLiteral("DATA"), {{"354 go ahead\r\n", 0, true}}, notSent},
        {QStringLiteral("."), hangUp, notSent},
        {QStringLiteral("."), {{"250 queued\r\n", 0, true}}, QStringLiteral("Your to-do list has been sent.")},
    };
    for (const TCase& each : cases) {
        SCOPED_TRACE("hung up on \"" + each.command.toStdString() + "\"");
        SendRefused(
            [&](const QString& command) {
                return each.command.isEmpty() ? command.isEmpty() : command.startsWith(each.command);
            },
            each.reply, each.text);
    }
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('\n')).toStdString();
}

// A refusal with a code no message is named for, or a server that never
// answers, still ends the wait with OK to press and the list unsent, and
// nothing is sent after it; a connection refused is told in a box of its
// own, and the progress window goes with it.
TEST_F(SmtpWire, ARefusalOfAnyCodeOrSilenceEndsTheWaitWithTheListUnsent)
{
    const QString tryLater = QStringLiteral("Cannot send email.  Please again later.  You may need to contact your "
                                            "internet service provider if repeated attempts fail.");
    const QString noAnswer = QStringLiteral("Cannot send email.  Your SMTP server, 127.0.0.1, did not answer.  Your "
                                            "to-do list has not been sent.  Please try again later.");
    struct TCase {
        QString command;   // the command answered, and the last one sent; empty: the connection itself
        TReply reply;
        QString text;
    };
    const TCase cases[] = {
        {QStringLiteral("RCPT TO:"), {{"554 5.7.1 Relay access denied\r\n"}}, tryLater},
        {QStringLiteral("MAIL FROM:"), {{"530 5.7.0 Authentication required\r\n"}}, tryLater},
        {QString(), {{"554 no service\r\n"}}, tryLater},
        {QString(), {}, noAnswer},
        {QStringLiteral("HELO "), {}, noAnswer},
    };
    for (const TCase& each : cases) {
        SCOPED_TRACE("\"" + each.command.toStdString() + "\" answered " +
                     (each.reply.isEmpty() ? "by silence" : each.reply.constFirst().bytes.toStdString()));
        const QStringList commands = SendRefused(
            [&](const QString& command) {
                return each.command.isEmpty() ? command.isEmpty() : command.startsWith(each.command);
            },
            each.reply, each.text, 300);
        EXPECT_EQ(commands.isEmpty() ? QString() : commands.constLast().left(each.command.size()), each.command);
    }

    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, FreeLoopbackPort());
    // Nothing was ever left to press: the window went by itself.
    EXPECT_EQ(Send(dialog).progress, QString());
    EXPECT_EQ(boxes_.Texts(), QStringList({"The connection was refused."}));
}

// Cancel while the server is silent drops the connection without a word,
// also when the wait would have run out.
TEST_F(SmtpWire, CancellingTheWaitDropsTheConnectionWithoutAWord)
{
    ScriptedSmtpPeer peer([](const QString&) { return TReply{}; });
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port());
    dialog.ReplyTimeoutMs = 300;
    const TOutcome outcome = Send(dialog, 100);
    EXPECT_TRUE(outcome.cancelEnabled);
    QTest::qWait(600);
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(SmtpWire, MissingBoxesAreAskedForAndNothingIsSent)
{
    ScriptedSmtpPeer peer(&ScriptedSmtpPeer::Usual);
    TDlgEMailTodoList dialog(nullptr);
    Fill(dialog, peer.Port());
    dialog.sleTo->clear();
    dialog.cbSendClick();
    dialog.sleTo->setText(QStringLiteral("bob@example.test>\r\nRCPT TO:<eve@example.test"));
    dialog.cbSendClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please specify the recipient address before sending message.",
                                           "An e-mail address cannot hold a line break. Please type the address on "
                                           "one line."}));
    EXPECT_TRUE(peer.Commands().isEmpty());
}

TEST_F(SmtpWire, TabWalksFromTheMessageToSendAndWritesNoTab)
{
    TDlgEMailTodoList dialog(nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const QString message = dialog.MemoMessage->toPlainText();
    dialog.MemoMessage->setFocus();
    QTest::keyClick(dialog.MemoMessage, Qt::Key_Tab);
    EXPECT_EQ(dialog.MemoMessage->toPlainText(), message);
    EXPECT_EQ(QApplication::focusWidget(), dialog.cbSend);
}

TEST_F(SmtpWire, TheBoxesAreRememberedForNextTime)
{
    {
        TDlgEMailTodoList dialog(nullptr);
        EXPECT_EQ(dialog.sleSubject->text(), QStringLiteral("CarePortfolio To-Do List"));
        Fill(dialog, 25, QStringLiteral("cc@example.test"));
        dialog.sleSubject->setText(QStringLiteral("Our to-dos"));
        dialog.cbClose->click();
    }
    TDlgEMailTodoList again(nullptr);
    EXPECT_EQ(again.sleHost->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(again.sleCC->text(), QStringLiteral("cc@example.test"));
    EXPECT_EQ(again.sleSubject->text(), QStringLiteral("Our to-dos"));
    EXPECT_EQ(again.MemoMessage->toPlainText(), QStringLiteral("The to-do list is empty."));
}

TEST(SmtpSocket, AnAddressWithZeroBytesIsFoundWhole)
{
    _TSocket socket;
    QSignalSpy answered(&socket, &_TSocket::HostLookedUp);
    ASSERT_TRUE(socket.LookupHost(QStringLiteral("10.0.0.1")));
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_EQ(answered.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(socket.HostFound());
    EXPECT_EQ(socket.AddressText(), QStringLiteral("10.0.0.1"));
    EXPECT_FALSE(socket.LookupHost(QStringLiteral("  ")));
}

TEST(SmtpSocket, ALongLineIsCutTo255CharactersWithItsLineEndKept)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    _TSocket socket;
    QSignalSpy answered(&socket, &_TSocket::HostLookedUp);
    QSignalSpy events(&socket, &_TSocket::SocketEvent);
    socket.LookupHost(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(answered.wait(5000));
    socket.Connect(server.serverPort());
    ASSERT_TRUE(server.waitForNewConnection(5000));
    QTcpSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(!events.isEmpty() || events.wait(5000));
    EXPECT_EQ(events.at(0).at(0).toInt(), _TSocket::ConnectEvent);
    socket.SendLine(QString(300, QLatin1Char('x')));
    socket.SendLine(QStringLiteral("QUIT"));
    QByteArray received;
    const QDeadlineTimer deadline(5000);
    while (received.size() < 261 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        received += peer->readAll();
    }
    EXPECT_EQ(received, QByteArray(253, 'x') + "\r\nQUIT\r\n");
}

}  // namespace
