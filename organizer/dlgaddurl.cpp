#include "dlgaddurl.h"

#include "linkpictures.h"
#include "textlines.h"

#include "controls/memolines.h"
#include "platform/ui/dialogbuttons.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

namespace {

constexpr int kMaxText = 200;
constexpr int kAbsoluteIndexRole = Qt::UserRole;

}  // namespace

TDlgAddURL::TDlgAddURL(const TLinkTree& tree, QWidget* parent)
    : QDialog(parent), closedFolder_(LinkIcon(TLinkPicture::ClosedFolder)), openFolder_(LinkIcon(TLinkPicture::OpenFolder))
{
    setObjectName(QStringLiteral("DlgAddURL"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Adding Web Site Address/Folder"));

    RadioGroupType = new QGroupBox(QStringLiteral("Type"));
    RadioWebSite = new QRadioButton(QStringLiteral("&Web Site"));
    RadioFolder = new QRadioButton(QStringLiteral("&Folder"));
    RadioWebSite->setChecked(true);
    auto* types = new QHBoxLayout(RadioGroupType);
    types->addWidget(RadioWebSite);
    types->addWidget(RadioFolder);
    types->addStretch();
    connect(RadioWebSite, &QRadioButton::toggled, this, [this] { RunGuarded([this] { RadioGroupTypeClick(); }); });

    EditDesc = new QLineEdit;
    EditDesc->setMaxLength(kMaxText);
    auto* labelDesc = new QLabel(QStringLiteral("&Description:"));
    labelDesc->setBuddy(EditDesc);
    EditURL = new QLineEdit(kDefaultLinkURL);
    EditURL->setMaxLength(kMaxText);
    LabelURL = new QLabel(QStringLiteral("&URL:"));
    LabelURL->setBuddy(EditURL);

    TreeViewFolderTree = new QTreeWidget;
    TreeViewFolderTree->setHeaderHidden(true);
    TreeViewFolderTree->setColumnCount(1);
    ShowWholeNames(*TreeViewFolderTree);
    auto* labelFolder = new QLabel(QStringLiteral("Create it in the following  folder:"));
    labelFolder->setBuddy(TreeViewFolderTree);
    connect(TreeViewFolderTree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { item->setIcon(0, openFolder_); });
    connect(TreeViewFolderTree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { item->setIcon(0, closedFolder_); });

    MemoNote = new QPlainTextEdit;
    MemoNote->setTabChangesFocus(true);
    auto* labelNote = new QLabel(QStringLiteral("&Note:"));
    labelNote->setBuddy(MemoNote);

    ButtonOK = new QPushButton(QStringLiteral("OK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"));
    connect(ButtonOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonOKClick(); }); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(labelDesc, 0, 0);
    fields->addWidget(EditDesc, 0, 1);
    fields->addWidget(LabelURL, 1, 0);
    fields->addWidget(EditURL, 1, 1);
    auto* lower = new QGridLayout;
    lower->addWidget(labelFolder, 0, 0);
    lower->addWidget(TreeViewFolderTree, 1, 0);
    lower->addWidget(labelNote, 0, 1);
    lower->addWidget(MemoNote, 1, 1);
    lower->setColumnStretch(0, 1);
    lower->setColumnStretch(1, 1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(RadioGroupType);
    column->addLayout(fields);
    column->addLayout(lower, 1);
    // Made last, so that the caret starts on the type and reaches the buttons last.
    column->addWidget(OkCancelBox(*this, ButtonOK, ButtonCancel));
    resize(520, 380);

    FillFolderTree(tree);
}

void TDlgAddURL::FillFolderTree(const TLinkTree& tree)
{
    const std::vector<TLinkNode*> nodes = tree.PreOrder();
    std::map<const TLinkNode*, QTreeWidgetItem*> items;
    std::vector<QTreeWidgetItem*> toExpand;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const TLinkNode* node = nodes[i];
        if (!node->folder)
            continue;
        auto* item = node->IsRoot() ? new QTreeWidgetItem(TreeViewFolderTree)
                                    : new QTreeWidgetItem(items.at(node->Parent()));
        item->setText(0, node->text);
        item->setIcon(0, closedFolder_);
        item->setData(0, kAbsoluteIndexRole, static_cast<int>(i));
        items[node] = item;
        if (node->expanded)
            toExpand.push_back(item);
    }
    for (QTreeWidgetItem* item : toExpand)
        item->setExpanded(true);
}

void TDlgAddURL::RadioGroupTypeClick()
{
    const bool webSite = RadioWebSite->isChecked();
    LabelURL->setEnabled(webSite);
    EditURL->setEnabled(webSite);
}

void TDlgAddURL::ButtonOKClick()
{
    const bool webSite = RadioWebSite->isChecked();
    const QList<QTreeWidgetItem*> chosen = TreeViewFolderTree->selectedItems();
    if (const auto refusal = CheckNewLink(webSite, EditDesc->text(), EditURL->text(), !chosen.isEmpty())) {
        ShowMessageBox(refusal->message, MsgIcon::Warning, MsgOk);
        (refusal->focus == TLinkField::URL ? EditURL : EditDesc)->setFocus();
        return;
    }
    result_.description = EditDesc->text();
    result_.linkFlag = webSite ? 1 : 0;
    result_.url = webSite ? EditURL->text().trimmed() : QString();
    result_.targetFolder = chosen.first()->data(0, kAbsoluteIndexRole).toInt();
    CopyTextLines(result_.note, MemoLines(*MemoNote));
    accept();
}
