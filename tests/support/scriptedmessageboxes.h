#pragma once
#include "platform/ui/messagebox.h"

#include <QStringList>

// Answers boxes from a queue and keeps every request; with the queue empty it
// answers the first button offered. Installs itself for its own lifetime.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    MsgResult Show(const MessageRequest& request) override;
    void Beep() override { ++beeps; }

    QList<MsgResult> answers;
    QList<MessageRequest> shown;
    int beeps = 0;

    QStringList Texts() const;
};
