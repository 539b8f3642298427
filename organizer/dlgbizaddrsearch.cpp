#include "dlgbizaddrsearch.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kSecondColumn = QStringLiteral("Search field if not Name");
}

TDlgBizAddrSearch::TDlgBizAddrSearch(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgBizAddrSearch"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Search"));
    CBField = new QComboBox;
    CBField->addItems(SearchFields());
    CBField->setCurrentIndex(-1);
    ContainEdit = new QLineEdit;
    BtnFind = new QPushButton(QStringLiteral("Find Now"));
    BtnFind->setDefault(true);
    BtnNew = new QPushButton(QStringLiteral("New Search"));
    BtnClose = new QPushButton(QStringLiteral("Close"));
    ListView1 = new QTreeWidget;
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHeaderLabels({QStringLiteral("Name"), kSecondColumn});
    ListView1->setColumnWidth(0, 120);
    ListView1->setColumnWidth(1, 200);
    ListView1->header()->setSectionsClickable(true);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([this, column] { ListView1ColumnClick(column); }); });
    connect(BtnFind, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnFindClick(); }); });
    connect(BtnNew, &QPushButton::clicked, this, [this] { BtnNewClick(); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Search for field")), 0, 0);
    fields->addWidget(CBField, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Containing ")), 1, 0);
    fields->addWidget(ContainEdit, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtnFind);
    buttons->addWidget(BtnNew);
    buttons->addWidget(BtnClose);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(new QLabel(QStringLiteral("Item(s) found:")));
    column->addWidget(ListView1, 1);
    resize(440, 360);
}

void TDlgBizAddrSearch::BtnFindClick()
{
    HourglassCursor hourglass;
    ListView1->clear();
    const TSearchResult result =
        SearchBook(CBField->currentIndex() >= 0 ? CBField->currentText() : QString(), ContainEdit->text(),
                   resultSortColumn_, resultSortClicks_);
    const bool second = !result.fieldCaption.isEmpty();
    ListView1->headerItem()->setText(1, second ? result.fieldCaption : kSecondColumn);
    QList<QTreeWidgetItem*> items;
    for (const TSearchHit& hit : result.hits)
        items << new QTreeWidgetItem(second ? QStringList{hit.businessName, hit.value} : QStringList{hit.businessName});
    ListView1->addTopLevelItems(items);
}

void TDlgBizAddrSearch::ListView1ColumnClick(int column)
{
    resultSortColumn_ = column;
    BtnFindClick();
    ++resultSortClicks_;
}

void TDlgBizAddrSearch::BtnNewClick()
{
    if (ShowMessageBox(QStringLiteral("This will clear your current search."), MsgIcon::Question, MsgOk | MsgCancel)
        != MsgResult::Ok)
        return;
    CBField->setCurrentIndex(-1);
    ContainEdit->clear();
    ListView1->clear();
}
