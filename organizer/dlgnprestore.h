#pragma once
// "Restore Database": the user picks the backup set; the restore runs as
// the dialog closes, and the dialog stays open when it fails.
#include "dlgfolderjob.h"

void ShowRestoreDialog();

class TDlgNPRestore : public TDlgFolderJob {
    Q_OBJECT
public:
    explicit TDlgNPRestore(QWidget* parent = nullptr);

protected:
    // True when the restore completed or the user would not replace the
    // database.
    bool RunJob(TJobTalk& talk) override;
};
