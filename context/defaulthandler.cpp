#include "defaulthandler.h"

#include "context.h"
#include "databasefault.h"
#include "platform/ui/messagebox.h"

#include <QString>

void HandleException(const std::exception& error)
{
    if (const auto* database = dynamic_cast<const EDatabaseError*>(&error))
        ShowMessageBox(DatabaseFaultText(*database, DataFolder), MsgIcon::Error);
    else
        ShowMessageBox(QString::fromLocal8Bit(error.what()), MsgIcon::Error);
}
