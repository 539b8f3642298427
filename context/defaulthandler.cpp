#include "defaulthandler.h"

#include "platform/ui/messagebox.h"

#include <QString>

void HandleException(const std::exception& error)
{
    ShowMessageBox(QString::fromLocal8Bit(error.what()), MsgIcon::Error);
}
