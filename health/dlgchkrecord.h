#pragma once
// What "Checkup Performed" and the log's record dialog share: the date with
// its picker, the doctor or hospital with its address button, the expense
// report, the note, and OK and Cancel with their checks and messages.
#include "chkrecord.h"
#include "doctorboxes.h"

#include <QDialog>
#include <initializer_list>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TEfController;
class TEfPictureField;

class TChkRecordDialog : public QDialog {
    Q_OBJECT
public:
    TEfController* EfController1;
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QComboBox* CBDoc;
    QToolButton* PSBDoc;
    QPushButton* Button1;   // the expense
    QPlainTextEdit* MemoNote;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

    const TChkRecordForm& Form() const { return form_; }
    bool Cancelled() const { return cancelled_; }

    void BtnOKClick();
    void Button1Click();
    void reject() override;

protected:
    TChkRecordDialog(QWidget* parent, TChkRecordKind kind, TChkRecordForm form);
    // Puts the record's doctor, date and note in the fields.
    void ShowRecord();
    // Down the form, whatever order the controls were made in.
    void SetTabOrder(std::initializer_list<QWidget*> order);
    // The date, doctor, expense and note rows, from `row` down.
    void PlaceRecordRows(QGridLayout& form, int row, const QString& dateCaption);
    // OK and Cancel, at the right.
    QHBoxLayout* ButtonRow();
    // The item the record is for, from the dialog's own fields.
    virtual void TakeItem(TChkRecordForm&) {}
    virtual void FocusItem() {}

    TChkRecordForm form_;

private:
    void TakeEntries();
    // True when a check stops the save; `skip` when the user chose not to record.
    bool Refused(const TChkRecordVerdict& verdict, bool& skip);

    TChkRecordKind kind_;
    TDoctorBoxes doctorBoxes_;
    bool cancelled_ = false;
};
