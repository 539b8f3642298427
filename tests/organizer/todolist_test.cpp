// The to-do rows as the list reads, ticks and deletes them.
#include "todoenv.h"

#include "organizer/todolist.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {

using ToDoRows = ToDoFolder;

QStringList Texts(const std::vector<TToDoRow>& rows)
{
    QStringList texts;
    for (const TToDoRow& row : rows)
        texts << row.description.join(QLatin1Char('|'));
    return texts;
}

TEST_F(ToDoRows, EachDueFilterEndsOnItsDayFromToday)
{
    const TDateTime today = EncodeDate(2024, 1, 31);
    EXPECT_EQ(FilterEndDate(TDueFilter::Today, today), today);
    EXPECT_EQ(FilterEndDate(TDueFilter::OneWeek, today), EncodeDate(2024, 2, 7));
    EXPECT_EQ(FilterEndDate(TDueFilter::TwoWeeks, today), EncodeDate(2024, 2, 14));
    // The month end is clamped to the leap day.
    EXPECT_EQ(FilterEndDate(TDueFilter::OneMonth, today), EncodeDate(2024, 2, 29));
    EXPECT_EQ(FilterEndDate(TDueFilter::SixMonths, today), EncodeDate(2024, 7, 31));
    EXPECT_EQ(FilterEndDate(TDueFilter::All, today), EncodeDate(3000, 12, 31));
    EXPECT_EQ(DueFilterItems().value(3), QStringLiteral("In one month"));
    EXPECT_EQ(DueFilterItems().value(5), QStringLiteral("All"));
}

TEST_F(ToDoRows, TheFiltersListFromTodayToTheirEndInDueOrder)
{
    const TDateTime today = Date();
    AddToDo(QStringLiteral("leap day"), EncodeDate(2024, 2, 29));
    AddToDo(QStringLiteral("March"), EncodeDate(2024, 3, 1));
    AddToDo(QStringLiteral("yesterday"), EncodeDate(2024, 1, 30));
    AddToDo(QStringLiteral("week"), EncodeDate(2024, 2, 7), 2);
    AddToDo(QStringLiteral("today"), today);
    AddToDo(QStringLiteral("eight days"), EncodeDate(2024, 2, 8), -1);
    AddToDo(QStringLiteral("no date"), 0.0);

    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::Today, AllCategories, today)), QStringList({"today"}));
    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::OneWeek, AllCategories, today)), QStringList({"today", "week"}));
    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::OneMonth, AllCategories, today)),
              QStringList({"today", "week", "eight days", "leap day"}));
    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::OneMonth, 5, today)), QStringList({"today", "leap day"}));
    // "All" reaches back before today and takes items without a date.
    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::All, AllCategories, today)),
              QStringList({"no date", "yesterday", "today", "week", "eight days", "leap day", "March"}));
    EXPECT_EQ(Texts(ReadToDoRows(TDueFilter::All, 2, today)), QStringList({"week"}));
}

TEST_F(ToDoRows, ARowKeepsItsCategoryDoneAndDescriptionLines)
{
    const qint32 id = AddToDo(QStringLiteral("Call Dr. O'Neil\nre: \"flu\" shot"), EncodeDate(2024, 2, 1), 7, true);
    const std::optional<TToDoRow> row = LoadToDoItem(id);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->categoryNo, 7);
    EXPECT_TRUE(row->done);
    EXPECT_EQ(row->description, QStringList({"Call Dr. O'Neil", "re: \"flu\" shot"}));
    EXPECT_EQ(GridDescription(*row), QStringLiteral("Call Dr. O'Neil re: \"flu\" shot"));
    EXPECT_FALSE(LoadToDoItem(id + 100));
}

TEST_F(ToDoRows, TickingFlipsDoneAndDeletingRemovesOnlyThatRow)
{
    const qint32 flu = AddToDo(QStringLiteral("flu shot"), Date());
    const qint32 teeth = AddToDo(QStringLiteral("teeth"), Date());
    ToggleToDoDone(flu);
    EXPECT_TRUE(IsDone(flu));
    EXPECT_FALSE(IsDone(teeth));
    ToggleToDoDone(flu);
    EXPECT_FALSE(IsDone(flu));
    ToggleToDoDone(flu + teeth + 100);   // gone: nothing changes
    EXPECT_FALSE(IsDone(flu));
    EXPECT_FALSE(IsDone(teeth));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01")), 2);

    DeleteToDoRow(flu);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TODO01")), 1);
    EXPECT_FALSE(LoadToDoItem(flu));
}

TEST(ToDoGrid, GrowsTwelveRowsWhenAnItemFindsNoRow)
{
    EXPECT_EQ(GridRowCount(0), 37);
    EXPECT_EQ(GridRowCount(36), 37);
    EXPECT_EQ(GridRowCount(37), 49);
    EXPECT_EQ(GridRowCount(48), 49);
    EXPECT_EQ(GridRowCount(49), 61);
}

TEST(ToDoMemo, LinesAreJoinedWithABlank)
{
    EXPECT_EQ(JoinMemoLines({"Refill", "prescription"}), QStringLiteral("Refill prescription"));
    EXPECT_EQ(JoinMemoLines({"one line"}), QStringLiteral("one line"));
}

}  // namespace
