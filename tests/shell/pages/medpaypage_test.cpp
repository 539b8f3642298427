#include "pagetestenv.h"
#include "qstringprint.h"

#include "context/context.h"
#include "controls/efnumeric.h"
#include "health/dlgmedcategory.h"
#include "health/dlgmedpayment.h"
#include "health/medpayments.h"
#include "health/medpaystatement.h"
#include "shell/formhealthmain.h"
#include "shell/modulepages.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formmedpay.h"
#include "tests/health/medpayenv.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <vector>

namespace {

class MedPayPageTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        // The page opens the payment dialogs the program registers.
        ProgramPages();
        PayFilter = {};
        PayStatementYear = kThisYear;
        MedPayEnv::AddPatient(1, QStringLiteral("Anne O'Hara"));
        MedPayEnv::AddPatient(2, QStringLiteral("Bob \"Junior\" Lee"));
        acme_ = MedPayEnv::AddInsurer(QStringLiteral("Acme"));
    }
    void TearDown() override
    {
        PayFilter = {};
        PayStatementYear = 1997;
        Launcher::Unregister(TDialogID::Payment);
        Launcher::Unregister(TDialogID::PaymentCategory);
        PageTest::TearDown();
    }

    qint32 Payment(TDateTime date, qint32 patient, qint32 coverage, const QString& provider, double total,
                   double insurance, double outOfPocket)
    {
        return MedPayEnv::AddPayment(date, patient, coverage, acme_, provider, total, insurance, outOfPocket);
    }

    std::unique_ptr<TFormMedPay> Open()
    {
        auto page = std::make_unique<TFormMedPay>(nullptr);
        page->resize(640, 420);
        page->show();
        QApplication::processEvents();
        return page;
    }

    static QString Cell(const TFormMedPay& page, int row, int column)
    {
        const QTableWidgetItem* item = page.StringGrid1->item(row, column);
        return item ? item->text().trimmed() : QString();
    }

    qint32 acme_ = 0;
};

TEST_F(MedPayPageTest, EmptyYearShowsNoRowsZeroTotalsAndNoEditOrDelete)
{
    auto page = Open();
    EXPECT_EQ(page->LabelYear->text(), QStringLiteral("2024"));
    EXPECT_EQ(page->LabelFilter->text(), QStringLiteral("All"));
    EXPECT_EQ(page->StringGrid1->rowCount(), 30);
    EXPECT_EQ(page->LastFilledRow(), -1);
    EXPECT_FALSE(page->ButtonEdit->isEnabled());
    EXPECT_FALSE(page->ButtonDelete->isEnabled());
    EXPECT_DOUBLE_EQ(page->EditAmount->FloatValue(), 0.0);
    page->ButtonEditClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select an existing item to edit.")});
}

TEST_F(MedPayPageTest, RowsOfTheYearAndTheirTotalsInCents)
{
    const qint32 march = Payment(EncodeDate(2024, 3, 1), 1, 1, QStringLiteral("Dr. O'Neil"), 19.99, 19.70, 0.29);
    Payment(EncodeDate(2024, 12, 31), 2, 2, QStringLiteral("Lab \"Quick\""), 1234.5, 1000.1, 234.4);
    Payment(EncodeDate(2024, 1, 1), 2, 2, QStringLiteral("Drugs"), 0.1, 0, 0.1);
    Payment(EncodeDate(2023, 12, 31), 1, 1, QStringLiteral("Last year"), 5, 5, 0);
    auto page = Open();
    EXPECT_EQ(page->LastFilledRow(), 2);
    EXPECT_EQ(Cell(*page, 0, 0), QStringLiteral("1/1/2024"));
    EXPECT_EQ(Cell(*page, 1, 1), QStringLiteral("Dr. O'Neil"));
    EXPECT_EQ(page->RowKeys().value(1), march);
    EXPECT_EQ(Cell(*page, 2, 1), QStringLiteral("Lab \"Quick\""));
    EXPECT_EQ(Cell(*page, 2, 2), QStringLiteral("$1,234.50"));
    EXPECT_EQ(Cell(*page, 2, 4), QStringLiteral("$234.40"));
    EXPECT_EQ(page->EditAmount->Core().DisplayText().trimmed(), QStringLiteral("$1,254.59"));
    EXPECT_EQ(page->EditInsPay->Core().DisplayText().trimmed(), QStringLiteral("$1,019.80"));
    EXPECT_EQ(page->EditOutOfPocket->Core().DisplayText().trimmed(), QStringLiteral("$234.79"));
    EXPECT_TRUE(page->ButtonEdit->isEnabled());
    // The last filled row is selected.
    EXPECT_EQ(page->StringGrid1->currentRow(), 2);
    SavePicture(*page, QStringLiteral("formmedpay"));

    // The year before: one row; the year after today's: refused.
    page->YearLeftClick();
    EXPECT_EQ(page->LabelYear->text(), QStringLiteral("2023"));
    EXPECT_EQ(page->LastFilledRow(), 0);
    EXPECT_EQ(Cell(*page, 0, 1), QStringLiteral("Last year"));
    page->YearRightClick();
    page->YearRightClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("No statement for the future.")});
    EXPECT_EQ(PayStatementYear, 2024);
}

TEST_F(MedPayPageTest, ThirtyOnePaymentsGrowTheGridAndShowTheLastRow)
{
    for (int day = 1; day <= 31; ++day)
        Payment(EncodeDate(2024, 1, day), 1, 1, QStringLiteral("Day %1").arg(day), day, 0, day);
    auto page = Open();
    EXPECT_EQ(page->StringGrid1->rowCount(), 35);
    EXPECT_EQ(page->RowKeys().size(), 35);
    EXPECT_EQ(page->LastFilledRow(), 30);
    EXPECT_EQ(page->StringGrid1->currentRow(), 30);
    EXPECT_EQ(page->EditAmount->FloatValue(), 496.0);
}

TEST_F(MedPayPageTest, AfterAnAddTheNewLastRowIsInView)
{
    for (int n = 0; n < 40; ++n)
        Payment(EncodeDate(2024, 4, 1), 1, 1, QStringLiteral("Row %1").arg(n), 1, 1, 0);
    auto page = Open();
    page->StringGrid1->scrollToTop();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TDlgMedPayment*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SFDoc->setText(QStringLiteral("Added"));
        dialog->CBMember->setCurrentIndex(0);
        dialog->PFDate->SetDateTimeValue(EncodeDate(2024, 6, 1));
        dialog->Btn1Ok->click();
    });
    page->ButtonAddClick();
    QApplication::processEvents();
    EXPECT_EQ(page->LastFilledRow(), 40);
    EXPECT_EQ(page->StringGrid1->rowCount(), 45);
    EXPECT_EQ(page->StringGrid1->currentRow(), 40);
    EXPECT_EQ(Cell(*page, 40, 1), QStringLiteral("Added"));
    const QRect last = page->StringGrid1->visualRect(page->StringGrid1->model()->index(40, 0));
    EXPECT_TRUE(page->StringGrid1->viewport()->rect().contains(last)) << last.y();
}

TEST_F(MedPayPageTest, TotalAboveTenMillionShowsMinusOneAfterItsMessage)
{
    for (int n = 0; n < 10; ++n)
        Payment(EncodeDate(2024, 2, 1), 1, 1, QStringLiteral("Big"), 999999.99, 0, 999999.99);
    Payment(EncodeDate(2024, 2, 2), 1, 1, QStringLiteral("Cents"), 0.10, 0, 0.10);
    // Exactly ten million fits.
    auto page = Open();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_DOUBLE_EQ(page->EditAmount->FloatValue(), 10'000'000.00);
    Payment(EncodeDate(2024, 2, 3), 1, 1, QStringLiteral("One more cent"), 0.01, 0, 0.01);
    page->LoadStatement();
    EXPECT_EQ(boxes_.Texts(), (QStringList{QStringLiteral("-$1.00 means total amount is too big to show in the box."),
                                           QStringLiteral("-$1.00 means total out of pocket payment is too big to show in the box.")}));
    EXPECT_DOUBLE_EQ(page->EditAmount->FloatValue(), -1.0);
    EXPECT_DOUBLE_EQ(page->EditInsPay->FloatValue(), 0.0);
    SavePicture(*page, QStringLiteral("formmedpay_toobig"));
}

TEST_F(MedPayPageTest, FilterFromTheCategoryDialogNarrowsTheRows)
{
    Payment(EncodeDate(2024, 5, 1), 1, 1, QStringLiteral("A1"), 10, 10, 0);
    Payment(EncodeDate(2024, 5, 2), 2, 2, QStringLiteral("B2"), 10, 10, 0);
    auto page = Open();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TDlgMedCategory*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->CBMember->setCurrentIndex(2);
        dialog->CBType->setCurrentIndex(2);
        dialog->BtnOK->click();
    });
    page->LCategorySelectClick();
    EXPECT_EQ(page->LabelFilter->text(), QStringLiteral("Bob \"Junior\" Lee, Dental plan"));
    EXPECT_EQ(PayFilter.patient, 2);
    EXPECT_EQ(PayFilter.coverage, 2);
    EXPECT_EQ(page->LastFilledRow(), 0);
    EXPECT_EQ(Cell(*page, 0, 1), QStringLiteral("B2"));
    // A new page shows the same view.
    auto again = Open();
    EXPECT_EQ(again->LabelFilter->text(), QStringLiteral("Bob \"Junior\" Lee, Dental plan"));
    EXPECT_EQ(again->LastFilledRow(), 0);
}

TEST_F(MedPayPageTest, DialogsAreAskedWithThePagesViewAndYear)
{
    const qint32 march = Payment(EncodeDate(2023, 3, 1), 2, 2, QStringLiteral("A1"), 10, 10, 0);
    PayFilter = {2, acme_, 2};
    PayStatementYear = 2023;
    auto page = Open();
    std::vector<TDialogRequest> asked;
    FakeDialog(TDialogID::Payment, [&](const TDialogRequest& request) {
        asked.push_back(request);
        return TDialogOutcome{};
    });
    page->ButtonAddClick();
    page->StringGrid1->setCurrentCell(0, 0);
    page->ButtonEditClick();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].paymentId, 0);
    EXPECT_EQ(asked[1].paymentId, march);
    for (const TDialogRequest& request : asked) {
        EXPECT_EQ(request.statementYear, 2023);
        EXPECT_EQ(request.payPatient, 2);
        EXPECT_EQ(request.payCompany, acme_);
        EXPECT_EQ(request.payCoverage, 2);
    }

    const QString shown = page->LabelFilter->text();
    TDialogOutcome chosen;
    chosen.cancelled = true;
    FakeDialog(TDialogID::PaymentCategory, [&](const TDialogRequest& request) {
        asked.push_back(request);
        return chosen;
    });
    page->LCategorySelectClick();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].payCompany, acme_);
    EXPECT_EQ(page->LabelFilter->text(), shown);
    EXPECT_EQ(PayFilter.patient, 2);

    chosen = {};
    chosen.payPatient = 1;
    chosen.payCoverage = 1;
    chosen.payFilterText = QStringLiteral("Anne O'Hara, Medical plan");
    page->LCategorySelectClick();
    EXPECT_EQ(page->LabelFilter->text(), QStringLiteral("Anne O'Hara, Medical plan"));
    EXPECT_EQ(PayFilter.patient, 1);
    EXPECT_EQ(PayFilter.company, 0);
    EXPECT_EQ(PayFilter.coverage, 1);
    EXPECT_EQ(page->LastFilledRow(), -1);
}

TEST_F(MedPayPageTest, AddEditAndDeleteGoThroughTheDialog)
{
    const qint32 first = Payment(EncodeDate(2024, 5, 1), 1, 1, QStringLiteral("A1"), 10, 10, 0);
    const qint32 second = Payment(EncodeDate(2024, 5, 2), 2, 2, QStringLiteral("B2"), 10, 10, 0);
    auto page = Open();

    QString caption;
    bool applyEnabled = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgMedPayment*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        applyEnabled = dialog->Btn1Apply->isEnabled();
        dialog->SFDoc->setText(QStringLiteral("A1 renamed"));
        dialog->Btn1Ok->click();
    });
    page->StringGrid1->setCurrentCell(0, 0);
    page->StringGrid1DblClick(0);
    EXPECT_EQ(caption, QStringLiteral("Edit an Item"));
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(LoadPayment(first)->provider, QStringLiteral("A1 renamed"));
    EXPECT_EQ(Cell(*page, 0, 1), QStringLiteral("A1 renamed"));

    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgMedPayment*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        applyEnabled = dialog->Btn1Apply->isEnabled();
        dialog->SFDoc->setText(QStringLiteral("New one"));
        dialog->CBMember->setCurrentIndex(0);
        dialog->Btn1Ok->click();
    });
    page->StringGrid1DblClick(10);  // below the last filled row: a new payment
    EXPECT_EQ(caption, QStringLiteral("Add a New Item"));
    EXPECT_TRUE(applyEnabled);
    EXPECT_EQ(page->LastFilledRow(), 2);
    EXPECT_EQ(Cell(*page, 2, 1), QStringLiteral("New one"));

    page->StringGrid1->setCurrentCell(1, 0);
    boxes_.answers = {MsgResult::No};
    page->ButtonDeleteClick();
    EXPECT_EQ(page->LastFilledRow(), 2);
    boxes_.answers = {MsgResult::Yes};
    page->StringGrid1->setCurrentCell(1, 0);
    QTest::keyClick(page->StringGrid1, Qt::Key_Delete);
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Are you sure you want to delete the selected item?"));
    EXPECT_FALSE(LoadPayment(second));
    EXPECT_TRUE(LoadPayment(first));
    EXPECT_EQ(page->LastFilledRow(), 1);

    page->StringGrid1->setCurrentCell(5, 0);
    boxes_.shown.clear();
    page->ButtonDeleteClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select an existing item to delete.")});
}

// Tab goes from the grid on to the buttons, as from any other field: moving
// from cell to cell would keep a keyboard user in the grid.
TEST_F(MedPayPageTest, TabLeavesTheGridForTheButtons)
{
    Payment(EncodeDate(2024, 5, 1), 1, 1, QStringLiteral("A1"), 10, 10, 0);
    auto page = Open();
    QApplication::setActiveWindow(page.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    const std::vector<QWidget*> chain = TabChain(page->StringGrid1, 3);
    EXPECT_EQ(chain, (std::vector<QWidget*>{page->StringGrid1, page->ButtonAdd, page->ButtonEdit}));
}

TEST_F(MedPayPageTest, HelpTextTurnsItsPage)
{
    auto page = Open();
    EXPECT_EQ(page->Notebook->currentIndex(), 0);
    page->Label2Click();
    EXPECT_EQ(page->Notebook->currentIndex(), 1);
    EXPECT_EQ(page->Label2->text(), QStringLiteral("Click to go back"));
    page->Label2Click();
    EXPECT_EQ(page->Label2->text(), QStringLiteral("Click for more..."));
}

TEST_F(MedPayPageTest, MainWindowShowsThePageAndGoesBackAndForwardToIt)
{
    Payment(EncodeDate(2024, 5, 1), 1, 1, QStringLiteral("A1"), 10, 10, 0);
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedPay, 0, 0, 0);
    auto* page = qobject_cast<TFormMedPay*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->LastFilledRow(), 0);
    window.NavigateTo(ModMedInsurance, 0, 0, 0);
    EXPECT_EQ(qobject_cast<TFormMedPay*>(window.CurrentPage()), nullptr);
    window.GoBack();
    ASSERT_NE(qobject_cast<TFormMedPay*>(window.CurrentPage()), nullptr);
    window.GoForward();
    EXPECT_EQ(qobject_cast<TFormMedPay*>(window.CurrentPage()), nullptr);
    window.GoBack();
    SavePicture(window, QStringLiteral("formmedpay_mainwindow"));
}

// Made as small as the main window lets it be, the page still shows its help
// line by line rather than one over the other, and the largest amount whole.
TEST_F(MedPayPageTest, TheMainWindowMadeSmallKeepsThePagesTextReadable)
{
    Payment(EncodeDate(2024, 5, 1), 1, 1, QStringLiteral("A1"), 999999.99, 0, 999999.99);
    TFormHealthMain window(ProgramPages());
    window.show();
    window.NavigateTo(ModMedPay, 0, 0, 0);
    auto* page = qobject_cast<TFormMedPay*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    window.resize(300, 200);
    // The columns and the totals under them settle over a few rounds of layout.
    for (int round = 0; round < 5; ++round)
        QTest::qWait(10);
    EXPECT_EQ(CrampedWidgets(*page), QStringList());
    const QAbstractItemView& grid = *page->StringGrid1;
    for (int column = 2; column < 5; ++column)
        EXPECT_GE(page->StringGrid1->columnWidth(column), grid.sizeHintForColumn(column)) << column;
    SavePicture(window, QStringLiteral("formmedpay_small"));
}

// Nothing in the program asks for the page: it opens where the program was
// left on it.
TEST_F(MedPayPageTest, ThePageTheProgramWasLeftOnOpensAgain)
{
    WriteLastModule(ModMedPay);
    TFormHealthMain window(ProgramPages());
    window.show();
    EXPECT_NE(qobject_cast<TFormMedPay*>(window.CurrentPage()), nullptr);
}

}  // namespace
