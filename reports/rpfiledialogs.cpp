#include "rpfiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace RpFileDialogs {
namespace {
SaveChooser gSave;
OpenChooser gOpen;

// One entry of a dialog's filter: what Qt's file dialogs show, and the
// extension of its first pattern.
struct TEntry {
    QString text;
    QString extension;
};

// One Qt entry per description and patterns; the patterns also in lower
// case, as saved names on this system may have either.
QList<TEntry> Entries(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<TEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << pattern << pattern.toLower();
        patterns.removeDuplicates();
        // The description may carry the patterns in parentheses already.
        const QString description = parts[i].left(parts[i].indexOf(QLatin1Char('('))).trimmed();
        const QString first = patterns.value(0);
        entries.append({QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))),
                        first.startsWith(QLatin1String("*.")) ? first.mid(2).toLower() : QString()});
    }
    return entries;
}

QStringList Texts(const QList<TEntry>& entries)
{
    QStringList texts;
    for (const TEntry& entry : entries)
        texts.append(entry.text);
    return texts;
}
}  // namespace

QString QtFilter(const QString& filter)
{
    return Texts(Entries(filter)).join(QStringLiteral(";;"));
}

// The dialog adds the extension itself, before it asks whether to replace a
// file, so the question is about the file that will be written.
Choice ShowSaveDialog(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    const QList<TEntry> entries = Entries(filter);
    const QStringList texts = Texts(entries);
    QFileDialog dialog(parent, caption, start, texts.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(entries.value(0).extension);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& selected) {
        dialog.setDefaultSuffix(entries.value(texts.indexOf(selected)).extension);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    Choice choice;
    choice.fileName = dialog.selectedFiles().constFirst();
    choice.filterIndex = std::max(static_cast<int>(texts.indexOf(dialog.selectedNameFilter())) + 1, 1);
    return choice;
}

Choice ChooseSaveFile(QWidget* parent, const QString& filter)
{
    if (gSave)
        return gSave(filter);
    return ShowSaveDialog(parent, QStringLiteral("Save"), QDir::homePath(), filter);
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
