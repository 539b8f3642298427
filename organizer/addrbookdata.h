#pragma once
// The address book's rows without widgets: the columns the user chose, the
// category, letter-range and field filters, sorting by a column, the search
// and the column choice. Every routine raises EDatabaseError when the
// database fails; the windows tell the user.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// At most this many columns; the business name is always the first.
constexpr int kBookColumnLimit = 18;

struct TBookColumn {
    QString caption;
    QString dbField;   // the BIZADDR column, at most 15 characters
};

// The chosen columns in their order.
std::vector<TBookColumn> LoadBookColumns();

// The letters of the range combos: "A" to "Z" without "N".
QStringList BookLetters();
// The fields the field filter offers; "None" switches it off.
QStringList BookFilterFields();
extern const QString kNoFilterField;

struct TBookFilter {
    qint32 categoryId = -1;   // -1: all categories
    QString fromLetter;       // the range applies only with both letters
    QString toLetter;
    QString field;            // a BIZADDR column, or "None"
    QString value;

    bool HasRange() const { return !fromLetter.isEmpty() && !toLetter.isEmpty(); }
    bool HasFieldValue() const;
};

struct TBookSort {
    QString dbField;
    bool descending = false;
};

struct TBookRow {
    qint32 bizId = 0;
    // The business name first, then one cell per further column.
    QStringList cells;
};

// The rows of the filter, by the order the database gives.
std::vector<TBookRow> ReadBook(const std::vector<TBookColumn>& columns, const TBookFilter& filter);
// Every row sorted by one column, no filter applied.
std::vector<TBookRow> ReadSortedBook(const std::vector<TBookColumn>& columns, const TBookSort& sort);

// A click on a column header: the memo columns do not sort; every other
// click counts, and an odd count sorts descending.
bool IsSortableCaption(const QString& caption);
std::optional<bool> SortDescendingAfterClick(const QString& caption, int& sortClicks);

void DeleteBusiness(qint32 bizId);

// ---- The column choice ------------------------------------------------------

struct TFieldChoiceItem {
    qint32 selectId = 0;
    QString caption;
};

struct TFieldChoice {
    std::vector<TFieldChoiceItem> unselected;
    std::vector<TFieldChoiceItem> selected;   // in display order
};

TFieldChoice ReadFieldChoice();
// Hides every column but the name, then numbers the chosen ones in order;
// one transaction.
void SaveFieldChoice(const std::vector<TFieldChoiceItem>& selected);

// ---- The search ---------------------------------------------------------------

// The search dialog's fields, captions of the column choice.
QStringList SearchFields();

struct TSearchHit {
    QString businessName;
    QString value;   // of the searched column
};

struct TSearchResult {
    QString fieldCaption;   // empty: no field chosen
    std::vector<TSearchHit> hits;
};

// The businesses whose column of the chosen caption holds the text, in any
// letter case. Sorted by the name (sortColumn 0) or by the searched column;
// an odd click count sorts descending.
TSearchResult SearchBook(const QString& fieldCaption, const QString& text, int sortColumn, int sortClicks);
