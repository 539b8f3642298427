#include "dialogtalk.h"

#include "health/dlgprogress.h"
#include "platform/ui/cursor.h"

#include <QLabel>

TDialogTalk::TDialogTalk(QWidget* parent, std::function<void()> focusPassword)
    : parent_(parent), focusPassword_(std::move(focusPassword))
{
}

TDialogTalk::~TDialogTalk() = default;

MsgResult TDialogTalk::Box(const QString& text, MsgIcon icon, unsigned buttons)
{
    const bool waiting = wait_ != nullptr;
    wait_.reset();
    const MsgResult answer = ShowMessageBox(text, icon, buttons);
    if (waiting)
        wait_ = std::make_unique<HourglassCursor>();
    return answer;
}

void TDialogTalk::Tell(const QString& text, MsgIcon icon)
{
    Box(text, icon, MsgOk);
}

bool TDialogTalk::Confirm(const QString& text)
{
    return Box(text, MsgIcon::Question, MsgYes | MsgNo) == MsgResult::Yes;
}

void TDialogTalk::PromptDisk(int, const QString& text)
{
    Box(text, MsgIcon::Information, MsgOk);
}

void TDialogTalk::BeginProgress(const QString& text)
{
    wait_ = std::make_unique<HourglassCursor>();
    progress_ = std::make_unique<TDlgProgress>(parent_);
    progress_->Lb->setText(text);
    progress_->show();
}

void TDialogTalk::Progress(int percent)
{
    if (progress_)
        progress_->SetPercent(percent);
}

void TDialogTalk::EndProgress()
{
    progress_.reset();
    wait_.reset();
}

void TDialogTalk::FocusPassword()
{
    if (focusPassword_)
        focusPassword_();
}
