#pragma once
// The payment dialog: adds or edits one payment of the statement. The checks
// and the writing are the payments module's; the dialog reads the fields,
// tells the user and puts the focus on the field at fault.
#include "medpayments.h"
#include "medpaystatement.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TEfController;
class TEfNumericField;
class TEfPictureField;

// What the page hands the dialog.
struct TPaymentRequest {
    qint32 medId = 0;         // 0: a new payment
    int statementYear = 0;
    TPayFilter defaults;      // the patient, company and coverage offered first
};

class TDlgMedPayment : public QDialog {
    Q_OBJECT
public:
    // Reads the lists and the payment (under the caller's hourglass).
    TDlgMedPayment(QWidget* parent, const TPaymentRequest& request);
    ~TDlgMedPayment() override;

    qint32 MedID() const { return request_.medId; }

    TEfController* EfController1;
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QComboBox* CBMember;
    QLineEdit* SFDoc;
    QComboBox* CBDoc;
    QToolButton* PSBDoc;
    QComboBox* CBType;
    QLineEdit* SFInsurance;
    QComboBox* CBInsurance;
    QToolButton* PSBIns;
    TEfNumericField* NFAmount;
    TEfNumericField* NFInsPay;
    TEfNumericField* NFOutOfPocket;
    QPlainTextEdit* MemoNote;
    QPushButton* Btn1Ok;
    QPushButton* Btn1Cancel;
    QPushButton* Btn1Apply;

    void Btn1OkClick();
    void Btn1ApplyClick();
    void CBDocChange();
    void CBInsuranceChange();
    void CBTypeChange();
    void SFDocExit();
    void SFInsuranceExit();
    void PSBDocClick();
    void PSBInsClick();
    void SBDateClick();
    // Checks and writes the payment; false, with the user told and the focus
    // on the field at fault, when nothing was written.
    bool SaveEntry();

private:
    void BuildLayout();
    void LoadForm();
    void RefillProviders();
    TPaymentEntry Entry();
    bool Refused(const TPaymentCheck& check);
    void ShowAdjustment(const TPaymentCheck& check);
    void EditAddress(QLineEdit& name, TPayAddress& address, const QString& missingText);

    TPaymentRequest request_;
    TPayAddress providerAddress_;
    TPayAddress insurerAddress_;
    bool docChanged_ = false;
    bool insChanged_ = false;
};

// Creates the dialog under the hourglass, captioned for a new payment (with
// Apply) or an edit (without), shows it modally and frees it.
void ShowPaymentDialog(QWidget* parent, const TPaymentRequest& request);
