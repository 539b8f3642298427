#pragma once
// How the backup and the restore speak to the user while they run: boxes,
// the prompts to change the disk, and the progress window. The dialogs
// speak through message boxes and the progress window; tests listen.
#include "platform/ui/messagebox.h"

#include <QString>

class TJobTalk {
public:
    virtual ~TJobTalk() = default;
    // A box with an OK button (a warning or information).
    virtual void Tell(const QString& text, MsgIcon icon) = 0;
    // Yes or No.
    virtual bool Confirm(const QString& text) = 0;
    // Asks for disk N of a set; when it returns, the user says that disk is in
    // the drive, which the job checks.
    virtual void PromptDisk(int disk, const QString& text) = 0;
    virtual void BeginProgress(const QString& text) = 0;
    virtual void Progress(int percent) = 0;
    virtual void EndProgress() = 0;
    // A check of the password boxes failed: the first box takes the focus.
    virtual void FocusPassword() {}
};

// The progress window for as long as it lives, closed on every way out.
class TProgressScope {
public:
    TProgressScope(TJobTalk& talk, const QString& text) : talk_(talk) { talk_.BeginProgress(text); }
    ~TProgressScope() { talk_.EndProgress(); }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

private:
    TJobTalk& talk_;
};
