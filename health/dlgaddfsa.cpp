#include "dlgaddfsa.h"

#include "controls/memolines.h"
#include "insurancedata.h"
#include "headerpanel.h"
#include "keyedglyph.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "controls/moneyedit.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A piggy bank with a coin.
QPixmap HeaderSource()
{
    QPixmap picture(40, 40);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(QColor(0xF0, 0x90, 0xB0));
    painter.drawEllipse(4, 14, 30, 20);
    painter.drawRect(10, 32, 4, 5);
    painter.drawRect(24, 32, 4, 5);
    painter.setBrush(QColor(0xE0, 0xB0, 0x20));
    painter.drawEllipse(15, 2, 11, 11);
    painter.drawLine(15, 16, 25, 16);
    return picture;
}

// Enter in the year field of a stored FSA shows that year; it does not close
// the dialog.
class TEnterFilter : public QObject {
public:
    TEnterFilter(QObject* parent, std::function<void()> onEnter) : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        RunGuarded(onEnter_);
        return true;
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

TAccountOutcome ShowFsaDialog(bool isNewFSA)
{
    return ShowAccountDialog<TDlgAddFSA>(isNewFSA);
}

TDlgAddFSA::TDlgAddFSA(bool isNewFSA, QWidget* parent) : TAccountDialog(isNewFSA, FSASaved, LastFSAName, parent)
{
    setObjectName(QStringLiteral("DlgAddFSA"));
    EfController1 = new TEfController(this);
    EditEmpName = new QLineEdit;
    EditEmpName->setMaxLength(100);
    PFYear = new TEfPictureField(this, pftLongInt, QStringLiteral("iiiiii"), EfController1);
    PFYear->Core().SetMaxLength(6);
    PFYear->setFixedWidth(60);
    EfSpinner1 = new TEfSpinner(this);
    EfSpinner1->FocusedControl = PFYear;
    EfSpinner1->WrapMode = false;
    MEditElected = new TMoneyEdit;
    Label4 = new QLabel;
    Label6 = new QLabel;
    Memo1 = new QPlainTextEdit;
    Memo1->setTabChangesFocus(true);
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    OKBtn->setToolTip(QStringLiteral("Save data and close"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    CancelBtn->setToolTip(QStringLiteral("Don't save data"));
    BtnApply = new QPushButton(QStringLiteral("Apply"));
    BtnApply->setToolTip(QStringLiteral("Save data"));
    EfController1->BtnCancel = CancelBtn;

    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { CancelBtnClick(); }); });
    connect(BtnApply, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    connect(MEditElected, &QLineEdit::editingFinished, this, [this] { RunGuarded([this] { MEditElectedExit(); }); });
    EfSpinner1->OnClick = [this](TEfSpinner*, TSpinState, double) { spinnerUsed_ = true; };
    PFYear->Core().OnChange = [this] { RunGuarded([this] { PFYearChange(); }); };
    if (!isNewAccount_)
        PFYear->installEventFilter(new TEnterFilter(this, [this] { LoadFSAAccount(); }));
    EfController1->OnPostEdit = [this](QObject* sender, QWidget* gaining) {
        if (sender == PFYear && !EfController1->IsExemptButton(gaining))
            QMetaObject::invokeMethod(this, [this] { RunGuarded([this] { PFYearExit(); }); }, Qt::QueuedConnection);
    };
    BuildLayout();

    memberCount_ = CountMembers();
    PFYear->SetIntegerValue(DecodeDate(Date()).year);
    ShowAmounts();
    BtnApply->setEnabled(isNewAccount_);
    if (isNewAccount_) {
        setWindowTitle(QStringLiteral("Add Flexible Spending Account"));
    } else {
        setWindowTitle(QStringLiteral("Edit Flexible Spending Account"));
        LoadFSAAccount();
        Label7->setText(QStringLiteral("FSA with ") + EditEmpName->text());
    }
}

QWidget* TDlgAddFSA::BuildHeader()
{
    const THeaderPanel header = NewHeaderPanel(QStringLiteral("Flexible Spending Account"), HeaderSource());
    Panel1 = header.panel;
    Label7 = header.caption;
    Image1 = header.picture;
    return Panel1;
}

void TDlgAddFSA::BuildLayout()
{
    auto* year = new QHBoxLayout;
    year->setSpacing(0);
    year->addWidget(PFYear);
    year->addWidget(EfSpinner1);
    year->addStretch();
    const auto dollarRow = [](QLabel* amount) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(new QLabel(QStringLiteral("$")));
        row->addWidget(amount);
        row->addStretch();
        return row;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Employer Name:")), 0, 0);
    grid->addWidget(EditEmpName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Tax Year:")), 1, 0);
    grid->addLayout(year, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Elected Amount:")), 2, 0);
    MEditElected->setFixedWidth(120);
    grid->addWidget(MEditElected, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Amount Reimbursed:")), 3, 0);
    grid->addLayout(dollarRow(Label4), 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Remaining Balance:")), 4, 0);
    grid->addLayout(dollarRow(Label6), 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Notes:")), 5, 0, Qt::AlignTop);
    grid->addWidget(Memo1, 5, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(BtnApply);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(BuildHeader());
    column->addLayout(grid, 1);
    column->addLayout(buttons);
    resize(420, 360);
    // Down the form, whatever order the controls were made in.
    QWidget* const order[] = {EditEmpName, PFYear, MEditElected, Memo1, OKBtn, CancelBtn, BtnApply};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    EditEmpName->setFocus();
}

void TDlgAddFSA::ShowAmounts()
{
    Label4->setText(FsaAmountText(reimbursed_.Cents()));
    Label6->setText(FsaAmountText(FsaBalance(AmountToCents(MEditElected->Value()).value_or(0), reimbursed_)));
}

void TDlgAddFSA::LoadFSAAccount()
{
    const int year = PFYear->IntegerValue();
    loadedYear_ = year;
    EditEmpName->setText(ReadAccountName(CurAccountID).value_or(QString()));
    const std::optional<TFsaYear> election = ReadFsaYear(CurAccountID, year);
    if (!election) {
        reimbursed_ = TCentsSum();
        MEditElected->SetValue(0);
        Memo1->clear();
        ShowAmounts();
        return;
    }
    MEditElected->SetValue(static_cast<double>(election->electedCents) / 100.0);
    reimbursed_ = FsaReimbursed(CurAccountID, year);
    Memo1->setPlainText(election->note.join(QLatin1Char('\n')));
    ShowAmounts();
}

void TDlgAddFSA::PFYearChange()
{
    if (spinnerUsed_ && !isNewAccount_)
        LoadFSAAccount();
}

// Only a year changed is shown afresh: passing through the field keeps what
// was typed in the others.
void TDlgAddFSA::PFYearExit()
{
    if (!isNewAccount_ && PFYear->IntegerValue() != loadedYear_)
        LoadFSAAccount();
}

void TDlgAddFSA::MEditElectedExit()
{
    ShowAmounts();
}

TFsaElection TDlgAddFSA::Entry()
{
    TFsaElection entry;
    entry.employerName = EditEmpName->text();
    entry.year = PFYear->IntegerValue();
    if (!MEditElected->text().isEmpty())
        entry.electedCents = AmountToCents(MEditElected->Value());
    entry.note = MemoLines(*Memo1);
    return entry;
}

std::optional<QString> TDlgAddFSA::SaveAccount(bool insert)
{
    const TFsaElection entry = Entry();
    if (const std::optional<TFsaRefusal> refusal = CheckFsaEntry(entry)) {
        ShowMessageBox(FsaRefusalText(*refusal), MsgIcon::Warning);
        QWidget* const atFault[] = {EditEmpName, PFYear, MEditElected};
        atFault[static_cast<int>(*refusal)]->setFocus();
        return std::nullopt;
    }
    if (insert) {
        CurAccountID = InsertFsaAccount(entry);
    } else {
        LastFSAName = entry.employerName;
        UpdateFsaAccount(CurAccountID, entry);
    }
    return entry.employerName;
}

void TDlgAddFSA::ClearForm()
{
    EditEmpName->clear();
    MEditElected->clear();
    reimbursed_ = TCentsSum();
    ShowAmounts();
    Memo1->clear();
}

QString TDlgAddFSA::TypedName() const
{
    return EditEmpName->text();
}
