#include "backupfiles.h"

#include "platform/dataset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The name a copy is written under until it is whole.
const QString kPartSuffix = QStringLiteral(".cpcopy");
constexpr size_t kChunk = size_t{8} << 20;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// The plain way, for file systems the kernel cannot copy within.
bool CopyByReading(int in, int out)
{
    std::vector<char> buffer(kChunk);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(out, buffer.data(), got))
            return false;
    }
}

bool CopyContent(int in, int out)
{
    bool copiedAny = false;
    for (;;) {
        const ssize_t got = ::copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
        if (got > 0) {
            copiedAny = true;
            continue;
        }
        if (got == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (copiedAny || (errno != ENOSYS && errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP))
            return false;
        return CopyByReading(in, out);
    }
}

TMediaSeam* installedMedia = nullptr;

}  // namespace

TCopyResult CopyOneFile(const QString& source, const QString& target)
{
    FileDescriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        return TCopyResult::CannotReadSource;
    struct stat sourceStat {};
    if (::fstat(in.Get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode))
        return TCopyResult::CannotReadSource;
    const QByteArray part = QFile::encodeName(target + kPartSuffix);
    FileDescriptor out(::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (out.Get() < 0)
        return TCopyResult::CannotWriteTarget;
    const bool copied = CopyContent(in.Get(), out.Get());
    if (!out.Close() || !copied || ::rename(part.constData(), QFile::encodeName(target).constData()) != 0) {
        ::unlink(part.constData());
        return TCopyResult::Failed;
    }
    return TCopyResult::Done;
}

const QString kBackupLogName = QStringLiteral("Backup.log");

bool WriteListFile(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLocal8Bit() + "\r\n";
    return file.write(text) == text.size() && file.flush();
}

bool ReadListFile(const QString& path, QStringList& lines)
{
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromLocal8Bit(line);
    }
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return true;
}

QString GroupLine(int disk)
{
    return QStringLiteral("group %1").arg(disk);
}

bool IsGroupLine(const QString& line)
{
    // Anything looser takes a file named like "my group 2.txt" for a disk.
    const QString prefix = QStringLiteral("group ");
    if (!line.startsWith(prefix) || line.size() == prefix.size() || line.at(prefix.size()) == QLatin1Char('0'))
        return false;
    for (qsizetype i = prefix.size(); i < line.size(); ++i)
        if (line.at(i) < QLatin1Char('0') || line.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

bool IsPlainName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    // Every copy is first written under the name with the part suffix.
    if (QFile::encodeName(name + kPartSuffix).size() > NAME_MAX)
        return false;
    // NUL would end the name the file system sees, so that another file than
    // the listed one would be restored; a line end would part the list's line.
    return std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c == QLatin1Char('/') || c.category() == QChar::Other_Control; });
}

QStringList FolderFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf([](const QString& name) { return name.endsWith(kPartSuffix); });
    const qsizetype database = names.indexOf(Database::FileName());
    if (database > 0)
        names.move(database, 0);
    return names;
}

bool FileNamesAreText(const QString& folder, QString& notText)
{
    notText.clear();
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(folder).constData()), ::closedir);
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        struct stat info {};
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode) &&
            QFile::encodeName(QFile::decodeName(name)) != name) {
            notText = QFile::decodeName(name);
            return false;
        }
    }
    return true;
}

bool IsFolderEmpty(const QString& folder)
{
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

bool DeleteFolderFiles(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return true;
    bool all = true;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        all = QFile::remove(dir.filePath(name)) && all;
    return all;
}

QString CanonicalPath(const QString& path)
{
    // Links are followed also where they lead to what does not exist yet.
    constexpr int kMaxLinks = 40;
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    QStringList missing;
    for (int links = 0; !QFileInfo::exists(existing) && existing != QStringLiteral("/");) {
        const QFileInfo info(existing);
        if (info.isSymLink() && links++ < kMaxLinks) {
            existing = QDir::cleanPath(QDir(info.path()).absoluteFilePath(info.symLinkTarget()));
            continue;
        }
        missing.prepend(info.fileName());
        existing = info.path();
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = existing;
    for (const QString& part : missing)
        canonical = QDir::cleanPath(canonical + QLatin1Char('/') + part);
    return canonical;
}

bool IsSameOrUnder(const QString& canonicalPath, const QString& folder)
{
    const QString base = CanonicalPath(folder);
    if (base == QStringLiteral("/"))
        return true;
    return canonicalPath == base || canonicalPath.startsWith(base + QLatin1Char('/'));
}

QString WithSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString FirstRemovableFolder()
{
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        if (storage.isReady() && CurrentMedia().Volume(storage.rootPath()).removable)
            return WithSlash(storage.rootPath());
    return {};
}

TSystemMedia::TSystemMedia(const QString& blockDevices) : blockDevices_(blockDevices) {}

TVolume TSystemMedia::Volume(const QString& folder)
{
    QString existing = CanonicalPath(folder);
    while (!QFileInfo(existing).isDir() && existing != QStringLiteral("/"))
        existing = QFileInfo(existing).path();
    const QStorageInfo storage(existing);
    TVolume volume;
    volume.readable = storage.isValid() && storage.isReady();
    if (!volume.readable)
        return volume;
    volume.freeBytes = storage.bytesAvailable();
    volume.rootPath = storage.rootPath();
    volume.removable = IsRemovableDevice(storage.device());
    return volume;
}

// A partition has no flag of its own: it asks its disk.
bool TSystemMedia::IsRemovableDevice(const QByteArray& device) const
{
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().section(QLatin1Char('/'), -1);
    const QString node = QFileInfo(blockDevices_ + QLatin1Char('/') + name).canonicalFilePath();
    if (node.isEmpty())
        return false;
    const QString disk = QFileInfo::exists(node + QStringLiteral("/partition")) ? QFileInfo(node).path() : node;
    QFile flag(disk + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

TMediaSeam& SystemMedia()
{
    static TSystemMedia media;
    return media;
}

void InstallMedia(TMediaSeam* media)
{
    installedMedia = media;
}

TMediaSeam& CurrentMedia()
{
    return installedMedia ? *installedMedia : SystemMedia();
}
