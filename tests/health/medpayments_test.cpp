#include "health/medpayments.h"

#include "medpayenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace MedPayEnv;

TPayAmounts Amounts(qint64 total, qint64 insurance, qint64 outOfPocket, bool insuranceEdited, bool outOfPocketEdited)
{
    return {total, insurance, outOfPocket, insuranceEdited, outOfPocketEdited};
}

TEST(PaymentBalance, EmptyOutOfPocketBecomesTheDifferenceWithItsAmountInTenCharacters)
{
    const TPaymentCheck check = BalanceAmounts(Amounts(100'00, 80'00, 0, true, false));
    ASSERT_FALSE(check.refusal);
    EXPECT_EQ(check.adjustment, TPayAdjustment::OutOfPocket);
    EXPECT_EQ(check.insurance, 80'00);
    EXPECT_EQ(check.outOfPocket, 20'00);
    EXPECT_EQ(AdjustmentText(check), QStringLiteral("The Out of pocket payment will be automatically adjusted to      20.00"));
}

TEST(PaymentBalance, UntouchedInsuranceBecomesTheDifference)
{
    const TPaymentCheck check = BalanceAmounts(Amounts(100'00, 0, 60'00, false, true));
    ASSERT_FALSE(check.refusal);
    EXPECT_EQ(check.adjustment, TPayAdjustment::Insurance);
    EXPECT_EQ(check.insurance, 40'00);
    EXPECT_EQ(check.outOfPocket, 60'00);
    EXPECT_EQ(AdjustmentText(check), QStringLiteral("The amount paid by insurance will be automatically adjusted to      40.00"));
}

TEST(PaymentBalance, OutOfPocketTypedAsZeroIsStillAdjustedFirst)
{
    const TPaymentCheck check = BalanceAmounts(Amounts(19'99, 19'70, 0, true, true));
    EXPECT_EQ(check.adjustment, TPayAdjustment::OutOfPocket);
    EXPECT_EQ(check.outOfPocket, 29);
}

TEST(PaymentBalance, InsuranceTypedAsZeroIsAdjustedWhenOutOfPocketWasTyped)
{
    const TPaymentCheck check = BalanceAmounts(Amounts(100'00, 0, 60'00, true, true));
    EXPECT_EQ(check.adjustment, TPayAdjustment::Insurance);
    EXPECT_EQ(check.insurance, 40'00);
}

TEST(PaymentBalance, BothPartsTypedAndUnbalancedAreRefused)
{
    const TPaymentCheck check = BalanceAmounts(Amounts(100'00, 30'00, 50'00, true, true));
    ASSERT_TRUE(check.refusal);
    EXPECT_EQ(*check.refusal, TPaymentRefusal::Unbalanced);
    EXPECT_EQ(PaymentRefusalText(*check.refusal),
              QStringLiteral("Total amount should be equal to the sum of  insurance payment and out of pocket payment."));
}

TEST(PaymentBalance, AnAdjustmentBelowZeroIsRefused)
{
    EXPECT_EQ(BalanceAmounts(Amounts(50'00, 80'00, 0, true, false)).refusal, TPaymentRefusal::Unbalanced);
    EXPECT_EQ(BalanceAmounts(Amounts(50'00, 0, 50'01, false, true)).refusal, TPaymentRefusal::Unbalanced);
}

TEST(PaymentBalance, CentsThatAddUpPassUnchanged)
{
    // 19.99 = 19.70 + 0.29 is not exact in binary floating point.
    const TPaymentCheck check = BalanceAmounts(Amounts(19'99, 19'70, 29, true, true));
    EXPECT_FALSE(check.refusal);
    EXPECT_EQ(check.adjustment, TPayAdjustment::None);
    EXPECT_EQ(AdjustmentText(check), QString());
}

TEST(PaymentBalance, AdjustedAmountIsRightAlignedWithoutSeparators)
{
    EXPECT_EQ(AdjustedAmountText(5), QStringLiteral("      0.05"));
    EXPECT_EQ(AdjustedAmountText(1234567'89), QStringLiteral("1234567.89"));
    EXPECT_EQ(AdjustedAmountText(999999'99), QStringLiteral(" 999999.99"));
}

class PaymentCheckTest : public ::testing::Test {
protected:
    TPaymentEntry Entry() const
    {
        TPaymentEntry entry;
        entry.dateState = TPayDateState::Set;
        entry.serviceDate = EncodeDate(2024, 2, 29);
        entry.patientId = 0;
        entry.provider = QStringLiteral("Dr. O'Neil");
        entry.amounts = Amounts(100'00, 80'00, 20'00, true, true);
        return entry;
    }
    std::optional<TPaymentRefusal> Refusal(const TPaymentEntry& entry) const { return CheckPayment(entry, today_).refusal; }

    TDateTime today_ = EncodeDate(2024, 6, 15);
};

TEST_F(PaymentCheckTest, ServiceDateIsCheckedFirst)
{
    TPaymentEntry entry = Entry();
    entry.patientId = -1;
    entry.dateState = TPayDateState::Blank;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::ServiceDateBlank);
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::ServiceDateBlank), QStringLiteral("Please enter the service date."));
    entry.dateState = TPayDateState::NotADate;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::ServiceDateNotADate);
    entry.dateState = TPayDateState::Set;
    entry.serviceDate = EncodeDate(2024, 6, 16);
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::FutureServiceDate);
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::FutureServiceDate),
              QStringLiteral("The service date cannot be a future date."));
    // Today, late in the day, is not the future.
    entry.serviceDate = EncodeDate(2024, 6, 15) + 0.9;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NoPatient);
}

TEST_F(PaymentCheckTest, PatientThenProviderThenAmountsInOrder)
{
    TPaymentEntry entry = Entry();
    EXPECT_EQ(Refusal(entry), std::nullopt);
    entry.provider = QStringLiteral("   ");
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NoProvider);
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::NoProvider),
              QStringLiteral("Please enter the name of the health provider (doctor, hospital or pharmacy)."));
    entry.patientId = -1;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NoPatient);
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::NoPatient), QStringLiteral("Please select patient's name from the list."));

    entry = Entry();
    entry.amounts = Amounts(-1, -1, -1, true, true);
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NegativeTotal);
    entry.amounts.total = 0;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NegativeInsurance);
    entry.amounts.insurance = 0;
    EXPECT_EQ(Refusal(entry), TPaymentRefusal::NegativeOutOfPocket);
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::NegativeTotal),
              QStringLiteral("Does not allow negative amount for the total amount charged."));
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::NegativeInsurance),
              QStringLiteral("Does not allow negative amount for the amount paid by insurance."));
    EXPECT_EQ(PaymentRefusalText(TPaymentRefusal::NegativeOutOfPocket),
              QStringLiteral("Does not allow negative amount for the out of pocket payment."));
}

class PaymentDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        AddPatient(7, QStringLiteral("Anne \"Nan\" O'Hara"));
        AddPatient(3, QStringLiteral("Anne"));
        AddPatient(5, QStringLiteral("Anne"));
    }
    void TearDown() override { DataFolder.clear(); }

    TPaymentEntry Entry(const QString& insurer) const
    {
        TPaymentEntry entry;
        entry.dateState = TPayDateState::Set;
        entry.serviceDate = EncodeDate(2024, 1, 31);
        entry.patientId = 7;
        entry.provider = QStringLiteral("Dr. \"Bob\" O'Neil");
        entry.coverage = 2;
        entry.insurer = insurer;
        entry.amounts = Amounts(19'99, 19'70, 29, true, true);
        entry.note = {QStringLiteral("first"), QStringLiteral("second")};
        return entry;
    }
    static TSavedPayment Save(qint32 medId, const TPaymentEntry& entry)
    {
        const TPaymentCheck check = CheckPayment(entry, EncodeDate(2024, 6, 15));
        EXPECT_FALSE(check.refusal);
        return SavePayment(medId, entry, check);
    }
    static QStringList Row(qint32 medId)
    {
        return Column(QStringLiteral("SELECT ServiceDate || '|' || UserID || '|' || InsuranceType || '|' || InsuranceID "
                                     "|| '|' || Doctor || '|' || TotalExpense || '|' || InsCovered || '|' || NotCovered "
                                     "|| '|' || IFNULL(Note, '-') || '|' || InsAddrID || '|' || DocAddrID "
                                     "FROM MEDPAY WHERE MedID = %1").arg(medId));
    }

    FreshDataFolder folder_;
};

TEST_F(PaymentDataTest, PatientsComeByIdAndInsurersOnlyOfTheirType)
{
    const std::vector<TNamedKey> patients = ReadPatients();
    ASSERT_EQ(patients.size(), 3u);
    EXPECT_EQ(patients[0].key, 3);
    EXPECT_EQ(patients[1].key, 5);
    EXPECT_EQ(patients[2].key, 7);
    EXPECT_EQ(patients[2].name, QStringLiteral("Anne \"Nan\" O'Hara"));

    const qint32 blue = AddInsurer(QStringLiteral("Blue \"Shield\""));
    const std::vector<TNamedKey> insurers = ReadInsurers();
    ASSERT_EQ(insurers.size(), 1u);  // the delivered categories are of another type
    EXPECT_EQ(insurers[0].key, blue);
}

TEST_F(PaymentDataTest, InsurerIsFoundByItsExactNameOnly)
{
    const qint32 blue = AddInsurer(QStringLiteral("Blue \"Shield\" O'Brien"));
    EXPECT_EQ(FindInsurer(QStringLiteral("Blue \"Shield\" O'Brien")), blue);
    // A name that is a column's name matched every row when it was joined
    // into the statement between double quotes.
    EXPECT_EQ(FindInsurer(QStringLiteral("CategoryName")), std::nullopt);
    EXPECT_EQ(FindInsurer(QStringLiteral("blue \"shield\" o'brien")), std::nullopt);
    // The delivered category of the same name is not an insurance company.
    EXPECT_EQ(FindInsurer(QStringLiteral("Insurance Companies")), std::nullopt);
}

TEST_F(PaymentDataTest, NewPaymentIsWrittenInCents)
{
    const TSavedPayment saved = Save(0, Entry(QString()));
    ASSERT_GT(saved.medId, 0);
    EXPECT_EQ(saved.insurerNo, 0);
    const QString date = Column(QStringLiteral("SELECT '' || ServiceDate FROM MEDPAY")).value(0);
    EXPECT_EQ(Row(saved.medId), QStringList{date + QStringLiteral("|7|2|0|Dr. \"Bob\" O'Neil|19.99|19.7|0.29|first\nsecond|0|0")});
    EXPECT_EQ(LoadPayment(saved.medId)->serviceDate, EncodeDate(2024, 1, 31));
    // The provider joins the list of its coverage and insurer, once.
    Save(0, Entry(QString()));
    EXPECT_EQ(Column(QStringLiteral("SELECT ObjID || ':' || IntProperty || ':' || StrProperty FROM GENERIC "
                                    "WHERE PropertyType = 201")),
              QStringList{QStringLiteral("2:0:Dr. \"Bob\" O'Neil")});
}

TEST_F(PaymentDataTest, NewInsurerIsAddedOnceAndReused)
{
    const TSavedPayment first = Save(0, Entry(QStringLiteral("Acme \"Health\" O'Day")));
    const TSavedPayment second = Save(0, Entry(QStringLiteral("Acme \"Health\" O'Day")));
    EXPECT_GT(first.insurerNo, 0);
    EXPECT_EQ(second.insurerNo, first.insurerNo);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM CATEGORY WHERE CategoryType = 2")), 1);
    EXPECT_EQ(Column(QStringLiteral("SELECT DISTINCT InsuranceID FROM MEDPAY")), QStringList{QString::number(first.insurerNo)});
}

TEST_F(PaymentDataTest, EditChangesOnlyThatRowAndAGoneRowIsAppended)
{
    const qint32 first = Save(0, Entry(QString())).medId;
    const qint32 second = Save(0, Entry(QString())).medId;
    const QStringList untouched = Row(second);
    TPaymentEntry entry = Entry(QString());
    entry.patientId = 3;
    entry.note.clear();
    entry.amounts = Amounts(29, 0, 29, false, true);
    EXPECT_EQ(Save(first, entry).medId, first);
    EXPECT_EQ(Row(second), untouched);
    const std::optional<TPayment> edited = LoadPayment(first);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->patientId, 3);
    EXPECT_EQ(edited->totalCents, 29);
    EXPECT_EQ(edited->insuranceCents, 0);
    EXPECT_EQ(edited->note, QStringList());
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDPAY WHERE MedID = %1 AND Note IS NULL").arg(first)), 1);

    DeletePayment(first);
    EXPECT_FALSE(LoadPayment(first));
    EXPECT_EQ(Row(second), untouched);
    const qint32 again = Save(first, entry).medId;
    EXPECT_NE(again, first);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDPAY")), 2);
}

TEST_F(PaymentDataTest, AddressRowsAreWrittenOnlyWithAValue)
{
    TPaymentEntry entry = Entry(QStringLiteral("Acme"));
    entry.providerAddress.contact.phone1 = QStringLiteral("555-0199");
    entry.providerAddress.contact.city = QStringLiteral("Salem");
    const TSavedPayment saved = Save(0, entry);
    EXPECT_EQ(saved.insurerAddress.bizId, 0);
    ASSERT_GT(saved.providerAddress.bizId, 0);
    EXPECT_EQ(Column(QStringLiteral("SELECT CategoryNo || '|' || BusinessName || '|' || Phone1 || '|' || City "
                                    "FROM BIZADDR WHERE BizId = %1").arg(saved.providerAddress.bizId)),
              QStringList{QStringLiteral("6|Dr. \"Bob\" O'Neil|555-0199|Salem")});
    EXPECT_EQ(Row(saved.medId).value(0).section(QLatin1Char('|'), -2),
              QStringLiteral("0|%1").arg(saved.providerAddress.bizId));

    // The next payment of that provider finds the row and updates it in place.
    TPaymentEntry next = Entry(QStringLiteral("Acme"));
    next.providerAddress.bizId = saved.providerAddress.bizId;
    next.providerAddress.contact.phone1 = QStringLiteral("555-0100");
    const TSavedPayment again = Save(0, next);
    EXPECT_EQ(again.providerAddress.bizId, saved.providerAddress.bizId);
    EXPECT_EQ(Column(QStringLiteral("SELECT Phone1 || '|' || IFNULL(City, '') FROM BIZADDR WHERE BizId = %1").arg(again.providerAddress.bizId)),
              QStringList{QStringLiteral("555-0100|")});
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE CategoryNo = 6")), 1);
}

TEST_F(PaymentDataTest, AnInsurerThatCannotBeRecordedSavesNothing)
{
    MakeDatabaseReadOnly(DataFolder);
    const TPaymentEntry entry = Entry(QStringLiteral("Brand New Mutual"));
    const TPaymentCheck check = CheckPayment(entry, EncodeDate(2024, 6, 15));
    EXPECT_THROW(SavePayment(0, entry, check), EInsurerNotCreated);
    EXPECT_EQ(QString::fromStdString(EInsurerNotCreated().what()),
              QStringLiteral("Cannot create database record for a new insurance company."));
    // Any other failure is the database's own.
    EXPECT_THROW(
        {
            try {
                SavePayment(0, Entry(QString()), check);
            } catch (const EInsurerNotCreated&) {
                ADD_FAILURE() << "not an insurer's failure";
            }
        },
        EDatabaseError);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDPAY")), 0);
}

TEST_F(PaymentDataTest, AFailingPaymentRowTakesTheInsurerAndProviderBack)
{
    // The payment row fails after the insurer and the provider were written.
    TQuery drop(DataFolder);
    drop.SQL() << QStringLiteral("CREATE TRIGGER NoPay BEFORE INSERT ON MEDPAY BEGIN SELECT RAISE(ABORT, 'full'); END");
    drop.ExecSQL();
    const TPaymentEntry entry = Entry(QStringLiteral("Acme"));
    EXPECT_THROW(Save(0, entry), EDatabaseError);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM CATEGORY WHERE CategoryType = 2")), 0);
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM GENERIC WHERE PropertyType = 201")), 0);
}

}  // namespace
