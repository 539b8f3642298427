#pragma once
// "To-do's": the household's tickler. A grid of the to-do rows filtered by
// due date and category, where items are ticked done, added, edited, deleted
// and printed.
#include <QDialog>
#include <QList>
#include <map>

class QComboBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QTableWidget;

// Opens the list on the category (-1: every category) and frees it.
void ShowToDoList(QWidget* parent, qint32 presetCategory);

class TTodoListForm : public QDialog {
    Q_OBJECT
public:
    TTodoListForm(QWidget* parent, qint32 presetCategory);

    QMenuBar* MainMenu;
    QLabel* LabelTitle;
    QComboBox* CBTime;
    QComboBox* CBCategory;
    QTableWidget* SGTasks;
    QPushButton* BtnAdd;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QAction* Print1;

    // The grid's rows below the heading, and the Todoid of each filled one.
    int GridRows() const;
    const QList<qint32>& TodoIds() const { return todoIds_; }
    bool Ticked(int gridRow) const;

    void LoadToDoGrid();
    void SelectCell(int gridRow, int column);
    void SGTasksClick();
    void SGTasksDblClick();
    void BtnAddClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void Print1Click();

private:
    void BuildLayout();
    void FormShow();
    void FillCategoryFilter();
    qint32 ChosenCategory() const;
    std::map<qint32, QString> CategoryNames() const;
    void UpdateToDoButtons();
    void SetToDoButtons(bool enabled);
    void OpenItemDialog(bool adding);
    bool RowFilled(int gridRow) const;

    qint32 presetCategory_;
    QList<qint32> todoIds_;
    int selectedColumn_ = 0;
    int selectedRow_ = 0;
};
