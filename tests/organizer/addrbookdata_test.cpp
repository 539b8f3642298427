// The address book's rows: filters alone and combined, sorting, the category
// names, the column choice and the search.
#include "addrbookenv.h"

#include "organizer/addrbookdata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/lookuplists.h"

namespace {

QStringList Names(const std::vector<TBookRow>& rows)
{
    QStringList names;
    for (const TBookRow& row : rows)
        names << row.cells.value(0);
    return names;
}

QStringList SortedNames(const std::vector<TBookRow>& rows)
{
    QStringList names = Names(rows);
    names.sort();
    return names;
}

const TBookRow& RowOf(const std::vector<TBookRow>& rows, qint32 bizId)
{
    const auto found = std::find_if(rows.begin(), rows.end(), [bizId](const TBookRow& row) { return row.bizId == bizId; });
    EXPECT_NE(found, rows.end());
    return *found;
}

TBookFilter Range(const QString& from, const QString& to)
{
    TBookFilter filter;
    filter.fromLetter = from;
    filter.toLetter = to;
    return filter;
}

}  // namespace

TEST_F(AddressBookTest, TheDeliveredColumnsComeInTheirOrderWithTheNameFirst)
{
    const std::vector<TBookColumn> columns = LoadBookColumns();
    QStringList captions;
    for (const TBookColumn& column : columns)
        captions << column.caption + "=" + column.dbField;
    EXPECT_EQ(captions, QStringList({"Name=BusinessName", "Category=CategoryNo", "Phone=Phone1",
                                     "Street Address=Addr", "City=City", "State=State"}));
}

TEST_F(AddressBookTest, TheCategoryFilterAloneKeepsItsBusinesses)
{
    TBookFilter filter;
    filter.categoryId = 5;
    EXPECT_EQ(SortedNames(ReadBook(LoadBookColumns(), filter)), QStringList({"Mercy Hospital", kONeil}));
    filter.categoryId = -1;
    EXPECT_EQ(ReadBook(LoadBookColumns(), filter).size(), 8u);
}

TEST_F(AddressBookTest, TheLetterRangeTakesBothCasesAndSwapsAReversedRange)
{
    const auto columns = LoadBookColumns();
    // "C" to "A": A..C, the lower-case name too; the accent after the "C" does not matter.
    EXPECT_EQ(SortedNames(ReadBook(columns, Range("C", "A"))),
              QStringList({"Cedar Dental", "C\u00e9line Eye Care", "apex pharmacy"}));
    // "N" is not offered, but a range over it holds the names starting with it.
    EXPECT_EQ(SortedNames(ReadBook(columns, Range("M", "O"))),
              QStringList({"Mercy Hospital", "Nash Labs", kONeil, "Oak Therapy"}));
    EXPECT_EQ(ReadBook(columns, Range("Z", "A")).size(), 8u);
    EXPECT_EQ(Names(ReadBook(columns, Range("Z", "Z"))), QStringList({"Zenith Insurance"}));
    // One letter alone is no range.
    EXPECT_EQ(ReadBook(columns, Range("M", "")).size(), 8u);
    EXPECT_EQ(ReadBook(columns, Range("", "B")).size(), 8u);
    EXPECT_FALSE(BookLetters().contains("N"));
    EXPECT_EQ(BookLetters().size(), 25);
}

TEST_F(AddressBookTest, TheFieldFilterComparesTrimmedValuesInAnyCase)
{
    TBookFilter filter;
    filter.field = "City";
    filter.value = "  SPRINGFIELD ";
    EXPECT_EQ(SortedNames(ReadBook(LoadBookColumns(), filter)), QStringList({kONeil, "apex pharmacy"}));
    filter.field = kNoFilterField;
    EXPECT_EQ(ReadBook(LoadBookColumns(), filter).size(), 8u);
    filter.field = "State";
    filter.value = "";
    EXPECT_EQ(ReadBook(LoadBookColumns(), filter).size(), 8u);
}

TEST_F(AddressBookTest, TheFiltersCombine)
{
    TBookFilter filter = Range("O", "M");
    filter.categoryId = 5;
    EXPECT_EQ(SortedNames(ReadBook(LoadBookColumns(), filter)), QStringList({"Mercy Hospital", kONeil}));
    filter.field = "City";
    filter.value = "capital city";
    EXPECT_EQ(Names(ReadBook(LoadBookColumns(), filter)), QStringList({"Mercy Hospital"}));
    filter.categoryId = 1;
    EXPECT_TRUE(ReadBook(LoadBookColumns(), filter).empty());
}

TEST_F(AddressBookTest, TheCategoryCellIsTheNameOfTheBusinessesOwnCategory)
{
    // A category the user added, and an insurer of the payments whose
    // CATEGORY row is numbered one above a list item.
    const qint32 acupuncture = AddUserChoice(CategoryListId, "Acupuncture");
    ASSERT_EQ(acupuncture, 10);
    Exec("INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (11, 2, 'Acme Insurance')");
    const qint32 needles = AddBusiness({"Needles & Co", acupuncture, "", "", "", {}});
    const qint32 lost = AddBusiness({"Lost Category", 77, "", "", "", {}});

    const auto rows = ReadBook(LoadBookColumns(), TBookFilter{});
    EXPECT_EQ(RowOf(rows, needles).cells, QStringList({"Needles & Co", "Acupuncture", "", "", "", ""}));
    EXPECT_EQ(RowOf(rows, oneil_).cells,
              QStringList({kONeil, "Doctors and Hospitals", "555-0101", "", " Springfield ", "IL"}));
    EXPECT_EQ(RowOf(rows, apex_).cells.value(1), "Pharmacies");
    // No such category: an empty cell, the later ones stay in their columns.
    EXPECT_EQ(RowOf(rows, lost).cells, QStringList({"Lost Category", "", "", "", "", ""}));
}

TEST_F(AddressBookTest, SortingByAColumnGoesBothWaysWithoutTheFilters)
{
    const auto columns = LoadBookColumns();
    int clicks = 0;
    const std::optional<bool> first = SortDescendingAfterClick("Name", clicks);
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(*first);
    const auto down = ReadSortedBook(columns, {"BusinessName", *first});
    EXPECT_EQ(Names(down).first(), "apex pharmacy");   // lower case sorts after upper case
    EXPECT_EQ(Names(down).at(1), "Zenith Insurance");
    EXPECT_EQ(Names(down).last(), "Cedar Dental");

    EXPECT_FALSE(SortDescendingAfterClick("Notes", clicks).has_value());
    EXPECT_FALSE(SortDescendingAfterClick("Operation Hours", clicks).has_value());
    EXPECT_EQ(clicks, 1);
    const std::optional<bool> second = SortDescendingAfterClick("City", clicks);
    EXPECT_FALSE(second.value());
    const auto byCity = ReadSortedBook(columns, {"City", *second});
    EXPECT_EQ(Names(byCity).first(), kONeil);   // " Springfield " with its blank first
    EXPECT_EQ(Names(byCity).last(), "apex pharmacy");
    EXPECT_EQ(byCity.size(), 8u);
    EXPECT_THROW(ReadSortedBook(columns, {"BusinessName; DROP TABLE BIZADDR", false}), EDatabaseError);
}

TEST_F(AddressBookTest, TheColumnChoiceIsSavedAndLoadedWithTheNameFirst)
{
    TFieldChoice choice = ReadFieldChoice();
    ASSERT_EQ(choice.selected.size(), 6u);
    EXPECT_EQ(choice.selected.front().caption, "Name");
    EXPECT_EQ(choice.unselected.size(), 12u);

    SaveFieldChoice({{1, "Name"}, {16, "Operation Hours"}, {8, "Email"}, {3, "Phone"}});
    const auto columns = LoadBookColumns();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].dbField, "BusinessName");
    EXPECT_EQ(columns[1].dbField, "OpHours");
    EXPECT_EQ(columns[2].dbField, "Email");
    EXPECT_EQ(columns[3].dbField, "Phone1");
    EXPECT_EQ(Text("SELECT * FROM BZSFIELD WHERE SelectID = 2", "OrderNo"), "0");
    choice = ReadFieldChoice();
    EXPECT_EQ(choice.unselected.size(), 14u);
    // The memo column shows the lines on one line.
    EXPECT_EQ(RowOf(ReadBook(columns, {}), oneil_).cells.value(1), "Mon-Fri 8-5 Sat 9-12");
}

TEST_F(AddressBookTest, SearchFindsTheTextAnywhereInAnyCase)
{
    TSearchResult result = SearchBook("Name", "  clinic", 0, 0);
    ASSERT_EQ(result.hits.size(), 1u);
    EXPECT_EQ(result.hits[0].businessName, kONeil);
    EXPECT_TRUE(result.fieldCaption.isEmpty());

    result = SearchBook("Phone", "", 0, 1);
    EXPECT_EQ(result.fieldCaption, "Phone");
    ASSERT_EQ(result.hits.size(), 8u);
    EXPECT_EQ(result.hits.front().businessName, "apex pharmacy");   // by name, descending
    EXPECT_EQ(result.hits.front().value, "555-0102");

    result = SearchBook("Phone", "555-010", 1, 2);
    EXPECT_EQ(result.hits.front().value, "555-0101");
    EXPECT_EQ(result.hits.back().value, "555-0108");
    EXPECT_EQ(SearchBook("Name", "O'NEIL \"FAMILY\"", 0, 0).hits.size(), 1u);
}
