#pragma once
// The statement of medical payments: per service the patient, the provider,
// the kind of coverage and the insurer, and three amounts that must add up:
// the total charged, the part paid by insurance and the out-of-pocket part.
// Amounts are whole cents. Every routine that reads or writes raises
// EDatabaseError when the database fails.
#include "platform/datetime.h"
#include "records/common/bizaddr.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

// The patients of the payments: generic properties of this type, ObjID the
// patient's id.
inline constexpr qint16 kPatientProperty = 301;
// The insurance companies of the payments: categories of this type.
inline constexpr qint32 kInsurerCategoryType = 2;
// The business category of the providers' and insurers' addresses.
inline constexpr qint32 kPaymentAddressCategory = 6;

// "<none>", "Medical plan", "Dental plan", "Vision plan", "Drug plan"; the
// index is the stored coverage type.
const QStringList& CoverageNames();

struct TNamedKey {
    qint32 key = 0;
    QString name;
};

// The patients by id.
std::vector<TNamedKey> ReadPatients();
// The insurance companies as stored.
std::vector<TNamedKey> ReadInsurers();
// The insurance company of that exact name (bound, so any name is safe).
std::optional<qint32> FindInsurer(const QString& name);

// A provider's or insurer's address record: the business row it belongs to
// (0 none) and its six values.
struct TPayAddress {
    qint32 bizId = 0;
    TBizContact contact;
};

// A payment as stored; the three keys are none when the row holds null.
struct TPayment {
    TDateTime serviceDate = 0.0;
    std::optional<qint32> patientId;
    std::optional<qint32> coverage;
    std::optional<qint32> insurerNo;
    QString provider;
    qint64 totalCents = 0;
    qint64 insuranceCents = 0;
    qint64 outOfPocketCents = 0;
    QStringList note;
    qint32 insAddrId = 0;
    qint32 docAddrId = 0;
};

// None when the row is gone.
std::optional<TPayment> LoadPayment(qint32 medId);

// The three amounts as typed, and whether the user ever edited the two parts.
struct TPayAmounts {
    qint64 total = 0;
    qint64 insurance = 0;
    qint64 outOfPocket = 0;
    bool insuranceEdited = false;
    bool outOfPocketEdited = false;
};

enum class TPayDateState { Set, Blank, NotADate };

// What the user entered in the payment dialog.
struct TPaymentEntry {
    TPayDateState dateState = TPayDateState::Blank;
    TDateTime serviceDate = 0.0;
    qint32 patientId = -1;  // -1: none selected
    QString provider;
    qint32 coverage = 0;
    QString insurer;
    TPayAmounts amounts;
    QStringList note;
    TPayAddress providerAddress;
    TPayAddress insurerAddress;
};

// Why an entry cannot be saved, in the order the user is told.
enum class TPaymentRefusal {
    ServiceDateBlank,
    ServiceDateNotADate,  // told by the date-entry warning
    FutureServiceDate,
    NoPatient,
    NoProvider,
    NegativeTotal,
    NegativeInsurance,
    NegativeOutOfPocket,
    Unbalanced,
};

enum class TPayAdjustment { None, OutOfPocket, Insurance };

// The outcome of the checks: a refusal, or the amounts to save, one part
// perhaps adjusted so that the three add up.
struct TPaymentCheck {
    std::optional<TPaymentRefusal> refusal;
    TPayAdjustment adjustment = TPayAdjustment::None;
    qint64 insurance = 0;
    qint64 outOfPocket = 0;
};

TPaymentCheck CheckPayment(const TPaymentEntry& entry, TDateTime today);
// The balance alone: an unbalanced part the user left empty or never
// touched becomes the difference (the out-of-pocket part first).
TPaymentCheck BalanceAmounts(const TPayAmounts& amounts);
QString PaymentRefusalText(TPaymentRefusal refusal);
// The information that a part was adjusted, with its new amount.
QString AdjustmentText(const TPaymentCheck& check);
// Two decimals right-aligned in ten characters, no thousands separator.
QString AdjustedAmountText(qint64 cents);

// A new insurance company could not be recorded: the payment is not saved.
class EInsurerNotCreated : public std::runtime_error {
public:
    EInsurerNotCreated();
};

// What a save wrote, for the dialog to go on from.
struct TSavedPayment {
    qint32 medId = 0;
    qint32 insurerNo = 0;
    TPayAddress providerAddress;
    TPayAddress insurerAddress;
};

// Writes an entry that passed the checks, with the amounts the check gave:
// the insurer (appended when new), the provider in the list of its coverage
// and insurer, the address rows and the payment (appended for 0 or a row
// gone), all in one transaction. Raises EInsurerNotCreated when a new
// insurer cannot be appended, EDatabaseError for any other failure; nothing
// is written then.
TSavedPayment SavePayment(qint32 medId, const TPaymentEntry& entry, const TPaymentCheck& check);

// Deletes one payment.
void DeletePayment(qint32 medId);
