#pragma once
// A temporary data folder holding a copy of the delivered database, for the
// benchmarks that read and write it.
#include "platform/dataset.h"

#include <QFile>
#include <QTemporaryDir>

class BenchFolder {
public:
    BenchFolder() : path_(dir_.path() + QLatin1Char('/'))
    {
        if (!QFile::copy(Database::PathIn(QStringLiteral(CP_DELIVERED_DB)), Database::PathIn(path_)))
            qFatal("cannot copy the delivered database");
        QFile::setPermissions(Database::PathIn(path_), QFile::ReadOwner | QFile::WriteOwner);
    }
    ~BenchFolder() { Database::CloseAll(); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    const QString& Path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};
