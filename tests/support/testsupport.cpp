#include "testsupport.h"

#include "platform/dataset.h"

#include <QDir>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

QString DeliveredDataFolder()
{
    return QStringLiteral(CP_DELIVERED_DB "/");
}

FreshDataFolder::FreshDataFolder() : path_(dir_.path() + QLatin1Char('/'))
{
    const QDir delivered(DeliveredDataFolder());
    for (const QString& name : delivered.entryList(QDir::Files)) {
        if (!QFile::copy(delivered.filePath(name), path_ + name))
            ADD_FAILURE() << "cannot copy " << name.toStdString();
        QFile::setPermissions(path_ + name, QFile::ReadOwner | QFile::WriteOwner);
    }
}

FreshDataFolder::~FreshDataFolder()
{
    Database::CloseAll();
}

void SavePicture(QWidget& widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("CP_PICTURE_DIR", QDir::tempPath());
    QDir().mkpath(dir);
    ASSERT_TRUE(widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")));
}
