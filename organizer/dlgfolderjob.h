#pragma once
// What the backup and restore dialogs share: a folder typed or browsed for,
// a password box that is never shown, OK and Cancel. The job runs as the
// dialog closes with OK, and the dialog stays open when it fails.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TJobTalk;

struct TFolderJobTexts {
    QString objectName;
    QString title;
    QString folderLabel;
    QString ok;
    QString cancel;
    QString passwordTitle;
};

class TDlgFolderJob : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1;
    QLineEdit* EditStore;
    QPushButton* ButtonBrowse;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    // Never shown: what it holds at first, no password, applies.
    QGroupBox* GroupBox1;
    QLineEdit* EditPassword1;
    QLineEdit* EditPassword2;

    void BtnOKClick();
    void BtnCancelClick();
    void ButtonBrowseClick();
    // True when the dialog may close: with OK, when the job says so.
    bool FormCloseQuery();

    void done(int result) override;

protected:
    // The password box comes empty: the dialog lays out its own rows.
    TDlgFolderJob(QWidget* parent, const TFolderJobTexts& texts);
    // Runs the job on what the user typed; true when the dialog may close.
    virtual bool RunJob(TJobTalk& talk) = 0;

private:
    bool OKPressed = false;
};
