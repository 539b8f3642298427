#include "restorejob.h"

#include "backupfiles.h"
#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/backuppassword.h"
#include "records/common/genericprops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kTemporaryTries = 10;
constexpr int kMaxPassword = 10;
constexpr qint64 kCheckMapBytes = qint64{1} << 30;
const QString kThisVersion = QStringLiteral("1");
const QString kIncoming = QStringLiteral("incoming/");

void Warn(TJobTalk& talk, const QString& text)
{
    talk.Tell(text, MsgIcon::Warning);
}

// The engine's files that belong to the database beside it.
bool IsDatabaseCompanion(const QString& name)
{
    return name.startsWith(Database::FileName() + QLatin1Char('-'));
}

// A data folder that is a file system of its own cannot take files by
// renaming: they are copied in whole and the originals removed.
bool MoveFile(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return errno == EXDEV && CopyOneFile(from, to) == TCopyResult::Done && QFile::remove(from);
}

// The current file kept aside under a second name, without copying.
bool KeepAside(const QString& from, const QString& to)
{
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
           || CopyOneFile(from, to) == TCopyResult::Done;
}

// Deletes what the data folder holds beyond these names: with `all` false
// only the engine's companions of the database, which must never meet a
// database other than their own.
bool DropOthers(const QStringList& keep, bool all)
{
    const QSet<QString> kept(keep.begin(), keep.end());
    bool dropped = true;
    for (const QString& name : FolderFiles(DataFolder))
        if (!kept.contains(name) && (all || IsDatabaseCompanion(name)))
            dropped = QFile::remove(DataFolder + name) && dropped;
    return dropped;
}

// Moves a folder's files into the data folder, the database first.
bool MoveIntoDataFolder(const QString& folder, bool dropOthers)
{
    const QStringList names = FolderFiles(folder);
    if (!DropOthers(names, false))
        return false;
    for (const QString& name : names)
        if (!MoveFile(folder + name, DataFolder + name))
            return false;
    return !dropOthers || DropOthers(names, true);
}

bool CopyLogToProgramFolder(const QString& source, bool diskSet, TJobTalk& talk)
{
    switch (CopyOneFile(source + kBackupLogName, ProgramDir + kBackupLogName)) {
    case TCopyResult::Done: return true;
    case TCopyResult::CannotWriteTarget:
        Warn(talk, QStringLiteral("Failed to restore database. Cannot copy the log file to ") + ProgramDir +
                       QStringLiteral(" for temporary use."));
        return false;
    case TCopyResult::CannotReadSource:
        Warn(talk, diskSet ? QStringLiteral("Failed to restore database. Please make sure the floppy disk really "
                                            "contains a database backup.")
                           : QStringLiteral("Failed to restore database. Please make sure the restoration directory "
                                            "really contains a database backup."));
        return false;
    case TCopyResult::Failed: break;
    }
    Warn(talk, QStringLiteral("Failed to restore database."));
    return false;
}

// The database kept aside could not be moved back: the user must do it.
void AskToRenameByHand(const QString& keptFolder, TJobTalk& talk)
{
    Warn(talk, QStringLiteral("Please rename ") + keptFolder + QStringLiteral(" to ") + DataFolder +
                   QStringLiteral(" to restore the current database."));
}

// Empties and removes a temporary folder, asking the user to finish when
// something stays. The database goes last, so that a folder stopped
// half-way holds it still, or nothing.
void RemoveTemporary(const QString& temp, TJobTalk& talk)
{
    const QString incoming = temp + kIncoming;
    QStringList names = FolderFiles(temp);
    std::reverse(names.begin(), names.end());
    bool removed = DeleteFolderFiles(incoming) && (!QFileInfo::exists(incoming) || QDir().rmdir(incoming));
    for (const QString& name : names)
        removed = removed && QFile::remove(temp + name);
    if (!removed) {
        Warn(talk, QStringLiteral("Please delete the temporary directory ") + temp +
                       QStringLiteral(" and all files under it."));
        return;
    }
    const QString path = temp.chopped(1);
    if (!QDir().rmdir(path))
        Warn(talk, QStringLiteral("Please delete the temporary directory ") + path + QLatin1Char('.'));
}

class Restore {
public:
    Restore(const QString& source, bool diskSet, const QString& password, TJobTalk& talk)
        : source_(source), diskSet_(diskSet), password_(password), talk_(talk)
    {
    }

    bool Run()
    {
        // The files are moved as closed files; the next query opens them again.
        Database::CloseAll();
        if (!PutCurrentAside())
            return false;
        const bool staged = CopyListedFiles(source_, diskSet_, temp_ + kIncoming, talk_) && CheckStaged();
        Database::CloseAll();
        if (!staged) {
            RemoveTemporary(temp_, talk_);
            return false;
        }
        if (!MoveIntoDataFolder(temp_ + kIncoming, true)) {
            Warn(talk_, QStringLiteral("Error occurred during the restoration. Original database will be used."));
            RollBack();
            return false;
        }
        RemoveTemporary(temp_, talk_);
        talk_.Tell(QStringLiteral("Database restoration is completed."), MsgIcon::Information);
        return true;
    }

private:
    bool PutCurrentAside()
    {
        const QString refusal = QStringLiteral("Cannot create a temporary directory to hold the current database.");
        for (int n = 1; n <= kTemporaryTries && temp_.isEmpty(); ++n) {
            const QString candidate = TemporaryFolder(n);
            if (!QFileInfo::exists(candidate) || IsFolderEmpty(candidate))
                temp_ = candidate;
        }
        if (temp_.isEmpty() || !QDir().mkpath(temp_)) {
            Warn(talk_, refusal);
            temp_.clear();
            return false;
        }
        // The database comes first: a folder stopped half-way holds it, or nothing.
        for (const QString& name : FolderFiles(DataFolder)) {
            if (!KeepAside(DataFolder + name, temp_ + name)) {
                Warn(talk_, QStringLiteral("Failed to restore database. Cannot temporarily rename the current "
                                           "database directory."));
                RemoveTemporary(temp_, talk_);
                return false;
            }
        }
        if (!QDir().mkpath(temp_ + kIncoming)) {
            Warn(talk_, refusal);
            RemoveTemporary(temp_, talk_);
            return false;
        }
        return true;
    }

    // The restored database must be sound, of this version, and carry the
    // password the user gave, before it may replace the current one.
    bool CheckStaged()
    {
        const QString incoming = temp_ + kIncoming;
        QString stored;
        try {
            // Read through the memory map, the check costs about half.
            TQuery map(incoming);
            map.SQL() << QStringLiteral("PRAGMA mmap_size = %1").arg(kCheckMapBytes);
            map.Open();
            TQuery check(incoming);
            check.SQL() << QStringLiteral("PRAGMA quick_check");
            check.Open();
            if (check.Eof() || check.Fields(0).AsString() != QStringLiteral("ok")
                || GetDatabaseVersion(incoming) != kThisVersion)
                throw EDatabaseError(QStringLiteral("unsound"));
            TQuery password(incoming);
            password.SQL() << QStringLiteral("SELECT StrProperty FROM GENERIC WHERE PropertyType = 102 AND ObjID = 1");
            password.Open();
            if (!password.Eof())
                stored = password.Fields(0).AsString();
        } catch (const EDatabaseError&) {
            Warn(talk_, QStringLiteral("Failed to restore database. Wrong source to restore."));
            return false;
        }
        QString given;
        if (!ScramblePassword(password_, given) || given != stored) {
            Warn(talk_, QStringLiteral("The password you entered is not correct. Database restoration failed."));
            return false;
        }
        return true;
    }

    void RollBack()
    {
        if (!MoveIntoDataFolder(temp_, true)) {
            AskToRenameByHand(temp_, talk_);
            return;
        }
        RemoveTemporary(temp_, talk_);
    }

    QString source_;
    bool diskSet_;
    QString password_;
    TJobTalk& talk_;
    QString temp_;
};

// The source must be a folder that is there, outside the data folder.
bool SourceFolderFits(const QString& typed, const QString& canonical, TJobTalk& talk)
{
    if (!QFileInfo(WithSlash(canonical)).isDir()) {
        Warn(talk, QStringLiteral("There is no such directory ") + typed + QLatin1Char('.'));
        return false;
    }
    if (IsSameOrUnder(canonical, DataFolder)) {
        Warn(talk, QStringLiteral("You cannot use a directory under ") + DataFolder +
                       QStringLiteral(" to restore database backup."));
        return false;
    }
    return true;
}

bool SourceVersionFits(const QString& source, TJobTalk& talk)
{
    if (!CheckBackupVersion(source, talk)) {
        Warn(talk, QStringLiteral("Failed to restore database. Wrong source to restore."));
        return false;
    }
    return true;
}

bool RestoreFrom(const QString& typed, const QString& password, TJobTalk& talk)
{
    if (!QDir::isAbsolutePath(typed)) {
        Warn(talk, QStringLiteral("Please specify a correct full path to restore the database."));
        return false;
    }
    const QString canonical = CanonicalPath(typed);
    const QString source = WithSlash(canonical);
    if (IsSameOrUnder(canonical, ProgramDir)) {
        Warn(talk, QStringLiteral("You cannot restore database from the executable directory or its subdirectory."));
        return false;
    }
    const TVolume volume = CurrentMedia().Volume(source);
    if (volume.removable) {
        talk.PromptDisk(1, QStringLiteral("Please insert the database disk into drive ") + volume.rootPath +
                               QStringLiteral(" and click OK button."));
        if (!SourceFolderFits(typed, canonical, talk) || !SourceVersionFits(source, talk))
            return false;
        return Restore(source, true, password, talk).Run();
    }
    if (!SourceVersionFits(source, talk))
        return false;
    if (source == WithSlash(volume.rootPath)) {
        Warn(talk, QStringLiteral("The restoration process does not accept a database in a hard drive's root directory."));
        return false;
    }
    if (!SourceFolderFits(typed, canonical, talk))
        return false;
    return Restore(source, false, password, talk).Run();
}

}  // namespace

bool CopyListedFiles(const QString& source, bool diskSet, const QString& into, TJobTalk& talk)
{
    TProgressScope progress(talk, QStringLiteral("Copying files ..."));
    talk.Progress(0);
    if (!CopyLogToProgramFolder(source, diskSet, talk))
        return false;
    QStringList lines;
    if (!ReadListFile(ProgramDir + kBackupLogName, lines)) {
        Warn(talk, QStringLiteral("Cannot open the Backup.log file in ") + ProgramDir + QLatin1Char('.'));
        return false;
    }
    talk.Progress(10);
    if (lines.value(0) != GroupLine(1)) {
        Warn(talk, QStringLiteral("Internal error! The first line of Backup.log is not group 1."));
        return false;
    }
    int percent = 20;
    talk.Progress(percent);
    int disk = 1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& name = lines[i];
        if (diskSet && IsGroupLine(name)) {
            ++disk;
            talk.PromptDisk(disk, QStringLiteral("Please insert the disk of your database backup (disk %1) to the "
                                                 "floppy drive and click OK button.")
                                      .arg(disk));
            continue;
        }
        if (!IsPlainName(name) || CopyOneFile(source + name, into + name) != TCopyResult::Done) {
            Warn(talk, QStringLiteral("Failed to restore database!"));
            return false;
        }
        if (percent < 99)
            talk.Progress(++percent);
    }
    talk.Progress(100);
    return true;
}

bool CheckBackupVersion(const QString& sourceFolder, TJobTalk& talk)
{
    QString version;
    try {
        version = GetDatabaseVersion(sourceFolder);
    } catch (const EDatabaseError&) {
        version.clear();
    }
    // The set's database is not held open while it is copied.
    Database::CloseAll();
    if (version.isEmpty())
        return false;
    if (version == kThisVersion)
        return true;
    if (version.toUtf8() < kThisVersion.toUtf8())
        Warn(talk, QStringLiteral("Your database source is from an old version of the software. Please use the "
                                  "\"import\" menu item to convert it for the new software."));
    else
        Warn(talk, QStringLiteral("Your database source is from a new version of the software. It cannot be used by "
                                  "this version of the software."));
    return false;
}

bool RunRestore(const TRestoreRequest& request, TJobTalk& talk)
{
    if (request.password1 != request.password2) {
        Warn(talk, QStringLiteral("Please type the same passwords for both boxes."));
        talk.FocusPassword();
        return false;
    }
    if (!talk.Confirm(QStringLiteral("Current database will be removed and replaced by the one you restore. Are you "
                                     "sure you want to do this?")))
        return true;
    return RestoreFrom(request.source.trimmed(), request.password1.left(kMaxPassword), talk);
}

QString TemporaryFolder(int tryNumber)
{
    return QDir::cleanPath(DataFolder + QStringLiteral("..")) + QStringLiteral("/TmpDB") + QString::number(tryNumber)
           + QLatin1Char('/');
}

QStringList LeftOverFolders()
{
    QStringList folders;
    for (int n = 1; n <= kTemporaryTries; ++n) {
        const QString folder = TemporaryFolder(n);
        if (QFileInfo(folder).isDir() && !IsFolderEmpty(folder))
            folders << folder;
    }
    return folders;
}

void OfferLeftOverDatabases(TJobTalk& talk)
{
    for (const QString& folder : LeftOverFolders()) {
        if (!QFileInfo::exists(folder + Database::FileName()))
            continue;
        if (!talk.Confirm(QStringLiteral("A restoration of the database did not finish. The database in use before "
                                         "it was kept in ") +
                          folder + QStringLiteral(". Do you want to put it back?")))
            continue;
        Database::CloseAll();
        // What the folder lacks may be missing because the restore stopped
        // while putting files aside: nothing else of the data folder goes.
        if (!MoveIntoDataFolder(folder, false)) {
            AskToRenameByHand(folder, talk);
            continue;
        }
        RemoveTemporary(folder, talk);
    }
}
