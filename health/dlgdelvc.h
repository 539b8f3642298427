#pragma once
// "Delect Vaccine Item": whole vaccines of a member deleted with their doses
// and reminders; the expenses of the doses stay.
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

void ShowDeleteVaccineDialog(QWidget* parent, qint32 memberId);

class TDlgDelVc : public QDialog {
    Q_OBJECT
public:
    TDlgDelVc(QWidget* parent, qint32 memberId);

    QListWidget* LBVaccine;
    QPushButton* BtnDel;
    QPushButton* BtnClose;

    void BtnDelClick();

private:
    void FillList();

    qint32 memberId_;
};
