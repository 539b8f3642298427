#include "genericprops.h"

#include "platform/dataset.h"

namespace {
constexpr int kDatabaseVersionProperty = 5;
}

QString GetDatabaseVersion(const QString& dataFolder)
{
    try {
        TQuery query(dataFolder);
        query.SQL() << QStringLiteral("SELECT * FROM GENERIC")
                    << QStringLiteral("WHERE PropertyType = %1").arg(kDatabaseVersionProperty);
        query.Open();
        return query.Eof() ? QString() : query.FieldByName(QStringLiteral("StrProperty")).AsString();
    } catch (const EDatabaseError&) {
        return {};
    }
}
