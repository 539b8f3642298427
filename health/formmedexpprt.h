#pragma once
// The report form of the medical-expense table: a heading with the member,
// the year and the two sums on every page, the column heads, one line per
// row of the scratch table, and the printing date and page number at the foot
// of each page. Lengths are laid out in points on a 576-point band.
#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <array>

class TFormMedExpPrt {
public:
    // Opens the query over the scratch table of the data folder.
    explicit TFormMedExpPrt(const QString& dataFolder);
    TFormMedExpPrt(const TFormMedExpPrt&) = delete;
    TFormMedExpPrt& operator=(const TFormMedExpPrt&) = delete;

    // Shows the pages in the preview window, with the main window's message
    // hook put aside meanwhile; returns when the window has closed.
    void Preview();

    TQuery Query1;
    TReport Report1;
    TRpBand& RpBand1;   // page header
    TRpLabel& RpLabel1;
    TRpLabel& RpLbPatient;
    TRpLabel& RpLbYear;
    TRpLabel& RpLbTlExp;
    TRpLabel& RpLbOOP;
    TRpBand& RpBand2;   // column header
    std::array<TRpLabel*, 7> Heads;
    TRpBand& RpBand4;   // detail
    std::array<TRpDBText*, 7> Texts;   // Category, Column1 to Column6
    TRpBand& RpBand6;   // page footer
    TRpSysData& RpSysData1;
    TRpSysData& RpSysData2;
};
