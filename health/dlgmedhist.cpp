#include "dlgmedhist.h"

#include "datefield.h"

#include "context/context.h"
#include "controls/efbasefield.h"
#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "controls/efsimple.h"
#include "controls/efspinner.h"
#include "controls/memolines.h"
#include "keyedglyph.h"
#include "medhistlists.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "radiogroup.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

constexpr int kNameLimit = 30;
constexpr int kDoctorLimit = 50;
const char* const kListHint = "Using the \"Description\" area to VIEW and EDIT your detail record.";
const std::array<const char*, 5> kLensHeadings = {"SPHERICAL", "CYLINDRICAL", "   AXIS", "  PRISM", "   BASE"};
const std::array<std::array<const char*, 2>, 4> kLensRows = {{
    {"  D.V.", "  O.D."}, {"  D.V.", "  O.S."}, {"  N.V.", "  O.D."}, {"  N.V.", "  O.S."},
}};
constexpr int kLensFixedColumns = 2;

// A folder with a red cross, drawn on the key colour.
QPixmap HeaderSource()
{
    QPixmap picture(40, 40);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(QColor(0xF0, 0xD0, 0x80));
    painter.drawRect(4, 8, 32, 26);
    painter.setBrush(Qt::white);
    painter.drawRect(9, 4, 22, 24);
    painter.fillRect(17, 9, 6, 15, QColor(0xC0, 0x10, 0x10));
    painter.fillRect(12, 14, 16, 5, QColor(0xC0, 0x10, 0x10));
    return picture;
}

// A whole number put in the field; 0 shows as an empty field.
void ShowCount(TEfBaseEntryField& field, qint32 value)
{
    if (value == 0)
        field.ClearText();
    else
        field.SetIntegerValue(value);
}

TEfSpinner* SpinnerFor(TEfBaseEntryField* field)
{
    auto* spinner = new TEfSpinner;
    spinner->FocusedControl = field;
    spinner->Delta = 1.0;
    spinner->setFixedSize(16, 22);
    field->setFixedWidth(70);
    return spinner;
}

}  // namespace

bool ShowMedHistDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgMedHist>();
    dialog->exec();
    return dialog->ProfileSaved();
}

TDlgMedHist::TDlgMedHist(QWidget* parent) : QDialog(parent), memberId_(CurMemberID)
{
    setObjectName(QStringLiteral("DlgMedHist"));
    EfController1 = new TEfController(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    PageControl1 = new QTabWidget;
    // All seven tabs in view.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->addTab(BuildProfile(), QStringLiteral("Profile"));
    PageControl1->addTab(BuildVision(), QStringLiteral("Vision"));
    // The member's row is read once: its birth date bounds the history dates.
    profile_ = ReadMedProfile(memberId_);
    birth_ = profile_ ? profile_->dob : kNoBirthDate;
    for (const THistoryKind& kind : HistoryKinds()) {
        auto* page = new THistoryTab(kind, memberId_, birth_, doctorBoxes_, EfController1, PageControl1);
        HistoryTabs[size_t(kind.recordType)] = page;
        PageControl1->addTab(page, QString::fromUtf8(kind.caption));
    }

    BtnClose = new QPushButton(QStringLiteral("&Close"));
    BtnPrint = new QPushButton(QStringLiteral("&Print..."));
    connect(BtnPrint, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnPrintClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildHeader());
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(537, 437);
    // A button pressed by its Alt key leaves the caret first (eventFilter);
    // Close leaves it itself, however the dialog is closed.
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button != BtnClose)
            button->installEventFilter(this);

    doctorBoxes_.RefillAll();
    ShowProfile();
    LoadVision();
    for (THistoryTab* tab : HistoryTabs)
        tab->LoadList();
    const QString firstName = EditFirst->text();
    Label46->setText(firstName + QStringLiteral("'s Profile"));
    Label7->setText(firstName + QStringLiteral("'s Medical History"));
    setWindowTitle(Label7->text());

    PageControl1->setCurrentIndex(kPageProfile);
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { RunGuarded([this, index] { PageControl1Change(index); }); });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { RunGuarded([&] { FocusMoved(old, now); }); });
}

TDlgMedHist::~TDlgMedHist()
{
    // The controls going away move the focus; nothing is left any more.
    disconnect(focusWatch_);
}

QWidget* TDlgMedHist::BuildHeader()
{
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette colours = Panel1->palette();
    colours.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
    Panel1->setPalette(colours);
    Image1 = new QLabel;
    Image1->setPixmap(MakeKeyedGlyph(HeaderSource(), colours.color(QPalette::Window)));
    Label7 = new QLabel;
    // It shows the member's name: letters, never markup.
    Label7->setTextFormat(Qt::PlainText);
    QFont bold = Label7->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    Label7->setFont(bold);
    LabelDesc = new QLabel;
    auto* texts = new QVBoxLayout;
    texts->addWidget(Label7);
    texts->addWidget(LabelDesc);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 4, 8, 4);
    row->addLayout(texts, 1);
    row->addWidget(Image1);
    return Panel1;
}

QWidget* TDlgMedHist::BuildProfile()
{
    TSProfile = new QWidget(this);
    TSProfile->setObjectName(QStringLiteral("TSProfile"));
    Label46 = new QLabel;
    Label46->setTextFormat(Qt::PlainText);
    QFont bold = Label46->font();
    bold.setBold(true);
    Label46->setFont(bold);
    EditFirst = new QLineEdit;
    EditMI = new QLineEdit;
    EditLast = new QLineEdit;
    for (QLineEdit* edit : {EditFirst, EditMI, EditLast})
        edit->setMaxLength(kNameLimit);
    LabelDOB = new QLabel;
    LabelSex = new QLabel;

    auto* names = new QGridLayout;
    names->addWidget(new QLabel(QStringLiteral("First Name:")), 0, 0);
    names->addWidget(EditFirst, 0, 1);
    names->addWidget(new QLabel(QStringLiteral("MI:")), 0, 2);
    names->addWidget(EditMI, 0, 3);
    names->addWidget(new QLabel(QStringLiteral("Last Name:")), 1, 0);
    names->addWidget(EditLast, 1, 1, 1, 3);
    names->addWidget(new QLabel(QStringLiteral("Date of Birth:")), 2, 0);
    names->addWidget(LabelDOB, 2, 1);
    names->addWidget(new QLabel(QStringLiteral("Sex:")), 3, 0);
    names->addWidget(LabelSex, 3, 1);
    names->setColumnStretch(1, 3);
    names->setColumnStretch(3, 1);

    // Whatever a new member may weigh, shown and kept.
    PFWeight = new TEfSimpleField(TSProfile, sftLongInt, QLatin1Char('i'), EfController1);
    PFWeight->Core().SetMaxLength(kMeasureLength);
    PFWeight->Core().SetRange(0, kLargestMeasure);
    EfSpinner1 = SpinnerFor(PFWeight);
    RGWeight = new TRadioGroup(QStringLiteral(" Weight: "), {QStringLiteral("lbs"), QStringLiteral("kgs")}, 2);
    auto* weightRow = new QHBoxLayout;
    weightRow->addWidget(PFWeight);
    weightRow->addWidget(EfSpinner1);
    weightRow->addWidget(RGWeight);
    weightRow->addStretch();

    PFHeight1 = new TEfPictureField(TSProfile, pftLongInt, QStringLiteral("iiiiii"), EfController1);
    PFHeight2 = new TEfPictureField(TSProfile, pftLongInt, QStringLiteral("iiiiii"), EfController1);
    for (TEfPictureField* field : {PFHeight1, PFHeight2}) {
        field->Core().SetMaxLength(kMeasureLength);
        field->Core().SetTrimBlanks(false);
        field->Core().SoftValidation = true;
    }
    PFHeight1->Core().SetRange(0, kLargestMeasure);
    PFHeight2->Core().SetRange(0, kLargestInches);
    EfSpinner2 = SpinnerFor(PFHeight1);
    EfSpinner3 = SpinnerFor(PFHeight2);
    LabelInches = new QLabel(QStringLiteral("-"));
    RGHeight = new TRadioGroup(QStringLiteral(" Height: "), {QStringLiteral("ft - in"), QStringLiteral("cm")}, 2);
    connect(RGHeight, &TRadioGroup::Clicked, this, [this] { RunGuarded([this] { RGHeightClick(); }); });
    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(PFHeight1);
    heightRow->addWidget(EfSpinner2);
    heightRow->addWidget(LabelInches);
    heightRow->addWidget(PFHeight2);
    heightRow->addWidget(EfSpinner3);
    heightRow->addWidget(RGHeight);
    heightRow->addStretch();
    for (TEfBaseEntryField* field : std::initializer_list<TEfBaseEntryField*>{PFWeight, PFHeight1, PFHeight2})
        field->ErrorColors.SetBackColor(Qt::white);

    CBBlood = new QComboBox;
    CBBlood->setEditable(true);
    CBBlood->setInsertPolicy(QComboBox::NoInsert);
    CBBlood->addItems({QStringLiteral("O"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("AB")});
    CBRH = new QComboBox;
    CBRH->addItems({QStringLiteral("Positive"), QStringLiteral("Negative")});
    auto* blood = new QHBoxLayout;
    blood->addWidget(new QLabel(QStringLiteral("Blood Type:")));
    blood->addWidget(CBBlood, 1);
    blood->addSpacing(16);
    blood->addWidget(new QLabel(QStringLiteral("Rh Factor:")));
    blood->addWidget(CBRH, 1);

    auto* column = new QVBoxLayout(TSProfile);
    column->addWidget(Label46);
    column->addLayout(names);
    column->addLayout(weightRow);
    column->addLayout(heightRow);
    column->addLayout(blood);
    column->addStretch();
    return TSProfile;
}

QWidget* TDlgMedHist::BuildVision()
{
    TSVision = new QWidget(this);
    TSVision->setObjectName(QStringLiteral("TSVision"));
    PFDate = NewDateField(TSVision, EfController1);
    SBDate = NewCalendarButton();
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { SBDateClick(); }); });
    CBDoc = doctorBoxes_.NewBox(kDoctorLimit);
    PSBDoc = TDoctorBoxes::NewAddressButton();
    connect(PSBDoc, &QToolButton::clicked, this, [this] { RunGuarded([this] { PSBDocClick(); }); });

    SGVision = new QTableWidget(5, 5 + kLensFixedColumns);
    SGVision->horizontalHeader()->hide();
    SGVision->setTextElideMode(Qt::ElideNone);
    SGVision->verticalHeader()->hide();
    SGVision->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGVision->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGVision->setFixedHeight(5 * 24 + 4);
    SGVision->verticalHeader()->setDefaultSectionSize(24);
    SGVision->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int column = 0; column < kLensFixedColumns; ++column) {
        SGVision->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        SGVision->setColumnWidth(column, 44);
    }
    const QBrush fixed = palette().brush(QPalette::Button);
    auto fixedCell = [&](int row, int column, const QString& text) {
        auto* cell = new QTableWidgetItem(text);
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(fixed);
        SGVision->setItem(row, column, cell);
    };
    fixedCell(0, 0, {});
    fixedCell(0, 1, {});
    QFont headingFont = SGVision->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 0.9);
    for (size_t column = 0; column < kLensHeadings.size(); ++column) {
        fixedCell(0, int(column) + kLensFixedColumns, QString::fromLatin1(kLensHeadings[column]));
        SGVision->item(0, int(column) + kLensFixedColumns)->setFont(headingFont);
    }
    for (size_t row = 0; row < kLensRows.size(); ++row) {
        fixedCell(int(row) + 1, 0, QString::fromLatin1(kLensRows[row][0]));
        fixedCell(int(row) + 1, 1, QString::fromLatin1(kLensRows[row][1]));
        for (int column = kLensFixedColumns; column < SGVision->columnCount(); ++column)
            SGVision->setItem(int(row) + 1, column, new QTableWidgetItem);
    }
    VisionNote = new QPlainTextEdit;
    VisionNote->setTabChangesFocus(true);

    auto* grid = new QGridLayout(TSVision);
    grid->addWidget(new QLabel(QStringLiteral("Examination Date:")), 0, 0);
    grid->addWidget(PFDate, 0, 1);
    grid->addWidget(SBDate, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("By Doctor:")), 1, 0);
    grid->addWidget(CBDoc, 1, 1);
    grid->addWidget(PSBDoc, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Vision Prescription")), 2, 0, 1, 3);
    grid->addWidget(SGVision, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Note:")), 4, 0, 1, 3);
    grid->addWidget(VisionNote, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return TSVision;
}

void TDlgMedHist::ShowProfile()
{
    if (!profile_)
        return;
    const TMedProfile& p = *profile_;
    MemberFirstName = p.firstName;
    EditFirst->setText(p.firstName);
    EditMI->setText(p.middleName);
    EditLast->setText(p.lastName);
    LabelDOB->setText(DateToStr(p.dob));
    LabelSex->setText(p.sex != 0 ? QStringLiteral("Female") : QStringLiteral("Male"));
    RGWeight->SetItemIndex(p.weightUnit);
    ShowCount(*PFWeight, p.weight);
    RGHeight->SetItemIndex(p.heightUnit);
    RGHeightClick();
    const THeightBoxes boxes = SplitHeight(p.height, p.heightUnit);
    if (p.height == 0) {
        PFHeight1->ClearText();
        PFHeight2->ClearText();
    } else {
        PFHeight1->SetIntegerValue(boxes.first);
        PFHeight2->SetIntegerValue(boxes.second);
    }
    TDoctorBoxes::ShowText(*CBBlood, p.bloodType);
    CBRH->setCurrentIndex(p.rhFactor >= 0 && p.rhFactor < CBRH->count() ? p.rhFactor : -1);
}

void TDlgMedHist::LoadVision()
{
    const std::optional<TMedVision> vision = ReadMedVision(memberId_);
    if (!vision)
        return;
    if (vision->date == 0.0)
        PFDate->ClearText();
    else
        PFDate->SetDateTimeValue(vision->date);
    TDoctorBoxes::ShowText(*CBDoc, vision->doctor);
    doctorBoxes_.SetId(CBDoc, vision->doctorId);
    VisionNote->setPlainText(vision->note.join(QLatin1Char('\n')));
    for (size_t row = 0; row < vision->lens.size(); ++row)
        for (size_t column = 0; column < vision->lens[row].size(); ++column)
            SGVision->item(int(row) + 1, int(column) + kLensFixedColumns)->setText(vision->lens[row][column]);
}

TMedProfile TDlgMedHist::ProfileShown() const
{
    TMedProfile p = profile_.value_or(TMedProfile{});
    p.firstName = EditFirst->text();
    p.middleName = EditMI->text();
    p.lastName = EditLast->text();
    p.weightUnit = RGWeight->ItemIndex() == kWeightKgs ? kWeightKgs : kWeightLbs;
    p.weight = PFWeight->IntegerValue();
    p.heightUnit = RGHeight->ItemIndex() == kHeightCentimetres ? kHeightCentimetres : kHeightFeetInches;
    p.height = JoinHeight({PFHeight1->IntegerValue(), PFHeight2->IntegerValue()}, p.heightUnit);
    p.bloodType = CBBlood->currentText();
    p.rhFactor = CBRH->currentIndex();
    return p;
}

TMedVision TDlgMedHist::VisionShown() const
{
    TMedVision v;
    v.date = PFDate->DateTimeValue();
    v.doctor = CBDoc->currentText();
    v.doctorId = doctorBoxes_.Id(CBDoc);
    v.note = MemoLines(*VisionNote);
    for (size_t row = 0; row < v.lens.size(); ++row)
        for (size_t column = 0; column < v.lens[row].size(); ++column)
            v.lens[row][column] = SGVision->item(int(row) + 1, int(column) + kLensFixedColumns)->text();
    return v;
}

TMedHistPrintValues TDlgMedHist::PrintValues() const
{
    const TMedProfile profile = ProfileShown();
    const TMedVision vision = VisionShown();
    TMedHistPrintValues values;
    values.memberId = memberId_;
    values.firstName = profile.firstName;
    values.middleName = profile.middleName;
    values.lastName = profile.lastName;
    values.weight = profile.weight;
    values.weightUnit = profile.weightUnit;
    values.height = profile.height;
    values.heightUnit = profile.heightUnit;
    values.bloodType = profile.bloodType;
    values.rhIndex = profile.rhFactor;
    values.visionDate = PFDate->IsFieldBlank() ? QString() : PFDate->Core().DisplayText().trimmed();
    values.visionDoctor = vision.doctor;
    values.lens = vision.lens;
    return values;
}

void TDlgMedHist::BtnPrintClick()
{
    PrintMedHistReport(PrintValues());
}

void TDlgMedHist::PageControl1Change(int index)
{
    const bool listPage = index >= kPageAllergy;
    LabelDesc->setText(listPage ? QString::fromUtf8(kListHint) : QString());
    // Brought back to a field that refused its text, a tab shows its entry as
    // it was left: read afresh, it would lose the text to be put right.
    if (listPage && !returningToField_)
        HistoryTabs.at(size_t(index - kPageAllergy))->Activated();
}

void TDlgMedHist::RGHeightClick()
{
    const bool feetAndInches = RGHeight->ItemIndex() != kHeightCentimetres;
    LabelInches->setVisible(feetAndInches);
    PFHeight2->setVisible(feetAndInches);
    EfSpinner3->setVisible(feetAndInches);
}

void TDlgMedHist::SBDateClick()
{
    PickDateInto(*SBDate, *PFDate);
}

void TDlgMedHist::PSBDocClick()
{
    doctorBoxes_.EditAddress(*CBDoc);
}

THistoryTab* TDlgMedHist::TabHolding(const QWidget* widget) const
{
    for (THistoryTab* tab : HistoryTabs)
        if (widget && tab->isAncestorOf(widget))
            return tab;
    return nullptr;
}

bool TDlgMedHist::RefuseClose(QLineEdit* edit, const QString& text)
{
    // The refusal takes the focus to the name as the user would: the control
    // it leaves runs its leaving, which the close would not hear on its own.
    LeaveControl(focusWidget(), edit);
    PageControl1->setCurrentWidget(TSProfile);
    ShowMessageBox(text, MsgIcon::Warning);
    edit->setFocus();
    return false;
}

bool TDlgMedHist::FormClose()
{
    // Without the member's row there is no profile to keep.
    if (profile_) {
        if (EditFirst->text().isEmpty())
            return RefuseClose(EditFirst, QStringLiteral("Please enter your first name."));
        if (EditLast->text().isEmpty())
            return RefuseClose(EditLast, QStringLiteral("Please enter your last name."));
    }
    // The dialog's own focus is asked, as it may be closed from another window.
    if (!LeaveForButton(focusWidget(), BtnClose))
        return false;
    WriteMedProfile(memberId_, ProfileShown(), VisionShown());
    if (profile_) {
        MemberFirstName = EditFirst->text();
        profileSaved_ = true;
    }
    return true;
}

void TDlgMedHist::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    bool mayClose = false;
    RunGuarded([&] { mayClose = FormClose(); });
    if (!mayClose) {
        closing_ = false;
        return;
    }
    QDialog::done(result);
}

void TDlgMedHist::FocusMoved(QWidget* old, QWidget* now)
{
    // Leaving for another window (a message box, another program) is no leaving.
    if (closing_ || leavingForButton_ || !old || !now || now->window() != this || old->window() != this)
        return;
    // A tab put away hides its field before the focus leaves it, and a
    // hidden field skips its own check: it is checked here, and a refusal
    // takes the user back to it, as leaving it on its tab would.
    if (!old->isVisible() && !EntryFieldTakes(old)) {
        ReturnToField(old);
        return;
    }
    LeaveControl(old, now);
}

// Entries are written as their fields are left, so Enter in a field presses
// no default button: it would act with the caret still in the field, as the
// copy button did over a symptom being typed. A button holding the caret
// takes Enter itself.
void TDlgMedHist::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void TDlgMedHist::ReturnToField(QWidget* field)
{
    // Queued: the tab switch that left the field is still under way.
    QMetaObject::invokeMethod(
        this,
        [this, field = QPointer<QWidget>(field)] {
            RunGuarded([&] {
                if (!field)
                    return;
                // Asked first: on the caret's way back no other field is checked.
                EfController1->RequestFocus(field);
                const QScopedValueRollback<bool> returning(returningToField_, true);
                for (int page = 0; page < PageControl1->count(); ++page)
                    if (PageControl1->widget(page)->isAncestorOf(field))
                        PageControl1->setCurrentIndex(page);
            });
        },
        Qt::QueuedConnection);
}

bool TDlgMedHist::EntryFieldTakes(QWidget* control)
{
    auto* field = qobject_cast<TEfBaseEntryField*>(control);
    return !field || field->Core().SoftValidation || !FirstRefusedField({field});
}

bool TDlgMedHist::eventFilter(QObject* watched, QEvent* event)
{
    // A button's Alt key presses it with the caret where it is, and the
    // control holding it would not be left before the button acts: it is
    // left here, and a refusal keeps the button from acting.
    if (event->type() == QEvent::Shortcut) {
        bool left = false;
        RunGuarded([&] { left = LeaveForButton(focusWidget(), qobject_cast<QWidget*>(watched)); });
        if (!left)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TDlgMedHist::LeaveForButton(QWidget* focused, QWidget* button)
{
    // Escape, the title bar and Alt keys leave the focus where it is: the
    // control holding it is left here as a press of the button leaves it, so
    // every way of pressing checks and writes the same. An entry field checks
    // its own text first, as it does when the focus leaves it. A refusal
    // moves the caret back itself, which leaves nothing more.
    const QScopedValueRollback<bool> leaving(leavingForButton_, true);
    if (!EntryFieldTakes(focused))
        return false;
    // A lens cell's editor hands its text to the grid only when its cell is
    // left, which moving off the cell does here.
    if (focused && SGVision->isAncestorOf(focused))
        SGVision->setCurrentIndex(QModelIndex());
    return LeaveControl(focused, button);
}

bool TDlgMedHist::LeaveControl(QWidget* old, QWidget* now)
{
    if (!old)
        return true;
    if ((old == CBDoc || old == CBDoc->lineEdit()) && now != CBDoc && now != CBDoc->lineEdit()) {
        doctorBoxes_.QuickAdd(*CBDoc);
        return true;
    }
    // Switching tabs moves the focus too: the tab left is the one that holds it.
    THistoryTab* tab = TabHolding(old);
    if (!tab)
        return true;
    // A date its own check refused reads as no date: DateExit passes it by.
    const int date = tab->DateIndexOf(old);
    if (date >= 0)
        return tab->DateExit(date, tab->isAncestorOf(now));
    QWidget* control = tab->DetailControlOf(old);
    return !control || control == tab->DetailControlOf(now) || tab->DetailExit(control);
}
