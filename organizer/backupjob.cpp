#include "backupjob.h"

#include "backupfiles.h"
#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/backuppassword.h"
#include "records/common/genericprops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

constexpr qint16 kPasswordProperty = 102;
constexpr qint32 kPasswordObject = 1;
constexpr qint64 kDiskReserve = 20000;
constexpr int kMaxPassword = 10;
const QString kTooBig = QStringLiteral(
    "The size of a single file in your database has exceeded the floppy capacity. Please use hard drive to back it up.");
const QString kWrongPath = QStringLiteral("Please specify a correct full path to back up the database.");
const QString kFailed = QStringLiteral("Failed to backup database.");

// What the list takes on disk: every name and the first group line, and a
// group line per file at most.
qint64 ListBytes(const TSizedFiles& files, bool groups)
{
    qint64 bytes = GroupLine(1).size() + 2;
    for (const auto& [name, size] : files) {
        bytes += name.toLocal8Bit().size() + 2;
        if (groups)
            bytes += GroupLine(static_cast<int>(files.size()) + 1).size() + 2;
    }
    return bytes;
}

TBackupPlan Refused(const QString& why)
{
    TBackupPlan plan;
    plan.refusal = why;
    return plan;
}

bool IsPasswordText(const QString& password)
{
    if (password.size() > kMaxPassword)
        return false;
    for (const QChar c : password)
        if (!(c.isDigit() || (c.unicode() < 128 && c.isLetter())))
            return false;
    return true;
}

// The stored password, put aside while the backup's own is in the database
// and written back on every way out.
class PasswordSwitch {
public:
    PasswordSwitch(const TBackupRequest& request, TJobTalk& talk) : request_(request), talk_(talk) {}
    ~PasswordSwitch() { PutBack(); }
    PasswordSwitch(const PasswordSwitch&) = delete;
    PasswordSwitch& operator=(const PasswordSwitch&) = delete;

    bool Switch()
    {
        if (request_.password == TBackupPassword::Same)
            return true;
        QString stored;
        if (!ReadStored(stored)) {
            talk_.Tell(QStringLiteral("Cannot get original password from database. Your database may be corrupted."),
                       MsgIcon::Warning);
            return false;
        }
        QString password;
        if (request_.password == TBackupPassword::Different && !TakeNewPassword(password))
            return false;
        remembered_ = stored;
        if (!Store(password)) {
            talk_.Tell(QStringLiteral("Internal error! Cannot temporarily change password for backup."),
                       MsgIcon::Warning);
            return false;
        }
        return true;
    }

    // Writes the remembered text back, once.
    void PutBack()
    {
        if (!remembered_)
            return;
        const QString stored = *remembered_;
        remembered_.reset();
        bool written = true;
        try {
            WriteGenericStr(kPasswordProperty, kPasswordObject, stored);
        } catch (const EDatabaseError&) {
            written = false;
        }
        if (written)
            return;
        QString none;
        ScramblePassword(QString(), none);
        if (request_.password == TBackupPassword::Different)
            talk_.Tell(QStringLiteral("Internal error! You may need to use the password for backup for your current "
                                      "database."),
                       MsgIcon::Warning);
        else if (stored != none)
            talk_.Tell(QStringLiteral("Internal error! Your password protection has been removed. Please set it again."),
                       MsgIcon::Warning);
    }

private:
    static bool ReadStored(QString& stored)
    {
        try {
            return ReadGenericStr(kPasswordProperty, kPasswordObject, stored);
        } catch (const EDatabaseError&) {
            return false;
        }
    }

    static bool Store(const QString& password)
    {
        try {
            return StoreBackupPassword(password);
        } catch (const EDatabaseError&) {
            return false;
        }
    }

    bool TakeNewPassword(QString& password)
    {
        if (request_.password1.isEmpty()) {
            talk_.Tell(QStringLiteral("Please enter the password for this backup."), MsgIcon::Warning);
            talk_.FocusPassword();
            return false;
        }
        if (request_.password1 != request_.password2) {
            talk_.Tell(QStringLiteral("Please type the same passwords for both boxes."), MsgIcon::Warning);
            talk_.FocusPassword();
            return false;
        }
        if (!IsPasswordText(request_.password1)) {
            talk_.Tell(QStringLiteral("Illegal password! Alphabets and numerals only! Maximum 10 characters!"),
                       MsgIcon::Warning);
            return false;
        }
        password = request_.password1;
        return true;
    }

    const TBackupRequest& request_;
    TJobTalk& talk_;
    std::optional<QString> remembered_;
};

TSizedFiles DataFiles()
{
    TSizedFiles files;
    const QDir data(DataFolder);
    for (const QString& name : FolderFiles(DataFolder))
        files.emplace_back(name, QFileInfo(data.filePath(name)).size());
    return files;
}

// Every data file's name must come back from the list as that file. Whether
// the restore reads a set as one of disks depends on the disk the set lies on
// then, so a name like a group line is refused for every set. The list's own
// name is taken, also on a removable disk that ignores case.
bool ListableName(const QString& name)
{
    return IsPlainName(name) && !IsGroupLine(name) && name.compare(kBackupLogName, Qt::CaseInsensitive) != 0;
}

// False when a data file's name cannot travel in a set (`unlistable` names
// it), or when the data folder cannot be read (`unlistable` stays empty).
bool DataNamesFit(QString& unlistable)
{
    if (!FileNamesAreText(DataFolder, unlistable))
        return false;
    const QStringList names = FolderFiles(DataFolder);
    const auto refused = std::find_if_not(names.begin(), names.end(), ListableName);
    if (refused == names.end())
        return true;
    unlistable = *refused;
    return false;
}

// The user can mend a refused name only when told which file it is.
QString NameRefusal(const QString& unlistable)
{
    if (unlistable.isEmpty())
        return kFailed;
    return kFailed + QStringLiteral(" A backup cannot hold the file \"") + DataFolder + unlistable +
           QStringLiteral("\". Please rename the file or move it out of the database folder, then try again.");
}

bool MakeFolder(const QString& path, TJobTalk& talk)
{
    if (QDir().mkpath(path) && QFileInfo(path).isDir())
        return true;
    talk.Tell(QStringLiteral("Cannot create directory ") + path + QLatin1Char('.'), MsgIcon::Warning);
    return false;
}

// After every prompt the disk asked for must be in the drive: a drive left
// empty leaves the target in the bare mount folder on a fixed disk, where
// nothing of the set may be written. Then the target folder is made on it.
bool TakeInsertedDisk(const QString& target, TJobTalk& talk)
{
    const TVolume volume = CurrentMedia().Volume(target);
    if (!volume.readable || !volume.removable || volume.freeBytes < 0) {
        talk.Tell(QStringLiteral("Please make sure there is an empty disk in the floppy drive and it is formatted."),
                  MsgIcon::Warning);
        return false;
    }
    return MakeFolder(target, talk);
}

// Copies the data files named by the list, the list itself last on disk 1.
class SetWriter {
public:
    SetWriter(const QString& target, bool diskSet, TJobTalk& talk) : target_(target), diskSet_(diskSet), talk_(talk)
    {
    }

    bool Write(const TBackupPlan& plan)
    {
        TProgressScope progress(talk_, QStringLiteral("Copying files ..."));
        talk_.Progress(0);
        const QString list = ProgramDir + kBackupLogName;
        if (!WriteListFile(list, plan.lines)) {
            talk_.Tell(QStringLiteral("Cannot create backup.log file in directory ") + ProgramDir +
                           QStringLiteral(". Failed to back up the database."),
                       MsgIcon::Warning);
            return false;
        }
        talk_.Progress(20);
        QStringList lines;
        if (!ReadListFile(list, lines)) {
            talk_.Tell(QStringLiteral("Internal error! Cannot open the Backup.log file."), MsgIcon::Warning);
            return false;
        }
        if (lines.value(0) != GroupLine(1)) {
            talk_.Tell(QStringLiteral("Internal error! The first line of Backup.log is not group 1."), MsgIcon::Warning);
            return false;
        }
        // A list left by an earlier backup would vouch for a set this one
        // may leave half-written.
        if (QFileInfo::exists(target_ + kBackupLogName) && !QFile::remove(target_ + kBackupLogName)) {
            talk_.Tell(QStringLiteral("Cannot create log file for backup."), MsgIcon::Warning);
            return false;
        }
        // The database is copied as a closed file; the next query opens it again.
        Database::CloseAll();
        return CopyFiles(lines, plan.disks) && (logWritten_ || CopyList());
    }

private:
    bool CopyFiles(const QStringList& lines, int disks)
    {
        int percent = 30;
        talk_.Progress(percent);
        int disk = 1;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            QString name = lines[i];
            if (diskSet_ && IsGroupLine(name)) {
                if (disk == 1 && !CopyList())
                    return false;
                ++disk;
                talk_.PromptDisk(disk, QStringLiteral("Totally %1 disks are needed. Please insert another empty disk "
                                                      "(disk %2) to the floppy drive and click OK button.")
                                           .arg(disks)
                                           .arg(disk));
                if (!TakeInsertedDisk(target_, talk_))
                    return false;
                continue;
            }
            if (CopyOneFile(DataFolder + name, target_ + name) != TCopyResult::Done) {
                talk_.Tell(kFailed, MsgIcon::Warning);
                return false;
            }
            if (percent < 99)
                talk_.Progress(++percent);
        }
        talk_.Progress(100);
        return true;
    }

    bool CopyList()
    {
        logWritten_ = CopyOneFile(ProgramDir + kBackupLogName, target_ + kBackupLogName) == TCopyResult::Done;
        if (!logWritten_)
            talk_.Tell(QStringLiteral("Cannot create log file for backup."), MsgIcon::Warning);
        return logWritten_;
    }

    QString target_;
    bool diskSet_;
    TJobTalk& talk_;
    bool logWritten_ = false;
};

bool WriteSet(const QString& target, bool diskSet, qint64 space, TJobTalk& talk)
{
    const TSizedFiles files = DataFiles();
    const TBackupPlan plan = diskSet ? PlanDiskSet(files, space) : PlanFolder(files, space);
    if (!plan.refusal.isEmpty()) {
        talk.Tell(plan.refusal, MsgIcon::Warning);
        return false;
    }
    return SetWriter(target, diskSet, talk).Write(plan);
}

bool BackupToDisks(const QString& target, const QString& mountFolder, TJobTalk& talk)
{
    talk.PromptDisk(1, QStringLiteral("Please insert an empty formatted disk into drive ") + mountFolder +
                           QStringLiteral(" and click OK button."));
    if (!TakeInsertedDisk(target, talk))
        return false;
    return WriteSet(target, true, CurrentMedia().Volume(target).freeBytes, talk);
}

bool BackupToFolder(const QString& target, const TVolume& volume, TJobTalk& talk)
{
    if (target == WithSlash(volume.rootPath)) {
        talk.Tell(QStringLiteral("Please do not use the hard drive's root directory to back up your database."),
                  MsgIcon::Warning);
        return false;
    }
    if (!MakeFolder(target, talk))
        return false;
    return WriteSet(target, false, CurrentMedia().Volume(target).freeBytes, talk);
}

bool BackupToTarget(const QString& typed, TJobTalk& talk)
{
    if (!QDir::isAbsolutePath(typed)) {
        talk.Tell(kWrongPath, MsgIcon::Warning);
        return false;
    }
    const QString canonical = CanonicalPath(typed);
    if (IsSameOrUnder(canonical, ProgramDir)) {
        talk.Tell(QStringLiteral("You cannot use the executable directory or its subdirectory to back up database."),
                  MsgIcon::Warning);
        return false;
    }
    if (IsSameOrUnder(canonical, DataFolder)) {
        talk.Tell(QStringLiteral("You cannot use a directory under ") + DataFolder + QStringLiteral(" to make backup."),
                  MsgIcon::Warning);
        return false;
    }
    const QString target = WithSlash(canonical);
    const TVolume volume = CurrentMedia().Volume(target);
    if (volume.removable)
        return BackupToDisks(target, volume.rootPath, talk);
    return BackupToFolder(target, volume, talk);
}

}  // namespace

TBackupPlan PlanDiskSet(const TSizedFiles& files, qint64 capacity)
{
    if (capacity - kDiskReserve < 0)
        return Refused(kTooBig);
    TBackupPlan plan;
    plan.lines << GroupLine(1);
    plan.disks = 1;
    qint64 room = capacity - ListBytes(files, true);
    qint64 used = 0;
    for (const auto& [name, size] : files) {
        if (size > capacity || (plan.lines.size() == 1 && size > room))
            return Refused(kTooBig);
        if (used + size > room) {
            ++plan.disks;
            plan.lines << GroupLine(plan.disks);
            room = capacity;
            used = size;
        } else {
            used += size;
        }
        plan.lines << name;
    }
    return plan;
}

TBackupPlan PlanFolder(const TSizedFiles& files, qint64 freeSpace)
{
    TBackupPlan plan;
    plan.lines << GroupLine(1);
    plan.disks = 1;
    qint64 used = ListBytes(files, false);
    for (const auto& [name, size] : files) {
        if (size > freeSpace)
            return Refused(kTooBig);
        if (used + size > freeSpace)
            return Refused(QStringLiteral("Your disk does not have enough space for backing up your database."));
        used += size;
        plan.lines << name;
    }
    return plan;
}

bool RunBackup(const TBackupRequest& request, TJobTalk& talk)
{
    QString unlistable;
    if (!DataNamesFit(unlistable)) {
        talk.Tell(NameRefusal(unlistable), MsgIcon::Warning);
        return false;
    }
    PasswordSwitch password(request, talk);
    if (!password.Switch())
        return false;
    const bool done = BackupToTarget(request.target.trimmed(), talk);
    password.PutBack();
    if (done)
        talk.Tell(QStringLiteral("Database backup is completed."), MsgIcon::Information);
    return done;
}
