#pragma once
// "Add a Checkup Record" / "Edit a Checkup Record": a record of the log,
// for an item picked from the member's check-ups or, when editing, the
// record's own item.
#include "dlgchkrecord.h"

class QLineEdit;

struct TCheckupDataOutcome {
    bool cancelled = true;
    qint32 checkupId = 0;
    QString item;
};

// Adds a record (checkupId 0) or edits the stored one, modally.
TCheckupDataOutcome ShowCheckupDataDialog(QWidget* parent, qint32 memberId, qint32 checkupId);

class TDlgCheckupData : public TChkRecordDialog {
    Q_OBJECT
public:
    TDlgCheckupData(QWidget* parent, TChkRecordForm form, bool adding);

    QComboBox* ComboBox1;
    QLineEdit* Edit1;

protected:
    void TakeItem(TChkRecordForm& form) override;
    void FocusItem() override;

private:
    void BuildLayout();

    bool adding_;
};
