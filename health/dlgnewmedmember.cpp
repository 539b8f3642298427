#include "dlgnewmedmember.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "controls/formdate.h"
#include "platform/dataset.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "radiogroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

constexpr int kNameLength = 30;

QLineEdit* NameEdit()
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(kNameLength);
    return edit;
}

// A calendar page with a ring binding.
QIcon CalendarIcon()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 12);
    painter.fillRect(2, 3, 12, 3, QColor(0xC0, 0x00, 0x00));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            painter.drawPoint(x, y);
    return QIcon(picture);
}

}  // namespace

bool IsFutureBirthDate(TDateTime dateOfBirth, TDateTime today)
{
    return DateOf(dateOfBirth) > DateOf(today);
}

std::optional<TNewMemberRefusal> CheckNewMember(const TNewMemberEntry& entry, TDateTime today)
{
    if (entry.firstName.isEmpty())
        return TNewMemberRefusal::FirstName;
    if (entry.lastName.isEmpty())
        return TNewMemberRefusal::LastName;
    if (!entry.dateOfBirth)
        return TNewMemberRefusal::DateOfBirth;
    // Leaving the date field refuses such a date too, but a date the picker
    // put in, or one confirmed with Enter, never left the field.
    if (IsFutureBirthDate(*entry.dateOfBirth, today))
        return TNewMemberRefusal::FutureBirthDate;
    if (entry.sex != 0 && entry.sex != 1)
        return TNewMemberRefusal::Gender;
    return std::nullopt;
}

QString RefusalText(TNewMemberRefusal refusal)
{
    switch (refusal) {
    case TNewMemberRefusal::FirstName: return QStringLiteral("Please enter the first name.");
    case TNewMemberRefusal::LastName: return QStringLiteral("Please enter the last name.");
    case TNewMemberRefusal::DateOfBirth: return QStringLiteral("Please enter the day of birth.");
    case TNewMemberRefusal::FutureBirthDate: return QStringLiteral("The Birthday can't be the future day.");
    case TNewMemberRefusal::Gender: break;
    }
    return QStringLiteral("Please specify gender.");
}

qint32 StoredHeight(int heightUnit, qint32 feetOrCentimetres, qint32 inches)
{
    return JoinHeight({feetOrCentimetres, inches}, heightUnit);
}

qint32 AppendMember(const TNewMemberEntry& entry)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    // No row is read: the live result only takes the new one.
    query.SQL() << QStringLiteral("SELECT * FROM MEDPROF") << QStringLiteral("WHERE MemberID = 0");
    query.Open();
    query.Append();
    const auto field = [&](const char* name) -> TField& { return query.FieldByName(QLatin1String(name)); };
    field("LastName").SetAsString(entry.lastName);
    field("FirstName").SetAsString(entry.firstName);
    field("MiddleName").SetAsString(entry.middleName);
    field("DOB").SetAsDateTime(entry.dateOfBirth.value_or(0.0));
    field("Sex").SetAsInteger(entry.sex);
    field("Weight").SetAsInteger(entry.weight);
    field("WeightUnit").SetAsInteger(entry.weightUnit);
    field("Height").SetAsInteger(entry.height);
    field("HeightUnit").SetAsInteger(entry.heightUnit);
    field("Display").SetAsInteger(0);
    query.Post();
    return field("MemberID").AsInteger();
}

TNewMemberOutcome ShowNewMemberDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgNewMedMember>();
    dialog->exec();
    return TNewMemberOutcome{dialog->Cancelled(), dialog->AppliedMember()};
}

TDlgNewMedMember::TDlgNewMedMember(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgNewMedMember"));
    setWindowTitle(QStringLiteral("Add New Member"));
    EfController1 = new TEfController(this);

    Edit1 = NameEdit();
    Edit2 = NameEdit();
    Edit3 = NameEdit();
    EfPFDate = new TEfPictureField(this, pftDate, QStringLiteral("mm/dd/yyyy"), EfController1);
    EfPFDate->Core().SetMaxLength(10);
    EfPFDate->Core().SetEpoch(1900);
    SBDate = new QToolButton;
    SBDate->setIcon(CalendarIcon());
    SBDate->setFocusPolicy(Qt::NoFocus);

    RadioGroup1 = new TRadioGroup(QStringLiteral("Gender:"), {QStringLiteral("Male"), QStringLiteral("Female")}, 2);
    RadioGroup2 = new TRadioGroup(QStringLiteral(" Weight: "), {QStringLiteral("lbs"), QStringLiteral("kgs")}, 1);
    RadioGroup2->SetItemIndex(0);
    EfPFWeight = NewNumberField();
    EfSpinner1 = NewSpinner(EfPFWeight);
    RadioGroup3 = new TRadioGroup(QStringLiteral(" Height: "), {QStringLiteral("ft - in"), QStringLiteral("cm")}, 1);
    RadioGroup3->SetItemIndex(kHeightFeetInches);
    EfPFHeight1 = NewNumberField();
    EfSpinner2 = NewSpinner(EfPFHeight1);
    EfPFHeight2 = NewNumberField();
    EfPFHeight2->Core().SetRange(0, kLargestInches);
    EfSpinner3 = NewSpinner(EfPFHeight2);
    // The dialog keeps its size when the inches come and go.
    for (QWidget* inches : {static_cast<QWidget*>(EfPFHeight2), static_cast<QWidget*>(EfSpinner3)}) {
        QSizePolicy policy = inches->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        inches->setSizePolicy(policy);
    }

    Label5 = new QLabel(QStringLiteral("You won't be able to change the date of birth, and the sex for this member once "
                                       "you create the folder for the member. Please make sure you enter the correct "
                                       "data before you click OK."));
    Label5->setWordWrap(true);

    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    OKBtn->setToolTip(QStringLiteral("Save data and close"));
    Apply = new QPushButton(QStringLiteral("Apply"));
    Apply->setToolTip(QStringLiteral("Save data"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    CancelBtn->setToolTip(QStringLiteral("Don't save data"));
    EfController1->BtnCancel = CancelBtn;

    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { OKBtnClick(); }); });
    connect(Apply, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { CancelBtnClick(); }); });
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { SBDateClick(); }); });
    connect(RadioGroup3, &TRadioGroup::Clicked, this, [this] { RunGuarded([this] { RadioGroup3Click(); }); });
    // Checked once the focus has settled, so no box opens in the middle of a focus change.
    // OK and Apply check the date as they save: a second warning would follow the first.
    EfController1->OnPostEdit = [this](QObject* sender, QWidget* gaining) {
        if (sender == EfPFDate && !EfController1->IsExemptButton(gaining) && gaining != OKBtn && gaining != Apply)
            QMetaObject::invokeMethod(this, [this] { RunGuarded([this] { EfPFDateExit(); }); }, Qt::QueuedConnection);
    };
    BuildLayout();
}

TEfPictureField* TDlgNewMedMember::NewNumberField()
{
    auto* field = new TEfPictureField(this, pftLongInt, QStringLiteral("iiiiii"), EfController1);
    field->Core().SetMaxLength(kMeasureLength);
    field->Core().SetRange(0, kLargestMeasure);
    // Blank when nothing is known: a weight or height of 0 is none.
    field->Core().ZeroDisplay = TZeroDisplay::zdHide;
    return field;
}

TEfSpinner* TDlgNewMedMember::NewSpinner(TEfPictureField* field)
{
    auto* spinner = new TEfSpinner(this);
    spinner->FocusedControl = field;
    spinner->WrapMode = false;
    return spinner;
}

void TDlgNewMedMember::BuildLayout()
{
    const auto withSpinner = [](TEfPictureField* field, TEfSpinner* spinner) {
        auto* box = new QWidget;
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        field->setFixedWidth(60);
        row->addWidget(field);
        row->addWidget(spinner);
        return box;
    };

    auto* names = new QGridLayout;
    names->addWidget(new QLabel(QStringLiteral("First Name:")), 0, 0);
    names->addWidget(Edit1, 0, 1);
    names->addWidget(new QLabel(QStringLiteral("MI:")), 0, 2);
    Edit2->setFixedWidth(40);
    names->addWidget(Edit2, 0, 3);
    names->addWidget(new QLabel(QStringLiteral("Last Name:")), 1, 0);
    names->addWidget(Edit3, 1, 1, 1, 3);
    names->addWidget(new QLabel(QStringLiteral("Date of Birth:")), 2, 0);
    auto* dateRow = new QHBoxLayout;
    EfPFDate->setFixedWidth(100);
    dateRow->addWidget(EfPFDate);
    dateRow->addWidget(SBDate);
    dateRow->addStretch();
    names->addLayout(dateRow, 2, 1, 1, 3);

    auto* weight = new QHBoxLayout;
    weight->addWidget(RadioGroup2);
    weight->addWidget(withSpinner(EfPFWeight, EfSpinner1), 0, Qt::AlignVCenter);
    weight->addStretch();
    auto* height = new QHBoxLayout;
    height->addWidget(RadioGroup3);
    height->addWidget(withSpinner(EfPFHeight1, EfSpinner2), 0, Qt::AlignVCenter);
    height->addWidget(withSpinner(EfPFHeight2, EfSpinner3), 0, Qt::AlignVCenter);
    height->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(weight);
    body->addLayout(height);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(Apply);
    buttons->addWidget(CancelBtn);

    auto* column = new QVBoxLayout(this);
    column->addLayout(names);
    column->addWidget(RadioGroup1);
    column->addLayout(body);
    column->addWidget(Label5);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    // Down the form, whatever order the controls were made in.
    QWidget* const order[] = {Edit1, Edit2, Edit3, EfPFDate, RadioGroup1->Item(0), RadioGroup1->Item(1),
                              RadioGroup2->Item(0), RadioGroup2->Item(1), EfPFWeight, RadioGroup3->Item(0),
                              RadioGroup3->Item(1), EfPFHeight1, EfPFHeight2, OKBtn, Apply, CancelBtn};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Edit1->setFocus();
}

void TDlgNewMedMember::OKBtnClick()
{
    MemberAdded = true;
    if (SaveNewMember())
        accept();
}

void TDlgNewMedMember::ApplyClick()
{
    MemberAdded = true;
    if (!SaveNewMember())
        return;
    ClearForm();
    appliedMember_ = true;
}

void TDlgNewMedMember::CancelBtnClick()
{
    reject();
}

void TDlgNewMedMember::reject()
{
    MemberAdded = appliedMember_;
    cancelled_ = true;
    QDialog::reject();
}

void TDlgNewMedMember::RadioGroup3Click()
{
    const bool centimetres = RadioGroup3->ItemIndex() == kHeightCentimetres;
    EfPFHeight2->setVisible(!centimetres);
    EfSpinner3->setVisible(!centimetres);
}

void TDlgNewMedMember::SBDateClick()
{
    // The picker outlives the dialog and keeps its callback until the next one.
    OpenDatePickerBeside(*SBDate, EfPFDate->DateTimeValue(), [this] { EfPFDate->SetDateTimeValue(PickedDate); });
}

void TDlgNewMedMember::EfPFDateExit()
{
    if (!EfPFDate->IsFieldBlank() && IsFutureBirthDate(EfPFDate->DateTimeValue(), Date()))
        RefuseFutureBirthDate();
}

void TDlgNewMedMember::RefuseFutureBirthDate()
{
    ShowMessageBox(RefusalText(TNewMemberRefusal::FutureBirthDate), MsgIcon::Warning, MsgOk);
    EfPFDate->ClearText();
    EfPFDate->setFocus();
}

TNewMemberEntry TDlgNewMedMember::Entry()
{
    TNewMemberEntry entry;
    entry.firstName = Edit1->text();
    entry.middleName = Edit2->text();
    entry.lastName = Edit3->text();
    if (!EfPFDate->IsFieldBlank())
        entry.dateOfBirth = EfPFDate->DateTimeValue();
    entry.sex = RadioGroup1->ItemIndex();
    entry.weight = EfPFWeight->IntegerValue();
    entry.weightUnit = RadioGroup2->ItemIndex();
    entry.heightUnit = RadioGroup3->ItemIndex();
    entry.height = StoredHeight(entry.heightUnit, EfPFHeight1->IntegerValue(), EfPFHeight2->IntegerValue());
    return entry;
}

QWidget* TDlgNewMedMember::FieldOf(TNewMemberRefusal refusal) const
{
    switch (refusal) {
    case TNewMemberRefusal::FirstName: return Edit1;
    case TNewMemberRefusal::LastName: return Edit3;
    case TNewMemberRefusal::DateOfBirth:
    case TNewMemberRefusal::FutureBirthDate: return EfPFDate;
    case TNewMemberRefusal::Gender: break;
    }
    return RadioGroup1->Item(0);
}

// A number typed out of range and confirmed with Enter never left its field.
bool TDlgNewMedMember::NumberFieldsValid()
{
    TEfBaseEntryField* refused = FirstRefusedField({EfPFWeight, EfPFHeight1, EfPFHeight2});
    if (refused)
        refused->setFocus();
    return !refused;
}

bool TDlgNewMedMember::SaveNewMember()
{
    const TNewMemberEntry entry = Entry();
    if (const std::optional<TNewMemberRefusal> refusal = CheckNewMember(entry, Date())) {
        if (*refusal == TNewMemberRefusal::FutureBirthDate) {
            RefuseFutureBirthDate();
            return false;
        }
        ShowMessageBox(RefusalText(*refusal), MsgIcon::Warning, MsgOk);
        FieldOf(*refusal)->setFocus();
        return false;
    }
    if (!NumberFieldsValid())
        return false;
    CurMemberID = AppendMember(entry);
    return true;
}

void TDlgNewMedMember::ClearForm()
{
    for (QLineEdit* edit : {Edit1, Edit2, Edit3})
        edit->clear();
    EfPFDate->ClearText();
    for (TEfPictureField* field : {EfPFWeight, EfPFHeight1, EfPFHeight2})
        field->SetIntegerValue(0);
    RadioGroup1->SetItemIndex(-1);
    RadioGroup2->SetItemIndex(0);
    RadioGroup3->SetItemIndex(kHeightFeetInches);
    RadioGroup3Click();
}
