#include "dlgmedimmun.h"

#include "dlgaddim.h"
#include "dlgdelvc.h"
#include "dlgmedimmrec.h"
#include "dlgprogress.h"
#include "immureptform.h"
#include "keyedglyph.h"

#include "context/context.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 40;
constexpr int kColumnWidth = 70;
constexpr int kVaccineColumnWidth = 250;
constexpr int kWidestVaccineColumn = 340;
constexpr int kTextPadding = 16;
constexpr int kPictureSize = 28;

// The picture of a dose cell, centred, with a frame in the highlight colour
// around the current cell.
class TDoseCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->fillRect(option.rect, option.palette.base());
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        if (!picture.isNull()) {
            const QRect place(QPoint(), picture.size());
            painter->drawPixmap(place.translated(option.rect.center() - place.center()), picture);
        }
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(option.palette.highlight(), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    }
};

QPixmap TransparentClock(bool done)
{
    QPixmap keyed = ImmuClockPicture(done);
    keyed.setMask(keyed.createMaskFromColor(kGlyphKeyColor));
    return keyed;
}

}  // namespace

QPixmap ImmuClockPicture(bool done)
{
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(done ? QColor(0xE0, 0xF0, 0xE0) : QColor(0xFF, 0xFF, 0xE0));
    painter.drawEllipse(2, 2, 23, 23);
    painter.drawLine(14, 14, 14, 6);
    painter.drawLine(14, 14, 19, 14);
    if (done) {
        painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 3));
        painter.drawLine(8, 15, 13, 21);
        painter.drawLine(13, 21, 24, 6);
    }
    return picture;
}

void ShowImmunizationDialog()
{
    const auto dialog = MakeUnderHourglass<TDlgMedImmun>();
    if (!dialog->Loaded()) {
        // The master rows are gone: nothing the program shows can be trusted.
        QCoreApplication::exit(1);
        return;
    }
    dialog->exec();
}

TDlgMedImmun::TDlgMedImmun(QWidget* parent) : QDialog(parent), memberId_(CurMemberID)
{
    setObjectName(QStringLiteral("DlgMedImmun"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QString caption = QStringLiteral("Immunization Schedule for ") + ReadScheduleMember(memberId_).firstName;
    setWindowTitle(caption);

    ImageDest = new QLabel;
    ImageDest->setPixmap(MakeKeyedGlyph(ImmuClockPicture(false), palette().color(QPalette::Window)));
    JazLabel2 = new QLabel(caption);
    JazLabel2->setTextFormat(Qt::PlainText);
    QFont big = JazLabel2->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    JazLabel2->setFont(big);

    DGImmu = new QTableWidget;
    DGImmu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DGImmu->setSelectionMode(QAbstractItemView::NoSelection);
    DGImmu->setFocusPolicy(Qt::ClickFocus);
    DGImmu->setItemDelegate(new TDoseCellDelegate(DGImmu));
    DGImmu->verticalHeader()->setDefaultSectionSize(kRowHeight);
    DGImmu->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DGImmu->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DGImmu->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(DGImmu, &QTableWidget::cellClicked, this,
            [this](int row, int column) { RunGuarded([&] { DGImmuClick(row, column); }); });

    const QStringList steps = {
        QStringLiteral("This schedule is created automatically based on AMA data and the individual's age.  To keep "
                       "it up-to-date:"),
        QStringLiteral("1. Select any of the expected immunizations shown by clicking on the appropriate clock."),
        QStringLiteral("2. In immunization-record dialog box, enter the actual date, the doctor's name, expense, and "
                       "any notes."),
        QStringLiteral("3. If you would like to add, modify, or delete any immunization item, please press the "
                       "\"Add\", \"Edit\", or \"Delete\" button.")};

    BtnAdd = new QPushButton(QStringLiteral("&Add..."));
    BtnEdit = new QPushButton(QStringLiteral("&Edit..."));
    BtnDel = new QPushButton(QStringLiteral("&Delete..."));
    ButRept = new QPushButton(QStringLiteral("&Print..."));
    ButtonClose = new QPushButton(QStringLiteral("&Close"));
    ButtonClose->setDefault(true);
    connect(BtnAdd, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnAddClick(); }); });
    connect(BtnEdit, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnEditClick(); }); });
    connect(BtnDel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnDelClick(); }); });
    connect(ButRept, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButReptClick(); }); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->addWidget(ImageDest);
    heading->addWidget(JazLabel2, 1);
    auto* help = new QVBoxLayout;
    for (const QString& step : steps) {
        // Whole lines: wrapped, they would overlap once the window is narrowed.
        help->addWidget(new QLabel(step));
    }
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {BtnAdd, BtnEdit, BtnDel, ButRept})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ButtonClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(heading);
    column->addWidget(DGImmu, 1);
    column->addLayout(help);
    column->addLayout(buttons);

    RefreshGrid();
    // However small the window, one whole vaccine row stays in view beside its scroll bars.
    DGImmu->setMinimumHeight(DGImmu->horizontalHeader()->sizeHint().height() + kRowHeight +
                             DGImmu->horizontalScrollBar()->sizeHint().height() + 2 * DGImmu->frameWidth());
    // The whole grid in view where the screen allows.
    const int frame = 2 * DGImmu->frameWidth() + DGImmu->verticalScrollBar()->sizeHint().width();
    resize(DGImmu->verticalHeader()->width() + DGImmu->columnCount() * DGImmu->horizontalHeader()->defaultSectionSize() +
               frame + 2 * layout()->contentsMargins().left(),
           640);
}

void TDlgMedImmun::RefreshGrid()
{
    grid_ = LoadImmuGrid(memberId_);
    if (!grid_) {
        ShowMessageBox(QStringLiteral("Your database may have been corrupted. The program will exit now. Please try "
                                      "it again."),
                       MsgIcon::Warning, MsgOk);
        return;
    }
    FillGrid();
}

void TDlgMedImmun::FillGrid()
{
    DGImmu->clear();
    DGImmu->setRowCount(static_cast<int>(grid_->vaccines.size()));
    DGImmu->setColumnCount(static_cast<int>(grid_->doseAges.size()));
    QStringList ages;
    for (const qint32 age : grid_->doseAges)
        ages << DoseAgeHeading(age).join(QLatin1Char('\n'));
    DGImmu->setHorizontalHeaderLabels(ages);
    QStringList vaccines;
    for (const TVaccine& vaccine : grid_->vaccines)
        vaccines << vaccine.name;
    DGImmu->setVerticalHeaderLabels(vaccines);
    // Wide enough for the headings in the dialog's font, never narrower than designed.
    const QFontMetrics metrics(DGImmu->font());
    int columnWidth = kColumnWidth;
    for (const QString& age : ages)
        for (const QString& line : age.split(QLatin1Char('\n')))
            columnWidth = std::max(columnWidth, metrics.horizontalAdvance(line) + kTextPadding);
    DGImmu->horizontalHeader()->setDefaultSectionSize(columnWidth);
    int vaccineWidth = kVaccineColumnWidth;
    for (const QString& vaccine : vaccines)
        vaccineWidth = std::max(vaccineWidth, metrics.horizontalAdvance(vaccine) + kTextPadding);
    DGImmu->verticalHeader()->setFixedWidth(std::min(vaccineWidth, kWidestVaccineColumn));
    const QPixmap need = TransparentClock(false);
    const QPixmap done = TransparentClock(true);
    for (int row = 0; row < DGImmu->rowCount(); ++row) {
        for (int column = 0; column < DGImmu->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            if (const auto& cell = *grid_->Cell(row, column)) {
                item->setData(Qt::DecorationRole, cell->Done() ? done : need);
                item->setToolTip(cell->Done() ? QStringLiteral("Given") : QStringLiteral("To do"));
            }
            DGImmu->setItem(row, column, item);
        }
    }
}

void TDlgMedImmun::DGImmuClick(int row, int column)
{
    if (!grid_)
        return;
    std::optional<TImmuCell>* cell = grid_->Cell(row, column);
    if (!cell || !cell->has_value())
        return;
    const qint32 checkupId = ShowDoseRecordDialog(this, memberId_, (*cell)->templId, (*cell)->checkupId);
    if (checkupId != (*cell)->checkupId) {
        (*cell)->checkupId = checkupId;
        FillGrid();
        DGImmu->setCurrentCell(row, column);
    }
}

void TDlgMedImmun::BtnAddClick()
{
    if (grid_ && ShowVaccineDialog(this, true, memberId_, grid_->largestImmuId + 1))
        RefreshGrid();
}

void TDlgMedImmun::BtnEditClick()
{
    if (ShowVaccineDialog(this, false, memberId_, 0))
        RefreshGrid();
}

void TDlgMedImmun::BtnDelClick()
{
    ShowDeleteVaccineDialog(this, memberId_);
    RefreshGrid();
}

void TDlgMedImmun::ButReptClick()
{
    PrintImmuRecord(memberId_);
}

void TDlgMedImmun::done(int result)
{
    if (!remindersWritten_) {
        remindersWritten_ = true;
        RunGuarded([this] { WriteReminders(); });
    }
    QDialog::done(result);
}

void TDlgMedImmun::WriteReminders()
{
    if (!grid_)
        return;
    HourglassCursor wait;
    TDlgProgress progress(this);
    progress.Lb->setText(QStringLiteral("One moment please. Saving data to To-Do List ..."));
    progress.show();
    progress.SetPercent(0);
    WriteImmuReminders(memberId_, *grid_, Date(),
                       [&progress](int percent) { progress.SetPercent(percent); });
}
