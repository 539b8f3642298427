#pragma once
// The web-link dialog: the household's tree of links to health information,
// read from its table when shown and written back whole when closed. Links
// are added, edited, deleted, moved by drag and drop, and opened in the
// browser with a double-click or Enter.
#include "extbrowser.h"
#include "linktree.h"

#include <QDialog>
#include <QIcon>
#include <QTreeWidget>
#include <map>
#include <memory>

class QLabel;
class QPushButton;

// The health links: table "hiir" under the captions "Internet Health Info
// Resources"; shown modally and freed.
void ShowWebLinksDialog();

// The tree of the dialog: every drag over it is accepted, and a drop, the
// Enter key and the Delete key are handed to the dialog.
class TLinkTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TLinkTreeView(QWidget* parent = nullptr);

signals:
    // The item under the mouse, nullptr for none.
    void Dropped(QTreeWidgetItem* target);
    void EnterPressed();
    void DeletePressed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TDlgIIR : public QDialog {
    Q_OBJECT
public:
    explicit TDlgIIR(QWidget* parent = nullptr);

    // Before the dialog is shown.
    void Init(const QString& tableName, const QString& rootCaption, const QString& pageTitle);

    QLabel* ImagePage;
    QLabel* LabelPageTitle;
    TLinkTreeView* TreeViewIIR;
    QPushButton* ButtonAdd;
    QPushButton* ButtonEdit;
    QPushButton* ButtonDelete;
    QPushButton* ButtonClose;

    // Empty until the tree was read.
    TLinkTree* Tree() const { return tree_.get(); }
    QTreeWidgetItem* ItemOf(const TLinkNode& node) const;
    TLinkNode* NodeOf(const QTreeWidgetItem* item) const;

    void TreeViewIIRClick();
    void TreeViewIIRDblClick();
    void ButtonAddClick();
    void ButtonEditClick();
    void ButtonDeleteClick();
    // The selected node dropped on the target (nullptr: on no node).
    void TreeViewIIRDragDrop(QTreeWidgetItem* target);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // Shows the tree anew with the node selected and in view.
    void FillTree(const TLinkNode* select);
    TLinkNode* SelectedNode() const;
    void SetFolderOpen(QTreeWidgetItem* item, bool open);
    void Warn(const QString& text);
    void ApplyStoredSize();
    void StoreSize();

    QString tableName_;
    QString rootCaption_;
    QString pageTitle_;
    TExtBrowser browser_;
    std::unique_ptr<TLinkTree> tree_;
    std::map<const QTreeWidgetItem*, TLinkNode*> nodes_;
    std::map<const TLinkNode*, QTreeWidgetItem*> items_;
    bool shown_ = false;
    bool saved_ = false;
    QIcon closedFolder_;
    QIcon openFolder_;
    QIcon webSite_;
};
