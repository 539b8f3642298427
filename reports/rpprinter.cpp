#include "rpprinter.h"

#include "rpunits.h"

#include "platform/ui/messagebox.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

const QEvent::Type TRpPrinterMessage::Progress = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type TRpPrinterMessage::PagesAvailable = static_cast<QEvent::Type>(QEvent::registerEventType());

namespace {
TRpPrinter::JobFactory gJobFactory;
}

void TRpPrinter::InstallJobFactory(JobFactory factory)
{
    gJobFactory = std::move(factory);
}

TRpPrinter::TRpPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), pageList_(std::make_unique<TRpPageList>())
{
    ReadSettings();
    topOffset_ = settings_.topOffset;
    leftOffset_ = settings_.leftOffset;
}

TRpPrinter::~TRpPrinter()
{
    canvas_.reset();
    AbortJob();   // a document never ended is not printed
}

void TRpPrinter::ReadSettings()
{
    settings_.ReadFrom(*printer_);
}

void TRpPrinter::SetPrinterIndex(int index)
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (index < 0 || index >= names.size())
        return;
    printer_->setPrinterName(names[index]);
    ReadSettings();
}

void TRpPrinter::SetPaperWidth(int width)
{
    if (settings_.paperSize == TRpPaperSize::Custom)
        settings_.paperWidth = width;
}

void TRpPrinter::SetPaperLength(int length)
{
    if (settings_.paperSize == TRpPaperSize::Custom)
        settings_.paperLength = length;
}

int TRpPrinter::XPos(double value) const
{
    return RpRound((value - leftOffset_) * xFactor_);
}

int TRpPrinter::YPos(double value) const
{
    return RpRound((value - topOffset_) * yFactor_);
}

int TRpPrinter::XSize(double value) const
{
    return RpRound(value * xFactor_);
}

int TRpPrinter::YSize(double value) const
{
    return RpRound(value * yFactor_);
}

// Width and length in portrait, 0.1 mm.
std::pair<int, int> TRpPrinter::PortraitPaper() const
{
    if (!IsStandardPaper(settings_.paperSize))
        return {settings_.paperWidth, settings_.paperLength};
    const TRpPaperInfo& paper = PaperInfo(settings_.paperSize);
    return {RpRound(paper.widthMM * 10), RpRound(paper.lengthMM * 10)};
}

int TRpPrinter::PaperWidth() const
{
    const auto [width, length] = PortraitPaper();
    return settings_.orientation == QPageLayout::Portrait ? width : length;
}

int TRpPrinter::PaperLength() const
{
    const auto [width, length] = PortraitPaper();
    return settings_.orientation == QPageLayout::Portrait ? length : width;
}

std::unique_ptr<TRpPrintJob> TRpPrinter::MakeJob()
{
    return gJobFactory ? gJobFactory(*printer_) : std::make_unique<TRpQPrinterJob>(*printer_);
}

void TRpPrinter::BeginDoc()
{
    availablePages_ = 0;
    cancelled_ = false;
    const bool toPrinter = destination_ == TRpDestination::Printer;
    leftOffset_ = toPrinter ? settings_.leftOffset : 0;
    topOffset_ = toPrinter ? settings_.topOffset : 0;
    if (toPrinter)
        settings_.WriteTo(*printer_);
    if (status_ != TRpPrinterStatus::Ready)
        throw ERpPrinterError("RpPrinter not ready");
    pageCount_ = 0;
    pagesStarted_ = 0;
    status_ = TRpPrinterStatus::DocumentOpen;
    if (!toPrinter) {
        pageList_->SetStream(std::make_unique<TRpStream>(TRpStream::kDefaultMemoryLimit));
        pageList_->Clear();
        pageList_->SetCompression(compression_);
        yFactor_ = ScreenPixelsPerInch() / 254.0;
        xFactor_ = yFactor_;
        return;
    }
    job_ = MakeJob();
    jobBegun_ = false;
    xFactor_ = job_->PixelsPerInchX() / 254.0;
    yFactor_ = job_->PixelsPerInchY() / 254.0;
    if (!job_->Prepare(title_))
        cancelled_ = true;   // the user declined: nothing is printed
}

bool TRpPrinter::PageInRange() const
{
    return !(firstPage_ > 0 && pageCount_ < firstPage_) && !(lastPage_ > 0 && pageCount_ > lastPage_);
}

void TRpPrinter::NewPage()
{
    if (status_ != TRpPrinterStatus::DocumentOpen)
        throw ERpPrinterError("Illegal call to NewPage");
    if (pageOpen_) {
        ClosePage();
        SetAvailablePages(pageCount_);
    }
    ++pageCount_;
    ++pagesStarted_;
    OpenPage();
}

void TRpPrinter::OpenScratchPage()
{
    pageMetafile_ = std::make_unique<TRpMetafile>(XSize(PaperWidth()), YSize(PaperLength()), RpRound(xFactor_ * 254),
                                                  RpRound(yFactor_ * 254));
    canvas_ = std::make_unique<TRpMetafileCanvas>(*pageMetafile_);
    pageOnPrinter_ = false;
}

void TRpPrinter::OpenPage()
{
    pageOpen_ = true;
    if (destination_ == TRpDestination::PageStream || cancelled_ || !PageInRange()) {
        OpenScratchPage();
        return;
    }
    if (jobBegun_)
        job_->NewPage();
    else if (!(jobBegun_ = job_->Begin(title_)))
        throw ERpPrintFailed();
    canvas_ = std::make_unique<TRpPainterCanvas>(job_->Painter(), job_->PixelsPerInchY());
    pageOnPrinter_ = true;
}

// A printed page ends with the next page or the document; a page out of
// range only drops its scratch canvas.
void TRpPrinter::ClosePage()
{
    canvas_.reset();
    if (destination_ == TRpDestination::PageStream && pageMetafile_)
        pageList_->AddPage(*pageMetafile_);
    pageMetafile_.reset();
    pageOpen_ = false;
    pageOnPrinter_ = false;
}

TRpCanvas& TRpPrinter::Canvas()
{
    if (!canvas_)
        throw ERpPrinterError("No page is open");
    return *canvas_;
}

bool TRpPrinter::EndJob()
{
    const bool written = !(job_ && jobBegun_) || job_->End();
    jobBegun_ = false;
    return written;
}

void TRpPrinter::AbortJob()
{
    if (job_ && jobBegun_)
        job_->Abort();
    jobBegun_ = false;
}

void TRpPrinter::EndDoc()
{
    if (status_ != TRpPrinterStatus::DocumentOpen)
        return;
    if (pageOpen_)
        ClosePage();
    const bool toPrinter = destination_ == TRpDestination::Printer;
    // The job begins on the first page in range: one never begun printed nothing.
    const bool nothingPrinted = toPrinter && !jobBegun_ && !cancelled_;
    const bool written = !toPrinter || EndJob();
    SetAvailablePages(pageCount_);
    status_ = TRpPrinterStatus::DocumentComplete;
    if (!toPrinter)
        pageList_->WriteFileHeader();
    else if (nothingPrinted)
        throw ERpNothingInRange(pageCount_);
    else if (!written)
        throw ERpPrintFailed();
    else if (OnAfterPrint)
        OnAfterPrint();
}

void TRpPrinter::Abort()
{
    canvas_.reset();
    pageMetafile_.reset();
    pageOpen_ = false;
    pageOnPrinter_ = false;
    AbortJob();
    status_ = TRpPrinterStatus::DocumentComplete;
}

void TRpPrinter::Cancel()
{
    cancelled_ = true;
    if (!jobBegun_)
        return;
    const bool pageWasOnPrinter = pageOnPrinter_;
    canvas_.reset();
    AbortJob();
    if (pageWasOnPrinter)
        OpenScratchPage();   // whatever the run still draws goes nowhere
}

std::unique_ptr<TRpMetafile> TRpPrinter::GetPage(int n)
{
    if (status_ == TRpPrinterStatus::Ready || n < 1 || n > pageCount_)
        return nullptr;
    return pageList_->GetPage(n);
}

bool TRpPrinter::Save(const QString& fileName)
{
    return status_ == TRpPrinterStatus::DocumentComplete && pageList_->SaveToFile(fileName);
}

bool TRpPrinter::Load(const QString& fileName)
{
    auto loaded = std::make_unique<TRpPageList>();
    QString error;
    if (!loaded->LoadFromFile(fileName, error)) {
        ShowMessageBox(error, MsgIcon::Warning);
        return false;
    }
    if (status_ == TRpPrinterStatus::DocumentOpen)
        Cancel();
    canvas_.reset();
    pageMetafile_.reset();
    pageOpen_ = false;
    pageList_ = std::move(loaded);
    pageCount_ = pageList_->PageCount();
    status_ = TRpPrinterStatus::DocumentComplete;
    OnPrint = nullptr;
    OnExportToFilter = nullptr;
    OnPrintSetup = nullptr;
    return true;
}

void TRpPrinter::Preview()
{
    if (OnPreview)
        OnPreview();
}

void TRpPrinter::PrintSetup()
{
    if (OnPrintSetup)
        OnPrintSetup();
}

void TRpPrinter::ExportToFilter(TRpExportFilter& filter)
{
    if (OnExportToFilter)
        OnExportToFilter(filter);
}

// A complete document (a loaded report) printed page by page, each stored
// page stretched over the printer's page.
void TRpPrinter::Print()
{
    if (OnPrint) {
        OnPrint();
        return;
    }
    if (status_ != TRpPrinterStatus::DocumentComplete)
        return;
    AbortJob();
    cancelled_ = false;
    job_.reset();
    printer_ = PrinterLike(*printer_);
    job_ = MakeJob();
    if (!job_->Prepare(title_))
        return;
    if (!(jobBegun_ = job_->Begin(title_)))
        throw ERpPrintFailed();
    const QRectF target(QPointF(0, 0), job_->PageSize());
    for (int n = 1; n <= pageCount_; ++n) {
        QCoreApplication::processEvents();
        if (cancelled_) {
            AbortJob();
            return;
        }
        if (n > 1)
            job_->NewPage();
        const auto page = GetPage(n);
        if (!page) {
            AbortJob();   // a page the file no longer gives would be a blank sheet
            throw ERpPrintFailed();
        }
        page->Draw(job_->Painter(), target);
    }
    if (!EndJob())
        throw ERpPrintFailed();
}

void TRpPrinter::Post(QEvent::Type type, int value)
{
    if (client_)
        QCoreApplication::postEvent(client_, new TRpPrinterMessage(type, value));
}

void TRpPrinter::SetProgress(int percent)
{
    progress_ = percent;
    Post(TRpPrinterMessage::Progress, percent);
}

void TRpPrinter::SetAvailablePages(int pages)
{
    availablePages_ = pages;
    Post(TRpPrinterMessage::PagesAvailable, pages);
}

void TRpPrinter::SetShowingPreview(bool showing)
{
    const bool closing = showingPreview_ && !showing;
    showingPreview_ = showing;
    if (!closing)
        return;
    if (status_ == TRpPrinterStatus::DocumentOpen)
        Cancel();
    if (OnAfterPreview)
        OnAfterPreview();
}
