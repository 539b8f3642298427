#include "tests/support/scriptedmessageboxes.h"
#include "records/common/todorows.h"
#include "recordstest.h"

namespace {

class ToDoRowsTest : public RecordsTest {
protected:
    std::unique_ptr<TQuery> Row(qint32 todoId)
    {
        auto query = std::make_unique<TQuery>(DataFolder);
        query->SQL() << QStringLiteral("SELECT * FROM TODO01 WHERE Todoid = %1").arg(todoId);
        query->Open();
        return query;
    }

    void MarkDone(qint32 todoId)
    {
        Exec(QStringLiteral("UPDATE TODO01 SET Done = 1, ModType = 7 WHERE Todoid = %1").arg(todoId));
    }
};

TEST_F(ToDoRowsTest, NewRowCarriesTheWritersMarks)
{
    const TDateTime due = EncodeDate(2024, 3, 15);
    qint32 id = 0;
    SaveToDo(id, 5, QStringLiteral("Ann, please schedule your \"eye\" checkup"), due);
    ASSERT_GT(id, 0);
    auto row = Row(id);
    ASSERT_FALSE(row->Eof());
    EXPECT_EQ(row->FieldByName(QStringLiteral("CategoryNo")).AsInteger(), 5);
    EXPECT_EQ(row->FieldByName(QStringLiteral("Description")).AsLines(),
              QStringList{QStringLiteral("Ann, please schedule your \"eye\" checkup")});
    EXPECT_EQ(row->FieldByName(QStringLiteral("Due")).AsDateTime(), due);
    EXPECT_TRUE(row->FieldByName(QStringLiteral("ScheduleDate")).IsNull());
    EXPECT_EQ(row->FieldByName(QStringLiteral("ModType")).AsInteger(), 132);
    EXPECT_FALSE(row->FieldByName(QStringLiteral("Done")).AsBoolean());
    EXPECT_EQ(row->FieldByName(QStringLiteral("EditType")).AsInteger(), 1);
    EXPECT_EQ(row->FieldByName(QStringLiteral("AlarmID")).AsInteger(), 0);
}

TEST_F(ToDoRowsTest, RewritingTheRowKeepsItsKeyAndMarksItNotDone)
{
    qint32 id = 0;
    SaveToDo(id, 5, QStringLiteral("first"), EncodeDate(2024, 3, 15));
    const qint32 first = id;
    MarkDone(id);
    WriteToDo(id, 2, false, QStringLiteral("second"), EncodeDate(2030, 1, 1));
    EXPECT_EQ(id, first);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 1);
    auto row = Row(id);
    EXPECT_EQ(row->FieldByName(QStringLiteral("Description")).AsString(), QStringLiteral("second"));
    EXPECT_EQ(row->FieldByName(QStringLiteral("CategoryNo")).AsInteger(), 2);
    EXPECT_TRUE(row->FieldByName(QStringLiteral("Due")).IsNull());
    EXPECT_FALSE(row->FieldByName(QStringLiteral("Done")).AsBoolean());
    EXPECT_EQ(row->FieldByName(QStringLiteral("ModType")).AsInteger(), 132);
}

TEST_F(ToDoRowsTest, AKeyWhoseRowIsGoneGetsANewRow)
{
    qint32 id = 0;
    SaveToDo(id, 5, QStringLiteral("old"), EncodeDate(2024, 3, 15));
    const qint32 gone = id;
    DeleteToDo(gone);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 0);

    SaveToDo(id, 5, QStringLiteral("again"), EncodeDate(2024, 4, 1));
    EXPECT_GT(id, 0);
    EXPECT_NE(id, gone);
    EXPECT_EQ(Value(QStringLiteral("SELECT * FROM TODO01"), QStringLiteral("Todoid")), QString::number(id));

    qint32 never = 777;
    SaveToDo(never, 5, QStringLiteral("third"), EncodeDate(2024, 4, 1));
    EXPECT_NE(never, 777);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 2);

    DeleteToDo(0);
    DeleteToDo(never);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01")), 1);
    EXPECT_FALSE(Row(id)->Eof());
}

// The schedules and the member deletion must learn that a reminder was not
// written or not deleted; the routines tell nobody themselves.
TEST_F(ToDoRowsTest, DatabaseFailuresReachTheCaller)
{
    ScriptedMessageBoxes boxes;
    qint32 id = 0;
    SaveToDo(id, 5, QStringLiteral("kept"), EncodeDate(2024, 2, 29));
    const qint32 kept = id;
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("TODO01"));
    EXPECT_THROW(WriteToDo(id, 5, false, QStringLiteral("changed"), 0.0), EDatabaseError);
    EXPECT_EQ(id, kept);
    FailOn(QStringLiteral("DELETE"), QStringLiteral("TODO01"));
    EXPECT_THROW(DeleteToDo(id), EDatabaseError);
    EXPECT_EQ(Value(QStringLiteral("SELECT * FROM TODO01"), QStringLiteral("Description")), QStringLiteral("kept"));

    BreakDatabase();
    qint32 other = 3;
    EXPECT_THROW(SaveToDo(other, 5, QStringLiteral("x"), EncodeDate(2024, 3, 15)), EDatabaseError);
    EXPECT_EQ(other, 3);
    DeleteToDo(0);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
