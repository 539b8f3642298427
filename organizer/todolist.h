#pragma once
// The to-do list's rows as the window shows them: filtered by due date and
// category, ordered by due date, ticked done, deleted; and what the add/edit
// dialog reads and checks. Every routine raises EDatabaseError when the
// database fails; the window tells the user.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The Due filter's entries, in the order the combo lists them.
enum class TDueFilter { Today, OneWeek, TwoWeeks, OneMonth, SixMonths, All };
QStringList DueFilterItems();
// The last due date the filter lets through; "All" reaches 12/31/3000.
TDateTime FilterEndDate(TDueFilter filter, TDateTime today);

// The category filter's entry that lets every category through.
constexpr qint32 AllCategories = -1;

struct TToDoRow {
    qint32 todoId = 0;
    qint32 categoryNo = -1;
    QStringList description;
    TDateTime due = 0.0;   // 0.0: none
    bool done = false;
};

class TDataSet;
// The current row of a query over TODO01.
TToDoRow ToDoRowOf(TDataSet& query);
// The rows due from today to the filter's end ("All": any date, past ones
// too) in the category, by due date.
std::vector<TToDoRow> ReadToDoRows(TDueFilter filter, qint32 categoryNo, TDateTime today);
// What the grid's description column shows.
QString GridDescription(const TToDoRow& row);

// The grid starts with 37 rows, its heading among them, and grows 12 rows at a
// time so that every item has a row and empty rows follow.
constexpr int GridDesignRows = 37;
int GridRowCount(int itemCount);

// Flips the row's Done; a row that is gone changes nothing.
void ToggleToDoDone(qint32 todoId);
void DeleteToDoRow(qint32 todoId);

// What the add/edit dialog shows of a stored item; none when it is gone.
std::optional<TToDoRow> LoadToDoItem(qint32 todoId);

// The memo's lines as the stored description: one blank between lines, so
// that two lines never run together as one word.
QString JoinMemoLines(const QStringList& memoLines);
