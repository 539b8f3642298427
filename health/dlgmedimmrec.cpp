#include "dlgmedimmrec.h"

#include "checkrecords.h"
#include "controls/memolines.h"
#include "datefield.h"
#include "recordactions.h"

#include "context/context.h"
#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int kDoctorLimit = 100;

QFrame* Bevel(QFrame::Shape shape)
{
    auto* bevel = new QFrame;
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

}  // namespace

qint32 ShowDoseRecordDialog(QWidget* parent, qint32 memberId, qint32 templId, qint32 checkupId)
{
    const auto dialog = MakeUnderHourglass<TDlgMedImmRec>(parent, memberId, templId, checkupId);
    dialog->exec();
    return dialog->CheckupID();
}

TDlgMedImmRec::TDlgMedImmRec(QWidget* parent, qint32 memberId, qint32 templId, qint32 checkupId)
    : QDialog(parent), form_(LoadDoseRecord(memberId, templId, checkupId)), adding_(form_.checkupId == 0)
{
    setObjectName(QStringLiteral("DlgMedImmRec"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    EfController1 = new TEfController(this);

    LBVaccine = new QLabel;
    LBVaccine->setTextFormat(Qt::PlainText);
    LBVaccine->setWordWrap(true);
    QFont bold = LBVaccine->font();
    bold.setBold(true);
    LBVaccine->setFont(bold);
    MemoMsg = new QPlainTextEdit;
    MemoMsg->setReadOnly(true);
    MemoMsg->setTabChangesFocus(true);
    LbDate = new QLabel;
    PFDate = NewDateField(this, EfController1);
    SBDate = NewCalendarButton();
    SBDate->setFocusPolicy(Qt::NoFocus);
    LabelAdd = new QLabel(QStringLiteral("Change to your actual immunization date"));
    CBDoc = doctorBoxes_.NewBox(kDoctorLimit);
    PSBDoc = TDoctorBoxes::NewAddressButton();
    PSBDoc->setFocusPolicy(Qt::NoFocus);
    MemoNote = new QPlainTextEdit;
    MemoNote->setTabChangesFocus(true);
    Button1 = new QPushButton(QStringLiteral("&Expense report..."));
    BtnOK = new QPushButton;
    BtnOK->setDefault(true);
    BtnDelete = new QPushButton(QStringLiteral("&Delete"));
    BtnCancel = new QPushButton(QStringLiteral("&Cancel"));
    EfController1->BtnCancel = BtnCancel;
    BevelV = Bevel(QFrame::VLine);
    BevelH = Bevel(QFrame::HLine);

    connect(BtnOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnOKClick(); }); });
    connect(BtnDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDeleteClick(); }); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnCancelClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { PickDateInto(*SBDate, *PFDate); }); });
    connect(PSBDoc, &QToolButton::clicked, this, [this] { RunGuarded([this] { doctorBoxes_.EditAddress(*CBDoc); }); });
    ClearRefusedDates(*EfController1, *PFDate);

    BuildLayout();
    ShowForm();
}

void TDlgMedImmRec::BuildLayout()
{
    auto* date = DateRow(PFDate, SBDate);
    date->addWidget(BevelV);
    date->addWidget(LabelAdd);
    date->addStretch();

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Vaccine:")), 0, 0);
    form->addWidget(LBVaccine, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("About this vaccine:")), 1, 0, Qt::AlignTop);
    MemoMsg->setFixedHeight(70);
    form->addWidget(MemoMsg, 1, 1);
    form->addWidget(LbDate, 2, 0);
    form->addLayout(date, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Health provider:")), 3, 0);
    form->addLayout(TDoctorBoxes::Row(CBDoc, PSBDoc), 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Note:")), 4, 0, Qt::AlignTop);
    MemoNote->setFixedHeight(70);
    form->addWidget(MemoNote, 4, 1);

    auto* expense = new QHBoxLayout;
    expense->addWidget(new QLabel(QStringLiteral("Click here for expense report: ")));
    expense->addWidget(Button1);
    expense->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnDelete);
    buttons->addWidget(BtnCancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(BevelH);
    column->addLayout(expense);
    column->addLayout(buttons);
    resize(520, sizeHint().height());
    // Down the form as it reads, whatever order the controls were made in.
    QWidget* const order[] = {MemoMsg, PFDate, CBDoc, MemoNote, Button1, BtnOK, BtnDelete, BtnCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TDlgMedImmRec::ShowForm()
{
    setWindowTitle(adding_ ? QStringLiteral("Add Immunization Record") : QStringLiteral("Edit Immunization Record"));
    LbDate->setText(adding_ ? QStringLiteral("Expected date:") : QStringLiteral("Immunization date:"));
    BtnOK->setText(adding_ ? QStringLiteral("&Add") : QStringLiteral("&Update"));
    BtnDelete->setVisible(!adding_);
    LabelAdd->setVisible(adding_);
    BevelV->setVisible(adding_);
    LBVaccine->setText(form_.vaccine);
    MemoMsg->setPlainText(form_.about.join(QLatin1Char('\n')));
    FillBizAddrCombo(*CBDoc, kDoctorsCategory);
    doctorBoxes_.SetId(CBDoc, form_.doctorId);
    TDoctorBoxes::ShowText(*CBDoc, form_.doctor);
    MemoNote->setPlainText(form_.note.join(QLatin1Char('\n')));
    const TDateTime shown = form_.date != 0.0 ? form_.date : form_.recommended;
    if (shown != 0.0)
        PFDate->SetDateTimeValue(shown);
    PFDate->setFocus();
}

void TDlgMedImmRec::TakeEntries()
{
    form_.date = PFDate->DateTimeValue();
    // Blanks around a name would make a second business of a known one.
    form_.doctor = CBDoc->currentText().trimmed();
    form_.note = MemoLines(*MemoNote);
}

bool TDlgMedImmRec::Refused(const TDoseRecordVerdict& verdict)
{
    switch (verdict.check) {
    case TDoseRecordCheck::Passed:
        return false;
    case TDoseRecordCheck::BadDate:
        ShowDateEntryError();
        PFDate->ClearText();
        break;
    case TDoseRecordCheck::FarFromSchedule:
        if (ShowMessageBox(verdict.message, MsgIcon::Question, MsgYes | MsgNo) == MsgResult::Yes)
            return false;
        break;
    case TDoseRecordCheck::NoDate:
        ShowMessageBox(verdict.message, MsgIcon::Warning, MsgOk);
        PFDate->ClearText();
        break;
    default:
        ShowMessageBox(verdict.message, MsgIcon::Warning, MsgOk);
        break;
    }
    PFDate->setFocus();
    return true;
}

void TDlgMedImmRec::BtnOKClick()
{
    TakeEntries();
    if (Refused(CheckDoseRecord(form_, PFDate->IsFieldBlank(), Date())))
        return;
    if (SavedWhereItFits(*PFDate, [this] { return SaveDoseRecord(form_); }))
        accept();
}

void TDlgMedImmRec::BtnDeleteClick()
{
    DeleteDoseRecord(form_);
    accept();
}

void TDlgMedImmRec::BtnCancelClick()
{
    reject();
}

void TDlgMedImmRec::reject()
{
    // An expense paid through this opening would count in every sum with no
    // dose to show for it; the one the record had before stays with it.
    if (DroppedOrTold([this] { DropExpenseWrittenThisOpening(form_.expId, form_.expIdAtOpening); }))
        QDialog::reject();
}

void TDlgMedImmRec::Button1Click()
{
    if (const auto outcome = OpenRecordExpense(this, *PFDate, form_.expId, form_.memberId))
        form_.expId = outcome->expId;
}
