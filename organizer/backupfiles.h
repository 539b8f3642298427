#pragma once
// The file work that backup and restore share: copying one file so that no
// half-written copy ever bears the file's own name, the folders' files with
// the database first, canonical paths for the folder checks, and the seam
// that tells what kind of disk a folder lies on.
#include <QString>
#include <QStringList>

// How a one-file copy ended; the failures keep their causes apart, as the
// restore tells the user which side failed.
enum class TCopyResult { Done, CannotReadSource, CannotWriteTarget, Failed };

// Copies into a temporary name beside the target, then renames it over the
// target: the target is the old file or the whole new one, never a part.
TCopyResult CopyOneFile(const QString& source, const QString& target);

// The list of a backup set.
extern const QString kBackupLogName;   // "Backup.log"
// Lines ended by CR LF; false when the file cannot be written whole.
bool WriteListFile(const QString& path, const QStringList& lines);
// False when the file cannot be read.
bool ReadListFile(const QString& path, QStringList& lines);
// The list's line that opens disk N of a set; "group 1" opens every list.
QString GroupLine(int disk);
// True for "group " and a positive decimal number, nothing more or less.
bool IsGroupLine(const QString& line);
// True for a name of one file of a set's folder, nothing else: not empty,
// "." or "..", without "/" and without control characters, and short enough
// to be copied. The restore copies no other name, so the backup lists none.
bool IsPlainName(const QString& name);

// The files of a folder (no folders), the database file first, the rest by name.
QStringList FolderFiles(const QString& folder);
// False when a file's name is no text, which the listing above leaves out
// (`notText` gets it, as near as text shows it), or when the folder cannot be
// read (`notText` stays empty).
bool FileNamesAreText(const QString& folder, QString& notText);
// True when the folder holds nothing at all.
bool IsFolderEmpty(const QString& folder);
// Deletes the folder's files (not its folders); true when every one went.
bool DeleteFolderFiles(const QString& folder);

// The path with "//", "/./", ".." and symbolic links resolved, as far as it
// exists; the part that does not exist yet is joined on, cleaned. No trailing
// slash except for the root.
QString CanonicalPath(const QString& path);
// True when the canonical path is the folder or lies under it.
bool IsSameOrUnder(const QString& canonicalPath, const QString& folder);
// The path with one trailing slash.
QString WithSlash(const QString& path);

// What the program needs to know of the disk a folder lies on.
struct TVolume {
    bool readable = false;    // a disk is there and mounted
    bool removable = false;   // its block device says it is removable
    qint64 freeBytes = -1;
    QString rootPath;         // where the file system is mounted
};

class TMediaSeam {
public:
    virtual ~TMediaSeam() = default;
    // The volume the folder (or its nearest existing parent) lies on.
    virtual TVolume Volume(const QString& folder) = 0;
};

// Where the first removable disk is mounted (with a trailing slash); empty
// when none is.
QString FirstRemovableFolder();

// The machine's disks as the kernel tells them: a disk is removable when the
// block device's entry below `blockDevices` says so.
class TSystemMedia : public TMediaSeam {
public:
    explicit TSystemMedia(const QString& blockDevices = QStringLiteral("/sys/class/block"));
    TVolume Volume(const QString& folder) override;

private:
    bool IsRemovableDevice(const QByteArray& device) const;

    QString blockDevices_;
};

// The machine's own disks.
TMediaSeam& SystemMedia();
// Tests play their disks through their own seam; nullptr puts the system's back.
void InstallMedia(TMediaSeam* media);
TMediaSeam& CurrentMedia();
