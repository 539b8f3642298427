#pragma once
// "Select Fields to Display": which business fields the address book shows
// as columns, and in which order. The name stays first.
#include "addrbookdata.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class TDlgSelectFields : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSelectFields(QWidget* parent = nullptr);

    QListWidget* UnSelectedLB;
    QListWidget* SelectedLB;
    QPushButton* BtnFW;
    QPushButton* BtnBW;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void BtnFWClick();
    void BtnBWClick();
    void MoveUpClick();
    void MoveDownClick();
    void OKBtnClick();

private:
    // The one selected row of the right list; -1 when not exactly one.
    int SingleSelectedRow() const;
    void Exchange(int row, int other);
};
