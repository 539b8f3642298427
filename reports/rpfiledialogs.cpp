#include "rpfiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace RpFileDialogs {
namespace {
SaveChooser gSave;
OpenChooser gOpen;

// One Qt entry per description and patterns; the patterns also in lower
// case, as saved names on this system may have either.
QStringList Entries(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << pattern << pattern.toLower();
        patterns.removeDuplicates();
        // The description may carry the patterns in parentheses already.
        const QString description = parts[i].left(parts[i].indexOf(QLatin1Char('('))).trimmed();
        entries.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    return entries;
}
}  // namespace

QString QtFilter(const QString& filter)
{
    return Entries(filter).join(QStringLiteral(";;"));
}

Choice ChooseSaveFile(QWidget* parent, const QString& filter)
{
    if (gSave)
        return gSave(filter);
    const QStringList entries = Entries(filter);
    QString selected = entries.value(0);
    Choice choice;
    choice.fileName = QFileDialog::getSaveFileName(parent, QStringLiteral("Save"), QDir::homePath(),
                                                   entries.join(QStringLiteral(";;")), &selected);
    choice.filterIndex = std::max(static_cast<int>(entries.indexOf(selected)) + 1, 1);
    return choice;
}

QString ChooseOpenFile(QWidget* parent, const QString& filter)
{
    if (gOpen)
        return gOpen(filter);
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QDir::homePath(), QtFilter(filter));
}

void InstallChoosers(SaveChooser save, OpenChooser open)
{
    gSave = std::move(save);
    gOpen = std::move(open);
}
}  // namespace RpFileDialogs
