#include "medpayments.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/genericprops.h"
#include "records/common/storedcents.h"

#include <cstdlib>

namespace {

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QLatin1String(name));
}

std::vector<TNamedKey> ReadNamedKeys(const QStringList& sql, const char* keyField, const char* nameField)
{
    TQuery query(DataFolder);
    query.SetSQL(sql);
    std::vector<TNamedKey> keys;
    for (query.Open(); !query.Eof(); query.Next())
        keys.push_back({Field(query, keyField).AsInteger(), Field(query, nameField).AsString()});
    return keys;
}

std::optional<qint32> OptionalInteger(TDataSet& data, const char* name)
{
    TField& field = Field(data, name);
    if (field.IsNull())
        return std::nullopt;
    return field.AsInteger();
}

bool IsNegative(qint64 cents)
{
    return cents < 0;
}

// A part that became the difference may not be below zero.
TPaymentCheck Adjusted(TPayAdjustment adjustment, qint64 insurance, qint64 outOfPocket)
{
    TPaymentCheck check;
    if (IsNegative(insurance) || IsNegative(outOfPocket)) {
        check.refusal = TPaymentRefusal::Unbalanced;
        return check;
    }
    check.adjustment = adjustment;
    check.insurance = insurance;
    check.outOfPocket = outOfPocket;
    return check;
}

qint32 AppendInsurer(const QString& name)
{
    try {
        TQuery query(DataFolder);
        query.SetRequestLive(true);
        query.SQL() << QStringLiteral("SELECT * FROM Category");
        query.Open();
        query.Append();
        Field(query, "CategoryType").SetAsInteger(kInsurerCategoryType);
        Field(query, "CategoryName").SetAsString(name);
        query.Post();
        return Field(query, "CategoryNo").AsInteger();
    } catch (const EDatabaseError&) {
        throw EInsurerNotCreated();
    }
}

qint32 InsurerNumber(const QString& name)
{
    if (name.isEmpty())
        return 0;
    if (const std::optional<qint32> found = FindInsurer(name))
        return *found;
    return AppendInsurer(name);
}

void SetContact(TBizAddr& row, const QString& name, const TBizContact& contact)
{
    row.businessName = name;
    row.categoryNo = kPaymentAddressCategory;
    row.phone1 = contact.phone1;
    row.fax = contact.fax;
    row.addr = contact.addr;
    row.city = contact.city;
    row.state = contact.state;
    row.zip = contact.zip;
}

// The record's row is updated only while it still bears the name; a record
// without a row gets one when it holds a value. Keeps whatever else the
// address book stored in the row.
void WriteAddress(const QString& name, TPayAddress& address)
{
    if (address.bizId != 0) {
        TBizAddr row;
        if (ReadBizAddr(address.bizId, row) && row.businessName == name) {
            SetContact(row, name, address.contact);
            UpdateBizAddr(address.bizId, row);
        }
        return;
    }
    if (address.contact.IsEmpty())
        return;
    TBizAddr row;
    SetContact(row, name, address.contact);
    address.bizId = AppendBizAddr(row);
}

void OpenPaymentRow(TQuery& query, qint32& medId)
{
    query.SetRequestLive(true);
    if (medId != 0) {
        query.SQL() << QStringLiteral("SELECT * FROM MEDPAY WHERE MedID = %1").arg(medId);
        query.Open();
        if (!query.Eof()) {
            query.Edit();
            return;
        }
        // Deleted meanwhile: saved as a new payment.
        medId = 0;
        query.Close();
        query.SQL().clear();
    }
    query.SQL() << QStringLiteral("SELECT * FROM MEDPAY");
    query.Open();
    query.Append();
}

}  // namespace

const QStringList& CoverageNames()
{
    static const QStringList names = {QStringLiteral("<none>"), QStringLiteral("Medical plan"),
                                      QStringLiteral("Dental plan"), QStringLiteral("Vision plan"),
                                      QStringLiteral("Drug plan")};
    return names;
}

std::vector<TNamedKey> ReadPatients()
{
    return ReadNamedKeys({QStringLiteral("SELECT * FROM GENERIC"),
                          QStringLiteral("WHERE PropertyType = %1").arg(kPatientProperty),
                          QStringLiteral("ORDER BY ObjID")},
                         "ObjID", "StrProperty");
}

std::vector<TNamedKey> ReadInsurers()
{
    return ReadNamedKeys({QStringLiteral("SELECT * FROM Category"),
                          QStringLiteral("WHERE CategoryType = %1").arg(kInsurerCategoryType)},
                         "CategoryNo", "CategoryName");
}

std::optional<qint32> FindInsurer(const QString& name)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM Category")
                << QStringLiteral("WHERE CategoryType = %1").arg(kInsurerCategoryType)
                << QStringLiteral("AND CategoryName = :CategoryName");
    query.ParamByName(QStringLiteral("CategoryName")).SetAsString(name);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return Field(query, "CategoryNo").AsInteger();
}

std::optional<TPayment> LoadPayment(qint32 medId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM MEDPAY WHERE MedID = %1").arg(medId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TPayment payment;
    payment.serviceDate = Field(query, "ServiceDate").AsDateTime();
    payment.patientId = OptionalInteger(query, "UserID");
    payment.coverage = OptionalInteger(query, "InsuranceType");
    payment.insurerNo = OptionalInteger(query, "InsuranceID");
    payment.provider = Field(query, "Doctor").AsString();
    payment.totalCents = ReadStoredCents(query, "TotalExpense");
    payment.insuranceCents = ReadStoredCents(query, "InsCovered");
    payment.outOfPocketCents = ReadStoredCents(query, "NotCovered");
    payment.note = Field(query, "Note").AsLines();
    payment.insAddrId = Field(query, "InsAddrID").AsInteger();
    payment.docAddrId = Field(query, "DocAddrID").AsInteger();
    return payment;
}

TPaymentCheck BalanceAmounts(const TPayAmounts& amounts)
{
    const qint64 total = amounts.total;
    if (total == amounts.insurance + amounts.outOfPocket)
        return Adjusted(TPayAdjustment::None, amounts.insurance, amounts.outOfPocket);
    if (amounts.outOfPocket == 0 || !amounts.outOfPocketEdited)
        return Adjusted(TPayAdjustment::OutOfPocket, amounts.insurance, total - amounts.insurance);
    if (amounts.insurance == 0 || !amounts.insuranceEdited)
        return Adjusted(TPayAdjustment::Insurance, total - amounts.outOfPocket, amounts.outOfPocket);
    TPaymentCheck check;
    check.refusal = TPaymentRefusal::Unbalanced;
    return check;
}

TPaymentCheck CheckPayment(const TPaymentEntry& entry, TDateTime today)
{
    const auto refused = [](TPaymentRefusal refusal) {
        TPaymentCheck check;
        check.refusal = refusal;
        return check;
    };
    if (entry.dateState == TPayDateState::Blank)
        return refused(TPaymentRefusal::ServiceDateBlank);
    if (entry.dateState == TPayDateState::NotADate)
        return refused(TPaymentRefusal::ServiceDateNotADate);
    if (DateOf(entry.serviceDate) > DateOf(today))
        return refused(TPaymentRefusal::FutureServiceDate);
    if (entry.patientId < 0)
        return refused(TPaymentRefusal::NoPatient);
    if (entry.provider.trimmed().isEmpty())
        return refused(TPaymentRefusal::NoProvider);
    if (IsNegative(entry.amounts.total))
        return refused(TPaymentRefusal::NegativeTotal);
    if (IsNegative(entry.amounts.insurance))
        return refused(TPaymentRefusal::NegativeInsurance);
    if (IsNegative(entry.amounts.outOfPocket))
        return refused(TPaymentRefusal::NegativeOutOfPocket);
    return BalanceAmounts(entry.amounts);
}

QString PaymentRefusalText(TPaymentRefusal refusal)
{
    switch (refusal) {
    case TPaymentRefusal::ServiceDateBlank: return QStringLiteral("Please enter the service date.");
    case TPaymentRefusal::ServiceDateNotADate: return {};
    case TPaymentRefusal::FutureServiceDate: return QStringLiteral("The service date cannot be a future date.");
    case TPaymentRefusal::NoPatient: return QStringLiteral("Please select patient's name from the list.");
    case TPaymentRefusal::NoProvider:
        return QStringLiteral("Please enter the name of the health provider (doctor, hospital or pharmacy).");
    case TPaymentRefusal::NegativeTotal:
        return QStringLiteral("Does not allow negative amount for the total amount charged.");
    case TPaymentRefusal::NegativeInsurance:
        return QStringLiteral("Does not allow negative amount for the amount paid by insurance.");
    case TPaymentRefusal::NegativeOutOfPocket:
        return QStringLiteral("Does not allow negative amount for the out of pocket payment.");
    case TPaymentRefusal::Unbalanced: break;
    }
    return QStringLiteral("Total amount should be equal to the sum of  insurance payment and out of pocket payment.");
}

QString AdjustedAmountText(qint64 cents)
{
    const qint64 whole = std::llabs(cents) / 100;
    const qint64 fraction = std::llabs(cents) % 100;
    const QString text = QStringLiteral("%1%2.%3")
                             .arg(cents < 0 ? QStringLiteral("-") : QString())
                             .arg(whole)
                             .arg(fraction, 2, 10, QLatin1Char('0'));
    return text.rightJustified(10, QLatin1Char(' '));
}

QString AdjustmentText(const TPaymentCheck& check)
{
    switch (check.adjustment) {
    case TPayAdjustment::OutOfPocket:
        return QStringLiteral("The Out of pocket payment will be automatically adjusted to ")
               + AdjustedAmountText(check.outOfPocket);
    case TPayAdjustment::Insurance:
        return QStringLiteral("The amount paid by insurance will be automatically adjusted to ")
               + AdjustedAmountText(check.insurance);
    case TPayAdjustment::None: break;
    }
    return {};
}

EInsurerNotCreated::EInsurerNotCreated()
    : std::runtime_error("Cannot create database record for a new insurance company.")
{
}

TSavedPayment SavePayment(qint32 medId, const TPaymentEntry& entry, const TPaymentCheck& check)
{
    TTransaction transaction(DataFolder);
    TSavedPayment saved;
    // Blanks typed around a name would make a second company of the same name.
    const QString insurer = entry.insurer.trimmed();
    const bool insurerNamed = !insurer.isEmpty();
    saved.insurerNo = InsurerNumber(insurer);
    AddGenericText(entry.coverage, saved.insurerNo, entry.provider);

    saved.insurerAddress = entry.insurerAddress;
    saved.providerAddress = entry.providerAddress;
    if (insurerNamed) {
        LookupBizAddr(insurer, kPaymentAddressCategory, saved.insurerAddress.bizId, saved.insurerAddress.contact);
        WriteAddress(insurer, saved.insurerAddress);
    } else {
        // No insurer, no insurer's address.
        saved.insurerAddress = {};
    }
    LookupBizAddr(entry.provider, kPaymentAddressCategory, saved.providerAddress.bizId, saved.providerAddress.contact);
    WriteAddress(entry.provider, saved.providerAddress);

    saved.medId = medId;
    TQuery query(DataFolder);
    OpenPaymentRow(query, saved.medId);
    Field(query, "ServiceDate").SetAsDateTime(DateOf(entry.serviceDate));
    Field(query, "UserID").SetAsInteger(entry.patientId);
    Field(query, "InsuranceType").SetAsInteger(entry.coverage);
    Field(query, "InsuranceID").SetAsInteger(saved.insurerNo);
    Field(query, "Doctor").SetAsString(entry.provider);
    WriteStoredCents(query, "TotalExpense", entry.amounts.total);
    WriteStoredCents(query, "InsCovered", check.insurance);
    WriteStoredCents(query, "NotCovered", check.outOfPocket);
    if (entry.note.isEmpty())
        Field(query, "Note").Clear();
    else
        Field(query, "Note").SetAsLines(entry.note);
    Field(query, "InsAddrID").SetAsInteger(saved.insurerAddress.bizId);
    Field(query, "DocAddrID").SetAsInteger(saved.providerAddress.bizId);
    query.Post();
    saved.medId = Field(query, "MedID").AsInteger();
    transaction.Commit();
    return saved;
}

void DeletePayment(qint32 medId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM MEDPAY WHERE MedID = %1").arg(medId);
    query.ExecSQL();
}
