#pragma once
// "Progress": a small window with one bold message and a percentage meter,
// shown while a long step runs on the main thread. The caller drives it:
// sets the message, shows it, and after each stage sets the percent, which
// paints the window at once, since no events are processed meanwhile.
#include <QDialog>
#include <QPoint>

class QLabel;
class TEfMeter;

// Before the main window exists the window keeps its designed place;
// afterwards it is centred on the screen.
QPoint ProgressWindowPlace(bool mainFormReady, const QSize& window, const QRect& screen);

class TDlgProgress : public QDialog {
    Q_OBJECT
public:
    explicit TDlgProgress(QWidget* parent = nullptr);

    QLabel* Lb;
    TEfMeter* Meter;

    // Sets the meter and paints the window now.
    void SetPercent(int percent);
};
