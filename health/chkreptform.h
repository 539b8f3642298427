#pragma once
// "Personal Medical Checkup Schedule" and "Personal Medical Checkup Log":
// the member's name and birth date over the list's rows as the dialog shows
// them, numbered, with the printing date and page number at each foot.
#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <array>
#include <vector>

enum class TChkListKind { Schedule, Log };
// A list row as shown: the item and the three other columns.
using TChkListRow = std::array<QString, 4>;

// Fills the report scratch table with the rows, numbered from 1, in one
// transaction.
void FillChkReport(const std::vector<TChkListRow>& rows);

class TMedReptForm {
public:
    // Opens the query over the scratch table of the data folder.
    explicit TMedReptForm(const QString& dataFolder);
    TMedReptForm(const TMedReptForm&) = delete;
    TMedReptForm& operator=(const TMedReptForm&) = delete;

    // The log's headings in place of the schedule's.
    void ShowAsLog();
    // Shows the pages in the preview window, with the main window's message
    // hook put aside meanwhile; returns when the window has closed.
    void Preview();

    TQuery Query1;
    TReport Report1;
    TRpBand& RpBand1;   // page header
    TRpLabel& RpLabel5;
    TRpLabel& RplbName;
    TRpLabel& RplbDOB;
    TRpBand& RpBand2;   // column header
    std::array<TRpLabel*, 4> Heads;   // RpLabel1 to RpLabel4
    TRpBand& RpBand3;   // detail
    std::array<TRpDBText*, 5> Texts;   // Category, Column1 to Column4
    TRpBand& RpBand4;   // page footer
    TRpSysData& RpSysData1;
    TRpSysData& RpSysData2;
};

// Fills the scratch table with the rows and previews the list of the member.
void PrintCheckupList(TChkListKind kind, qint32 memberId, const std::vector<TChkListRow>& rows);
