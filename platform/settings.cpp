#include "settings.h"

namespace AppSettings {

std::unique_ptr<QSettings> Open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brightmoor Corp"),
                                       QStringLiteral("CarePortfolio"));
}

}  // namespace AppSettings
