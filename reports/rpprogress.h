#pragma once
// The gauge, and the small window that shows how far a print or export run
// has come, with a Cancel button.
#include <QDialog>
#include <QProgressBar>

class QLabel;
class QPushButton;
class TRpPrinter;

class TRpGauge : public QProgressBar {
public:
    explicit TRpGauge(QWidget* parent = nullptr);
};

class TRpProgressForm : public QDialog {
public:
    explicit TRpProgressForm(TRpPrinter& printer, QWidget* parent = nullptr);

    QLabel* Info() const { return info_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    TRpGauge* Gauge() const { return gauge_; }

    // Escape and the window's close box cancel the run; the run closes the window.
    void reject() override;

protected:
    bool event(QEvent* event) override;

private:
    TRpPrinter& printer_;
    QLabel* info_;
    QPushButton* cancelButton_;
    TRpGauge* gauge_;
};
