#include "fieldstorage.h"

#include "formatsettings.h"

#include <climits>
#include <cmath>

namespace {

bool IsNumber(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void RaiseInvalid(const QVariant& value, const char* what, const QString& fieldName)
{
    throw EDatabaseError(QStringLiteral("'%1' is not a valid %2 for field %3")
                             .arg(value.toString(), QLatin1String(what), fieldName));
}

QVariant StoredInteger(const QVariant& value, const QString& fieldName)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float) {
        const double d = std::round(value.toDouble());
        if (!(std::abs(d) < 9.2e18))
            RaiseInvalid(value, "integer value", fieldName);
        return static_cast<qlonglong>(d);
    }
    bool ok = false;
    const qlonglong n = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
        RaiseInvalid(value, "integer value", fieldName);
    return n;
}

QVariant StoredFloat(const QVariant& value, const QString& fieldName)
{
    bool ok = false;
    const double d = IsNumber(value) ? value.toDouble(&ok) : value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        RaiseInvalid(value, "floating point value", fieldName);
    return d;
}

QVariant StoredBoolean(const QVariant& value, const QString& fieldName)
{
    if (value.metaType().id() == QMetaType::Bool || IsNumber(value))
        return value.toDouble() != 0.0 ? 1 : 0;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return 1;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return 0;
    RaiseInvalid(value, "Boolean value", fieldName);
}

QVariant StoredDate(const QVariant& value, const QString& fieldName)
{
    if (IsNumber(value))
        return FieldStorage::IsoDate(value.toDouble());
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(Qt::ISODate);
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    TDateTime date = 0.0;
    if (TryStrToDate(text, date))
        return FieldStorage::IsoDate(date);
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    if (!iso.isValid())
        RaiseInvalid(value, "date", fieldName);
    return iso.toString(Qt::ISODate);
}

}  // namespace

namespace FieldStorage {

TFieldType KindOfDeclaredType(const QString& declaredType)
{
    const QString type = declaredType.trimmed().toUpper();
    if (type.startsWith(QLatin1String("SMALLINT")))
        return TFieldType::SmallInt;
    if (type.startsWith(QLatin1String("INT")))
        return TFieldType::Integer;
    if (type.startsWith(QLatin1String("REAL")) || type.startsWith(QLatin1String("FLOAT"))
        || type.startsWith(QLatin1String("DOUBLE")))
        return TFieldType::Float;
    if (type.startsWith(QLatin1String("BOOLEAN")))
        return TFieldType::Boolean;
    if (type == QLatin1String("DATE"))
        return TFieldType::Date;
    if (type.startsWith(QLatin1String("VARCHAR")) || type.startsWith(QLatin1String("CHAR")))
        return TFieldType::String;
    if (type == QLatin1String("TEXT"))
        return TFieldType::Memo;
    return TFieldType::Unknown;
}

TFieldType KindOfValue(const QVariant& stored)
{
    switch (stored.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return TFieldType::Integer;
    case QMetaType::Double:
        return TFieldType::Float;
    default:
        return TFieldType::String;
    }
}

QVariant ToProgram(const QVariant& stored, TFieldType kind)
{
    if (stored.isNull())
        return {};
    switch (kind) {
    case TFieldType::Integer:
    case TFieldType::SmallInt: {
        bool ok = false;
        const qlonglong n = stored.toLongLong(&ok);
        return ok && n >= INT_MIN && n <= INT_MAX ? QVariant(static_cast<int>(n)) : stored;
    }
    case TFieldType::Float: {
        bool ok = false;
        const double d = stored.toDouble(&ok);
        return ok ? QVariant(d) : stored;
    }
    case TFieldType::Boolean:
        return stored.toBool();
    case TFieldType::Date: {
        const QDate date = QDate::fromString(stored.toString(), Qt::ISODate);
        return date.isValid() ? QVariant(FromQDate(date)) : QVariant();
    }
    case TFieldType::String:
    case TFieldType::Memo:
        return stored.toString();
    case TFieldType::Unknown:
        break;
    }
    return stored;
}

QVariant ToStored(const QVariant& value, TFieldType kind, const QString& fieldName)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (kind) {
    case TFieldType::Integer:
    case TFieldType::SmallInt:
        return StoredInteger(value, fieldName);
    case TFieldType::Float:
        return StoredFloat(value, fieldName);
    case TFieldType::Boolean:
        return StoredBoolean(value, fieldName);
    case TFieldType::Date:
        return StoredDate(value, fieldName);
    case TFieldType::String:
    case TFieldType::Memo:
        return value.toString();
    case TFieldType::Unknown:
        break;
    }
    return value;
}

QString IsoDate(TDateTime value)
{
    return ToQDate(value).toString(Qt::ISODate);
}

}  // namespace FieldStorage
