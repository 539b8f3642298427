#include "genericprops.h"

#include "context/context.h"
#include "platform/dataset.h"

#include <QComboBox>

namespace {
constexpr int kDatabaseVersionProperty = 5;
constexpr int kProviderNameProperty = 201;

void SelectPair(TQuery& query, qint16 propertyType, qint32 objId)
{
    query.SQL() << QStringLiteral("SELECT * FROM GENERIC")
                << QStringLiteral("WHERE PropertyType = %1").arg(propertyType)
                << QStringLiteral("AND ObjID = %1").arg(objId);
}

void SetValue(TField& field, const QString& text) { field.SetAsString(text); }
void SetValue(TField& field, qint32 value) { field.SetAsInteger(value); }
void SetValue(TParam& param, const QString& text) { param.SetAsString(text); }
void SetValue(TParam& param, qint32 value) { param.SetAsInteger(value); }

template <typename Value>
void WriteGenericValue(qint16 propertyType, qint32 objId, const QString& column, const Value& value)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    SelectPair(query, propertyType, objId);
    query.Open();
    if (!query.Eof()) {
        query.Edit();
        SetValue(query.FieldByName(column), value);
        query.Post();
        return;
    }
    query.Close();
    query.SetRequestLive(false);
    query.SetSQL({QStringLiteral("INSERT"),
                  QStringLiteral("INTO GENERIC (PropertyType, ObjID, %1)").arg(column),
                  QStringLiteral("VALUES (:PropertyType, :ObjID, :%1)").arg(column)});
    query.ParamByName(QStringLiteral("PropertyType")).SetAsSmallInt(propertyType);
    query.ParamByName(QStringLiteral("ObjID")).SetAsInteger(objId);
    SetValue(query.ParamByName(column), value);
    query.ExecSQL();
}
}  // namespace

QString GetDatabaseVersion(const QString& dataFolder)
{
    TQuery query(dataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM GENERIC")
                << QStringLiteral("WHERE PropertyType = %1").arg(kDatabaseVersionProperty);
    query.Open();
    return query.Eof() ? QString() : query.FieldByName(QStringLiteral("StrProperty")).AsString();
}

bool ReadGenericStr(qint16 propertyType, qint32 objId, QString& text)
{
    text.clear();
    TQuery query(DataFolder);
    SelectPair(query, propertyType, objId);
    query.Open();
    if (query.Eof())
        return false;
    text = query.FieldByName(QStringLiteral("StrProperty")).AsString();
    return true;
}

void WriteGenericStr(qint16 propertyType, qint32 objId, const QString& text)
{
    WriteGenericValue(propertyType, objId, QStringLiteral("StrProperty"), text);
}

void WriteGenericInt(qint16 propertyType, qint32 objId, qint32 value)
{
    WriteGenericValue(propertyType, objId, QStringLiteral("IntProperty"), value);
}

void FillGenericTextCombo(qint32 objId, qint32 intProperty, const QString& selectText, QComboBox& combo)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM GENERIC")
                << QStringLiteral("WHERE PropertyType = %1").arg(kProviderNameProperty);
    if (objId > 0)
        query.SQL() << QStringLiteral("AND ObjID = %1").arg(objId);
    if (intProperty > 0)
        query.SQL() << QStringLiteral("AND IntProperty = %1").arg(intProperty);
    query.SQL() << QStringLiteral("ORDER BY StrProperty");
    query.Open();
    int selected = -1;
    // The whole previous name: a long name repeated is still listed once.
    QString previous;
    for (; !query.Eof(); query.Next()) {
        const QString name = query.FieldByName(QStringLiteral("StrProperty")).AsString();
        if (name == previous)
            continue;
        combo.addItem(name);
        previous = name;
        if (name == selectText)
            selected = combo.count() - 1;
    }
    combo.setCurrentIndex(selected);
}

void AddGenericText(qint32 objId, qint32 intProperty, const QString& text)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM GENERIC")
                << QStringLiteral("WHERE PropertyType = %1").arg(kProviderNameProperty);
    if (objId >= 0)
        query.SQL() << QStringLiteral("AND ObjID = %1").arg(objId);
    if (intProperty >= 0)
        query.SQL() << QStringLiteral("AND IntProperty = %1").arg(intProperty);
    query.Open();
    for (; !query.Eof(); query.Next()) {
        if (query.FieldByName(QStringLiteral("StrProperty")).AsString() == text)
            return;
    }
    query.Close();
    query.SetRequestLive(true);
    query.SetSQL({QStringLiteral("SELECT * FROM GENERIC")});
    query.Open();
    query.Append();
    query.FieldByName(QStringLiteral("PropertyType")).SetAsInteger(kProviderNameProperty);
    if (objId >= 0)
        query.FieldByName(QStringLiteral("ObjID")).SetAsInteger(objId);
    query.FieldByName(QStringLiteral("StrProperty")).SetAsString(text);
    if (intProperty >= 0)
        query.FieldByName(QStringLiteral("IntProperty")).SetAsInteger(intProperty);
    query.Post();
}
