#include "medpaystatement.h"

#include "context/context.h"
#include "medpayments.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/currencytext.h"
#include "records/common/genericprops.h"
#include "records/common/recordtext.h"
#include "records/common/tablelookups.h"

namespace {

constexpr int kMoneyWidth = 11;
constexpr int kFilterTextLength = 35;
constexpr qint64 kLargestTotalCents = 1'000'000'000;

void Narrow(TQuery& query, const char* column, qint32 value)
{
    if (value > 0)
        query.SQL() << QStringLiteral("  AND %1 = %2").arg(QLatin1String(column)).arg(value);
}

// The amount's column text, the amount added to its total; a null amount
// leaves both empty.
QString Add(TCentsSum& sum, TField& field)
{
    if (field.IsNull())
        return {};
    const double amount = field.AsFloat();
    sum.Add(amount);
    return FormatMoney(kMoneyWidth, amount);
}

}  // namespace

TPayFilter PayFilter;
qint16 PayStatementYear = 1997;

qint16 StatementYearShown(TDateTime today)
{
    if (PayStatementYear == 0)
        PayStatementYear = static_cast<qint16>(DecodeDate(today).year);
    return PayStatementYear;
}

TStatement LoadStatement(const TPayFilter& filter, int year)
{
    TStatement statement;
    if (filter.patient < 0)
        return statement;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM Medpay") << QStringLiteral("  WHERE ServiceDate >= :BeginDate")
                << QStringLiteral("  AND ServiceDate <= :EndDate");
    Narrow(query, "UserID", filter.patient);
    Narrow(query, "InsuranceType", filter.coverage);
    Narrow(query, "InsuranceID", filter.company);
    // The key keeps payments of one day in the order they were entered.
    query.SQL() << QStringLiteral("  ORDER BY ServiceDate, MedID");
    query.ParamByName(QStringLiteral("BeginDate")).SetAsDate(EncodeDate(year, 1, 1));
    query.ParamByName(QStringLiteral("EndDate")).SetAsDate(EncodeDate(year, 12, 31));
    query.Open();
    TField& medId = query.FieldByName(QStringLiteral("MedID"));
    TField& date = query.FieldByName(QStringLiteral("ServiceDate"));
    TField& doctor = query.FieldByName(QStringLiteral("Doctor"));
    TField& total = query.FieldByName(QStringLiteral("TotalExpense"));
    TField& insurance = query.FieldByName(QStringLiteral("InsCovered"));
    TField& outOfPocket = query.FieldByName(QStringLiteral("NotCovered"));
    TCentsSum totalSum, insuranceSum, outOfPocketSum;
    statement.rows.reserve(static_cast<size_t>(query.RecordCount()));
    for (; !query.Eof(); query.Next()) {
        TStatementRow row;
        row.medId = medId.AsInteger();
        row.date = DateToStr(date.AsDateTime());
        row.provider = doctor.AsString();
        row.total = Add(totalSum, total);
        row.insurance = Add(insuranceSum, insurance);
        row.outOfPocket = Add(outOfPocketSum, outOfPocket);
        statement.rows.push_back(std::move(row));
    }
    statement.totals = {totalSum.Cents(), insuranceSum.Cents(), outOfPocketSum.Cents()};
    return statement;
}

bool TotalTooBig(const std::optional<qint64>& cents)
{
    return !cents || *cents > kLargestTotalCents;
}

QString TotalTooBigText(int column)
{
    switch (column) {
    case 0: return QStringLiteral("-$1.00 means total amount is too big to show in the box.");
    case 1: return QStringLiteral("-$1.00 means total insurance payment is too big to show in the box.");
    default: break;
    }
    return QStringLiteral("-$1.00 means total out of pocket payment is too big to show in the box.");
}

QString FilterText(bool allFirst, const QString& patient, qint32 coverage, const QString& company)
{
    if (allFirst)
        return QStringLiteral("All");
    QString text = patient;
    if (coverage > 0 && coverage < CoverageNames().size())
        text += QStringLiteral(", ") + CoverageNames().at(coverage);
    if (!company.isEmpty())
        text += QLatin1Char('@') + company;
    if (text.size() > kFilterTextLength)
        text = text.left(kFilterTextLength) + QStringLiteral("....");
    return text;
}

QString FilterTextOf(const TPayFilter& filter)
{
    const bool allFirst = filter.patient == 0 && filter.coverage == 0 && filter.company == 0;
    if (allFirst)
        return FilterText(true, {}, 0, {});
    QString patient = QStringLiteral("All members");
    if (filter.patient != 0)
        ReadGenericStr(kPatientProperty, filter.patient, patient);
    const QString company = filter.company > 0 ? GetCategoryName(kInsurerCategoryType, filter.company) : QString();
    return FilterText(false, patient, filter.coverage, company);
}
