#include "filterform.h"

#include "expensedata.h"
#include "planreport.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAccountKey = Qt::UserRole;

QListWidget* AccountList(const std::vector<TKeyedItem>& accounts)
{
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const TKeyedItem& account : accounts) {
        auto* item = new QListWidgetItem(account.text, list);
        item->setData(kAccountKey, account.key);
    }
    return list;
}

// The selected items in list order.
std::vector<TKeyedItem> Selected(const QListWidget& list)
{
    std::vector<TKeyedItem> items;
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        if (item->isSelected())
            items.push_back({item->data(kAccountKey).toInt(), item->text()});
    }
    return items;
}

}  // namespace

void ShowFilterForm()
{
    MakeUnderHourglass<TFilterForm>()->exec();
}

TFilterForm::TFilterForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FilterForm"));
    setWindowTitle(QStringLiteral("Insurance/FSA report"));
    Label1 = new QLabel(QStringLiteral("Reporting"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    Label1->setFont(bold);
    Label2 = new QLabel(QStringLiteral(
        "Select the insurance or FSA accounts on which you want report. To select an account, click on the account "
        "name. To make multiple selection click on the account name while holding down the Ctrl key."));
    Label2->setWordWrap(true);
    CheckBox2 = new QCheckBox(QStringLiteral("Insurance Accounts"));
    LBInsurance = AccountList(ReadInsuranceAccounts());
    CheckBox3 = new QCheckBox(QStringLiteral("FSAs:"));
    LBFSA = AccountList(ReadFsaAccounts());
    BtnPreview = new QPushButton(QStringLiteral("&Print..."));
    BtnPreview->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"));
    connect(BtnPreview, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnPreviewClick(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnPreview);
    buttons->addWidget(Button2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(Label2);
    column->addWidget(CheckBox2);
    column->addWidget(LBInsurance, 1);
    column->addWidget(CheckBox3);
    column->addWidget(LBFSA, 1);
    column->addLayout(buttons);
    // It may grow; smaller, the wrapped hint would be cut off.
    setMinimumSize(380, 420);
    resize(380, 420);
}

void TFilterForm::BtnPreviewClick()
{
    TPlanChoice choice;
    choice.insurance = CheckBox2->isChecked();
    for (const TKeyedItem& account : Selected(*LBInsurance))
        choice.insuranceIds.push_back(account.key);
    choice.fsas = CheckBox3->isChecked();
    choice.fsaItems = Selected(*LBFSA);
    PrintPlanReport(choice);
}
