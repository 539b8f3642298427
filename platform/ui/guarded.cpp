#include "guarded.h"

#include "messagebox.h"

namespace {
ErrorWording gWording;
}  // namespace

void InstallErrorWording(ErrorWording wording)
{
    gWording = std::move(wording);
}

void HandleException(const std::exception& error)
{
    ShowMessageBox(gWording ? gWording(error) : QString::fromLocal8Bit(error.what()), MsgIcon::Error);
}
