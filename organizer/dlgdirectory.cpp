#include "dlgdirectory.h"

#include <QFileDialog>

namespace {

TDirectoryChooser& Installed()
{
    static TDirectoryChooser chooser;
    return chooser;
}

std::optional<QString> ShowChooser(QWidget* parent, const QString& start)
{
    QFileDialog dialog(parent, QStringLiteral("Select a Directory"), start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> ChooseDirectory(QWidget* parent, const QString& start)
{
    return Installed() ? Installed()(parent, start) : ShowChooser(parent, start);
}

void SetDirectoryChooser(TDirectoryChooser chooser)
{
    Installed() = std::move(chooser);
}
