#pragma once
// Every message box and beep of the program goes through one seam, so tests
// can script the user's answers and read what the program said.
#include <QList>
#include <QString>

enum class MsgIcon { None, Information, Warning, Error, Question };

enum MsgButton : unsigned {
    MsgOk = 1u << 0,
    MsgCancel = 1u << 1,
    MsgYes = 1u << 2,
    MsgNo = 1u << 3,
    MsgAbort = 1u << 4,
    MsgRetry = 1u << 5,
    MsgIgnore = 1u << 6,
    MsgAll = 1u << 7,       // yes to this and every one after it
};

// None: the box was closed without a button (the window's close box or Escape).
enum class MsgResult { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore, All };

struct MessageRequest {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    unsigned buttons = MsgOk;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgResult Show(const MessageRequest& request) = 0;
    virtual void Beep() = 0;
};

// The boxes in force: real dialogs unless a test installed its own.
MessageBoxes& CurrentMessageBoxes();
// Installs boxes for the scope of a test; nullptr puts the real dialogs back.
void InstallMessageBoxes(MessageBoxes* boxes);

// The caption is the application title unless one is given.
MsgResult ShowMessageBox(const QString& text, MsgIcon icon, unsigned buttons = MsgOk,
                         const QString& caption = {});
void Beep();
