#pragma once
// "Send To-Do List": the to-do list as a plain-text e-mail through the
// user's SMTP server, with the progress window "Sending To-Do List" up while
// the server is talked to.
#include "emailtodo.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TSmtpDialogue;
struct TSmtpReaction;
class _TSocket;

class TDlgEMProg : public QDialog {
    Q_OBJECT
public:
    explicit TDlgEMProg(QWidget* parent);

    QLabel* LabelMsg;
    QLabel* Label1;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
};

// Shows the dialog modally and frees it.
void ShowEMailDialog(QWidget* parent);

class TDlgEMailTodoList : public QDialog {
    Q_OBJECT
public:
    explicit TDlgEMailTodoList(QWidget* parent);
    ~TDlgEMailTodoList() override;

    QLineEdit* sleHost;
    QLineEdit* sleLogin;
    QLineEdit* sleTo;
    QLineEdit* sleCC;
    QLineEdit* sleSubject;
    QPlainTextEdit* MemoMessage;
    QLabel* stStatus;
    QPushButton* cbSend;
    QPushButton* cbClose;

    // The SMTP port and how long a command may wait for its answer; tests
    // talk to a server of their own on another port.
    quint16 SmtpPort = 25;
    int ReplyTimeoutMs = 30000;

    // Up while the dialogue runs.
    TDlgEMProg* Progress() const { return progress_; }
    // The last whole reply of the server.
    QString Status() const;

    void cbSendClick();

protected:
    // Remembers the boxes however the dialog is left.
    void done(int result) override;

private:
    void BuildLayout();
    void FormShow();
    TEMailFields Fields() const;
    QLineEdit* Box(TEMailBox box) const;
    void HostLookedUp(int error);
    void SocketEvent(int event);
    void Apply(const TSmtpReaction& reaction);
    void ShowProgressMessage(const QString& text, bool okEnabled, bool cancelEnabled);

    _TSocket* socket_;
    QTimer* replyTimer_;
    std::unique_ptr<TSmtpDialogue> dialogue_;
    TDlgEMProg* progress_ = nullptr;
};
