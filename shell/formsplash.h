#pragma once
// The window shown while the main window is being made.
#include <QWidget>

class QLabel;

class TFormSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFormSplash(QWidget* parent = nullptr);
    // Shows it and paints it at once: the event loop is not running yet.
    void ShowAndPaint();

    QLabel* LabelProdVer;
    QLabel* LabelSubTitle;
    QLabel* LabelNotice;
};
