#include "tests/support/scriptedmessageboxes.h"

#include <utility>

namespace {

// The order in which a real box offers its buttons, so "the first button
// offered" is the one a user would meet first.
constexpr std::pair<MsgButton, MsgResult> kButtonOrder[] = {
    {MsgOk, MsgResult::Ok},         {MsgYes, MsgResult::Yes},       {MsgNo, MsgResult::No},
    {MsgAbort, MsgResult::Abort},   {MsgRetry, MsgResult::Retry},   {MsgIgnore, MsgResult::Ignore},
    {MsgAll, MsgResult::All},       {MsgCancel, MsgResult::Cancel},
};

}  // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    InstallMessageBoxes(this);
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    InstallMessageBoxes(nullptr);
}

MsgResult ScriptedMessageBoxes::Show(const MessageRequest& request)
{
    shown.append(request);
    if (!answers.isEmpty())
        return answers.takeFirst();
    for (const auto& [button, result] : kButtonOrder)
        if (request.buttons & button)
            return result;
    return MsgResult::None;
}

QStringList ScriptedMessageBoxes::Texts() const
{
    QStringList texts;
    for (const MessageRequest& request : shown)
        texts.append(request.text);
    return texts;
}
