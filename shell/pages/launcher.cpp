#include "launcher.h"

#include <map>

namespace {

std::map<TDialogID, TDialogOpener>& Openers()
{
    static std::map<TDialogID, TDialogOpener> openers;
    return openers;
}

}  // namespace

namespace Launcher {

void Register(TDialogID id, TDialogOpener opener)
{
    Openers()[id] = std::move(opener);
}

void Unregister(TDialogID id)
{
    Openers().erase(id);
}

bool Has(TDialogID id)
{
    return Openers().count(id) != 0;
}

TDialogOutcome Open(TDialogID id, const TDialogRequest& request)
{
    const auto found = Openers().find(id);
    if (found == Openers().end()) {
        TDialogOutcome none;
        none.cancelled = true;
        return none;
    }
    return found->second(request);
}

}  // namespace Launcher
