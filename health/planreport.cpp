#include "planreport.h"

#include "formmedhistrept.h"
#include "insuranceentry.h"
#include "reportlayout.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/currencytext.h"
#include "records/common/recordtext.h"

#include <array>

namespace {

constexpr double kNone = -1.0;
constexpr int kNoteWidth = 50;
// From the value's column to the band's right edge.
constexpr double kValueWidthPoints = 540 - 178;

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QString::fromLatin1(name));
}

QString AccountTypeText(qint32 type)
{
    switch (type) {
    case 1: return QStringLiteral("Medical Insurance");
    case 2: return QStringLiteral("Dental Insurance");
    case 3: return QStringLiteral("Vision Insurance");
    case 4: return QStringLiteral("Drug Insurance");
    case 6: return QStringLiteral("Others");
    default: return {};
    }
}

QString PlainNumber(double value)
{
    return QString::number(value, 'g', 15);
}

// A plan changed to "no co-payment" keeps the figure it had in Copay, which
// is not its co-payment any more.
QString CopayText(TDataSet& account)
{
    const double copay = Field(account, "Copay").AsFloat();
    switch (CopayChoiceOf(Field(account, "CopayType").AsInteger())) {
    case kFixedCopay: return CurrencyText(copay);
    case kPercentCopay: return PlainNumber(copay) + QLatin1Char('%');
    default: return QStringLiteral("No co-payment.");
    }
}

QString PremiumText(TDataSet& account)
{
    static const std::array<QString, 4> units = {QStringLiteral(" year(s)"), QStringLiteral(" month(s)"),
                                                 QStringLiteral(" week(s)"), QStringLiteral(" day(s)")};
    const qint32 unit = Field(account, "PremiumTUnit").AsInteger();
    QString text = CurrencyText(Field(account, "Premium").AsFloat()) + QStringLiteral(" per ")
                   + QString::number(Field(account, "PremiumTime").AsInteger());
    if (unit >= 0 && unit < static_cast<qint32>(units.size()))
        text += units[static_cast<size_t>(unit)];
    return text;
}

QString AmountOrNone(TDataSet& account, const char* field, const QString& none)
{
    const double amount = Field(account, field).AsFloat();
    return amount == kNone ? none : CurrencyText(amount);
}

QString DateText(TDateTime date)
{
    return date == 0 ? QString() : DateToStr(date);
}

void AppendRow(TTable& table, const TPlanRow& row)
{
    table.Append();
    table.FieldByName(QStringLiteral("Category")).SetAsString(row.category);
    table.FieldByName(QStringLiteral("Column1")).SetAsString(row.caption);
    table.FieldByName(QStringLiteral("Column3")).SetAsString(row.value);
    table.Post();
}

}  // namespace

QString CoveredMembersText(qint32 accountId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT P.FirstName, P.MiddleName, P.LastName FROM MEDCOVER C")
                << QStringLiteral("JOIN MEDPROF P ON P.MemberID = C.MemberID")
                << QStringLiteral("WHERE C.AccountID = %1").arg(accountId) << QStringLiteral("ORDER BY C.rowid");
    QString text;
    for (query.Open(); !query.Eof(); query.Next()) {
        text += Field(query, "FirstName").AsString() + QLatin1Char(' ') + Field(query, "MiddleName").AsString()
                + QLatin1Char(' ') + Field(query, "LastName").AsString() + QStringLiteral("; ");
    }
    return text;
}

std::vector<TPlanRow> InsurancePlanRows(qint32 accountId)
{
    TQuery account(DataFolder);
    account.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    account.Open();
    if (account.Eof())
        return {};
    const QString category = Field(account, "AccountName").AsString() + QStringLiteral(" Insurance");
    const QString noLimit = QStringLiteral("No limit.");
    const QString noDeductible = QStringLiteral("No deductible.");
    const std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("Account Type:"), AccountTypeText(Field(account, "AccountType").AsInteger())},
        {QStringLiteral("Subscriber Number:"), Field(account, "SubscriberNum").AsString()},
        {QStringLiteral("Group Number:"), Field(account, "GroupNumber").AsString()},
        {QStringLiteral("Effective Date:"), DateText(Field(account, "EffDate").AsDateTime())},
        {QStringLiteral("Copay:"), CopayText(account)},
        {QStringLiteral("Premium:"), PremiumText(account)},
        {QStringLiteral("Max. Annual Benefit for Individual:"), AmountOrNone(account, "IndAnnualMax", noLimit)},
        {QStringLiteral("Max. Lifetime Benefit for Individual:"), AmountOrNone(account, "IndLifeMax", noLimit)},
        {QStringLiteral("Max. Annual Benefit for Family:"), AmountOrNone(account, "FamAnnualMax", noLimit)},
        {QStringLiteral("Max. Lifetime Benefit for Family:"), AmountOrNone(account, "FamLifeMax", noLimit)},
        {QStringLiteral("Annual Deductible for Individual:"), AmountOrNone(account, "IndDeduct", noDeductible)},
        {QStringLiteral("Annual Deductible for Family:"), AmountOrNone(account, "FamDeduct", noDeductible)},
        {QStringLiteral("Covered Members:"), CoveredMembersText(accountId)},
    };
    std::vector<TPlanRow> plan;
    for (const auto& [caption, value] : rows)
        plan.push_back({category, caption, value});
    return plan;
}

std::vector<TPlanRow> FsaPlanRows(const TKeyedItem& fsa)
{
    TQuery years(DataFolder);
    years.SQL() << QStringLiteral("SELECT * FROM MEDYEAR") << QStringLiteral("WHERE AccountID = %1").arg(fsa.key)
                << QStringLiteral("ORDER BY rowid");
    const QString category = QStringLiteral("FSA with ") + fsa.text;
    std::vector<TPlanRow> plan;
    for (years.Open(); !years.Eof(); years.Next()) {
        QString line1;
        QString line2;
        WrapWords(Field(years, "Note").AsLines(), kNoteWidth, line1, line2);
        plan.push_back({category, QStringLiteral("Year: "), QString::number(Field(years, "ForYear").AsInteger())});
        plan.push_back({category, QStringLiteral("Elected Amount: "), CurrencyText(Field(years, "Amount").AsFloat())});
        plan.push_back({category, QStringLiteral("Note: "), line1});
        if (!line2.isEmpty())
            plan.push_back({category, QString(), line2});
    }
    return plan;
}

void FillPlanReport(const TPlanChoice& choice)
{
    TTransaction transaction(DataFolder);
    TTable table(DataFolder, QStringLiteral("CpRept.DB"));
    table.EmptyTable();
    table.Open();
    if (choice.insurance) {
        for (const qint32 accountId : choice.insuranceIds)
            for (const TPlanRow& row : InsurancePlanRows(accountId))
                AppendRow(table, row);
    }
    if (choice.fsas) {
        for (const TKeyedItem& fsa : choice.fsaItems)
            for (const TPlanRow& row : FsaPlanRows(fsa))
                AppendRow(table, row);
    }
    table.Close();
    transaction.Commit();
}

void PrintPlanReport(const TPlanChoice& choice)
{
    FillPlanReport(choice);
    TFormMedHistRept form(DataFolder);
    form.RpLabel1.SetCaption(QStringLiteral("Insurance/FSA Report"));
    form.SetMemberLines({});
    form.RpBand1.Size().SetHeight(Pt(40));
    form.RpBand2.Size().SetHeight(Pt(20));
    // The value takes the room of the empty columns after it.
    TRpPrintableSize& value = form.Columns[2]->Size();
    value.SetWidth(Pt(kValueWidthPoints));
    form.Preview();
}
