#pragma once
// A temporary data folder holding a copy of the delivered database, for the
// benchmarks that read and write it.
#include "platform/dataset.h"

#include <QFile>
#include <QTemporaryDir>
#include <QVariant>
#include <utility>
#include <vector>

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

    // Runs one statement with its values bound: a double binds as a date.
    void Run(const QStringList& sql, const std::vector<std::pair<QString, QVariant>>& values) const
    {
        TQuery q(path_);
        q.SetSQL(sql);
        for (const auto& [name, value] : values) {
            if (value.typeId() == QMetaType::Double)
                q.ParamByName(name).SetAsDate(value.toDouble());
            else if (value.typeId() == QMetaType::Int)
                q.ParamByName(name).SetAsInteger(value.toInt());
            else
                q.ParamByName(name).SetAsString(value.toString());
        }
        q.ExecSQL();
    }

private:
    QTemporaryDir dir_;
    QString path_;
};
