#include "dlgmedpayment.h"

#include "controls/efnumeric.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "controls/memolines.h"
#include "controls/moneyedit.h"
#include "datefield.h"
#include "dlgmedcategory.h"
#include "dlgphoneaddr.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/genericprops.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kNameLength = 30;
constexpr double kLargestAmount = 999999.99;

QComboBox* DropDownList()
{
    auto* combo = new QComboBox;
    combo->setEditable(false);
    return combo;
}

QLineEdit* NameField()
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(kNameLength);
    return edit;
}

QToolButton* AddressButton()
{
    auto* button = new QToolButton;
    button->setText(QStringLiteral("Phone"));
    button->setToolTip(QStringLiteral("Phone No. & Address"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

qint64 CentsOf(const TEfNumericField& field)
{
    return AmountToCents(field.FloatValue()).value_or(0);
}

void ShowCents(TEfNumericField& field, qint64 cents)
{
    field.SetFloatValue(static_cast<double>(cents) / 100.0);
}

// A money field with its "$" in front.
QWidget* Dollars(TEfNumericField* field)
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(new QLabel(QStringLiteral("$")));
    field->setFixedWidth(90);
    row->addWidget(field);
    row->addStretch();
    return box;
}

}  // namespace

void ShowPaymentDialog(QWidget* parent, const TPaymentRequest& request)
{
    const auto dialog = MakeUnderHourglass<TDlgMedPayment>(parent, request);
    const bool adding = request.medId == 0;
    dialog->setWindowTitle(adding ? QStringLiteral("Add a New Item") : QStringLiteral("Edit an Item"));
    dialog->Btn1Apply->setEnabled(adding);
    dialog->exec();
}

TDlgMedPayment::TDlgMedPayment(QWidget* parent, const TPaymentRequest& request) : QDialog(parent), request_(request)
{
    setObjectName(QStringLiteral("DlgMedPayment"));
    setWindowTitle(QStringLiteral("Add medical payment records"));
    EfController1 = new TEfController(this);
    PFDate = NewDateField(this, EfController1);
    SBDate = NewCalendarButton();
    SBDate->setFocusPolicy(Qt::NoFocus);
    CBMember = DropDownList();
    SFDoc = NameField();
    CBDoc = DropDownList();
    PSBDoc = AddressButton();
    CBType = DropDownList();
    CBType->addItems(CoverageNames());
    SFInsurance = NameField();
    CBInsurance = DropDownList();
    PSBIns = AddressButton();
    for (TEfNumericField** field : {&NFAmount, &NFInsPay, &NFOutOfPocket}) {
        *field = new TEfNumericField(this, nftDouble, QStringLiteral("###,###.##"), EfController1);
        (*field)->Core().SetRange(-kLargestAmount, kLargestAmount);
        (*field)->Core().ZeroDisplay = TZeroDisplay::zdHide;
    }
    MemoNote = new QPlainTextEdit;
    // Tab goes on to the buttons: a keyboard user would be kept in the notes.
    MemoNote->setTabChangesFocus(true);
    Btn1Ok = new QPushButton(QStringLiteral("OK"));
    Btn1Ok->setDefault(true);
    Btn1Ok->setToolTip(QStringLiteral("Save data and close window"));
    Btn1Cancel = new QPushButton(QStringLiteral("Cancel"));
    Btn1Cancel->setToolTip(QStringLiteral("Do not save data"));
    Btn1Apply = new QPushButton(QStringLiteral("Apply"));
    Btn1Apply->setToolTip(QStringLiteral("Save data"));
    EfController1->BtnCancel = Btn1Cancel;

    const auto guarded = [this](void (TDlgMedPayment::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(Btn1Ok, &QPushButton::clicked, this, guarded(&TDlgMedPayment::Btn1OkClick));
    connect(Btn1Apply, &QPushButton::clicked, this, guarded(&TDlgMedPayment::Btn1ApplyClick));
    connect(Btn1Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CBDoc, &QComboBox::activated, this, guarded(&TDlgMedPayment::CBDocChange));
    connect(CBInsurance, &QComboBox::activated, this, guarded(&TDlgMedPayment::CBInsuranceChange));
    connect(CBType, &QComboBox::activated, this, guarded(&TDlgMedPayment::CBTypeChange));
    connect(SFDoc, &QLineEdit::textEdited, this, [this] { docChanged_ = true; });
    connect(SFInsurance, &QLineEdit::textEdited, this, [this] { insChanged_ = true; });
    connect(SFDoc, &QLineEdit::editingFinished, this, guarded(&TDlgMedPayment::SFDocExit));
    connect(SFInsurance, &QLineEdit::editingFinished, this, guarded(&TDlgMedPayment::SFInsuranceExit));
    connect(PSBDoc, &QToolButton::clicked, this, guarded(&TDlgMedPayment::PSBDocClick));
    connect(PSBIns, &QToolButton::clicked, this, guarded(&TDlgMedPayment::PSBInsClick));
    connect(SBDate, &QToolButton::clicked, this, guarded(&TDlgMedPayment::SBDateClick));
    PFDate->Core().OnError = [this](QObject*, quint16, const QString&) {
        ShowDateEntryError();
        PFDate->ClearText();
    };

    BuildLayout();
    const TDateTime today = Date();
    const int year = DecodeDate(today).year;
    PFDate->SetDateTimeValue(request_.statementYear == year ? today : EncodeDate(request_.statementYear, 12, 1));
    LoadForm();
}

// A name field that loses the focus as the dialog goes would call its exit
// handler on a dialog no longer whole.
TDlgMedPayment::~TDlgMedPayment()
{
    SFDoc->disconnect(this);
    SFInsurance->disconnect(this);
}

void TDlgMedPayment::BuildLayout()
{
    const auto withButton = [](QWidget* name, QComboBox* list, QToolButton* button) {
        auto* row = new QHBoxLayout;
        name->setFixedWidth(190);
        row->addWidget(name);
        row->addWidget(list, 1);
        row->addWidget(button);
        return row;
    };
    auto* date = new QHBoxLayout;
    PFDate->setFixedWidth(100);
    date->addWidget(PFDate);
    date->addWidget(SBDate);
    date->addStretch();

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Service date:")), 0, 0);
    form->addLayout(date, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Patient:")), 1, 0);
    form->addWidget(CBMember, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Health provider:")), 2, 0);
    form->addLayout(withButton(SFDoc, CBDoc, PSBDoc), 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Insurance coverage:")), 3, 0);
    form->addWidget(CBType, 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Insurance provider:")), 4, 0);
    form->addLayout(withButton(SFInsurance, CBInsurance, PSBIns), 4, 1);

    auto* amounts = new QGridLayout;
    amounts->addWidget(new QLabel(QStringLiteral("Total amount charged:")), 0, 0);
    amounts->addWidget(new QLabel(QStringLiteral("Amount paid by insurance:")), 0, 2);
    amounts->addWidget(new QLabel(QStringLiteral("Out of pocket payment:")), 0, 4);
    amounts->addWidget(Dollars(NFAmount), 1, 0);
    amounts->addWidget(new QLabel(QStringLiteral("-")), 1, 1);
    amounts->addWidget(Dollars(NFInsPay), 1, 2);
    amounts->addWidget(new QLabel(QStringLiteral("=")), 1, 3);
    amounts->addWidget(Dollars(NFOutOfPocket), 1, 4);
    amounts->setColumnStretch(5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn1Ok);
    buttons->addWidget(Btn1Cancel);
    buttons->addWidget(Btn1Apply);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(amounts);
    column->addWidget(new QLabel(QStringLiteral("Notes:")));
    MemoNote->setFixedHeight(70);
    column->addWidget(MemoNote);
    column->addLayout(buttons);
    resize(560, sizeHint().height());

    QWidget* const order[] = {PFDate, CBMember, SFDoc,    CBDoc,    CBType,   SFInsurance, CBInsurance, NFAmount,
                              NFInsPay, NFOutOfPocket, MemoNote, Btn1Ok, Btn1Cancel, Btn1Apply};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TDlgMedPayment::LoadForm()
{
    CBMember->clear();
    CBInsurance->clear();
    CBDoc->clear();
    if (request_.medId != 0) {
        if (const std::optional<TPayment> payment = LoadPayment(request_.medId)) {
            if (payment->serviceDate != 0.0)
                PFDate->SetDateTimeValue(payment->serviceDate);
            request_.defaults.patient = payment->patientId.value_or(request_.defaults.patient);
            request_.defaults.company = payment->insurerNo.value_or(request_.defaults.company);
            request_.defaults.coverage = payment->coverage.value_or(request_.defaults.coverage);
            insurerAddress_.bizId = payment->insAddrId;
            providerAddress_.bizId = payment->docAddrId;
            SFDoc->setText(payment->provider);
            ShowCents(*NFAmount, payment->totalCents);
            ShowCents(*NFInsPay, payment->insuranceCents);
            ShowCents(*NFOutOfPocket, payment->outOfPocketCents);
            MemoNote->setPlainText(payment->note.join(QLatin1Char('\n')));
        }
    }
    AddNamedKeys(*CBMember, ReadPatients());
    SelectComboById(*CBMember, request_.defaults.patient);
    AddNamedKeys(*CBInsurance, ReadInsurers());
    SelectComboById(*CBInsurance, request_.defaults.company);
    SFInsurance->setText(CBInsurance->currentIndex() >= 0 ? CBInsurance->currentText() : QString());
    const int coverage = request_.defaults.coverage;
    CBType->setCurrentIndex(coverage >= 0 && coverage < CBType->count() ? coverage : 0);
    RefillProviders();
    LookupBizAddr(SFDoc->text(), kPaymentAddressCategory, providerAddress_.bizId, providerAddress_.contact);
}

void TDlgMedPayment::RefillProviders()
{
    CBDoc->clear();
    // The company is found as the save will find it, blanks around it aside.
    const QString insurer = SFInsurance->text().trimmed();
    qint32 insurerNo = -1;
    if (!insurer.isEmpty())
        insurerNo = FindInsurer(insurer).value_or(0);
    FillGenericTextCombo(CBType->currentIndex(), insurerNo, SFDoc->text(), *CBDoc);
}

void TDlgMedPayment::CBDocChange()
{
    SFDoc->setText(CBDoc->currentText());
    providerAddress_ = {};
}

void TDlgMedPayment::CBInsuranceChange()
{
    SFInsurance->setText(CBInsurance->currentText());
    insurerAddress_ = {};
    RefillProviders();
}

void TDlgMedPayment::CBTypeChange()
{
    RefillProviders();
}

void TDlgMedPayment::SFDocExit()
{
    if (!docChanged_)
        return;
    CBDoc->setCurrentIndex(CBDoc->findText(SFDoc->text(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    docChanged_ = false;
}

void TDlgMedPayment::SFInsuranceExit()
{
    if (!insChanged_)
        return;
    CBInsurance->setCurrentIndex(
        CBInsurance->findText(SFInsurance->text().trimmed(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    insChanged_ = false;
    RefillProviders();
}

void TDlgMedPayment::EditAddress(QLineEdit& name, TPayAddress& address, const QString& missingText)
{
    // Blanks name nobody: the save would refuse or drop them.
    if (name.text().trimmed().isEmpty()) {
        ShowMessageBox(missingText, MsgIcon::Warning, MsgOk);
        name.setFocus();
        return;
    }
    LookupBizAddr(name.text(), kPaymentAddressCategory, address.bizId, address.contact);
    EditPaymentAddress(this, name.text(), address.contact);
}

void TDlgMedPayment::PSBDocClick()
{
    EditAddress(*SFDoc, providerAddress_, QStringLiteral("Please enter the name of the health provider first."));
}

void TDlgMedPayment::PSBInsClick()
{
    EditAddress(*SFInsurance, insurerAddress_, QStringLiteral("Please enter the name of the insurance provider first."));
}

void TDlgMedPayment::SBDateClick()
{
    OpenDatePickerBeside(*SBDate, PFDate->DateTimeValue(), [this] { PFDate->SetDateTimeValue(PickedDate); });
}

TPaymentEntry TDlgMedPayment::Entry()
{
    TPaymentEntry entry;
    const TDateTime date = PFDate->DateTimeValue();
    // The field counts a text that is no date as blank; a digit typed is not.
    const bool typed = std::any_of(PFDate->Core().Text().cbegin(), PFDate->Core().Text().cend(),
                                   [](QChar c) { return c.isDigit(); });
    entry.dateState = date != 0.0 ? TPayDateState::Set : (typed ? TPayDateState::NotADate : TPayDateState::Blank);
    entry.serviceDate = date;
    entry.patientId = CBMember->currentIndex() >= 0 ? CBMember->currentData().toInt() : -1;
    entry.provider = SFDoc->text();
    entry.coverage = std::max(0, CBType->currentIndex());
    entry.insurer = SFInsurance->text();
    entry.amounts = {CentsOf(*NFAmount), CentsOf(*NFInsPay), CentsOf(*NFOutOfPocket),
                     NFInsPay->Core().WasEverModified(), NFOutOfPocket->Core().WasEverModified()};
    entry.note = MemoLines(*MemoNote);
    entry.providerAddress = providerAddress_;
    entry.insurerAddress = insurerAddress_;
    return entry;
}

bool TDlgMedPayment::Refused(const TPaymentCheck& check)
{
    if (!check.refusal)
        return false;
    const TPaymentRefusal refusal = *check.refusal;
    switch (refusal) {
    case TPaymentRefusal::ServiceDateBlank:
    case TPaymentRefusal::ServiceDateNotADate:
    case TPaymentRefusal::FutureServiceDate:
        if (refusal == TPaymentRefusal::ServiceDateNotADate)
            ShowDateEntryError();
        PFDate->ClearText();
        PFDate->setFocus();
        if (refusal != TPaymentRefusal::ServiceDateNotADate)
            ShowMessageBox(PaymentRefusalText(refusal), MsgIcon::Warning, MsgOk);
        return true;
    case TPaymentRefusal::NoPatient: CBMember->setFocus(); break;
    case TPaymentRefusal::NoProvider: SFDoc->setFocus(); break;
    case TPaymentRefusal::NegativeInsurance: NFInsPay->setFocus(); break;
    case TPaymentRefusal::NegativeOutOfPocket: NFOutOfPocket->setFocus(); break;
    case TPaymentRefusal::NegativeTotal:
    case TPaymentRefusal::Unbalanced: NFAmount->setFocus(); break;
    }
    ShowMessageBox(PaymentRefusalText(refusal), MsgIcon::Warning, MsgOk);
    return true;
}

void TDlgMedPayment::ShowAdjustment(const TPaymentCheck& check)
{
    if (check.adjustment == TPayAdjustment::None)
        return;
    ShowMessageBox(AdjustmentText(check), MsgIcon::Information, MsgOk);
    ShowCents(*NFInsPay, check.insurance);
    ShowCents(*NFOutOfPocket, check.outOfPocket);
}

bool TDlgMedPayment::SaveEntry()
{
    const TPaymentEntry entry = Entry();
    const TPaymentCheck check = CheckPayment(entry, Date());
    if (Refused(check))
        return false;
    ShowAdjustment(check);
    TSavedPayment saved;
    try {
        saved = SavePayment(request_.medId, entry, check);
    } catch (const EInsurerNotCreated& error) {
        ShowMessageBox(QString::fromUtf8(error.what()), MsgIcon::Warning, MsgOk);
        SFInsurance->setFocus();
        return false;
    }
    request_.medId = saved.medId;
    request_.defaults = {entry.patientId, saved.insurerNo, entry.coverage};
    providerAddress_ = saved.providerAddress;
    insurerAddress_ = saved.insurerAddress;
    return true;
}

void TDlgMedPayment::Btn1OkClick()
{
    if (SFDoc->hasFocus()) {
        QString name = SFDoc->text();
        TrimLeadingBlanks(name);
        SFDoc->setText(name);
    }
    if (SaveEntry())
        accept();
}

void TDlgMedPayment::Btn1ApplyClick()
{
    if (!SaveEntry())
        return;
    request_.medId = 0;
    setWindowTitle(QStringLiteral("Add Next Item"));
    LoadForm();
}
