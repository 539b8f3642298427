#include "dlgdelvc.h"

#include "immundata.h"
#include "immunpoints.h"

#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

void ShowDeleteVaccineDialog(QWidget* parent, qint32 memberId)
{
    TDlgDelVc dialog(parent, memberId);
    dialog.exec();
}

TDlgDelVc::TDlgDelVc(QWidget* parent, qint32 memberId) : QDialog(parent), memberId_(memberId)
{
    setObjectName(QStringLiteral("DlgDelVc"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Delect Vaccine Item"));
    LBVaccine = new QListWidget;
    LBVaccine->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BtnDel = new QPushButton(QStringLiteral("&Delete"));
    BtnDel->setDefault(true);
    BtnClose = new QPushButton(QStringLiteral("&Close"));
    connect(BtnDel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, LBVaccine, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnDel);
    buttons->addWidget(BtnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Please select item(s) to delete :")));
    column->addWidget(LBVaccine);
    column->addLayout(buttons);
    resize(380, 360);
    FillList();
}

void TDlgDelVc::FillList()
{
    LBVaccine->clear();
    for (const TVaccine& vaccine : ReadMemberVaccines(memberId_)) {
        auto* item = new QListWidgetItem(vaccine.name, LBVaccine);
        item->setData(Qt::UserRole, vaccine.immuId);
    }
}

void TDlgDelVc::BtnDelClick()
{
    const QList<QListWidgetItem*> chosen = LBVaccine->selectedItems();
    if (chosen.isEmpty()) {
        ShowMessageBox(QStringLiteral("Please select the item(s) you want to delete from the list."), MsgIcon::Warning,
                       MsgOk);
        return;
    }
    bool all = false;
    for (int row = 0; row < LBVaccine->count(); ++row) {
        const QListWidgetItem* item = LBVaccine->item(row);
        if (!item->isSelected())
            continue;
        if (!all) {
            const MsgResult answer =
                ShowMessageBox(DeleteVaccineQuestion(item->text()), MsgIcon::Question, MsgYes | MsgNo | MsgAll);
            if (answer != MsgResult::Yes && answer != MsgResult::All)
                continue;
            all = answer == MsgResult::All;
        }
        DeleteVaccine(memberId_, item->data(Qt::UserRole).toInt());
    }
    FillList();
}
