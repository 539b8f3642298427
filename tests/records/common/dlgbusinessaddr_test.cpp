#include "tests/support/enterkeys.h"
#include "tests/support/scriptedmessageboxes.h"
#include "records/common/dlgbusinessaddr.h"
#include "records/common/lookuplists.h"
#include "recordstest.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

class DlgBusinessAddrTest : public RecordsTest {
protected:
    qint32 AddBusiness(const QString& name, qint32 categoryNo, const QString& phone = {})
    {
        TBizAddr row = Business(name, categoryNo, phone);
        row.email = QStringLiteral("front@desk.example");
        row.note = {QStringLiteral("first line"), QStringLiteral("second line")};
        return Append(row);
    }

    // The dialog as EditBusinessAddr would make it, not shown yet.
    static std::unique_ptr<TDlgBusinessAddr> Made(const QString& name, qint32 categoryNo, qint32 bizId)
    {
        BizDlgSaved = false;
        BizDlgName = name;
        BizDlgCategoryNo = categoryNo;
        BizDlgBizId = bizId;
        auto dialog = std::make_unique<TDlgBusinessAddr>();
        EXPECT_TRUE(dialog->FormCreate());
        return dialog;
    }

    // The same, shown and active.
    std::unique_ptr<TDlgBusinessAddr> Open(const QString& name, qint32 categoryNo, qint32 bizId)
    {
        auto dialog = Made(name, categoryNo, bizId);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    // How many characters the user may type into the emptied edit; its text
    // is put back after.
    static qsizetype TypingLimit(QLineEdit& edit)
    {
        const QString shown = edit.text();
        edit.clear();
        QTest::keyClicks(&edit, QString(60, QLatin1Char('9')));
        const qsizetype typed = edit.text().size();
        edit.setText(shown);
        return typed;
    }
};

TEST_F(DlgBusinessAddrTest, FillSaveAndReadTheRowBack)
{
    qint32 bizId = 0;
    bool filled = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Folder"));
        EXPECT_EQ(dialog->EditBizName->text(), QStringLiteral("Dr. \"Kim\""));
        EXPECT_TRUE(dialog->CBCategory->isEnabled());
        EXPECT_EQ(dialog->CBCategory->currentText(), EnterOrSelectText);
        dialog->CBCategory->setCurrentIndex(IndexOfComboId(*dialog->CBCategory, 5));
        dialog->EditContact->setText(QStringLiteral("Mary"));
        dialog->EditOne->setText(QStringLiteral("555-0100"));
        dialog->EditOneExit(0);
        dialog->CBTwo->setCurrentIndex(3);   // Mobile instead of Fax
        dialog->EditTwo->setText(QStringLiteral("555-0199"));
        dialog->EditOneExit(1);
        dialog->EditThree->setText(QStringLiteral("kim@clinic.example"));
        dialog->EditOneExit(2);
        dialog->EditFour->setText(QStringLiteral("http://clinic.example/"));
        dialog->EditOneExit(3);
        dialog->EditAddr->setText(QStringLiteral("12 Elm St."));
        dialog->EditAddr2->setText(QStringLiteral("Floor 3"));
        dialog->EditCity->setText(QStringLiteral("Salem"));
        dialog->EditState->setText(QStringLiteral("OR"));
        dialog->EditZip->setText(QStringLiteral("97301"));
        dialog->EditCountry->setText(QStringLiteral("USA"));
        dialog->MemoHours->setPlainText(QStringLiteral("Mon-Thu 8-6\nFri 8-12"));
        dialog->MemoDirection->setPlainText(QStringLiteral("Behind the library"));
        filled = true;
        dialog->OKBtn->click();
    });
    ASSERT_TRUE(EditBusinessAddr(QStringLiteral("Dr. \"Kim\""), -1, bizId));
    ASSERT_TRUE(filled);
    ASSERT_GT(bizId, 0);

    TBizAddr expected = Business(QStringLiteral("Dr. \"Kim\""), 5, QStringLiteral("555-0100"), QStringLiteral("Salem"));
    expected.contacts = QStringLiteral("Mary");
    expected.mobile = QStringLiteral("555-0199");
    expected.email = QStringLiteral("kim@clinic.example");
    expected.webURL = QStringLiteral("http://clinic.example/");
    expected.addr = QStringLiteral("12 Elm St.");
    expected.addr2 = QStringLiteral("Floor 3");
    expected.state = QStringLiteral("OR");
    expected.zip = QStringLiteral("97301");
    expected.country = QStringLiteral("USA");
    expected.opHours = {QStringLiteral("Mon-Thu 8-6"), QStringLiteral("Fri 8-12")};
    expected.mapDirection = {QStringLiteral("Behind the library")};
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(bizId, row));
    EXPECT_EQ(row, expected);

    // Opened again by its key, it shows the row and updates it in place.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->CBCategory->isEnabled());
        EXPECT_EQ(dialog->CBCategory->currentText(), QStringLiteral("Doctors and Hospitals"));
        EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("555-0100"));
        EXPECT_EQ(dialog->MemoHours->toPlainText(), QStringLiteral("Mon-Thu 8-6\nFri 8-12"));
        dialog->EditCity->setText(QStringLiteral("Portland"));
        dialog->OKBtn->click();
    });
    const qint32 firstId = bizId;
    ASSERT_TRUE(EditBusinessAddr(QString(), 5, bizId));
    EXPECT_EQ(bizId, firstId);
    ASSERT_TRUE(ReadBizAddr(bizId, row));
    EXPECT_EQ(row.city, QStringLiteral("Portland"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 1);
}

TEST_F(DlgBusinessAddrTest, CancelLeavesTheKeyAndTheTable)
{
    qint32 bizId = 0;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->EditCity->setText(QStringLiteral("Salem"));
        dialog->CancelBtn->click();
    });
    EXPECT_FALSE(EditBusinessAddr(QStringLiteral("New Place"), 5, bizId));
    EXPECT_EQ(bizId, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 0);
}

TEST_F(DlgBusinessAddrTest, PictureOfEachTab)
{
    const qint32 id = AddBusiness(QStringLiteral("Riverside Family Practice"), 5, QStringLiteral("(503) 555-0142"));
    auto dialog = Open(QString(), -1, id);
    dialog->EditContact->setText(QStringLiteral("Dr. Alice Moreno"));
    dialog->EditAddr->setText(QStringLiteral("400 River Road"));
    dialog->EditCity->setText(QStringLiteral("Salem"));
    dialog->MemoHours->setPlainText(QStringLiteral("Mon-Fri 8:00-17:00\nSat 9:00-12:00"));
    const QStringList names = {QStringLiteral("dlgbusinessaddr_contacts"), QStringLiteral("dlgbusinessaddr_address"),
                               QStringLiteral("dlgbusinessaddr_notes")};
    for (int tab = 0; tab < 3; ++tab) {
        dialog->PageControl1->setCurrentIndex(tab);
        SavePicture(*dialog, names[tab]);
    }
    EXPECT_EQ(dialog->PageControl1->tabText(2), QStringLiteral("Hours/Direction/Notes"));
}

TEST_F(DlgBusinessAddrTest, SwitchingARowFromPhoneToEmailKeepsThePhone)
{
    AddBusiness(QStringLiteral("Lab One"), 4, QStringLiteral("555-0111"));
    auto dialog = Open(QStringLiteral("Lab One"), 4, 0);
    EXPECT_EQ(BizDlgBizId, FindBizAddrId(QStringLiteral("Lab One"), 4));
    EXPECT_EQ(dialog->CBTwo->currentText(), QStringLiteral("Fax"));
    EXPECT_EQ(TypingLimit(*dialog->EditTwo), 30);
    EXPECT_EQ(TypingLimit(*dialog->EditThree), 50);
    EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("555-0111"));
    dialog->EditOne->setText(QStringLiteral("555-0222"));
    dialog->CBOne->setCurrentIndex(5);
    EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("front@desk.example"));
    EXPECT_EQ(TypingLimit(*dialog->EditOne), 50);
    dialog->CBOne->setCurrentIndex(0);
    EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("555-0222"));
    EXPECT_EQ(TypingLimit(*dialog->EditOne), 30);

    // Two rows showing one kind stay alike once one is left.
    dialog->CBTwo->setCurrentIndex(0);
    dialog->EditTwo->setText(QStringLiteral("555-0333"));
    dialog->EditOneExit(1);
    EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("555-0333"));
}

// As a doctor's "..." button opens it: a name and a phone longer than their
// boxes let anyone type are shown, left and saved unchanged.
TEST_F(DlgBusinessAddrTest, ALongNameAndPhoneAreShownAndSavedWhole)
{
    const QString name = QStringLiteral("Dr. Maria \"Mimi\" O'Sullivan-Featherstonehaugh, Pediatric Allergy");
    const QString phone = QStringLiteral("1-800-555-0199 ext 4411 (after 5 pm)");
    ASSERT_GT(name.size(), 50);
    ASSERT_GT(phone.size(), 30);
    const qint32 id = AddBusiness(name, 5, phone);
    auto dialog = Open(name, 5, id);
    EXPECT_EQ(dialog->EditBizName->text(), name);
    EXPECT_EQ(dialog->EditOne->text(), phone);
    dialog->EditOne->setFocus();
    dialog->EditContact->setFocus();
    dialog->OKBtnClick();
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.businessName, name);
    EXPECT_EQ(row.phone1, phone);
}

// Ctrl+Z and Ctrl+Shift+Z step back and forth through the deletions from a
// name longer than the box lets anyone type.
TEST_F(DlgBusinessAddrTest, UndoAndRedoInALongNameGiveBackWhatItHeld)
{
    const QString name = QStringLiteral("Dr. Maria \"Mimi\" O'Sullivan-Featherstonehaugh, Pediatric Allergy");
    auto dialog = Open(name, 5, AddBusiness(name, 5));
    QLineEdit& edit = *dialog->EditBizName;
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    ASSERT_EQ(edit.text(), name.mid(1).chopped(1));
    QTest::keySequence(&edit, QKeySequence::Undo);
    EXPECT_EQ(edit.text(), name.chopped(1));
    QTest::keySequence(&edit, QKeySequence::Undo);
    EXPECT_EQ(edit.text(), name);
    QTest::keySequence(&edit, QKeySequence::Redo);
    QTest::keySequence(&edit, QKeySequence::Redo);
    EXPECT_EQ(edit.text(), name.mid(1).chopped(1));

    // A paste or typing the limit cut is taken back as well.
    QLineEdit& phone = *dialog->EditOne;
    phone.setText(QStringLiteral("555-0111"));
    phone.setFocus();
    phone.selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("1-800-555-0199 ext 4411 (after 5 pm)"));
    QTest::keySequence(&phone, QKeySequence::Paste);
    EXPECT_EQ(phone.text(), QStringLiteral("1-800-555-0199 ext 4411 (after"));
    QTest::keySequence(&phone, QKeySequence::Undo);
    EXPECT_EQ(phone.text(), QStringLiteral("555-0111"));
    phone.end(false);
    QTest::keyClicks(&phone, QStringLiteral(" ext 4411 (after 5 pm), ask"));
    EXPECT_EQ(phone.text(), QStringLiteral("555-0111 ext 4411 (after 5 pm)"));
    QTest::keySequence(&phone, QKeySequence::Undo);
    EXPECT_EQ(phone.text(), QStringLiteral("555-0111"));

    // So is what an input method put in, a composed accent or a word.
    QTest::keyClicks(&phone, QStringLiteral(" ext 4411 (after 5 pm"));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e9\u00e8"));
    QApplication::sendEvent(&phone, &composed);
    EXPECT_EQ(phone.text(), QStringLiteral("555-0111 ext 4411 (after 5 pm\u00e9"));
    QTest::keySequence(&phone, QKeySequence::Undo);
    EXPECT_EQ(phone.text(), QStringLiteral("555-0111")) << "taken back with the typing before it";
    dialog->CancelBtn->click();
}

// A typo in a name longer than the box is mended by typing over it, or by
// deleting it and typing again, up to the length the name had; emptied, the
// box takes no more than its limit.
TEST_F(DlgBusinessAddrTest, ATypoInALongNameIsMendedByTypingOverIt)
{
    const QString name = QStringLiteral("Great Lakes \"Mutual\" Health & Dental Insurance Compnay of O'Fallon, Kansas");
    const QString mended = QString(name).replace(QStringLiteral("Compnay"), QStringLiteral("Company"));
    auto dialog = Open(name, 6, AddBusiness(name, 6));
    QLineEdit& edit = *dialog->EditBizName;
    edit.setFocus();
    edit.setSelection(int(name.indexOf(QStringLiteral("Compnay"))), 7);
    QTest::keyClicks(&edit, QStringLiteral("Company"));
    EXPECT_EQ(edit.text(), mended);

    edit.setText(name);
    edit.setCursorPosition(int(name.indexOf(QStringLiteral("nay"))) + 3);
    for (int n = 0; n < 3; ++n)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral("anyx"));
    EXPECT_EQ(edit.text(), mended) << "no longer than it was";

    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, name);
    EXPECT_EQ(edit.text(), name.left(50));
}

TEST_F(DlgBusinessAddrTest, EnterInAPhoneEditSavesWhatWasTyped)
{
    const qint32 id = AddBusiness(QStringLiteral("Quick Care"), 8, QStringLiteral("555-0000"));
    auto dialog = Open(QString(), 8, id);
    dialog->EditOne->setFocus();
    ASSERT_TRUE(dialog->EditOne->hasFocus());
    dialog->EditOne->selectAll();
    QTest::keyClicks(dialog->EditOne, QStringLiteral("555-4444"));
    QTest::keyClick(dialog->EditOne, Qt::Key_Return);
    EXPECT_TRUE(BizDlgSaved);
    EXPECT_FALSE(dialog->isVisible());
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.phone1, QStringLiteral("555-4444"));
}

TEST_F(DlgBusinessAddrTest, OkWithTheFocusStillInAContactEditSavesIt)
{
    const qint32 id = AddBusiness(QStringLiteral("Quick Care"), 8, QStringLiteral("555-0000"));
    auto dialog = Open(QString(), -1, id);
    dialog->EditTwo->setFocus();
    dialog->EditTwo->setText(QStringLiteral("555-7777"));
    dialog->OKBtnClick();
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.fax, QStringLiteral("555-7777"));
    EXPECT_EQ(row.categoryNo, 8);
}

TEST_F(DlgBusinessAddrTest, ANameOtherThanTheStoredOneOpensANewAddress)
{
    const qint32 id = AddBusiness(QStringLiteral("Old Name Clinic"), 5, QStringLiteral("555-0101"));
    auto dialog = Open(QStringLiteral("New Name Clinic"), 5, id);
    EXPECT_EQ(BizDlgBizId, 0);
    EXPECT_EQ(dialog->EditBizName->text(), QStringLiteral("New Name Clinic"));
    EXPECT_TRUE(dialog->EditOne->text().isEmpty());
    dialog->OKBtnClick();
    EXPECT_TRUE(BizDlgSaved);
    EXPECT_NE(BizDlgBizId, id);
    TBizAddr old;
    ASSERT_TRUE(ReadBizAddr(id, old));
    EXPECT_EQ(old.businessName, QStringLiteral("Old Name Clinic"));
    EXPECT_EQ(old.phone1, QStringLiteral("555-0101"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 2);

    // Nor is a key of another category than the one fixed.
    const qint32 pharmacy = Append(Business(QStringLiteral("Shared Name"), 1));
    auto second = Open(QStringLiteral("Shared Name"), 5, pharmacy);
    EXPECT_EQ(BizDlgBizId, 0);
    EXPECT_EQ(second->CBCategory->currentText(), QStringLiteral("Doctors and Hospitals"));
}

// Typed by the user and left for the OK button, not set behind the combo's back:
// the combo itself must not put the chosen item's spelling back.
TEST_F(DlgBusinessAddrTest, AChosenCategoryRetypedInOtherCaseBecomesANewCategory)
{
    const qint32 id = AddBusiness(QStringLiteral("Quick Care"), 7);
    auto dialog = Open(QString(), -1, id);
    ASSERT_EQ(dialog->CBCategory->currentText(), QStringLiteral("Therapists"));
    dialog->CBCategory->setFocus();
    dialog->CBCategory->lineEdit()->selectAll();
    QTest::keyClicks(dialog->CBCategory->lineEdit(), QStringLiteral("THERAPISTS"));
    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
    ASSERT_TRUE(BizDlgSaved);
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.categoryNo, 10);
    EXPECT_EQ(Value(QStringLiteral("SELECT * FROM Choices WHERE ComponentID = 11 AND ChoiceID = 10"),
                    QStringLiteral("ItemName")),
              QStringLiteral("THERAPISTS"));
}

TEST_F(DlgBusinessAddrTest, EmptyNameKeepsTheDialogOpen)
{
    auto dialog = Open(QString(), -1, 0);
    ScriptedMessageBoxes boxes;
    dialog->OKBtnClick();
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("You must enter the business name or click Cancel.")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(BizDlgSaved);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 0);
}

TEST_F(DlgBusinessAddrTest, AFailedUpdateKeepsTheDialogOpenWithWhatWasTyped)
{
    const qint32 id = AddBusiness(QStringLiteral("Valley Clinic"), 5, QStringLiteral("555-0100"));
    auto dialog = Open(QString(), -1, id);
    dialog->EditCity->setText(QStringLiteral("Salem"));
    dialog->MemoNote->setPlainText(QStringLiteral("Ask for Dr. O'Neil\nBring the card"));
    dialog->CBCategory->setCurrentIndex(-1);
    dialog->CBCategory->setEditText(QStringLiteral("Chiropractors"));
    const QString choices = QStringLiteral("SELECT * FROM Choices WHERE ComponentID = 11");
    const int listed = Count(choices);
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("BIZADDR"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtnClick();
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Fail to update address record.")});
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Error);
    EXPECT_FALSE(BizDlgSaved);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->EditCity->text(), QStringLiteral("Salem"));
    EXPECT_EQ(dialog->MemoNote->toPlainText(), QStringLiteral("Ask for Dr. O'Neil\nBring the card"));
    EXPECT_EQ(dialog->EditOne->text(), QStringLiteral("555-0100"));
    EXPECT_EQ(dialog->CBCategory->currentText(), QStringLiteral("Chiropractors"));
    EXPECT_EQ(Count(choices), listed) << "the new category goes back with the address";

    // Once the database takes it, OK saves what was typed, the category once.
    Exec(QStringLiteral("DROP TRIGGER FailUPDATEBIZADDR"));
    dialog->OKBtnClick();
    EXPECT_TRUE(BizDlgSaved);
    EXPECT_FALSE(dialog->isVisible());
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.city, QStringLiteral("Salem"));
    EXPECT_EQ(row.note, (QStringList{QStringLiteral("Ask for Dr. O'Neil"), QStringLiteral("Bring the card")}));
    EXPECT_EQ(Count(choices), listed + 1);
    EXPECT_EQ(Value(choices + QStringLiteral(" AND ChoiceID = %1").arg(row.categoryNo), QStringLiteral("ItemName")),
              QStringLiteral("Chiropractors"));
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(DlgBusinessAddrTest, ARowDeletedMeanwhileIsNotSavedAndTheDialogStaysOpen)
{
    const qint32 id = AddBusiness(QStringLiteral("Gone Soon"), 5);
    auto dialog = Open(QString(), 5, id);
    Exec(QStringLiteral("DELETE FROM BIZADDR"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtnClick();
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Fail to update address record.")});
    EXPECT_FALSE(BizDlgSaved);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 0);
}

TEST_F(DlgBusinessAddrTest, AFailedAddKeepsTheDialogOpenAndAddsNothing)
{
    auto dialog = Open(QStringLiteral("Lakeside Pharmacy"), 5, 0);
    dialog->EditZip->setText(QStringLiteral("97301"));
    FailOn(QStringLiteral("INSERT"), QStringLiteral("BIZADDR"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtnClick();
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Fail to add address record.")});
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Error);
    EXPECT_FALSE(BizDlgSaved);
    EXPECT_EQ(BizDlgBizId, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->EditBizName->text(), QStringLiteral("Lakeside Pharmacy"));
    EXPECT_EQ(dialog->EditZip->text(), QStringLiteral("97301"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 0);
}

// Saving the address without its new category would store it under no
// category at all.
TEST_F(DlgBusinessAddrTest, ACategoryThatCannotBeAddedSavesNothing)
{
    const qint32 id = AddBusiness(QStringLiteral("Quick Care"), 7);
    auto dialog = Open(QString(), -1, id);
    dialog->CBCategory->setCurrentIndex(-1);
    dialog->CBCategory->setEditText(QStringLiteral("Chiropractors"));
    FailOn(QStringLiteral("INSERT"), QStringLiteral("Choices"));
    ScriptedMessageBoxes boxes;
    dialog->OKBtnClick();
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Fail to add a user-defined item to the drop-down list")});
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_FALSE(BizDlgSaved);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->CBCategory->currentText(), QStringLiteral("Chiropractors"));
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.categoryNo, 7);
}

// An address that cannot be read is not a new one: saving it would add a
// second row of the same name.
TEST_F(DlgBusinessAddrTest, AnAddressThatCannotBeReadIsNotOpened)
{
    const qint32 id = AddBusiness(QStringLiteral("Valley Clinic"), 5);
    bool opened = false;
    QTimer cancel;
    cancel.setSingleShot(true);
    QObject::connect(&cancel, &QTimer::timeout, [&opened] {
        if (auto* dialog = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->CancelBtn->click();
        }
    });
    ScriptedMessageBoxes boxes;
    Exec(QStringLiteral("ALTER TABLE BIZADDR RENAME TO BIZADDRMoved"));
    qint32 bizId = id;
    cancel.start(0);
    EXPECT_FALSE(EditBusinessAddr(QStringLiteral("Valley Clinic"), 5, bizId));
    EXPECT_FALSE(opened);
    EXPECT_EQ(bizId, id);
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Cannot read the address record from the database.")});
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Error);

    // Nor is it opened without its list of categories.
    Exec(QStringLiteral("ALTER TABLE BIZADDRMoved RENAME TO BIZADDR"));
    Exec(QStringLiteral("ALTER TABLE Choices RENAME TO ChoicesMoved"));
    cancel.start(0);
    EXPECT_FALSE(EditBusinessAddr(QStringLiteral("Valley Clinic"), 5, bizId));
    EXPECT_FALSE(opened);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Fail to get category list."));
}

// Enter in a contact box presses OK however the caret went round the
// buttons before, and Enter on a button presses that button: from the
// address book and from a doctor's "..." button.
TEST_F(DlgBusinessAddrTest, EnterPressesTheButtonWithTheCaretElseOK)
{
    const qint32 clinic = AddBusiness(QStringLiteral("Valley Clinic"), 5);
    const auto phone = [](TDlgBusinessAddr& dialog) { return dialog.EditOne; };
    ExpectEnterKeys({
        EnterKeyCase("new address", [] { return Made(QStringLiteral("Dr Alpha"), -1, 0); }, phone),
        EnterKeyCase("doctor", [clinic] { return Made(QStringLiteral("Valley Clinic"), 5, clinic); }, phone),
    });
}

// As the address book's Add... opens it: the name is typed where the caret
// starts, Tab leads on to the Phone box, and Enter there saves both.
TEST_F(DlgBusinessAddrTest, TheCaretStartsInTheNameBox)
{
    ScriptedMessageBoxes boxes;
    auto dialog = Open(QString(), -1, 0);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Dr Alpha"));
    for (int tabs = 0; tabs < 10 && !dialog->EditOne->hasFocus(); ++tabs)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(dialog->EditOne, QStringLiteral("555-0100"));
    QTest::keyClick(dialog->EditOne, Qt::Key_Return);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(BizDlgSaved);
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(BizDlgBizId, row));
    EXPECT_EQ(row.businessName, QStringLiteral("Dr Alpha"));
    EXPECT_EQ(row.phone1, QStringLiteral("555-0100"));
}

// In the hours, Enter starts a new line and Tab walks on, round to OK.
TEST_F(DlgBusinessAddrTest, TabLeavesAMemoForOK)
{
    auto dialog = Open(QStringLiteral("Dr Alpha"), -1, 0);
    dialog->PageControl1->setCurrentIndex(2);
    dialog->MemoHours->setFocus();
    QTest::keyClicks(dialog->MemoHours, QStringLiteral("Mon 8-5"));
    QTest::keyClick(dialog->MemoHours, Qt::Key_Return);
    QTest::keyClicks(dialog->MemoHours, QStringLiteral("Sat 9-12"));
    for (int tabs = 0; tabs < 10 && !dialog->OKBtn->hasFocus(); ++tabs)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(BizDlgSaved);
    TBizAddr row;
    ASSERT_TRUE(ReadBizAddr(BizDlgBizId, row));
    EXPECT_EQ(row.opHours, QStringList({QStringLiteral("Mon 8-5"), QStringLiteral("Sat 9-12")}));
}

}  // namespace
