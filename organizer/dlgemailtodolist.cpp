#include "dlgemailtodolist.h"

#include "smtpdialogue.h"
#include "smtpsocket.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TDlgEMProg::TDlgEMProg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgEMProg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Sending To-Do List"));
    LabelMsg = new QLabel;
    LabelMsg->setTextFormat(Qt::PlainText);
    LabelMsg->setWordWrap(true);
    LabelMsg->setMinimumHeight(48);
    Label1 = new QLabel(QStringLiteral("Please wait while your to-do list is being sent ...."));
    ButtonOK = new QPushButton(QStringLiteral("&OK"));
    ButtonCancel = new QPushButton(QStringLiteral("&Cancel"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(LabelMsg);
    column->addLayout(buttons);
    setFixedWidth(380);
}

void ShowEMailDialog(QWidget* parent)
{
    const auto dialog = MakeUnderHourglass<TDlgEMailTodoList>(parent);
    dialog->exec();
}

TDlgEMailTodoList::TDlgEMailTodoList(QWidget* parent)
    : QDialog(parent), socket_(new _TSocket(this)), replyTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("DlgEMailTodoList"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Send To-Do List"));
    sleHost = new QLineEdit;
    sleLogin = new QLineEdit;
    sleTo = new QLineEdit;
    sleCC = new QLineEdit;
    sleSubject = new QLineEdit(TEMailFields{}.subject);
    MemoMessage = new QPlainTextEdit;
    MemoMessage->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoMessage->setTabChangesFocus(true);
    MemoMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    stStatus = new QLabel;
    stStatus->setTextFormat(Qt::PlainText);
    stStatus->hide();
    cbSend = new QPushButton(QStringLiteral("&Send"));
    cbSend->setDefault(true);
    cbClose = new QPushButton(QStringLiteral("&Cancel"));
    replyTimer_->setSingleShot(true);

    connect(cbSend, &QPushButton::clicked, this, [this] { RunGuarded([this] { cbSendClick(); }); });
    connect(cbClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(socket_, &_TSocket::HostLookedUp, this, [this](int error) { RunGuarded([=, this] { HostLookedUp(error); }); });
    connect(socket_, &_TSocket::SocketEvent, this, [this](int event) { RunGuarded([=, this] { SocketEvent(event); }); });
    connect(socket_, &_TSocket::SocketFailed, this, [this] {
        RunGuarded([this] {
            if (progress_)
                Apply(dialogue_->Failed());
        });
    });
    connect(replyTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { Apply(dialogue_->ReplyTimedOut()); }); });

    BuildLayout();
    FormShow();
}

TDlgEMailTodoList::~TDlgEMailTodoList() = default;

void TDlgEMailTodoList::BuildLayout()
{
    auto* form = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"Outgoing mail server (SMTP server):", sleHost},
                                                     {"From Address:", sleLogin},
                                                     {"Recipient:", sleTo},
                                                     {"CC:", sleCC},
                                                     {"Subject:", sleSubject}};
    int row = 0;
    for (const auto& [caption, box] : rows) {
        form->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        form->addWidget(box, row++, 1);
    }
    form->addWidget(new QLabel(QStringLiteral("Message:")), row, 0, Qt::AlignTop);
    form->addWidget(MemoMessage, row, 1);
    form->setRowStretch(row, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stStatus);
    buttons->addStretch();
    buttons->addWidget(cbSend);
    buttons->addWidget(cbClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    resize(560, 420);
}

void TDlgEMailTodoList::FormShow()
{
    TEMailFields fields;
    fields.subject = sleSubject->text();
    LoadEMailFields(fields);
    sleTo->setText(fields.to);
    sleCC->setText(fields.cc);
    sleLogin->setText(fields.from);
    sleHost->setText(fields.host);
    sleSubject->setText(fields.subject);
    MemoMessage->setPlainText(EMailMessageLines().join(QLatin1Char('\n')));
}

TEMailFields TDlgEMailTodoList::Fields() const
{
    return TEMailFields{sleHost->text(), sleLogin->text(), sleTo->text(), sleCC->text(), sleSubject->text()};
}

QLineEdit* TDlgEMailTodoList::Box(TEMailBox box) const
{
    switch (box) {
    case TEMailBox::Host: return sleHost;
    case TEMailBox::From: return sleLogin;
    case TEMailBox::To: return sleTo;
    case TEMailBox::CC: break;
    }
    return sleCC;
}

QString TDlgEMailTodoList::Status() const
{
    return stStatus->text();
}

void TDlgEMailTodoList::done(int result)
{
    RunGuarded([this] { SaveEMailFields(Fields()); });
    QDialog::done(result);
}

void TDlgEMailTodoList::cbSendClick()
{
    const TEMailFields fields = Fields();
    if (const std::optional<TEMailRefusal> refusal = CheckEMailFields(fields)) {
        ShowMessageBox(refusal->text, MsgIcon::Warning, MsgOk);
        Box(refusal->box)->setFocus();
        return;
    }
    stStatus->setText(QStringLiteral("Looking Up Host Address"));
    dialogue_ = std::make_unique<TSmtpDialogue>(TSmtpEnvelope{fields.host, fields.from, fields.to, fields.cc,
                                                              fields.subject,
                                                              MemoMessage->toPlainText().split(QLatin1Char('\n')),
                                                              QHostInfo::localHostName()});
    if (!socket_->LookupHost(fields.host)) {
        ShowMessageBox(LookupRefusedText(fields.host), MsgIcon::Warning, MsgOk);
        sleHost->setFocus();
        reject();
        return;
    }
    {
        std::unique_ptr<TDlgEMProg> progress(new TDlgEMProg(this));
        progress->ButtonOK->setEnabled(false);
        progress_ = progress.get();
        progress->exec();
        progress_ = nullptr;
    }
    replyTimer_->stop();
    socket_->Finish();
    accept();
}

void TDlgEMailTodoList::HostLookedUp(int)
{
    if (!progress_)
        return;
    stStatus->setText(QStringLiteral("Connecting To Host"));
    ShowProgressMessage(stStatus->text(), false, true);
    if (!socket_->HostFound()) {
        stStatus->setText(QStringLiteral("Cannot Find Host Address"));
        ShowProgressMessage(stStatus->text(), true, false);
        return;
    }
    socket_->Connect(SmtpPort);
}

void TDlgEMailTodoList::SocketEvent(int event)
{
    if (!progress_)
        return;
    if (event == _TSocket::ConnectEvent) {
        stStatus->setText(QStringLiteral("Receiving Welcome From Host"));
        Apply(dialogue_->Connected());
    } else if (event == _TSocket::ReadEvent) {
        const QByteArray bytes = socket_->ReadAvailable();
        if (bytes.isEmpty())
            return;
        Apply(dialogue_->Received(bytes));
        if (!dialogue_->Status().isEmpty())
            stStatus->setText(dialogue_->Status());
    } else if (event == _TSocket::CloseEvent) {
        Apply(dialogue_->Closed());
    }
}

void TDlgEMailTodoList::Apply(const TSmtpReaction& reaction)
{
    for (const QString& line : reaction.send)
        socket_->SendLine(line);
    if (reaction.awaitReply)
        replyTimer_->start(ReplyTimeoutMs);
    else if (dialogue_->Ended())
        replyTimer_->stop();
    if (reaction.progress)
        ShowProgressMessage(reaction.progress->text, reaction.progress->okEnabled, reaction.progress->cancelEnabled);
    if (reaction.closeConnection)
        socket_->CloseSocket();
    // Nothing is left to wait for, nor to read in the window.
    if (reaction.endDialog && !reaction.progress)
        progress_->reject();
}

void TDlgEMailTodoList::ShowProgressMessage(const QString& text, bool okEnabled, bool cancelEnabled)
{
    if (!progress_) {
        ShowMessageBox(text, MsgIcon::Warning, MsgOk);
        return;
    }
    progress_->LabelMsg->setText(text);
    // The window keeps its width: a longer text makes it taller, not cut.
    progress_->resize(progress_->width(), progress_->heightForWidth(progress_->width()));
    progress_->ButtonOK->setEnabled(okEnabled);
    progress_->ButtonCancel->setEnabled(cancelEnabled);
}
