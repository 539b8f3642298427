#include "formmedpay.h"

#include "clicklabel.h"
#include "controls/efnumeric.h"
#include "health/medpayments.h"
#include "health/medpaystatement.h"
#include "launcher.h"
#include "pagecommon.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/gridrows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kColumns = 5;
constexpr int kStartRows = 30;
constexpr int kRowHeight = 18;

QLabel* BoldLabel(const QString& text, int pointSize = 0)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

QLabel* HelpLine(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* HelpPage(const QStringList& lines, int spacing)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    for (const QString& line : lines)
        column->addWidget(HelpLine(line));
    return page;
}

void SetCell(QTableWidget& grid, int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    auto* item = new QTableWidgetItem(text);
    if (column >= 2)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid.setItem(row, column, item);
}

// The page's view and year, and the payment to edit (0 for a new one).
TDialogRequest PaymentRequest(qint32 medId)
{
    TDialogRequest request;
    request.payPatient = PayFilter.patient;
    request.payCompany = PayFilter.company;
    request.payCoverage = PayFilter.coverage;
    request.paymentId = medId;
    request.statementYear = PayStatementYear;
    return request;
}

}  // namespace

TFormMedPay::TFormMedPay(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMedPay"));
    setWindowTitle(QStringLiteral("Medical Expenses"));
    MakeWhite(*this);
    EfController1 = new TEfController(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 10, 16, 10);
    column->addWidget(BuildHeading());
    column->addWidget(BuildGrid(), 1);
    column->addWidget(BuildTotals());
    auto* buttons = new QHBoxLayout;
    ButtonAdd = new QPushButton(QStringLiteral("&Add..."));
    ButtonEdit = new QPushButton(QStringLiteral("&Edit..."));
    ButtonDelete = new QPushButton(QStringLiteral("&Delete"));
    buttons->addWidget(ButtonAdd);
    buttons->addWidget(ButtonEdit);
    buttons->addWidget(ButtonDelete);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addWidget(BuildHelp());

    connect(ButtonAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonAddClick(); }); });
    connect(ButtonEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonEditClick(); }); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonDeleteClick(); }); });
    connect(SBCategory, &QToolButton::clicked, this, [this] { RunGuarded([this] { LCategorySelectClick(); }); });
    connect(Label1Year_left_SpeedButton, &QToolButton::clicked, this, [this] { RunGuarded([this] { YearLeftClick(); }); });
    connect(Label1Year_right_SpeedButton, &QToolButton::clicked, this,
            [this] { RunGuarded([this] { YearRightClick(); }); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { RunGuarded([this, row] { StringGrid1DblClick(row); }); });
    connect(Label2, &TClickLabel::clicked, this, [this] { RunGuarded([this] { Label2Click(); }); });

    StatementYearShown(Date());
    ShowYear();
    LabelFilter->setText(FilterTextOf(PayFilter));
    LoadStatement();
}

QWidget* TFormMedPay::BuildHeading()
{
    auto* heading = new QWidget;
    auto* column = new QVBoxLayout(heading);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(BoldLabel(QStringLiteral("Medical Expenses"), 14));

    LabelFilter = BoldLabel(QStringLiteral("Medical payment records"));
    SBCategory = new QToolButton;
    SBCategory->setText(QStringLiteral("Select..."));
    SBCategory->setToolTip(QStringLiteral("Choose the records to view"));
    Label1Year_left_SpeedButton = new QToolButton;
    Label1Year_left_SpeedButton->setArrowType(Qt::LeftArrow);
    Label1Year_left_SpeedButton->setToolTip(QStringLiteral("Previous year"));
    LabelYear = BoldLabel(QString());
    LabelYear->setAlignment(Qt::AlignCenter);
    LabelYear->setMinimumWidth(40);
    Label1Year_right_SpeedButton = new QToolButton;
    Label1Year_right_SpeedButton->setArrowType(Qt::RightArrow);
    Label1Year_right_SpeedButton->setToolTip(QStringLiteral("Next year"));

    auto* row = new QHBoxLayout;
    row->addWidget(LabelFilter);
    row->addWidget(SBCategory);
    row->addStretch();
    row->addWidget(new QLabel(QStringLiteral("View :")));
    row->addWidget(Label1Year_left_SpeedButton);
    row->addWidget(LabelYear);
    row->addWidget(Label1Year_right_SpeedButton);
    column->addLayout(row);
    return heading;
}

QWidget* TFormMedPay::BuildGrid()
{
    StringGrid1 = new QTableWidget(kStartRows, kColumns);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Service\nDates"), QStringLiteral("Health \nProvider"),
                                            QStringLiteral("Amount\nCharged"), QStringLiteral("Insurance\nPayment"),
                                            QStringLiteral("Out of\nPocket")});
    StringGrid1->horizontalHeader()->setSectionsClickable(false);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are chosen: Tab goes on to the buttons, not to the next cell.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setWordWrap(false);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->installEventFilter(this);
    // Each money column, a sixth of the grid, keeps room for the largest
    // amount of a payment, its cell's margins and grid line.
    const int money = StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("$999,999.99")) + 16;
    StringGrid1->setMinimumWidth(6 * (money + 1));
    rowKeys_ = QList<qint32>(kStartRows, 0);
    return StringGrid1;
}

QWidget* TFormMedPay::BuildTotals()
{
    auto* totals = new QWidget;
    auto* row = new QHBoxLayout(totals);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    totalsGap_ = new QWidget;
    auto* gap = new QHBoxLayout(totalsGap_);
    gap->setContentsMargins(0, 0, 6, 0);
    gap->addStretch();
    gap->addWidget(BoldLabel(QStringLiteral("Total:")));
    row->addWidget(totalsGap_);
    for (TEfNumericField** box : {&EditAmount, &EditInsPay, &EditOutOfPocket}) {
        // Ten million and its cents take eight digits before the point.
        *box = new TEfNumericField(this, nftDouble, QStringLiteral("$##,###,###.##"), EfController1);
        (*box)->Core().ReadOnly = true;
        (*box)->setFocusPolicy(Qt::NoFocus);
        row->addWidget(*box);
    }
    row->addStretch();
    return totals;
}

QWidget* TFormMedPay::BuildHelp()
{
    Notebook = new QStackedWidget;
    Notebook->addWidget(HelpPage(
        {QStringLiteral("This section allows you to enter all your medical expenses and keep track of insurance "
                        "reimbursements."),
         QStringLiteral("You can then selectively review them by year as well as by family member, type of coverage, "
                        "and insurance carrier using the view feature."),
         QStringLiteral("This information can help you in selecting insurance coverage, setting up pre-tax payroll "
                        "deductions, and preparing your income-tax return.")},
        4));
    Notebook->addWidget(HelpPage({QStringLiteral("You can add or edit an item by either:"),
                                  QStringLiteral("- clicking on a line and then using"),
                                  QStringLiteral("   the buttons, or"), QStringLiteral("- double clicking on a line")},
                                 0));
    Label2 = new TClickLabel;
    Label2->setText(QStringLiteral("Click for more..."));
    StyleAsLink(*Label2, Label2->font().pointSize());

    // The help takes the height of its text; the grid takes the rest.
    help_ = new QWidget;
    help_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* column = new QVBoxLayout(help_);
    column->setContentsMargins(0, 6, 0, 0);
    column->addWidget(Notebook);
    column->addWidget(Label2, 0, Qt::AlignRight);
    return help_;
}

// The provider's column takes what the four others leave.
void TFormMedPay::LayOutColumns()
{
    const int width = StringGrid1->width();
    const int standard = width / 6 - 1;
    for (int column = 0; column < kColumns; ++column)
        StringGrid1->setColumnWidth(column, column == 1 ? width - 4 * standard - 18 : standard);
    totalsGap_->setFixedWidth(StringGrid1->columnWidth(0) + StringGrid1->columnWidth(1));
    for (TEfNumericField* box : {EditAmount, EditInsPay, EditOutOfPocket})
        box->setFixedWidth(standard);
}

void TFormMedPay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutColumns();
    // The window's least height knows nothing of wrapped text: made small,
    // the help lines would be drawn over each other. The grid gives way.
    help_->setMinimumHeight(help_->heightForWidth(help_->width()));
}

bool TFormMedPay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RunGuarded([this] { ButtonDeleteClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormMedPay::ShowYear()
{
    LabelYear->setText(QString::number(PayStatementYear));
}

void TFormMedPay::LoadStatement()
{
    StringGrid1->clearContents();
    std::fill(rowKeys_.begin(), rowKeys_.end(), 0);
    lastFilledRow_ = -1;
    if (PayFilter.patient < 0)
        return;
    const TStatement statement = ::LoadStatement(PayFilter, PayStatementYear);
    FillRows(statement.rows);
    ButtonEdit->setEnabled(lastFilledRow_ >= 0);
    ButtonDelete->setEnabled(lastFilledRow_ >= 0);
    ScrollToRows();
    ShowTotals(statement.totals);
}

void TFormMedPay::FillRows(const std::vector<TStatementRow>& rows)
{
    StringGrid1->setUpdatesEnabled(false);
    while (static_cast<size_t>(StringGrid1->rowCount()) <= rows.size())
        GrowGridRows(*StringGrid1, rowKeys_);
    for (const TStatementRow& row : rows) {
        const int n = ++lastFilledRow_;
        rowKeys_[n] = row.medId;
        SetCell(*StringGrid1, n, 0, row.date);
        SetCell(*StringGrid1, n, 1, row.provider);
        SetCell(*StringGrid1, n, 2, row.total);
        SetCell(*StringGrid1, n, 3, row.insurance);
        SetCell(*StringGrid1, n, 4, row.outOfPocket);
    }
    StringGrid1->setUpdatesEnabled(true);
}

void TFormMedPay::ScrollToRows()
{
    const int visibleRows = std::max(1, StringGrid1->viewport()->height() / kRowHeight);
    if (lastFilledRow_ + 1 <= visibleRows) {
        StringGrid1->scrollToTop();
        StringGrid1->setCurrentCell(0, 0);
    } else if (scrollToLast_) {
        StringGrid1->scrollTo(StringGrid1->model()->index(lastFilledRow_, 0), QAbstractItemView::PositionAtBottom);
        StringGrid1->setCurrentCell(lastFilledRow_, 0);
    }
    if (lastFilledRow_ > 0)
        StringGrid1->setCurrentCell(lastFilledRow_, 0);
}

void TFormMedPay::ShowTotals(const TStatementTotals& totals)
{
    const std::optional<qint64> sums[] = {totals.total, totals.insurance, totals.outOfPocket};
    TEfNumericField* const boxes[] = {EditAmount, EditInsPay, EditOutOfPocket};
    for (int n = 0; n < 3; ++n) {
        if (TotalTooBig(sums[n])) {
            ShowMessageBox(TotalTooBigText(n), MsgIcon::Information, MsgOk);
            boxes[n]->SetFloatValue(-1.0);
        } else {
            boxes[n]->SetFloatValue(static_cast<double>(*sums[n]) / 100.0);
        }
    }
}

void TFormMedPay::YearLeftClick()
{
    --PayStatementYear;
    ShowYear();
    LoadStatement();
}

void TFormMedPay::YearRightClick()
{
    if (PayStatementYear >= DecodeDate(Date()).year) {
        ShowMessageBox(QStringLiteral("No statement for the future."), MsgIcon::Warning, MsgOk);
        return;
    }
    ++PayStatementYear;
    ShowYear();
    LoadStatement();
}

void TFormMedPay::LCategorySelectClick()
{
    const TDialogOutcome chosen = Launcher::Open(TDialogID::PaymentCategory, PaymentRequest(0));
    if (chosen.cancelled)
        return;
    LabelFilter->setText(chosen.payFilterText);
    PayFilter = {chosen.payPatient, chosen.payCompany, chosen.payCoverage};
    scrollToLast_ = true;
    LoadStatement();
}

qint32 TFormMedPay::SelectedKey() const
{
    const int row = StringGrid1->currentRow();
    return row >= 0 && row < rowKeys_.size() ? rowKeys_.at(row) : 0;
}

void TFormMedPay::OpenPayment(qint32 medId)
{
    Launcher::Open(TDialogID::Payment, PaymentRequest(medId));
    scrollToLast_ = medId == 0;
    LoadStatement();
}

void TFormMedPay::ButtonAddClick()
{
    OpenPayment(0);
}

void TFormMedPay::ButtonEditClick()
{
    const qint32 medId = SelectedKey();
    if (medId == 0) {
        ShowMessageBox(QStringLiteral("Please select an existing item to edit."), MsgIcon::Warning, MsgOk);
        return;
    }
    OpenPayment(medId);
}

void TFormMedPay::StringGrid1DblClick(int row)
{
    if (row > lastFilledRow_)
        ButtonAddClick();
    else
        ButtonEditClick();
}

void TFormMedPay::ButtonDeleteClick()
{
    const qint32 medId = SelectedKey();
    if (medId == 0) {
        ShowMessageBox(QStringLiteral("Please select an existing item to delete."), MsgIcon::Warning, MsgOk);
        return;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure you want to delete the selected item?"), MsgIcon::Question,
                       MsgYes | MsgNo)
        != MsgResult::Yes)
        return;
    DeletePayment(medId);
    LoadStatement();
}

void TFormMedPay::Label2Click()
{
    const bool more = Notebook->currentIndex() == 0;
    Notebook->setCurrentIndex(more ? 1 : 0);
    Label2->setText(more ? QStringLiteral("Click to go back") : QStringLiteral("Click for more..."));
}
