#pragma once
// "Adding Web Site Address/Folder": a new web site or folder, its note, and
// the folder of the link tree it goes into.
#include "linktree.h"

#include <QDialog>
#include <QIcon>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class TDlgAddURL : public QDialog {
    Q_OBJECT
public:
    // The folders offered are those of the tree, placed as there.
    explicit TDlgAddURL(const TLinkTree& tree, QWidget* parent = nullptr);

    QGroupBox* RadioGroupType;
    QRadioButton* RadioWebSite;
    QRadioButton* RadioFolder;
    QLineEdit* EditDesc;
    QLabel* LabelURL;
    QLineEdit* EditURL;
    QTreeWidget* TreeViewFolderTree;
    QPlainTextEdit* MemoNote;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    // What the user asked for, once the dialog closed with OK.
    const TURLFold& Result() const { return result_; }

    void RadioGroupTypeClick();
    void ButtonOKClick();

private:
    void FillFolderTree(const TLinkTree& tree);

    QIcon closedFolder_;
    QIcon openFolder_;
    TURLFold result_;
};
