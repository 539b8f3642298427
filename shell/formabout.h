#pragma once
// The about box.
#include <QDialog>

class QLabel;
class QPushButton;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* LabelProdVer;
    QLabel* LabelSubTitle;
    QLabel* LabelNotice;
    QPushButton* BtnOK;
};

// Shows the about box modally.
void ShowAboutBox();
