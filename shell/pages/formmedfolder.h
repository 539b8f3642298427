#pragma once
// The folder tree page (module 130): the household's members, insurance
// accounts, FSAs and tools in a tree beside a message text (upcoming tasks,
// the FSA check, this year's totals) and the help text.
#include "pagemenus.h"

#include <QIcon>
#include <QMetaType>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <set>

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TQuery;

// What a tree node stands for: its kind and the member's or account's id
// (0 for the fixed nodes).
struct TTreeObj {
    qint32 kind = 0;
    qint32 id = 0;
};
Q_DECLARE_METATYPE(TTreeObj)

enum TTreeKind : qint32 {
    kNodeCheckupSchedule = 0,
    kNodeImmunizationSchedule = 1,
    kNodeMedicalHistory = 2,
    kNodeExpenseSummary = 3,
    kNodeInsurance = 4,
    kNodeFSA = 5,
    kNodeAddressBook = 6,
    kNodeToDoList = 7,
    kNodeInternet = 8,
    kNodeMembers = 9,
    kNodeMember = 10,
};

// The node's object; none for "Expenses & Reimbursements".
std::optional<TTreeObj> TreeObjOf(const QTreeWidgetItem& node);
// The index of the node's picture in the page's image list; -1 for none.
int ImageIndexOf(const QTreeWidgetItem& node);

class TFormMedFolder : public QWidget, public TMenuMergingPage {
    Q_OBJECT
public:
    explicit TFormMedFolder(QWidget* parent);

    QList<TMergedMenu> MergedMenus() const override;

    // The node at an absolute position: every node counted from the top in
    // tree order, the children of collapsed nodes included; nullptr past the end.
    QTreeWidgetItem* NodeAt(int position) const;

    QWidget* PanelToolBar = nullptr;
    QToolButton* SpeedButtonPrint = nullptr;
    QToolButton* SpeedButtonExit = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QSplitter* Panel1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTextEdit* RichEditToDo = nullptr;
    QTextEdit* RichEditHelp = nullptr;

    QMenu* File1 = nullptr;
    QAction* NewMember1 = nullptr;
    QAction* NewInsurance1 = nullptr;
    QAction* NewFSA1 = nullptr;
    QAction* DeleteMember1 = nullptr;
    QAction* DeleteInsurance1 = nullptr;
    QAction* DeleteFSA1 = nullptr;
    QAction* EmailToDoList1 = nullptr;
    QAction* Backup1 = nullptr;
    QAction* Restore1 = nullptr;
    QMenu* View1 = nullptr;
    QAction* GoToBrowserView1 = nullptr;
    QMenu* Report1 = nullptr;
    QAction* Expenseandreimbursement1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;

signals:
    // A restored database may hold other members.
    void GoToListChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildPanels();
    void BuildTree();
    void BuildMenus();

    void FormCreate();
    void FormShow();
    void FormClose();

    void ShowOrLeave(const std::function<void()>& work);
    void LoadMemberNodes();
    void LoadAccountNodes();
    void LoadHelpText();
    void RefreshMessagePage();
    void LoadFolderSettings();
    void SaveFolderSettings();
    void LoadNodeStates();
    void SaveNodeStates();

    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, int index, const QString& text, std::optional<TTreeObj> object,
                             int image);
    void AddMemberNode(TQuery& member);
    QList<QTreeWidgetItem*> NodesInOrder() const;
    std::optional<TTreeObj> SelectedObj() const;

    void TreeView1DblClick();
    void OpenNodeDialog(QTreeWidgetItem& node, const TTreeObj& object);
    void SpeedButtonAddMemClick();
    void AddAccountClick(bool fsa);
    void SpeedBtnDelMemClick();
    void DeleteAccountNodeClick(bool fsa);
    void SpeedButtonPrintClick();
    void Restore1Click();

    std::array<QIcon, 15> ImageList1;
    QTreeWidgetItem* membersNode_ = nullptr;
    QTreeWidgetItem* expensesNode_ = nullptr;
    // The members and accounts in the tree, by id.
    std::set<qint32> placedMembers_;
    std::set<qint32> placedAccounts_;
    bool selectNew_ = false;
    bool shown_ = false;
    // The database failed: the page has asked for the home page.
    bool leaving_ = false;
};
