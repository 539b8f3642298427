#include "dataset.h"

#include "formatsettings.h"

#include <cmath>
#include <limits>

EDatabaseError::EDatabaseError(const QString& message, TDatabaseFault fault)
    : std::runtime_error(message.toStdString()), fault_(fault)
{
}

TField::TField(TDataSet& owner, int index, QString name, TFieldType type)
    : owner_(owner), index_(index), name_(std::move(name)), type_(type)
{
}

QVariant TField::Value() const
{
    return owner_.FieldValue(index_);
}

void TField::SetValue(const QVariant& value)
{
    owner_.SetFieldValue(index_, value);
}

bool TField::IsNull() const
{
    return Value().isNull();
}

QString TField::AsString() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    switch (type_) {
    case TFieldType::Date: return DateToStr(v.toDouble());
    case TFieldType::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

qint32 TField::AsInteger() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (type_ == TFieldType::Float) {
        const double d = std::round(v.toDouble());
        if (!(d >= std::numeric_limits<qint32>::min() && d <= std::numeric_limits<qint32>::max()))
            throw EDatabaseError(QStringLiteral("'%1' is not a valid integer value for field %2").arg(v.toString(), name_));
        return static_cast<qint32>(d);
    }
    bool ok = false;
    const qint32 n = v.toInt(&ok);
    if (!ok)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid integer value for field %2").arg(v.toString(), name_));
    return n;
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid floating point value for field %2").arg(v.toString(), name_));
    return d;
}

TDateTime TField::AsDateTime() const
{
    const QVariant v = Value();
    return v.isNull() ? 0.0 : v.toDouble();
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    return !v.isNull() && v.toBool();
}

QStringList TField::AsLines() const
{
    const QString text = AsString();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TField::SetAsString(const QString& value)
{
    SetValue(value);
}

void TField::SetAsInteger(qint32 value)
{
    SetValue(value);
}

void TField::SetAsFloat(double value)
{
    SetValue(value);
}

void TField::SetAsDateTime(TDateTime value)
{
    SetValue(value == 0.0 ? QVariant() : QVariant(DateOf(value)));
}

void TField::SetAsBoolean(bool value)
{
    SetValue(value);
}

void TField::SetAsLines(const QStringList& lines)
{
    SetValue(lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n'))));
}

void TField::Clear()
{
    SetValue(QVariant());
}

TDataSet::~TDataSet() = default;

TField& TDataSet::Fields(int index)
{
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(QStringLiteral("Field index out of range"));
    return *fields_[static_cast<size_t>(index)];
}

TField* TDataSet::FindField(const QString& name)
{
    for (const auto& field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const QString& name)
{
    if (TField* field = FindField(name))
        return *field;
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

void TDataSet::DefineFields(const std::vector<std::pair<QString, TFieldType>>& columns)
{
    fields_.clear();
    int index = 0;
    for (const auto& [name, type] : columns)
        fields_.push_back(std::make_unique<TField>(*this, index++, name, type));
}

void TDataSet::ClearFields()
{
    fields_.clear();
}
