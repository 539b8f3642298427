#pragma once
// "Add To-Do Item" / "Edit To-Do Item": an item's category, description and
// due date.
#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TEfController;
class TEfPictureField;

class TDlgATodoForm : public QDialog {
    Q_OBJECT
public:
    // A new item when adding; otherwise the item of todoId.
    TDlgATodoForm(QWidget* parent, bool adding, qint32 todoId);

    QComboBox* CBCategory;
    QPlainTextEdit* Description_edit;
    TEfController* EfController1;
    TEfPictureField* EfPFDate;
    QToolButton* Date_SpeedButton;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

    // The item's key: the new one once a new item is saved.
    qint32 Todoid() const { return todoId_; }
    bool Cancelled() const { return cancelled_; }

    void BtnOkClick();
    void BtnCancelClick();

private:
    void BuildLayout();
    void FormShow();
    void LoadToDoItem();
    bool DueDate(double& due);

    bool adding_;
    qint32 todoId_;
    bool cancelled_ = false;
};
