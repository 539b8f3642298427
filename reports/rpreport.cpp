#include "rpreport.h"

#include "rpexport.h"
#include "rplabel.h"
#include "rpprogress.h"
#include "rpstandardpreview.h"

#include "platform/dataset.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <optional>

namespace {
// The application's event filter is out of the way while a preview runs.
class SuspendedEventFilter {
public:
    explicit SuspendedEventFilter(QObject* filter) : filter_(filter)
    {
        if (filter_)
            QCoreApplication::instance()->removeEventFilter(filter_);
    }
    ~SuspendedEventFilter()
    {
        if (filter_)
            QCoreApplication::instance()->installEventFilter(filter_);
    }
    SuspendedEventFilter(const SuspendedEventFilter&) = delete;
    SuspendedEventFilter& operator=(const SuspendedEventFilter&) = delete;

private:
    QPointer<QObject> filter_;
};

// Bands that share the page with others side by side when it has columns.
bool IsColumnBand(TRpBandType type)
{
    switch (type) {
    case TRpBandType::rbDetail:
    case TRpBandType::rbGroupHeader:
    case TRpBandType::rbGroupFooter:
    case TRpBandType::rbColumnHeader:
    case TRpBandType::rbSubDetail: return true;
    default: return false;
    }
}

const TRpBandType kBandsByNumber[] = {TRpBandType::rbTitle, TRpBandType::rbPageHeader,
                                      TRpBandType::rbColumnHeader, TRpBandType::rbDetail,
                                      TRpBandType::rbDetail /* 5: none */, TRpBandType::rbPageFooter,
                                      TRpBandType::rbSummary};
}  // namespace

TRpCustomBand* TReportBands::Band(int number) const
{
    if (number < 1 || number > 7 || number == 5)
        return nullptr;
    return report_.BandByType(kBandsByNumber[number - 1]);
}

bool TReportBands::Has(TRpBandType type) const
{
    return report_.BandByType(type) != nullptr;
}

void TReportBands::Set(TRpBandType type, bool has)
{
    if (has == Has(type))
        return;
    if (has)
        report_.AddBand(type);
    else
        report_.RemoveBand(*report_.BandByType(type));
}

TReport::TReport()
    : controller_(std::make_unique<TRpController>(this)),
      font_(QStringLiteral("DejaVu Sans"), 10),
      page_(&font_),
      units_(PreferredUnit())
{
    page_.SetUnits(units_);
}

TReport::~TReport() = default;

void TReport::SetUnits(TRpUnit units)
{
    units_ = units;
    page_.SetUnits(units);
    const auto setPrintableUnits = [units](TRpBasePanel& panel) {
        for (const auto& printable : panel.Printables())
            printable->Size().SetUnits(units);
    };
    setPrintableUnits(*this);
    for (const auto& band : bandList_) {
        band->Size().SetUnits(units);
        setPrintableUnits(*band);
    }
}

void TReport::SetZoom(int zoom)
{
    if (!IsReportZoom(zoom))
        return;
    SetPanelZoom(zoom);
    page_.SetZoom(zoom);
    for (const auto& band : bandList_) {
        band->SetPanelZoom(zoom);
        band->Size().SetZoom(zoom);
    }
}

template <class T, class... Args>
T& TReport::Place(Args&&... args)
{
    auto band = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& placed = *band;
    bandList_.push_back(std::move(band));
    return placed;
}

TRpBand& TReport::AddBand(TRpBandType type)
{
    return Place<TRpBand>(type);
}

TRpGroup& TReport::AddGroup(const QString& expression)
{
    TRpGroup& group = Place<TRpGroup>();
    group.SetExpression(expression);
    return group;
}

TRpSubDetail& TReport::AddSubDetail()
{
    return Place<TRpSubDetail>();
}

TRpChildBand& TReport::AddChildBand(TRpCustomBand& parent)
{
    const auto at = std::find_if(bandList_.begin(), bandList_.end(),
                                 [&parent](const auto& band) { return band.get() == &parent; });
    auto child = std::make_unique<TRpChildBand>(*this, parent);
    TRpChildBand& placed = *child;
    bandList_.insert(at == bandList_.end() ? at : at + 1, std::move(child));
    parent.SetChild(&placed);
    return placed;
}

void TReport::RemoveBand(TRpCustomBand& band)
{
    if (TRpCustomBand* child = band.ChildBand())
        RemoveBand(*child);
    const auto forget = [&band](TRpController& loop) {
        if (loop.Header() == &band)
            loop.SetHeader(nullptr);
        if (loop.Footer() == &band)
            loop.SetFooter(nullptr);
        if (loop.Detail() == &band)
            loop.SetDetail(nullptr);
    };
    for (const auto& other : bandList_) {
        if (other->ChildBand() == &band)
            other->SetChild(nullptr);
        if (auto* group = dynamic_cast<TRpGroup*>(other.get()); group && group->FooterBand() == &band)
            group->SetFooterBand(nullptr);
        if (auto* loopBand = dynamic_cast<TRpControllerBand*>(other.get()); loopBand && loopBand != &band)
            forget(loopBand->Controller());
    }
    for (const auto& loop : controllers_)
        forget(*loop);
    forget(*controller_);
    std::erase_if(bandList_, [&band](const auto& placed) { return placed.get() == &band; });
}

TRpController& TReport::AddController()
{
    controllers_.push_back(std::make_unique<TRpController>());
    controllers_.back()->SetMaster(this);
    return *controllers_.back();
}

TRpCustomBand* TReport::BandByType(TRpBandType type) const
{
    for (const auto& band : bandList_) {
        if (band->BandType() == type)
            return band.get();
    }
    return nullptr;
}

int TReport::RecordCount() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active() ? dataSet->RecordCount() : 1;
}

double TReport::UnitsPerInch() const
{
    if (!available_ && rpPrinter_)
        return rpPrinter_->YFactor() * 254;
    return ScreenPixelsPerInch() * Zoom() / 100.0;
}

double TReport::PanelWidth() const
{
    return page_.Width();
}

// ---- Entry points -------------------------------------------------------

void TReport::Preview()
{
    if (!available_)
        return;
    TRpPrinter printer;
    QEventLoop closing;
    HookAfterPrint(printer);
    printer.OnAfterPreview = [this, &closing] {
        closing.quit();
        if (AfterPreview)
            AfterPreview();
    };
    printer.SetDestination(TRpDestination::PageStream);
    printer.OnPrint = [this] { Print(); };
    printer.OnPrintSetup = [this] { PrintSetup(); };
    printer.OnExportToFilter = [this](TRpExportFilter& filter) { ExportToFilter(filter); };
    printer.SetTitle(reportTitle_);
    QPointer<TRpStandardPreview> window;
    printer.OnPreview = [this, &printer, &window] {
        if (OnPreview) {
            OnPreview(*this);
            return;
        }
        window = new TRpStandardPreview(printer);
        window->show();
    };

    const SuspendedEventFilter suspended(messageHook_);
    struct PreviewEnd {
        TReport& report;
        TRpPrinter& printer;
        QPointer<TRpStandardPreview>& window;
        ~PreviewEnd()
        {
            if (window && printer.ShowingPreview())
                window->close();   // the application is ending, or the run failed
            report.rpPrinter_ = nullptr;
        }
    } previewEnd{*this, printer, window};
    rpPrinter_ = &printer;
    printer.Preview();
    QCoreApplication::processEvents();
    CreateReport();
    if (printer.ShowingPreview() && !QCoreApplication::closingDown())
        closing.exec();
}

void TReport::HookAfterPrint(TRpPrinter& printer)
{
    printer.OnAfterPrint = [this] {
        if (AfterPrint)
            AfterPrint();
    };
}

void TReport::Print()
{
    RunWithOwnPrinter(TRpDestination::Printer, nullptr);
}

void TReport::ExportToFilter(TRpExportFilter& filter)
{
    RunWithOwnPrinter(TRpDestination::PageStream, &filter);
}

// Print and export run on a printer of their own, with the progress window
// as its client; the preview's printer waits aside meanwhile.
void TReport::RunWithOwnPrinter(TRpDestination destination, TRpExportFilter* filter)
{
    if (!available_)
        return;
    TRpPrinter printer;
    HookAfterPrint(printer);
    printer.SetDestination(destination);
    TRpProgressForm progress(printer);
    if (showProgress_)
        progress.show();
    printer.SetClient(&progress);

    struct RunEnd {
        TReport& report;
        TRpPrinter* kept;
        ~RunEnd()
        {
            report.rpPrinter_ = kept;
            report.exportFilter_ = nullptr;
            report.drawPages_ = true;
        }
    } runEnd{*this, rpPrinter_};
    exportFilter_ = filter;
    drawPages_ = filter == nullptr;
    rpPrinter_ = &printer;
    CreateReport();
}

void TReport::PrintSetup()
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintSelection);
    if (rpPrinter_ && rpPrinter_->Status() == TRpPrinterStatus::DocumentComplete) {
        dialog.setMinMax(1, rpPrinter_->PageCount());
        printer.setFromTo(1, rpPrinter_->PageCount());
    }
    printer.setCopyCount(printerSettings_.copies);
    if (dialog.exec() == QDialog::Accepted)
        TakePrintSetup(printer);
}

void TReport::TakePrintSetup(const QPrinter& printer)
{
    printerSettings_.copies = printer.copyCount();
    printerSettings_.printerIndex = static_cast<int>(QPrinterInfo::availablePrinterNames().indexOf(printer.printerName()));
    page_.SetOrientation(printer.pageLayout().orientation());
    const bool range = printer.printRange() == QPrinter::PageRange;
    printerSettings_.firstPage = range ? printer.fromPage() : 0;
    printerSettings_.lastPage = range ? printer.toPage() : 0;
}

// ---- One run ------------------------------------------------------------

void TReport::GatherDataSets()
{
    reportDataSets_.clear();
    const auto add = [this](TDataSet* dataSet) {
        if (dataSet && std::find(reportDataSets_.begin(), reportDataSets_.end(), dataSet) == reportDataSets_.end())
            reportDataSets_.push_back(dataSet);
    };
    add(DataSet());
    for (const auto& band : bandList_) {
        if (auto* loopBand = dynamic_cast<TRpControllerBand*>(band.get()))
            add(loopBand->Controller().DataSet());
    }
    for (const auto& loop : controllers_)
        add(loop->DataSet());
    ForEachPrintable([&add](TRpPrintable& printable) {
        if (auto* text = dynamic_cast<TRpDBText*>(&printable))
            add(text->DataSet());
    });
    for (TDataSet* dataSet : extraDataSets_)
        add(dataSet);
}

template <class Action>
void TReport::ForEachPrintable(Action action)
{
    for (const auto& printable : Printables())
        action(*printable);
    for (const auto& band : bandList_) {
        for (const auto& printable : band->Printables())
            action(*printable);
    }
}

int TReport::PaperLength() const
{
    return rpPrinter_->PaperLength();
}

void TReport::ConfigurePrinter()
{
    TRpPrinter& printer = *rpPrinter_;
    printer.SetPrinterIndex(printerSettings_.printerIndex);   // first: it reads the printer's settings again
    printer.SetPaperSize(page_.PaperSize());
    printer.SetOrientation(page_.Orientation());
    const bool portrait = page_.Orientation() == QPageLayout::Portrait;
    printer.SetPaperWidth(RpRound(portrait ? page_.Width() : page_.Length()));
    printer.SetPaperLength(RpRound(portrait ? page_.Length() : page_.Width()));
    printer.SetCopies(printerSettings_.copies);
    printer.SetOutputBin(printerSettings_.outputBin);
    printer.SetFirstPage(printerSettings_.firstPage);
    printer.SetLastPage(printerSettings_.lastPage);
    printer.SetTitle(reportTitle_);
    printer.SetCompression(options_.compression);
    printer.BeginDoc();
}

double TReport::ComputePageFooterHeight() const
{
    double height = 0;
    for (const auto& band : bandList_) {
        if (band->BandType() != TRpBandType::rbPageFooter || !band->Enabled())
            continue;
        for (const TRpCustomBand* link = band.get(); link; link = link->ChildBand())
            height += link->Size().Height();
    }
    return height;
}

void TReport::LayBands()
{
    const double printable = page_.Width() - page_.LeftMargin() - page_.RightMargin();
    const int columns = std::max(page_.Columns(), 1);
    const double column = (printable - (columns - 1) * page_.ColumnSpace()) / columns;
    for (const auto& band : bandList_) {
        const TRpCustomBand* sizing = band.get();
        if (auto* child = dynamic_cast<const TRpChildBand*>(sizing))
            sizing = &child->ParentBand();
        band->SetWidthForRun(IsColumnBand(sizing->BandType()) ? column : printable);
    }
}

void TReport::PrepareRun()
{
    pageFooterHeight_ = ComputePageFooterHeight();
    LayBands();
    currentX_ = RpRound(page_.LeftMargin());
    controller_->SetDetail(bands_.Band(4));
    controller_->SetHeader(bands_.Band(1));
    controller_->SetFooter(bands_.Band(7));
    controller_->Prepare(*this);
    controller_->OnNeedData = OnNeedData;
    ForEachPrintable([](TRpPrintable& printable) { printable.Prepare(); });
}

void TReport::UnprepareRun()
{
    ForEachPrintable([](TRpPrintable& printable) { printable.Unprepare(); });
    for (const auto& band : bandList_) {
        if (auto* group = dynamic_cast<TRpGroup*>(band.get()))
            group->Unprepare();
    }
}

void TReport::CreateReport()
{
    if (!available_)
        return;
    available_ = false;
    finalPass_ = false;
    newPageRequested_ = false;
    newColumnRequested_ = false;
    // Also after an exception: the report can run again, in its own units.
    struct RunEnd {
        TReport& report;
        std::optional<TRpUnit> units;
        ~RunEnd()
        {
            if (units) {
                report.SetUnits(*units);
                report.UnprepareRun();
            }
            report.reportDataSets_.clear();
            report.available_ = true;
        }
    } runEnd{*this, std::nullopt};

    GatherDataSets();
    bool printReport = true;
    if (BeforePrint)
        BeforePrint(*this, printReport);
    if (!printReport)
        return;
    runEnd.units = units_;
    SetUnits(TRpUnit::Native);
    ConfigurePrinter();
    currentY_ = RpRound(page_.Length());
    pageNumber_ = 0;
    currentColumn_ = 1;
    if (exportFilter_)
        exportFilter_->Start(rpPrinter_->PaperWidth(), rpPrinter_->PaperLength(), font_);
    PrepareRun();
    StartNewPage();
    controller_->Execute();
    currentX_ = RpRound(page_.LeftMargin());
    finalPass_ = true;
    if (!Cancelled())
        EndPage();
    // A cancelled export is left unfinished: its file never takes the place
    // of the one the user had, as a cancelled print leaves no document.
    if (exportFilter_ && !Cancelled())
        exportFilter_->Finish();
    if (Cancelled())
        return;   // the printer discards the document
    if (drawPages_)
        rpPrinter_->EndDoc();
    else
        rpPrinter_->Abort();
}

// ---- Laying bands down the pages ----------------------------------------

bool TReport::Cancelled() const
{
    return rpPrinter_ && rpPrinter_->Cancelled();
}

bool TReport::ProcessMessages()
{
    QCoreApplication::processEvents();
    return !Cancelled();
}

int TReport::AvailableSpace() const
{
    if (available_)
        return 0;
    return RpRound(PaperLength() - page_.BottomMargin() - pageFooterHeight_ - currentY_);
}

void TReport::MakeSpace(TRpCustomBand* band)
{
    if (band && band->BandType() != TRpBandType::rbPageFooter && RpRound(band->Size().Height()) >= AvailableSpace())
        NewColumn();
}

void TReport::PrintBand(TRpCustomBand* band)
{
    if (!band)
        return;
    if (band->AlignToBottom())
        currentY_ = RpRound(PaperLength() - page_.BottomMargin() - band->Size().Height() - pageFooterHeight_);
    band->Print();
}

void TReport::RequestNewColumn()
{
    if (!newColumnRequested_ && currentColumn_ < 2) {
        newColumnRequested_ = true;
        return;
    }
    NewColumn();
}

void TReport::RequestNewPage()
{
    if (!newPageRequested_ && pageNumber_ < 2) {
        newPageRequested_ = true;
        return;
    }
    do {
        NewColumn();
    } while (currentColumn_ != 1);
}

void TReport::NewColumn()
{
    if (currentColumn_ >= page_.Columns()) {
        currentColumn_ = 1;
        currentX_ = RpRound(page_.LeftMargin());
        StartNewPage();
    } else {
        const TRpCustomBand* detail = bands_.Band(4);
        currentX_ += RpRound((detail ? detail->Size().Width() : 0) + page_.ColumnSpace());
        currentY_ = columnTop_;
        ++currentColumn_;
    }
    if (TRpCustomBand* header = BandByType(TRpBandType::rbColumnHeader))
        header->Print();
}

void TReport::StartNewPage()
{
    EndPage();
    if (exportFilter_)
        exportFilter_->NewPage();
    ++pageNumber_;
    if (drawPages_ || pageNumber_ == 1)
        rpPrinter_->NewPage();
    currentY_ = RpRound(page_.TopMargin());
    if (OnStartPage)
        OnStartPage(*this);
    TRpCustomBand* header = BandByType(TRpBandType::rbPageHeader);
    if (header && (pageNumber_ > 1 || options_.firstPageHeader))
        header->Print();
    columnTop_ = currentY_;
}

void TReport::EndPage()
{
    if (pageNumber_ == 0)
        return;
    if (OnEndPage)
        OnEndPage(*this);
    currentY_ = RpRound(PaperLength() - page_.BottomMargin() - pageFooterHeight_);
    TRpCustomBand* footer = BandByType(TRpBandType::rbPageFooter);
    if (footer && (!finalPass_ || options_.lastPageFooter))
        footer->Print();
    for (const auto& printable : Printables()) {
        if (printable->Enabled())
            printable->Print(0, 0);
    }
    if (drawPages_)
        DrawReportFrame();
    if (exportFilter_)
        exportFilter_->EndPage();
}

void TReport::DrawReportFrame()
{
    if (!Frame().AnySide())
        return;
    TRpPrinter& printer = *rpPrinter_;
    const QRect area(QPoint(printer.XPos(page_.LeftMargin()), printer.YPos(page_.TopMargin())),
                     QPoint(printer.XPos(printer.PaperWidth() - page_.RightMargin()) - 1,
                            printer.YPos(PaperLength() - page_.BottomMargin()) - 1));
    Frame().PaintIt(printer.Canvas(), area, printer.XFactor(), printer.YFactor());
}
