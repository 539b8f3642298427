#include "settings.h"

namespace {
QString gTestFile;
}

namespace AppSettings {

std::unique_ptr<QSettings> Open()
{
    if (!gTestFile.isEmpty())
        return std::make_unique<QSettings>(gTestFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brightmoor Corp"),
                                       QStringLiteral("CarePortfolio"));
}

void SetFileForTests(const QString& path)
{
    gTestFile = path;
}

}  // namespace AppSettings
