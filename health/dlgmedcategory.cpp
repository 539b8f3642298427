#include "dlgmedcategory.h"

#include "medpayments.h"
#include "platform/ui/cursor.h"
#include "records/common/lookuplists.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QComboBox* DropDownList()
{
    auto* combo = new QComboBox;
    combo->setEditable(false);
    combo->setMinimumWidth(200);
    return combo;
}

// The item of the key; the first ("all") when the key is not listed.
void SelectKey(QComboBox& combo, qint32 key)
{
    combo.setCurrentIndex(std::max(0, key > 0 ? IndexOfComboId(combo, key) : 0));
}

qint32 KeyOf(const QComboBox& combo)
{
    return combo.currentIndex() > 0 ? combo.currentData().toInt() : 0;
}

QGroupBox* Group(const QString& caption, const QString& label, QComboBox* combo)
{
    auto* group = new QGroupBox(caption);
    auto* row = new QHBoxLayout(group);
    auto* text = new QLabel(label);
    text->setMinimumWidth(130);
    row->addWidget(text);
    row->addWidget(combo, 1);
    return group;
}

}  // namespace

void AddNamedKeys(QComboBox& combo, const std::vector<TNamedKey>& keys)
{
    for (const TNamedKey& key : keys)
        combo.addItem(key.name, key.key);
}

TDlgMedCategory::TDlgMedCategory(QWidget* parent, const TPayFilter& current) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgMedCategory"));
    setWindowTitle(QStringLiteral("Select Category"));
    CBMember = DropDownList();
    CBInsurance = DropDownList();
    CBType = DropDownList();
    BtnOK = new QPushButton(QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"));
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    CBMember->addItem(QStringLiteral("All members"), 0);
    AddNamedKeys(*CBMember, ReadPatients());
    CBInsurance->addItem(QStringLiteral("All"), 0);
    AddNamedKeys(*CBInsurance, ReadInsurers());
    CBType->addItem(QStringLiteral("All plans"));
    CBType->addItems(CoverageNames().mid(1));
    SelectKey(*CBMember, current.patient);
    SelectKey(*CBInsurance, current.company);
    CBType->setCurrentIndex(current.coverage > 0 && current.coverage < CBType->count() ? current.coverage : 0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Group(QStringLiteral("View records for "), QStringLiteral("Family member :"), CBMember));
    column->addWidget(Group(QStringLiteral("Then for "), QStringLiteral("Insurance company :"), CBInsurance));
    column->addWidget(Group(QStringLiteral("Then for "), QStringLiteral("Coverage type :"), CBType));
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

TPayFilterChoice TDlgMedCategory::Choice() const
{
    TPayFilterChoice choice;
    choice.filter.patient = KeyOf(*CBMember);
    choice.filter.company = KeyOf(*CBInsurance);
    choice.filter.coverage = std::max(0, CBType->currentIndex());
    const bool allFirst = CBMember->currentIndex() <= 0 && CBInsurance->currentIndex() <= 0 && CBType->currentIndex() <= 0;
    choice.text = FilterText(allFirst, CBMember->currentText(), choice.filter.coverage,
                             choice.filter.company > 0 ? CBInsurance->currentText() : QString());
    return choice;
}

std::optional<TPayFilterChoice> ChooseStatementFilter(QWidget* parent, const TPayFilter& current)
{
    const auto dialog = MakeUnderHourglass<TDlgMedCategory>(parent, current);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->Choice();
}
