#include "rpstandardpreview.h"

#include "rpexport.h"
#include "rpfiledialogs.h"
#include "rpglyphs.h"
#include "rppreview.h"
#include "rpprinter.h"
#include "rpprogress.h"

#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kToolbarHeight = 33;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonSize = 25;
const QString kStillGenerating = QStringLiteral(" (available once the report is complete)");
const QString kWhilePrinting = QStringLiteral(" (available once the print has ended)");
}  // namespace

TRpStandardPreview::TRpStandardPreview(TRpPrinter& printer, QWidget* parent) : QWidget(parent), printer_(printer)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Usable above the modal dialog that asked for the report.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(printer.Title());
    resize(800, 600);
    setWindowState(Qt::WindowMaximized);

    auto* toolbar = new QWidget(this);
    toolbar->setFixedHeight(kToolbarHeight);
    BuildToolbar(*toolbar);
    rpPreview_ = new TRpPreview(this);
    auto* statusBar = new QWidget(this);
    statusBar->setFixedHeight(kStatusBarHeight);
    BuildStatusBar(*statusBar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(rpPreview_, 1);
    layout->addWidget(statusBar);

    rpPreview_->installEventFilter(this);
    rpPreview_->viewport()->installEventFilter(this);
    rpPreview_->OnPageAvailable = [this](int) {
        UpdateStatus();
        UpdateCommands();
    };
    rpPreview_->OnProgressUpdate = [this](int percent) { ShowProgress(percent); };
    rpPreview_->SetRpPrinter(&printer_);
    UpdateCommands();
}

TRpStandardPreview::~TRpStandardPreview() = default;

void TRpStandardPreview::BuildToolbar(QWidget& toolbar)
{
    const auto add = [&toolbar](int x, const QString& hint, const char* bitmap) {
        auto* button = new QToolButton(&toolbar);
        button->setGeometry(x, 4, kButtonSize, kButtonSize);
        button->setToolTip(hint);
        button->setIcon(PreviewGlyph(QString::fromLatin1(bitmap)));
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        return button;
    };
    zoomToFit_ = add(4, QStringLiteral("Zoom to fit"), "RPZOOMTOFITBITMAP");
    zoomTo100_ = add(29, QStringLiteral("Zoom to 100%"), "RpZOOMTO100BITMAP");
    zoomToWidth_ = add(54, QStringLiteral("Zoom to page width"), "RPZOOMTOWIDTHBITMAP");
    firstPage_ = add(84, QStringLiteral("First Page"), "RPFIRSTPAGEBITMAP");
    prevPage_ = add(109, QStringLiteral("Previous page"), "RPPREVPAGEBITMAP");
    nextPage_ = add(134, QStringLiteral("Next page"), "RPNEXTPAGEBITMAP");
    lastPage_ = add(159, QStringLiteral("Last page"), "RPLASTPAGEBITMAP");
    printSetup_ = add(189, QStringLiteral("Printer setup"), "RPPRINTSETUPBITMAP");
    print_ = add(214, QStringLiteral("Print"), "RPPRINTBITMAP");
    save_ = add(244, QStringLiteral("Save"), "RPSAVEBITMAP");
    load_ = add(269, QStringLiteral("Load"), "RPOPENBITMAP");
    exit_ = new QPushButton(PreviewGlyph(QStringLiteral("RPCLOSEBITMAP")), QStringLiteral("&Close"), &toolbar);
    exit_->setGeometry(300, 4, 75, kButtonSize);

    auto* zoomGroup = new QButtonGroup(&toolbar);
    for (QToolButton* zoom : {zoomToFit_, zoomTo100_, zoomToWidth_}) {
        zoom->setCheckable(true);
        zoomGroup->addButton(zoom);
    }
    zoomToWidth_->setChecked(true);

    connect(zoomToFit_, &QToolButton::clicked, this, [this] {
        QCoreApplication::processEvents();
        rpPreview_->ZoomToFit();
    });
    connect(zoomToWidth_, &QToolButton::clicked, this, [this] {
        QCoreApplication::processEvents();
        rpPreview_->ZoomToWidth();
    });
    connect(zoomTo100_, &QToolButton::clicked, this, [this] {
        QCoreApplication::processEvents();
        rpPreview_->SetZoom(100);
    });
    connect(firstPage_, &QToolButton::clicked, this, [this] { GoToPage(1); });
    connect(prevPage_, &QToolButton::clicked, this, [this] { GoToPage(rpPreview_->PageNumber() - 1); });
    connect(nextPage_, &QToolButton::clicked, this, [this] { GoToPage(rpPreview_->PageNumber() + 1); });
    connect(lastPage_, &QToolButton::clicked, this, [this] { GoToPage(rpPreview_->FinishedPages()); });
    connect(printSetup_, &QToolButton::clicked, this, [this] { RunGuarded([this] { PrintSetupClick(); }); });
    connect(print_, &QToolButton::clicked, this, [this] { RunGuarded([this] { PrintClick(); }); });
    connect(save_, &QToolButton::clicked, this, [this] { RunGuarded([this] { SaveClick(); }); });
    connect(load_, &QToolButton::clicked, this, [this] { RunGuarded([this] { LoadClick(); }); });
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
}

void TRpStandardPreview::BuildStatusBar(QWidget& statusBar)
{
    gauge_ = new TRpGauge(&statusBar);
    gauge_->setGeometry(2, 2, 100, kStatusBarHeight - 3);
    gauge_->hide();
    status_ = new QLabel(QStringLiteral("Working..."), &statusBar);
    status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(&statusBar);
    layout->setContentsMargins(110, 0, 6, 0);
    layout->addWidget(status_);
}

void TRpStandardPreview::GoToPage(int n)
{
    rpPreview_->SetPageNumber(n);
    UpdateStatus();
}

void TRpStandardPreview::UpdateStatus()
{
    if (!rpPreview_->PreviewImage().HasPage())
        return;
    status_->setText(QStringLiteral("Page") + QLatin1Char(' ') + QString::number(rpPreview_->PageNumber()) +
                     QLatin1Char(' ') + QStringLiteral("of") + QLatin1Char(' ') +
                     QString::number(printer_.PageCount()));
}

bool TRpStandardPreview::CanExport() const
{
    return static_cast<bool>(printer_.OnExportToFilter);
}

QString TRpStandardPreview::SaveFilter() const
{
    return CanExport() ? ExportFilterLibrary().SaveDialogFilterString() : ReportFileFilter();
}

// What cannot be done now is disabled, and its hint says why.
void TRpStandardPreview::UpdateCommands()
{
    const bool complete = printer_.Status() == TRpPrinterStatus::DocumentComplete;
    print_->setEnabled(complete && !printing_);
    print_->setToolTip(QStringLiteral("Print") +
                       (printing_ ? kWhilePrinting : complete ? QString() : kStillGenerating));
    load_->setEnabled(!printing_);
    load_->setToolTip(QStringLiteral("Load") + (printing_ ? kWhilePrinting : QString()));
    exit_->setEnabled(!printing_);
    save_->setEnabled(complete);
    if (!complete)
        save_->setToolTip(QStringLiteral("Save") + kStillGenerating);
    else if (CanExport())
        save_->setToolTip(QStringLiteral("Save"));
    else
        save_->setToolTip(QStringLiteral("Save (a loaded report is saved as a report file only; "
                                         "text export needs the report that made it)"));
    const bool canSetUp = static_cast<bool>(printer_.OnPrintSetup);
    printSetup_->setEnabled(canSetUp);
    printSetup_->setToolTip(canSetUp ? QStringLiteral("Printer setup")
                                     : QStringLiteral("Printer setup (a loaded report prints as it was saved)"));
}

void TRpStandardPreview::ShowProgress(int percent)
{
    gauge_->setValue(percent);
    gauge_->setVisible(percent > 0 && percent < 100);
}

// The print reads its pages from this window's printer, and pending events
// are processed between pages: another report loaded, another print begun or
// the window closed meanwhile would mix or cut the printout.
void TRpStandardPreview::PrintClick()
{
    printing_ = true;
    UpdateCommands();
    const auto printed = qScopeGuard([this] {
        printing_ = false;
        UpdateCommands();
    });
    try {
        printer_.Print();
    } catch (const ERpPrintFailed&) {
        ShowMessageBox(kPrintFailedText, MsgIcon::Warning, MsgOk);
    } catch (const ERpNothingInRange& nothing) {
        ShowMessageBox(nothing.Text(), MsgIcon::Warning, MsgOk);
    }
}

void TRpStandardPreview::PrintSetupClick()
{
    printer_.PrintSetup();
}

void TRpStandardPreview::SaveClick()
{
    const RpFileDialogs::Choice choice = RpFileDialogs::ChooseSaveFile(this, SaveFilter());
    if (choice.fileName.isEmpty())
        return;
    if (choice.filterIndex == 1) {
        if (!printer_.Save(choice.fileName))
            ShowMessageBox(QStringLiteral("The report could not be saved in %1.").arg(choice.fileName),
                           MsgIcon::Warning);
        return;
    }
    if (const auto filter = ExportFilterLibrary().CreateFilter(choice.filterIndex, choice.fileName))
        printer_.ExportToFilter(*filter);
}

void TRpStandardPreview::LoadClick()
{
    const QString fileName = RpFileDialogs::ChooseOpenFile(this, ReportFileFilter());
    if (fileName.isEmpty())
        return;
    if (!QFileInfo::exists(fileName)) {
        ShowMessageBox(QStringLiteral("File does not exist"), MsgIcon::Warning);
        return;
    }
    if (!printer_.Load(fileName))
        return;
    rpPreview_->ReloadFirstPage();
    UpdateStatus();
    UpdateCommands();
}

bool TRpStandardPreview::HandlePageKey(const QKeyEvent& key)
{
    const bool control = key.modifiers() & Qt::ControlModifier;
    switch (key.key()) {
    case Qt::Key_PageUp: GoToPage(control ? 1 : rpPreview_->PageNumber() - 1); return true;
    case Qt::Key_PageDown:
        GoToPage(control ? rpPreview_->FinishedPages() : rpPreview_->PageNumber() + 1);
        return true;
    case Qt::Key_Home: GoToPage(1); return true;
    case Qt::Key_End: GoToPage(rpPreview_->FinishedPages()); return true;
    case Qt::Key_Escape: close(); return true;
    default: return false;
    }
}

void TRpStandardPreview::keyPressEvent(QKeyEvent* event)
{
    if (!HandlePageKey(*event))
        QWidget::keyPressEvent(event);
}

bool TRpStandardPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && HandlePageKey(static_cast<QKeyEvent&>(*event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TRpStandardPreview::closeEvent(QCloseEvent* event)
{
    if (printing_) {
        event->ignore();
        return;
    }
    rpPreview_->SetRpPrinter(nullptr);
    event->accept();
}

void TRpStandardPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rpPreview_->UpdateZoom();
}
