#include "dlgselectfields.h"

#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void AddItems(QListWidget& list, const std::vector<TFieldChoiceItem>& items)
{
    for (const TFieldChoiceItem& choice : items) {
        auto* item = new QListWidgetItem(choice.caption, &list);
        item->setData(Qt::UserRole, choice.selectId);
    }
}

void ShowOneItemToMove()
{
    ShowMessageBox(QStringLiteral("Please select one item to move."), MsgIcon::Warning, MsgOk);
}

}  // namespace

TDlgSelectFields::TDlgSelectFields(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgSelectFields"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Select Fields to Display"));
    UnSelectedLB = new QListWidget;
    SelectedLB = new QListWidget;
    for (QListWidget* list : {UnSelectedLB, SelectedLB})
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    BtnFW = new QPushButton(QStringLiteral(">>"));
    BtnBW = new QPushButton(QStringLiteral("<<"));
    Button3 = new QPushButton(QStringLiteral("Move Up"));
    Button4 = new QPushButton(QStringLiteral("Move Down"));
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    connect(BtnFW, &QPushButton::clicked, this, [this] { BtnFWClick(); });
    connect(BtnBW, &QPushButton::clicked, this, [this] { BtnBWClick(); });
    connect(Button3, &QPushButton::clicked, this, [this] { MoveUpClick(); });
    connect(Button4, &QPushButton::clicked, this, [this] { MoveDownClick(); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(BtnFW);
    middle->addWidget(BtnBW);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addStretch();
    right->addWidget(Button3);
    right->addWidget(Button4);
    right->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Unselected fields:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Display fields in this order:")), 0, 2);
    grid->addWidget(UnSelectedLB, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(SelectedLB, 1, 2);
    grid->addLayout(right, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);
    resize(480, 340);

    const TFieldChoice choice = ReadFieldChoice();
    AddItems(*UnSelectedLB, choice.unselected);
    AddItems(*SelectedLB, choice.selected);
}

void TDlgSelectFields::BtnFWClick()
{
    for (int row = 0; row < UnSelectedLB->count();) {
        if (UnSelectedLB->item(row)->isSelected()) {
            QListWidgetItem* item = UnSelectedLB->takeItem(row);
            item->setSelected(false);
            SelectedLB->addItem(item);
        } else {
            ++row;
        }
    }
}

void TDlgSelectFields::BtnBWClick()
{
    if (SelectedLB->count() > 0)
        SelectedLB->item(0)->setSelected(false);
    for (int row = 1; row < SelectedLB->count();) {
        if (SelectedLB->item(row)->isSelected()) {
            QListWidgetItem* item = SelectedLB->takeItem(row);
            item->setSelected(false);
            UnSelectedLB->addItem(item);
        } else {
            ++row;
        }
    }
}

int TDlgSelectFields::SingleSelectedRow() const
{
    const QList<QListWidgetItem*> selected = SelectedLB->selectedItems();
    return selected.size() == 1 ? SelectedLB->row(selected.front()) : -1;
}

void TDlgSelectFields::Exchange(int row, int other)
{
    const int low = std::min(row, other);
    QListWidgetItem* item = SelectedLB->takeItem(low + 1);
    SelectedLB->insertItem(low, item);
    SelectedLB->item(other)->setSelected(true);
}

void TDlgSelectFields::MoveUpClick()
{
    const int row = SingleSelectedRow();
    if (row < 0)
        ShowOneItemToMove();
    else if (row >= 2)
        Exchange(row, row - 1);
}

void TDlgSelectFields::MoveDownClick()
{
    const int row = SingleSelectedRow();
    if (row < 0)
        ShowOneItemToMove();
    else if (row >= 1 && row <= SelectedLB->count() - 2)
        Exchange(row, row + 1);
}

void TDlgSelectFields::OKBtnClick()
{
    std::vector<TFieldChoiceItem> chosen;
    for (int row = 0; row < SelectedLB->count(); ++row)
        chosen.push_back({SelectedLB->item(row)->data(Qt::UserRole).toInt(), SelectedLB->item(row)->text()});
    SaveFieldChoice(chosen);
    accept();
}
