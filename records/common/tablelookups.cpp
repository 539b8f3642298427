#include "tablelookups.h"

#include "context/context.h"
#include "platform/dataset.h"

bool IsTableEmpty(const QString& tableName)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("Select * from ") + tableName;
    query.Open();
    return query.Eof();
}

QString GetCategoryName(qint32 categoryType, qint32 categoryNo)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM CATEGORY")
                << QStringLiteral("WHERE CategoryType = %1").arg(categoryType)
                << QStringLiteral("AND CategoryNo = %1").arg(categoryNo);
    query.Open();
    return query.Eof() ? QString() : query.FieldByName(QStringLiteral("CategoryName")).AsString();
}
