#include "medpayenv.h"

#include "context/context.h"
#include "health/medpayments.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

namespace MedPayEnv {

void AddPatient(qint32 id, const QString& name)
{
    AppendRow(DataFolder, QStringLiteral("GENERIC"), {}, [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("PropertyType")).SetAsInteger(kPatientProperty);
        row.FieldByName(QStringLiteral("ObjID")).SetAsInteger(id);
        row.FieldByName(QStringLiteral("StrProperty")).SetAsString(name);
    });
}

qint32 AddInsurer(const QString& name)
{
    return AppendRow(DataFolder, QStringLiteral("CATEGORY"), QStringLiteral("CategoryNo"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("CategoryType")).SetAsInteger(kInsurerCategoryType);
        row.FieldByName(QStringLiteral("CategoryName")).SetAsString(name);
    });
}

qint32 AddPayment(TDateTime serviceDate, qint32 patient, qint32 coverage, qint32 insurer, const QString& provider,
                  double total, double insurance, double outOfPocket)
{
    return AppendRow(DataFolder, QStringLiteral("MEDPAY"), QStringLiteral("MedID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(serviceDate);
        row.FieldByName(QStringLiteral("UserID")).SetAsInteger(patient);
        row.FieldByName(QStringLiteral("InsuranceType")).SetAsInteger(coverage);
        row.FieldByName(QStringLiteral("InsuranceID")).SetAsInteger(insurer);
        row.FieldByName(QStringLiteral("Doctor")).SetAsString(provider);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(total);
        row.FieldByName(QStringLiteral("InsCovered")).SetAsFloat(insurance);
        row.FieldByName(QStringLiteral("NotCovered")).SetAsFloat(outOfPocket);
    });
}

QStringList Column(const QString& sql)
{
    return ColumnOf(DataFolder, sql);
}

qint64 CountOf(const QString& sql)
{
    return Column(sql).value(0).toLongLong();
}

}  // namespace MedPayEnv
