#pragma once
// The preview window: the pages of a report printer with zoom, paging,
// printing, printer set-up, saving (report file or export) and loading.
// Closing it detaches it from the printer, which ends the report's preview.
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;
class TRpGauge;
class TRpPreview;
class TRpPrinter;

class TRpStandardPreview : public QWidget {
public:
    explicit TRpStandardPreview(TRpPrinter& printer, QWidget* parent = nullptr);
    ~TRpStandardPreview() override;

    QToolButton* ZoomToFit() const { return zoomToFit_; }
    QToolButton* ZoomTo100() const { return zoomTo100_; }
    QToolButton* ZoomToWidth() const { return zoomToWidth_; }
    QToolButton* FirstPage() const { return firstPage_; }
    QToolButton* PrevPage() const { return prevPage_; }
    QToolButton* NextPage() const { return nextPage_; }
    QToolButton* LastPage() const { return lastPage_; }
    QToolButton* PrintSetup() const { return printSetup_; }
    QToolButton* Print() const { return print_; }
    QToolButton* Save() const { return save_; }
    QToolButton* Load() const { return load_; }
    QPushButton* Exit() const { return exit_; }
    QLabel* Status() const { return status_; }
    TRpGauge* Gauge() const { return gauge_; }
    TRpPreview* RpPreview() const { return rpPreview_; }

    // What the save dialog offers now: the report file, and the export
    // filters while the report that made the pages can run again.
    QString SaveFilter() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildToolbar(QWidget& toolbar);
    void BuildStatusBar(QWidget& statusBar);
    bool HandlePageKey(const QKeyEvent& key);
    void GoToPage(int n);
    void UpdateStatus();
    void UpdateCommands();
    void ShowProgress(int percent);
    bool CanExport() const;

    void PrintClick();
    void PrintSetupClick();
    void SaveClick();
    void LoadClick();

    TRpPrinter& printer_;
    // While a print runs, nothing may change its pages or begin another.
    bool printing_ = false;
    QToolButton* zoomToFit_ = nullptr;
    QToolButton* zoomTo100_ = nullptr;
    QToolButton* zoomToWidth_ = nullptr;
    QToolButton* firstPage_ = nullptr;
    QToolButton* prevPage_ = nullptr;
    QToolButton* nextPage_ = nullptr;
    QToolButton* lastPage_ = nullptr;
    QToolButton* printSetup_ = nullptr;
    QToolButton* print_ = nullptr;
    QToolButton* save_ = nullptr;
    QToolButton* load_ = nullptr;
    QPushButton* exit_ = nullptr;
    QLabel* status_ = nullptr;
    TRpGauge* gauge_ = nullptr;
    TRpPreview* rpPreview_ = nullptr;
};
