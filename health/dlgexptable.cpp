#include "dlgexptable.h"

#include "dlgmedexpitem.h"
#include "expenseprint.h"
#include "keyedglyph.h"

#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <algorithm>
#include <array>

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr std::array<int, kExpenseColumns> kColumnWidths = {80, 90, 100, 100, 100, 120, 130};
constexpr std::array<const char*, kExpenseColumns> kColumnTitles = {
    "Date", "Patient", "Total", "Insurance/FSA", "Out-of-pocket", "Description", "Service Provider"};
constexpr int kExpIdRole = Qt::UserRole;

bool IsAmountColumn(size_t column)
{
    return column >= 2 && column <= 4;
}

// A bill with a coin on it, drawn on the key colour.
QPixmap HeaderSource()
{
    QPixmap picture(40, 40);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x20, 0x50, 0x20), 1));
    painter.setBrush(QColor(0xB8, 0xDC, 0xB0));
    painter.drawRect(2, 10, 30, 18);
    painter.setBrush(QColor(0xF0, 0xC8, 0x30));
    painter.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
    painter.drawEllipse(QPoint(28, 28), 10, 10);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(QRect(18, 18, 20, 20), Qt::AlignCenter, QStringLiteral("$"));
    return picture;
}

}  // namespace

void ShowExpenseTableDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgExpTable>();
    dialog->exec();
}

TDlgExpTable::TDlgExpTable(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgExpTable"));
    setWindowTitle(QStringLiteral("Medical Expenses"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    EfController1 = new TEfController(this);

    ListView1 = new QTreeWidget;
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setColumnCount(kExpenseColumns);
    QStringList titles;
    for (const char* title : kColumnTitles)
        titles << QString::fromLatin1(title);
    ListView1->setHeaderLabels(titles);
    for (size_t column = 0; column < kColumnWidths.size(); ++column) {
        ListView1->setColumnWidth(int(column), kColumnWidths[column]);
        if (IsAmountColumn(column))
            ListView1->headerItem()->setTextAlignment(int(column), Qt::AlignRight | Qt::AlignVCenter);
    }
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(true);
    ListView1->installEventFilter(this);
    listViewport_ = ListView1->viewport();
    listViewport_->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("&Close"));
    Button1->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Button1);

    auto* column = new QVBoxLayout(this);
    BuildMenu();
    column->addWidget(BuildTopPanel());
    column->addWidget(ListView1, 1);
    column->addLayout(bottom);

    connect(CBMember, &QComboBox::activated, this, [this] { RunGuarded([this] { CBMemberChange(); }); });
    EfSpinner1->OnClick = [this](TEfSpinner*, TSpinState state, double) {
        if (state == spUp || state == spDown)
            EfSpinner1Click(state == spUp);
    };
    connect(BtnAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(BtnEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button3Click(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { RunGuarded([this, section] { ListView1ColumnClick(section); }); });

    FillMemberCombo();
    EfPFYear->SetIntegerValue(TExpenseTable::kFirstYear);
    Refill();
    ShowRows();
    resize(860, 460);
}

void TDlgExpTable::BuildMenu()
{
    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu(QStringLiteral("&File"));
    Print1 = file->addAction(QStringLiteral("&Print..."));
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("&Exit"));
    QMenu* edit = menus->addMenu(QStringLiteral("&Edit"));
    Add1 = edit->addAction(QStringLiteral("&Add..."));
    Edit1 = edit->addAction(QStringLiteral("&Edit..."));
    Delete1 = edit->addAction(QStringLiteral("&Delete"));
    layout()->setMenuBar(menus);
    connect(Print1, &QAction::triggered, this, [this] { RunGuarded([this] { Button4Click(); }); });
    connect(Exit1, &QAction::triggered, this, &QDialog::accept);
    connect(Add1, &QAction::triggered, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(Edit1, &QAction::triggered, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(Delete1, &QAction::triggered, this, [this] { RunGuarded([this] { Button3Click(); }); });
}

QWidget* TDlgExpTable::BuildTopPanel()
{
    auto* panel = new QWidget;
    Image1 = new QLabel;
    Image1->setPixmap(MakeKeyedGlyph(HeaderSource(), palette().color(QPalette::Window)));
    auto* medical = new QLabel(QStringLiteral("Medical\nExpenses"));
    QFont heading = medical->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    medical->setFont(heading);

    EfPFYear = new TEfPictureField(this, pftLongInt, QStringLiteral("iiii"), EfController1);
    EfPFYear->Core().SetMaxLength(4);
    EfPFYear->Core().SetRange(kLowestYear, kHighestYear);
    EfPFYear->Core().ReadOnly = true;
    EfPFYear->setFixedWidth(50);
    EfSpinner1 = new TEfSpinner(this);
    EfSpinner1->setFixedSize(16, EfPFYear->sizeHint().height());
    EfPFYear->installEventFilter(this);
    EfSpinner1->installEventFilter(this);
    CBMember = new QComboBox;
    CBMember->setMinimumContentsLength(14);
    CBMember->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto* choice = new QGroupBox(QStringLiteral(" Select the report list you want to view "));
    auto* choiceRow = new QHBoxLayout(choice);
    choiceRow->addWidget(new QLabel(QStringLiteral("Year:")));
    auto* year = new QHBoxLayout;
    year->setSpacing(0);
    year->addWidget(EfPFYear);
    year->addWidget(EfSpinner1);
    choiceRow->addLayout(year);
    choiceRow->addSpacing(12);
    choiceRow->addWidget(new QLabel(QStringLiteral("Member:")));
    choiceRow->addWidget(CBMember);

    BtnAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnEdit = new QPushButton(QStringLiteral("&Edit..."));
    Button3 = new QPushButton(QStringLiteral("&Delete"));
    for (QPushButton* button : {BtnAdd, BtnEdit, Button3})
        button->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtnAdd);
    buttons->addWidget(BtnEdit);
    buttons->addWidget(Button3);

    Label7 = new QLabel;
    Label8 = new QLabel;
    for (QLabel* sum : {Label7, Label8}) {
        sum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sum->setMinimumWidth(100);
    }
    auto* summary = new QGridLayout;
    summary->addWidget(new QLabel(QStringLiteral("Annual summary:")), 0, 0, 1, 2);
    summary->addWidget(new QLabel(QStringLiteral("Total                     :")), 1, 0);
    summary->addWidget(Label7, 1, 1);
    summary->addWidget(new QLabel(QStringLiteral("Out-of-pocket total:")), 2, 0);
    summary->addWidget(Label8, 2, 1);

    auto* left = new QVBoxLayout;
    auto* title = new QHBoxLayout;
    title->addWidget(medical);
    title->addWidget(Image1);
    title->addStretch();
    left->addLayout(title);
    left->addWidget(choice);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(left);
    row->addSpacing(12);
    row->addLayout(buttons);
    row->addSpacing(12);
    row->addLayout(summary);
    row->addStretch();
    return panel;
}

void TDlgExpTable::FillMemberCombo()
{
    CBMember->clear();
    CBMember->addItem(QStringLiteral("All"));
    for (const TKeyedItem& member : ReadExpenseMembers())
        CBMember->addItem(member.text, member.key);
    CBMember->setCurrentIndex(0);
}

void TDlgExpTable::Refill()
{
    table_.SetYear(EfPFYear->IntegerValue());
    const QVariant member = CBMember->currentData();
    table_.SetMemberId(member.isValid() ? std::optional<qint32>(member.toInt()) : std::nullopt);
    table_.Refill();
}

void TDlgExpTable::ShowRows()
{
    ListView1->clear();
    for (size_t row = 0; row < table_.Rows().size(); ++row) {
        const TExpenseRowTexts texts = table_.RowTexts(row);
        auto* item = new QTreeWidgetItem(ListView1);
        for (size_t column = 0; column < texts.size(); ++column) {
            item->setText(int(column), texts[column]);
            if (IsAmountColumn(column))
                item->setTextAlignment(int(column), Qt::AlignRight | Qt::AlignVCenter);
        }
        item->setData(0, kExpIdRole, table_.Rows()[row].expId);
    }
    Label7->setText(table_.TotalText());
    Label8->setText(table_.OutOfPocketText());
    UpdateButtons();
}

int TDlgExpTable::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(selected.first());
}

void TDlgExpTable::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    BtnEdit->setEnabled(selected);
    Button3->setEnabled(selected);
}

void TDlgExpTable::CBMemberChange()
{
    HourglassCursor wait;
    Refill();
    ShowRows();
    EfSpinner1->setFocus();
}

void TDlgExpTable::EfSpinner1Click(bool up)
{
    yearSpinnerUsed_ = true;
    const int year = std::clamp(EfPFYear->IntegerValue() + (up ? 1 : -1), kLowestYear, kHighestYear);
    EfPFYear->SetIntegerValue(year);
    RunGuarded([this] { CBMemberChange(); });
}

void TDlgExpTable::BtnAddClick()
{
    if (ShowExpenseItemDialog(this, TExpenseItemRequest{}).cancelled)
        return;
    HourglassCursor wait;
    Refill();
    ShowRows();
}

void TDlgExpTable::BtnEditClick()
{
    const int row = SelectedRow();
    if (row < 0) {
        ShowMessageBox(QStringLiteral("Please select one expense record."), MsgIcon::Warning, MsgOk);
        return;
    }
    const qint32 expId = table_.Rows().at(size_t(row)).expId;
    if (!ShowExpenseItemDialog(this, TExpenseItemRequest{.expId = expId}).cancelled) {
        Refill();
        ShowRows();
    }
    ListView1->setFocus();
    if (QTreeWidgetItem* again = ListView1->topLevelItem(row))
        ListView1->setCurrentItem(again);
    UpdateButtons();
}

void TDlgExpTable::Button3Click()
{
    const int row = SelectedRow();
    if (row < 0) {
        ShowMessageBox(QStringLiteral("Please select one expense record."), MsgIcon::Warning, MsgOk);
        return;
    }
    const QString date = table_.RowTexts(size_t(row))[0];
    if (ShowMessageBox(ExpenseDeletePrompt(date), MsgIcon::Question, MsgYes | MsgNo) != MsgResult::Yes)
        return;
    HourglassCursor wait;
    table_.DeleteRow(size_t(row));
    ShowRows();
}

void TDlgExpTable::ListView1Click()
{
    UpdateButtons();
    if (SelectedRow() < 0 && ListView1->topLevelItemCount() > 0) {
        ShowMessageBox(
            QStringLiteral("Please first select a line in the first column of the expense table to edit or delete it."),
            MsgIcon::Warning, MsgOk);
        ListView1->setFocus();
    }
}

void TDlgExpTable::ListView1ColumnClick(int column)
{
    HourglassCursor wait;
    table_.ColumnClicked(static_cast<TExpenseColumn>(column));
    ShowRows();
}

void TDlgExpTable::Button4Click()
{
    PrintExpenseTable(table_, CBMember->currentText());
}

bool TDlgExpTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RunGuarded([this] { Button3Click(); });
        return true;
    }
    // The read-only year is stepped from the keyboard as the spinner steps it;
    // a refresh leaves the focus on the spinner.
    if ((watched == EfPFYear || watched == EfSpinner1) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            RunGuarded([this, key] { EfSpinner1Click(key == Qt::Key_Up); });
            return true;
        }
    }
    if (watched == listViewport_ && event->type() == QEvent::MouseButtonRelease)
        RunGuarded([this] { ListView1Click(); });
    return QDialog::eventFilter(watched, event);
}
