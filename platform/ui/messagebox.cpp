#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    MsgButton ours;
    QMessageBox::StandardButton qt;
    MsgResult result;
};

constexpr ButtonPair kButtons[] = {
    {MsgOk, QMessageBox::Ok, MsgResult::Ok},
    {MsgYes, QMessageBox::Yes, MsgResult::Yes},
    {MsgNo, QMessageBox::No, MsgResult::No},
    {MsgAbort, QMessageBox::Abort, MsgResult::Abort},
    {MsgRetry, QMessageBox::Retry, MsgResult::Retry},
    {MsgIgnore, QMessageBox::Ignore, MsgResult::Ignore},
    {MsgAll, QMessageBox::YesToAll, MsgResult::All},
    {MsgCancel, QMessageBox::Cancel, MsgResult::Cancel},
};

class DialogMessageBoxes : public MessageBoxes {
public:
    MsgResult Show(const MessageRequest& request) override
    {
        QMessageBox box(ToQtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        // The texts name what the user typed: a name is never read as markup.
        box.setTextFormat(Qt::PlainText);
        for (const ButtonPair& pair : kButtons)
            if (request.buttons & pair.ours)
                box.addButton(pair.qt);
        const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
        for (const ButtonPair& pair : kButtons)
            if (pair.qt == clicked)
                return pair.result;
        return MsgResult::None;
    }

    void Beep() override { QApplication::beep(); }
};

MessageBoxes* gInstalled = nullptr;

}  // namespace

MessageBoxes& CurrentMessageBoxes()
{
    static DialogMessageBoxes dialogs;
    return gInstalled ? *gInstalled : dialogs;
}

void InstallMessageBoxes(MessageBoxes* boxes)
{
    gInstalled = boxes;
}

MsgResult ShowMessageBox(const QString& text, MsgIcon icon, unsigned buttons, const QString& caption)
{
    const QString title = caption.isEmpty() ? QApplication::applicationName() : caption;
    return CurrentMessageBoxes().Show({text, title, icon, buttons});
}

void Beep()
{
    CurrentMessageBoxes().Beep();
}
