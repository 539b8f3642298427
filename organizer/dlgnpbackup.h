#pragma once
// "Back Up Database": the user picks the target folder; the backup runs as
// the dialog closes, and the dialog stays open when it fails.
#include "dlgfolderjob.h"

class QRadioButton;

void ShowBackupDialog();

class TDlgNPBackup : public TDlgFolderJob {
    Q_OBJECT
public:
    explicit TDlgNPBackup(QWidget* parent = nullptr);

    // In the password box: its default choice, no password, applies.
    QRadioButton* RBNoPasswd;
    QRadioButton* RBSamePasswd;
    QRadioButton* RBDiffPasswd;

protected:
    // True when the backup completed.
    bool RunJob(TJobTalk& talk) override;
};
