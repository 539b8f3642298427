#pragma once
// "Checkup Performed": records that a scheduled check-up was done, with the
// doctor or hospital, a note and the expense paid for it.
#include "dlgchkrecord.h"

class QLabel;

struct TChkPerformOutcome {
    bool cancelled = true;
    qint32 checkupId = 0;
};

// Shows the dialog for the member's item modally. An item that is gone is
// told to the user and counts as cancelled.
TChkPerformOutcome ShowCheckupPerformedDialog(QWidget* parent, qint32 memberId, qint32 templId);

class TDlgChkupPerform : public TChkRecordDialog {
    Q_OBJECT
public:
    TDlgChkupPerform(QWidget* parent, TChkRecordForm form);

    QLabel* JzLbCheckup;
    QPlainTextEdit* MemoMsg;

private:
    void BuildLayout();
};
