#pragma once
// "Immunization Record": the title block with the member's name, gender and
// birth date, ruled column heads, one ruled line per dose of the scratch
// table (vaccine, dose number, date given, doctor in two parts, next dose
// due), and the printing date and page number at the foot of each page.
#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <array>

class TImmuReptForm {
public:
    // Opens the query over the scratch table of the data folder.
    explicit TImmuReptForm(const QString& dataFolder);
    TImmuReptForm(const TImmuReptForm&) = delete;
    TImmuReptForm& operator=(const TImmuReptForm&) = delete;

    // Shows the pages in the preview window, with the main window's message
    // hook put aside meanwhile; returns when the window has closed.
    void Preview();

    TQuery Query1;
    TReport Report1;
    TRpBand& RpBand5;   // title
    TRpLabel& RpLabel1;
    TRpLabel& RpLbName;
    TRpLabel& RpLbSex;
    TRpLabel& RpLbDOB;
    TRpBand& RpBand1;   // column header
    TRpBand& RpBand3;   // detail
    std::array<TRpDBText*, 6> Texts;   // Column1, Category, Column2 to Column5
    TRpBand& RpBand4;   // page footer
    TRpSysData& RpSysData1;
    TRpSysData& RpSysData2;
};

// Fills the scratch table for the member and previews the record.
void PrintImmuRecord(qint32 memberId);
