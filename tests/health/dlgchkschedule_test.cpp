// The check-up windows as the user meets them: the schedule and its log,
// "Checkup Performed", the log's record, the item dialog, the reminders the
// closing writes, and both printouts.
#include "chkenv.h"
#include "expenseenv.h"
#include "printoutcapture.h"

#include "health/dlgaddck.h"
#include "health/dlgcheckupdata.h"
#include "health/dlgchkschedule.h"
#include "health/dlgchkupperform.h"
#include "health/expenseopener.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class CheckupWindows : public CheckupEnv {
protected:
    void SetUp() override
    {
        ann_ = AddMember(QStringLiteral("Ann \"Annie\" <b>"), 1, EncodeDate(1985, 3, 31));
        CurMemberID = ann_;
    }
    void TearDown() override { SetFixedMemberExpenseOpener({}); }

    static int RowOf(const QTreeWidget& list, const QString& name)
    {
        for (int n = 0; n < list.topLevelItemCount(); ++n)
            if (list.topLevelItem(n)->text(0) == name)
                return n;
        return -1;
    }
    static QStringList Row(const QTreeWidget& list, int row)
    {
        QStringList texts;
        for (int column = 0; column < list.columnCount(); ++column)
            texts << list.topLevelItem(row)->text(column);
        return texts;
    }
    static void Select(QTreeWidget& list, const QString& name)
    {
        const int row = RowOf(list, name);
        ASSERT_GE(row, 0) << name.toStdString();
        list.setCurrentItem(list.topLevelItem(row));
    }

    qint32 ann_ = 0;
};

TEST_F(CheckupWindows, TheScheduleListsTheItemsOfTheMembersAgeAndClosingWritesRemindersOnce)
{
    TDlgChkSchedule dialog;
    ASSERT_TRUE(dialog.Loaded());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Check-up Schedule for Ann \"Annie\" <b>"));
    EXPECT_EQ(dialog.JzLbName->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet1);
    EXPECT_EQ(dialog.LVSchedule->topLevelItemCount(), 10) << "not the items from 45 and 65";
    EXPECT_EQ(RowOf(*dialog.LVSchedule, QStringLiteral("Colorectal Cancer Screening")), -1);
    EXPECT_EQ(Row(*dialog.LVSchedule, 0), (QStringList{QStringLiteral("Blood Pressure"), QStringLiteral("Not available"),
                                                       QStringLiteral("Not available"), QStringLiteral("2 year(s)")}));
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(9)->text(3), QStringLiteral("10 year(s)"));
    EXPECT_FALSE(dialog.BtnEdit->isEnabled());
    EXPECT_FALSE(dialog.BtnDel->isEnabled());
    Select(*dialog.LVSchedule, QStringLiteral("Flu Shot"));
    EXPECT_TRUE(dialog.BtnEdit->isEnabled());
    EXPECT_TRUE(dialog.BtnDel->isEnabled());
    EXPECT_FALSE(dialog.BtnLogEdit->isEnabled());
    EXPECT_EQ(dialog.LVLog->topLevelItemCount(), 0);
    dialog.show();
    SavePicture(dialog, QStringLiteral("checkup_schedule"));

    dialog.accept();
    EXPECT_TRUE(Reminders().empty()) << "nothing was ever performed";
    dialog.done(QDialog::Rejected);
    EXPECT_TRUE(Reminders().empty());
}

TEST_F(CheckupWindows, AScheduleThatCannotBeMadeTellsTheUserAndWritesNothing)
{
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplType = 3");
    wipe.ExecSQL();
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(boxes.Texts(), QStringList{"Your database may have been corrupted. The program will exit immediately. "
                                         "Please try it again."});
    dialog.accept();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0);
    EXPECT_TRUE(Reminders().empty());
}

TEST_F(CheckupWindows, PerformedRecordsTheCheckupAndTheReminderIsWrittenOnClose)
{
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    dialog.show();
    dialog.Button5->click();
    EXPECT_EQ(boxes.Texts().last(),
              QStringLiteral("Please first select a line in the first column of the schedule table to perform it."));

    Select(*dialog.LVSchedule, QStringLiteral("Dental Cleaning"));
    WhenShown<TDlgChkupPerform>([](TDlgChkupPerform& perform) {
        EXPECT_EQ(perform.windowTitle(), QStringLiteral("Checkup Performed"));
        EXPECT_EQ(perform.JzLbCheckup->text(), QStringLiteral("Dental Cleaning"));
        EXPECT_TRUE(perform.MemoMsg->toPlainText().startsWith(QStringLiteral("A cleaning")));
        perform.SBDate->click();
        TFormDate& picker = SharedDatePicker();
        picker.SelCalend->setSelectedDate(QDate(2024, 8, 31));
        picker.SelCalendClick();
        picker.HandleHideRequest();
        if (perform.PFDate->DateTimeValue() != EncodeDate(2024, 8, 31)) {
            ADD_FAILURE() << "the date picked in the calendar is not in the field";
            perform.reject();
            return;
        }
        perform.CBDoc->setEditText(QStringLiteral("Bright \"Smiles\" Dental"));
        perform.MemoNote->setPlainText(QStringLiteral("no cavities"));
        SavePicture(perform, QStringLiteral("checkup_performed"));
        perform.BtnOK->click();
    });
    dialog.Button5Click();
    const int dental = RowOf(*dialog.LVSchedule, QStringLiteral("Dental Cleaning"));
    EXPECT_EQ(Row(*dialog.LVSchedule, dental),
              (QStringList{QStringLiteral("Dental Cleaning"), QStringLiteral("8/31/2024"), QStringLiteral("2/28/2025"),
                           QStringLiteral("6 month(s)")}));
    EXPECT_EQ(dialog.LVSchedule->currentItem()->text(0), QStringLiteral("Dental Cleaning")) << "reselected";
    ASSERT_EQ(dialog.LVLog->topLevelItemCount(), 1);
    EXPECT_EQ(Row(*dialog.LVLog, 0), (QStringList{QStringLiteral("Dental Cleaning"), QStringLiteral("8/31/2024"),
                                                  QStringLiteral("Bright \"Smiles\" Dental"),
                                                  QStringLiteral("no cavities")}));
    EXPECT_TRUE(Reminders().empty()) << "written when the dialog closes";

    dialog.accept();
    ASSERT_EQ(Reminders().size(), 1u);
    EXPECT_EQ(Reminders()[0],
              std::make_pair(QStringLiteral("Ann \"Annie\" <b>, please schedule your Dental Cleaning checkup."),
                             Today()));
}

// Not recording also drops the expense paid through the dialog, as Cancel
// does; recording keeps it.
TEST_F(CheckupWindows, ARecordBeforeTheLastOneIsWrittenOnlyWhenConfirmed)
{
    TDlgChkSchedule first;
    const qint32 flu = ItemOf(ann_, QStringLiteral("Flu"));
    AddRecord(ann_, flu, EncodeDate(2024, 10, 31));
    qint32 written = 0;
    SetFixedMemberExpenseOpener([&](QWidget*, const TFixedExpenseRequest& request) {
        written = AddExpenseWithSplits(request.memberId);
        return TFixedExpenseOutcome{written};
    });
    const auto earlierWithExpense = [](TDlgChkupPerform& perform) {
        perform.PFDate->SetDateTimeValue(EncodeDate(2024, 9, 30));
        perform.Button1->click();
        perform.BtnOK->click();
    };
    ScriptedMessageBoxes boxes;
    boxes.answers = {MsgResult::No};
    WhenShown<TDlgChkupPerform>(earlierWithExpense);
    TChkPerformOutcome outcome = ShowCheckupPerformedDialog(nullptr, ann_, flu);
    EXPECT_TRUE(boxes.Texts().last().startsWith(QStringLiteral("According to our record, your last checkup was on "
                                                               "10/31/2024")));
    EXPECT_FALSE(outcome.cancelled) << "the schedule is shown afresh";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(flu)), 2);
    ASSERT_NE(written, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 0);
    boxes.answers = {MsgResult::Yes};
    WhenShown<TDlgChkupPerform>(earlierWithExpense);
    outcome = ShowCheckupPerformedDialog(nullptr, ann_, flu);
    EXPECT_NE(outcome.checkupId, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(flu)), 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1 AND CheckupID = %2")
                        .arg(written)
                        .arg(outcome.checkupId)),
              1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP WHERE ExpID = %1").arg(written)), 2);
}

TEST_F(CheckupWindows, CancelRemovesOnlyTheExpenseWrittenDuringThisOpening)
{
    TDlgChkSchedule first;
    const qint32 flu = ItemOf(ann_, QStringLiteral("Flu"));
    qint32 written = 0;
    SetFixedMemberExpenseOpener([&](QWidget*, const TFixedExpenseRequest& request) {
        if (request.expId == 0)
            written = AddExpenseWithSplits(request.memberId);
        return TFixedExpenseOutcome{request.expId == 0 ? written : request.expId};
    });
    ScriptedMessageBoxes boxes;
    WhenShown<TDlgChkupPerform>([](TDlgChkupPerform& perform) {
        perform.PFDate->ClearText();
        perform.Button1->click();
        perform.PFDate->SetDateTimeValue(EncodeDate(2025, 3, 1));
        perform.Button1->click();
        perform.BtnCancel->click();
    });
    EXPECT_TRUE(ShowCheckupPerformedDialog(nullptr, ann_, flu).cancelled);
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter the checkup date before Click."});
    EXPECT_NE(written, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 0);

    // An old log record with its expense, opened and cancelled: both stay.
    const qint32 old = AddExpenseWithSplits(ann_);
    const qint32 visit = AddRecord(ann_, flu, EncodeDate(2024, 10, 31), QStringLiteral("Dr. O'Hara"), old);
    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        record.Button1->click();
        record.PFDate->SetDateTimeValue(EncodeDate(2024, 11, 30));
        record.BtnCancel->click();
    });
    EXPECT_TRUE(ShowCheckupDataDialog(nullptr, ann_, visit).cancelled);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1").arg(old)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP WHERE ExpID = %1").arg(old)), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(visit)), old);

    // The database refuses the first leaving: the dialog stays to be left again.
    const auto execute = [](const QString& sql) {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.ExecSQL();
    };
    WhenShown<TDlgChkupPerform>([&](TDlgChkupPerform& perform) {
        perform.PFDate->SetDateTimeValue(EncodeDate(2025, 3, 1));
        perform.Button1->click();
        execute(QStringLiteral("CREATE TRIGGER Refuse BEFORE DELETE ON MEDEXP BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        perform.close();
        EXPECT_TRUE(perform.isVisible());
        execute(QStringLiteral("DROP TRIGGER Refuse"));
        perform.close();
    });
    EXPECT_TRUE(ShowCheckupPerformedDialog(nullptr, ann_, flu).cancelled);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1").arg(written)), 0);
}

// A log record moved to a year its expense's FSA has no election for: the
// user is told which payment no longer fits, and the dialog stays open with
// the date typed; nothing is written.
TEST_F(CheckupWindows, ARecordMovedWhereItsExpenseNoLongerFitsStaysOpen)
{
    TDlgChkSchedule schedule;
    const qint32 flu = ItemOf(ann_, QStringLiteral("Flu"));
    const qint32 fsa = ExpenseEnv::AddAccount(5, QStringLiteral("Acme FSA"));
    ExpenseEnv::AddElection(fsa, 2025);
    const qint32 expId = ExpenseEnv::AddReimbursedExpense(ann_, EncodeDate(2025, 2, 10), fsa, 3000);
    const qint32 visit = AddRecord(ann_, flu, EncodeDate(2025, 2, 10), QStringLiteral("Dr. O'Hara"), expId);
    const QStringList stored = ExpenseEnv::Snapshot();
    ScriptedMessageBoxes boxes;
    bool stayedOpen = false;
    TDateTime shownDate = 0.0;
    WhenShown<TDlgCheckupData>([&](TDlgCheckupData& record) {
        record.PFDate->SetDateTimeValue(EncodeDate(2024, 12, 20));
        // A click takes the focus to the button.
        record.BtnOK->setFocus();
        record.BtnOK->click();
        stayedOpen = record.isVisible() && record.focusWidget() == record.PFDate;
        shownDate = record.PFDate->DateTimeValue();
        record.BtnCancel->click();
    });
    ShowCheckupDataDialog(nullptr, ann_, visit);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("The tax-year is different. This FSA can not apply to this "
                                                        "expense\nReimbursement of Acme FSA: $30.00")});
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(shownDate, EncodeDate(2024, 12, 20));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE DateDone = '2025-02-10'")), 1);
    EXPECT_EQ(ExpenseEnv::Snapshot(), stored);
}

TEST_F(CheckupWindows, TheLogsRecordsChangeTheScheduleAndDateTheRemindersFromTheLatestVisit)
{
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    dialog.show();
    dialog.PageControl1->setCurrentWidget(dialog.TabSheet2);

    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        EXPECT_EQ(record.windowTitle(), QStringLiteral("Add a Checkup Record"));
        EXPECT_TRUE(record.Edit1->isHidden());
        EXPECT_EQ(record.PFDate->DateTimeValue(), EncodeDate(2025, 3, 31)) << "today";
        record.BtnOK->click();   // no item
        record.ComboBox1->setCurrentIndex(record.ComboBox1->findText(QStringLiteral("Physical Examination")));
        record.PFDate->SetDateTimeValue(EncodeDate(2023, 2, 28));
        record.CBDoc->setEditText(QStringLiteral("Dr. O'Hara"));
        SavePicture(record, QStringLiteral("checkup_log_record_add"));
        record.BtnOK->click();
    });
    dialog.BtnLogAddClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter the checkup item."));
    EXPECT_TRUE(dialog.LogChanged());
    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        record.ComboBox1->setCurrentIndex(record.ComboBox1->findText(QStringLiteral("Physical Examination")));
        record.PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
        record.BtnOK->click();
    });
    dialog.BtnLogAddClick();
    ASSERT_EQ(dialog.LVLog->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(RowOf(*dialog.LVSchedule, QStringLiteral("Physical Examination")))->text(1),
              QStringLiteral("2/29/2024"));

    // Sorted by date descending, the oldest visit is listed last.
    dialog.LVLogColumnClick(1);
    dialog.LVLogColumnClick(1);
    EXPECT_EQ(dialog.LVLog->topLevelItem(1)->text(1), QStringLiteral("2/28/2023"));
    SavePicture(dialog, QStringLiteral("checkup_log"));

    // Editing the older visit keeps it the older one.
    dialog.LVLog->setCurrentItem(dialog.LVLog->topLevelItem(1));
    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        EXPECT_EQ(record.windowTitle(), QStringLiteral("Edit a Checkup Record"));
        EXPECT_TRUE(record.ComboBox1->isHidden());
        EXPECT_EQ(record.Edit1->text(), QStringLiteral("Physical Examination"));
        EXPECT_EQ(record.CBDoc->currentText(), QStringLiteral("Dr. O'Hara"));
        SavePicture(record, QStringLiteral("checkup_log_record_edit"));
        record.PFDate->SetDateTimeValue(EncodeDate(2023, 3, 31));
        record.BtnOK->click();
    });
    dialog.BtnLogEditClick();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE DateDone = '2023-03-31'")), 1);

    dialog.accept();
    ASSERT_EQ(Reminders().size(), 1u);
    EXPECT_EQ(Reminders()[0],
              std::make_pair(QStringLiteral("Ann \"Annie\" <b>, please schedule your Physical Examination checkup"),
                             EncodeDate(2025, 2, 28)))
        << "from the latest visit, whatever the log's order";
}

TEST_F(CheckupWindows, TheLogsImmunizationRecordsKeepTheirOwnReminders)
{
    const qint32 dose = AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann_);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Tetanus, Diphtheria (Td)"));
        row.FieldByName(QStringLiteral("Interval")).SetAsInteger(100);
        row.FieldByName(QStringLiteral("ToDoID")).SetAsInteger(0);
    });
    AddRecord(ann_, dose, EncodeDate(2024, 1, 31), QStringLiteral("Clinic"));
    TDlgChkSchedule dialog;
    ASSERT_EQ(dialog.LVLog->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.LVLog->topLevelItem(0)->text(0), QStringLiteral("Tetanus, Diphtheria (Td)"));
    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        record.ComboBox1->setCurrentIndex(record.ComboBox1->findText(QStringLiteral("Flu Shot")));
        record.PFDate->SetDateTimeValue(EncodeDate(2024, 10, 31));
        record.BtnOK->click();
    });
    dialog.BtnLogAddClick();
    EXPECT_EQ(dialog.LVLog->topLevelItemCount(), 2);
    dialog.accept();
    ASSERT_EQ(Reminders().size(), 1u) << "none for the dose";
    EXPECT_EQ(Reminders()[0].first, QStringLiteral("Ann \"Annie\" <b>, please schedule your Flu Shot checkup"));
    EXPECT_EQ(ToDoOf(dose), 0);
}

// A note longer than the box lets anyone type, as the dose record stores it,
// comes back whole when only the date or the doctor is corrected.
TEST_F(CheckupWindows, ALogRecordsLongNoteIsKeptWholeAndOnlyTypingIsCut)
{
    const qint32 dose = AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann_);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Tetanus, Diphtheria (Td)"));
    });
    const QString note = QStringLiteral("Booster \"Td\" in the left arm, lot 4411; no reaction. ").repeated(6).left(279);
    ASSERT_EQ(note.size(), 279);
    AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann_);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(dose);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2024, 1, 31));
        row.FieldByName(QStringLiteral("Note")).SetAsLines({note});
    });
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    ASSERT_EQ(dialog.LVLog->topLevelItemCount(), 1);
    dialog.LVLog->setCurrentItem(dialog.LVLog->topLevelItem(0));
    WhenShown<TDlgCheckupData>([&](TDlgCheckupData& record) {
        EXPECT_EQ(record.MemoNote->toPlainText(), note);
        SavePicture(record, QStringLiteral("checkup_log_record_long_note"));
        record.CBDoc->setEditText(QStringLiteral("Dr. O'Hara"));
        record.BtnOK->click();
    });
    dialog.BtnLogEditClick();
    EXPECT_EQ(ColumnOf(DataFolder, QStringLiteral("SELECT Note FROM MEDCHEK WHERE TemplID = %1").arg(dose)),
              QStringList{note});

    WhenShown<TDlgCheckupData>([&](TDlgCheckupData& record) {
        record.MemoNote->moveCursor(QTextCursor::End);
        QTest::keyClicks(record.MemoNote, QStringLiteral("xy"));
        EXPECT_EQ(record.MemoNote->toPlainText(), note) << "no longer than it was";
        record.MemoNote->setTextCursor(record.MemoNote->document()->find(QStringLiteral("4411")));
        QTest::keyClicks(record.MemoNote, QStringLiteral("4412"));
        EXPECT_EQ(record.MemoNote->toPlainText(), QString(note).replace(note.indexOf(QStringLiteral("4411")), 4,
                                                                         QStringLiteral("4412")))
            << "a typo mended by typing over it";
        record.MemoNote->clear();
        QTest::keyClicks(record.MemoNote, QStringLiteral("0123456789").repeated(26));
        EXPECT_EQ(record.MemoNote->toPlainText(), QStringLiteral("0123456789").repeated(25));
        record.BtnCancel->click();
    });
    dialog.BtnLogEditClick();
    EXPECT_EQ(boxes.Texts(), QStringList());
    dialog.reject();
}

// What is pasted at a box's limit is cut between characters: an emoji is
// two UTF-16 units, a letter may come as a base and its accent.
TEST_F(CheckupWindows, ALogRecordsBoxesCutAPasteAtTheLimitBetweenCharacters)
{
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    WhenShown<TDlgCheckupData>([](TDlgCheckupData& record) {
        QLineEdit& doctor = *record.CBDoc->lineEdit();
        doctor.setFocus();
        QTest::keyClicks(&doctor, QString(98, QLatin1Char('x')));
        QGuiApplication::clipboard()->setText(QStringLiteral("\u00e9\U0001F600"));
        QTest::keySequence(&doctor, QKeySequence::Paste);
        EXPECT_EQ(doctor.text(), QString(98, QLatin1Char('x')) + QStringLiteral("\u00e9")) << "no half emoji";

        record.MemoNote->setFocus();
        QTest::keyClicks(record.MemoNote, QString(249, QLatin1Char('y')));
        QGuiApplication::clipboard()->setText(QStringLiteral("\U0001F600"));
        QTest::keySequence(record.MemoNote, QKeySequence::Paste);
        EXPECT_EQ(record.MemoNote->toPlainText(), QString(249, QLatin1Char('y'))) << "no half emoji";
        record.MemoNote->clear();
        QTest::keyClicks(record.MemoNote, QString(247, QLatin1Char('y')));
        QGuiApplication::clipboard()->setText(QStringLiteral("Zoe\u0301"));
        QTest::keySequence(record.MemoNote, QKeySequence::Paste);
        EXPECT_EQ(record.MemoNote->toPlainText(), QString(247, QLatin1Char('y')) + QStringLiteral("Zo"))
            << "not the e without its accent";
        record.BtnCancel->click();
    });
    dialog.BtnLogAddClick();
    EXPECT_EQ(boxes.Texts(), QStringList());
    dialog.reject();
}

// Ctrl+Z takes back a paste the limit cut, and a deletion from a note longer
// than the box, and Ctrl+Shift+Z does them again.
TEST_F(CheckupWindows, UndoAndRedoInALogRecordsNoteGiveBackWhatItHeld)
{
    const QString note = QStringLiteral("Booster \"Td\" in the left arm,\nlot 4411; no reaction. ").repeated(6).left(279);
    TDlgChkSchedule first;
    AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann_);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(ItemOf(ann_, QStringLiteral("Physical")));
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2024, 1, 31));
        row.FieldByName(QStringLiteral("Note")).SetAsLines(note.split(QLatin1Char('\n')));
    });
    TDlgChkSchedule dialog;
    ASSERT_EQ(dialog.LVLog->topLevelItemCount(), 1);
    dialog.LVLog->setCurrentItem(dialog.LVLog->topLevelItem(0));
    WhenShown<TDlgCheckupData>([&](TDlgCheckupData& record) {
        QPlainTextEdit& memo = *record.MemoNote;
        memo.setFocus();
        memo.moveCursor(QTextCursor::End);
        QTest::keyClick(&memo, Qt::Key_Backspace);
        memo.moveCursor(QTextCursor::Start);
        QTest::keyClick(&memo, Qt::Key_Delete);
        QTest::keySequence(&memo, QKeySequence::Undo);
        EXPECT_EQ(memo.toPlainText(), note.chopped(1));
        QTest::keySequence(&memo, QKeySequence::Undo);
        EXPECT_EQ(memo.toPlainText(), note);
        memo.moveCursor(QTextCursor::End);
        QTest::keyClick(&memo, Qt::Key_Backspace);
        memo.selectAll();
        QTest::keyClick(&memo, Qt::Key_Delete);
        QTest::keySequence(&memo, QKeySequence::Undo);
        EXPECT_EQ(memo.toPlainText(), note.chopped(1)) << "a note emptied and taken back";

        memo.clear();
        QTest::keyClicks(&memo, QStringLiteral("Left arm."));
        memo.selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("0123456789").repeated(30));
        QTest::keySequence(&memo, QKeySequence::Paste);
        EXPECT_EQ(memo.toPlainText(), QStringLiteral("0123456789").repeated(25));
        QTest::keySequence(&memo, QKeySequence::Undo);
        EXPECT_EQ(memo.toPlainText(), QStringLiteral("Left arm.")) << "the paste taken back whole";
        QTest::keySequence(&memo, QKeySequence::Redo);
        EXPECT_EQ(memo.toPlainText(), QStringLiteral("0123456789").repeated(25));

        memo.setPlainText(QString(248, QLatin1Char('y')));
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, QStringLiteral("Zoe!"));
        EXPECT_EQ(memo.toPlainText(), QString(248, QLatin1Char('y')) + QStringLiteral("Zo"));
        QTest::keySequence(&memo, QKeySequence::Undo);
        EXPECT_EQ(memo.toPlainText(), QString(248, QLatin1Char('y'))) << "the typing taken back";
        QTest::keySequence(&memo, QKeySequence::Redo);
        EXPECT_EQ(memo.toPlainText(), QString(248, QLatin1Char('y')) + QStringLiteral("Zo"));

        // The editable doctor box has the caret and hands the keys to its line edit.
        QComboBox& doctor = *record.CBDoc;
        doctor.setFocus();
        doctor.lineEdit()->end(false);
        QTest::keyClicks(&doctor, QString(98, QLatin1Char('x')) + QStringLiteral("Zoe!"));
        EXPECT_EQ(doctor.currentText(), QString(98, QLatin1Char('x')) + QStringLiteral("Zo"));
        QTest::keySequence(&doctor, QKeySequence::Undo);
        EXPECT_EQ(doctor.currentText(), QString()) << "the typing taken back";
        record.BtnCancel->click();
    });
    dialog.BtnLogEditClick();
    dialog.reject();
}

TEST_F(CheckupWindows, DeletingTheLastRecordOfAnItemShowsItNeverPerformedAndDropsItsReminder)
{
    {
        TDlgChkSchedule first;
    }
    const qint32 flu = ItemOf(ann_, QStringLiteral("Flu"));
    AddRecord(ann_, flu, EncodeDate(2024, 10, 31), QStringLiteral("Clinic"));
    {
        TDlgChkSchedule second;
        second.accept();
    }
    ASSERT_EQ(Reminders().size(), 1u);

    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(RowOf(*dialog.LVSchedule, QStringLiteral("Flu Shot")))->text(2),
              QStringLiteral("10/31/2025"));
    EXPECT_FALSE(dialog.BtnLogDelete->isEnabled());
    dialog.BtnLogDeleteClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please select one checkup item."));
    dialog.LVLog->setCurrentItem(dialog.LVLog->topLevelItem(0));
    boxes.answers = {MsgResult::No};
    dialog.BtnLogDeleteClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Would you like to remove records related to \"Flu Shot\" ?"));
    EXPECT_EQ(dialog.LVLog->topLevelItemCount(), 1);
    boxes.answers = {MsgResult::Yes};
    dialog.BtnLogDeleteClick();
    EXPECT_EQ(dialog.LVLog->topLevelItemCount(), 0);
    const int row = RowOf(*dialog.LVSchedule, QStringLiteral("Flu Shot"));
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(row)->text(1), QStringLiteral("Not available"));
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(row)->text(2), QStringLiteral("Not available"));
    dialog.accept();
    EXPECT_TRUE(Reminders().empty());
    EXPECT_EQ(ToDoOf(flu), 0);
}

TEST_F(CheckupWindows, AClickBesideTheLinesAsksForALineAndAGoneItemIsTold)
{
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    dialog.LVLogClick();
    EXPECT_TRUE(boxes.shown.isEmpty()) << "an empty log asks for nothing";
    dialog.LVScheduleClick();
    EXPECT_EQ(boxes.Texts(), QStringList{"Please first select a line in the first column of the schedule table to edit "
                                         "or delete it."});
    Select(*dialog.LVSchedule, QStringLiteral("Mammogram"));
    dialog.LVScheduleClick();
    EXPECT_EQ(boxes.shown.size(), 1);

    const TChkPerformOutcome gone = ShowCheckupPerformedDialog(nullptr, ann_, 424242);
    EXPECT_TRUE(gone.cancelled);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Database error! Please exit the application now."));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = 424242")), 0);
}

TEST_F(CheckupWindows, ColumnClicksSortTheScheduleByNameOrFrequencyOnly)
{
    TDlgChkSchedule dialog;
    const QString first = dialog.LVSchedule->topLevelItem(0)->text(0);
    dialog.LVScheduleColumnClick(2);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(0)->text(0), first) << "Due Date does not sort";
    dialog.LVScheduleColumnClick(3);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(0)->text(3), QStringLiteral("6 month(s)"));
    dialog.LVScheduleColumnClick(3);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(0)->text(3), QStringLiteral("10 year(s)"));
    dialog.LVScheduleColumnClick(0);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(0)->text(0), QStringLiteral("Blood Pressure"));
    dialog.LVScheduleColumnClick(0);
    EXPECT_EQ(dialog.LVSchedule->topLevelItem(0)->text(0), QStringLiteral("Tetanus Booster"));
}

TEST_F(CheckupWindows, AnItemIsAddedWithApplyEditedWithoutRenamingAndDeletedWhenConfirmed)
{
    ScriptedMessageBoxes boxes;
    TDlgChkSchedule dialog;
    WhenShown<TDlgAddCk>([](TDlgAddCk& add) {
        EXPECT_EQ(add.windowTitle(), QStringLiteral("Add a Medical Checkup Item"));
        EXPECT_TRUE(add.CBCheckup->isHidden());
        EXPECT_EQ(add.SFStartAge->value(), 40);
        add.EditCheckup->setText(QStringLiteral("Hearing \"Test\""));
        add.SFInterval->setValue(2);
        add.BtnApply->click();   // no unit
        add.CBInterval->setCurrentIndex(1);
        add.MemoCheckup->setPlainText(QStringLiteral("both ears"));
        SavePicture(add, QStringLiteral("checkup_item_add"));
        add.BtnApply->click();
        EXPECT_EQ(add.windowTitle(), QStringLiteral("Add Another Medical Checkup Item"));
        EXPECT_EQ(add.EditCheckup->text(), QString());
        add.Button1->click();
    });
    dialog.BtnAddClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Please enter how often you want this checkup to be done."));
    const int hearing = RowOf(*dialog.LVSchedule, QStringLiteral("Hearing \"Test\""));
    ASSERT_GE(hearing, 0) << "cancel after Apply still refreshes";
    EXPECT_EQ(Row(*dialog.LVSchedule, hearing)[3], QStringLiteral("2 year(s)"));

    dialog.LVSchedule->setCurrentItem(dialog.LVSchedule->topLevelItem(hearing));
    boxes.answers = {MsgResult::No};
    WhenShown<TDlgAddCk>([](TDlgAddCk& edit) {
        EXPECT_EQ(edit.windowTitle(), QStringLiteral("Edit a Medical Checkup Item"));
        EXPECT_TRUE(edit.BtnApply->isHidden());
        EXPECT_EQ(edit.CBCheckup->currentText(), QStringLiteral("Hearing \"Test\""));
        EXPECT_EQ(edit.SFInterval->value(), 2);
        EXPECT_EQ(edit.CBInterval->currentText(), QStringLiteral("Year(s)"));
        edit.EditCheckup->setText(QStringLiteral("Hearing"));
        edit.SFInterval->setValue(18);
        edit.CBInterval->setCurrentIndex(0);
        SavePicture(edit, QStringLiteral("checkup_item_edit"));
        edit.BtnOK->click();
    });
    dialog.BtnEditClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Change \"Hearing \"Test\"\" to \"Hearing\" ?"));
    const int edited = RowOf(*dialog.LVSchedule, QStringLiteral("Hearing \"Test\""));
    ASSERT_GE(edited, 0) << "the old name kept";
    EXPECT_EQ(Row(*dialog.LVSchedule, edited)[3], QStringLiteral("18 month(s)"));

    dialog.LVSchedule->setCurrentItem(dialog.LVSchedule->topLevelItem(edited));
    boxes.answers = {MsgResult::No};
    dialog.BtnDelClick();
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Would you like to remove records related to \"Hearing \"Test\"\" ?"));
    EXPECT_GE(RowOf(*dialog.LVSchedule, QStringLiteral("Hearing \"Test\"")), 0);
    // The Delete key deletes as the button does.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.LVSchedule->setFocus();
    boxes.answers = {MsgResult::Yes};
    QTest::keyClick(dialog.LVSchedule, Qt::Key_Delete);
    EXPECT_EQ(RowOf(*dialog.LVSchedule, QStringLiteral("Hearing \"Test\"")), -1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ItemStr1 LIKE 'Hearing%'")), 0);
}

TEST_F(CheckupWindows, BothListsPrintAsTheyAreShown)
{
    {
        TDlgChkSchedule first;
    }
    AddRecord(ann_, ItemOf(ann_, QStringLiteral("Dental")), EncodeDate(2024, 8, 31), QStringLiteral("Bright Smiles"));
    TDlgChkSchedule dialog;
    const TCapturedPrintout schedule =
        CapturePrintout([&] { dialog.ButtonSReportClick(); }, QStringLiteral("checkup_schedule_report"));
    EXPECT_EQ(schedule.pages, 1);
    EXPECT_TRUE(schedule.firstPageTexts.contains(QStringLiteral("Personal Medical Checkup Schedule")));
    EXPECT_TRUE(schedule.firstPageTexts.contains(QStringLiteral("Ann \"Annie\" <b> Q O'Neil")));
    EXPECT_TRUE(schedule.firstPageTexts.contains(QStringLiteral("Date of birth: 3/31/1985")));
    EXPECT_TRUE(schedule.firstPageTexts.contains(QStringLiteral("Due Date")));
    EXPECT_TRUE(schedule.firstPageTexts.contains(QStringLiteral("Frequency")));
    const QStringList dental = schedule.textLines.filter(QStringLiteral("Dental Cleaning"));
    ASSERT_EQ(dental.size(), 1);
    EXPECT_TRUE(dental[0].contains(QStringLiteral("4.")));
    EXPECT_TRUE(dental[0].contains(QStringLiteral("8/31/2024")));
    EXPECT_TRUE(dental[0].contains(QStringLiteral("2/28/2025")));
    EXPECT_EQ(schedule.textLines.filter(QStringLiteral("Not available")).size(), 9);
    const QStringList footer = schedule.textLines.filter(QStringLiteral("Printed by CarePortfolio on "));
    ASSERT_EQ(footer.size(), 1);
    EXPECT_TRUE(footer[0].endsWith(QStringLiteral("Page 1"))) << footer[0].toStdString();

    const TCapturedPrintout log = CapturePrintout([&] { dialog.ButtonLReportClick(); }, QStringLiteral("checkup_log_report"));
    EXPECT_TRUE(log.firstPageTexts.contains(QStringLiteral("Personal Medical Checkup Log")));
    EXPECT_TRUE(log.firstPageTexts.contains(QStringLiteral("Doctor/Hospital")));
    EXPECT_TRUE(log.firstPageTexts.contains(QStringLiteral("Note")));
    EXPECT_FALSE(log.firstPageTexts.contains(QStringLiteral("Frequency")));
    const QStringList visit = log.textLines.filter(QStringLiteral("Dental Cleaning"));
    ASSERT_EQ(visit.size(), 1);
    EXPECT_TRUE(visit[0].contains(QStringLiteral("1.")));
    EXPECT_TRUE(visit[0].contains(QStringLiteral("Bright Smiles")));
    EXPECT_TRUE(log.textLines.filter(QStringLiteral("1800")).isEmpty()) << "no never-done marks";
}

}  // namespace
