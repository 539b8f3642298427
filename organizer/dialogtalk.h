#pragma once
// The backup and restore dialogs speak to the user through message boxes
// and the progress window, with the hourglass while files are copied.
#include "jobtalk.h"

#include <functional>
#include <memory>
#include <optional>

class QWidget;
class TDlgProgress;
class HourglassCursor;

class TDialogTalk : public TJobTalk {
public:
    TDialogTalk(QWidget* parent, std::function<void()> focusPassword = {});
    ~TDialogTalk() override;
    TDialogTalk(const TDialogTalk&) = delete;
    TDialogTalk& operator=(const TDialogTalk&) = delete;

    void Tell(const QString& text, MsgIcon icon) override;
    bool Confirm(const QString& text) override;
    void PromptDisk(int disk, const QString& text) override;
    void BeginProgress(const QString& text) override;
    void Progress(int percent) override;
    void EndProgress() override;
    void FocusPassword() override;

private:
    // A box is answered with the arrow, not the hourglass.
    MsgResult Box(const QString& text, MsgIcon icon, unsigned buttons);

    QWidget* parent_;
    std::function<void()> focusPassword_;
    std::unique_ptr<TDlgProgress> progress_;
    std::unique_ptr<HourglassCursor> wait_;
};
