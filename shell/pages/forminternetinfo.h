#pragma once
// The web-link page (module 171): what the household's book of health links
// is, and a book picture and a link that open it.
#include <QWidget>

class QLabel;
class TClickLabel;

class TFormInternetInfoResources : public QWidget {
    Q_OBJECT
public:
    explicit TFormInternetInfoResources(QWidget* parent);

    TClickLabel* ImageIIR = nullptr;
    TClickLabel* LabelIIR = nullptr;
    QLabel* MemoInfo = nullptr;

    void ImageIIRClick();
};
