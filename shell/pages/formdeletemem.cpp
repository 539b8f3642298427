#include "formdeletemem.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "recorddeletion.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString InsuranceKind(qint32 accountType)
{
    switch (accountType) {
    case 1: return QStringLiteral(" Medical Insurance");
    case 2: return QStringLiteral(" Dental Insurance");
    case 3: return QStringLiteral(" Vision Insurance");
    case 4: return QStringLiteral(" Drug Insurance");
    case 6: return QStringLiteral(" Others");
    default: return {};
    }
}

// What the window deletes, as its failure names it.
QString KindName(TFormDeleteMem::Mode mode)
{
    switch (mode) {
    case TFormDeleteMem::DeleteMemberMode: return QStringLiteral("member");
    case TFormDeleteMem::DeleteInsuranceMode: return QStringLiteral("insurance");
    case TFormDeleteMem::DeleteFSAMode: return QStringLiteral("FSA");
    }
    return {};
}

}  // namespace

TFormDeleteMem::TFormDeleteMem(QWidget* parent, Mode mode) : QDialog(parent), mode_(mode)
{
    setObjectName(QStringLiteral("FormDeleteMem"));
    LabelPrompt = new QLabel(this);
    CBMember = new QComboBox(this);
    CBMember->setObjectName(QStringLiteral("CBMember"));
    CBMember->setMinimumWidth(280);
    BtnDelete = new QPushButton(QStringLiteral("&Delete"), this);
    BtnDelete->setObjectName(QStringLiteral("BtnDelete"));
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnDelete);
    buttons->addWidget(BtnCancel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 12);
    column->setSpacing(10);
    column->addWidget(LabelPrompt);
    column->addWidget(CBMember);
    column->addSpacing(6);
    column->addLayout(buttons);

    connect(BtnDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDeleteClick(); }); });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormDeleteMem::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        RunGuarded([this] { FormShow(); });
    }
}

void TFormDeleteMem::FormShow()
{
    if (mode_ == DeleteMemberMode) {
        setWindowTitle(QStringLiteral("Delete Member"));
        LabelPrompt->setText(QStringLiteral("Please select a member to delete."));
        FillList({QStringLiteral("SELECT * FROM MEDPROF")}, QStringLiteral("MemberID"), [](TQuery& q) {
            QString name = q.FieldByName(QStringLiteral("FirstName")).AsString();
            const QString middle = q.FieldByName(QStringLiteral("MiddleName")).AsString();
            if (!middle.isEmpty())
                name += QLatin1Char(' ') + middle;
            return name + QLatin1Char(' ') + q.FieldByName(QStringLiteral("LastName")).AsString();
        });
    } else if (mode_ == DeleteInsuranceMode) {
        setWindowTitle(QStringLiteral("Delete Insurance"));
        LabelPrompt->setText(QStringLiteral("Please select a insurance to delete."));
        FillList({QStringLiteral("SELECT * FROM MEDINS"), QStringLiteral("WHERE AccountType < 5"),
                  QStringLiteral("AND AccountType > 0"), QStringLiteral("OR AccountType = 6")},
                 QStringLiteral("AccountID"), [](TQuery& q) {
                     return q.FieldByName(QStringLiteral("AccountName")).AsString() +
                            InsuranceKind(q.FieldByName(QStringLiteral("AccountType")).AsInteger());
                 });
        if (CBMember->count() == 0)
            WarnWhenUp(QStringLiteral("There is nothing to Delete."));
    } else {
        setWindowTitle(QStringLiteral("Delete FSA"));
        LabelPrompt->setText(QStringLiteral("Please select a FSA to delete."));
        FillList({QStringLiteral("SELECT * FROM MEDINS"), QStringLiteral("WHERE AccountType = 5")},
                 QStringLiteral("AccountID"), [](TQuery& q) {
                     return QStringLiteral("FSA with ") + q.FieldByName(QStringLiteral("AccountName")).AsString();
                 });
        if (CBMember->count() == 0)
            WarnWhenUp(QStringLiteral("There is nothing to delete."));
    }
}

// A box's own event loop, run while this window is still being shown, would
// leave it unsized on X11: the warning waits until the window is up.
void TFormDeleteMem::WarnWhenUp(const QString& text)
{
    QTimer::singleShot(0, this, [text] { ShowMessageBox(text, MsgIcon::Warning); });
}

void TFormDeleteMem::FillList(const QStringList& sql, const QString& keyField,
                              const std::function<QString(TQuery&)>& itemText)
{
    TQuery q(DataFolder);
    q.SetSQL(sql);
    for (q.Open(); !q.Eof(); q.Next())
        CBMember->addItem(itemText(q), q.FieldByName(keyField).AsInteger());
    // The user chooses; nothing is chosen in advance.
    CBMember->setCurrentIndex(-1);
}

void TFormDeleteMem::BtnDeleteClick()
{
    if (CBMember->currentIndex() >= 0) {
        const qint32 key = CBMember->currentData().toInt();
        try {
            if (mode_ == DeleteMemberMode)
                DeleteMember(key);
            else
                DeleteAccount(key);
        } catch (const EDatabaseError&) {
            // Open for another try, or Cancel.
            ShowMessageBox(QStringLiteral("Cannot delete this %1: the database could not be changed. "
                                          "Nothing was deleted.")
                               .arg(KindName(mode_)),
                           MsgIcon::Error);
            return;
        }
    }
    accept();
}
