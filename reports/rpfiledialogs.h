#pragma once
// The save and open dialogs of the preview window. Filters come as
// "Description|pattern|Description|pattern"; index 1 is the first.
#include <QString>
#include <functional>

class QWidget;

namespace RpFileDialogs {
struct Choice {
    QString fileName;   // empty: the user declined
    int filterIndex = 1;
};
using SaveChooser = std::function<Choice(const QString& filter)>;
using OpenChooser = std::function<QString(const QString& filter)>;

// The filter as Qt's file dialogs take it; patterns match either case.
QString QtFilter(const QString& filter);
// The save dialog itself, opened at `start` (a folder, or a file it offers).
// A name typed with no dot in it gets the chosen type's extension, in lower
// case; any other name is kept as typed.
Choice ShowSaveDialog(QWidget* parent, const QString& caption, const QString& start, const QString& filter);
// The preview's save dialog, or the answerer installed in its place.
Choice ChooseSaveFile(QWidget* parent, const QString& filter);
QString ChooseOpenFile(QWidget* parent, const QString& filter);
// Another answerer in place of the dialogs; empty choosers put them back.
void InstallChoosers(SaveChooser save, OpenChooser open);
}  // namespace RpFileDialogs
