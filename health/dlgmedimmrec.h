#pragma once
// The record of one dose: the date it was given, by whom, notes and the
// expense paid for it. Adding, changing or deleting it.
#include "doctorboxes.h"
#include "immunrecord.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QComboBox;
class QToolButton;
class TEfController;
class TEfPictureField;

// Shows the record of the dose point for the member modally; the CheckupID
// afterwards (0 when the dose was deleted or never recorded).
qint32 ShowDoseRecordDialog(QWidget* parent, qint32 memberId, qint32 templId, qint32 checkupId);

class TDlgMedImmRec : public QDialog {
    Q_OBJECT
public:
    TDlgMedImmRec(QWidget* parent, qint32 memberId, qint32 templId, qint32 checkupId);

    TEfController* EfController1;
    QLabel* LBVaccine;
    QPlainTextEdit* MemoMsg;
    QLabel* LbDate;
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QLabel* LabelAdd;
    QComboBox* CBDoc;
    QToolButton* PSBDoc;
    QPlainTextEdit* MemoNote;
    QPushButton* Button1;   // the expense
    QPushButton* BtnOK;
    QPushButton* BtnDelete;
    QPushButton* BtnCancel;
    QFrame* BevelV;
    QFrame* BevelH;

    qint32 CheckupID() const { return form_.checkupId; }
    qint32 ExpID() const { return form_.expId; }

    void BtnOKClick();
    void BtnDeleteClick();
    void BtnCancelClick();
    void Button1Click();
    void reject() override;

private:
    void BuildLayout();
    void ShowForm();
    void TakeEntries();
    bool Refused(const TDoseRecordVerdict& verdict);

    TDoctorBoxes doctorBoxes_;
    TDoseRecordForm form_;
    bool adding_;
};
