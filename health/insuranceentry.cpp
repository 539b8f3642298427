#include "insuranceentry.h"

#include <QtNumeric>


namespace {

constexpr qint32 kOthersAccountType = 6;
constexpr int kOthersIndex = 4;

bool PremiumGiven(const TInsurancePlan& entry)
{
    return entry.premiumCents.has_value();
}

// A premium needs how long it lasts and in what unit.
bool PremiumTermMissing(const TInsurancePlan& entry)
{
    return PremiumGiven(entry) && (entry.premiumTime == 0 || entry.premiumUnit < 0);
}

bool AmountMissing(const TAmountChoice& amount)
{
    return amount.choice == 1 && !amount.cents;
}

std::optional<TInsuranceRefusal> CheckDeductibles(const TInsurancePlan& entry)
{
    if (AmountMissing(entry.indDeduct))
        return TInsuranceRefusal::IndDeductEmpty;
    if (entry.indDeduct.choice == 1 && entry.indDeduct.cents == 0)
        return TInsuranceRefusal::IndDeductZero;
    if (AmountMissing(entry.famDeduct))
        return TInsuranceRefusal::FamDeductEmpty;
    if (entry.famDeduct.choice == 1 && entry.famDeduct.cents == 0)
        return TInsuranceRefusal::FamDeductZero;
    return std::nullopt;
}

std::optional<TInsuranceRefusal> CheckLimits(const TInsurancePlan& entry)
{
    if (AmountMissing(entry.indAnnual))
        return TInsuranceRefusal::IndAnnual;
    if (AmountMissing(entry.famAnnual))
        return TInsuranceRefusal::FamAnnual;
    if (AmountMissing(entry.indLife))
        return TInsuranceRefusal::IndLife;
    if (AmountMissing(entry.famLife))
        return TInsuranceRefusal::FamLife;
    return std::nullopt;
}

std::optional<TInsuranceRefusal> CheckCopayAndDeductibles(const TInsurancePlan& entry, bool zeroPercentMissing)
{
    const bool percentMissing =
        !entry.copayPercent || (zeroPercentMissing && *entry.copayPercent == 0);
    if (entry.copayChoice == kPercentCopay && percentMissing)
        return TInsuranceRefusal::CopayPercent;
    if (entry.copayChoice == kFixedCopay && !entry.copayCents)
        return TInsuranceRefusal::CopayAmount;
    return CheckDeductibles(entry);
}

QString Money(std::optional<qint64> cents)
{
    return CurrencyTextOfCents(cents.value_or(0));
}

QString Money(const TCentsSum& sum)
{
    return sum.Text();
}

QString LimitText(const TAmountChoice& limit)
{
    if (limit.choice == 0)
        return QStringLiteral("No limit");
    if (limit.cents.value_or(0) <= 0)
        return QStringLiteral("Maximum amount is not available.");
    return QStringLiteral("Maximum amount is: ") + Money(limit.cents);
}

// The amount left of a plan's amount; nothing when the box is empty (the
// plan's amount is not known) or the difference is too big to show.
std::optional<qint64> Remaining(const TAmountChoice& amount, const TCentsSum& used)
{
    qint64 remaining = 0;
    if (amount.choice != 1 || !amount.cents || !used.Cents() || qSubOverflow(*amount.cents, *used.Cents(), &remaining))
        return std::nullopt;
    return remaining;
}

QString RemainingText(qint64 cents, const QString& warning, QStringList& warnings)
{
    if (cents < 0)
        warnings << warning;
    return CurrencyTextOfCents(cents);
}

QString NegativeWarning(const char* what)
{
    return QStringLiteral("The remaining of %1 is negative. Please double check your expense record.").arg(QLatin1String(what));
}

}  // namespace

QString InsuranceRefusalText(TInsuranceRefusal refusal)
{
    switch (refusal) {
    case TInsuranceRefusal::Type: return QStringLiteral("Please select the insurance type.");
    case TInsuranceRefusal::Company: return QStringLiteral("Please enter the Insurance Company.");
    case TInsuranceRefusal::EffDate: return QStringLiteral("Please enter the effective date.");
    case TInsuranceRefusal::CoveredMembers:
        return QStringLiteral("You must select the members covered by this insurance account.");
    case TInsuranceRefusal::PremiumTime: return QStringLiteral("Please enter how long this premium apply.");
    case TInsuranceRefusal::PremiumAmount: return QStringLiteral("Please enter how much this premium apply.");
    case TInsuranceRefusal::CopayPercent: return QStringLiteral("Please enter the percentage of co-payment.");
    case TInsuranceRefusal::CopayAmount: return QStringLiteral("Please enter the amount of co-payment.");
    case TInsuranceRefusal::IndDeductEmpty: return QStringLiteral("Please enter the individual deductible amount.");
    case TInsuranceRefusal::IndDeductZero:
        return QStringLiteral("If the deductible amount is zero, please check \"no deductible\" instead. Or, please "
                              "enter the individual deductible amount");
    case TInsuranceRefusal::FamDeductEmpty: return QStringLiteral("Please enter the family deductible amount.");
    case TInsuranceRefusal::FamDeductZero:
        return QStringLiteral("If the deductible amount is zero, please check \"no deductible\" instead. Or, please "
                              "enter the family deductible amount");
    case TInsuranceRefusal::IndAnnual:
        return QStringLiteral("Please enter the maximum amount of annual benefit per individual");
    case TInsuranceRefusal::FamAnnual: return QStringLiteral("Please enter the maximum amount of annual benefit per family");
    case TInsuranceRefusal::IndLife:
        return QStringLiteral("Please enter the maximum amount of lifetime benefit per individual");
    case TInsuranceRefusal::FamLife: break;
    }
    return QStringLiteral("Please enter the maximum amount of lifetime benefit per family");
}

TInsurancePage InsuranceRefusalPage(TInsuranceRefusal refusal)
{
    if (refusal <= TInsuranceRefusal::PremiumAmount)
        return kPageAccountInfo;
    if (refusal <= TInsuranceRefusal::FamDeductZero)
        return kPageCopayDeduct;
    return kPageBenefitLimit;
}

std::optional<TInsuranceRefusal> CheckInsuranceSave(const TInsurancePlan& entry, int coveredMembers)
{
    if (entry.typeIndex < 0)
        return TInsuranceRefusal::Type;
    if (entry.companyName.isEmpty())
        return TInsuranceRefusal::Company;
    if (!entry.effDate)
        return TInsuranceRefusal::EffDate;
    if (coveredMembers == 0)
        return TInsuranceRefusal::CoveredMembers;
    if (PremiumTermMissing(entry))
        return TInsuranceRefusal::PremiumTime;
    // A premium left empty with "year(s)" is saved; a page change refuses it.
    if (entry.premiumUnit > 0 && !PremiumGiven(entry))
        return TInsuranceRefusal::PremiumAmount;
    if (const auto refusal = CheckCopayAndDeductibles(entry, false))
        return refusal;
    return CheckLimits(entry);
}

std::optional<TInsuranceRefusal> CheckInsurancePageLeave(const TInsurancePlan& entry, TInsurancePage page)
{
    switch (page) {
    case kPageAccountInfo:
        if (PremiumTermMissing(entry))
            return TInsuranceRefusal::PremiumTime;
        if (entry.premiumUnit >= 0 && !PremiumGiven(entry))
            return TInsuranceRefusal::PremiumAmount;
        return std::nullopt;
    case kPageCopayDeduct: return CheckCopayAndDeductibles(entry, true);
    case kPageBenefitLimit: return CheckLimits(entry);
    case kPageCoverage: break;
    }
    return std::nullopt;
}

qint32 StoredAccountType(int typeIndex)
{
    return typeIndex == kOthersIndex ? kOthersAccountType : typeIndex + 1;
}

int AccountTypeIndex(qint32 accountType)
{
    if (accountType == kOthersAccountType)
        return kOthersIndex;
    return accountType >= 1 && accountType <= 4 ? accountType - 1 : -1;
}

qint32 StoredCopayType(int copayChoice)
{
    switch (copayChoice) {
    case kFixedCopay: return 0;
    case kPercentCopay: return 1;
    default: return 2;
    }
}

int CopayChoiceOf(qint32 copayType)
{
    switch (copayType) {
    case 0: return kFixedCopay;
    case 1: return kPercentCopay;
    default: return kNoCopay;
    }
}

TStatusTexts CoverageLimitTexts(const TInsurancePlan& entry, bool adding)
{
    if (adding) {
        return {QStringList{QStringLiteral("Individual dedutible status area.")},
                QStringList{QStringLiteral("Family dedutcible status area")},
                QStringList{QStringLiteral("Individual annual benefit statue area")},
                QStringList{QStringLiteral("Family annual benefit status area")},
                QStringList{QStringLiteral("Individual lifetime benefit statue area")},
                QStringList{QStringLiteral("Family lifetime benefit statue area")}};
    }
    const QString deductible = QStringLiteral("Deductible amount is: ");
    return {QStringList{entry.indDeduct.choice == 1 ? deductible + Money(entry.indDeduct.cents)
                                                    : QStringLiteral("No deductible.")},
            QStringList{entry.famDeduct.choice == 1 ? deductible + Money(entry.famDeduct.cents)
                                                    : QStringLiteral("No deducible")},
            QStringList{LimitText(entry.indAnnual)}, QStringList{LimitText(entry.famAnnual)},
            QStringList{LimitText(entry.indLife)},   QStringList{LimitText(entry.famLife)}};
}

std::optional<TRemainingTexts> RemainingAmountTexts(const TInsurancePlan& entry,
                                                    const std::vector<TMemberSpending>& spending)
{
    if (spending.empty())
        return std::nullopt;
    TRemainingTexts texts;
    TStatusTexts& memo = texts.memos;
    QStringList& warnings = texts.warnings;
    TCentsSum familyPaid;
    TCentsSum familySpent;
    for (const TMemberSpending& member : spending) {
        familyPaid.Add(member.deductiblePaid);
        familySpent.Add(member.spent);
        memo[kMemoIndDeduct] << member.firstName + QLatin1Char(':')
                             << QStringLiteral("Paid: ") + Money(member.deductiblePaid);
        const QString spent = member.firstName + QStringLiteral(" spent ") + Money(member.spent);
        memo[kMemoIndAnnual] << spent;
        memo[kMemoIndLife] << spent;
        if (const auto left = Remaining(entry.indDeduct, member.deductiblePaid))
            memo[kMemoIndDeduct] << QStringLiteral("Remaining ")
                                        + RemainingText(*left, NegativeWarning("individual deductible amount"), warnings);
        const QString remains = member.firstName + QStringLiteral("\t remains ");
        if (const auto left = Remaining(entry.indAnnual, member.spent))
            memo[kMemoIndAnnual] << remains + RemainingText(*left, NegativeWarning("individual annual benefit"), warnings);
        if (const auto left = Remaining(entry.indLife, member.spent))
            memo[kMemoIndLife] << remains + RemainingText(*left, NegativeWarning("individual lifetime benefit"), warnings);
    }
    const QString remaining = QStringLiteral("Remaining :");
    memo[kMemoFamDeduct] << QStringLiteral("Paid: ") + Money(familyPaid);
    if (const auto left = Remaining(entry.famDeduct, familyPaid))
        memo[kMemoFamDeduct] << remaining + RemainingText(*left, NegativeWarning("family deductible amount"), warnings);
    const QString total = QStringLiteral("Family total spending: ") + Money(familySpent);
    memo[kMemoFamAnnual] << total;
    if (const auto left = Remaining(entry.famAnnual, familySpent))
        memo[kMemoFamAnnual] << remaining + RemainingText(*left, NegativeWarning("family annual benefit"), warnings);
    memo[kMemoFamLife] << total;
    if (const auto left = Remaining(entry.famLife, familySpent))
        memo[kMemoFamLife] << remaining + RemainingText(*left, NegativeWarning("family lifetime benefit"), warnings);
    return texts;
}
