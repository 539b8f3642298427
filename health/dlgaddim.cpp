#include "dlgaddim.h"

#include "controls/memolines.h"
#include "immundata.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kNameLimit = 100;

QLabel* WrappedLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

TAgeUnit UnitOf(const QComboBox& box)
{
    switch (box.currentIndex()) {
    case 0: return TAgeUnit::Months;
    case 1: return TAgeUnit::Years;
    default: return TAgeUnit::None;
    }
}

}  // namespace

bool ShowVaccineDialog(QWidget* parent, bool adding, qint32 memberId, qint32 newImmuId)
{
    const auto dialog = MakeUnderHourglass<TDlgAddIm>(parent, adding, memberId, newImmuId);
    dialog->exec();
    return dialog->Changed();
}

TDlgAddIm::TDlgAddIm(QWidget* parent, bool adding, qint32 memberId, qint32 newImmuId)
    : QDialog(parent), adding_(adding), vaccine_{memberId, newImmuId, {}, {}, {}}
{
    setObjectName(QStringLiteral("DlgAddIm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(adding ? QStringLiteral("Add a Vaccine Item") : QStringLiteral("Edit a Vaccine Item"));
    LabelVaccine = new QLabel(adding ? QStringLiteral("Please enter the name of the new vaccine item :")
                                     : QStringLiteral("Please select a vaccine item to edit"));
    EditVaccine = new QLineEdit;
    EditVaccine->setMaxLength(kNameLimit);
    CBVaccine = new QComboBox;
    CBVaccine->setVisible(!adding);
    SFAtAge = new QSpinBox;
    SFAtAge->setRange(0, 99);
    SFAtAge->setValue(1);
    CBScheduleType = new QComboBox;
    CBScheduleType->addItems({QStringLiteral("Month(s)"), QStringLiteral("Year(s)")});
    CBScheduleType->setCurrentIndex(-1);
    BtnAdd = new QPushButton(QStringLiteral("Add   =>"));
    LBVaccine = new QListWidget;
    BtnDel = new QPushButton(QStringLiteral("&Delete"));
    MemoVaccine = new QPlainTextEdit;
    MemoVaccine->setTabChangesFocus(true);
    BtnOK = new QPushButton(QStringLiteral("OK"));
    BtnOK->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("&Cancel"));
    BtnApply = new QPushButton(QStringLiteral("&Apply"));

    connect(CBVaccine, &QComboBox::activated, this, [this] { RunGuarded([this] { CBVaccineChange(); }); });
    connect(BtnAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(BtnDel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, LBVaccine, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnOKClick(); }); });
    connect(BtnApply, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnApplyClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    BuildLayout();
    if (!adding)
        FillVaccines();
}

void TDlgAddIm::BuildLayout()
{
    auto* name = new QHBoxLayout;
    name->addWidget(EditVaccine, 1);
    name->addWidget(CBVaccine, 1);

    auto* age = new QHBoxLayout;
    age->addWidget(new QLabel(QStringLiteral("At age of")));
    age->addWidget(SFAtAge);
    age->addWidget(CBScheduleType);
    age->addStretch();
    auto* entry = new QVBoxLayout;
    entry->addWidget(WrappedLabel(QStringLiteral("Please enter when this vaccine should be given and click the "
                                                 "\"Add\" button to add to the list. Allows only 1 ~ 23 months and "
                                                 "2 ~ 20 years old.")));
    entry->addLayout(age);
    entry->addWidget(BtnAdd, 0, Qt::AlignRight);
    entry->addWidget(WrappedLabel(QStringLiteral("If you want to delete a scheduled time, highlight it in the list "
                                                 "and click the \"Delete\" button or press the delete key on the "
                                                 "keyboard.")));
    entry->addStretch();
    auto* list = new QVBoxLayout;
    list->addWidget(LBVaccine);
    list->addWidget(BtnDel, 0, Qt::AlignRight);
    auto* points = new QHBoxLayout;
    points->addLayout(entry, 3);
    points->addLayout(list, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(Button1);
    buttons->addWidget(BtnApply);

    auto* column = new QVBoxLayout(this);
    column->addWidget(LabelVaccine);
    column->addLayout(name);
    column->addLayout(points);
    column->addWidget(new QLabel(QStringLiteral("Detail description :")));
    MemoVaccine->setFixedHeight(80);
    column->addWidget(MemoVaccine);
    column->addLayout(buttons);
    resize(560, sizeHint().height());
    // The wrapped texts need this much; the window keeps no smaller.
    setMinimumSize(size());
}

void TDlgAddIm::FillVaccines()
{
    CBVaccine->clear();
    for (const TVaccine& vaccine : ReadMemberVaccines(vaccine_.memberId))
        CBVaccine->addItem(vaccine.name, vaccine.immuId);
    CBVaccine->setCurrentIndex(-1);
}

void TDlgAddIm::CBVaccineChange()
{
    vaccine_ = ReadVaccine(vaccine_.memberId, CBVaccine->currentData().toInt());
    removed_.clear();
    loadedName_ = vaccine_.name;
    loadedDescription_ = vaccine_.description.join(QLatin1Char('\n'));
    EditVaccine->setText(vaccine_.name);
    MemoVaccine->setPlainText(loadedDescription_);
    ShowPoints();
}

void TDlgAddIm::ShowPoints()
{
    LBVaccine->clear();
    for (const TVaccSched& point : vaccine_.points)
        LBVaccine->addItem(PointLabel(point));
}

void TDlgAddIm::BtnAddClick()
{
    if (const auto refusal = AddSchedulePoint(vaccine_.points, UnitOf(*CBScheduleType), SFAtAge->value())) {
        ShowMessageBox(*refusal, MsgIcon::Warning, MsgOk);
        SFAtAge->setFocus();
        return;
    }
    ShowPoints();
}

void TDlgAddIm::BtnDelClick()
{
    const int row = LBVaccine->currentRow();
    if (row < 0 || !LBVaccine->currentItem()->isSelected()) {
        ShowMessageBox(QStringLiteral("Please select a scheduled time to delete."), MsgIcon::Warning, MsgOk);
        return;
    }
    const TVaccSched point = vaccine_.points[static_cast<size_t>(row)];
    if (point.templId != 0)
        removed_.push_back(point);
    vaccine_.points.erase(vaccine_.points.begin() + row);
    ShowPoints();
}

bool TDlgAddIm::Save()
{
    if (!adding_ && CBVaccine->currentIndex() < 0) {
        ShowMessageBox(QStringLiteral("Please select a vaccine from the drop down list to edit."), MsgIcon::Warning,
                       MsgOk);
        CBVaccine->setFocus();
        return false;
    }
    vaccine_.name = EditVaccine->text();
    vaccine_.description = MemoLines(*MemoVaccine);
    if (const auto refusal = CheckVaccineName(vaccine_.name)) {
        ShowMessageBox(*refusal, MsgIcon::Warning, MsgOk);
        EditVaccine->setFocus();
        return false;
    }
    // A vaccine is stored as its points: without one OK would save nothing.
    if (adding_ && vaccine_.points.empty()) {
        ShowMessageBox(QStringLiteral("Please add when this vaccine should be given to the list."), MsgIcon::Warning,
                       MsgOk);
        SFAtAge->setFocus();
        return false;
    }
    if (adding_)
        SaveNewVaccine(vaccine_);
    else if (!SaveEdit())
        return false;
    changed_ = true;
    return true;
}

bool TDlgAddIm::SaveEdit()
{
    TVaccineEdit saving = vaccine_;
    std::vector<TVaccSched> removing;
    for (const TVaccSched& point : removed_) {
        if (!PointHasRecords(point.templId) ||
            ShowMessageBox(RemovePointQuestion(point), MsgIcon::Question, MsgYes | MsgNo) == MsgResult::Yes) {
            removing.push_back(point);
            continue;
        }
        // Kept, it takes the vaccine's new name like the other kept points.
        for (const TVaccSched& dropped : KeepRecordedPoint(saving.points, point))
            ShowMessageBox(PointNotAddedMessage(dropped, point), MsgIcon::Warning, MsgOk);
    }
    SaveEditedVaccine(saving, removing, vaccine_.name != loadedName_,
                      MemoVaccine->toPlainText() != loadedDescription_);
    removed_.clear();
    FillVaccines();
    const int again = CBVaccine->findText(vaccine_.name);
    CBVaccine->setCurrentIndex(again);
    if (again >= 0)
        CBVaccineChange();
    return true;
}

void TDlgAddIm::BtnOKClick()
{
    if (Save())
        accept();
}

void TDlgAddIm::BtnApplyClick()
{
    if (Save())
        Reset();
}

void TDlgAddIm::Reset()
{
    EditVaccine->clear();
    SFAtAge->setValue(1);
    CBScheduleType->setCurrentIndex(-1);
    MemoVaccine->clear();
    vaccine_.points.clear();
    removed_.clear();
    LBVaccine->clear();
    if (adding_) {
        setWindowTitle(QStringLiteral("Add Another Medical Checkup Item"));
        ++vaccine_.immuId;
    } else {
        setWindowTitle(QStringLiteral("Edit Another Medical Checkup Item"));
        CBVaccine->setCurrentIndex(-1);
    }
}
