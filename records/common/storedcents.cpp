#include "storedcents.h"

#include "controls/moneyedit.h"
#include "platform/dataset.h"

qint64 ReadStoredCents(TDataSet& data, const char* fieldName)
{
    TField& field = data.FieldByName(QString::fromLatin1(fieldName));
    const std::optional<qint64> cents = AmountToCents(field.AsFloat());
    if (!cents)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid amount for field %2").arg(field.AsString(), field.FieldName()));
    return *cents;
}

void WriteStoredCents(TDataSet& data, const char* fieldName, qint64 cents)
{
    data.FieldByName(QString::fromLatin1(fieldName)).SetAsFloat(static_cast<double>(cents) / 100.0);
}
