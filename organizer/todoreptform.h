#pragma once
// "To-do's printing": the to-do items due up to the end of the list's Due
// filter, numbered, with their status, due date, description in two lines
// and category, ruled, under "To-Do List".
#include "todolist.h"

#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <map>

using TCategoryNames = std::map<qint32, QString>;

class TTodoReptForm {
public:
    // Opens the query over the scratch table of the data folder.
    explicit TTodoReptForm(const QString& dataFolder);
    TTodoReptForm(const TTodoReptForm&) = delete;
    TTodoReptForm& operator=(const TTodoReptForm&) = delete;

    // Shows the pages in the preview window, with the main window's message
    // hook put aside meanwhile; returns when the window has closed.
    void Preview();

    TQuery QueryTodo;
    TReport Report1;
    TRpBand& RpBandTitle;
    TRpLabel& RpLbTime;
    TRpBand& RpBandHeader;
    TRpBand& RpBandDetail;
    TRpBand& RpBandFooter;
};

// Writes the items due up to the filter's end (past ones and those without a
// date too) in the category to the scratch table: "1.", status ("done",
// "overdue" or empty), due date, description wrapped at 50 characters in two
// parts, category name.
void FillToDoReport(TDueFilter filter, qint32 categoryNo, TDateTime today, const TCategoryNames& names);
QString ToDoReportTitle(TDueFilter filter, TDateTime today);
// Fills the scratch table and previews the printout.
void PrintToDoList(TDueFilter filter, qint32 categoryNo, const TCategoryNames& names);
