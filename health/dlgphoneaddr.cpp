#include "dlgphoneaddr.h"

#include "controls/typinglimit.h"
#include "platform/ui/cursor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* Edit(const QString& text, int maxLength)
{
    auto* edit = new QLineEdit(text);
    LimitTyping(*edit, maxLength);
    return edit;
}

}  // namespace

TDlgPhoneAddr::TDlgPhoneAddr(QWidget* parent, const QString& name, const TBizContact& contact) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgPhoneAddr"));
    setWindowTitle(QStringLiteral("Phone No. & Address for ") + name);
    EditAddr = Edit(contact.addr, 40);
    EditCity = Edit(contact.city, 30);
    EditState = Edit(contact.state, 20);
    EditZip = Edit(contact.zip, 10);
    EditPhone = Edit(contact.phone1, 20);
    EditFax = Edit(contact.fax, 20);
    ButtonOK = new QPushButton(QStringLiteral("OK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("P.O. Box, Street Address"), EditAddr);
    form->addRow(QStringLiteral("City"), EditCity);
    form->addRow(QStringLiteral("State"), EditState);
    form->addRow(QStringLiteral("Zip Code"), EditZip);
    form->addRow(QStringLiteral("Phone No."), EditPhone);
    form->addRow(QStringLiteral("Fax No."), EditFax);
    EditAddr->setMinimumWidth(260);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

TBizContact TDlgPhoneAddr::Contact() const
{
    return {EditPhone->text(), EditFax->text(), EditAddr->text(), EditCity->text(), EditState->text(), EditZip->text()};
}

bool EditPaymentAddress(QWidget* parent, const QString& name, TBizContact& contact)
{
    const auto dialog = MakeUnderHourglass<TDlgPhoneAddr>(parent, name, contact);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    contact = dialog->Contact();
    return true;
}
