// The to-do list window, its item dialog and its printout as the user meets
// them.
#include "todoenv.h"

#include "organizer/dlgatodoform.h"
#include "organizer/todolistform.h"
#include "organizer/todoreptform.h"
#include "tests/health/printoutcapture.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

class ToDoWindows : public ToDoFolder {
protected:
    static QString Cell(const TTodoListForm& form, int row, int column)
    {
        const QTableWidgetItem* item = form.SGTasks->item(row, column);
        return item ? item->text() : QString();
    }
    static QString Description(qint32 todoId)
    {
        TQuery query(DataFolder);
        query.SQL() << QStringLiteral("SELECT Description FROM TODO01 WHERE Todoid = %1").arg(todoId);
        query.Open();
        return query.Fields(0).AsString();
    }
    // Answers the item dialog that `open` shows.
    static void WithItemDialog(const std::function<void()>& open, const std::function<void(TDlgATodoForm&)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<TDlgATodoForm*>(window); dialog && dialog->isVisible())
                    answer(*dialog);
            }
        });
        open();
    }

    ScriptedMessageBoxes boxes_;
};

TEST_F(ToDoWindows, OpensOnTheRemindersCategoryDueWithinAMonth)
{
    AddToDo(QStringLiteral("Measles booster for Kim"), EncodeDate(2024, 2, 29));
    AddToDo(QStringLiteral("Dentist: Ann O'Neil"), EncodeDate(2024, 2, 1), 2, true);
    AddToDo(QStringLiteral("Past flu shot"), EncodeDate(2024, 1, 30));
    TTodoListForm form(nullptr, 5);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CarePortfolio To-do's List"));
    EXPECT_EQ(form.CBTime->currentText(), QStringLiteral("In one month"));
    EXPECT_EQ(form.CBCategory->currentText(), QStringLiteral("Doctors and Hospitals"));
    EXPECT_EQ(form.CBCategory->itemText(0), QStringLiteral("All Categorys"));
    EXPECT_EQ(form.GridRows(), 36);
    ASSERT_EQ(form.TodoIds().size(), 1);
    EXPECT_EQ(Cell(form, 0, 1), QStringLiteral("2/29/2024"));
    EXPECT_EQ(Cell(form, 0, 2), QStringLiteral("Measles booster for Kim"));
    EXPECT_EQ(Cell(form, 0, 3), QStringLiteral("Doctors and Hospitals"));
    EXPECT_TRUE(form.BtnEdit->isEnabled());

    form.CBCategory->setCurrentIndex(0);
    form.CBTime->setCurrentIndex(5);
    form.LoadToDoGrid();
    ASSERT_EQ(form.TodoIds().size(), 3);
    EXPECT_EQ(Cell(form, 0, 2), QStringLiteral("Past flu shot"));
    EXPECT_EQ(Cell(form, 1, 3), QStringLiteral("Dentists"));
    EXPECT_TRUE(form.Ticked(1));
    EXPECT_TRUE(form.SGTasks->item(1, 2)->font().strikeOut());
    EXPECT_TRUE(Cell(form, 1, 0).isEmpty());   // the tick is drawn, never written
    form.show();
    form.SGTasks->setCurrentCell(1, 2);
    SavePicture(form, QStringLiteral("todo_list"));
}

TEST_F(ToDoWindows, WithoutItemsEditAndDeleteAreOffAndTellTheUser)
{
    TTodoListForm form(nullptr, -1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("To-do's"));
    EXPECT_FALSE(form.BtnEdit->isEnabled());
    form.SelectCell(0, 2);
    form.BtnEditClick();
    form.BtnDeleteClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please Select one item to edit.",
                                           "Please select one item in the table to delete."}));
}

TEST_F(ToDoWindows, AClickInTheDoneColumnTicksTheItemAndReminds)
{
    const qint32 flu = AddToDo(QStringLiteral("Flu shot"), EncodeDate(2024, 2, 5));
    TTodoListForm form(nullptr, -1);
    form.SelectCell(0, 0);
    form.SGTasksClick();
    EXPECT_TRUE(form.Ticked(0));
    EXPECT_TRUE(IsDone(flu));
    form.SGTasksClick();
    EXPECT_FALSE(form.Ticked(0));
    EXPECT_FALSE(IsDone(flu));
    // An empty row takes no tick but still reminds.
    form.SelectCell(4, 0);
    form.SGTasksClick();
    EXPECT_FALSE(form.Ticked(4));
    EXPECT_EQ(boxes_.Texts().size(), 3);
    EXPECT_EQ(boxes_.Texts().last(),
              QStringLiteral("Please remember to update your latest data from the related dialog box."));
}

TEST_F(ToDoWindows, DeletingAsksFirstAndNoKeepsTheItem)
{
    const qint32 flu = AddToDo(QStringLiteral("Flu shot"), EncodeDate(2024, 2, 5));
    AddToDo(QStringLiteral("Eye test"), EncodeDate(2024, 2, 6));
    TTodoListForm form(nullptr, -1);
    form.SelectCell(0, 2);
    boxes_.answers = {MsgResult::No};
    form.BtnDeleteClick();
    EXPECT_EQ(form.TodoIds().size(), 2);
    boxes_.answers = {MsgResult::Yes};
    form.BtnDeleteClick();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Are you sure you want to delete this item?"));
    ASSERT_EQ(form.TodoIds().size(), 1);
    EXPECT_EQ(Cell(form, 0, 2), QStringLiteral("Eye test"));
    EXPECT_FALSE(LoadToDoItem(flu));
}

TEST_F(ToDoWindows, TheItemDialogRefusesAnEmptyDescriptionAndAsksAboutAPastDate)
{
    TDlgATodoForm dialog(nullptr, true, 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add To-Do Item"));
    EXPECT_EQ(dialog.CBCategory->currentText(), QStringLiteral("<none>"));
    EXPECT_EQ(dialog.EfPFDate->DateTimeValue(), EncodeDate(2024, 1, 31));
    dialog.BtnOkClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Please enter the description."}));

    dialog.Description_edit->setPlainText(QStringLiteral("Refill\nprescription"));
    dialog.EfPFDate->SetDateTimeValue(EncodeDate(2024, 1, 30));
    boxes_.answers = {MsgResult::No};
    dialog.BtnOkClick();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("The due date is past date, record it anyway?"));
    EXPECT_EQ(dialog.Todoid(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01")), 0);

    boxes_.answers = {MsgResult::Yes};
    dialog.BtnOkClick();
    ASSERT_NE(dialog.Todoid(), 0);
    EXPECT_EQ(Description(dialog.Todoid()), QStringLiteral("Refill prescription"));
    const std::optional<TToDoRow> saved = LoadToDoItem(dialog.Todoid());
    EXPECT_EQ(saved->due, EncodeDate(2024, 1, 30));
    EXPECT_EQ(saved->categoryNo, -1);
}

TEST_F(ToDoWindows, AnImpossibleDateConfirmedInItsFieldIsRefusedNeverTakenAsToday)
{
    TDlgATodoForm dialog(nullptr, true, 0);
    dialog.Description_edit->setPlainText(QStringLiteral("Leap-day check-up"));
    // Enter presses OK while the typing is still in the field: it never left.
    for (const QString& typed : {QStringLiteral("02292025"), QStringLiteral("13012024")}) {
        dialog.EfPFDate->ClearText();
        dialog.EfPFDate->Core().TypeText(typed);
        dialog.BtnOkClick();
        EXPECT_EQ(dialog.Todoid(), 0) << typed.toStdString();
        EXPECT_TRUE(dialog.EfPFDate->IsFieldBlank());
    }
    ASSERT_EQ(boxes_.Texts().size(), 2);
    EXPECT_TRUE(boxes_.Texts()[0].startsWith(QStringLiteral("Date entry error.")));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01")), 0);

    dialog.EfPFDate->Core().TypeText(QStringLiteral("02292028"));
    dialog.BtnOkClick();
    ASSERT_NE(dialog.Todoid(), 0);
    EXPECT_EQ(LoadToDoItem(dialog.Todoid())->due, EncodeDate(2028, 2, 29));
}

TEST_F(ToDoWindows, AnUndatedItemIsEditedWithAnEmptyDateThatBecomesToday)
{
    const qint32 undated = AddToDo(QStringLiteral("Call Dr. O'Neil & ask about <b>results</b>"), 0.0);
    TDlgATodoForm dialog(nullptr, false, undated);
    EXPECT_TRUE(dialog.EfPFDate->IsFieldBlank());
    EXPECT_EQ(dialog.Description_edit->toPlainText(), QStringLiteral("Call Dr. O'Neil & ask about <b>results</b>"));
    dialog.BtnOkClick();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(dialog.Todoid(), undated);
    EXPECT_EQ(LoadToDoItem(undated)->due, EncodeDate(2024, 1, 31));
}

TEST_F(ToDoWindows, TabWalksTheItemDialogDownwardsAndWritesNoTabIntoTheDescription)
{
    TDlgATodoForm dialog(nullptr, true, 0);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.CBCategory->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dialog.Description_edit);
    QTest::keyClicks(dialog.Description_edit, QStringLiteral("Eye test"));
    for (QWidget* next : std::initializer_list<QWidget*>{dialog.EfPFDate, dialog.BtnOk, dialog.BtnCancel}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << QApplication::focusWidget()->metaObject()->className();
    }
    EXPECT_EQ(dialog.Description_edit->toPlainText(), QStringLiteral("Eye test"));
}

TEST_F(ToDoWindows, TodayIsNotPastAndANewCategoryJoinsTheList)
{
    TDlgATodoForm dialog(nullptr, true, 0);
    dialog.Description_edit->setPlainText(QStringLiteral("Ask about \"Vitamin D\""));
    dialog.CBCategory->setEditText(QStringLiteral("Nutritionists"));
    dialog.BtnOkClick();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    const std::optional<TToDoRow> saved = LoadToDoItem(dialog.Todoid());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->due, EncodeDate(2024, 1, 31));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Choices WHERE ComponentID = 11 AND ItemName = "
                                   "'Nutritionists' AND ChoiceID = %1")
                        .arg(saved->categoryNo)),
              1);
}

TEST_F(ToDoWindows, EditingRewritesTheItemAndTheListShowsIt)
{
    const qint32 eye = AddToDo(QStringLiteral("Eye test"), EncodeDate(2024, 2, 6), 3);
    TTodoListForm form(nullptr, -1);
    form.SelectCell(0, 2);
    WithItemDialog([&] { form.BtnEditClick(); },
                   [](TDlgATodoForm& dialog) {
                       EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit To-Do Item"));
                       EXPECT_EQ(dialog.CBCategory->currentText(), QStringLiteral("Eye Care"));
                       EXPECT_EQ(dialog.Description_edit->toPlainText(), QStringLiteral("Eye test"));
                       dialog.show();
                       SavePicture(dialog, QStringLiteral("todo_item_dialog"));
                       dialog.Description_edit->setPlainText(QStringLiteral("Eye test for Ann"));
                       dialog.EfPFDate->SetDateTimeValue(EncodeDate(2024, 2, 9));
                       dialog.BtnOkClick();
                   });
    ASSERT_EQ(form.TodoIds(), QList<qint32>({eye}));
    EXPECT_EQ(Cell(form, 0, 1), QStringLiteral("2/9/2024"));
    EXPECT_EQ(Cell(form, 0, 2), QStringLiteral("Eye test for Ann"));
    // A double-click on an empty row adds.
    form.SelectCell(3, 2);
    WithItemDialog([&] { form.SGTasksDblClick(); },
                   [](TDlgATodoForm& dialog) {
                       EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add To-Do Item"));
                       dialog.BtnCancelClick();
                   });
    EXPECT_EQ(form.TodoIds().size(), 1);
}

TEST_F(ToDoWindows, ThePrintoutMarksOverdueButNotDoneOrTodayOrUndated)
{
    AddToDo(QStringLiteral("Past and done"), EncodeDate(2024, 1, 2), 5, true);
    AddToDo(QStringLiteral("Past"), EncodeDate(2024, 1, 30), 2);
    AddToDo(QStringLiteral("Today"), EncodeDate(2024, 1, 31), -1);
    AddToDo(QStringLiteral("Undated"), 0.0);
    AddToDo(QStringLiteral("Too late for the week"), EncodeDate(2024, 2, 8));
    const QString longText = QStringLiteral("Ask Dr. O'Neil about the results of the blood test and the next visit");
    AddToDo(longText, EncodeDate(2024, 2, 7));
    const TCategoryNames names = {{5, QStringLiteral("Doctors and Hospitals")}, {2, QStringLiteral("Dentists")}};
    FillToDoReport(TDueFilter::OneWeek, AllCategories, Date(), names);
    const std::vector<TScratchRow> rows = ScratchRows(DataFolder);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (TScratchRow{"1.", "", "", "Undated", "", "Doctors and Hospitals", ""}));
    EXPECT_EQ(rows[1], (TScratchRow{"2.", "done", "1/2/2024", "Past and done", "", "Doctors and Hospitals", ""}));
    EXPECT_EQ(rows[2], (TScratchRow{"3.", "overdue", "1/30/2024", "Past", "", "Dentists", ""}));
    EXPECT_EQ(rows[3], (TScratchRow{"4.", "", "1/31/2024", "Today", "", "", ""}));
    EXPECT_EQ(rows[4][3], QStringLiteral("Ask Dr. O'Neil about the results of the blood test"));
    EXPECT_EQ(rows[4][4], QStringLiteral("and the next visit"));

    FillToDoReport(TDueFilter::All, 2, Date(), names);
    EXPECT_EQ(ScratchRows(DataFolder).size(), 1u);

    EXPECT_EQ(ToDoReportTitle(TDueFilter::All, Date()), QStringLiteral("All items listing"));
    EXPECT_EQ(ToDoReportTitle(TDueFilter::Today, Date()), QStringLiteral("To-Do List due before or on 1/31/2024"));
    EXPECT_EQ(ToDoReportTitle(TDueFilter::OneMonth, Date()), QStringLiteral("To-Do List due before or on 2/29/2024"));
}

TEST_F(ToDoWindows, TheListPrintsFromItsMenuThroughThePreview)
{
    AddToDo(QStringLiteral("Measles booster for Kim"), EncodeDate(2024, 2, 29));
    AddToDo(QStringLiteral("Past \"flu\" shot"), EncodeDate(2024, 1, 30), 2);
    TTodoListForm form(nullptr, -1);
    const TCapturedPrintout printout = CapturePrintout([&] { form.Print1->trigger(); }, QStringLiteral("todo_report"));
    EXPECT_EQ(printout.pages, 1);
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("To-Do List")));
    EXPECT_TRUE(printout.firstPageTexts.contains(QStringLiteral("To-Do List due before or on 2/29/2024")));
    const QStringList flu = printout.textLines.filter(QStringLiteral("Past \"flu\" shot"));
    ASSERT_EQ(flu.size(), 1);
    EXPECT_TRUE(flu[0].contains(QStringLiteral("overdue")));
    EXPECT_TRUE(flu[0].contains(QStringLiteral("Dentists")));
    EXPECT_EQ(printout.textLines.filter(QStringLiteral("Measles booster for Kim")).size(), 1);
}

}  // namespace
