#pragma once
// "Add a Vaccine Item" / "Edit a Vaccine Item": a vaccine's name, its
// description and the ages at which its doses are due.
#include "immunpoints.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Shows the dialog modally; true when a vaccine was saved.
bool ShowVaccineDialog(QWidget* parent, bool adding, qint32 memberId, qint32 newImmuId);

class TDlgAddIm : public QDialog {
    Q_OBJECT
public:
    TDlgAddIm(QWidget* parent, bool adding, qint32 memberId, qint32 newImmuId);

    QLabel* LabelVaccine;
    QLineEdit* EditVaccine;
    QComboBox* CBVaccine;
    QSpinBox* SFAtAge;
    QComboBox* CBScheduleType;
    QPushButton* BtnAdd;
    QListWidget* LBVaccine;
    QPushButton* BtnDel;
    QPlainTextEdit* MemoVaccine;
    QPushButton* BtnOK;
    QPushButton* Button1;   // Cancel
    QPushButton* BtnApply;

    bool Changed() const { return changed_; }

    void CBVaccineChange();
    void BtnAddClick();
    void BtnDelClick();
    void BtnOKClick();
    void BtnApplyClick();

private:
    void BuildLayout();
    void FillVaccines();
    void ShowPoints();
    bool Save();
    bool SaveEdit();
    void Reset();

    bool adding_;
    TVaccineEdit vaccine_;
    std::vector<TVaccSched> removed_;
    QString loadedName_;
    QString loadedDescription_;
    bool changed_ = false;
};
