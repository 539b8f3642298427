#pragma once
// "Restore Database": the user picks the backup set; the restore runs as
// the dialog closes, and the dialog stays open when it fails.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

void ShowRestoreDialog();

class TDlgNPRestore : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNPRestore(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* EditStore;
    QPushButton* ButtonBrowse;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    // Never shown: both boxes stay empty, the no-password value.
    QGroupBox* GroupBox1;
    QLineEdit* EditPassword1;
    QLineEdit* EditPassword2;

    void BtnOKClick();
    void BtnCancelClick();
    void ButtonBrowseClick();
    // True when the dialog may close: with OK, when the restore completed or
    // the user would not replace the database.
    bool FormCloseQuery();

    void done(int result) override;

private:
    bool OKPressed = false;
};
