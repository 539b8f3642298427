#pragma once
// "Back Up Database": the user picks the target folder; the backup runs as
// the dialog closes, and the dialog stays open when it fails.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

void ShowBackupDialog();

class TDlgNPBackup : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNPBackup(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* EditStore;
    QPushButton* ButtonBrowse;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    // Never shown: its default choice, no password, applies.
    QGroupBox* GroupBox1;
    QRadioButton* RBNoPasswd;
    QRadioButton* RBSamePasswd;
    QRadioButton* RBDiffPasswd;
    QLineEdit* EditPassword1;
    QLineEdit* EditPassword2;

    void BtnOKClick();
    void BtnCancelClick();
    void ButtonBrowseClick();
    // True when the dialog may close: with OK, when the backup completed.
    bool FormCloseQuery();

    void done(int result) override;

private:
    bool OKPressed = false;
};
