#pragma once
// What the insurance account dialog holds, the checks a save and a page
// change make, and the texts of its six status memos. No database here:
// the dialog fills an entry from its controls and shows what comes back.
#include "accountspending.h"
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The pages of the dialog, in order.
enum TInsurancePage { kPageAccountInfo, kPageCopayDeduct, kPageBenefitLimit, kPageCoverage };

// The choices of the co-payment group.
enum TCopayChoice { kNoCopay, kFixedCopay, kPercentCopay };

// A radio group of "none" (0) and "amount" (1) with the amount box beside it.
struct TAmountChoice {
    int choice = 0;
    std::optional<qint64> cents;   // nothing: the box is empty
    bool operator==(const TAmountChoice&) const = default;
};

struct TInsurancePlan {
    int typeIndex = -1;   // "Medical Plan" .. "Others", -1 none chosen
    QString companyName;
    std::optional<TDateTime> effDate;
    QString subscriberNum;
    QString groupNumber;
    std::optional<qint64> premiumCents;
    qint32 premiumTime = 0;   // 0: the field is empty
    int premiumUnit = -1;     // "year(s)" .. "day(s)", -1 none chosen
    int copayChoice = kNoCopay;
    std::optional<qint64> copayCents;
    std::optional<double> copayPercent;
    TAmountChoice indDeduct, famDeduct;
    TAmountChoice indAnnual, famAnnual, indLife, famLife;
    qint32 addrId = 0;
    QStringList note;
    bool operator==(const TInsurancePlan&) const = default;
};

// Why an entry cannot be saved or its page left, in the order checked.
enum class TInsuranceRefusal {
    Type, Company, EffDate, CoveredMembers, PremiumTime, PremiumAmount, CopayPercent, CopayAmount,
    IndDeductEmpty, IndDeductZero, FamDeductEmpty, FamDeductZero, IndAnnual, FamAnnual, IndLife, FamLife,
};

QString InsuranceRefusalText(TInsuranceRefusal refusal);
// The page that shows the control at fault.
TInsurancePage InsuranceRefusalPage(TInsuranceRefusal refusal);

// The first reason a save is refused.
std::optional<TInsuranceRefusal> CheckInsuranceSave(const TInsurancePlan& entry, int coveredMembers);
// The first reason the page may not be left; the coverage page has none.
std::optional<TInsuranceRefusal> CheckInsurancePageLeave(const TInsurancePlan& entry, TInsurancePage page);

// The stored codes of the choices, both ways.
qint32 StoredAccountType(int typeIndex);
int AccountTypeIndex(qint32 accountType);
qint32 StoredCopayType(int copayChoice);
int CopayChoiceOf(qint32 copayType);

// The six memos, in this order.
enum TStatusMemo { kMemoIndDeduct, kMemoFamDeduct, kMemoIndAnnual, kMemoFamAnnual, kMemoIndLife, kMemoFamLife };
using TStatusTexts = std::array<QStringList, 6>;

// What the memos say before any spending is known: placeholders when adding,
// the plan's terms when editing.
TStatusTexts CoverageLimitTexts(const TInsurancePlan& entry, bool adding);

struct TRemainingTexts {
    TStatusTexts memos;
    QStringList warnings;   // one for each negative remaining amount, in order
};
// The paid and remaining amounts of the year; nothing when nobody spent
// (the memos keep what they say). A remaining amount is computed only
// against an amount the box holds.
std::optional<TRemainingTexts> RemainingAmountTexts(const TInsurancePlan& entry,
                                                    const std::vector<TMemberSpending>& spending);
