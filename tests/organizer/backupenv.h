#pragma once
// What the backup and restore tests share: a program folder and a data
// folder side by side in a temporary root, a listener for what the jobs
// tell the user, and removable disks played by folders.
#include "organizer/backupfiles.h"
#include "organizer/jobtalk.h"
#include "tests/shell/pages/qstringprint.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>

namespace BackupEnv {

// Every box as "warning: text" or "information: text", prompts as
// "disk N: text", confirmations as "confirm: text".
class TListeningTalk : public TJobTalk {
public:
    void Tell(const QString& text, MsgIcon icon) override;
    bool Confirm(const QString& text) override;
    void PromptDisk(int disk, const QString& text) override;
    void BeginProgress(const QString& text) override;
    void Progress(int percent) override;
    void EndProgress() override;
    void FocusPassword() override { ++focusedPassword; }

    QStringList said;
    QList<bool> answers;      // for the confirmations; Yes when empty
    QList<int> percents;
    int progressWindows = 0;  // open ones
    int focusedPassword = 0;
    std::function<void(int disk)> onDisk;
};

// A removable drive mounted at `mount`, every disk of it `capacity` bytes
// free; every other folder lies on a fixed disk with plenty of room whose
// root is "/".
class TPlayedDisks : public TMediaSeam {
public:
    TPlayedDisks();
    ~TPlayedDisks() override;
    TPlayedDisks(const TPlayedDisks&) = delete;
    TPlayedDisks& operator=(const TPlayedDisks&) = delete;
    TVolume Volume(const QString& folder) override;

    QString mount;             // with a trailing slash
    qint64 capacity = 0;
    qint64 fixedFree = qint64{1} << 40;
};

// The program folder "bin/" and the data folder "db/" (a fresh copy of the
// delivered one) under one temporary root; sets ProgramDir and DataFolder.
class TFolders {
public:
    TFolders();
    ~TFolders();
    TFolders(const TFolders&) = delete;
    TFolders& operator=(const TFolders&) = delete;
    QString Root() const { return root_; }   // with a trailing slash

private:
    QTemporaryDir dir_;
    QString root_;
};

// name -> bytes of every file of a folder.
std::map<QString, QByteArray> Files(const QString& folder);
// The same without the database, whose bytes change when a row is written
// back as it was.
std::map<QString, QByteArray> FilesBesideDatabase(const QString& folder);
QByteArray Bytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// The first column of a statement's rows, on a folder's database.
QStringList Column(const QString& folder, const QString& sql);
void Execute(const QString& folder, const QString& sql);
// Adds a member to the folder's database.
void AddMember(const QString& folder, const QString& firstName);

}  // namespace BackupEnv
