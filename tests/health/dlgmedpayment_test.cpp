#include "health/dlgmedcategory.h"
#include "health/dlgmedpayment.h"
#include "health/dlgphoneaddr.h"

#include "medpayenv.h"

#include "context/context.h"
#include "controls/efnumeric.h"
#include "controls/efpicture.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace MedPayEnv;

// Today in these tests: 15 June 2024.
const QDate kToday(2024, 6, 15);

class PaymentDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        Clock::SetFixed(QDateTime(kToday, QTime(10, 0)));
        AddPatient(7, QStringLiteral("Anne \"Nan\" O'Hara"));
        AddPatient(3, QStringLiteral("Anne"));
        AddPatient(5, QStringLiteral("Anne"));
        acme_ = AddInsurer(QStringLiteral("Acme \"Health\" O'Day"));
    }
    void TearDown() override
    {
        Clock::SetFixed(QDateTime());
        DataFolder.clear();
    }

    std::unique_ptr<TDlgMedPayment> Open(qint32 medId = 0, int year = 2024, TPayFilter defaults = {7, 0, 1})
    {
        auto dialog = std::make_unique<TDlgMedPayment>(nullptr, TPaymentRequest{medId, year, defaults});
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Typed by the user, so the field counts as edited.
    static void Type(QWidget* field, const QString& text)
    {
        field->setFocus(Qt::TabFocusReason);
        Settle();
        QTest::keyClicks(field, text);
    }

    static QStringList Payments()
    {
        return Column(QStringLiteral("SELECT UserID || '|' || InsuranceType || '|' || InsuranceID || '|' || Doctor || '|' "
                                     "|| TotalExpense || '|' || InsCovered || '|' || NotCovered FROM MEDPAY ORDER BY MedID"));
    }

    ScriptedMessageBoxes boxes_;
    FreshDataFolder folder_;
    qint32 acme_ = 0;
};

TEST_F(PaymentDialogTest, ServiceDateStartsTodayOrOnTheFirstOfDecember)
{
    EXPECT_EQ(Open(0, 2024)->PFDate->DateTimeValue(), EncodeDate(2024, 6, 15));
    EXPECT_EQ(Open(0, 2019)->PFDate->DateTimeValue(), EncodeDate(2019, 12, 1));
}

TEST_F(PaymentDialogTest, ListsOfferThePatientsTheCoverageAndTheInsurers)
{
    auto dialog = Open(0, 2024, {5, acme_, 2});
    ASSERT_EQ(dialog->CBMember->count(), 3);
    EXPECT_EQ(dialog->CBMember->itemText(2), QStringLiteral("Anne \"Nan\" O'Hara"));
    // Two patients named Anne: the one of the id is chosen.
    EXPECT_EQ(dialog->CBMember->currentIndex(), 1);
    EXPECT_EQ(dialog->CBType->currentText(), QStringLiteral("Dental plan"));
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("Acme \"Health\" O'Day"));
    SavePicture(*dialog, QStringLiteral("dlgmedpayment"));
}

TEST_F(PaymentDialogTest, OutOfPocketLeftEmptyIsAdjustedWithItsMessage)
{
    auto dialog = Open();
    dialog->SFDoc->setText(QStringLiteral("Dr. \"Bob\" O'Neil"));
    Type(dialog->NFAmount, QStringLiteral("100"));
    Type(dialog->NFInsPay, QStringLiteral("80"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The Out of pocket payment will be automatically adjusted to      20.00")});
    EXPECT_EQ(boxes_.shown.value(0).icon, MsgIcon::Information);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Payments(), QStringList{QStringLiteral("7|1|0|Dr. \"Bob\" O'Neil|100.0|80.0|20.0")});
}

TEST_F(PaymentDialogTest, UntouchedInsuranceIsAdjustedButTwoTypedPartsMustAddUp)
{
    auto dialog = Open();
    dialog->SFDoc->setText(QStringLiteral("Lab"));
    Type(dialog->NFAmount, QStringLiteral("100"));
    Type(dialog->NFInsPay, QStringLiteral("30"));
    Type(dialog->NFOutOfPocket, QStringLiteral("50"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(),
              QStringList{QStringLiteral("Total amount should be equal to the sum of  insurance payment and out of pocket payment.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->NFAmount);
    EXPECT_TRUE(Payments().isEmpty());
    EXPECT_TRUE(dialog->isVisible());

    auto other = Open();
    other->SFDoc->setText(QStringLiteral("Lab"));
    Type(other->NFAmount, QStringLiteral("100"));
    Type(other->NFOutOfPocket, QStringLiteral("60"));
    boxes_.shown.clear();
    other->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The amount paid by insurance will be automatically adjusted to      40.00")});
    EXPECT_EQ(Payments(), QStringList{QStringLiteral("7|1|0|Lab|100.0|40.0|60.0")});
}

TEST_F(PaymentDialogTest, EachRefusalNamesItsFieldAndWritesNothing)
{
    auto dialog = Open(0, 2024, {99, 0, 0});  // a patient no longer listed
    dialog->PFDate->ClearText();
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter the service date.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->PFDate);

    boxes_.shown.clear();
    Type(dialog->PFDate, QStringLiteral("02302024"));
    dialog->Btn1Ok->click();
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_TRUE(boxes_.Texts()[0].startsWith(QStringLiteral("Date entry error. Legal format is mm"))) << boxes_.Texts()[0].toStdString();
    EXPECT_TRUE(dialog->PFDate->IsFieldBlank());

    boxes_.shown.clear();
    dialog->PFDate->SetDateTimeValue(EncodeDate(2024, 6, 16));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The service date cannot be a future date.")});
    EXPECT_TRUE(dialog->PFDate->IsFieldBlank());

    boxes_.shown.clear();
    dialog->PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select patient's name from the list.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->CBMember);

    boxes_.shown.clear();
    dialog->CBMember->setCurrentIndex(0);
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(),
              QStringList{QStringLiteral("Please enter the name of the health provider (doctor, hospital or pharmacy).")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->SFDoc);

    boxes_.shown.clear();
    dialog->SFDoc->setText(QStringLiteral("Dr. Who"));
    Type(dialog->NFInsPay, QStringLiteral("-5"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Does not allow negative amount for the amount paid by insurance.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->NFInsPay);

    // Three whole digits and the sign typed last, as -99 and -1234 are refused.
    boxes_.shown.clear();
    Type(dialog->NFAmount, QStringLiteral("100-"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Does not allow negative amount for the total amount charged.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->NFAmount);
    EXPECT_TRUE(Payments().isEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PaymentDialogTest, ApplyAddsOnePaymentEachTimeAndKeepsTheChoicesAsDefaults)
{
    auto dialog = Open(0, 2024, {7, 0, 1});
    dialog->SFDoc->setText(QStringLiteral("Dr. A"));
    dialog->SFInsurance->setText(QStringLiteral("New \"Mutual\""));
    dialog->CBMember->setCurrentIndex(0);
    Type(dialog->NFAmount, QStringLiteral("19.99"));
    Type(dialog->NFInsPay, QStringLiteral("19.7"));
    Type(dialog->NFOutOfPocket, QStringLiteral(".29"));
    dialog->Btn1Apply->click();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add Next Item"));
    EXPECT_EQ(dialog->MedID(), 0);
    // The patient chosen stays chosen, the new company is listed and chosen.
    EXPECT_EQ(dialog->CBMember->currentData().toInt(), 3);
    EXPECT_EQ(dialog->CBInsurance->currentText(), QStringLiteral("New \"Mutual\""));
    EXPECT_EQ(dialog->CBDoc->currentText(), QStringLiteral("Dr. A"));

    dialog->SFDoc->setText(QStringLiteral("Dr. B"));
    dialog->Btn1Apply->click();
    const QStringList payments = Payments();
    ASSERT_EQ(payments.size(), 2);
    EXPECT_TRUE(payments[0].startsWith(QStringLiteral("3|1|")));
    EXPECT_TRUE(payments[1].endsWith(QStringLiteral("|Dr. B|19.99|19.7|0.29")));
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM CATEGORY WHERE CategoryName = 'New \"Mutual\"'")), 1);
}

TEST_F(PaymentDialogTest, EditingChangesOnlyThatPayment)
{
    const qint32 first = AddPayment(EncodeDate(2024, 3, 1), 5, 2, acme_, QStringLiteral("Dr. O'Neil"), 100, 80, 20);
    AddPayment(EncodeDate(2024, 3, 2), 7, 1, 0, QStringLiteral("Lab"), 10, 0, 10);
    auto dialog = Open(first, 2024, {0, 0, 0});
    EXPECT_EQ(dialog->PFDate->DateTimeValue(), EncodeDate(2024, 3, 1));
    EXPECT_EQ(dialog->CBMember->currentIndex(), 1);
    EXPECT_EQ(dialog->CBType->currentIndex(), 2);
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("Acme \"Health\" O'Day"));
    EXPECT_EQ(dialog->SFDoc->text(), QStringLiteral("Dr. O'Neil"));
    EXPECT_DOUBLE_EQ(dialog->NFInsPay->FloatValue(), 80.0);

    // Neither part was touched: the out-of-pocket part takes the change.
    Type(dialog->NFAmount, QStringLiteral("120"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The Out of pocket payment will be automatically adjusted to      40.00")});
    EXPECT_EQ(Payments(), (QStringList{QStringLiteral("5|2|%1|Dr. O'Neil|120.0|80.0|40.0").arg(acme_),
                                       QStringLiteral("7|1|0|Lab|10.0|0.0|10.0")}));
}

TEST_F(PaymentDialogTest, ProviderListFollowsCoverageAndInsurer)
{
    auto dialog = Open(0, 2024, {7, 0, 1});
    dialog->SFDoc->setText(QStringLiteral("Dr. Medical"));
    dialog->SFInsurance->setText(QStringLiteral("Acme \"Health\" O'Day"));
    Type(dialog->NFAmount, QStringLiteral("5"));
    dialog->Btn1Apply->click();
    dialog->CBType->setCurrentIndex(2);
    dialog->CBTypeChange();
    EXPECT_EQ(dialog->CBDoc->count(), 0);
    dialog->CBType->setCurrentIndex(1);
    dialog->CBTypeChange();
    ASSERT_EQ(dialog->CBDoc->count(), 1);
    EXPECT_EQ(dialog->CBDoc->itemText(0), QStringLiteral("Dr. Medical"));

    // A company not on record does not narrow the list.
    Type(dialog->SFInsurance, QStringLiteral("x"));
    dialog->SFDoc->setFocus();
    Settle();
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("x"));
    EXPECT_EQ(dialog->CBInsurance->currentIndex(), -1);
    EXPECT_EQ(dialog->CBDoc->count(), 1);
    dialog->CBInsurance->setCurrentIndex(0);
    dialog->CBInsuranceChange();
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("Acme \"Health\" O'Day"));
    EXPECT_EQ(dialog->CBDoc->count(), 1);
    dialog->SFDoc->clear();
    dialog->CBDoc->setCurrentIndex(0);
    dialog->CBDocChange();
    EXPECT_EQ(dialog->SFDoc->text(), QStringLiteral("Dr. Medical"));
}

TEST_F(PaymentDialogTest, AddressIsAskedForANamedProviderAndWrittenWithThePayment)
{
    auto dialog = Open();
    dialog->PSBDocClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter the name of the health provider first.")});
    dialog->PSBInsClick();
    EXPECT_EQ(boxes_.Texts().value(1), QStringLiteral("Please enter the name of the insurance provider first."));
    // Blanks are no name either.
    dialog->SFDoc->setText(QStringLiteral("  "));
    dialog->SFInsurance->setText(QStringLiteral("  "));
    int opened = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++opened;
            modal->close();
        }
    });
    closer.start(0);
    dialog->PSBDocClick();
    dialog->PSBInsClick();
    closer.stop();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(boxes_.Texts().mid(2), boxes_.Texts().mid(0, 2));

    dialog->SFDoc->setText(QStringLiteral("Dr. \"Bob\" O'Neil"));
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* address = qobject_cast<TDlgPhoneAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(address, nullptr);
        caption = address->windowTitle();
        address->EditPhone->setText(QStringLiteral("555-0199"));
        address->EditZip->setText(QStringLiteral("97301"));
        SavePicture(*address, QStringLiteral("dlgphoneaddr"));
        address->ButtonOK->click();
    });
    dialog->PSBDocClick();
    EXPECT_EQ(caption, QStringLiteral("Phone No. & Address for Dr. \"Bob\" O'Neil"));
    // Nothing is written before the payment is.
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE CategoryNo = 6")), 0);
    Type(dialog->NFAmount, QStringLiteral("1"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(Column(QStringLiteral("SELECT BusinessName || '|' || Phone1 || '|' || Zip FROM BIZADDR WHERE CategoryNo = 6")),
              QStringList{QStringLiteral("Dr. \"Bob\" O'Neil|555-0199|97301")});
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM MEDPAY WHERE DocAddrID > 0")), 1);
}

// The address book keeps longer phones and streets than this window lets
// anyone type; passing through it leaves them as they were.
TEST_F(PaymentDialogTest, AddressLeftAsShownKeepsWhatTheAddressBookStored)
{
    const QString phone = QStringLiteral("1-800-555-0199 ext 4411");
    const QString street = QStringLiteral("Suite 1200, 4411 North \"Lakeshore\" Drive West");
    ASSERT_GT(street.size(), 40);
    AppendRow(DataFolder, QStringLiteral("BIZADDR"), QStringLiteral("BizId"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("BusinessName")).SetAsString(QStringLiteral("Dr. \"Bob\" O'Neil"));
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(6);
        row.FieldByName(QStringLiteral("Phone1")).SetAsString(phone);
        row.FieldByName(QStringLiteral("Addr")).SetAsString(street);
    });
    auto dialog = Open();
    dialog->SFDoc->setText(QStringLiteral("Dr. \"Bob\" O'Neil"));
    QTimer::singleShot(0, [&] {
        auto* address = qobject_cast<TDlgPhoneAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(address, nullptr);
        EXPECT_EQ(address->EditPhone->text(), phone);
        EXPECT_EQ(address->EditAddr->text(), street);
        address->ButtonOK->click();
    });
    dialog->PSBDocClick();
    Type(dialog->NFAmount, QStringLiteral("1"));
    dialog->Btn1Ok->click();
    EXPECT_EQ(Column(QStringLiteral("SELECT Phone1 || '|' || Addr FROM BIZADDR")), QStringList{phone + '|' + street});
}

TEST_F(PaymentDialogTest, AnInsurerThatCannotBeRecordedKeepsTheDialogOpen)
{
    auto dialog = Open();
    dialog->SFDoc->setText(QStringLiteral("Dr. A"));
    dialog->SFInsurance->setText(QStringLiteral("Brand New"));
    Type(dialog->NFAmount, QStringLiteral("1"));
    MakeDatabaseReadOnly(DataFolder);
    dialog->Btn1Ok->click();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Cannot create database record for a new insurance company."));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("Brand New"));
}

TEST_F(PaymentDialogTest, KeyboardAloneGoesThroughEveryFieldAndOutOfTheNotes)
{
    auto dialog = Open();
    const std::vector<QWidget*> expected = {dialog->PFDate,   dialog->CBMember,      dialog->SFDoc,    dialog->CBDoc,
                                            dialog->CBType,   dialog->SFInsurance,   dialog->CBInsurance,
                                            dialog->NFAmount, dialog->NFInsPay,      dialog->NFOutOfPocket,
                                            dialog->MemoNote, dialog->Btn1Ok,        dialog->Btn1Cancel,
                                            dialog->Btn1Apply};
    EXPECT_EQ(TabChain(dialog->PFDate, static_cast<int>(expected.size())), expected);
    EXPECT_EQ(dialog->MemoNote->toPlainText(), QString());
}

TEST_F(PaymentDialogTest, InsurerTypedWithBlanksAroundItIsTheCompanyOnRecord)
{
    auto dialog = Open();
    dialog->SFDoc->setText(QStringLiteral("Dr. A"));
    Type(dialog->SFInsurance, QStringLiteral(" Acme \"Health\" O'Day "));
    Type(dialog->NFAmount, QStringLiteral("19.99"));
    // Leaving the field already shows the company it stands for.
    EXPECT_EQ(dialog->CBInsurance->currentIndex(), 0);
    Type(dialog->NFOutOfPocket, QStringLiteral("19.99"));
    dialog->Btn1Apply->click();
    EXPECT_EQ(dialog->SFInsurance->text(), QStringLiteral("Acme \"Health\" O'Day"));
    // Blanks alone name no company.
    dialog->SFInsurance->clear();
    Type(dialog->SFInsurance, QStringLiteral("   "));
    dialog->Btn1Ok->click();
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Payments(), (QStringList{QStringLiteral("7|1|%1|Dr. A|19.99|0.0|19.99").arg(acme_),
                                       QStringLiteral("7|1|0|Dr. A|19.99|0.0|19.99")}));
    EXPECT_EQ(CountOf(QStringLiteral("SELECT COUNT(*) FROM CATEGORY WHERE CategoryType = 2")), 1);
}

class CategoryDialogTest : public PaymentDialogTest {};

TEST_F(CategoryDialogTest, ThreeChoicesGiveTheirKeysAndTheFilterText)
{
    const qint32 blue = AddInsurer(QStringLiteral("Blue"));
    TDlgMedCategory dialog(nullptr, {5, blue, 3});
    ASSERT_EQ(dialog.CBMember->count(), 4);
    EXPECT_EQ(dialog.CBMember->itemText(0), QStringLiteral("All members"));
    EXPECT_EQ(dialog.CBInsurance->itemText(0), QStringLiteral("All"));
    EXPECT_EQ(dialog.CBType->itemText(0), QStringLiteral("All plans"));
    EXPECT_EQ(dialog.CBType->count(), 5);
    // The second of two patients named Anne keeps her own key.
    EXPECT_EQ(dialog.CBMember->currentIndex(), 2);
    TPayFilterChoice choice = dialog.Choice();
    EXPECT_EQ(choice.filter.patient, 5);
    EXPECT_EQ(choice.filter.company, blue);
    EXPECT_EQ(choice.filter.coverage, 3);
    EXPECT_EQ(choice.text, QStringLiteral("Anne, Vision plan@Blue"));

    dialog.CBMember->setCurrentIndex(3);
    dialog.CBInsurance->setCurrentIndex(1);
    dialog.CBType->setCurrentIndex(0);
    choice = dialog.Choice();
    EXPECT_EQ(choice.filter.patient, 7);
    EXPECT_EQ(choice.filter.company, acme_);
    EXPECT_EQ(choice.filter.coverage, 0);
    EXPECT_EQ(choice.text, QStringLiteral("Anne \"Nan\" O'Hara@Acme \"Health\" O'D...."));

    dialog.CBMember->setCurrentIndex(0);
    dialog.CBInsurance->setCurrentIndex(0);
    choice = dialog.Choice();
    EXPECT_EQ(choice.filter.patient, 0);
    EXPECT_EQ(choice.text, QStringLiteral("All"));
    dialog.CBType->setCurrentIndex(4);
    EXPECT_EQ(dialog.Choice().text, QStringLiteral("All members, Drug plan"));
    dialog.show();
    SavePicture(dialog, QStringLiteral("dlgmedcategory"));
}

TEST_F(CategoryDialogTest, CancelGivesNothing)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TDlgMedCategory*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->CBType->setCurrentIndex(2);
        dialog->BtnCancel->click();
    });
    EXPECT_FALSE(ChooseStatementFilter(nullptr, {}));
}

}  // namespace
