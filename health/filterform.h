#pragma once
// "Insurance/FSA report": the user picks insurance accounts and FSAs, and
// the plan report of those ticked is previewed.
#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

// Creates the form under the hourglass, shows it modally and frees it.
void ShowFilterForm();

class TFilterForm : public QDialog {
    Q_OBJECT
public:
    // Lists the accounts; EDatabaseError when the database fails.
    explicit TFilterForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QCheckBox* CheckBox2;
    QListWidget* LBInsurance;
    QCheckBox* CheckBox3;
    QListWidget* LBFSA;
    QPushButton* BtnPreview;
    QPushButton* Button2;

    void BtnPreviewClick();
};
