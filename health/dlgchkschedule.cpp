#include "dlgchkschedule.h"

#include "checkrecords.h"
#include "chkreptform.h"
#include "dlgaddck.h"
#include "dlgcheckupdata.h"
#include "dlgchkupperform.h"
#include "dlgprogress.h"
#include "keyedglyph.h"

#include "context/context.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 32;
constexpr int kIdRole = Qt::UserRole;

QTreeWidget* ReportList(const QStringList& headings, const QList<int>& widths)
{
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderLabels(headings);
    list->header()->setSectionsClickable(true);
    list->header()->setStretchLastSection(true);
    // The last column takes what is left, and long texts are elided.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int n = 0; n < widths.size(); ++n)
        list->setColumnWidth(n, widths[n]);
    return list;
}

QLabel* WrappedLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QLabel* Picture(const QWidget& page)
{
    auto* picture = new QLabel;
    picture->setPixmap(MakeKeyedGlyph(CheckupPicture(), page.palette().color(QPalette::Window)));
    return picture;
}

std::vector<TChkListRow> RowsOf(const QTreeWidget& list)
{
    std::vector<TChkListRow> rows;
    for (int n = 0; n < list.topLevelItemCount(); ++n) {
        const QTreeWidgetItem* item = list.topLevelItem(n);
        rows.push_back({item->text(0), item->text(1), item->text(2), item->text(3)});
    }
    return rows;
}

qint32 SelectedId(const QTreeWidget& list)
{
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(0, kIdRole).toInt();
}

}  // namespace

QPixmap CheckupPicture()
{
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xF0));
    painter.drawRect(5, 4, 21, 26);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawRect(11, 2, 9, 4);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    for (int y = 12; y <= 24; y += 4)
        painter.drawLine(9, y, 16, y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xD0, 0x00, 0x00));
    painter.drawRect(19, 15, 6, 2);
    painter.drawRect(21, 13, 2, 6);
    return picture;
}

void ShowCheckupScheduleDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgChkSchedule>();
    if (!dialog->Loaded()) {
        // The master rows are gone: nothing the program shows can be trusted.
        QCoreApplication::exit(1);
        return;
    }
    dialog->exec();
}

TDlgChkSchedule::TDlgChkSchedule(QWidget* parent)
    : QDialog(parent), memberId_(CurMemberID), member_(ReadScheduleMember(memberId_)), age_(AgeOn(member_.dob, Date()))
{
    setObjectName(QStringLiteral("DlgChkSchedule"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QString caption = QStringLiteral("Check-up Schedule for ") + member_.firstName;
    setWindowTitle(caption);
    JzLbName = new QLabel(caption);
    JzLbName->setTextFormat(Qt::PlainText);
    QFont big = JzLbName->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    JzLbName->setFont(big);

    PageControl1 = new QTabWidget;
    TabSheet1 = BuildSchedulePage();
    TabSheet2 = BuildLogPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Schedule"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Log"));
    ButtonClose = new QPushButton(QStringLiteral("&Close"));
    ButtonClose->setDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->addWidget(JzLbName, 1);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ButtonClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(heading);
    column->addWidget(PageControl1, 1);
    column->addLayout(closing);
    // It may grow; smaller, the wrapped instructions would be drawn over each other.
    setMinimumSize(660, 560);
    resize(660, 560);

    FillSchedule();
    if (Loaded())
        FillLog();
    PageControl1->setCurrentWidget(TabSheet1);
}

QWidget* TDlgChkSchedule::BuildSchedulePage()
{
    auto* page = new QWidget;
    ImageDest1 = Picture(*page);
    LVSchedule = ReportList({QStringLiteral("Check-up Item"), QStringLiteral("Last Performed"),
                             QStringLiteral("Due Date"), QStringLiteral("Frequency")},
                            {200, 120, 120, 120});
    Button5 = new QPushButton(QStringLiteral("Per&formed..."));
    BtnAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnEdit = new QPushButton(QStringLiteral("&Edit..."));
    BtnDel = new QPushButton(QStringLiteral("&Delete"));
    ButtonSReport = new QPushButton(QStringLiteral("&Print..."));
    connect(Button5, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button5Click(); }); });
    connect(BtnAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(BtnEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(BtnDel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    connect(ButtonSReport, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonSReportClick(); }); });
    connect(LVSchedule, &QTreeWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(LVSchedule, &QTreeWidget::itemSelectionChanged, this, [this] { ApplyButtonRules(); });
    connect(LVSchedule->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([&] { LVScheduleColumnClick(column); }); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, LVSchedule, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    LVSchedule->viewport()->installEventFilter(this);

    auto* help = new QVBoxLayout;
    for (const QString& text :
         {QStringLiteral("This schedule is created automatically based on AMA data according to the individual's age "
                         "and checkup history. "),
          QStringLiteral("1. To keep track of a checkup item, click on the \"Performed\" button and enter your last "
                         "checkup date."),
          QStringLiteral("2. After completing a checkup, click on the \"Performed\" button to enter the actual date, "
                         "the doctor's name, expense, and any notes."),
          QStringLiteral("3. If you would like to add, modify, or delete any checkup item, please press the \"Add\", "
                         "\"Edit\", or \"Delete\" button.")})
        help->addWidget(WrappedLabel(text));
    auto* top = new QHBoxLayout;
    top->addWidget(ImageDest1, 0, Qt::AlignTop);
    top->addLayout(help, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Button5, BtnAdd, BtnEdit, BtnDel, ButtonSReport})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* column = new QVBoxLayout(page);
    column->addLayout(top);
    column->addWidget(LVSchedule, 1);
    column->addLayout(buttons);
    return page;
}

QWidget* TDlgChkSchedule::BuildLogPage()
{
    auto* page = new QWidget;
    ImageDest2 = Picture(*page);
    LabelTitleLogPage = new QLabel(QStringLiteral("Checkup & Immunization Log"));
    LabelTitleLogPage->setTextFormat(Qt::PlainText);
    QFont bold = LabelTitleLogPage->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    LabelTitleLogPage->setFont(bold);
    LVLog = ReportList({QStringLiteral("Check-up Item"), QStringLiteral("Date Performed"),
                        QStringLiteral("Doctor or Hospital"), QStringLiteral("Note")},
                       {200, 110, 150, 150});
    BtnLogAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnLogEdit = new QPushButton(QStringLiteral("&Edit..."));
    BtnLogDelete = new QPushButton(QStringLiteral("&Delete"));
    ButtonLReport = new QPushButton(QStringLiteral("&Print..."));
    connect(BtnLogAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnLogAddClick(); }); });
    connect(BtnLogEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnLogEditClick(); }); });
    connect(BtnLogDelete, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnLogDeleteClick(); }); });
    connect(ButtonLReport, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonLReportClick(); }); });
    connect(LVLog, &QTreeWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { BtnLogEditClick(); }); });
    connect(LVLog, &QTreeWidget::itemSelectionChanged, this, [this] { ApplyButtonRules(); });
    connect(LVLog->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([&] { LVLogColumnClick(column); }); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, LVLog, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RunGuarded([this] { BtnLogDeleteClick(); }); });
    LVLog->viewport()->installEventFilter(this);

    auto* help = new QVBoxLayout;
    help->addWidget(LabelTitleLogPage);
    help->addWidget(WrappedLabel(
        QStringLiteral("1. This page contains information on health checkup and immunization records. ")));
    help->addWidget(WrappedLabel(QStringLiteral(
        "2. For adding, editing, or deleting the record, click \"Add\", \"Edit\", or \"Delete\" button.")));
    auto* top = new QHBoxLayout;
    top->addWidget(ImageDest2, 0, Qt::AlignTop);
    top->addLayout(help, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {BtnLogAdd, BtnLogEdit, BtnLogDelete, ButtonLReport})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* column = new QVBoxLayout(page);
    column->addLayout(top);
    column->addWidget(LVLog, 1);
    column->addLayout(buttons);
    return page;
}

bool TDlgChkSchedule::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == LVSchedule->viewport())
            RunGuarded([this] { LVScheduleClick(); });
        else if (watched == LVLog->viewport())
            RunGuarded([this] { LVLogClick(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgChkSchedule::FillSchedule(TChkOrder order)
{
    LVSchedule->clear();
    items_ = LoadChkSchedule(memberId_, member_.sex, order);
    if (!items_) {
        ShowMessageBox(QStringLiteral("Your database may have been corrupted. The program will exit immediately. "
                                      "Please try it again."),
                       MsgIcon::Warning, MsgOk);
        ApplyButtonRules();
        return;
    }
    QList<QTreeWidgetItem*> rows;
    for (const TChkSchedRec& item : *items_) {
        if (!ItemShown(item, age_))
            continue;
        auto* row = new QTreeWidgetItem(
            QStringList{item.itemStr1, LastPerformedText(item), DueDateText(item), FrequencyText(item.interval)});
        row->setData(0, kIdRole, item.templId);
        rows << row;
    }
    LVSchedule->addTopLevelItems(rows);
    ApplyButtonRules();
}

void TDlgChkSchedule::FillLog(TChkLogOrder order)
{
    LVLog->clear();
    QList<QTreeWidgetItem*> rows;
    for (const TChkLogRow& record : ReadChkLog(memberId_, order)) {
        auto* row = new QTreeWidgetItem(QStringList{record.item, DateToStr(record.dateDone), record.doctor, record.note});
        row->setData(0, kIdRole, record.checkupId);
        rows << row;
    }
    LVLog->addTopLevelItems(rows);
    ApplyButtonRules();
}

void TDlgChkSchedule::RefreshBoth()
{
    HourglassCursor wait;
    FillSchedule();
    FillLog();
}

void TDlgChkSchedule::ApplyButtonRules()
{
    const bool item = !LVSchedule->selectedItems().isEmpty();
    BtnEdit->setEnabled(item);
    BtnDel->setEnabled(item);
    const bool record = !LVLog->selectedItems().isEmpty();
    BtnLogEdit->setEnabled(record);
    BtnLogDelete->setEnabled(record);
}

qint32 TDlgChkSchedule::SelectedTemplId() const
{
    return SelectedId(*LVSchedule);
}

qint32 TDlgChkSchedule::SelectedCheckupId() const
{
    return SelectedId(*LVLog);
}

void TDlgChkSchedule::Reselect(QTreeWidget* list, int row)
{
    if (QTreeWidgetItem* item = list->topLevelItem(row))
        list->setCurrentItem(item);
    ApplyButtonRules();
}

void TDlgChkSchedule::LVScheduleClick()
{
    ApplyButtonRules();
    if (LVSchedule->topLevelItemCount() > 0 && LVSchedule->selectedItems().isEmpty()) {
        ShowMessageBox(QStringLiteral("Please first select a line in the first column of the schedule table to edit "
                                      "or delete it."),
                       MsgIcon::Warning, MsgOk);
        LVSchedule->setFocus();
    }
}

void TDlgChkSchedule::LVLogClick()
{
    ApplyButtonRules();
    if (LVLog->topLevelItemCount() > 0 && LVLog->selectedItems().isEmpty()) {
        ShowMessageBox(QStringLiteral("Please first select a line in the description column of the log table to edit "
                                      "or delete it."),
                       MsgIcon::Warning, MsgOk);
        LVLog->setFocus();
    }
}

void TDlgChkSchedule::LVScheduleColumnClick(int column)
{
    if (const auto order = clicks_.ScheduleClick(column)) {
        HourglassCursor wait;
        FillSchedule(*order);
    }
}

void TDlgChkSchedule::LVLogColumnClick(int column)
{
    if (const auto order = clicks_.LogClick(column))
        FillLog(*order);
}

void TDlgChkSchedule::Button5Click()
{
    const qint32 templId = SelectedTemplId();
    if (templId == 0) {
        ShowMessageBox(QStringLiteral("Please first select a line in the first column of the schedule table to "
                                      "perform it."),
                       MsgIcon::Warning, MsgOk);
        LVSchedule->setFocus();
        return;
    }
    const int row = LVSchedule->indexOfTopLevelItem(LVSchedule->selectedItems().first());
    if (!ShowCheckupPerformedDialog(this, memberId_, templId).cancelled)
        RefreshBoth();
    LVSchedule->setFocus();
    Reselect(LVSchedule, row);
}

void TDlgChkSchedule::BtnAddClick()
{
    const int row = LVSchedule->currentIndex().row();
    if (!ShowCheckupItemDialog(this, true, memberId_, member_.sex, age_, 0).cancelled)
        RefreshBoth();
    Reselect(LVSchedule, row);
}

void TDlgChkSchedule::BtnEditClick()
{
    const qint32 templId = SelectedTemplId();
    if (templId == 0)
        return;
    const int row = LVSchedule->indexOfTopLevelItem(LVSchedule->selectedItems().first());
    if (!ShowCheckupItemDialog(this, false, memberId_, member_.sex, age_, templId).cancelled)
        RefreshBoth();
    Reselect(LVSchedule, row);
}

std::optional<qint32> TDlgChkSchedule::ConfirmedDeletion(QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        ShowMessageBox(QStringLiteral("Please select one checkup item."), MsgIcon::Warning, MsgOk);
        return std::nullopt;
    }
    const int row = list->indexOfTopLevelItem(selected.first());
    if (ShowMessageBox(DeleteChkQuestion(selected.first()->text(0)), MsgIcon::Question, MsgYes | MsgNo) !=
        MsgResult::Yes) {
        list->setFocus();
        Reselect(list, row);
        return std::nullopt;
    }
    return selected.first()->data(0, kIdRole).toInt();
}

void TDlgChkSchedule::BtnDelClick()
{
    if (const std::optional<qint32> templId = ConfirmedDeletion(LVSchedule)) {
        DeleteChkItem(*templId);
        RefreshBoth();
    }
}

void TDlgChkSchedule::ButtonSReportClick()
{
    PrintCheckupList(TChkListKind::Schedule, memberId_, RowsOf(*LVSchedule));
}

void TDlgChkSchedule::BtnLogAddClick()
{
    if (ShowCheckupDataDialog(this, memberId_, 0).cancelled)
        return;
    logChanged_ = true;
    RefreshBoth();
}

void TDlgChkSchedule::BtnLogEditClick()
{
    if (LVLog->topLevelItemCount() == 0)
        return;
    const qint32 checkupId = SelectedCheckupId();
    if (checkupId == 0) {
        ShowMessageBox(QStringLiteral("Please first select a line in the first column of the log table to perform "
                                      "it."),
                       MsgIcon::Warning, MsgOk);
        LVLog->setFocus();
        return;
    }
    const int row = LVLog->indexOfTopLevelItem(LVLog->selectedItems().first());
    if (!ShowCheckupDataDialog(this, memberId_, checkupId).cancelled) {
        RefreshBoth();
        logChanged_ = true;
    }
    Reselect(LVLog, row);
}

void TDlgChkSchedule::BtnLogDeleteClick()
{
    if (const std::optional<qint32> checkupId = ConfirmedDeletion(LVLog)) {
        DeleteCheckRecord(*checkupId);
        RefreshBoth();
    }
}

void TDlgChkSchedule::ButtonLReportClick()
{
    PrintCheckupList(TChkListKind::Log, memberId_, RowsOf(*LVLog));
}

void TDlgChkSchedule::done(int result)
{
    if (!remindersWritten_) {
        remindersWritten_ = true;
        RunGuarded([this] { WriteReminders(); });
    }
    QDialog::done(result);
}

void TDlgChkSchedule::WriteReminders()
{
    if (!items_)
        return;
    HourglassCursor wait;
    TDlgProgress progress(this);
    progress.Lb->setText(QStringLiteral("Saving data to To-Do List. Please wait."));
    progress.show();
    progress.SetPercent(0);
    progress.SetPercent(10);
    WriteChkReminders(*items_, member_, age_, logChanged_, Date(),
                      [&progress](int percent) { progress.SetPercent(10 + percent * 80 / 100); });
    progress.SetPercent(100);
}
