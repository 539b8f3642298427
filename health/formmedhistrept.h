#pragma once
// The report form of a member's medical record, also used by the plan report
// with rows of its own: a title block, the scratch table's rows grouped by
// category in six columns, and the printing date and page number at the
// foot of each page. Lengths are laid out in points on a 540-point band.
#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <array>

// The member lines under the report's heading, top to bottom; an empty line
// does not print, and the lines below it move up.
struct TMedHistTitleLines {
    QString name, dob, sex, blood, rh, weight, height;
};

class TFormMedHistRept {
public:
    // Opens the query over the scratch table of the data folder.
    explicit TFormMedHistRept(const QString& dataFolder);
    TFormMedHistRept(const TFormMedHistRept&) = delete;
    TFormMedHistRept& operator=(const TFormMedHistRept&) = delete;

    void SetMemberLines(const TMedHistTitleLines& lines);
    // Shows the pages in the preview window, with the main window's message
    // hook put aside meanwhile; returns when the window has closed.
    void Preview();

    TQuery Query1;
    TReport Report1;
    TRpBand& RpBand1;   // title
    TRpLabel& RpLabel1;
    TRpLabel& lblName;
    TRpLabel& lblDOB;
    TRpLabel& lblSex;
    TRpLabel& lblblood;
    TRpLabel& lblRH;
    TRpLabel& lblweight;
    TRpLabel& lblheight;
    TRpGroup& RpGroup1;
    TRpDBText& RpDBText8;   // the category
    TRpBand& RpBand2;       // detail
    std::array<TRpDBText*, 6> Columns;   // Column1 to Column6
    TRpBand& RpBand3;   // group footer
    TRpBand& RpBand4;   // page footer
    TRpSysData& RpSysData1;
    TRpSysData& RpSysData2;

private:
    std::array<TRpLabel*, 7> MemberLabels() const;
    void KeepCategoryWithItsFirstRow();
    void WidenFirstColumnOverAnEmptySecond();
};
