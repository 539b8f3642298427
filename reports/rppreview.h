#pragma once
// The page view of the preview window: one recorded page drawn at a zoom on a
// white sheet with a shadow, in a scroll box that follows the report
// printer's pages as they are finished.
#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <memory>

class TRpMetafile;
class TRpPrinter;

class TRpPreviewImage : public QWidget {
public:
    explicit TRpPreviewImage(QWidget* parent = nullptr);
    ~TRpPreviewImage() override;

    void SetRpPrinter(TRpPrinter* printer) { printer_ = printer; }
    bool HasPage() const { return page_ != nullptr; }
    const TRpMetafile* PageImage() const { return page_.get(); }
    void LoadPage(int n);
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TRpPrinter* printer_ = nullptr;
    std::unique_ptr<TRpMetafile> page_;
};

class TRpPreview : public QScrollArea {
public:
    enum class TZoomState { Fit = 0, Width = 1, Explicit = 2 };

    explicit TRpPreview(QWidget* parent = nullptr);
    ~TRpPreview() override;

    TRpPrinter* RpPrinter() const { return printer_; }
    // Leaves the previous printer (which then stops showing a preview) and
    // shows page 1 of the new one.
    void SetRpPrinter(TRpPrinter* printer);
    int PageNumber() const { return pageNumber_; }
    // Pages outside 1 to the finished pages are ignored.
    void SetPageNumber(int n);
    // Shows page 1 afresh, as after loading a report.
    void ReloadFirstPage();
    int Zoom() const { return zoom_; }
    // 2 to 2000 percent; other values are ignored.
    void SetZoom(int zoom);
    TZoomState ZoomState() const { return zoomState_; }
    void ZoomToFit();
    void ZoomToWidth();
    void UpdateZoom();
    // Pages the printer has finished: all of a complete document.
    int FinishedPages() const;

    TRpPreviewImage& PreviewImage() { return *image_; }

    std::function<void(int pages)> OnPageAvailable;
    std::function<void(int percent)> OnProgressUpdate;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPage(int n);
    // The paper of the shown page, or the printer's, in 0.1 mm.
    QSizeF Paper() const;
    // The paper at 100 % in screen pixels.
    QSizeF PaperPixels() const;

    TRpPreviewImage* image_;
    int pageNumber_ = 1;
    TRpPrinter* printer_ = nullptr;
    int zoom_ = 100;
    TZoomState zoomState_ = TZoomState::Explicit;
};
