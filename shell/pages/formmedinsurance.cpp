#include "formmedinsurance.h"

#include "clicklabel.h"
#include "context/context.h"
#include "formdeletemem.h"
#include "launcher.h"
#include "pagecommon.h"
#include "pageframe.h"
#include "pagepictures.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"

#include <QMenu>
#include <QVBoxLayout>

namespace {

constexpr int kShownNameLength = 20;

QString AccountLabel(qint32 accountType, const QString& shownName)
{
    return accountType == kFSAAccountType ? QStringLiteral("FSA with ") + shownName : shownName + QStringLiteral(" insurance");
}

}  // namespace

QString ShortAccountName(const QString& name)
{
    return name.size() > kShownNameLength ? name.left(kShownNameLength) + QStringLiteral("...") : name;
}

TFormMedInsurance::TFormMedInsurance(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMedInsurance"));
    setWindowTitle(QStringLiteral("Expense & Reimbursement"));
    auto* frame = new TPageFrame(this, QStringLiteral("Expenses & Reimbursements"));
    SBox = new TItemBox(frame->Body());
    auto* body = new QVBoxLayout(frame->Body());
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(SBox);
    FillPage(*this, *frame);

    File1 = new QMenu(QStringLiteral("&File"), this);
    NewInsurance1 = File1->addAction(QStringLiteral("New &Insurance..."), this,
                                     [this] { RunGuarded([this] { ImgNewAccountClick(false); }); });
    NewFSA1 = File1->addAction(QStringLiteral("New &FSA..."), this,
                               [this] { RunGuarded([this] { ImgNewAccountClick(true); }); });
    File1->addSeparator();
    DeleteInsurance1 = File1->addAction(QStringLiteral("Delete I&nsurance..."), this,
                                        [this] { RunGuarded([this] { DeleteAccountClick(false); }); });
    DeleteFSA1 = File1->addAction(QStringLiteral("Delete F&SA..."), this,
                                  [this] { RunGuarded([this] { DeleteAccountClick(true); }); });
    File1->addSeparator();
    EmailToDoList1 = File1->addAction(QStringLiteral("Email To-Do List..."), this,
                                      [] { RunGuarded([] { Launcher::Open(TDialogID::EMailToDoList); }); });
    File1->addSeparator();
    File1->addAction(QStringLiteral("&Exit"), this, [this] { CloseWindowLater(*this); });
    Report1 = new QMenu(QStringLiteral("&Report"), this);
    InsuranceFSAReport1 = Report1->addAction(QStringLiteral("Insurance/FSA report..."), this,
                                             [] { RunGuarded([] { Launcher::Open(TDialogID::InsFSAReport); }); });

    NewInsurance1->setEnabled(Launcher::Has(TDialogID::Insurance));
    NewFSA1->setEnabled(Launcher::Has(TDialogID::FSA));
    EmailToDoList1->setEnabled(Launcher::Has(TDialogID::EMailToDoList));
    InsuranceFSAReport1->setEnabled(Launcher::Has(TDialogID::InsFSAReport));

    connect(SBox, &TItemBox::ItemClicked, this, [this](int index) { RunGuarded([this, index] { ItemClick(index); }); });
    BuildItems();
}

QList<TMergedMenu> TFormMedInsurance::MergedMenus() const
{
    return {{kFileMenuGroup, File1}, {kInsuranceReportMenuGroup, Report1}};
}

void TFormMedInsurance::BuildItems()
{
    SBox->Clear();
    itemTypes_.clear();
    const TPageItem summary = SBox->AddItem(
        QStringLiteral("ImageMedPay"), QStringLiteral("LbMedPay"),
        PagePicture(TPagePicture::MedicalExpenses, kItemPictureSize), QStringLiteral("Click to track medical expenses"),
        QStringLiteral("Medical Expenses Summary/Report"), 0);
    itemTypes_.push_back(0);
    const bool expensesThere = Launcher::Has(TDialogID::ExpenseTable);
    summary.picture->setEnabled(expensesThere);
    summary.label->setEnabled(expensesThere);

    TQuery accounts(DataFolder);
    accounts.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountType > 0");
    for (accounts.Open(); !accounts.Eof(); accounts.Next()) {
        const qint32 type = accounts.FieldByName(QStringLiteral("AccountType")).AsInteger();
        const bool fsa = type == kFSAAccountType;
        const QString name = ShortAccountName(accounts.FieldByName(QStringLiteral("AccountName")).AsString());
        const QString n = QString::number(SBox->Count());
        const TPageItem item = SBox->AddItem(
            QStringLiteral("ImageMedPage") + n, QStringLiteral("LbMedPage") + n,
            PagePicture(fsa ? TPagePicture::FSA : TPagePicture::Insurance, kItemPictureSize),
            QStringLiteral("Click to view ") + name + (fsa ? QStringLiteral("'s FSA plan") : QStringLiteral("'s insurance plan")),
            AccountLabel(type, name), accounts.FieldByName(QStringLiteral("AccountID")).AsInteger());
        itemTypes_.push_back(type);
        const bool dialogThere = Launcher::Has(AccountDialog(fsa));
        item.picture->setEnabled(dialogThere);
        item.label->setEnabled(dialogThere);
    }
}

void TFormMedInsurance::ItemClick(int index)
{
    if (index == 0)
        Launcher::Open(TDialogID::ExpenseTable);
    else
        ImgEditAccountClick(index);
}

// The picture and the label of an item carry the same tag, so whichever was
// clicked, the item's label is the one renamed.
void TFormMedInsurance::ImgEditAccountClick(int index)
{
    const qint32 type = itemTypes_.at(static_cast<size_t>(index));
    const TPageItem& item = SBox->Item(index);
    CurAccountID = ItemTag(*item.picture);
    const TDialogOutcome outcome = Launcher::Open(AccountDialog(type == kFSAAccountType));
    if (!outcome.cancelled)
        SBox->SetLabelText(index, AccountLabel(type, ShortAccountName(outcome.savedAccountName)));
}

void TFormMedInsurance::ImgNewAccountClick(bool fsa)
{
    const std::optional<TDialogOutcome> outcome = OpenNewAccount(fsa);
    if (outcome && (!outcome->cancelled || outcome->applied))
        BuildItems();
}

void TFormMedInsurance::DeleteAccountClick(bool fsa)
{
    TFormDeleteMem deletion(this, fsa ? TFormDeleteMem::DeleteFSAMode : TFormDeleteMem::DeleteInsuranceMode);
    deletion.exec();
    BuildItems();
}
