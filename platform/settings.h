#pragma once
// The program's settings store: an INI file in the user's configuration folder.
#include <QSettings>
#include <memory>

namespace AppSettings {
std::unique_ptr<QSettings> Open();
// Tests point the store at a file of their own; an empty path gives the real one back.
void SetFileForTests(const QString& path);
}  // namespace AppSettings
