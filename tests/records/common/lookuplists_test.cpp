#include "tests/support/scriptedmessageboxes.h"
#include "records/common/gridrows.h"
#include "records/common/lookuplists.h"
#include "recordstest.h"

#include <QComboBox>
#include <QTableWidget>

namespace {

class LookupListsTest : public RecordsTest {
protected:
    QStringList Items(const QComboBox& combo)
    {
        QStringList items;
        for (int i = 0; i < combo.count(); ++i)
            items << combo.itemText(i);
        return items;
    }

    // A category combo as the dialogs use it: editable, list 11.
    void FillCategories()
    {
        categories_.setEditable(true);
        categories_.setInsertPolicy(QComboBox::NoInsert);
        FillChoiceCombo(categories_, CategoryListId);
    }

    int ChoiceRows() { return Count(QStringLiteral("SELECT * FROM Choices WHERE ComponentID = 11")); }

    QComboBox categories_;
};

TEST_F(LookupListsTest, BusinessListsCarryTheirKeys)
{
    const qint32 zed = Append(Business(QStringLiteral("Zed Clinic"), 5));
    const qint32 abe = Append(Business(QStringLiteral("Abe \"Quick\" Care"), 5));
    Append(Business(QStringLiteral("Corner Pharmacy"), 1));

    QComboBox combo;
    combo.addItem(QStringLiteral("first"), 99);
    combo.setCurrentIndex(0);
    FillBizAddrCombo(combo, 5);
    EXPECT_EQ(Items(combo), (QStringList{QStringLiteral("first"), QStringLiteral("Abe \"Quick\" Care"),
                                         QStringLiteral("Zed Clinic")}));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(IndexOfComboId(combo, zed), 2);

    RefillBizAddrCombo(combo, 5);
    EXPECT_EQ(combo.count(), 2);
    SelectComboById(combo, abe);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Abe \"Quick\" Care"));
    SelectComboById(combo, 12345);
    EXPECT_EQ(combo.currentIndex(), -1);
    ClearIdCombo(combo);
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(LookupListsTest, IndexOfMinusOneIsAlwaysNone)
{
    QComboBox combo;
    combo.addItem(QStringLiteral("All Categorys"), -1);
    combo.addItem(QStringLiteral("Other"), 9);
    combo.addItem(QStringLiteral("no key"));
    EXPECT_EQ(IndexOfComboId(combo, -1), -1);
    EXPECT_EQ(IndexOfComboId(combo, 9), 1);
    EXPECT_EQ(IndexOfComboId(combo, 0), -1);
}

TEST_F(LookupListsTest, ChoiceListIsOrderedByName)
{
    FillCategories();
    ASSERT_EQ(categories_.count(), 9);
    EXPECT_EQ(categories_.itemText(0), QStringLiteral("Dentists"));
    EXPECT_EQ(categories_.itemData(0).toInt(), 2);
    EXPECT_EQ(categories_.itemText(8), QStringLiteral("Therapists"));
    // A refill replaces the items.
    FillChoiceCombo(categories_, CategoryListId);
    EXPECT_EQ(categories_.count(), 9);
}

TEST_F(LookupListsTest, NewChoiceIdIsTheLargestPlusOne)
{
    EXPECT_EQ(AddUserChoice(12, QStringLiteral("first of its list")), 1);
    EXPECT_EQ(AddUserChoice(12, QStringLiteral("second")), 2);
    Exec(QStringLiteral("INSERT INTO Choices (ComponentID, ChoiceID, ItemName) VALUES (11, 17, 'Aaa')"));
    EXPECT_EQ(AddUserChoice(11, QStringLiteral("Zzz")), 18);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM Choices WHERE ComponentID = 11 AND ChoiceID = 18 AND "
                                   "UserDefined = 1 AND ItemName = 'Zzz'")),
              1);
    EXPECT_EQ(AddUserChoice(11, EnterOrSelectText), -1);
    EXPECT_EQ(ChoiceRows(), 11);
}

TEST_F(LookupListsTest, TypedTextFindsItsItemWhateverTheBlanksAndCaseOrBecomesOne)
{
    FillCategories();
    categories_.setCurrentIndex(-1);
    EXPECT_EQ(GetChoiceComboId(categories_), -1);
    categories_.setEditText(EnterOrSelectText);
    EXPECT_EQ(GetChoiceComboId(categories_), -1);
    categories_.setEditText(QStringLiteral("  eye CARE "));
    EXPECT_EQ(GetChoiceComboId(categories_), 3);
    EXPECT_EQ(ChoiceRows(), 9);

    categories_.setEditText(QStringLiteral(" Chiropractors"));
    EXPECT_EQ(GetChoiceComboId(categories_), 10);
    EXPECT_EQ(Value(QStringLiteral("SELECT * FROM Choices WHERE ChoiceID = 10"), QStringLiteral("ItemName")),
              QStringLiteral(" Chiropractors"));
}

TEST_F(LookupListsTest, SelectedItemChangedOnlyInCaseIsANewItem)
{
    FillCategories();
    SelectComboById(categories_, 7);
    EXPECT_EQ(GetChoiceComboId(categories_), 7);
    EXPECT_EQ(ChoiceRows(), 9);
    categories_.setEditText(QStringLiteral("THERAPISTS"));
    ASSERT_EQ(categories_.currentIndex(), IndexOfComboId(categories_, 7));
    EXPECT_EQ(GetChoiceComboId(categories_), 10);
    EXPECT_EQ(ChoiceRows(), 10);
}

// The dialogs tell the user; a list that could not be read must not look like
// an empty one, nor a category that could not be added like no category.
TEST_F(LookupListsTest, DatabaseFailuresReachTheCaller)
{
    ScriptedMessageBoxes boxes;
    FillCategories();
    FailOn(QStringLiteral("INSERT"), QStringLiteral("Choices"));
    EXPECT_THROW(AddUserChoice(11, QStringLiteral("Chiropractors")), EDatabaseError);
    categories_.setEditText(QStringLiteral("Chiropractors"));
    EXPECT_THROW(GetChoiceComboId(categories_), EDatabaseError);
    EXPECT_EQ(AddUserChoice(11, EnterOrSelectText), -1);
    EXPECT_EQ(ChoiceRows(), 9);

    QComboBox combo;
    combo.addItem(QStringLiteral("kept"), 1);
    BreakDatabase();
    EXPECT_THROW(FillBizAddrCombo(combo, 5), EDatabaseError);
    EXPECT_EQ(Items(combo), QStringList{QStringLiteral("kept")});
    EXPECT_THROW(FillChoiceCombo(combo, 11), EDatabaseError);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(GrowGridRows, AddsFiveRowsAndEmptyKeys)
{
    QTableWidget grid(3, 5);
    QList<qint32> keys{11, 12, 13};
    GrowGridRows(grid, keys);
    EXPECT_EQ(grid.rowCount(), 8);
    EXPECT_EQ(keys, (QList<qint32>{11, 12, 13, 0, 0, 0, 0, 0}));
}

}  // namespace
