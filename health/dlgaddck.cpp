#include "dlgaddck.h"

#include "chkschedule.h"

#include "controls/memolines.h"
#include "platform/dataset.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kNameLimit = 100;

TIntervalUnit UnitOf(const QComboBox& box)
{
    switch (box.currentIndex()) {
    case 0: return TIntervalUnit::Months;
    case 1: return TIntervalUnit::Years;
    default: return TIntervalUnit::None;
    }
}

int IndexOf(TIntervalUnit unit)
{
    switch (unit) {
    case TIntervalUnit::Months: return 0;
    case TIntervalUnit::Years: return 1;
    case TIntervalUnit::None: break;
    }
    return -1;
}

}  // namespace

TChkItemOutcome ShowCheckupItemDialog(QWidget* parent, bool adding, qint32 memberId, qint32 sex, int age,
                                      qint32 templId)
{
    const auto dialog = MakeUnderHourglass<TDlgAddCk>(parent, adding, memberId, sex, age, templId);
    dialog->exec();
    return dialog->Outcome();
}

TDlgAddCk::TDlgAddCk(QWidget* parent, bool adding, qint32 memberId, qint32 sex, int age, qint32 templId)
    : QDialog(parent), adding_(adding), memberId_(memberId), sex_(sex), age_(age)
{
    setObjectName(QStringLiteral("DlgAddCk"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    LabelCheckup = new QLabel;
    EditCheckup = new QLineEdit;
    EditCheckup->setMaxLength(kNameLimit);
    CBCheckup = new QComboBox;
    SFInterval = new QSpinBox;
    SFInterval->setRange(0, 99);
    CBInterval = new QComboBox;
    CBInterval->addItems({QStringLiteral("Month(s)"), QStringLiteral("Year(s)")});
    SFStartAge = new QSpinBox;
    SFStartAge->setRange(0, 99);
    MemoCheckup = new QPlainTextEdit;
    MemoCheckup->setTabChangesFocus(true);
    BtnOK = new QPushButton(QStringLiteral("OK"));
    BtnOK->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("&Cancel"));
    BtnApply = new QPushButton(QStringLiteral("&Apply"));

    connect(CBCheckup, &QComboBox::activated, this, [this] { RunGuarded([this] { CBCheckupChange(); }); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnOKClick(); }); });
    connect(BtnApply, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnApplyClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    BuildLayout();
    Reset();
    setWindowTitle(adding ? QStringLiteral("Add a Medical Checkup Item") : QStringLiteral("Edit a Medical Checkup Item"));
    if (!adding && templId != 0) {
        BtnApply->hide();
        CBCheckup->setCurrentIndex(CBCheckup->findData(templId));
        if (CBCheckup->currentIndex() >= 0)
            CBCheckupChange();
    }
}

void TDlgAddCk::BuildLayout()
{
    auto* name = new QHBoxLayout;
    name->addWidget(EditCheckup, 1);
    name->addWidget(CBCheckup, 1);
    CBCheckup->setVisible(!adding_);

    auto* interval = new QHBoxLayout;
    interval->addWidget(new QLabel(QStringLiteral("How often do you want to perform this checkup :  every")));
    interval->addWidget(SFInterval);
    interval->addWidget(CBInterval);
    interval->addStretch();
    auto* start = new QHBoxLayout;
    start->addWidget(new QLabel(QStringLiteral("Please enter the age when you want to start this checkup :")));
    start->addWidget(SFStartAge);
    start->addWidget(new QLabel(QStringLiteral("years old.")));
    start->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(Button1);
    buttons->addWidget(BtnApply);

    auto* column = new QVBoxLayout(this);
    column->addWidget(LabelCheckup);
    column->addLayout(name);
    column->addLayout(interval);
    column->addLayout(start);
    column->addWidget(new QLabel(QStringLiteral("Detail description :")));
    MemoCheckup->setFixedHeight(80);
    column->addWidget(MemoCheckup);
    column->addLayout(buttons);
    resize(560, sizeHint().height());
    // Down the form, whatever order the controls were made in.
    QWidget* const order[] = {CBCheckup, EditCheckup, SFInterval, CBInterval, SFStartAge,
                              MemoCheckup, BtnOK, Button1, BtnApply};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TDlgAddCk::Reset()
{
    EditCheckup->clear();
    SFStartAge->setValue(age_);
    SFInterval->setValue(1);
    CBInterval->setCurrentIndex(-1);
    MemoCheckup->clear();
    loadedName_.clear();
    if (adding_) {
        LabelCheckup->setText(QStringLiteral("Please enter the name of the new checkup item :"));
        return;
    }
    LabelCheckup->setText(QStringLiteral("Please select a checkup item to edit"));
    FillItems();
}

void TDlgAddCk::FillItems()
{
    CBCheckup->clear();
    for (const auto& [templId, name] : ReadChkItemNames(memberId_))
        CBCheckup->addItem(name, templId);
    CBCheckup->setCurrentIndex(-1);
}

void TDlgAddCk::CBCheckupChange()
{
    const TChkItemForm item = ReadChkItem(CBCheckup->currentData().toInt());
    loadedName_ = item.name;
    EditCheckup->setText(item.name);
    SFStartAge->setValue(item.startAge);
    SFInterval->setValue(item.interval);
    CBInterval->setCurrentIndex(IndexOf(item.unit));
    MemoCheckup->setPlainText(item.detail.join(QLatin1Char('\n')));
}

TChkItemForm TDlgAddCk::Entries() const
{
    TChkItemForm form;
    form.templId = adding_ ? 0 : CBCheckup->currentData().toInt();
    form.name = EditCheckup->text();
    form.interval = SFInterval->value();
    form.unit = UnitOf(*CBInterval);
    form.startAge = SFStartAge->value();
    form.detail = MemoLines(*MemoCheckup);
    return form;
}

bool TDlgAddCk::Save()
{
    if (!adding_ && CBCheckup->currentIndex() < 0) {
        ShowMessageBox(QStringLiteral("Please select a checkup from the drop down list to edit."), MsgIcon::Warning,
                       MsgOk);
        CBCheckup->setFocus();
        return false;
    }
    const TChkItemForm form = Entries();
    if (const auto refusal = CheckChkItem(form)) {
        ShowMessageBox(refusal->message, MsgIcon::Warning, MsgOk);
        switch (refusal->field) {
        case TChkItemField::Name: EditCheckup->setFocus(); break;
        case TChkItemField::Interval: SFInterval->setFocus(); break;
        case TChkItemField::Unit: CBInterval->setFocus(); break;
        }
        return false;
    }
    if (!adding_)
        return SaveEdit(form);
    try {
        AddChkItem(memberId_, sex_, form);
    } catch (const EDatabaseError&) {
        ShowMessageBox(QStringLiteral("Failed to add new checkup item."), MsgIcon::Warning, MsgOk);
        return false;
    }
    changed_ = true;
    return true;
}

bool TDlgAddCk::SaveEdit(const TChkItemForm& form)
{
    const bool rename = form.name != loadedName_ &&
                        ShowMessageBox(RenameChkItemQuestion(loadedName_, form.name), MsgIcon::Question,
                                       MsgYes | MsgNo) == MsgResult::Yes;
    try {
        UpdateChkItem(memberId_, sex_, form, rename);
    } catch (const EDatabaseError&) {
        ShowMessageBox(QStringLiteral("Failed to update checkup item."), MsgIcon::Warning, MsgOk);
        return false;
    }
    changed_ = true;
    return true;
}

void TDlgAddCk::BtnOKClick()
{
    if (!Save())
        return;
    accepted_ = true;
    accept();
}

void TDlgAddCk::BtnApplyClick()
{
    if (!Save())
        return;
    applied_ = true;
    Reset();
    setWindowTitle(adding_ ? QStringLiteral("Add Another Medical Checkup Item")
                           : QStringLiteral("Edit Another Medical Checkup Item"));
}
