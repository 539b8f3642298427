#include "todolistform.h"

#include "dlgatodoform.h"
#include "todolist.h"
#include "todoreptform.h"

#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum TColumn { kDone, kDue, kDescription, kCategory };
constexpr int kDoneWidth = 40;
constexpr int kDueWidth = 100;
constexpr int kCategoryWidth = 150;
constexpr int kTickSize = 16;
const QString kYes = QStringLiteral("yes");

// The Done column holds "yes" for a done item, drawn as a tick.
class TTickDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.data(Qt::UserRole).toString() != kYes)
            return;
        const QRect box(option.rect.center() - QPoint(kTickSize / 2, kTickSize / 2), QSize(kTickSize, kTickSize));
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.top() + 8);
        tick.lineTo(box.left() + 7, box.top() + 12);
        tick.lineTo(box.left() + 13, box.top() + 3);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(QPen(selected ? option.palette.highlightedText().color() : QColor(0, 128, 0), 2.5));
        painter->drawPath(tick);
        painter->restore();
    }
};

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

void ShowToDoList(QWidget* parent, qint32 presetCategory)
{
    const auto form = MakeUnderHourglass<TTodoListForm>(parent, presetCategory);
    form->exec();
}

TTodoListForm::TTodoListForm(QWidget* parent, qint32 presetCategory)
    : QDialog(parent), presetCategory_(presetCategory)
{
    setObjectName(QStringLiteral("TodoListForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("To-do's"));
    LabelTitle = new QLabel(QStringLiteral("To-Do List"));
    QFont heading = LabelTitle->font();
    heading.setPointSize(14);
    heading.setBold(true);
    LabelTitle->setFont(heading);
    CBTime = new QComboBox;
    CBTime->addItems(DueFilterItems());
    CBTime->setCurrentIndex(static_cast<int>(TDueFilter::OneMonth));
    CBCategory = new QComboBox;
    CBCategory->setMinimumContentsLength(24);
    SGTasks = new QTableWidget(GridDesignRows - 1, 4);
    SGTasks->setHorizontalHeaderLabels(
        {QStringLiteral(" Done"), QStringLiteral(" Due Date"), QStringLiteral("   Description"), QStringLiteral(" Category")});
    SGTasks->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SGTasks->horizontalHeader()->setHighlightSections(false);
    SGTasks->verticalHeader()->hide();
    SGTasks->setColumnWidth(kDone, kDoneWidth);
    SGTasks->setColumnWidth(kDue, kDueWidth);
    SGTasks->setColumnWidth(kCategory, kCategoryWidth);
    // The description takes the width the other columns leave.
    SGTasks->horizontalHeader()->setSectionResizeMode(kDescription, QHeaderView::Stretch);
    SGTasks->setSelectionMode(QAbstractItemView::SingleSelection);
    SGTasks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGTasks->setItemDelegateForColumn(kDone, new TTickDelegate(SGTasks));
    SGTasks->verticalHeader()->setDefaultSectionSize(20);
    BtnAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnEdit = new QPushButton(QStringLiteral("Ed&it..."));
    BtnDelete = new QPushButton(QStringLiteral("De&lete"));
    for (QPushButton* button : {BtnAdd, BtnEdit, BtnDelete})
        button->setAutoDefault(false);

    MainMenu = new QMenuBar(this);
    QMenuBar* menus = MainMenu;
    QMenu* file = menus->addMenu(QStringLiteral("&File"));
    Print1 = file->addAction(QStringLiteral("&Print..."), this, [this] { RunGuarded([this] { Print1Click(); }); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, &QDialog::reject);
    QMenu* edit = menus->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Add..."), this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    edit->addAction(QStringLiteral("Ed&it..."), this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    edit->addAction(QStringLiteral("De&lete"), this, [this] { RunGuarded([this] { BtnDeleteClick(); }); });
    menus->setNativeMenuBar(false);

    connect(CBTime, &QComboBox::activated, this, [this] { RunGuarded([this] { LoadToDoGrid(); }); });
    connect(CBCategory, &QComboBox::activated, this, [this] { RunGuarded([this] { LoadToDoGrid(); }); });
    connect(BtnAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(BtnEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(BtnDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDeleteClick(); }); });
    connect(SGTasks, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { SelectCell(row, column); });
    connect(SGTasks, &QTableWidget::cellClicked, this, [this] { RunGuarded([this] { SGTasksClick(); }); });
    connect(SGTasks, &QTableWidget::cellDoubleClicked, this, [this] { RunGuarded([this] { SGTasksDblClick(); }); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, SGTasks, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RunGuarded([this] { BtnDeleteClick(); }); });

    BuildLayout();
    FormShow();
}

void TTodoListForm::BuildLayout()
{
    auto* filters = new QHBoxLayout;
    filters->addWidget(LabelTitle);
    filters->addStretch();
    filters->addWidget(new QLabel(QStringLiteral("Due:")));
    filters->addWidget(CBTime);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("Category:")));
    filters->addWidget(CBCategory);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnAdd);
    buttons->addWidget(BtnEdit);
    buttons->addWidget(BtnDelete);

    auto* column = new QVBoxLayout(this);
    column->setMenuBar(MainMenu);
    column->addLayout(filters);
    column->addWidget(SGTasks, 1);
    column->addLayout(buttons);
    resize(720, 480);
}

void TTodoListForm::FormShow()
{
    FillCategoryFilter();
    if (presetCategory_ != AllCategories) {
        CBCategory->setCurrentIndex(IndexOfComboId(*CBCategory, presetCategory_));
        if (presetCategory_ == 0)
            setWindowTitle(QStringLiteral("VehicleBook To-do's List"));
        else if (presetCategory_ == 5)
            setWindowTitle(QStringLiteral("CarePortfolio To-do's List"));
    }
    LoadToDoGrid();
}

void TTodoListForm::FillCategoryFilter()
{
    const qint32 chosen = ChosenCategory();
    ClearIdCombo(*CBCategory);
    FillChoiceCombo(*CBCategory, CategoryListId);
    CBCategory->insertItem(0, QStringLiteral("All Categorys"), AllCategories);
    CBCategory->setCurrentIndex(std::max(0, IndexOfComboId(*CBCategory, chosen)));
}

qint32 TTodoListForm::ChosenCategory() const
{
    return CBCategory->currentIndex() < 0 ? AllCategories : CBCategory->currentData().toInt();
}

std::map<qint32, QString> TTodoListForm::CategoryNames() const
{
    std::map<qint32, QString> names;
    for (int index = CBCategory->count() - 1; index >= 0; --index)
        names[CBCategory->itemData(index).toInt()] = CBCategory->itemText(index);
    names.erase(AllCategories);
    return names;
}

int TTodoListForm::GridRows() const
{
    return SGTasks->rowCount();
}

bool TTodoListForm::Ticked(int gridRow) const
{
    const QTableWidgetItem* done = SGTasks->item(gridRow, kDone);
    return done && done->data(Qt::UserRole).toString() == kYes;
}

bool TTodoListForm::RowFilled(int gridRow) const
{
    return gridRow >= 0 && gridRow < todoIds_.size();
}

void TTodoListForm::LoadToDoGrid()
{
    const std::vector<TToDoRow> rows =
        ReadToDoRows(static_cast<TDueFilter>(CBTime->currentIndex()), ChosenCategory(), Date());
    SGTasks->clearContents();
    SGTasks->setRowCount(GridRowCount(static_cast<int>(rows.size())) - 1);
    todoIds_.clear();
    for (const TToDoRow& row : rows) {
        const int gridRow = static_cast<int>(todoIds_.size());
        QTableWidgetItem* done = Cell(QString());
        done->setData(Qt::UserRole, row.done ? kYes : QString());
        SGTasks->setItem(gridRow, kDone, done);
        SGTasks->setItem(gridRow, kDue, Cell(row.due == 0.0 ? QString() : DateToStr(row.due)));
        QTableWidgetItem* description = Cell(GridDescription(row));
        QFont font = SGTasks->font();
        font.setStrikeOut(row.done);
        description->setFont(font);
        SGTasks->setItem(gridRow, kDescription, description);
        SGTasks->setItem(gridRow, kCategory, Cell(CBCategory->itemText(IndexOfComboId(*CBCategory, row.categoryNo))));
        todoIds_ << row.todoId;
    }
    SetToDoButtons(!todoIds_.isEmpty());
}

void TTodoListForm::SelectCell(int gridRow, int column)
{
    selectedRow_ = gridRow;
    selectedColumn_ = column;
    SGTasks->setSelectionBehavior(column == kDone ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    if (column == kDone || gridRow < 0)
        return;
    // The cell was selected before the whole row was asked for.
    SGTasks->selectionModel()->select(SGTasks->model()->index(gridRow, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    UpdateToDoButtons();
}

void TTodoListForm::UpdateToDoButtons()
{
    SetToDoButtons(RowFilled(selectedRow_));
}

void TTodoListForm::SetToDoButtons(bool enabled)
{
    BtnEdit->setEnabled(enabled);
    BtnDelete->setEnabled(enabled);
}

void TTodoListForm::SGTasksClick()
{
    if (selectedColumn_ != kDone)
        return;
    if (RowFilled(selectedRow_)) {
        const bool done = !Ticked(selectedRow_);
        ToggleToDoDone(todoIds_[selectedRow_]);
        SGTasks->item(selectedRow_, kDone)->setData(Qt::UserRole, done ? kYes : QString());
        QFont font = SGTasks->font();
        font.setStrikeOut(done);
        SGTasks->item(selectedRow_, kDescription)->setFont(font);
    }
    SGTasks->viewport()->update();
    ShowMessageBox(QStringLiteral("Please remember to update your latest data from the related dialog box."),
                   MsgIcon::Warning, MsgOk);
}

void TTodoListForm::SGTasksDblClick()
{
    if (selectedColumn_ == kDone)
        return;
    if (RowFilled(selectedRow_)) {
        SetToDoButtons(true);
        OpenItemDialog(false);
    } else {
        SetToDoButtons(false);
        OpenItemDialog(true);
    }
}

void TTodoListForm::BtnAddClick()
{
    OpenItemDialog(true);
}

void TTodoListForm::BtnEditClick()
{
    if (!RowFilled(selectedRow_)) {
        ShowMessageBox(QStringLiteral("Please Select one item to edit."), MsgIcon::Warning, MsgOk);
        SGTasks->setFocus();
        return;
    }
    OpenItemDialog(false);
}

void TTodoListForm::OpenItemDialog(bool adding)
{
    const qint32 todoId = adding ? 0 : todoIds_[selectedRow_];
    const auto dialog = MakeUnderHourglass<TDlgATodoForm>(this, adding, todoId);
    dialog->exec();
    if (dialog->Cancelled())
        return;
    FillCategoryFilter();
    LoadToDoGrid();
}

void TTodoListForm::BtnDeleteClick()
{
    if (!RowFilled(selectedRow_)) {
        ShowMessageBox(QStringLiteral("Please select one item in the table to delete."), MsgIcon::Warning, MsgOk);
        SGTasks->setFocus();
        return;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure you want to delete this item?"), MsgIcon::Question,
                       MsgYes | MsgNo) != MsgResult::Yes)
        return;
    DeleteToDoRow(todoIds_[selectedRow_]);
    LoadToDoGrid();
}

void TTodoListForm::Print1Click()
{
    PrintToDoList(static_cast<TDueFilter>(CBTime->currentIndex()), ChosenCategory(), CategoryNames());
}
