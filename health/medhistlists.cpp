#include "medhistlists.h"

#include "controls/memolines.h"
#include "controls/typinglimit.h"
#include "datefield.h"

#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "doctorboxes.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

namespace {

const char* const kCantBeFuture = "It can't be the future date, please enter again.";

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

void Warn(const char* text)
{
    ShowMessageBox(Text(text), MsgIcon::Warning);
}

// The member's own list: an entry the keys select (arrows, a typed letter)
// is picked as a click picks it, so the area shows the entry selected.
class TOwnList : public QListWidget {
public:
    explicit TOwnList(std::function<void()> picked) : picked_(std::move(picked)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const QListWidgetItem* before = currentItem();
        const bool wasSelected = before && before->isSelected();
        QListWidget::keyPressEvent(event);
        const QListWidgetItem* now = currentItem();
        if (now && now->isSelected() && (now != before || !wasSelected))
            picked_();
    }

private:
    std::function<void()> picked_;
};

}  // namespace

const std::array<THistoryKind, 5>& HistoryKinds()
{
    static const std::array<THistoryKind, 5> kinds = {{
        {0, "TSAllergy", "Allergies",
         {"Anesthetics", "Codeine", "Food", "Novacaine", "Penicillin"},
         "My Allergy:", "My Allergies:",
         {"Cause:", 80, 3},
         {{"Symptom:", 100, 1}, {"Medication:", 100, 2}},
         {{"Doctor:", 80, 4, false}},
         {},
         "Note:", "Please enter the CAUSE of allergy.", kCantBeFuture},
        {1, "TSChildDisease", "Childhood",
         {"Chicken Pox", "Diptheria", "DTP", "Haemophilus influenza type B (Hib)", "Measles", "Mumps", "Pertussis",
          "Polio", "Rubella (German Measles)", "Shingles", "Tetanus"},
         "My Childhood Disease:", "My Childhood Diseases:",
         {"Disease:", 80, 3},
         {},
         {{"Doctor:", 80, 4, false}},
         {{"Begin Date:", TDateRole::Begin}, {"End Date:", TDateRole::End}},
         "Notes:", "Please enter the \"Disease\" name.", kCantBeFuture},
        {2, "TSDisease", "Adult",
         {"Anemia", "Arthritis", "Asthma", "Blood Diseases", "Cancer", "Circulation Ploblems", "Diabetes",
          "Eye Trouble", "Gout", "Heart Trouble", "High Blood Pressure", "Kidney Trouble", "Liver Trouble", "V.D.",
          "Varicose Veins"},
         "My Disease History:", "My Disease History:",
         {"Disease/Condition:", 80, 3},
         {},
         {{"Doctor/Hospital:", 80, 4, false}},
         {{"Begin Date:", TDateRole::Begin}, {"End Date:", TDateRole::End}},
         "Notes:", "Please enter the \"Disease\" name.", kCantBeFuture},
        {3, "TSMedication", "Prescription",
         {"Anabolic", "Analgesics", "Antiarrhythmics", "Antidiabetic", "Antipyretics", "Bronchodilators",
          "Chelating", "Cough Suppressants", "Decongestants", "Hypnotics", "Nitrates", "Penicillin", "Vasodilators"},
         "My Medication:", "My Medications:",
         {"Medication:", 100, 1},
         {{"Used for Condition:", 100, 2}},
         {{"Physician:", 80, 3, false}},
         {{"Begin Date:", TDateRole::Begin}, {"End Date:", TDateRole::End}},
         "Notes:", "Please enter the \"Medication\" name.", "It can' be the future date, please enter again."},
        {4, "TSSurgery", "Surgeries",
         {"Anemias", "Bleeding Disorders", "Blood Transfusing", "Cataract", "Cosmetic", "Heart Disease",
          "Heart Valve ", "Hernia", "Leukemias", "Liver Disease", "Lymphomas", "Stomach Disease", "Trauma"},
         "My Surgery Record:", "My Surgery Records:",
         {"Surgery:", 100, 1},
         {},
         {{"Doctor:", 100, 2, false}, {"Hospital:", 80, 3, true}},
         {{"Date Surgery Performed:", TDateRole::Single}},
         "Notes:", "Please enter the \"Surgery\" name.", kCantBeFuture},
    }};
    return kinds;
}

TDateVerdict JudgeHistoryDate(TDateTime date, TDateRole role, TDateTime partner, TDateTime birth, TDateTime today)
{
    const TDateTime day = DateOf(date);
    if (day < DateOf(birth))
        return TDateVerdict::BeforeBirth;
    if (day > DateOf(today))
        return TDateVerdict::Future;
    if (partner != 0.0) {
        if (role == TDateRole::Begin && DateOf(partner) < day)
            return TDateVerdict::BeginAfterEnd;
        if (role == TDateRole::End && day < DateOf(partner))
            return TDateVerdict::EndBeforeBegin;
    }
    return TDateVerdict::Accepted;
}

QString DateVerdictText(TDateVerdict verdict, const THistoryKind& kind)
{
    switch (verdict) {
    case TDateVerdict::Accepted: return {};
    case TDateVerdict::BeforeBirth: return QStringLiteral("It is impossible your entering date is earlier than your birthday.");
    case TDateVerdict::Future: return Text(kind.future);
    case TDateVerdict::BeginAfterEnd:
        return QStringLiteral("The begin-date can not be later then end-date. Please re-enter again.");
    case TDateVerdict::EndBeforeBegin:
        return QStringLiteral("The end-date can not be earlier then begin-date. Please re-enter again.");
    }
    return {};
}

THistoryTab::THistoryTab(const THistoryKind& kind, qint32 memberId, TDateTime birth, TDoctorBoxes& doctorBoxes,
                         TEfController* controller, QWidget* parent)
    : QWidget(parent), kind_(kind), memberId_(memberId), birth_(birth), doctorBoxes_(doctorBoxes)
{
    setObjectName(Text(kind.sheetName));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    BuildLists();
    auto* lists = new QHBoxLayout;
    auto* suggested = new QVBoxLayout;
    suggested->addWidget(new QLabel(QStringLiteral("Suggested items:")));
    suggested->addWidget(ListSuggested);
    lists->addLayout(suggested, 1);
    lists->addWidget(BtnCopy, 0, Qt::AlignVCenter);
    lists->addWidget(GroupOwn, 1);
    column->addLayout(lists, 1);
    column->addWidget(BuildDescription(controller));
    UpdateCaption();
}

void THistoryTab::BuildLists()
{
    ListSuggested = new QListWidget;
    for (const char* item : kind_.suggestions)
        ListSuggested->addItem(Text(item));
    BtnCopy = new QPushButton(QStringLiteral("-->"));
    BtnCopy->setFixedWidth(36);
    GroupOwn = new QGroupBox;
    ListOwn = new TOwnList([this] { RunGuarded([this] { OwnListClick(); }); });
    BtnAddOther = new QPushButton(QStringLiteral("&Add other"));
    BtnDelete = new QPushButton(QStringLiteral("&Delete"));
    auto* own = new QGridLayout(GroupOwn);
    own->addWidget(ListOwn, 0, 0, 1, 2);
    own->addWidget(BtnAddOther, 1, 0);
    own->addWidget(BtnDelete, 1, 1);

    connect(ListSuggested, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { SuggestionClick(); }); });
    connect(BtnCopy, &QPushButton::clicked, this, [this] { RunGuarded([this] { CopyClick(); }); });
    connect(ListOwn, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { OwnListClick(); }); });
    connect(BtnAddOther, &QPushButton::clicked, this, [this] { RunGuarded([this] { AddOtherClick(); }); });
    connect(BtnDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { DeleteClick(); }); });
}

QWidget* THistoryTab::BuildDescription(TEfController* controller)
{
    auto* area = new QGroupBox(QStringLiteral("Description:"));
    auto* grid = new QGridLayout(area);
    grid->setVerticalSpacing(3);
    int row = 0;
    auto addRow = [&](const char* label, QWidget* control, QWidget* button = nullptr) {
        grid->addWidget(new QLabel(Text(label)), row, 0);
        grid->addWidget(control, row, 1, 1, button ? 1 : 2);
        if (button)
            grid->addWidget(button, row, 2);
        ++row;
    };

    EditName = new QLineEdit;
    EditName->setMaxLength(kind_.name.maxLength);
    addRow(kind_.name.label, EditName);
    connect(EditName, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { NameChange(); }); });
    for (const THistoryText& text : kind_.texts) {
        auto* edit = new QLineEdit;
        edit->setMaxLength(text.maxLength);
        Texts.push_back(edit);
        addRow(text.label, edit);
    }
    for (size_t i = 0; i < kind_.boxes.size(); ++i) {
        auto* box = new QComboBox;
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        LimitTyping(*box->lineEdit(), kind_.boxes[i].maxLength);
        auto* button = new QToolButton;
        button->setText(QStringLiteral("..."));
        button->setToolTip(QStringLiteral("Address"));
        Boxes.push_back(box);
        AddressButtons.push_back(button);
        doctorBoxes_.Add(box);
        addRow(kind_.boxes[i].label, box, button);
        connect(button, &QToolButton::clicked, this, [this, i] { RunGuarded([this, i] { AddressClick(int(i)); }); });
    }
    for (size_t i = 0; i < kind_.dates.size(); ++i) {
        auto* field = NewDateField(area, controller);
        auto* button = NewCalendarButton();
        Dates.push_back(field);
        DateButtons.push_back(button);
        addRow(kind_.dates[i].label, field, button);
        connect(button, &QToolButton::clicked, this, [this, i] { RunGuarded([this, i] { DatePickerClick(int(i)); }); });
    }
    MemoNote = new QPlainTextEdit;
    MemoNote->setTabChangesFocus(true);
    MemoNote->setFixedHeight(kind_.dates.empty() && kind_.boxes.size() < 2 ? 56 : 44);
    addRow(kind_.noteLabel, MemoNote);
    grid->setColumnStretch(1, 1);
    return area;
}

QString THistoryTab::GroupCaption() const
{
    return Text(ListOwn->count() < 2 ? kind_.singular : kind_.plural);
}

void THistoryTab::UpdateCaption()
{
    GroupOwn->setTitle(GroupCaption());
}

int THistoryTab::OwnRow(const QString& text) const
{
    for (int i = 0; i < ListOwn->count(); ++i)
        if (ListOwn->item(i)->text() == text)
            return i;
    return -1;
}

void THistoryTab::AddOwn(const QString& text, qint32 historyId)
{
    // Sorted as a person reads the list: letter case aside.
    int at = 0;
    while (at < ListOwn->count() && QString::compare(ListOwn->item(at)->text(), text, Qt::CaseInsensitive) <= 0)
        ++at;
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, historyId);
    ListOwn->insertItem(at, item);
    ListOwn->setCurrentItem(item);
}

void THistoryTab::LoadList()
{
    ListOwn->clear();
    for (const THistoryEntry& entry : ReadHistoryEntries(memberId_, kind_.recordType, kind_.name.field))
        if (OwnRow(entry.name) < 0)
            AddOwn(entry.name, entry.historyId);
    ListOwn->setCurrentItem(nullptr);
    UpdateCaption();
}

void THistoryTab::Activated()
{
    QListWidgetItem* selected = ListOwn->currentItem();
    if (selected && selected->isSelected()) {
        OwnListClick();
        return;
    }
    currentId_ = 0;
    ClearDescription();
}

void THistoryTab::ClearDescription()
{
    EditName->clear();
    NameChange();
    for (QLineEdit* edit : Texts)
        edit->clear();
    for (QComboBox* box : Boxes) {
        TDoctorBoxes::ShowText(*box, QString());
        doctorBoxes_.SetId(box, 0);
    }
    for (TEfPictureField* field : Dates)
        field->ClearText();
    MemoNote->clear();
}

void THistoryTab::LoadRecord()
{
    const std::optional<THistoryRecord> record = ReadHistoryRecord(memberId_, currentId_);
    if (!record)
        return;
    EditName->setText(record->fields[kind_.name.field - 1]);
    for (size_t i = 0; i < Texts.size(); ++i)
        Texts[i]->setText(record->fields[kind_.texts[i].field - 1]);
    for (size_t i = 0; i < Boxes.size(); ++i) {
        TDoctorBoxes::ShowText(*Boxes[i], record->fields[kind_.boxes[i].field - 1]);
        doctorBoxes_.SetId(Boxes[i], kind_.boxes[i].hospital ? record->hospitalId : record->doctorId);
    }
    for (size_t i = 0; i < Dates.size(); ++i) {
        const TDateTime date = kind_.dates[i].role == TDateRole::Begin ? record->bdate : record->edate;
        if (date == 0.0)
            Dates[i]->ClearText();
        else
            Dates[i]->SetDateTimeValue(date);
    }
    MemoNote->setPlainText(record->note.join(QLatin1Char('\n')));
}

THistoryRecord THistoryTab::RecordShown()
{
    THistoryRecord record;
    record.recordType = kind_.recordType;
    record.fields[kind_.name.field - 1] = EditName->text();
    for (size_t i = 0; i < Texts.size(); ++i)
        record.fields[kind_.texts[i].field - 1] = Texts[i]->text();
    for (size_t i = 0; i < Boxes.size(); ++i) {
        record.fields[kind_.boxes[i].field - 1] = Boxes[i]->currentText();
        (kind_.boxes[i].hospital ? record.hospitalId : record.doctorId) = doctorBoxes_.Id(Boxes[i]);
    }
    for (size_t i = 0; i < Dates.size(); ++i)
        (kind_.dates[i].role == TDateRole::Begin ? record.bdate : record.edate) = Dates[i]->DateTimeValue();
    record.note = MemoLines(*MemoNote);
    return record;
}

bool THistoryTab::Write(bool insert)
{
    if (EditName->text().isEmpty()) {
        Warn(kind_.nameMissing);
        EditName->setFocus();
        return false;
    }
    if (insert)
        currentId_ = InsertHistoryRecord(memberId_, RecordShown());
    else
        UpdateHistoryRecord(memberId_, currentId_, RecordShown());
    return true;
}

bool THistoryTab::ListedForAnother(const QString& name) const
{
    const int row = OwnRow(name);
    return !name.isEmpty() && row >= 0 && ListOwn->item(row)->data(Qt::UserRole).toInt() != currentId_;
}

bool THistoryTab::Save()
{
    const bool insert = currentId_ == 0;
    // The list shows each name once: a second entry of a name it holds
    // would be printed, yet never shown nor deleted, and an entry renamed
    // so would vanish from the list on reopening. Refused as the name was,
    // new or renamed, it stays refused whichever field is left after it.
    if (ListedForAnother(EditName->text())) {
        Warn("Duplicate Item.");
        return true;
    }
    if (!Write(insert))
        return false;
    // An entry written before its name was taken still shows in the list.
    if (insert) {
        AddOwn(EditName->text(), currentId_);
        UpdateCaption();
    }
    return true;
}

void THistoryTab::SuggestionClick()
{
    ListOwn->clearSelection();
}

void THistoryTab::CopyClick()
{
    QListWidgetItem* suggestion = ListSuggested->currentItem();
    if (!suggestion || !suggestion->isSelected())
        return;
    const QString text = suggestion->text();
    if (OwnRow(text) >= 0) {
        Warn("Duplicated item!");
        return;
    }
    ClearDescription();
    EditName->setText(text);
    if (!Write(true))
        return;
    AddOwn(text, currentId_);
    UpdateCaption();
    ListSuggested->clearSelection();
}

void THistoryTab::OwnListClick()
{
    QListWidgetItem* entry = ListOwn->currentItem();
    if (!entry)
        return;
    ListSuggested->clearSelection();
    currentId_ = entry->data(Qt::UserRole).toInt();
    ClearDescription();
    LoadRecord();
}

void THistoryTab::AddOtherClick()
{
    ClearDescription();
    currentId_ = 0;
    EditName->setFocus();
}

void THistoryTab::DeleteClick()
{
    QListWidgetItem* entry = ListOwn->currentItem();
    if (!entry || !entry->isSelected()) {
        Warn("Please select one item to delete.");
        return;
    }
    if (ShowMessageBox(QStringLiteral("Do you really want to delete it?"), MsgIcon::Question, MsgYes | MsgNo) ==
        MsgResult::No)
        return;
    DeleteHistoryRecord(entry->data(Qt::UserRole).toInt());
    delete entry;
    ListOwn->setCurrentItem(nullptr);
    ClearDescription();
    currentId_ = 0;
    UpdateCaption();
}

void THistoryTab::NameChange()
{
    const QString text = EditName->text();
    const bool suggested = std::any_of(kind_.suggestions.begin(), kind_.suggestions.end(),
                                       [&text](const char* item) { return Text(item) == text; });
    EditName->setReadOnly(suggested);
    EditName->setFocusPolicy(suggested ? Qt::ClickFocus : Qt::StrongFocus);
    QPalette colours = EditName->palette();
    colours.setColor(QPalette::Base, palette().color(suggested ? QPalette::Button : QPalette::Base));
    EditName->setPalette(colours);
}

bool THistoryTab::NameExit()
{
    const QString text = EditName->text();
    if (text.isEmpty())
        return true;
    if (currentId_ == 0) {
        if (OwnRow(text) >= 0) {
            Warn("Duplicate Item.");
            return true;
        }
        if (!Write(true))
            return false;
        AddOwn(text, currentId_);
    } else if (!ListedForAnother(text)) {
        // A field left while the name was another entry's was not written:
        // with a name of its own the entry is written whole, changed or not.
        if (!Write(false))
            return false;
        if (OwnRow(text) < 0) {
            QListWidgetItem* selected = ListOwn->currentItem();
            if (selected && selected->isSelected())
                delete selected;
            AddOwn(text, currentId_);
        }
    }
    UpdateCaption();
    return true;
}

bool THistoryTab::DetailExit(QWidget* control)
{
    if (control == EditName)
        return NameExit();
    if (control == MemoNote)
        return MemoLines(*MemoNote).isEmpty() || Save();
    if (auto* box = qobject_cast<QComboBox*>(control)) {
        if (box->currentText().isEmpty())
            return true;
        doctorBoxes_.QuickAdd(*box);
        return Save();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text().isEmpty() || Save();
    return true;
}

bool THistoryTab::DateExit(int index, bool focusInPage)
{
    TEfPictureField* field = Dates[size_t(index)];
    if (field->IsFieldBlank())
        return true;
    const TDateRole role = kind_.dates[size_t(index)].role;
    TDateTime partner = 0.0;
    if (role != TDateRole::Single && Dates.size() == 2)
        partner = Dates[size_t(1 - index)]->DateTimeValue();
    const TDateVerdict verdict = JudgeHistoryDate(field->DateTimeValue(), role, partner, birth_, Date());
    if (verdict == TDateVerdict::Accepted)
        return Save();
    ShowMessageBox(DateVerdictText(verdict, kind_), MsgIcon::Warning);
    if (verdict == TDateVerdict::Future || focusInPage) {
        if (verdict == TDateVerdict::Future)
            field->ClearText();
        if (TEfController* controller = field->Controller())
            controller->RequestFocus(field);
    } else {
        field->ClearText();
    }
    return false;
}

void THistoryTab::AddressClick(int index)
{
    doctorBoxes_.EditAddress(*Boxes[size_t(index)]);
}

void THistoryTab::DatePickerClick(int index)
{
    TEfPictureField* field = Dates[size_t(index)];
    OpenDatePickerBeside(*DateButtons[size_t(index)], field->DateTimeValue(), [this, field, index] {
        field->SetDateTimeValue(PickedDate);
        PickedDateExit(index);
    });
}

void THistoryTab::PickedDateExit(int index)
{
    // The calendar button takes no focus: the caret is still in the control
    // the user was in, though the picker is the active window now. A refused
    // date takes the focus from it while a box holds the window, and that
    // control would never be left: it is left now, once the refused date is
    // gone from its field.
    QWidget* caret = DetailControlOf(window()->focusWidget());
    if (!DateExit(index, false) && caret && Dates[size_t(index)]->IsFieldBlank())
        DetailExit(caret);
}

QWidget* THistoryTab::DetailControlOf(QWidget* widget) const
{
    if (!widget)
        return nullptr;
    if (widget == EditName || widget == MemoNote)
        return widget;
    for (QLineEdit* edit : Texts)
        if (widget == edit)
            return edit;
    for (QComboBox* box : Boxes)
        if (widget == box || widget == box->lineEdit())
            return box;
    return nullptr;
}

int THistoryTab::DateIndexOf(const QWidget* widget) const
{
    for (size_t i = 0; i < Dates.size(); ++i)
        if (Dates[i] == widget)
            return int(i);
    return -1;
}
