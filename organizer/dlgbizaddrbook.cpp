#include "dlgbizaddrbook.h"

#include "addrstyledlgs.h"
#include "dlgbizaddrsearch.h"
#include "dlgselectfields.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/dlgbusinessaddr.h"
#include "records/common/lookuplists.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kAllCategories = -1;

template <typename Work>
auto Guarded(Work work)
{
    return [work] { RunGuarded(work); };
}

}  // namespace

void ShowAddressBook(QWidget* parent, int productCode)
{
    std::unique_ptr<TDlgBizAddrBook> book = MakeUnderHourglass<TDlgBizAddrBook>(parent);
    book->ProductCode = productCode;
    book->FormShow();
    book->exec();
}

TDlgBizAddrBook::TDlgBizAddrBook(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgBizAddrBook"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Address Book"));

    BuildMenu();
    ListView1 = new QTreeWidget;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([this, column] { ListView1ColumnClick(column); }); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, Guarded([this] { BtnEditClick(); }));
    auto* deleteKey = new QShortcut(QKeySequence::Delete, ListView1, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, Guarded([this] { BtnDeleteClick(); }));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setMenuBar(MainMenu1);
    column->addWidget(BuildFilterPanel());
    column->addWidget(ListView1, 1);
    column->addWidget(BuildButtonPanel());
    resize(629, 414);
}

void TDlgBizAddrBook::BuildMenu()
{
    MainMenu1 = new QMenuBar(this);
    QMenu* file = MainMenu1->addMenu(QStringLiteral("&File"));
    QMenu* print = file->addMenu(QStringLiteral("&Print"));
    RepoerStyle1 = print->addAction(QStringLiteral("&Repoer Style"), this, Guarded([this] { RepoerStyle1Click(); }));
    CardStyle1 = print->addAction(QStringLiteral("&Card Style"), this, Guarded([this] { CardStyle1Click(); }));
    Close1 = file->addAction(QStringLiteral("&Close"), this, &QDialog::accept);
    QMenu* edit = MainMenu1->addMenu(QStringLiteral("&Edit"));
    Add1 = edit->addAction(QStringLiteral("&Add..."), this, Guarded([this] { BtnAddClick(); }));
    Edit1 = edit->addAction(QStringLiteral("E&dit..."), this, Guarded([this] { BtnEditClick(); }));
    Delete1 = edit->addAction(QStringLiteral("D&elete"), this, Guarded([this] { BtnDeleteClick(); }));
    QMenu* view = MainMenu1->addMenu(QStringLiteral("&View"));
    Search1 = view->addAction(QStringLiteral("&Search"), this, Guarded([this] { Search1Click(); }));
    SelectFieldstoDisplay1 = view->addAction(QStringLiteral("Select Fields to D&isplay"), this,
                                             Guarded([this] { SelectFieldstoDisplay1Click(); }));
}

QWidget* TDlgBizAddrBook::BuildFilterPanel()
{
    auto* panel = new QWidget;
    CBCategory = new QComboBox;
    CBCategory->setObjectName(QStringLiteral("CBCategory"));
    CBCategory->setMinimumContentsLength(18);
    CBNameFrom = new QComboBox;
    CBNameTo = new QComboBox;
    for (QComboBox* letters : {CBNameFrom, CBNameTo}) {
        letters->addItems(BookLetters());
        letters->setCurrentIndex(-1);
    }
    BtnReset = new QPushButton(QStringLiteral("Reset"));
    BtnReset->setToolTip(QStringLiteral("Reset the name order"));
    BtnReset->setAutoDefault(false);
    CBField = new QComboBox;
    CBField->addItems(BookFilterFields());
    FieldEdit = new QLineEdit;
    FieldEdit->setToolTip(QStringLiteral("After editing, click \"Enter\" to get the result."));

    connect(CBCategory, &QComboBox::activated, this, Guarded([this] { Refresh(); }));
    connect(CBNameFrom, &QComboBox::activated, this, Guarded([this] { Refresh(); }));
    connect(CBNameTo, &QComboBox::activated, this, Guarded([this] { Refresh(); }));
    connect(BtnReset, &QPushButton::clicked, this, Guarded([this] { BtnResetClick(); }));
    connect(CBField, &QComboBox::activated, this, Guarded([this] { CBFieldChange(); }));
    connect(FieldEdit, &QLineEdit::editingFinished, this, Guarded([this] {
                Refresh();
                if (FieldEdit->hasFocus())
                    ListView1->setFocus();
            }));

    auto* names = new QHBoxLayout;
    names->addWidget(CBNameFrom);
    names->addWidget(new QLabel(QStringLiteral("to")));
    names->addWidget(CBNameTo);
    names->addWidget(BtnReset);
    names->addStretch();
    auto* field = new QHBoxLayout;
    field->addWidget(CBField);
    field->addWidget(new QLabel(QStringLiteral("=")));
    field->addWidget(FieldEdit, 1);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->addWidget(new QLabel(QStringLiteral("Category:")), 0, 0);
    grid->addWidget(CBCategory, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Name from:")), 0, 2);
    grid->addLayout(names, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Field:")), 1, 0);
    grid->addLayout(field, 1, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return panel;
}

QWidget* TDlgBizAddrBook::BuildButtonPanel()
{
    auto* panel = new QWidget;
    BtnAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnEdit = new QPushButton(QStringLiteral("&Edit..."));
    BtnDelete = new QPushButton(QStringLiteral("&Delete"));
    Button1 = new QPushButton(QStringLiteral("&Close"));
    for (QPushButton* button : {BtnAdd, BtnEdit, BtnDelete, Button1})
        button->setAutoDefault(false);
    connect(BtnAdd, &QPushButton::clicked, this, Guarded([this] { BtnAddClick(); }));
    connect(BtnEdit, &QPushButton::clicked, this, Guarded([this] { BtnEditClick(); }));
    connect(BtnDelete, &QPushButton::clicked, this, Guarded([this] { BtnDeleteClick(); }));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 8);
    row->addWidget(BtnAdd);
    row->addWidget(BtnEdit);
    row->addWidget(BtnDelete);
    row->addStretch();
    row->addWidget(Button1);
    return panel;
}

void TDlgBizAddrBook::FormShow()
{
    FillCategoryFilter();
    if (ProductCode != -1) {
        SelectComboById(*CBCategory, ProductCode);
        if (ProductCode == 0)
            setWindowTitle(QStringLiteral("VehicleBook Address Book"));
        else if (ProductCode == kCarePortfolioProduct)
            setWindowTitle(QStringLiteral("CarePortfolio Address Book"));
    }
    LoadColumns();
    CBField->setCurrentText(kNoFilterField);
    FillList();
}

void TDlgBizAddrBook::FillCategoryFilter()
{
    FillChoiceCombo(*CBCategory, CategoryListId);
    // Sorted in among the categories, as a sorted list would place it.
    const QString all = QStringLiteral("All Categories");
    int at = 0;
    while (at < CBCategory->count() && CBCategory->itemText(at).compare(all, Qt::CaseInsensitive) < 0)
        ++at;
    CBCategory->insertItem(at, all, kAllCategories);
    CBCategory->setCurrentIndex(-1);
}

void TDlgBizAddrBook::LoadColumns()
{
    columns_ = LoadBookColumns();
    QStringList captions;
    for (const TBookColumn& column : columns_)
        captions << column.caption;
    ListView1->clear();
    ListView1->setColumnCount(int(captions.size()));
    ListView1->setHeaderLabels(captions);
    for (int i = 0; i < int(captions.size()); ++i)
        ListView1->setColumnWidth(i, 150);
}

qint32 TDlgBizAddrBook::CategoryShown() const
{
    return CBCategory->currentIndex() >= 0 ? CBCategory->currentData().toInt() : -1;
}

TBookFilter TDlgBizAddrBook::Filter() const
{
    TBookFilter filter;
    filter.categoryId = CategoryShown();
    filter.fromLetter = CBNameFrom->currentIndex() >= 0 ? CBNameFrom->currentText() : QString();
    filter.toLetter = CBNameTo->currentIndex() >= 0 ? CBNameTo->currentText() : QString();
    filter.field = CBField->currentText();
    filter.value = FieldEdit->text();
    return filter;
}

void TDlgBizAddrBook::FillList()
{
    ShowRows(ReadBook(columns_, Filter()));
}

void TDlgBizAddrBook::ShowRows(const std::vector<TBookRow>& rows)
{
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(rows.size()));
    for (const TBookRow& row : rows) {
        auto* item = new QTreeWidgetItem(row.cells);
        item->setData(0, Qt::UserRole, row.bizId);
        items << item;
    }
    ListView1->addTopLevelItems(items);
    UpdateButtons();
}

void TDlgBizAddrBook::Refresh()
{
    FillList();
}

void TDlgBizAddrBook::ReloadAll()
{
    LoadColumns();
    FillList();
}

void TDlgBizAddrBook::UpdateButtons()
{
    const bool selected = SelectedBizId() != 0;
    BtnEdit->setEnabled(selected);
    BtnDelete->setEnabled(selected);
}

qint32 TDlgBizAddrBook::SelectedBizId() const
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(0, Qt::UserRole).toInt();
}

void TDlgBizAddrBook::SelectBizId(qint32 bizId)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == bizId) {
            ListView1->setCurrentItem(item);
            item->setSelected(true);
            return;
        }
    }
}

bool TDlgBizAddrBook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease)
        RunGuarded([this] { ListView1Click(); });
    return QDialog::eventFilter(watched, event);
}

void TDlgBizAddrBook::ListView1Click()
{
    UpdateButtons();
    if (SelectedBizId() == 0 && ListView1->topLevelItemCount() > 0) {
        ShowMessageBox(QStringLiteral("Please first select a line in the first column of the address table to edit "
                                      "or delete it."),
                       MsgIcon::Warning, MsgOk);
        ListView1->setFocus();
    }
}

void TDlgBizAddrBook::ListView1ColumnClick(int column)
{
    if (column < 0 || column >= int(columns_.size()))
        return;
    const std::optional<bool> descending = SortDescendingAfterClick(columns_[size_t(column)].caption, sortClicks_);
    if (!descending)
        return;
    ShowRows(ReadSortedBook(columns_, {columns_[size_t(column)].dbField, *descending}));
}

void TDlgBizAddrBook::BtnAddClick()
{
    qint32 bizId = 0;
    EditBusinessAddr(QString(), -1, bizId);
    // The dialog may have added a category; the list starts again from all of them.
    FillCategoryFilter();
    ReloadAll();
}

void TDlgBizAddrBook::BtnEditClick()
{
    qint32 bizId = SelectedBizId();
    if (bizId == 0) {
        ShowMessageBox(QStringLiteral("Please select one record to edit."), MsgIcon::Warning, MsgOk);
        return;
    }
    TBizAddr row;
    // A business deleted meanwhile opens as a new one of no name.
    const bool found = ReadBizAddr(bizId, row);
    EditBusinessAddr(row.businessName, found ? row.categoryNo : -1, bizId);
    ReloadAll();
    SelectBizId(bizId);
}

void TDlgBizAddrBook::BtnDeleteClick()
{
    const qint32 bizId = SelectedBizId();
    if (bizId == 0) {
        ShowMessageBox(QStringLiteral("Please select one record to delete."), MsgIcon::Warning, MsgOk);
        return;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure you want to delete this item?"), MsgIcon::Information,
                       MsgYes | MsgNo)
        != MsgResult::Yes) {
        ListView1->setFocus();
        SelectBizId(bizId);
        return;
    }
    DeleteBusiness(bizId);
    ReloadAll();
}

void TDlgBizAddrBook::BtnResetClick()
{
    CBNameFrom->setCurrentIndex(-1);
    CBNameTo->setCurrentIndex(-1);
    Refresh();
}

void TDlgBizAddrBook::CBFieldChange()
{
    if (CBField->currentText() != kNoFilterField)
        return;
    FieldEdit->clear();
    Refresh();
}

void TDlgBizAddrBook::SelectFieldstoDisplay1Click()
{
    {
        std::unique_ptr<TDlgSelectFields> choose = MakeUnderHourglass<TDlgSelectFields>(this);
        choose->exec();
    }
    ReloadAll();
}

void TDlgBizAddrBook::Search1Click()
{
    std::unique_ptr<TDlgBizAddrSearch> search = MakeUnderHourglass<TDlgBizAddrSearch>(this);
    search->exec();
}

// With no printer installed the printouts go to a PDF file, so there is
// always somewhere to print to.
void TDlgBizAddrBook::RepoerStyle1Click()
{
    ShowReportStyleDialog(this, true, ProductCode, CategoryShown(), SelectedBizId());
}

void TDlgBizAddrBook::CardStyle1Click()
{
    ShowCardStyleDialog(this, true, ProductCode, CategoryShown(), SelectedBizId());
}
