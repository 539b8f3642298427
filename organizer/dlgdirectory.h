#pragma once
// "Select a Directory": the folder chooser of the backup and restore dialogs.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The chosen folder; none when the user cancelled.
using TDirectoryChooser = std::function<std::optional<QString>(QWidget* parent, const QString& start)>;

std::optional<QString> ChooseDirectory(QWidget* parent, const QString& start);
// Tests choose without a window; an empty chooser puts the window back.
void SetDirectoryChooser(TDirectoryChooser chooser);
