#pragma once
// "Phone No. & Address": the phone, fax and postal address of a provider or
// an insurance company of the payments. What it edits is written with the
// payment, not by the dialog.
#include "records/common/bizaddr.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class TDlgPhoneAddr : public QDialog {
    Q_OBJECT
public:
    TDlgPhoneAddr(QWidget* parent, const QString& name, const TBizContact& contact);

    TBizContact Contact() const;

    QLineEdit* EditAddr;
    QLineEdit* EditCity;
    QLineEdit* EditState;
    QLineEdit* EditZip;
    QLineEdit* EditPhone;
    QLineEdit* EditFax;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
};

// Shows the dialog for the named business; OK copies the six values into
// the contact and gives true.
bool EditPaymentAddress(QWidget* parent, const QString& name, TBizContact& contact);
