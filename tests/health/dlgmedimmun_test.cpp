// The immunization windows as the user meets them: the grid, the dose
// record with its expense, the vaccine dialog, the vaccine deletion and the
// printed record.
#include "health/dlgaddim.h"
#include "health/dlgdelvc.h"
#include "health/dlgmedimmrec.h"
#include "health/dlgmedimmun.h"
#include "health/expenseopener.h"
#include "health/immureptform.h"
#include "expenseenv.h"
#include "printoutcapture.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QApplication>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class ImmunizationWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        Clock::SetFixed(QDateTime(QDate(2025, 3, 31), QTime(10, 0)));
        kim_ = AppendRow(DataFolder, QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [](TDataSet& row) {
            row.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Kim <b>\"KJ\"</b>"));
            row.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("O'Neil"));
            row.FieldByName(QStringLiteral("Sex")).SetAsInteger(1);
            row.FieldByName(QStringLiteral("DOB")).SetAsDateTime(EncodeDate(2024, 5, 31));
        });
        CurMemberID = kim_;
    }
    void TearDown() override
    {
        SetFixedMemberExpenseOpener({});
        Clock::SetFixed({});
    }

    static qint32 Count(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.Open();
        return query.Fields(0).AsInteger();
    }
    static void Execute(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.ExecSQL();
    }
    // The grid cell of the vaccine whose name starts so, at the dose age.
    static std::pair<int, int> CellOf(const TDlgMedImmun& dialog, const QString& vaccine, qint32 age)
    {
        const TImmuGrid& grid = *dialog.Grid();
        int row = 0;
        while (!grid.vaccines[size_t(row)].name.startsWith(vaccine))
            ++row;
        const int column = int(std::find(grid.doseAges.begin(), grid.doseAges.end(), age) - grid.doseAges.begin());
        return {row, column};
    }
    qint32 TemplOf(const QString& vaccine, qint32 age)
    {
        TDlgMedImmun dialog;
        const auto [row, column] = CellOf(dialog, vaccine, age);
        return dialog.Grid()->cells[size_t(row) * dialog.Grid()->doseAges.size() + size_t(column)]->templId;
    }

    // The point of the first MMR dose, given on 1 March 2025.
    qint32 RecordedFirstMmrDose()
    {
        const qint32 mmr1 = TemplOf(QStringLiteral("Measles"), 12);
        AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
            row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(mmr1);
            row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2025, 3, 1));
        });
        return mmr1;
    }
    static void ChooseMmr(TDlgAddIm& dialog)
    {
        dialog.CBVaccine->setCurrentIndex(dialog.CBVaccine->findText(QStringLiteral("Measles, Mumps, Rubella (MMR)")));
        dialog.CBVaccineChange();
    }

    // The controls Tab visits from the focused one until it comes round
    // again (at most 30 steps, so a control that keeps the Tab shows).
    static std::vector<QWidget*> TabChain(QDialog& dialog, QWidget* first)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        first->setFocus();
        std::vector<QWidget*> chain;
        for (QWidget* widget = first; widget && chain.size() < 30;) {
            chain.push_back(widget);
            QTest::keyClick(widget, Qt::Key_Tab);
            widget = QApplication::focusWidget();
            if (widget == first)
                break;
        }
        return chain;
    }

    FreshDataFolder folder_;
    qint32 kim_ = 0;
};

TEST_F(ImmunizationWindows, TheGridShowsVaccinesByDoseAgeAndClosingWritesTheRemindersOnce)
{
    TDlgMedImmun dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Immunization Schedule for Kim <b>\"KJ\"</b>"));
    EXPECT_EQ(dialog.JazLabel2->textFormat(), Qt::PlainText);
    ASSERT_EQ(dialog.DGImmu->rowCount(), 13);
    ASSERT_EQ(dialog.DGImmu->columnCount(), 9);
    EXPECT_EQ(dialog.DGImmu->horizontalHeaderItem(3)->text(), QStringLiteral("4 months\nold"));
    EXPECT_EQ(dialog.DGImmu->horizontalHeaderItem(8)->text(), QStringLiteral("2 - 20\nyears old"));
    EXPECT_EQ(dialog.DGImmu->verticalHeaderItem(0)->text(), QStringLiteral("Hepatitis B (HepB)"));
    EXPECT_FALSE(dialog.DGImmu->item(0, 0)->data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(dialog.DGImmu->item(0, 2)->data(Qt::DecorationRole).isNull()) << "no HepB dose at 2 months";
    dialog.show();
    SavePicture(dialog, QStringLiteral("immunization_grid"));

    dialog.accept();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01 WHERE CategoryNo = 5")), 15);
    dialog.done(QDialog::Rejected);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01 WHERE CategoryNo = 5")), 15);
}

TEST_F(ImmunizationWindows, ClickingADoseRecordsItAndTheCellShowsItDone)
{
    TDlgMedImmun dialog;
    dialog.show();
    const auto [row, column] = CellOf(dialog, QStringLiteral("Rotavirus"), 2);
    const QImage before = dialog.DGImmu->item(row, column)->data(Qt::DecorationRole).value<QPixmap>().toImage();
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* record = qobject_cast<TDlgMedImmRec*>(QApplication::activeModalWidget());
        ASSERT_NE(record, nullptr);
        caption = record->windowTitle();
        record->BtnOK->click();
    });
    dialog.DGImmuClick(row, column);
    EXPECT_EQ(caption, QStringLiteral("Add Immunization Record"));
    EXPECT_NE(dialog.Grid()->cells[size_t(row) * dialog.Grid()->doseAges.size() + size_t(column)]->checkupId, 0);
    const QImage after = dialog.DGImmu->item(row, column)->data(Qt::DecorationRole).value<QPixmap>().toImage();
    EXPECT_NE(before, after) << "the done picture";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE MemberID = %1").arg(kim_)), 1);
    SavePicture(dialog, QStringLiteral("immunization_grid_done"));
    dialog.DGImmuClick(0, 2);   // no HepB dose at 2 months: nothing opens
}

TEST_F(ImmunizationWindows, ANewDoseRecordOffersTheRecommendedDateAndIsWrittenWithItsDoctor)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    ScriptedMessageBoxes boxes;
    TDlgMedImmRec add(nullptr, kim_, hib2, 0);
    EXPECT_EQ(add.windowTitle(), QStringLiteral("Add Immunization Record"));
    EXPECT_EQ(add.LbDate->text(), QStringLiteral("Expected date:"));
    EXPECT_EQ(add.BtnOK->text(), QStringLiteral("&Add"));
    EXPECT_TRUE(add.BtnDelete->isHidden());
    EXPECT_EQ(add.PFDate->DateTimeValue(), EncodeDate(2024, 9, 30));
    add.CBDoc->setEditText(QStringLiteral("Dr. Lee's <i>Clinic</i>"));
    add.MemoNote->setPlainText(QStringLiteral("left arm"));
    add.show();
    SavePicture(add, QStringLiteral("immunization_record_add"));
    add.BtnOK->click();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    ASSERT_NE(add.CheckupID(), 0);
    EXPECT_EQ(add.result(), QDialog::Accepted);

    TDlgMedImmRec edit(nullptr, kim_, hib2, add.CheckupID());
    EXPECT_EQ(edit.windowTitle(), QStringLiteral("Edit Immunization Record"));
    EXPECT_EQ(edit.BtnOK->text(), QStringLiteral("&Update"));
    EXPECT_FALSE(edit.BtnDelete->isHidden());
    EXPECT_TRUE(edit.LabelAdd->isHidden());
    EXPECT_EQ(edit.CBDoc->currentText(), QStringLiteral("Dr. Lee's <i>Clinic</i>"));
    EXPECT_EQ(edit.MemoNote->toPlainText(), QStringLiteral("left arm"));
    edit.BtnDelete->click();
    EXPECT_EQ(edit.CheckupID(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0);
}

TEST_F(ImmunizationWindows, ADateFarFromTheScheduleIsRecordedOnlyWhenConfirmed)
{
    const qint32 hepB2 = TemplOf(QStringLiteral("Hepatitis B"), 1);
    ScriptedMessageBoxes boxes;
    boxes.answers = {MsgResult::No, MsgResult::Yes};
    TDlgMedImmRec dialog(nullptr, kim_, hepB2, 0);
    dialog.PFDate->SetDateTimeValue(EncodeDate(2025, 1, 30));
    dialog.BtnOK->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("around 6/30/2024")));
    dialog.BtnOK->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 1);

    TDlgMedImmRec future(nullptr, kim_, hepB2, 0);
    future.PFDate->SetDateTimeValue(EncodeDate(2025, 4, 1));
    future.BtnOK->click();
    EXPECT_EQ(boxes.Texts().last(),
              QStringLiteral("Please enter the date when the immunization was done. It cannot be a future date."));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 1);
}

TEST_F(ImmunizationWindows, TheExpenseOfANewRecordGoesWhenTheRecordIsCancelled)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const qint32 expId = AppendRow(DataFolder, QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(19.99);
    });
    TFixedExpenseRequest asked;
    SetFixedMemberExpenseOpener([&](QWidget*, const TFixedExpenseRequest& request) {
        asked = request;
        return TFixedExpenseOutcome{expId};
    });
    ScriptedMessageBoxes boxes;
    TDlgMedImmRec dialog(nullptr, kim_, hib2, 0);
    dialog.PFDate->ClearText();
    dialog.Button1->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter the checkup date before Click."});
    EXPECT_EQ(asked.memberId, 0) << "no expense without a date";

    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 10, 1));
    dialog.Button1->click();
    EXPECT_EQ(asked.memberId, kim_);
    EXPECT_EQ(asked.expId, 0);
    EXPECT_EQ(asked.expenseDate, EncodeDate(2024, 10, 1));
    EXPECT_EQ(dialog.ExpID(), expId);
    dialog.BtnCancel->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0);
}

TEST_F(ImmunizationWindows, CancelOfAStoredRecordKeepsItsExpense)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const qint32 expId = AppendRow(DataFolder, QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
    });
    const qint32 record = AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(hib2);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2024, 9, 30));
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
    });
    TDlgMedImmRec dialog(nullptr, kim_, hib2, record);
    EXPECT_EQ(dialog.ExpID(), expId);
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 10, 1));
    dialog.BtnCancel->click();
    EXPECT_EQ(dialog.CheckupID(), record);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
    TQuery stored(DataFolder);
    stored.SQL() << QStringLiteral("SELECT DateDone, ExpID FROM MEDCHEK");
    stored.Open();
    EXPECT_EQ(stored.Fields(0).AsDateTime(), EncodeDate(2024, 9, 30));
    EXPECT_EQ(stored.Fields(1).AsInteger(), expId);
}

// The dose record of a recorded dose left without saving, by each way out,
// with an expense reported in it: that $40 goes, however often it is tried;
// an expense the record had before stays with it.
TEST_F(ImmunizationWindows, LeavingAStoredRecordDropsOnlyTheExpenseWrittenInThisOpening)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const auto recordOf = [&](qint32 templId, qint32 expId) {
        return AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
            row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(templId);
            row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2024, 9, 30));
            row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
        });
    };
    const qint32 record = recordOf(hib2, 0);
    // The expense dialog in the user's place: Finish with office 40.
    SetFixedMemberExpenseOpener([&](QWidget*, const TFixedExpenseRequest& request) {
        if (request.expId != 0)
            return TFixedExpenseOutcome{request.expId};
        const qint32 expId = AppendRow(DataFolder, QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
            row.FieldByName(QStringLiteral("OfficePaid")).SetAsFloat(40.0);
            row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(40.0);
        });
        AppendRow(DataFolder, QStringLiteral("MEDEXPSP"), QString(), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
            row.FieldByName(QStringLiteral("Amount")).SetAsFloat(19.99);
        });
        return TFixedExpenseOutcome{expId};
    });
    const std::vector<std::pair<const char*, std::function<void(TDlgMedImmRec&)>>> waysOut = {
        {"Cancel", [](TDlgMedImmRec& dialog) { dialog.BtnCancel->click(); }},
        {"Escape", [](TDlgMedImmRec& dialog) { QTest::keyClick(dialog.PFDate, Qt::Key_Escape); }},
        {"title bar", [](TDlgMedImmRec& dialog) { dialog.close(); }},
    };
    for (const auto& [way, leave] : waysOut) {
        TDlgMedImmRec dialog(nullptr, kim_, hib2, record);
        dialog.show();
        dialog.Button1->click();
        ASSERT_NE(dialog.ExpID(), 0) << way;
        leave(dialog);
        EXPECT_FALSE(dialog.isVisible()) << way;
        EXPECT_EQ(dialog.CheckupID(), record) << way;
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0) << way;
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 0) << way;
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(record)), 0);

    // Opened again through its expense report and cancelled: the old one stays.
    const qint32 old = AppendRow(DataFolder, QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(0.29);
    });
    const qint32 hib1 = TemplOf(QStringLiteral("Haemophilus"), 2);
    const qint32 paid = recordOf(hib1, old);
    TDlgMedImmRec dialog(nullptr, kim_, hib1, paid);
    dialog.show();
    dialog.Button1->click();
    EXPECT_EQ(dialog.ExpID(), old);
    dialog.BtnCancel->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1").arg(old)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(paid)), old);

    // Deleted: the expense reported in this opening goes with the record.
    TDlgMedImmRec deleting(nullptr, kim_, hib2, record);
    deleting.show();
    deleting.Button1->click();
    ASSERT_NE(deleting.ExpID(), old);
    deleting.BtnDelete->click();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE CheckupID = %1").arg(record)), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 0);
}

// A Delete, a Cancel or the title bar that the database refuses changes
// nothing and keeps the dialog open; tried again, Delete or Cancel leaves no
// expense without its dose.
TEST_F(ImmunizationWindows, ARefusedDeleteOrCancelChangesNothingAndMayBeTriedAgain)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const qint32 fsa = ExpenseEnv::AddAccount(5, QStringLiteral("Acme FSA"));
    ExpenseEnv::AddElection(fsa, 2025);
    SetFixedMemberExpenseOpener([&](QWidget*, const TFixedExpenseRequest&) {
        return TFixedExpenseOutcome{ExpenseEnv::AddReimbursedExpense(kim_, EncodeDate(2025, 1, 15), fsa, 4500)};
    });
    using Press = std::function<void(TDlgMedImmRec&)>;
    const Press erase = [](TDlgMedImmRec& dialog) { dialog.BtnDelete->click(); };
    const Press cancel = [](TDlgMedImmRec& dialog) { dialog.BtnCancel->click(); };
    const Press titleBar = [](TDlgMedImmRec& dialog) { dialog.close(); };
    const std::vector<std::tuple<const char*, const char*, Press, Press>> tries = {
        {"Delete, Delete", "MEDCHEK", erase, erase},
        {"Delete, Cancel", "MEDCHEK", erase, cancel},
        {"title bar, Cancel", "MEDEXP", titleBar, cancel}};
    ScriptedMessageBoxes boxes;
    for (const auto& [way, refused, first, again] : tries) {
        SCOPED_TRACE(way);
        const qint32 record = AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
            row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(hib2);
            row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2025, 1, 15));
        });
        TDlgMedImmRec dialog(nullptr, kim_, hib2, record);
        dialog.show();
        dialog.Button1->click();
        const QStringList reported = ExpenseEnv::Snapshot();
        ASSERT_FALSE(reported.isEmpty());
        Execute(QStringLiteral("CREATE TRIGGER Refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .arg(QLatin1String(refused)));
        first(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ExpenseEnv::Snapshot(), reported);
        Execute(QStringLiteral("DROP TRIGGER Refuse"));
        again(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(ExpenseEnv::Snapshot().isEmpty());
    }
}

// A recorded dose moved to a year its expense's FSA has no election for:
// the user is told which payment no longer fits, the dialog stays open, and
// neither the record nor the expense moves.
TEST_F(ImmunizationWindows, ADoseMovedWhereItsExpenseNoLongerFitsStaysOpen)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const qint32 fsa = ExpenseEnv::AddAccount(5, QStringLiteral("Acme FSA"));
    ExpenseEnv::AddElection(fsa, 2025);
    const qint32 expId = ExpenseEnv::AddReimbursedExpense(kim_, EncodeDate(2025, 1, 15), fsa, 2999);
    const qint32 record = AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(hib2);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2025, 1, 15));
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
    });
    const QStringList stored = ExpenseEnv::Snapshot();
    ScriptedMessageBoxes boxes;
    TDlgMedImmRec dialog(nullptr, kim_, hib2, record);
    dialog.show();
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 12, 31));
    dialog.BtnOK->click();
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("The tax-year is different. This FSA can not apply to this "
                                                        "expense\nReimbursement of Acme FSA: $29.99")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE DateDone = '2025-01-15'")), 1);
    EXPECT_EQ(ExpenseEnv::Snapshot(), stored);
}

TEST_F(ImmunizationWindows, AScheduleThatCannotBeMadeTellsTheUser)
{
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplType = 1");
    wipe.ExecSQL();
    ScriptedMessageBoxes boxes;
    TDlgMedImmun dialog;
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(boxes.Texts(), QStringList{"Your database may have been corrupted. The program will exit now. Please try "
                                         "it again."});
    dialog.accept();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01")), 0);
}

// Tab leaves a note box like any other field, so the buttons are reached
// from the keyboard.
TEST_F(ImmunizationWindows, TabRunsThroughTheNotesToTheButtons)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    TDlgMedImmRec record(nullptr, kim_, hib2, 0);
    EXPECT_EQ(TabChain(record, record.PFDate),
              (std::vector<QWidget*>{record.PFDate, record.CBDoc, record.MemoNote, record.Button1, record.BtnOK,
                                     record.BtnCancel, record.MemoMsg}));

    TDlgAddIm vaccine(nullptr, true, kim_, 14);
    const std::vector<QWidget*> chain = TabChain(vaccine, vaccine.EditVaccine);
    ASSERT_GE(chain.size(), 4U);
    EXPECT_EQ(std::vector<QWidget*>(chain.end() - 4, chain.end()),
              (std::vector<QWidget*>{vaccine.MemoVaccine, vaccine.BtnOK, vaccine.Button1, vaccine.BtnApply}));
}

// A long vaccine name wraps in the dose record; the dialog stays as wide
// as designed.
TEST_F(ImmunizationWindows, ALongVaccineNameWrapsInTheDoseRecord)
{
    const QString name = QStringLiteral("Diphtheria & Tetanus Toxoids and Acellular Pertussis <b>Adsorbed</b>, "
                                        "Hepatitis B \"Recombinant\" and Polio");
    const qint32 templId = AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("ImmuID")).SetAsInteger(40);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(name);
        row.FieldByName(QStringLiteral("Interval")).SetAsInteger(6);
    });
    TDlgMedImmRec record(nullptr, kim_, templId, 0);
    record.show();
    SavePicture(record, QStringLiteral("immunization_record_long_name"));
    EXPECT_EQ(record.LBVaccine->text(), name);
    EXPECT_LE(record.width(), 600);
    EXPECT_GE(record.LBVaccine->height(), record.LBVaccine->heightForWidth(record.LBVaccine->width()))
        << "every line of the name shows";
}

// Made as small as the window system allows, every text and box still
// reads whole.
TEST_F(ImmunizationWindows, ShrunkWindowsStayReadable)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    TDlgMedImmun grid;
    TDlgMedImmRec record(nullptr, kim_, hib2, 0);
    TDlgAddIm vaccine(nullptr, true, kim_, 14);
    TDlgDelVc deletion(nullptr, kim_);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&grid, &record, &vaccine, &deletion}) {
        dialog->show();
        dialog->resize(1, 1);
        const QStringList cramped = CrampedWidgets(*dialog);
        EXPECT_TRUE(cramped.isEmpty()) << dialog->objectName().toStdString() << ": "
                                       << cramped.join(QStringLiteral(" | ")).toStdString();
    }
    QApplication::processEvents();
    EXPECT_GE(grid.DGImmu->viewport()->height(), grid.DGImmu->rowHeight(0)) << "one whole vaccine row shows";
    SavePicture(grid, QStringLiteral("immunization_grid_smallest"));
    SavePicture(vaccine, QStringLiteral("immunization_vaccine_smallest"));
    grid.accept();
}

// Blanks around the provider's name are not part of it: blanks alone name
// nobody, and a known name with blanks finds its business.
TEST_F(ImmunizationWindows, BlanksAroundTheProviderNameMakeNoNewBusiness)
{
    const qint32 hib2 = TemplOf(QStringLiteral("Haemophilus"), 4);
    const qint32 hib3 = TemplOf(QStringLiteral("Haemophilus"), 6);
    const qint32 lee = AppendRow(DataFolder, QStringLiteral("BIZADDR"), QStringLiteral("BizId"), [](TDataSet& row) {
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
        row.FieldByName(QStringLiteral("BusinessName")).SetAsString(QStringLiteral("Dr. Lee"));
    });
    const qint32 businesses = Count(QStringLiteral("SELECT COUNT(*) FROM BIZADDR"));
    ScriptedMessageBoxes boxes;
    TDlgMedImmRec blank(nullptr, kim_, hib2, 0);
    blank.CBDoc->setEditText(QStringLiteral("   "));
    blank.BtnOK->click();
    ASSERT_EQ(blank.result(), QDialog::Accepted);
    TDlgMedImmRec padded(nullptr, kim_, hib3, 0);
    padded.CBDoc->setEditText(QStringLiteral("  Dr. Lee "));
    padded.BtnOK->click();
    ASSERT_EQ(padded.result(), QDialog::Accepted);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM BIZADDR")), businesses);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE Doctor = '' AND DoctorID = 0")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE Doctor = 'Dr. Lee' AND DoctorID = %1").arg(lee)),
              1);
}

// A new vaccine is its schedule points: without one nothing would be
// stored, so OK is refused rather than closing as if it were saved.
TEST_F(ImmunizationWindows, ANewVaccineWithoutAPointIsRefused)
{
    ScriptedMessageBoxes boxes;
    TDlgAddIm dialog(nullptr, true, kim_, 14);
    dialog.EditVaccine->setText(QStringLiteral("Flu \"nasal\""));
    dialog.MemoVaccine->setPlainText(QStringLiteral("yearly"));
    dialog.BtnOK->click();
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Please add when this vaccine should be given to the list.")});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.Changed());
    dialog.BtnApply->click();
    EXPECT_EQ(dialog.EditVaccine->text(), QStringLiteral("Flu \"nasal\"")) << "nothing reset";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ImmuID = 14")), 0);
}

TEST_F(ImmunizationWindows, TheVaccineDialogAddsAVaccineWithItsPoints)
{
    ScriptedMessageBoxes boxes;
    TDlgAddIm dialog(nullptr, true, kim_, 14);
    EXPECT_TRUE(dialog.CBVaccine->isHidden());
    dialog.BtnAddClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the age."));
    dialog.CBScheduleType->setCurrentIndex(0);
    dialog.SFAtAge->setValue(30);
    dialog.BtnAdd->click();
    EXPECT_EQ(dialog.LBVaccine->count(), 0);
    dialog.SFAtAge->setValue(18);
    dialog.BtnAdd->click();
    dialog.CBScheduleType->setCurrentIndex(1);
    dialog.SFAtAge->setValue(5);
    dialog.BtnAdd->click();
    ASSERT_EQ(dialog.LBVaccine->count(), 2);
    EXPECT_EQ(dialog.LBVaccine->item(1)->text(), QStringLiteral("5 years old"));
    dialog.BtnOK->click();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the name of the vaccine."));
    EXPECT_FALSE(dialog.Changed());
    dialog.EditVaccine->setText(QStringLiteral("Flu \"nasal\""));
    dialog.MemoVaccine->setPlainText(QStringLiteral("yearly"));
    dialog.show();
    SavePicture(dialog, QStringLiteral("immunization_vaccine_add"));
    dialog.BtnOK->click();
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ImmuID = 14 AND ItemStr1 = 'Flu \"nasal\"'")),
              2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ImmuID = 14 AND AgeLow = 5 AND Interval = 100")),
              1);
}

TEST_F(ImmunizationWindows, EditingAVaccineAsksBeforeARecordedPointGoes)
{
    const qint32 mmr1 = RecordedFirstMmrDose();
    ScriptedMessageBoxes boxes;
    TDlgAddIm dialog(nullptr, false, kim_, 0);
    dialog.BtnOK->click();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please select a vaccine from the drop down list to edit."));
    ChooseMmr(dialog);
    ASSERT_EQ(dialog.LBVaccine->count(), 2);
    EXPECT_EQ(dialog.LBVaccine->item(1)->text(), QStringLiteral("4 - 6 years old"));
    dialog.LBVaccine->setCurrentRow(0);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.LBVaccine->setFocus();
    QTest::keyClick(dialog.LBVaccine, Qt::Key_Delete);
    EXPECT_EQ(dialog.LBVaccine->count(), 1);
    // Renamed at the same time: the point kept by No takes the new name and
    // description like the others, so the vaccine shows under one name.
    dialog.EditVaccine->setText(QStringLiteral("MMR \"II\""));
    dialog.MemoVaccine->setPlainText(QStringLiteral("two doses"));
    boxes.answers = {MsgResult::No};
    dialog.BtnOK->click();
    EXPECT_TRUE(boxes.Texts().last().startsWith(QStringLiteral("You have a record for the schedule of 1 year old.")));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplID = %1 AND ItemStr1 = 'MMR \"II\"' "
                                   "AND Note = 'two doses'")
                        .arg(mmr1)),
              1)
        << "kept, renamed";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(mmr1)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(DISTINCT ItemStr1) FROM MEDTEMPL WHERE TemplType = 2 AND ImmuID = "
                                   "(SELECT ImmuID FROM MEDTEMPL WHERE TemplID = %1)")
                        .arg(mmr1)),
              1);
}

// A recorded point removed, another added in its grid column, and the
// removal refused with No: the vaccine keeps one dose there, the one with the
// record, not two that the grid shows in one cell; the user hears why the
// new one is missing.
TEST_F(ImmunizationWindows, APointKeptByNoTakesItsColumnFromAPointAddedThere)
{
    const qint32 mmr1 = RecordedFirstMmrDose();
    const QString mmrPoints = QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND Interval = %1 AND "
                                             "ImmuID = (SELECT ImmuID FROM MEDTEMPL WHERE TemplID = %2)");
    ScriptedMessageBoxes boxes;
    TDlgAddIm dialog(nullptr, false, kim_, 0);
    ChooseMmr(dialog);
    ASSERT_EQ(dialog.LBVaccine->item(0)->text(), QStringLiteral("1 year old"));
    dialog.LBVaccine->setCurrentRow(0);
    dialog.BtnDel->click();
    dialog.CBScheduleType->setCurrentIndex(0);
    dialog.SFAtAge->setValue(12);
    dialog.BtnAdd->click();
    boxes.answers = {MsgResult::No};
    dialog.BtnOK->click();
    EXPECT_EQ(Count(mmrPoints.arg(12).arg(mmr1)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(mmr1)), 1);
    EXPECT_EQ(boxes.Texts().size(), 1) << "the dose at its own age is not missing";

    // The year points share one column: 11 years does not stand beside the
    // recorded 4 - 6 years, where it could never be recorded.
    const qint32 mmr2 = TemplOf(QStringLiteral("Measles"), 100);
    AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(kim_);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(mmr2);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2025, 3, 31));
    });
    TDlgAddIm again(nullptr, false, kim_, 0);
    ChooseMmr(again);
    ASSERT_EQ(again.LBVaccine->item(1)->text(), QStringLiteral("4 - 6 years old"));
    again.LBVaccine->setCurrentRow(1);
    again.BtnDel->click();
    again.CBScheduleType->setCurrentIndex(1);
    again.SFAtAge->setValue(11);
    again.BtnAdd->click();
    ASSERT_EQ(again.LBVaccine->item(1)->text(), QStringLiteral("11 years old"));
    boxes.shown.clear();
    boxes.answers = {MsgResult::No};
    again.BtnOK->click();
    EXPECT_EQ(boxes.Texts(),
              (QStringList{QStringLiteral("You have a record for the schedule of 4 - 6 years old. Do you really want "
                                          "to delete the schedule and the record?"),
                           QStringLiteral("The schedule of 11 years old was not added. The schedule of 4 - 6 years "
                                          "old stays in its place with its record.")}));
    EXPECT_EQ(Count(mmrPoints.arg(100).arg(mmr2)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplID = %1 AND AgeLow = 4").arg(mmr2)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(mmr2)), 1);
}

TEST_F(ImmunizationWindows, DeletingSelectedVaccinesWithAllAsksOnce)
{
    TemplOf(QStringLiteral("Measles"), 12);
    ScriptedMessageBoxes boxes;
    TDlgDelVc dialog(nullptr, kim_);
    ASSERT_EQ(dialog.LBVaccine->count(), 13);
    dialog.BtnDelClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please select the item(s) you want to delete from the list."));
    dialog.LBVaccine->item(1)->setSelected(true);
    dialog.LBVaccine->item(2)->setSelected(true);
    dialog.show();
    SavePicture(dialog, QStringLiteral("immunization_delete"));
    boxes.answers = {MsgResult::All};
    dialog.BtnDel->click();
    EXPECT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown.last().text, QStringLiteral("Would you like to remove records related to \"Rotavirus (RV)\" ?"));
    EXPECT_EQ(dialog.LBVaccine->count(), 11);
}

TEST_F(ImmunizationWindows, ThePrintedRecordShowsEveryDoseInItsPreviewAndTextExport)
{
    TemplOf(QStringLiteral("Measles"), 12);
    const TCapturedPrintout printout = CapturePrintout([&] { PrintImmuRecord(kim_); }, QStringLiteral("immunization_report"));
    EXPECT_EQ(printout.pages, 2);
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("Immunization Record")));
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("Name: Kim <b>\"KJ\"</b>  O'Neil")));
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("Birthdate: 5/31/2024")));
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("DOSE DUE")));
    const QStringList meningococcal = printout.textLines.filter(QStringLiteral("Meningococcal booster"));
    ASSERT_EQ(meningococcal.size(), 1);
    EXPECT_TRUE(meningococcal[0].contains(QStringLiteral("5/31/2040")));
    const QStringList footers = printout.textLines.filter(QStringLiteral("Printed by CarePortfolio on "));
    ASSERT_EQ(footers.size(), 2);
    EXPECT_TRUE(footers[1].endsWith(QStringLiteral("Page 2"))) << footers[1].toStdString();
}

}  // namespace
