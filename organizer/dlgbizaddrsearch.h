#pragma once
// "Search": the businesses whose chosen field contains a typed text.
#include "addrbookdata.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class TDlgBizAddrSearch : public QDialog {
    Q_OBJECT
public:
    explicit TDlgBizAddrSearch(QWidget* parent = nullptr);

    QComboBox* CBField;
    QLineEdit* ContainEdit;
    QPushButton* BtnFind;
    QPushButton* BtnNew;
    QPushButton* BtnClose;
    QTreeWidget* ListView1;

    void BtnFindClick();
    void BtnNewClick();
    void ListView1ColumnClick(int column);

private:
    int resultSortColumn_ = 0;
    int resultSortClicks_ = 0;
};
