#include "rppreview.h"

#include "rpprinter.h"
#include "rpunits.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
// Letter paper, the size shown without a printer.
constexpr double kLetterWidthMM = 215.9;
constexpr double kLetterLengthMM = 279.4;
// The sheet's outline and shadow.
constexpr int kSheetBorder = 4;
}  // namespace

TRpPreviewImage::TRpPreviewImage(QWidget* parent) : QWidget(parent)
{
    resize(100, 40);
}

TRpPreviewImage::~TRpPreviewImage() = default;

void TRpPreviewImage::LoadPage(int n)
{
    page_ = printer_ ? printer_->GetPage(n) : nullptr;
    update();
}

void TRpPreviewImage::Clear()
{
    page_.reset();
    update();
}

void TRpPreviewImage::paintEvent(QPaintEvent*)
{
    if (!page_)
        return;
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(QRect(QPoint(1, 1), QPoint(w - 2, h - 2)), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    page_->Draw(painter, QRectF(0, 0, w - kSheetBorder, h - kSheetBorder));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygon({QPoint(0, 0), QPoint(0, h - 2), QPoint(w - 2, h - 2), QPoint(w - 2, 0), QPoint(0, 0)}));
    painter.fillRect(QRect(QPoint(w - 2, 2), QPoint(w, h)), Qt::black);
    painter.fillRect(QRect(QPoint(2, h - 2), QPoint(w, h)), Qt::black);
}

TRpPreview::TRpPreview(QWidget* parent) : QScrollArea(parent), image_(new TRpPreviewImage)
{
    setWidget(image_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    image_->move(10, 10);
}

TRpPreview::~TRpPreview()
{
    SetRpPrinter(nullptr);
}

int TRpPreview::FinishedPages() const
{
    if (!printer_)
        return 0;
    return printer_->Status() == TRpPrinterStatus::DocumentComplete ? printer_->PageCount()
                                                                     : printer_->AvailablePages();
}

void TRpPreview::SetRpPrinter(TRpPrinter* printer)
{
    if (printer_ && printer_->Client() == this) {
        TRpPrinter* old = printer_;
        printer_ = nullptr;
        image_->SetRpPrinter(nullptr);
        image_->Clear();
        old->SetClient(nullptr);
        old->SetShowingPreview(false);
    }
    printer_ = printer;
    image_->SetRpPrinter(printer);
    if (!printer)
        return;
    printer->SetClient(this);
    printer->SetShowingPreview(true);
    ShowPage(1);
}

void TRpPreview::ShowPage(int n)
{
    image_->LoadPage(n);
    pageNumber_ = n;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TRpPreview::SetPageNumber(int n)
{
    if (!printer_ || n < 1 || n > FinishedPages() || (n == pageNumber_ && image_->HasPage()))
        return;
    ShowPage(n);
}

void TRpPreview::ReloadFirstPage()
{
    if (printer_)
        ShowPage(1);
    if (zoomState_ == TZoomState::Fit)
        ZoomToFit();
    else if (zoomState_ == TZoomState::Width)
        ZoomToWidth();
    else
        UpdateZoom();
}

QSizeF TRpPreview::Paper() const
{
    if (const TRpMetafile* page = image_->PageImage())
        return QSizeF(page->Width() * 254.0 / page->UnitsPerInchX(), page->Height() * 254.0 / page->UnitsPerInchY());
    if (printer_)
        return QSizeF(printer_->PaperWidth(), printer_->PaperLength());
    return QSizeF(kLetterWidthMM * 10, kLetterLengthMM * 10);
}

QSizeF TRpPreview::PaperPixels() const
{
    if (!printer_)
        return QSizeF(kLetterWidthMM, kLetterLengthMM);
    return Paper() * ScreenPixelsPerInch() / 254;
}

void TRpPreview::UpdateZoom()
{
    const QSizeF paper = PaperPixels();
    image_->resize(RpRound(paper.width() * 0.01 * zoom_) + kSheetBorder,
                   RpRound(paper.height() * 0.01 * zoom_) + kSheetBorder);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TRpPreview::SetZoom(int zoom)
{
    if (zoom < 2 || zoom > 2000)
        return;
    zoom_ = zoom;
    zoomState_ = TZoomState::Explicit;
    UpdateZoom();
}

void TRpPreview::ZoomToFit()
{
    const QSizeF paper = PaperPixels();
    const QSize view = maximumViewportSize();
    SetZoom(std::min(RpRound(view.width() / paper.width() * 95), RpRound(view.height() / paper.height() * 95)));
    zoomState_ = TZoomState::Fit;
}

void TRpPreview::ZoomToWidth()
{
    const double width = maximumViewportSize().width();
    SetZoom(printer_ ? RpRound(width / PaperPixels().width() * 90) : RpRound(width / kLetterWidthMM * 95));
    zoomState_ = TZoomState::Width;
}

void TRpPreview::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (zoomState_ == TZoomState::Fit)
        ZoomToFit();
    else if (zoomState_ == TZoomState::Width)
        ZoomToWidth();
    UpdateZoom();
}

bool TRpPreview::event(QEvent* event)
{
    if (event->type() == TRpPrinterMessage::PagesAvailable) {
        const int pages = static_cast<TRpPrinterMessage*>(event)->Value();
        if (printer_ && !image_->HasPage() && pages >= pageNumber_ && pageNumber_ <= FinishedPages()) {
            ShowPage(pageNumber_);
            ZoomToWidth();
        }
        if (OnPageAvailable)
            OnPageAvailable(pages);
        return true;
    }
    if (event->type() == TRpPrinterMessage::Progress) {
        if (OnProgressUpdate)
            OnProgressUpdate(static_cast<TRpPrinterMessage*>(event)->Value());
        return true;
    }
    return QScrollArea::event(event);
}
