#pragma once
// The program's settings store: an INI file in the user's configuration folder.
#include <QSettings>
#include <memory>

namespace AppSettings {
std::unique_ptr<QSettings> Open();
}  // namespace AppSettings
