#include "printaddressform.h"

#include "controls/meter.h"
#include "health/dlgprogress.h"
#include "platform/dataset.h"
#include "platform/datetime.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "reports/rpprintjob.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

const QString kAddressPrintTitle = QStringLiteral("Hearth Journal");

namespace {

QString NothingText(const TAddrPrintRequest& request)
{
    QString text = request.preview ? QStringLiteral("Sorry!  There is nothing to preview.")
                                   : QStringLiteral("Sorry!  There is nothing to print.");
    if (request.range == TAddrRange::CurrentName)
        text += QStringLiteral(" Please select one item from the previous address-book dialog box first.");
    return text;
}

// Whatever the drawing meets, the hourglass and the progress window go.
class TDrawing {
public:
    explicit TDrawing(TDlgProgress& progress) : progress_(progress)
    {
        progress_.SetPercent(0);
        progress_.show();
    }
    ~TDrawing() { progress_.hide(); }
    TDrawing(const TDrawing&) = delete;
    TDrawing& operator=(const TDrawing&) = delete;

private:
    TDlgProgress& progress_;
    HourglassCursor hourglass_;
};

}  // namespace

QPrinter& AddressPrinter()
{
    // Never destroyed: a printer must not outlive the application object
    // that its engine works with.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

TPrinterPage PrinterPageOf(const QPrinter& printer)
{
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    TPrinterPage page;
    page.ppiX = printer.logicalDpiX();
    page.ppiY = printer.logicalDpiY();
    page.offsetX = printable.left() - paper.left();
    page.offsetY = printable.top() - paper.top();
    page.printableWidth = printable.width();
    page.printableHeight = printable.height();
    return page;
}

TPrintAddressForm::TPrintAddressForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintAddressForm"));
    setWindowTitle(QStringLiteral("PrintAddressForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    PrintCurrentBtn = new QPushButton(QStringLiteral("Print Current"));
    DateShown = new QLabel;
    DateShown->setAlignment(Qt::AlignCenter);
    DateShown->setAutoFillBackground(true);
    DateShown->setFrameShape(QFrame::Panel);
    DateShown->setFrameShadow(QFrame::Sunken);
    DateShown->setMinimumWidth(120);
    DateShown->setFixedHeight(26);
    QPalette white = DateShown->palette();
    white.setColor(QPalette::Window, Qt::white);
    DateShown->setPalette(white);
    SpinUp = new QToolButton;
    SpinUp->setArrowType(Qt::UpArrow);
    SpinUp->setToolTip(QStringLiteral("Next page"));
    SpinDown = new QToolButton;
    SpinDown->setArrowType(Qt::DownArrow);
    SpinDown->setToolTip(QStringLiteral("Previous page"));
    for (QToolButton* arrow : {SpinUp, SpinDown})
        arrow->setFixedSize(22, 16);
    PrintAllBtn = new QPushButton(QStringLiteral("Print All"));
    ExitButton = new QPushButton(QStringLiteral("Exit"));
    for (QPushButton* button : {PrintCurrentBtn, PrintAllBtn, ExitButton})
        button->setAutoDefault(false);
    connect(PrintCurrentBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { PrintCurrentBtnClick(); }); });
    connect(PrintAllBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { PrintAllBtnClick(); }); });
    connect(SpinUp, &QToolButton::clicked, this, [this] { RunGuarded([this] { SpinButton1UpClick(); }); });
    connect(SpinDown, &QToolButton::clicked, this, [this] { RunGuarded([this] { SpinButton1DownClick(); }); });
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* Panel1 = new QWidget;
    Panel1->setFixedHeight(49);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SpinUp);
    spin->addWidget(SpinDown);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(PrintCurrentBtn);
    row->addStretch();
    row->addWidget(DateShown);
    row->addLayout(spin);
    row->addStretch();
    row->addWidget(PrintAllBtn);
    row->addWidget(ExitButton);

    PaintBox1 = new QLabel;
    PaintBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->setWidgetResizable(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel1);
    column->addWidget(ScrollBox1, 1);

    progress_ = new TDlgProgress(this);
    progress_->setWindowFlag(Qt::Window, true);
    progress_->Lb->setText(QStringLiteral("Preparing ..."));
    progress_->Lb->setAlignment(Qt::AlignCenter);
    progress_->hide();
    resize(900, 700);
}

TPrintAddressForm::~TPrintAddressForm() = default;

double TPrintAddressForm::PreviewZoom() const
{
    return double(page_.ppiY) / ScreenPPI();
}

bool TPrintAddressForm::Prepare(const TAddrPrintRequest& request)
{
    request_ = request;
    QPrinter& printer = AddressPrinter();
    page_ = PrinterPageOf(printer);
    if (page_.ppiY <= 0)
        throw std::runtime_error("The printer gives no resolution.");

    TAddrRun run;
    run.style = request.style;
    run.printerPPI = page_.ppiY;
    run.content = request.content;
    run.headingFont = request.headingFont;
    run.bodyFont = request.bodyFont;
    run.fields = request.fields;
    run.newPagePerBusiness = request.newPagePerBusiness;
    run.printed = Clock::CurrentDateTime();
    pages_ = std::make_unique<TAddressPages>(run, ReadAddressRows(request.range, request.bizId, request.categoryId));
    if (!pages_->Fits()) {
        ShowMessageBox(QStringLiteral("Nothing fits on a page with these fonts, margins and paper. "
                                      "Please choose smaller fonts, narrower margins or larger paper."),
                       MsgIcon::Warning, MsgOk);
        return false;
    }
    if (pages_->PageCount() < 0) {
        ShowMessageBox(NothingText(request), MsgIcon::Warning, MsgOk);
        return false;
    }
    currentPage_ = 0;
    return true;
}

void TPrintAddressForm::PrintAddresses(const TAddrPrintRequest& request)
{
    try {
        if (!Prepare(request))
            return;
        if (request.preview) {
            FormShow();
            // Shown by exec itself, so that it is modal.
            setWindowState(windowState() | Qt::WindowMaximized);
            exec();
        } else {
            PrintAllBtnClick();
        }
    } catch (const EDatabaseError&) {
        throw;   // the database's own words tell the user more
    } catch (const std::exception&) {
        ShowMessageBox(kPrintFailedText, MsgIcon::Warning, MsgOk);
    }
}

void TPrintAddressForm::FormShow()
{
    DateShown->setText(QStringLiteral("page %1 of %2").arg(currentPage_ + 1).arg(pages_->PageCount() + 1));
    RenderPreviewPage();
    ExitButton->setFocus();
}

void TPrintAddressForm::ShowPage()
{
    DateShown->setText(QStringLiteral("page %1 of %2").arg(currentPage_ + 1).arg(pages_->PageCount() + 1));
    RenderPreviewPage();
}

void TPrintAddressForm::Advance(int points)
{
    progress_->SetPercent(progress_->Meter->Percent() + points);
}

void TPrintAddressForm::RenderPreviewPage()
{
    TDrawing drawing(*progress_);
    const double zoom = PreviewZoom();
    const int screenPPI = ScreenPPI();
    image_ = QImage(qMax(1, qRound(page_.PhysicalWidth() / zoom)), qMax(1, qRound(page_.PhysicalHeight() / zoom)),
                    QImage::Format_RGB32);
    image_.setDotsPerMeterX(qRound(screenPPI / 0.0254));
    image_.setDotsPerMeterY(qRound(screenPPI / 0.0254));
    image_.fill(Qt::white);
    {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::TextAntialiasing);
        // The page is drawn from the printable origin, as on the printer.
        painter.translate(qRound(page_.offsetX / zoom), qRound(page_.offsetY / zoom));
        pages_->DrawPage(painter, zoom, currentPage_, 100, [this](int points) { Advance(points); });
    }
    PaintBox1->setPixmap(QPixmap::fromImage(image_));
    PaintBox1->resize(image_.size());
}

void TPrintAddressForm::SpinButton1DownClick()
{
    if (currentPage_ == 0)
        return;
    --currentPage_;
    ShowPage();
}

void TPrintAddressForm::SpinButton1UpClick()
{
    if (currentPage_ == pages_->PageCount())
        return;
    ++currentPage_;
    ShowPage();
}

bool TPrintAddressForm::PrintPages(int first, int last)
{
    TDrawing drawing(*progress_);
    const std::unique_ptr<QPrinter> printer = PrinterLike(AddressPrinter());
    TRpQPrinterJob job(*printer);
    if (!job.Prepare(kAddressPrintTitle))
        return false;
    if (!job.Begin(kAddressPrintTitle))
        throw ERpPrintFailed();
    // The pages were laid out at this resolution; a PDF file stands in at its own.
    const double zoom = double(page_.ppiY) / job.PixelsPerInchY();
    const int share = 100 / (last - first + 1);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            job.NewPage();
        QPainter& painter = job.Painter();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        pages_->DrawPage(painter, zoom, page, share, [this](int points) { Advance(points); });
    }
    if (!job.End())
        throw ERpPrintFailed();
    printed_ = true;
    return true;
}

void TPrintAddressForm::PrintCurrentBtnClick()
{
    PrintPages(currentPage_, currentPage_);
}

void TPrintAddressForm::PrintAllBtnClick()
{
    PrintPages(0, pages_->PageCount());
}
