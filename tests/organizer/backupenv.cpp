#include "backupenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace BackupEnv {

void TListeningTalk::Tell(const QString& text, MsgIcon icon)
{
    said << (icon == MsgIcon::Information ? QStringLiteral("information: ") : QStringLiteral("warning: ")) + text;
}

bool TListeningTalk::Confirm(const QString& text)
{
    said << QStringLiteral("confirm: ") + text;
    return answers.isEmpty() ? true : answers.takeFirst();
}

void TListeningTalk::PromptDisk(int disk, const QString& text)
{
    said << QStringLiteral("disk %1: ").arg(disk) + text;
    if (onDisk)
        onDisk(disk);
}

void TListeningTalk::BeginProgress(const QString& text)
{
    EXPECT_EQ(text, QStringLiteral("Copying files ..."));
    ++progressWindows;
}

void TListeningTalk::Progress(int percent)
{
    EXPECT_EQ(progressWindows, 1) << "progress without its window";
    percents << percent;
}

void TListeningTalk::EndProgress()
{
    --progressWindows;
}

TPlayedDisks::TPlayedDisks()
{
    InstallMedia(this);
}

TPlayedDisks::~TPlayedDisks()
{
    InstallMedia(nullptr);
}

TVolume TPlayedDisks::Volume(const QString& folder)
{
    TVolume volume;
    volume.readable = true;
    if (!mount.isEmpty() && IsSameOrUnder(CanonicalPath(folder), mount)) {
        volume.removable = true;
        volume.rootPath = mount;
        volume.freeBytes = capacity;
        return volume;
    }
    volume.rootPath = QStringLiteral("/");
    volume.freeBytes = fixedFree;
    return volume;
}

TFolders::TFolders() : root_(dir_.path() + QLatin1Char('/'))
{
    QDir().mkpath(root_ + QStringLiteral("bin"));
    QDir().mkpath(root_ + QStringLiteral("db"));
    ProgramDir = root_ + QStringLiteral("bin/");
    DataFolder = root_ + QStringLiteral("db/");
    const QDir delivered(DeliveredDataFolder());
    for (const QString& name : delivered.entryList(QDir::Files)) {
        if (!QFile::copy(delivered.filePath(name), DataFolder + name))
            ADD_FAILURE() << "cannot copy " << name.toStdString();
        QFile::setPermissions(DataFolder + name, QFile::ReadOwner | QFile::WriteOwner);
    }
}

TFolders::~TFolders()
{
    Database::CloseAll();
    ProgramDir.clear();
    DataFolder.clear();
}

std::map<QString, QByteArray> Files(const QString& folder)
{
    std::map<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        files[name] = Bytes(dir.filePath(name));
    return files;
}

std::map<QString, QByteArray> FilesBesideDatabase(const QString& folder)
{
    std::map<QString, QByteArray> files = Files(folder);
    files.erase(Database::FileName());
    return files;
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList Column(const QString& folder, const QString& sql)
{
    QStringList values;
    {
        TQuery query(folder);
        query.SQL() << sql;
        for (query.Open(); !query.Eof(); query.Next())
            values << query.Fields(0).AsString();
    }
    Database::CloseAll();
    return values;
}

void Execute(const QString& folder, const QString& sql)
{
    {
        TQuery query(folder);
        query.SQL() << sql;
        query.ExecSQL();
    }
    Database::CloseAll();
}

void AddMember(const QString& folder, const QString& firstName)
{
    AppendRow(folder, QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
        row.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("O'Neil"));
    });
    Database::CloseAll();
}

}  // namespace BackupEnv
