#pragma once
// The output side of a report run: converts report lengths (0.1 mm) into
// device pixels and receives pages, either recorded into the page stream for
// the preview and for saving, or drawn straight onto the printer. It tells its
// client about progress and finished pages with posted events.
#include "rpcanvas.h"
#include "rpmetafile.h"
#include "rppagelist.h"
#include "rpprintersettings.h"
#include "rpprintjob.h"

#include <QEvent>
#include <QPointer>
#include <functional>
#include <memory>
#include <stdexcept>

class QPrinter;
class TRpExportFilter;

class ERpPrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Posted to the client: progress in percent, or the number of finished pages.
class TRpPrinterMessage : public QEvent {
public:
    static const QEvent::Type Progress;
    static const QEvent::Type PagesAvailable;

    TRpPrinterMessage(QEvent::Type type, int value) : QEvent(type), value_(value) {}
    int Value() const { return value_; }

private:
    int value_;
};

enum class TRpDestination { PageStream = 0, Printer = 1 };
enum class TRpPrinterStatus { Ready = 0, DocumentOpen = 1, DocumentComplete = 2 };

class TRpPrinter {
public:
    using JobFactory = std::function<std::unique_ptr<TRpPrintJob>(QPrinter& printer)>;

    TRpPrinter();
    ~TRpPrinter();
    TRpPrinter(const TRpPrinter&) = delete;
    TRpPrinter& operator=(const TRpPrinter&) = delete;

    // Report lengths to device pixels.
    int XPos(double value) const;
    int YPos(double value) const;
    int XSize(double value) const;
    int YSize(double value) const;
    double XFactor() const { return xFactor_; }
    double YFactor() const { return yFactor_; }
    int LeftOffset() const { return leftOffset_; }
    int TopOffset() const { return topOffset_; }

    // 0.1 mm, in the current orientation.
    int PaperWidth() const;
    int PaperLength() const;

    const TPrinterSettings& PrinterSettings() const { return settings_; }
    void SetPaperSize(TRpPaperSize size) { settings_.paperSize = size; }
    // Custom size only.
    void SetPaperWidth(int width);
    void SetPaperLength(int length);
    void SetOrientation(QPageLayout::Orientation orientation) { settings_.orientation = orientation; }
    void SetCopies(int copies) { settings_.copies = copies; }
    void SetOutputBin(TRpBin bin) { settings_.outputBin = bin; }
    // An index into the installed printers; their settings are read again.
    void SetPrinterIndex(int index);
    // True: the document can be printed, on a printer or into a PDF file.
    bool PrinterOK() const { return true; }

    TRpDestination Destination() const { return destination_; }
    void SetDestination(TRpDestination destination) { destination_ = destination; }
    int FirstPage() const { return firstPage_; }
    void SetFirstPage(int page) { firstPage_ = page; }
    int LastPage() const { return lastPage_; }
    void SetLastPage(int page) { lastPage_ = page; }
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    void SetCompression(bool compression) { compression_ = compression; }

    TRpPrinterStatus Status() const { return status_; }
    bool Cancelled() const { return cancelled_; }
    int PageCount() const { return pageCount_; }
    int PagesStarted() const { return pagesStarted_; }
    int AvailablePages() const { return availablePages_; }
    int Progress() const { return progress_; }

    QObject* Client() const { return client_; }
    void SetClient(QObject* client) { client_ = client; }

    void BeginDoc();
    // NewPage, EndDoc and Print throw ERpPrintFailed for a printed document
    // that could not begin or was not written whole; Print also for a stored
    // page it can no longer read. EndDoc throws ERpNothingInRange for a
    // printed document none of whose pages fell in the range.
    void NewPage();
    void EndDoc();
    // Cancel stops a run; a document already begun on the printer is aborted.
    void Cancel();
    void Abort();
    // The page being drawn.
    TRpCanvas& Canvas();

    // Null outside 1..PageCount, while no document exists, or for a page
    // that cannot be read.
    std::unique_ptr<TRpMetafile> GetPage(int n);
    // Complete documents only.
    bool Save(const QString& fileName);
    // A file that is not a saved report is refused with a message, and the
    // printer keeps what it had.
    bool Load(const QString& fileName);

    void Preview();
    void Print();
    void PrintSetup();
    void ExportToFilter(TRpExportFilter& filter);
    void SetProgress(int percent);
    void SetAvailablePages(int pages);
    bool ShowingPreview() const { return showingPreview_; }
    void SetShowingPreview(bool showing);

    std::function<void()> OnAfterPrint;
    std::function<void()> OnAfterPreview;
    std::function<void()> OnPrint;
    std::function<void(TRpExportFilter& filter)> OnExportToFilter;
    std::function<void()> OnPreview;
    std::function<void()> OnPrintSetup;

    TRpPageList& PageList() { return *pageList_; }

    // Print runs go through jobs from an installed factory when there is one;
    // an empty factory puts the Qt printer back.
    static void InstallJobFactory(JobFactory factory);

private:
    bool PageInRange() const;
    std::pair<int, int> PortraitPaper() const;
    void ClosePage();
    void OpenPage();
    void OpenScratchPage();
    void ReadSettings();
    std::unique_ptr<TRpPrintJob> MakeJob();
    void AbortJob();
    // False when the document was not written whole.
    bool EndJob();
    void Post(QEvent::Type type, int value);

    std::unique_ptr<QPrinter> printer_;
    TPrinterSettings settings_;
    std::unique_ptr<TRpPrintJob> job_;
    bool jobBegun_ = false;
    std::unique_ptr<TRpMetafile> pageMetafile_;
    std::unique_ptr<TRpCanvas> canvas_;
    bool pageOpen_ = false;
    bool pageOnPrinter_ = false;

    int availablePages_ = 0;
    bool cancelled_ = false;
    TRpDestination destination_ = TRpDestination::PageStream;
    int firstPage_ = 0;
    int lastPage_ = 0;
    int leftOffset_ = 0;
    int topOffset_ = 0;
    QPointer<QObject> client_;
    int pageCount_ = 0;
    int pagesStarted_ = 0;
    int progress_ = 0;
    QString title_;
    bool showingPreview_ = false;
    bool compression_ = false;
    TRpPrinterStatus status_ = TRpPrinterStatus::Ready;
    double xFactor_ = 1;
    double yFactor_ = 1;
    std::unique_ptr<TRpPageList> pageList_;
};
