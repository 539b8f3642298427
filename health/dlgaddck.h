#pragma once
// "Add a Medical Checkup Item" / "Edit a Medical Checkup Item": a check-up's
// name, how often it is done, from which age, and its description.
#include "chkitem.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

struct TChkItemOutcome {
    bool changed = false;     // something was saved
    bool cancelled = true;
};

// Shows the dialog modally; in edit mode `templId` is the item to edit (0:
// the user picks it). By key, since two items may share a name.
TChkItemOutcome ShowCheckupItemDialog(QWidget* parent, bool adding, qint32 memberId, qint32 sex, int age,
                                      qint32 templId);

class TDlgAddCk : public QDialog {
    Q_OBJECT
public:
    TDlgAddCk(QWidget* parent, bool adding, qint32 memberId, qint32 sex, int age, qint32 templId);

    QLabel* LabelCheckup;
    QLineEdit* EditCheckup;
    QComboBox* CBCheckup;
    QSpinBox* SFInterval;
    QComboBox* CBInterval;
    QSpinBox* SFStartAge;
    QPlainTextEdit* MemoCheckup;
    QPushButton* BtnOK;
    QPushButton* Button1;   // Cancel
    QPushButton* BtnApply;

    // Cancel after an Apply is not a cancel: the schedule shows what was applied.
    TChkItemOutcome Outcome() const { return {changed_, !accepted_ && !applied_}; }

    void CBCheckupChange();
    void BtnOKClick();
    void BtnApplyClick();

private:
    void BuildLayout();
    void Reset();
    void FillItems();
    TChkItemForm Entries() const;
    bool Save();
    bool SaveEdit(const TChkItemForm& form);

    bool adding_;
    qint32 memberId_;
    qint32 sex_;
    int age_;
    QString loadedName_;
    bool changed_ = false;
    bool accepted_ = false;
    bool applied_ = false;
};
