// Backup lists of any content, read by the restore as a folder set and as a
// disk set: each file lands in the incoming folder under the name a line
// gives it, or nowhere, and nothing else changes, whatever the names say.
#include "context/context.h"
#include "organizer/backupfiles.h"
#include "organizer/restorejob.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sys/stat.h>

namespace {

class SilentTalk : public TJobTalk {
public:
    void Tell(const QString&, MsgIcon) override {}
    bool Confirm(const QString&) override { return true; }
    void PromptDisk(int, const QString&) override {}
    void BeginProgress(const QString&) override { ++open; }
    void Progress(int) override {}
    void EndProgress() override { --open; }

    int open = 0;
};

QTemporaryDir* gRootDir = nullptr;
QString gRoot;
QString gSet;        // the set; the file beside it is none of it
QString gIncoming;   // the sandbox the files come into, far from the set
// Every entry under the root but the incoming folder and the two lists: a
// file by its inode and bytes, a link by its target, a folder by its name.
std::map<QString, QByteArray> gUntouched;

[[noreturn]] void Fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::abort();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        Fail(QStringLiteral("cannot write ") + path);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

std::map<QString, QByteArray> Snapshot()
{
    std::map<QString, QByteArray> entries;
    const QDir root(gRoot);
    QDirIterator it(gRoot, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = root.relativeFilePath(path);
        if (path.startsWith(gIncoming) || path == gSet + kBackupLogName || path == ProgramDir + kBackupLogName)
            continue;
        const QFileInfo info = it.fileInfo();
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        entries[name] = info.isSymLink() ? "link " + QFile::encodeName(info.symLinkTarget())
                        : info.isDir()   ? QByteArray("folder")
                                         : QByteArray::number(quint64{status.st_ino}) + ' ' + Read(path);
    }
    return entries;
}

// What came in is a copy of a file of the set by a name the list gives.
void CheckIncoming()
{
    QStringList lines;
    ReadListFile(gSet + kBackupLogName, lines);
    const QDir incoming(gIncoming);
    const QStringList all = incoming.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& name : all) {
        const QFileInfo info(incoming.filePath(name));
        if (info.isSymLink() || !info.isFile())
            Fail(QStringLiteral("not a plain file came in: ") + name);
        if (!lines.contains(name))
            Fail(QStringLiteral("a file came in under a name no line gives: ") + name);
        if (Read(info.filePath()) != Read(gSet + name))
            Fail(QStringLiteral("no copy of the set's file: ") + name);
    }
}

void Restage(bool diskSet)
{
    SilentTalk talk;
    CopyListedFiles(gSet, diskSet, gIncoming, talk);
    if (talk.open != 0)
        Fail(QStringLiteral("the progress window stayed open"));
    CheckIncoming();
    if (Snapshot() != gUntouched)
        Fail(QStringLiteral("something beside the incoming folder changed"));
    if (!DeleteFolderFiles(gIncoming))
        Fail(QStringLiteral("cannot empty the incoming folder"));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    gRootDir = new QTemporaryDir;
    gRoot = gRootDir->path() + QLatin1Char('/');
    gSet = gRoot + QStringLiteral("source/set/");
    gIncoming = gRoot + QStringLiteral("sandbox/incoming/");
    ProgramDir = gRoot + QStringLiteral("bin/");
    for (const QString& folder : {ProgramDir, gSet + QStringLiteral("sub/"), gIncoming})
        QDir().mkpath(folder);
    Write(gSet + QStringLiteral("careportfolio.db"), "database");
    Write(gSet + QStringLiteral("cphelpt.rtf"), "{\\rtf1 help}");
    Write(gSet + QStringLiteral("my group 2.txt"), "a file, not a disk");
    Write(gSet + QStringLiteral("notes.txt"), "notes");
    Write(gSet + QStringLiteral("sub/inner.txt"), "below the set");
    Write(gRoot + QStringLiteral("source/outside.txt"), "beside the set");
    Write(gRoot + QStringLiteral("sandbox/kept.txt"), "beside the sandbox");
    QFile::link(gRoot + QStringLiteral("source/outside.txt"), gSet + QStringLiteral("away"));
    gUntouched = Snapshot();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Write(gSet + kBackupLogName, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Restage(false);
    Restage(true);
    return 0;
}
