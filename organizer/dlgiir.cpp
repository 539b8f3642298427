#include "dlgiir.h"

#include "dlgaddurl.h"
#include "dlgediturl.h"
#include "linkpictures.h"
#include "linkstore.h"

#include "context/registry.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kWindowName = QStringLiteral("DlgIIR");
const QString kWidthValue = QStringLiteral("Width");
const QString kHeightValue = QStringLiteral("Height");
const QString kHealthLinks = QStringLiteral("Internet Health Info Resources");
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 270;
constexpr int kDesignedWidth = 480;
constexpr int kDesignedHeight = 460;
constexpr int kPagePictureSize = 32;

}  // namespace

void ShowWebLinksDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgIIR>();
    dialog->Init(QStringLiteral("hiir"), kHealthLinks, kHealthLinks);
    dialog->setWindowTitle(kHealthLinks);
    dialog->exec();
}

TLinkTreeView::TLinkTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    ShowWholeNames(*this);
}

void TLinkTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
}

void TLinkTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
}

void TLinkTreeView::dropEvent(QDropEvent* event)
{
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    // Nothing is taken out of the tree by the drag itself: the dialog moves the node.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The dialog may show a message and build the tree anew: not while the drag is being delivered.
    QMetaObject::invokeMethod(this, [this, target] { emit Dropped(target); }, Qt::QueuedConnection);
}

void TLinkTreeView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit EnterPressed();
        return;
    case Qt::Key_Delete:
        emit DeletePressed();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

TDlgIIR::TDlgIIR(QWidget* parent)
    : QDialog(parent),
      closedFolder_(LinkIcon(TLinkPicture::ClosedFolder)),
      openFolder_(LinkIcon(TLinkPicture::OpenFolder)),
      webSite_(LinkIcon(TLinkPicture::WebSite))
{
    setObjectName(kWindowName);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(kMinWidth, kMinHeight);

    ImagePage = new QLabel;
    ImagePage->setPixmap(LinkPicture(TLinkPicture::WebSite, kPagePictureSize));
    LabelPageTitle = new QLabel;
    LabelPageTitle->setTextFormat(Qt::PlainText);
    QFont big = LabelPageTitle->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    LabelPageTitle->setFont(big);

    TreeViewIIR = new TLinkTreeView;
    connect(TreeViewIIR, &QTreeWidget::currentItemChanged, this, [this] { RunGuarded([this] { TreeViewIIRClick(); }); });
    connect(TreeViewIIR, &QTreeWidget::itemDoubleClicked, this,
            [this] { RunGuarded([this] { TreeViewIIRDblClick(); }); });
    connect(TreeViewIIR, &TLinkTreeView::EnterPressed, this, [this] { RunGuarded([this] { TreeViewIIRDblClick(); }); });
    connect(TreeViewIIR, &TLinkTreeView::DeletePressed, this, [this] { RunGuarded([this] { ButtonDeleteClick(); }); });
    connect(TreeViewIIR, &TLinkTreeView::Dropped, this,
            [this](QTreeWidgetItem* target) { RunGuarded([&] { TreeViewIIRDragDrop(target); }); });
    connect(TreeViewIIR, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { SetFolderOpen(item, true); });
    connect(TreeViewIIR, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { SetFolderOpen(item, false); });

    ButtonAdd = new QPushButton(QStringLiteral("&Add..."));
    ButtonEdit = new QPushButton(QStringLiteral("&Edit..."));
    ButtonDelete = new QPushButton(QStringLiteral("&Delete"));
    ButtonClose = new QPushButton(QStringLiteral("&Close"));
    for (QPushButton* button : {ButtonAdd, ButtonEdit, ButtonDelete, ButtonClose})
        button->setAutoDefault(false);
    ButtonEdit->setEnabled(false);
    ButtonDelete->setEnabled(false);
    connect(ButtonAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonAddClick(); }); });
    connect(ButtonEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonEditClick(); }); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonDeleteClick(); }); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->addWidget(ImagePage);
    heading->addWidget(LabelPageTitle, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {ButtonAdd, ButtonEdit, ButtonDelete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ButtonClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(heading);
    column->addWidget(TreeViewIIR, 1);
    column->addLayout(buttons);
    resize(kDesignedWidth, kDesignedHeight);
}

void TDlgIIR::Init(const QString& tableName, const QString& rootCaption, const QString& pageTitle)
{
    tableName_ = tableName;
    rootCaption_ = rootCaption;
    pageTitle_ = pageTitle;
}

QTreeWidgetItem* TDlgIIR::ItemOf(const TLinkNode& node) const
{
    const auto found = items_.find(&node);
    return found == items_.end() ? nullptr : found->second;
}

TLinkNode* TDlgIIR::NodeOf(const QTreeWidgetItem* item) const
{
    const auto found = nodes_.find(item);
    return found == nodes_.end() ? nullptr : found->second;
}

void TDlgIIR::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    RunGuarded([this] { FormShow(); });
    // Without its tree the dialog has nothing to show, and nothing to write back.
    if (!tree_)
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void TDlgIIR::FormShow()
{
    HourglassCursor wait;
    if (tableName_.isEmpty())
        return;
    LabelPageTitle->setText(pageTitle_);
    tree_ = std::make_unique<TLinkTree>(LoadLinkTree(tableName_, rootCaption_));
    FillTree(&tree_->Root());
    ApplyStoredSize();
}

void TDlgIIR::FillTree(const TLinkNode* select)
{
    // The folders above the node to select are opened, and are kept open.
    for (TLinkNode* above = select ? select->Parent() : nullptr; above; above = above->Parent())
        above->expanded = true;
    const QSignalBlocker quiet(TreeViewIIR);
    TreeViewIIR->clear();
    nodes_.clear();
    items_.clear();
    std::vector<QTreeWidgetItem*> open;
    QTreeWidgetItem* top = nullptr;
    for (TLinkNode* node : tree_->PreOrder()) {
        auto* item = node->IsRoot() ? new QTreeWidgetItem : new QTreeWidgetItem(items_.at(node->Parent()));
        if (node->IsRoot())
            top = item;
        item->setText(0, node->text);
        const bool opened = node->folder && node->expanded && !node->Children().empty();
        item->setIcon(0, !node->folder ? webSite_ : opened ? openFolder_ : closedFolder_);
        if (opened)
            open.push_back(item);
        nodes_[item] = node;
        items_[node] = item;
    }
    TreeViewIIR->addTopLevelItem(top);
    for (QTreeWidgetItem* item : open)
        item->setExpanded(true);
    if (QTreeWidgetItem* chosen = select ? ItemOf(*select) : nullptr) {
        TreeViewIIR->setCurrentItem(chosen);
        TreeViewIIR->scrollToItem(chosen);
    }
    TreeViewIIRClick();
}

TLinkNode* TDlgIIR::SelectedNode() const
{
    return NodeOf(TreeViewIIR->currentItem());
}

void TDlgIIR::SetFolderOpen(QTreeWidgetItem* item, bool open)
{
    TLinkNode* node = NodeOf(item);
    if (!node)
        return;
    node->expanded = open;
    item->setIcon(0, open ? openFolder_ : closedFolder_);
    TreeViewIIR->setCurrentItem(item);
}

void TDlgIIR::Warn(const QString& text)
{
    ShowMessageBox(text, MsgIcon::Warning, MsgOk);
}

void TDlgIIR::TreeViewIIRClick()
{
    const TLinkNode* node = SelectedNode();
    const bool entry = node && !node->IsRoot();
    ButtonEdit->setEnabled(entry);
    ButtonDelete->setEnabled(entry);
}

void TDlgIIR::TreeViewIIRDblClick()
{
    const TLinkNode* node = SelectedNode();
    if (!node || node->IsRoot() || node->folder)
        return;
    if (!WebAddress(node->url)) {
        Warn(NotWebAddressMessage(node->url));
        return;
    }
    if (!browser_.OpenURL(node->url))
        Warn(BrowseFailureMessage(node->url));
}

void TDlgIIR::ButtonAddClick()
{
    if (!tree_)
        return;
    TURLFold entry;
    {
        TDlgAddURL add(*tree_, this);
        if (add.exec() == QDialog::Accepted)
            entry = add.Result();
    }
    const TLinkNode* added = AddLink(*tree_, entry);
    if (!added)
        return;
    FillTree(added);
    TreeViewIIR->setFocus();
}

void TDlgIIR::ButtonEditClick()
{
    TLinkNode* node = SelectedNode();
    if (const auto refusal = EditRefusal(node)) {
        Warn(*refusal);
        TreeViewIIR->setFocus();
        return;
    }
    TDlgEditURL edit(this);
    edit.Init(node->folder ? TDlgEditURL::kFolder : TDlgEditURL::kWebSite, node->text, node->note,
              node->folder ? QString() : node->url);
    if (edit.exec() == QDialog::Accepted) {
        ApplyEdit(*node, edit.Description(), edit.URL(), edit.NoteLines());
        ItemOf(*node)->setText(0, node->text);
    }
    TreeViewIIR->setFocus();
}

void TDlgIIR::ButtonDeleteClick()
{
    TLinkNode* node = SelectedNode();
    if (const auto refusal = DeleteRefusal(node)) {
        if (!node) {
            ButtonEdit->setEnabled(false);
            ButtonDelete->setEnabled(false);
        }
        Warn(*refusal);
        return;
    }
    if (ShowMessageBox(DeleteQuestion(*node), MsgIcon::Question, MsgYes | MsgNo) != MsgResult::Yes)
        return;
    const TLinkNode* parent = node->Parent();
    tree_->Remove(*node);
    FillTree(parent);
}

void TDlgIIR::TreeViewIIRDragDrop(QTreeWidgetItem* target)
{
    if (!tree_)
        return;
    TLinkNode* dragged = SelectedNode();
    const TDropDecision decision = DecideDrop(*tree_, dragged, target ? NodeOf(target) : nullptr);
    if (!decision.newParent) {
        if (!decision.refusal.isEmpty())
            Warn(decision.refusal);
        return;
    }
    tree_->MoveTo(*dragged, *decision.newParent);
    FillTree(dragged);
}

void TDlgIIR::done(int result)
{
    if (tree_ && !saved_) {
        bool written = false;
        RunGuarded([&] {
            HourglassCursor wait;
            SaveLinkTree(tableName_, *tree_);
            written = true;
        });
        // The user was told; the tree stays for another try.
        if (!written)
            return;
        saved_ = true;
        StoreSize();
    }
    QDialog::done(result);
}

void TDlgIIR::ApplyStoredSize()
{
    const auto reg = OpenWindowKey(kWindowName);
    const std::optional<qint32> width = ReadRegInteger(*reg, kWidthValue);
    const std::optional<qint32> height = ReadRegInteger(*reg, kHeightValue);
    resize(std::max(width.value_or(this->width()), kMinWidth), std::max(height.value_or(this->height()), kMinHeight));
}

void TDlgIIR::StoreSize()
{
    const auto reg = OpenWindowKey(kWindowName);
    WriteRegInteger(*reg, kWidthValue, width());
    WriteRegInteger(*reg, kHeightValue, height());
}
