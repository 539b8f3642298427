#pragma once
// What tests share: a fresh copy of the delivered data folder, and a place to
// write pictures of windows for a person to look at.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <sys/resource.h>
#include <vector>

class QWidget;
class TDataSet;

// A temporary data folder holding a fresh copy of the delivered database; the
// path ends with a slash, as the program's data folder does. Its end closes
// every database connection, so none outlives its folder.
class FreshDataFolder {
public:
    FreshDataFolder();
    ~FreshDataFolder();
    FreshDataFolder(const FreshDataFolder&) = delete;
    FreshDataFolder& operator=(const FreshDataFolder&) = delete;
    const QString& Path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

// Another program holding the database of a data folder: an exclusive
// transaction through a connection of its own, for as long as it lives.
class DatabaseLockedElsewhere {
public:
    explicit DatabaseLockedElsewhere(const QString& dataFolder);
    ~DatabaseLockedElsewhere();
    DatabaseLockedElsewhere(const DatabaseLockedElsewhere&) = delete;
    DatabaseLockedElsewhere& operator=(const DatabaseLockedElsewhere&) = delete;

private:
    QString connectionName_;
};

// Makes the folder's database a file the user may not write, which the
// engine opens read-only. File modes do not stop the superuser: for it the
// program's connection is made read-only instead, until the connections close.
void MakeDatabaseReadOnly(const QString& dataFolder);

// Replaces the folder's database with bytes that are no database.
void WriteGarbageDatabase(const QString& dataFolder);

// A disk with little room left, for as long as it lives: no file of the
// process grows past the given size, and a write past it fails (the signal
// that would end the process is ignored meanwhile). Both are put back after.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit kept_{};
    void (*keptHandler_)(int) = nullptr;
};

// The folder of the delivered (pristine) data folder of this build.
QString DeliveredDataFolder();

// Writes a picture of the widget as NAME.png into the build's pictures folder.
void SavePicture(QWidget& widget, const QString& name);
// The labels, entry boxes and buttons shown in the window at less than the
// height they need to be read, each as its class and text; empty when every
// one reads whole.
QStringList CrampedWidgets(const QWidget& window);

// The widgets that hold the focus while Tab is pressed `count` - 1 times,
// starting with `first` focused (its window shown and active).
std::vector<QWidget*> TabChain(QWidget* first, int count);

// Appends one row to a table of the folder's database, its fields set by
// `fill`; gives the key field's value the database assigned (0 without a key).
qint32 AppendRow(const QString& dataFolder, const QString& table, const QString& keyField,
                 const std::function<void(TDataSet&)>& fill);

// The rows of the report scratch table in the order written: Category, then
// Column1 to Column6.
using TScratchRow = std::array<QString, 7>;
std::vector<TScratchRow> ScratchRows(const QString& dataFolder);

// The first column of every row a statement gives, in order, as text.
QStringList ColumnOf(const QString& dataFolder, const QString& sql);
