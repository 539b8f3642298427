#include "dlgmedexpitem.h"

#include "calculator.h"
#include "controls/memolines.h"
#include "datefield.h"

#include "context/databasefault.h"
#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "controls/moneyedit.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kPageInformation = 0;
constexpr int kPageAmounts = 1;
constexpr int kDescriptionLimit = 100;
constexpr int kDoctorLimit = 100;

QLabel* Heading(const QString& text)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    label->setFont(bold);
    return label;
}

QLabel* Wrapped(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QComboBox* KeyedList()
{
    auto* combo = new QComboBox;
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

void FillKeyed(QComboBox& combo, const std::vector<TKeyedItem>& items)
{
    combo.clear();
    for (const TKeyedItem& item : items)
        combo.addItem(item.text, item.key);
    combo.setCurrentIndex(-1);
}

qint32 ChosenKey(const QComboBox& combo)
{
    return combo.currentIndex() < 0 ? 0 : combo.currentData().toInt();
}

void ShowAmount(TMoneyEdit& box, TAmountBox cents)
{
    if (cents)
        box.SetValue(static_cast<double>(*cents) / 100.0);
    else
        box.clear();
}

// Nothing for an empty box.
TAmountBox AmountIn(const TMoneyEdit& box)
{
    if (box.text().trimmed().isEmpty())
        return std::nullopt;
    return AmountToCents(box.Value());
}

qint64 CentsIn(const TMoneyEdit& box)
{
    return AmountIn(box).value_or(0);
}

}  // namespace

TExpenseItemOutcome ShowExpenseItemDialog(QWidget* parent, const TExpenseItemRequest& request)
{
    const auto dialog = MakeUnderHourglass<TDlgMedExpItem>(parent, request);
    dialog->exec();
    return {dialog->ExpID(), dialog->Cancelled()};
}

TDlgMedExpItem::TDlgMedExpItem(QWidget* parent, const TExpenseItemRequest& request)
    : QDialog(parent), form_(request)
{
    setObjectName(QStringLiteral("DlgMedExpItem"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    EfController1 = new TEfController(this);

    PageControl1 = new QStackedWidget;
    TabSheet1 = BuildInformationPage();
    TabSheet2 = BuildAmountsPage();
    PageControl1->addWidget(TabSheet1);
    PageControl1->addWidget(TabSheet2);

    BtnBack = new QPushButton(QStringLiteral("<< &Back"));
    BtnNext = new QPushButton;
    BtnNext->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"));
    EfController1->BtnCancel = CancelBtn;

    connect(BtnNext, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnNextClick(); }); });
    connect(BtnBack, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnBackClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { CancelBtnClick(); }); });
    connect(CBMember, &QComboBox::activated, this, [this] { RunGuarded([this] { CBMemberChange(); }); });
    connect(CBInsurance, &QComboBox::activated, this, [this] { RunGuarded([this] { CBInsuranceChange(); }); });
    connect(CBFSA, &QComboBox::activated, this, [this] { RunGuarded([this] { CBFSAChange(); }); });
    connect(PSBDoc, &QToolButton::clicked, this, [this] { RunGuarded([this] { PSBDocClick(); }); });
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { SBDateClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { RunGuarded([this] { SpeedButton1Click(); }); });
    OnExit(MEditPaid, &TDlgMedExpItem::MEditPaidExit);
    OnExit(MEditAcctDeduct, &TDlgMedExpItem::MEditAcctDeductExit);
    OnExit(MEditReimburst, &TDlgMedExpItem::MEditReimburstExit);
    ClearRefusedDates(*EfController1, *PFDate);

    BuildLayout();
    FillCombos();
    ShowExpense();
}

QWidget* TDlgMedExpItem::BuildInformationPage()
{
    auto* page = new QWidget;
    EditDesc = new QLineEdit;
    EditDesc->setMaxLength(kDescriptionLimit);
    PFDate = NewDateField(this, EfController1);
    SBDate = NewCalendarButton();
    SBDate->setFocusPolicy(Qt::NoFocus);
    CBMember = KeyedList();
    CBMember->setToolTip(QStringLiteral("Select the patient's name."));
    CBDoctor = doctorBoxes_.NewBox(kDoctorLimit);
    CBDoctor->setToolTip(QStringLiteral("Who or what organization is this expense paid to. It can be your doctor, a "
                                        "pharmacy, a test lab, or a hospital."));
    PSBDoc = TDoctorBoxes::NewAddressButton();
    PSBDoc->setFocusPolicy(Qt::NoFocus);
    MemoNote = new QPlainTextEdit;
    MemoNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoNote->setTabChangesFocus(true);

    auto* date = DateRow(PFDate, SBDate);
    date->addStretch();

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Description:")), 0, 0);
    form->addWidget(EditDesc, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("When:")), 1, 0);
    form->addLayout(date, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Who:")), 2, 0);
    form->addWidget(CBMember, 2, 1, Qt::AlignLeft);
    form->addWidget(new QLabel(QStringLiteral("Where:")), 3, 0);
    form->addLayout(TDoctorBoxes::Row(CBDoctor, PSBDoc), 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Note:")), 4, 0, Qt::AlignTop);
    form->addWidget(MemoNote, 4, 1);
    form->setRowStretch(4, 1);

    auto* column = new QVBoxLayout(page);
    column->addWidget(Heading(QStringLiteral("Expense Information")));
    column->addSpacing(8);
    column->addLayout(form, 1);
    return page;
}

QWidget* TDlgMedExpItem::BuildAmountsPage()
{
    auto* page = new QWidget;
    MEditCopay = new TMoneyEdit;
    MEditDeduct = new TMoneyEdit;
    CBFSA = KeyedList();
    MEditReimburst = new TMoneyEdit;
    CBInsurance = KeyedList();
    MEditPaid = new TMoneyEdit;
    MEditAcctDeduct = new TMoneyEdit;
    SpeedButton1 = new QToolButton;
    SpeedButton1->setText(QStringLiteral("+-\u00D7\u00F7"));
    SpeedButton1->setToolTip(QStringLiteral("Calculator"));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    for (TMoneyEdit* box : {MEditCopay, MEditDeduct, MEditReimburst, MEditPaid, MEditAcctDeduct})
        box->setFixedWidth(110);

    auto* yours = new QGroupBox(QStringLiteral("Your payment"));
    auto* yoursGrid = new QGridLayout(yours);
    yoursGrid->addWidget(new QLabel(QStringLiteral("If you paid at doctor's office, enter the amount below:")), 0, 0);
    yoursGrid->addWidget(MEditCopay, 1, 0);
    yoursGrid->addWidget(
        new QLabel(QStringLiteral("If you also received doctor's bill by mail, enter the bill amount below:")), 2, 0);
    yoursGrid->addWidget(MEditDeduct, 3, 0);
    yoursGrid->setColumnStretch(1, 1);

    auto* fsa = new QGroupBox(QStringLiteral("Flexible Spending Account"));
    auto* fsaGrid = new QGridLayout(fsa);
    fsaGrid->addWidget(Wrapped(QStringLiteral("Please select the Flexible Spending Account and enter its reimbursed "
                                              "amount. For multiple accounts, enter each account and its amounts in "
                                              "sequence.")),
                       0, 0, 1, 4);
    fsaGrid->addWidget(new QLabel(QStringLiteral("Account:")), 1, 0);
    fsaGrid->addWidget(CBFSA, 1, 1);
    fsaGrid->addWidget(new QLabel(QStringLiteral("Reimbursed Amount:")), 1, 2);
    fsaGrid->addWidget(MEditReimburst, 1, 3);
    fsaGrid->setColumnStretch(1, 1);

    auto* insurance = new QGroupBox(QStringLiteral("Paid by Insurance"));
    auto* insuranceGrid = new QGridLayout(insurance);
    insuranceGrid->addWidget(Wrapped(QStringLiteral("Please select the insurance account and enter its payment and the "
                                                    "deductible amount. For multiple accounts, enter each account and "
                                                    "its payment in sequence.")),
                             0, 0, 1, 4);
    insuranceGrid->addWidget(new QLabel(QStringLiteral("Account:")), 1, 0);
    insuranceGrid->addWidget(CBInsurance, 1, 1, 1, 3);
    insuranceGrid->addWidget(new QLabel(QStringLiteral("Payment:")), 2, 0);
    insuranceGrid->addWidget(MEditPaid, 2, 1);
    insuranceGrid->addWidget(new QLabel(QStringLiteral("Deductible amount:")), 2, 2);
    insuranceGrid->addWidget(MEditAcctDeduct, 2, 3);
    insuranceGrid->setColumnStretch(1, 1);

    auto* calculator = new QHBoxLayout;
    calculator->addStretch();
    calculator->addWidget(new QLabel(QStringLiteral("Click here to invoke Claculator:")));
    calculator->addWidget(SpeedButton1);

    auto* column = new QVBoxLayout(page);
    column->addWidget(Heading(QStringLiteral("Expense Page")));
    column->addWidget(Wrapped(QStringLiteral("Not all fields need to be entered at the same time. Enter relavent "
                                             "fields after you receive the bill or statement.")));
    column->addWidget(yours);
    column->addWidget(fsa);
    column->addWidget(insurance);
    column->addLayout(calculator);
    column->addStretch();
    return page;
}

void TDlgMedExpItem::BuildLayout()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnBack);
    buttons->addWidget(BtnNext);
    buttons->addWidget(CancelBtn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(PageControl1, 1);
    column->addLayout(buttons);
    resize(std::max(460, sizeHint().width()), std::max(421, sizeHint().height()));
    // The wrapped texts of the amounts page need this much; the window keeps no smaller.
    setMinimumSize(size());
    // Down each page, then the buttons, whatever order the controls were made in.
    QWidget* const order[] = {EditDesc,       PFDate,      CBMember,  CBDoctor, MemoNote,        MEditCopay,
                              MEditDeduct,    CBFSA,       MEditReimburst, CBInsurance, MEditPaid, MEditAcctDeduct,
                              BtnBack,        BtnNext,     CancelBtn};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TDlgMedExpItem::FillCombos()
{
    FillKeyed(*CBMember, ReadExpenseMembers());
    const std::vector<TKeyedItem> insurance = ReadInsuranceAccounts();
    const std::vector<TKeyedItem> fsa = ReadFsaAccounts();
    FillKeyed(*CBInsurance, insurance);
    FillKeyed(*CBFSA, fsa);
    accountCount_ = static_cast<int>(insurance.size() + fsa.size());
    FillBizAddrCombo(*CBDoctor, kDoctorsCategory);
    // The box takes its first business as chosen when filled; left so, a new
    // expense would be paid to whoever comes first by name.
    SelectComboById(*CBDoctor, form_.Draft().docAddrId);
}

void TDlgMedExpItem::ShowExpense()
{
    const TExpenseDraft& draft = form_.Draft();
    setWindowTitle(form_.IsNew() ? QStringLiteral("Add Medical Expense") : QStringLiteral("Edit Medical Expense"));
    if (!form_.IsNew()) {
        EditDesc->setText(draft.description);
        if (draft.serviceDate != 0.0)
            PFDate->SetDateTimeValue(draft.serviceDate);
        SelectComboById(*CBMember, draft.memberId);
        TDoctorBoxes::ShowText(*CBDoctor, draft.doctor);
        MemoNote->setPlainText(draft.note.join(QLatin1Char('\n')));
        ShowAmount(*MEditCopay, draft.officePaid);
        ShowAmount(*MEditDeduct, draft.mailPaid);
        SelectComboById(*CBInsurance, form_.ChosenInsurance());
        SelectComboById(*CBFSA, form_.ChosenFsa());
        ShowInsuranceBoxes();
        ShowFsaBox();
    }
    doctorBoxes_.SetId(CBDoctor, draft.docAddrId);
    if (form_.MemberFixed()) {
        BtnBack->hide();
        BtnNext->setText(QStringLiteral("&OK"));
        PageControl1->setCurrentIndex(kPageAmounts);
        MEditCopay->setFocus();
    } else {
        BtnBack->setEnabled(false);
        BtnNext->setText(QStringLiteral("&Next >>"));
        PageControl1->setCurrentIndex(kPageInformation);
        EditDesc->setFocus();
    }
}

void TDlgMedExpItem::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunGuarded([this] {
        if (accountCount_ == 0 && ExpenseTableEmpty())
            ShowMessageBox(QStringLiteral("You haven't enter the insurance or FSA information yet. If you don't have "
                                          "any insurance or FSA, please ignore this message."),
                           MsgIcon::Warning, MsgOk);
    });
}

void TDlgMedExpItem::OnExit(TMoneyEdit* box, TExit handler)
{
    connect(box, &QLineEdit::textEdited, this, [this, box](const QString& text) {
        if (text == settled_[box])
            typed_.erase(box);
        else
            typed_.insert(box);
    });
    connect(box, &QLineEdit::editingFinished, this, [this, box, handler] {
        QMetaObject::invokeMethod(
            this,
            [this, box, handler] {
                // Finish may have closed the dialog meanwhile, having taken the amount itself.
                if (isVisible())
                    RunGuarded([this, box, handler] { ExitIfTyped(box, handler); });
            },
            Qt::QueuedConnection);
    });
}

bool TDlgMedExpItem::ExitIfTyped(TMoneyEdit* box, TExit handler)
{
    // Finish or a change of account may have taken it first (Enter, an Alt
    // key and the wheel leave the caret in the box), and a refusal's message
    // takes the focus from it: each amount is taken or refused once.
    if (typed_.erase(box) == 0)
        return true;
    try {
        const bool taken = (this->*handler)();
        Settle(*box);
        return taken;
    } catch (const EDatabaseError& error) {
        // Neither taken nor refused: marked again for the next change of
        // account, but behind the exits queued by now (the message's own
        // among them), which would only meet the failure a second time.
        HandleException(error);
        QMetaObject::invokeMethod(this, [this, box] { typed_.insert(box); }, Qt::QueuedConnection);
        return false;
    }
}

QWidget* TDlgMedExpItem::ControlOf(TExpenseField field) const
{
    switch (field) {
    case TExpenseField::Description: return EditDesc;
    case TExpenseField::Date: return PFDate;
    case TExpenseField::Member: return CBMember;
    case TExpenseField::Office: return MEditCopay;
    case TExpenseField::Mail: return MEditDeduct;
    case TExpenseField::Insurance: return CBInsurance;
    case TExpenseField::Payment: return MEditPaid;
    case TExpenseField::Deductible: return MEditAcctDeduct;
    case TExpenseField::Fsa: return CBFSA;
    case TExpenseField::Reimbursement: return MEditReimburst;
    }
    return nullptr;
}

void TDlgMedExpItem::Refuse(const TExpenseRefusal& refusal)
{
    if (refusal.accountId != 0) {
        form_.ShowAccount(refusal.accountId);
        SelectComboById(*CBInsurance, form_.ChosenInsurance());
        SelectComboById(*CBFSA, form_.ChosenFsa());
        ShowInsuranceBoxes();
        ShowFsaBox();
    }
    ShowMessageBox(refusal.message, MsgIcon::Warning, MsgOk);
    if (QWidget* control = ControlOf(refusal.field))
        control->setFocus();
}

void TDlgMedExpItem::TakeInformation()
{
    TExpenseDraft& draft = form_.Draft();
    draft.description = EditDesc->text();
    draft.serviceDate = PFDate->DateTimeValue();
    draft.memberId = ChosenKey(*CBMember);
    // Blanks around a name would make a second business of a known one.
    draft.doctor = CBDoctor->currentText().trimmed();
    draft.docAddrId = doctorBoxes_.Id(CBDoctor);
    draft.note = MemoLines(*MemoNote);
}

bool TDlgMedExpItem::AmountTaken(const std::optional<TExpenseRefusal>& refusal)
{
    if (!refusal)
        return true;
    if (refusal->field == TExpenseField::Deductible)
        ShowAccountAmount(*MEditAcctDeduct, 0);
    Refuse(*refusal);
    return false;
}

bool TDlgMedExpItem::TakePayments()
{
    TExpenseDraft& draft = form_.Draft();
    draft.officePaid = CentsIn(*MEditCopay);
    draft.mailPaid = CentsIn(*MEditDeduct);
    // Enter and a button's Alt key finish with the caret still in a box:
    // every box is taken or refused here, and no exit is left to run.
    const bool deductibleTyped = typed_.contains(MEditAcctDeduct);
    typed_.clear();
    for (const TMoneyEdit* box : {MEditPaid, MEditAcctDeduct, MEditReimburst})
        Settle(*box);
    return AmountTaken(form_.TakeAccountBoxes({AmountIn(*MEditPaid), AmountIn(*MEditAcctDeduct),
                                               AmountIn(*MEditReimburst), deductibleTyped}));
}

void TDlgMedExpItem::ShowAmountsPage()
{
    PageControl1->setCurrentIndex(kPageAmounts);
    BtnNext->setText(QStringLiteral("&Finish"));
    BtnBack->setEnabled(true);
    MEditCopay->setFocus();
}

void TDlgMedExpItem::BtnNextClick()
{
    if (PageControl1->currentIndex() == kPageInformation) {
        TakeInformation();
        if (const std::optional<TExpenseRefusal> refusal = form_.LeaveInformationPage(Date()))
            Refuse(*refusal);
        else
            ShowAmountsPage();
        return;
    }
    if (Finish())
        accept();
}

bool TDlgMedExpItem::Finish()
{
    if (!form_.MemberFixed())
        TakeInformation();
    if (!TakePayments())
        return false;
    TFinishResult result;
    try {
        result = form_.Finish();
    } catch (const EDatabaseError& error) {
        ShowMessageBox(ErrorText(error), MsgIcon::Warning, MsgOk);
        return false;
    }
    if (result.refusal) {
        Refuse(*result.refusal);
        return false;
    }
    return true;
}

void TDlgMedExpItem::BtnBackClick()
{
    BtnBack->setEnabled(false);
    BtnNext->setText(QStringLiteral("&Next >>"));
    PageControl1->setCurrentIndex(kPageInformation);
    BtnNext->setEnabled(true);
    EditDesc->setFocus();
}

void TDlgMedExpItem::CancelBtnClick()
{
    reject();
}

void TDlgMedExpItem::reject()
{
    cancelled_ = true;
    QDialog::reject();
}

void TDlgMedExpItem::CBMemberChange()
{
    form_.Draft().memberId = ChosenKey(*CBMember);
}

void TDlgMedExpItem::Settle(const TMoneyEdit& box)
{
    settled_[&box] = box.text();
}

void TDlgMedExpItem::ShowAccountAmount(TMoneyEdit& box, TAmountBox cents)
{
    ShowAmount(box, cents);
    Settle(box);
}

void TDlgMedExpItem::ShowInsuranceBoxes()
{
    const TInsuranceBoxes shown = form_.InsuranceShown();
    ShowAccountAmount(*MEditPaid, shown.payment);
    ShowAccountAmount(*MEditAcctDeduct, shown.deductible);
}

void TDlgMedExpItem::ShowFsaBox()
{
    ShowAccountAmount(*MEditReimburst, form_.FsaShown());
}

void TDlgMedExpItem::CBInsuranceChange()
{
    const qint32 picked = ChosenKey(*CBInsurance);
    // The wheel changes the list with the caret still in a box: what the box
    // holds is the shown account's, taken or refused before it changes.
    SelectComboById(*CBInsurance, form_.ChosenInsurance());
    if (!ExitIfTyped(MEditPaid, &TDlgMedExpItem::MEditPaidExit) ||
        !ExitIfTyped(MEditAcctDeduct, &TDlgMedExpItem::MEditAcctDeductExit))
        return;
    const std::optional<TExpenseRefusal> refusal = form_.ChooseInsurance(picked);
    // A refused account gives way to the one chosen before.
    SelectComboById(*CBInsurance, form_.ChosenInsurance());
    ShowInsuranceBoxes();
    if (refusal)
        Refuse(*refusal);
}

bool TDlgMedExpItem::MEditPaidExit()
{
    return AmountTaken(form_.EnterPayment(AmountIn(*MEditPaid)));
}

bool TDlgMedExpItem::MEditAcctDeductExit()
{
    return AmountTaken(form_.EnterDeductible(AmountIn(*MEditAcctDeduct)));
}

void TDlgMedExpItem::CBFSAChange()
{
    const qint32 picked = ChosenKey(*CBFSA);
    SelectComboById(*CBFSA, form_.ChosenFsa());
    if (!ExitIfTyped(MEditReimburst, &TDlgMedExpItem::MEditReimburstExit))
        return;
    const std::optional<TExpenseRefusal> refusal = form_.ChooseFsa(picked);
    SelectComboById(*CBFSA, form_.ChosenFsa());
    ShowFsaBox();
    if (refusal)
        Refuse(*refusal);
}

bool TDlgMedExpItem::MEditReimburstExit()
{
    const std::optional<TExpenseRefusal> refusal = form_.EnterReimbursement(AmountIn(*MEditReimburst));
    if (refusal && form_.ChosenFsa() == 0 && CBFSA->currentIndex() >= 0) {
        CBFSA->setCurrentIndex(-1);
        MEditReimburst->clear();
    }
    return AmountTaken(refusal);
}

void TDlgMedExpItem::PSBDocClick()
{
    doctorBoxes_.EditAddress(*CBDoctor);
}

void TDlgMedExpItem::SBDateClick()
{
    PickDateInto(*SBDate, *PFDate);
}

void TDlgMedExpItem::SpeedButton1Click()
{
    const TCalculatorStart started = StartCalculator();
    if (started != TCalculatorStart::Started)
        ShowMessageBox(CalculatorFailureText(started), MsgIcon::Warning, MsgOk);
}
