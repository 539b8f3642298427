#include "dlgchkrecord.h"

#include "controls/memolines.h"
#include "controls/typinglimit.h"
#include "datefield.h"
#include "recordactions.h"

#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {
constexpr int kDoctorLimit = 100;
constexpr int kNoteLimit = 250;
}  // namespace

TChkRecordDialog::TChkRecordDialog(QWidget* parent, TChkRecordKind kind, TChkRecordForm form)
    : QDialog(parent), form_(std::move(form)), kind_(kind)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    EfController1 = new TEfController(this);
    PFDate = NewDateField(this, EfController1);
    SBDate = NewCalendarButton();
    SBDate->setFocusPolicy(Qt::NoFocus);
    CBDoc = doctorBoxes_.NewBox(kDoctorLimit);
    PSBDoc = TDoctorBoxes::NewAddressButton();
    PSBDoc->setFocusPolicy(Qt::NoFocus);
    Button1 = new QPushButton(QStringLiteral("&Expense report..."));
    MemoNote = new QPlainTextEdit;
    MemoNote->setTabChangesFocus(true);
    LimitTyping(*MemoNote, kNoteLimit);
    BtnOK = new QPushButton(QStringLiteral("&OK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("&Cancel"));
    EfController1->BtnCancel = BtnCancel;

    connect(BtnOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnOKClick(); }); });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { PickDateInto(*SBDate, *PFDate); }); });
    connect(PSBDoc, &QToolButton::clicked, this, [this] { RunGuarded([this] { doctorBoxes_.EditAddress(*CBDoc); }); });
    ClearRefusedDates(*EfController1, *PFDate);
}

void TChkRecordDialog::PlaceRecordRows(QGridLayout& form, int row, const QString& dateCaption)
{
    auto* date = DateRow(PFDate, SBDate);
    date->addStretch();
    auto* expense = new QHBoxLayout;
    expense->addWidget(Button1);
    expense->addStretch();

    form.addWidget(new QLabel(dateCaption), row, 0);
    form.addLayout(date, row, 1);
    form.addWidget(new QLabel(QStringLiteral("Doctor or Hospital:")), row + 1, 0);
    form.addLayout(TDoctorBoxes::Row(CBDoc, PSBDoc), row + 1, 1);
    form.addWidget(new QLabel(QStringLiteral("Cost of Checkup: ")), row + 2, 0);
    form.addLayout(expense, row + 2, 1);
    form.addWidget(new QLabel(QStringLiteral("Note: ")), row + 3, 0, Qt::AlignTop);
    MemoNote->setFixedHeight(80);
    form.addWidget(MemoNote, row + 3, 1);
}

QHBoxLayout* TChkRecordDialog::ButtonRow()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    return buttons;
}

void TChkRecordDialog::ShowRecord()
{
    FillBizAddrCombo(*CBDoc, kDoctorsCategory);
    doctorBoxes_.SetId(CBDoc, form_.row.doctorId);
    TDoctorBoxes::ShowText(*CBDoc, form_.row.doctor);
    MemoNote->setPlainText(form_.row.note.join(QLatin1Char('\n')));
    if (form_.row.date != 0.0)
        PFDate->SetDateTimeValue(form_.row.date);
    PFDate->setFocus();
}

void TChkRecordDialog::SetTabOrder(std::initializer_list<QWidget*> order)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void TChkRecordDialog::TakeEntries()
{
    TakeItem(form_);
    form_.row.date = PFDate->DateTimeValue();
    form_.row.doctor = CBDoc->currentText();
    form_.row.note = MemoLines(*MemoNote);
}

bool TChkRecordDialog::Refused(const TChkRecordVerdict& verdict, bool& skip)
{
    switch (verdict.check) {
    case TChkRecordCheck::Passed:
        return false;
    case TChkRecordCheck::NoItem:
        ShowMessageBox(verdict.message, MsgIcon::Warning, MsgOk);
        FocusItem();
        return true;
    case TChkRecordCheck::BadDate:
        ShowDateEntryError();
        PFDate->ClearText();
        break;
    case TChkRecordCheck::NoDate:
        ShowMessageBox(verdict.message, MsgIcon::Warning, MsgOk);
        PFDate->ClearText();
        break;
    case TChkRecordCheck::BeforeLast:
        skip = ShowMessageBox(verdict.message, MsgIcon::Question, MsgYes | MsgNo) != MsgResult::Yes;
        return false;
    default:
        PFDate->setFocus();
        ShowMessageBox(verdict.message, MsgIcon::Warning, MsgOk);
        return true;
    }
    PFDate->setFocus();
    return true;
}

void TChkRecordDialog::BtnOKClick()
{
    TakeEntries();
    bool skip = false;
    if (Refused(CheckChkRecord(form_, kind_, PFDate->IsFieldBlank(), Date()), skip))
        return;
    if (skip) {
        // Not recorded, yet not cancelled: the schedule is shown afresh. An
        // expense paid through the dialog would count with no check-up, so
        // it goes as on Cancel.
        if (SavedOrTold([this] { DropChkRecordExpense(form_); }))
            accept();
        return;
    }
    if (SavedWhereItFits(*PFDate, [this] { return SaveChkRecord(form_, kind_); }))
        accept();
}

void TChkRecordDialog::reject()
{
    if (!DroppedOrTold([this] { DropChkRecordExpense(form_); }))
        return;
    cancelled_ = true;
    QDialog::reject();
}

void TChkRecordDialog::Button1Click()
{
    if (const auto outcome = OpenRecordExpense(this, *PFDate, form_.row.expId, form_.row.memberId))
        form_.row.expId = outcome->expId;
}
