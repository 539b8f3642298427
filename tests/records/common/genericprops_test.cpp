#include "tests/support/scriptedmessageboxes.h"
#include "records/common/genericprops.h"
#include "records/common/tablelookups.h"
#include "recordstest.h"

#include <QComboBox>
#include <QFile>

namespace {

using GenericPropsTest = RecordsTest;

TEST_F(GenericPropsTest, DatabaseVersionOfAnyFolder)
{
    EXPECT_EQ(GetDatabaseVersion(folder_.Path()), QStringLiteral("1"));
    Exec(QStringLiteral("DELETE FROM GENERIC WHERE PropertyType = 5"));
    EXPECT_TRUE(GetDatabaseVersion(folder_.Path()).isEmpty());
    // A folder without a database has no version to compare: the caller
    // learns why.
    QTemporaryDir empty;
    EXPECT_THROW(GetDatabaseVersion(empty.path() + QLatin1Char('/')), EDatabaseError);
}

TEST_F(GenericPropsTest, WritingThePairTwiceLeavesOneRowWithTheSecondText)
{
    QString text;
    EXPECT_FALSE(ReadGenericStr(303, 7, text));
    EXPECT_TRUE(text.isEmpty());

    WriteGenericStr(303, 7, QStringLiteral("5/1/1990"));
    WriteGenericStr(303, 7, QStringLiteral("it's \"quoted\""));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 303 AND ObjID = 7")), 1);
    EXPECT_TRUE(ReadGenericStr(303, 7, text));
    EXPECT_EQ(text, QStringLiteral("it's \"quoted\""));
    // The neighbours of the pair are other rows.
    EXPECT_FALSE(ReadGenericStr(303, 8, text));
    EXPECT_FALSE(ReadGenericStr(301, 7, text));

    WriteGenericInt(303, 7, 44);
    WriteGenericInt(303, 9, 45);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 303 AND IntProperty >= 44")), 2);
    EXPECT_TRUE(ReadGenericStr(303, 7, text));
    EXPECT_EQ(text, QStringLiteral("it's \"quoted\""));
}

// A failing database is never taken for a missing row, an empty table or a
// name already listed; and these routines leave telling the user to the caller.
TEST_F(GenericPropsTest, DatabaseFailuresReachTheCaller)
{
    ScriptedMessageBoxes boxes;
    WriteGenericStr(102, 1, QStringLiteral("kept"));
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("GENERIC"));
    EXPECT_THROW(WriteGenericStr(102, 1, QStringLiteral("x")), EDatabaseError);
    EXPECT_THROW(WriteGenericInt(102, 1, 1), EDatabaseError);
    FailOn(QStringLiteral("INSERT"), QStringLiteral("GENERIC"));
    EXPECT_THROW(WriteGenericStr(303, 7, QStringLiteral("x")), EDatabaseError);
    EXPECT_THROW(AddGenericText(1, 4, QStringLiteral("Dr. Lee")), EDatabaseError);
    QString text;
    EXPECT_TRUE(ReadGenericStr(102, 1, text));
    EXPECT_EQ(text, QStringLiteral("kept"));

    BreakDatabase();
    text = QStringLiteral("old");
    EXPECT_THROW(ReadGenericStr(102, 1, text), EDatabaseError);
    EXPECT_THROW(GetDatabaseVersion(DataFolder), EDatabaseError);
    EXPECT_THROW(GetCategoryName(1, 6), EDatabaseError);
    QComboBox combo;
    combo.addItem(QStringLiteral("kept"));
    EXPECT_THROW(FillGenericTextCombo(1, 3, QStringLiteral("kept"), combo), EDatabaseError);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(GenericPropsTest, ATableThatCannotBeReadIsNeitherEmptyNorFull)
{
    Exec(QStringLiteral("ALTER TABLE TODO01 RENAME TO TODO01Moved"));
    EXPECT_THROW(IsTableEmpty(QStringLiteral("TODO01")), EDatabaseError);
    EXPECT_TRUE(IsTableEmpty(QStringLiteral("TODO01Moved")));
    Exec(QStringLiteral("ALTER TABLE CATEGORY RENAME TO CATEGORYMoved"));
    EXPECT_THROW(GetCategoryName(1, 6), EDatabaseError);
}

TEST_F(GenericPropsTest, ProviderNamesAreAddedOnceAndExactly)
{
    AddGenericText(1, 4, QStringLiteral("Dr. Lee"));
    AddGenericText(1, 4, QStringLiteral("Dr. Lee"));
    AddGenericText(1, 4, QStringLiteral("dr. lee"));
    AddGenericText(2, 4, QStringLiteral("Dr. Lee"));
    AddGenericText(-1, -1, QStringLiteral("Nobody's"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 201")), 4);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 201 AND ObjID IS NULL AND "
                                   "IntProperty IS NULL")),
              1);
    // Below 0 nothing is compared: the name is known whatever its pair.
    AddGenericText(-1, -1, QStringLiteral("Dr. Lee"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 201")), 4);
}

TEST_F(GenericPropsTest, FillListsEachNameOnceAndSelectsTheGivenOne)
{
    // Duplicates exist when rows were written without the add routine's check;
    // the long name's first 50 characters are the same as the next name's.
    const QString longName = QString(50, QLatin1Char('M')) + QStringLiteral(" Medical Group of the Valley");
    for (const QString& name : {QStringLiteral("Zed Clinic"), QStringLiteral("Alpha Care"), longName, longName,
                                longName + QStringLiteral(" East"), QStringLiteral("Alpha Care")}) {
        TQuery q(DataFolder);
        q.SQL() << QStringLiteral("INSERT INTO GENERIC (PropertyType, ObjID, StrProperty, IntProperty) "
                                  "VALUES (201, 1, :Name, 3)");
        q.ParamByName(QStringLiteral("Name")).SetAsString(name);
        q.ExecSQL();
    }
    AddGenericText(2, 3, QStringLiteral("Other coverage"));
    AddGenericText(1, 9, QStringLiteral("Other company"));

    QComboBox combo;
    combo.addItem(QStringLiteral("kept"));
    FillGenericTextCombo(1, 3, longName, combo);
    ASSERT_EQ(combo.count(), 5);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("kept"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Alpha Care"));
    EXPECT_EQ(combo.itemText(2), longName);
    EXPECT_EQ(combo.itemText(3), longName + QStringLiteral(" East"));
    EXPECT_EQ(combo.itemText(4), QStringLiteral("Zed Clinic"));
    EXPECT_EQ(combo.currentIndex(), 2);

    // 0 narrows nothing.
    combo.clear();
    FillGenericTextCombo(0, 0, QStringLiteral("not there"), combo);
    EXPECT_EQ(combo.count(), 6);
    EXPECT_EQ(combo.currentIndex(), -1);
}

TEST_F(GenericPropsTest, CategoryNamesAndEmptyTables)
{
    EXPECT_EQ(GetCategoryName(1, 6), QStringLiteral("Doctors and Hospitals"));
    EXPECT_TRUE(GetCategoryName(2, 6).isEmpty());
    EXPECT_TRUE(IsTableEmpty(QStringLiteral("TODO01")));
    EXPECT_FALSE(IsTableEmpty(QStringLiteral("Choices")));
}

}  // namespace
