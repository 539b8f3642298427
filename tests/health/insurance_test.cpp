// The insurance account's logic: the checks of a save and of a page change,
// the row written and read back, the covered members, the year's spending
// in whole cents and the texts of the six status memos.
#include "insuranceenv.h"

#include "health/insurancedata.h"
#include "records/common/bizaddr.h"

#include "context/context.h"
#include "platform/dataset.h"

#include <functional>

namespace {

using R = TInsuranceRefusal;

class Insurance : public InsuranceEnv {};

std::optional<R> SaveCheck(const std::function<void(TInsurancePlan&)>& change, int covered = 1)
{
    TInsurancePlan entry = GoodEntry();
    change(entry);
    return CheckInsuranceSave(entry, covered);
}

std::optional<R> LeaveCheck(TInsurancePage page, const std::function<void(TInsurancePlan&)>& change)
{
    TInsurancePlan entry = GoodEntry();
    change(entry);
    return CheckInsurancePageLeave(entry, page);
}

TEST(InsuranceChecks, ASaveIsRefusedForTheFirstMissingEntryInTheOrderTheUserIsTold)
{
    EXPECT_EQ(SaveCheck([](TInsurancePlan&) {}), std::nullopt);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.typeIndex = -1; e.companyName.clear(); }), R::Type);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.companyName.clear(); e.effDate.reset(); }), R::Company);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.effDate.reset(); }, 0), R::EffDate);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumCents = 29; }, 0), R::CoveredMembers);
    // A premium needs how long and in what unit.
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumCents = 29; e.premiumUnit = 1; }), R::PremiumTime);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumCents = 29; e.premiumTime = 1; }), R::PremiumTime);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumCents = 29; e.premiumTime = 1; e.premiumUnit = 0; }),
              std::nullopt);
    // "year(s)" without an amount is saved; any other unit is not.
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumUnit = 0; }), std::nullopt);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.premiumUnit = 3; }), R::PremiumAmount);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.copayChoice = kPercentCopay; }), R::CopayPercent);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.copayChoice = kPercentCopay; e.copayPercent = 0; }), std::nullopt);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.copayChoice = kFixedCopay; }), R::CopayAmount);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.copayChoice = kNoCopay; e.copayCents.reset(); }), std::nullopt);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.indDeduct = {1, std::nullopt}; }), R::IndDeductEmpty);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.indDeduct = {1, 0}; e.famDeduct = {1, 0}; }), R::IndDeductZero);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.famDeduct = {1, std::nullopt}; }), R::FamDeductEmpty);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.famDeduct = {1, 0}; }), R::FamDeductZero);
    EXPECT_EQ(SaveCheck([](TInsurancePlan& e) { e.famDeduct = {1, 29}; }), std::nullopt);
    // The limits in the order individual annual, family annual, individual
    // lifetime, family lifetime; a limit of 0.00 typed is an amount.
    const TAmountChoice empty{1, std::nullopt};
    EXPECT_EQ(SaveCheck([&](TInsurancePlan& e) { e.famLife = empty; e.indLife = empty; e.famAnnual = empty; e.indAnnual = empty; }),
              R::IndAnnual);
    EXPECT_EQ(SaveCheck([&](TInsurancePlan& e) { e.famLife = empty; e.indLife = empty; e.famAnnual = empty; }), R::FamAnnual);
    EXPECT_EQ(SaveCheck([&](TInsurancePlan& e) { e.famLife = empty; e.indLife = empty; }), R::IndLife);
    EXPECT_EQ(SaveCheck([&](TInsurancePlan& e) { e.famLife = empty; }), R::FamLife);
    EXPECT_EQ(SaveCheck([&](TInsurancePlan& e) { e.famLife = {1, 0}; }), std::nullopt);
}

TEST(InsuranceChecks, LeavingAPageChecksOnlyItsOwnEntriesAndIsStricterThanASave)
{
    EXPECT_EQ(LeaveCheck(kPageAccountInfo, [](TInsurancePlan& e) { e.typeIndex = -1; e.indDeduct = {1, 0}; }),
              std::nullopt);
    EXPECT_EQ(LeaveCheck(kPageAccountInfo, [](TInsurancePlan& e) { e.premiumUnit = 0; }), R::PremiumAmount);
    EXPECT_EQ(LeaveCheck(kPageAccountInfo, [](TInsurancePlan& e) { e.premiumCents = 1999; }), R::PremiumTime);
    EXPECT_EQ(LeaveCheck(kPageCopayDeduct, [](TInsurancePlan& e) { e.copayChoice = kPercentCopay; e.copayPercent = 0; }),
              R::CopayPercent);
    EXPECT_EQ(LeaveCheck(kPageCopayDeduct, [](TInsurancePlan& e) { e.copayChoice = kFixedCopay; }), R::CopayAmount);
    EXPECT_EQ(LeaveCheck(kPageCopayDeduct, [](TInsurancePlan& e) { e.famDeduct = {1, 0}; }), R::FamDeductZero);
    EXPECT_EQ(LeaveCheck(kPageCopayDeduct, [](TInsurancePlan& e) { e.indLife = {1, std::nullopt}; }), std::nullopt);
    EXPECT_EQ(LeaveCheck(kPageBenefitLimit, [](TInsurancePlan& e) { e.famAnnual = {1, std::nullopt}; }), R::FamAnnual);
    EXPECT_EQ(LeaveCheck(kPageCoverage, [](TInsurancePlan& e) { e.famAnnual = {1, std::nullopt}; }), std::nullopt);
}

TEST(InsuranceChecks, EachRefusalHasItsTextAndItsPage)
{
    EXPECT_EQ(InsuranceRefusalText(R::CoveredMembers),
              QStringLiteral("You must select the members covered by this insurance account."));
    EXPECT_EQ(InsuranceRefusalText(R::PremiumTime), QStringLiteral("Please enter how long this premium apply."));
    EXPECT_EQ(InsuranceRefusalText(R::FamDeductZero),
              QStringLiteral("If the deductible amount is zero, please check \"no deductible\" instead. Or, please enter "
                             "the family deductible amount"));
    EXPECT_EQ(InsuranceRefusalText(R::FamLife),
              QStringLiteral("Please enter the maximum amount of lifetime benefit per family"));
    EXPECT_EQ(InsuranceRefusalPage(R::CoveredMembers), kPageAccountInfo);
    EXPECT_EQ(InsuranceRefusalPage(R::PremiumAmount), kPageAccountInfo);
    EXPECT_EQ(InsuranceRefusalPage(R::CopayPercent), kPageCopayDeduct);
    EXPECT_EQ(InsuranceRefusalPage(R::FamDeductZero), kPageCopayDeduct);
    EXPECT_EQ(InsuranceRefusalPage(R::IndAnnual), kPageBenefitLimit);
}

TEST(InsuranceChecks, ChoicesAreStoredAsTheirCodes)
{
    EXPECT_EQ(StoredAccountType(0), 1);
    EXPECT_EQ(StoredAccountType(3), 4);
    EXPECT_EQ(StoredAccountType(4), 6);
    EXPECT_EQ(AccountTypeIndex(6), 4);
    EXPECT_EQ(AccountTypeIndex(5), -1);
    EXPECT_EQ(AccountTypeIndex(4), 3);
    EXPECT_EQ(StoredCopayType(kNoCopay), 2);
    EXPECT_EQ(StoredCopayType(kFixedCopay), 0);
    EXPECT_EQ(StoredCopayType(kPercentCopay), 1);
    for (int choice : {kNoCopay, kFixedCopay, kPercentCopay})
        EXPECT_EQ(CopayChoiceOf(StoredCopayType(choice)), choice);
}

TEST_F(Insurance, AnAccountWrittenReadsBackAsEnteredWithItsInsurerAndCoveredMembers)
{
    const qint32 john = AddMember(QStringLiteral("John"));
    const qint32 otherJohn = AddMember(QStringLiteral("John"));
    TInsurancePlan entry = GoodEntry();
    entry.typeIndex = 4;   // "Others"
    entry.subscriberNum = QStringLiteral("S-19'99");
    entry.groupNumber = QStringLiteral("G 29");
    entry.premiumCents = 1999;
    entry.premiumTime = 1;
    entry.premiumUnit = 1;
    entry.copayChoice = kFixedCopay;
    entry.copayCents = 29;
    entry.famDeduct = {1, 100000};
    entry.indAnnual = {1, 29};
    entry.famLife = {1, 123456789};
    entry.note = {QStringLiteral("Line one"), QStringLiteral("Line two")};
    CurAccountID = 0;
    const qint32 id = InsertInsuranceAccount(entry, {otherJohn, john});

    const qint32 insurer = FindBizAddrId(entry.companyName, kInsurerCategory);
    ASSERT_GT(insurer, 0);
    entry.addrId = insurer;
    EXPECT_EQ(LoadInsuranceAccount(id), entry);
    EXPECT_EQ(Dump(QStringLiteral("MEDINS"), QStringLiteral("AccountID")).last().section(QLatin1Char('|'), 1, 1),
              QStringLiteral("6"));
    EXPECT_EQ(ReadCoveredMembers(id), (std::vector<TKeyedItem>{{otherJohn, QStringLiteral("John")},
                                                              {john, QStringLiteral("John")}}));
    // A second account of that insurer finds the business, adds none.
    const qint32 second = InsertInsuranceAccount(entry, {});
    EXPECT_EQ(LoadInsuranceAccount(second)->addrId, insurer);
    EXPECT_EQ(Dump(QStringLiteral("BIZADDR"), QStringLiteral("BizId")).filter(entry.companyName).size(), 1);
    EXPECT_EQ(LoadInsuranceAccount(second + 1), std::nullopt);
}

TEST_F(Insurance, NoChoiceStoresMinusOneAndAStoredZeroLimitLoadsAsNotAvailable)
{
    TInsurancePlan entry = GoodEntry();
    entry.indDeduct = {0, 1999};   // the amount of a "no" choice is not kept
    entry.copayChoice = kPercentCopay;
    entry.copayPercent = 12.5;
    const qint32 id = InsertInsuranceAccount(entry, {});
    Execute(QStringLiteral("UPDATE MEDINS SET IndLifeMax = 0, FamAnnualMax = -0.5 WHERE AccountID = %1").arg(id));

    const TInsurancePlan loaded = *LoadInsuranceAccount(id);
    EXPECT_EQ(loaded.indDeduct, (TAmountChoice{0, std::nullopt}));
    EXPECT_EQ(loaded.indAnnual, (TAmountChoice{0, std::nullopt}));
    EXPECT_EQ(loaded.indLife, (TAmountChoice{1, std::nullopt}));
    EXPECT_EQ(loaded.famAnnual, (TAmountChoice{1, std::nullopt}));
    EXPECT_EQ(loaded.copayChoice, kPercentCopay);
    EXPECT_EQ(loaded.copayPercent, 12.5);
    EXPECT_EQ(loaded.premiumCents, std::nullopt);
    const TStatusTexts texts = CoverageLimitTexts(loaded, false);
    EXPECT_EQ(texts[kMemoIndDeduct], QStringList{"No deductible."});
    EXPECT_EQ(texts[kMemoFamDeduct], QStringList{"No deducible"});
    EXPECT_EQ(texts[kMemoIndAnnual], QStringList{"No limit"});
    EXPECT_EQ(texts[kMemoIndLife], QStringList{"Maximum amount is not available."});
    EXPECT_EQ(texts[kMemoFamAnnual], QStringList{"Maximum amount is not available."});

    TInsurancePlan priced = GoodEntry();
    priced.famDeduct = {1, 123456729};
    priced.famLife = {1, 29};
    const TStatusTexts terms = CoverageLimitTexts(priced, false);
    EXPECT_EQ(terms[kMemoIndDeduct], QStringList{"Deductible amount is: $19.99"});
    EXPECT_EQ(terms[kMemoFamDeduct], QStringList{"Deductible amount is: $1,234,567.29"});
    EXPECT_EQ(terms[kMemoFamLife], QStringList{"Maximum amount is: $0.29"});
}

TEST_F(Insurance, AnUpdateRewritesTheRowButKeepsTheCopayOfANoCopayChoice)
{
    TInsurancePlan entry = GoodEntry();
    entry.copayChoice = kFixedCopay;
    entry.copayCents = 2999;
    const qint32 id = InsertInsuranceAccount(entry, {});
    entry.copayChoice = kNoCopay;
    entry.copayCents.reset();
    entry.companyName = QStringLiteral("Renamed");
    entry.note.clear();
    UpdateInsuranceAccount(id, entry, {});
    const QStringList row = Dump(QStringLiteral("MEDINS"), QStringLiteral("AccountID")).last().split(QLatin1Char('|'));
    EXPECT_EQ(row[2], QStringLiteral("Renamed"));
    EXPECT_EQ(row[9], QStringLiteral("2"));       // CopayType
    EXPECT_EQ(row[10], QStringLiteral("29.99"));  // Copay as it was
    EXPECT_GT(FindBizAddrId(QStringLiteral("Renamed"), kInsurerCategory), 0);
    EXPECT_THROW(UpdateInsuranceAccount(id + 1, entry, {}), EDatabaseError);
}

TEST_F(Insurance, AnInsertThatFailsLeavesNeitherTheAccountNorItsInsurer)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    Execute(QStringLiteral("DROP TABLE MEDCOVER"));
    EXPECT_THROW(InsertInsuranceAccount(GoodEntry(), {ann}), EDatabaseError);
    EXPECT_TRUE(Dump(QStringLiteral("MEDINS"), QStringLiteral("AccountID")).isEmpty());
    EXPECT_EQ(FindBizAddrId(GoodEntry().companyName, kInsurerCategory), 0);
}

TEST_F(Insurance, CoveredMembersComeAndGoByKeyEvenWhenTwoShareAFirstName)
{
    const int delivered = CountMembers();
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const qint32 john = AddMember(QStringLiteral("John"));
    const qint32 otherJohn = AddMember(QStringLiteral("John"));
    EXPECT_EQ(CountMembers(), delivered + 3);
    const qint32 id = AddAccountRow(1, QStringLiteral("Plan"));
    AddCoveredMembers(id, {john});
    EXPECT_EQ(ReadMemberChoices({john}), (std::vector<TKeyedItem>{{ann, "Ann"}, {otherJohn, "John"}}));
    AddCoveredMembers(id, {otherJohn, ann});
    RemoveCoveredMembers(id, {john, ann});
    EXPECT_EQ(ReadCoveredMembers(id), (std::vector<TKeyedItem>{{otherJohn, "John"}}));
    // A member who is gone is no longer listed as covered.
    Execute(QStringLiteral("DELETE FROM MEDPROF WHERE MemberID = %1").arg(otherJohn));
    EXPECT_TRUE(ReadCoveredMembers(id).empty());
}

TEST_F(Insurance, TheYearsSpendingCountsItsLastDayButNotLastYearNorSplitsWithoutExpense)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    const qint32 bob = AddMember(QStringLiteral("Bob"));
    const qint32 plan = AddAccountRow(1, QStringLiteral("Plan"));
    const qint32 other = AddAccountRow(1, QStringLiteral("Other"));
    Spend(bob, EncodeDate(2024, 12, 31), plan, 19.99, 10.00);
    Spend(ann, EncodeDate(2024, 1, 1), plan, 0.29, 0.29);
    Spend(bob, EncodeDate(2024, 2, 29), plan, 0.01, 0);
    Spend(ann, EncodeDate(2023, 12, 31), plan, 500, 500);
    Spend(ann, EncodeDate(2025, 1, 1), plan, 500, 500);
    Spend(ann, EncodeDate(2024, 3, 1), other, 500, 500);
    AddSplitPaid(999999, plan, 700, 700);   // its expense is gone

    const std::vector<TMemberSpending> spending = SumAccountSpending(plan, 2024);
    ASSERT_EQ(spending.size(), 2u);
    EXPECT_EQ(spending[0].firstName, QStringLiteral("Bob"));
    EXPECT_EQ(spending[0].spent.Cents(), 2000);
    EXPECT_EQ(spending[0].deductiblePaid.Cents(), 1000);
    EXPECT_EQ(spending[1].memberId, ann);
    EXPECT_EQ(spending[1].spent.Cents(), 29);
    EXPECT_EQ(spending[1].deductiblePaid.Cents(), 29);
    EXPECT_TRUE(SumAccountSpending(plan, 2022).empty());
}

TEST_F(Insurance, APlanUsedUpExactlyRemainsZeroWithoutWarningAndOneExceededWarnsOnce)
{
    TInsurancePlan entry = GoodEntry();
    entry.indDeduct = {1, 2028};            // 19.99 + 0.29
    entry.famDeduct = {1, 2057};
    entry.indAnnual = {1, 2028};
    entry.famAnnual = {1, 2056};            // one cent short
    entry.indLife = {1, std::nullopt};      // not known: nothing remains
    const auto member = [](const char* name, qint64 spent, qint64 paid) {
        TMemberSpending m;
        m.firstName = QString::fromLatin1(name);
        for (qint64 cents : {spent - 29, qint64{29}})
            m.spent.Add(static_cast<double>(cents) / 100);
        m.deductiblePaid.Add(static_cast<double>(paid) / 100);
        return m;
    };
    const std::optional<TRemainingTexts> texts = RemainingAmountTexts(entry, {member("Ann", 2028, 2028), member("Bob", 29, 29)});
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->memos[kMemoIndDeduct],
              (QStringList{"Ann:", "Paid: $20.28", "Remaining $0.00", "Bob:", "Paid: $0.29", "Remaining $19.99"}));
    EXPECT_EQ(texts->memos[kMemoIndAnnual],
              (QStringList{"Ann spent $20.28", "Ann\t remains $0.00", "Bob spent $0.29", "Bob\t remains $19.99"}));
    EXPECT_EQ(texts->memos[kMemoIndLife], (QStringList{"Ann spent $20.28", "Bob spent $0.29"}));
    EXPECT_EQ(texts->memos[kMemoFamDeduct], (QStringList{"Paid: $20.57", "Remaining :$0.00"}));
    EXPECT_EQ(texts->memos[kMemoFamAnnual], (QStringList{"Family total spending: $20.57", "Remaining :-$0.01"}));
    EXPECT_EQ(texts->memos[kMemoFamLife], QStringList{"Family total spending: $20.57"});
    EXPECT_EQ(texts->warnings, QStringList{"The remaining of family annual benefit is negative. Please double check "
                                           "your expense record."});

    EXPECT_EQ(RemainingAmountTexts(entry, {}), std::nullopt);
}

TEST(InsuranceStatus, AddingShowsThePlaceholdersAsTheyStand)
{
    const TStatusTexts texts = CoverageLimitTexts(GoodEntry(), true);
    EXPECT_EQ(texts[kMemoIndDeduct], QStringList{"Individual dedutible status area."});
    EXPECT_EQ(texts[kMemoFamDeduct], QStringList{"Family dedutcible status area"});
    EXPECT_EQ(texts[kMemoIndAnnual], QStringList{"Individual annual benefit statue area"});
    EXPECT_EQ(texts[kMemoFamAnnual], QStringList{"Family annual benefit status area"});
    EXPECT_EQ(texts[kMemoIndLife], QStringList{"Individual lifetime benefit statue area"});
    EXPECT_EQ(texts[kMemoFamLife], QStringList{"Family lifetime benefit statue area"});
}

}  // namespace
