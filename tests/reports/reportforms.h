#pragma once
// Report forms for the tests: a report in native units (0.1 mm) over a small
// in-memory data set of people in categories and sub-categories.
#include "memorydataset.h"
#include "reportsupport.h"

#include "reports/rplabel.h"

class ReportForm {
public:
    ReportForm() : ReportForm(DefaultRows()) {}
    explicit ReportForm(std::vector<std::vector<QVariant>> rows)
        : data(QStringLiteral("People"),
               {{QStringLiteral("Category"), TFieldType::String},
                {QStringLiteral("Sub"), TFieldType::String},
                {QStringLiteral("Name"), TFieldType::String},
                {QStringLiteral("Amount"), TFieldType::Float},
                {QStringLiteral("Visits"), TFieldType::Integer},
                {QStringLiteral("Born"), TFieldType::Date}},
               std::move(rows))
    {
        report.SetUnits(TRpUnit::Native);
        report.Page().SetPaperSize(TRpPaperSize::A4);
        report.Page().SetLeftMargin(100);
        report.Page().SetRightMargin(100);
        report.Page().SetTopMargin(100);
        report.Page().SetBottomMargin(100);
        report.SetShowProgress(false);
        report.SetDataSet(&data);
    }

    static std::vector<std::vector<QVariant>> DefaultRows()
    {
        return {
            {"A", "A1", "Ann", 10.5, 3, EncodeDate(1970, 1, 2)},
            {"A", "A1", "Bob", 20.0, 1, EncodeDate(1980, 3, 4)},
            {"A", "A2", "Cid", 5.25, 7, EncodeDate(1990, 5, 6)},
            {"B", "B1", "Dee", 1.0, 2, EncodeDate(2000, 7, 8)},
            {"B", "B1", "Eve", 2.0, 4, EncodeDate(2010, 9, 10)},
        };
    }
    static std::vector<std::vector<QVariant>> NoRows() { return {}; }
    // Rows with the names "Row 1", "Row 2", ... in one category.
    static std::vector<std::vector<QVariant>> NumberedRows(int count)
    {
        std::vector<std::vector<QVariant>> rows;
        for (int n = 1; n <= count; ++n)
            rows.push_back({"A", "A1", QStringLiteral("Row %1").arg(n), double(n), n, EncodeDate(2000, 1, 1)});
        return rows;
    }

    void CustomPage(double width, double length)
    {
        report.Page().SetPaperSize(TRpPaperSize::Custom);
        report.Page().SetWidth(width);
        report.Page().SetLength(length);
    }
    TRpCustomBand& Band(TRpBandType type, double height)
    {
        TRpCustomBand& band = report.AddBand(type);
        band.Size().SetHeight(height);
        return band;
    }
    TRpGroup& Group(const QString& expression, double height = 100)
    {
        TRpGroup& group = report.AddGroup(expression);
        group.Size().SetHeight(height);
        return group;
    }
    TRpCustomBand& GroupFooter(TRpGroup& group, double height = 100)
    {
        TRpCustomBand& footer = Band(TRpBandType::rbGroupFooter, height);
        group.SetFooterBand(&footer);
        return footer;
    }

    template <class T>
    T& Place(TRpBasePanel& panel, double left = 0, double width = 1500)
    {
        T& printable = panel.Add<T>();
        printable.MoveTo(left, 0);
        printable.Size().SetWidth(width);
        printable.Size().SetHeight(60);
        return printable;
    }
    TRpLabel& Label(TRpBasePanel& panel, const QString& caption)
    {
        TRpLabel& label = Place<TRpLabel>(panel);
        label.SetCaption(caption);
        return label;
    }
    TRpDBText& Field(TRpBasePanel& panel, const QString& field, const QString& mask = {})
    {
        TRpDBText& text = Place<TRpDBText>(panel);
        text.SetDataSet(&data);
        text.SetDataField(field);
        text.SetMask(mask);
        return text;
    }
    TRpExpr& Expression(TRpBasePanel& panel, const QString& expression, const QString& mask = {})
    {
        TRpExpr& expr = Place<TRpExpr>(panel);
        expr.SetExpression(expression);
        expr.SetMask(mask);
        return expr;
    }
    TRpSysData& PageNumber(TRpBasePanel& panel)
    {
        TRpSysData& page = Place<TRpSysData>(panel);
        page.SetText(QStringLiteral("Page "));
        page.SetData(TRpSysDataType::rpsPageNumber);
        return page;
    }

    // Page header, detail with the name, page footer with the page number.
    void ListForm(double detailHeight = 100)
    {
        Label(Band(TRpBandType::rbPageHeader, 100), QStringLiteral("Header"));
        Field(Band(TRpBandType::rbDetail, detailHeight), QStringLiteral("Name"));
        PageNumber(Band(TRpBandType::rbPageFooter, 100));
    }

    MemoryDataSet data;
    TReport report;
};
