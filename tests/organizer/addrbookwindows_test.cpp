// The address book's windows as the user meets them: the book with its
// filters, sorting, add, edit and delete, the column chooser and the search.
#include "addrbookenv.h"

#include "organizer/addrstyledlgs.h"
#include "organizer/dlgbizaddrbook.h"
#include "organizer/dlgbizaddrsearch.h"
#include "organizer/dlgselectfields.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/dlgbusinessaddr.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

class AddressBookWindows : public AddressBookTest {
protected:
    std::unique_ptr<TDlgBizAddrBook> OpenBook(int productCode = kCarePortfolioProduct)
    {
        auto book = std::make_unique<TDlgBizAddrBook>();
        book->ProductCode = productCode;
        book->FormShow();
        book->show();
        return book;
    }

    static QStringList Shown(const QTreeWidget& list, int column = 0)
    {
        QStringList texts;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            texts << list.topLevelItem(i)->text(column);
        return texts;
    }

    static void Select(TDlgBizAddrBook& book, const QString& name)
    {
        const QList<QTreeWidgetItem*> found = book.ListView1->findItems(name, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        book.ListView1->setCurrentItem(found.front());
    }

    static void Choose(QComboBox& combo, const QString& text)
    {
        combo.setCurrentIndex(combo.findText(text));
        ASSERT_GE(combo.currentIndex(), 0) << text.toStdString();
    }

    // Answers the business-address dialog once it is shown.
    static void AnswerAddressDialog(const std::function<void(TDlgBusinessAddr&)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }

    // Answers the next modal window of the kind once it is shown.
    template <typename Window>
    void AnswerModal(const std::function<void(Window&)>& answer)
    {
        auto* poll = new QTimer(&timers_);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, answer] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!window)
                return;
            poll->stop();
            answer(*window);
        });
        poll->start();
    }

    ScriptedMessageBoxes boxes_;
    QObject timers_;
};

TEST_F(AddressBookWindows, OpensOnTheProductsCategoryWithTheChosenColumns)
{
    auto book = OpenBook();
    EXPECT_EQ(book->windowTitle(), "CarePortfolio Address Book");
    EXPECT_EQ(book->CBCategory->currentText(), "Doctors and Hospitals");
    EXPECT_EQ(book->CBCategory->itemText(0), "All Categories");
    EXPECT_EQ(book->CBField->currentText(), "None");
    EXPECT_EQ(book->ListView1->headerItem()->text(1), "Category");
    QStringList shown = Shown(*book->ListView1);
    shown.sort();
    EXPECT_EQ(shown, QStringList({"Mercy Hospital", kONeil}));
    EXPECT_FALSE(book->BtnEdit->isEnabled());
    SavePicture(*book, "addressbook_doctors");

    EXPECT_EQ(OpenBook(-1)->windowTitle(), "Address Book");
    EXPECT_EQ(OpenBook(0)->windowTitle(), "VehicleBook Address Book");
    EXPECT_EQ(OpenBook(-1)->ListView1->topLevelItemCount(), 8);
}

TEST_F(AddressBookWindows, TheFiltersRefreshTheListAndResetClearsTheLetters)
{
    auto book = OpenBook();
    Choose(*book->CBCategory, "All Categories");
    Choose(*book->CBNameFrom, "O");
    Choose(*book->CBNameTo, "M");
    book->Refresh();
    EXPECT_EQ(book->ListView1->topLevelItemCount(), 4);
    Choose(*book->CBField, "City");
    book->FieldEdit->setText(" capital CITY ");
    book->Refresh();
    EXPECT_EQ(Shown(*book->ListView1), QStringList({"Nash Labs", "Mercy Hospital"}));
    Choose(*book->CBCategory, "Doctors and Hospitals");
    book->Refresh();
    EXPECT_EQ(Shown(*book->ListView1), QStringList({"Mercy Hospital"}));
    SavePicture(*book, "addressbook_filtered");

    book->BtnResetClick();
    EXPECT_EQ(book->CBNameFrom->currentIndex(), -1);
    Choose(*book->CBCategory, "All Categories");
    book->Refresh();
    EXPECT_EQ(Shown(*book->ListView1), QStringList({"Nash Labs", "Mercy Hospital"}));
    // Choosing "None" clears the value.
    Choose(*book->CBField, "None");
    book->CBFieldChange();
    EXPECT_TRUE(book->FieldEdit->text().isEmpty());
    EXPECT_EQ(book->ListView1->topLevelItemCount(), 8);
}

TEST_F(AddressBookWindows, AHeaderClickSortsAndTheNextClickFlips)
{
    auto book = OpenBook(-1);
    book->ListView1ColumnClick(0);
    EXPECT_EQ(Shown(*book->ListView1).value(1), "Zenith Insurance");
    EXPECT_EQ(Shown(*book->ListView1).last(), "Cedar Dental");
    book->ListView1ColumnClick(4);   // City
    EXPECT_EQ(Shown(*book->ListView1, 4).first(), " Springfield ");
    EXPECT_EQ(Shown(*book->ListView1, 4).last(), "springfield");
}

TEST_F(AddressBookWindows, DeletingAsksFirstAndKeepsTheRowsThatNameTheBusiness)
{
    const qint32 expense = AppendRow(DataFolder, "MEDEXP", "ExpID", [this](TDataSet& row) {
        row.FieldByName("Doctor").SetAsString(kONeil);
        row.FieldByName("DocAddrID").SetAsInteger(oneil_);
    });
    auto book = OpenBook();
    book->BtnDeleteClick();
    EXPECT_EQ(boxes_.Texts().last(), "Please select one record to delete.");
    Select(*book, kONeil);
    EXPECT_TRUE(book->BtnDelete->isEnabled());
    boxes_.answers = {MsgResult::No};
    book->BtnDeleteClick();
    EXPECT_EQ(boxes_.Texts().last(), "Are you sure you want to delete this item?");
    EXPECT_EQ(book->SelectedBizId(), oneil_);
    EXPECT_EQ(book->ListView1->topLevelItemCount(), 2);

    boxes_.answers = {MsgResult::Yes};
    book->BtnDeleteClick();
    EXPECT_EQ(Shown(*book->ListView1), QStringList({"Mercy Hospital"}));
    EXPECT_EQ(Text(QString("SELECT * FROM BIZADDR WHERE BizId = %1").arg(oneil_), "BusinessName"), "<none>");
    EXPECT_EQ(Text(QString("SELECT * FROM MEDEXP WHERE ExpID = %1").arg(expense), "DocAddrID"),
              QString::number(oneil_));

    // The expense's doctor opens in the address dialog as a new business of its name.
    bool shown = false;
    AnswerAddressDialog([&](TDlgBusinessAddr& dialog) {
        shown = true;
        EXPECT_EQ(dialog.EditBizName->text(), kONeil);
        EXPECT_TRUE(dialog.EditCity->text().isEmpty());
        dialog.CancelBtn->click();
    });
    qint32 bizId = oneil_;
    EXPECT_FALSE(EditBusinessAddr(kONeil, 5, bizId));
    EXPECT_TRUE(shown);
}

TEST_F(AddressBookWindows, EditingARowDeletedMeanwhileOpensItAsANewBusiness)
{
    auto book = OpenBook();
    Select(*book, "Mercy Hospital");
    Exec(QString("DELETE FROM BIZADDR WHERE BizId = %1").arg(mercy_));
    AnswerAddressDialog([](TDlgBusinessAddr& dialog) {
        EXPECT_TRUE(dialog.EditBizName->text().isEmpty());
        dialog.CancelBtn->click();
    });
    book->BtnEditClick();
    EXPECT_EQ(Shown(*book->ListView1), QStringList({kONeil}));
}

TEST_F(AddressBookWindows, AddAndEditGoThroughTheAddressDialog)
{
    auto book = OpenBook();
    AnswerAddressDialog([](TDlgBusinessAddr& dialog) {
        EXPECT_TRUE(dialog.CBCategory->isEnabled());
        dialog.EditBizName->setText("Dr. \"Bea\" O'Hara");
        dialog.CBCategory->setCurrentIndex(dialog.CBCategory->findText("Doctors and Hospitals"));
        dialog.EditCity->setText("Salem");
        dialog.OKBtn->click();
    });
    book->BtnAddClick();
    EXPECT_EQ(book->CBCategory->currentIndex(), -1);
    EXPECT_EQ(book->ListView1->topLevelItemCount(), 9);

    Select(*book, "Dr. \"Bea\" O'Hara");
    AnswerAddressDialog([](TDlgBusinessAddr& dialog) {
        EXPECT_EQ(dialog.EditCity->text(), "Salem");
        dialog.EditCity->setText("Portland");
        dialog.OKBtn->click();
    });
    book->BtnEditClick();
    const QList<QTreeWidgetItem*> found = book->ListView1->findItems("Dr. \"Bea\" O'Hara", Qt::MatchExactly, 0);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.front()->text(4), "Portland");
    EXPECT_TRUE(found.front()->isSelected());

    book->ListView1->clearSelection();
    book->BtnEditClick();
    EXPECT_EQ(boxes_.Texts().last(), "Please select one record to edit.");
}

// An insurer's name as the insurance window stores it, longer than the
// Address Folder lets anyone type: its Edit opens the insurer itself.
TEST_F(AddressBookWindows, EditOpensABusinessWithALongNameAndKeepsTheNameWhole)
{
    const QString name = QStringLiteral("Great Lakes \"Mutual\" Health & Dental Insurance Company of O'Fallon, Kansas");
    ASSERT_EQ(name.size(), 74);
    const qint32 insurer = AddBusiness({name, 6, QStringLiteral("O'Fallon"), QStringLiteral("KS"),
                                        QStringLiteral("1-800-555-0199 ext 4411"), {}});
    auto book = OpenBook(-1);
    Select(*book, name);
    AnswerAddressDialog([&](TDlgBusinessAddr& dialog) {
        EXPECT_EQ(dialog.EditBizName->text(), name);
        QTest::keyClicks(dialog.EditBizName, QStringLiteral("xy"));
        EXPECT_EQ(dialog.EditBizName->text(), name) << "typing lengthens it no further";
        EXPECT_EQ(dialog.EditCity->text(), QStringLiteral("O'Fallon"));
        SavePicture(dialog, QStringLiteral("address_folder_long_name"));
        dialog.EditCity->setText(QStringLiteral("Belleville"));
        dialog.OKBtn->click();
    });
    book->BtnEditClick();
    EXPECT_EQ(Text(QStringLiteral("SELECT COUNT(*) AS N FROM BIZADDR WHERE CategoryNo = 6"), QStringLiteral("N")),
              QStringLiteral("2"));
    const QString row = QStringLiteral("SELECT * FROM BIZADDR WHERE BizId = %1").arg(insurer);
    EXPECT_EQ(Text(row, QStringLiteral("BusinessName")), name);
    EXPECT_EQ(Text(row, QStringLiteral("City")), QStringLiteral("Belleville"));
}

TEST_F(AddressBookWindows, AClickBesideTheRowsAsksForALineAndTheMemoColumnsDoNotSort)
{
    auto book = OpenBook(-1);
    book->ListView1Click();
    EXPECT_EQ(boxes_.Texts().last(), "Please first select a line in the first column of the address table to edit or "
                                     "delete it.");
    const QStringList before = Shown(*book->ListView1);
    SaveFieldChoice({{1, "Name"}, {18, "Notes"}});
    AnswerModal<TDlgSelectFields>([](TDlgSelectFields& choose) { choose.CancelBtn->click(); });
    book->SelectFieldstoDisplay1->trigger();
    ASSERT_EQ(book->ListView1->columnCount(), 2);
    book->ListView1ColumnClick(1);
    EXPECT_EQ(Shown(*book->ListView1), before);
    book->ListView1ColumnClick(0);   // the first sorting click goes down
    EXPECT_EQ(Shown(*book->ListView1).first(), "apex pharmacy");
}

TEST_F(AddressBookWindows, ThePrintMenuOpensTheStyleDialogsOnTheBooksCategoryAndBusiness)
{
    auto book = OpenBook();
    Select(*book, kONeil);
    QString title;
    int categoryShown = -2;
    const auto look = [&](TAddrStyleDlg& dialog) {
        title = dialog.LabelTitle->text();
        categoryShown = dialog.ComboBoxSelCat->currentData().toInt();
        dialog.CancelBtn->click();
    };
    AnswerModal<TAddrStyleDlg>(look);
    book->RepoerStyle1->trigger();
    EXPECT_EQ(title, "CarePortfolio");
    EXPECT_EQ(categoryShown, 5);
    EXPECT_EQ(ReportStyleSettings().bizId, oneil_);
    AnswerModal<TAddrStyleDlg>(look);
    book->CardStyle1->trigger();
    EXPECT_EQ(title, "Print CarePortfolio Address Book");
    EXPECT_EQ(CardStyleSettings().bizId, oneil_);
}

TEST_F(AddressBookWindows, TheColumnChooserKeepsTheNameFirst)
{
    TDlgSelectFields choose;
    ASSERT_EQ(choose.SelectedLB->count(), 6);
    // "<<" with the name among the selection moves only the others.
    choose.SelectedLB->item(0)->setSelected(true);
    choose.SelectedLB->item(1)->setSelected(true);
    choose.BtnBWClick();
    EXPECT_EQ(choose.SelectedLB->count(), 5);
    EXPECT_EQ(choose.SelectedLB->item(0)->text(), "Name");
    EXPECT_FALSE(choose.SelectedLB->item(0)->isSelected());
    EXPECT_EQ(choose.UnSelectedLB->item(choose.UnSelectedLB->count() - 1)->text(), "Category");

    // "Move Up" on the second item does nothing; on the third it moves.
    choose.SelectedLB->clearSelection();
    choose.SelectedLB->item(1)->setSelected(true);
    choose.MoveUpClick();
    EXPECT_EQ(choose.SelectedLB->item(1)->text(), "Phone");
    choose.SelectedLB->clearSelection();
    choose.SelectedLB->item(2)->setSelected(true);
    choose.MoveUpClick();
    EXPECT_EQ(choose.SelectedLB->item(1)->text(), "Street Address");
    EXPECT_TRUE(choose.SelectedLB->item(1)->isSelected());
    choose.MoveDownClick();
    EXPECT_EQ(choose.SelectedLB->item(2)->text(), "Street Address");
    choose.SelectedLB->item(3)->setSelected(true);
    choose.MoveDownClick();
    EXPECT_EQ(boxes_.Texts().last(), "Please select one item to move.");
    SavePicture(choose, "addressbook_select_fields");
    choose.OKBtnClick();

    auto book = OpenBook();
    QStringList headers;
    for (int i = 0; i < book->ListView1->columnCount(); ++i)
        headers << book->ListView1->headerItem()->text(i);
    EXPECT_EQ(headers, QStringList({"Name", "Phone", "Street Address", "City", "State"}));
}

TEST_F(AddressBookWindows, SearchListsTheHitsAndSortsByTheClickedColumn)
{
    TDlgBizAddrSearch search;
    search.CBField->setCurrentIndex(search.CBField->findText("Phone"));
    search.BtnFindClick();
    EXPECT_EQ(search.ListView1->topLevelItemCount(), 8);
    EXPECT_EQ(search.ListView1->headerItem()->text(1), "Phone");
    search.ListView1ColumnClick(1);   // ascending by the phone
    EXPECT_EQ(search.ListView1->topLevelItem(0)->text(0), kONeil);
    search.ListView1ColumnClick(1);   // then descending
    EXPECT_EQ(search.ListView1->topLevelItem(0)->text(0), "Zenith Insurance");
    search.CBField->setCurrentIndex(search.CBField->findText("Name"));
    search.ContainEdit->setText("hos");
    search.BtnFindClick();
    ASSERT_EQ(search.ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(search.ListView1->topLevelItem(0)->text(0), "Mercy Hospital");
    search.show();
    SavePicture(search, "addressbook_search");

    boxes_.answers = {MsgResult::Cancel};
    search.BtnNewClick();
    EXPECT_EQ(search.ListView1->topLevelItemCount(), 1);
    boxes_.answers = {MsgResult::Ok};
    search.BtnNewClick();
    EXPECT_EQ(boxes_.Texts().last(), "This will clear your current search.");
    EXPECT_EQ(search.ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(search.ContainEdit->text().isEmpty());
    EXPECT_EQ(search.CBField->currentIndex(), -1);
}

}  // namespace
