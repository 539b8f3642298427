#pragma once
// A report: bands and printables over a data set, laid down pages one record
// at a time and sent to the report printer, for the preview window, the
// printer or an export filter. Report forms are built in code: add bands,
// place printables on them, then Preview or Print.
#include "rpband.h"
#include "rpcontroller.h"
#include "rpprinter.h"

#include <QPointer>

class TDataSet;
class TRpExportFilter;

struct TReportOptions {
    bool firstPageHeader = true;
    bool lastPageFooter = true;
    bool compression = false;
};

class TReport;

// The standard bands by switch, and by number: 1 title, 2 page header,
// 3 column header, 4 detail, 6 page footer, 7 summary (5 is none).
class TReportBands {
public:
    explicit TReportBands(TReport& report) : report_(report) {}

    bool HasTitle() const { return Has(TRpBandType::rbTitle); }
    void SetHasTitle(bool has) { Set(TRpBandType::rbTitle, has); }
    bool HasPageHeader() const { return Has(TRpBandType::rbPageHeader); }
    void SetHasPageHeader(bool has) { Set(TRpBandType::rbPageHeader, has); }
    bool HasColumnHeader() const { return Has(TRpBandType::rbColumnHeader); }
    void SetHasColumnHeader(bool has) { Set(TRpBandType::rbColumnHeader, has); }
    bool HasDetail() const { return Has(TRpBandType::rbDetail); }
    void SetHasDetail(bool has) { Set(TRpBandType::rbDetail, has); }
    bool HasPageFooter() const { return Has(TRpBandType::rbPageFooter); }
    void SetHasPageFooter(bool has) { Set(TRpBandType::rbPageFooter, has); }
    bool HasSummary() const { return Has(TRpBandType::rbSummary); }
    void SetHasSummary(bool has) { Set(TRpBandType::rbSummary, has); }

    TRpCustomBand* Band(int number) const;

private:
    bool Has(TRpBandType type) const;
    void Set(TRpBandType type, bool has);

    TReport& report_;
};

class TReport : public TRpBasePanel, public TRpControllerHost {
public:
    TReport();
    ~TReport() override;

    TReportBands& Bands() { return bands_; }
    TDataSet* DataSet() const { return controller_->DataSet(); }
    void SetDataSet(TDataSet* dataSet) { controller_->SetDataSet(dataSet); }
    TReportOptions& Options() { return options_; }
    TRpPage& Page() { return page_; }
    TReportPrinterSettings& PrinterSettings() { return printerSettings_; }
    bool PrintIfEmpty() const { return controller_->PrintIfEmpty(); }
    void SetPrintIfEmpty(bool print) { controller_->SetPrintIfEmpty(print); }
    const QString& ReportTitle() const { return reportTitle_; }
    void SetReportTitle(const QString& title) { reportTitle_ = title; }
    bool ShowProgress() const { return showProgress_; }
    void SetShowProgress(bool show) { showProgress_ = show; }
    // Sizes of the page, the bands and the printables are shown and set in it.
    TRpUnit Units() const { return units_; }
    void SetUnits(TRpUnit units);
    // 1 to 300; other values are ignored.
    void SetZoom(int zoom);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }

    // Bands in placement order; the report owns them.
    TRpBand& AddBand(TRpBandType type);
    TRpGroup& AddGroup(const QString& expression);
    TRpSubDetail& AddSubDetail();
    TRpChildBand& AddChildBand(TRpCustomBand& parent);
    void RemoveBand(TRpCustomBand& band);
    // A free-standing loop; the report owns it.
    TRpController& AddController();
    const std::vector<std::unique_ptr<TRpController>>& Controllers() const { return controllers_; }
    const std::vector<std::unique_ptr<TRpCustomBand>>& BandList() const { return bandList_; }
    // The first band of the type, or null.
    TRpCustomBand* BandByType(TRpBandType type) const;
    // Data sets whose fields expressions may name besides the loops' own.
    void AddDataSet(TDataSet& dataSet) { extraDataSets_.push_back(&dataSet); }

    // PrintReport may be set false to cancel the run.
    std::function<void(TReport& report, bool& printReport)> BeforePrint;
    std::function<void()> AfterPrint;
    std::function<void()> AfterPreview;
    std::function<void(TReport& report)> OnStartPage;
    std::function<void(TReport& report)> OnEndPage;
    std::function<void(TRpControllerHost& host, bool& moreData)> OnNeedData;
    // Shows the run's pages in place of the standard preview window; it
    // attaches to RpPrinter() and drops ShowingPreview when done.
    std::function<void(TReport& report)> OnPreview;

    // The application's event filter: removed from the application while
    // the preview runs, installed again after.
    void SetMessageHook(QObject* hook) { messageHook_ = hook; }

    // Generates the pages into the preview window and returns when the
    // window has closed. Does nothing while a run is in progress.
    void Preview();
    // Runs the report to the printer (a PDF file when none is installed).
    void Print();
    // Runs the report into the filter in place of pages.
    void ExportToFilter(TRpExportFilter& filter);
    // The print dialog; what the user confirms becomes the report's settings.
    void PrintSetup();
    // Takes the print dialog's choices: copies, printer, orientation, range.
    void TakePrintSetup(const QPrinter& printer);
    // One run onto the current report printer.
    void CreateReport();

    // Run state; lengths are native units while a run is under way.
    bool Available() const { return available_; }
    bool FinalPass() const { return finalPass_; }
    bool DrawPages() const { return drawPages_; }
    bool Exporting() const { return exportFilter_ != nullptr; }
    TRpExportFilter* ExportFilter() const { return exportFilter_; }
    TRpPrinter* RpPrinter() const { return rpPrinter_; }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    int CurrentColumn() const { return currentColumn_; }
    int PageNumber() const { return pageNumber_; }
    double PageFooterHeight() const { return pageFooterHeight_; }
    const std::vector<TDataSet*>& ReportDataSets() const { return reportDataSets_; }
    TRpController& Controller() override { return *controller_; }
    // The master data set's record count when it is active, else 1.
    int RecordCount() const;
    // Device units per inch of the output: the printer's during a run, the
    // zoomed screen's otherwise.
    double UnitsPerInch() const;

    // The operations bands use while they print.
    void MakeSpace(TRpCustomBand* band);
    void PrintBand(TRpCustomBand* band);
    int AvailableSpace() const;
    void NewColumn();
    void RequestNewPage();
    void RequestNewColumn();
    void MoveDown(double height) { currentY_ += RpRound(height); }
    // Nothing printed yet in this column below its header.
    bool AtColumnTop() const { return currentY_ <= columnTop_; }
    bool Cancelled() const;
    // Lets the windows live; false when the run was cancelled.
    bool ProcessMessages();

    double PanelWidth() const override;
    QFont PanelFont() const override { return font_; }
    TReport& Report() override { return *this; }

private:
    template <class T, class... Args>
    T& Place(Args&&... args);
    // The oriented paper length of the report printer.
    int PaperLength() const;
    void ConfigurePrinter();
    void GatherDataSets();
    void LayBands();
    void PrepareRun();
    void UnprepareRun();
    void StartNewPage();
    void EndPage();
    void DrawReportFrame();
    double ComputePageFooterHeight() const;
    template <class Action>
    void ForEachPrintable(Action action);
    void HookAfterPrint(TRpPrinter& printer);
    void RunWithOwnPrinter(TRpDestination destination, TRpExportFilter* filter);

    TReportBands bands_{*this};
    std::unique_ptr<TRpController> controller_;
    TReportOptions options_;
    QFont font_;
    TRpPage page_;
    TReportPrinterSettings printerSettings_;
    QString reportTitle_;
    bool showProgress_ = true;
    TRpUnit units_;
    std::vector<std::unique_ptr<TRpCustomBand>> bandList_;
    std::vector<std::unique_ptr<TRpController>> controllers_;
    std::vector<TDataSet*> extraDataSets_;
    QPointer<QObject> messageHook_;

    bool available_ = true;
    bool finalPass_ = false;
    bool drawPages_ = true;
    TRpExportFilter* exportFilter_ = nullptr;
    TRpPrinter* rpPrinter_ = nullptr;
    double currentX_ = 0;
    double currentY_ = 0;
    int currentColumn_ = 1;
    double columnTop_ = 0;
    int pageNumber_ = 0;
    double pageFooterHeight_ = 0;
    bool newPageRequested_ = false;
    bool newColumnRequested_ = false;
    std::vector<TDataSet*> reportDataSets_;
};
