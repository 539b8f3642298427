#include "formdate.h"

#include "daynumbers.h"
#include "platform/formatsettings.h"
#include "platform/ui/guarded.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

int PickedYear = 0;
int PickedMonth = 0;
int PickedDay = 0;
TDateTime PickedDate = 0.0;
QString PickedDateText;
TDateTime PresetDate = 0.0;
bool DatePreset = false;
TFormDate* DateForm = nullptr;

void PresetPickerDate(TDateTime date)
{
    if (date > 0) {
        PresetDate = date;
        DatePreset = true;
    }
}

namespace {
QPointer<QWidget> PickerOwner;
}  // namespace

void InstallDatePicker(QWidget* owner)
{
    PickerOwner = owner;
    PresetDate = Date();
}

TFormDate& SharedDatePicker()
{
    if (!DateForm)
        DateForm = new TFormDate(PickerOwner.data());
    return *DateForm;
}

QEvent::Type DatePickerHideEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
}

namespace {
const QDate kFirstDate(MinYear, 1, 1);
const QDate kLastDate(MaxYear, 12, 31);

bool IsShownYear(int year)
{
    return year >= MinYear && year <= MaxYear;
}

// A typed year: a whole number, read without the user's locale.
bool ReadYear(const QString& text, int& year)
{
    bool ok = false;
    year = QLocale::c().toInt(text.trimmed(), &ok);
    return ok;
}
}  // namespace

TFormDate::TFormDate(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), owner_(owner)
{
    BuildControls();
    SetDateCallback(nullptr);
}

TFormDate::~TFormDate()
{
    if (DateForm == this)
        DateForm = nullptr;
}

void TFormDate::BuildControls()
{
    setFixedSize(183, 137);
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    auto* panel = new QFrame(this);
    panel->setGeometry(0, 0, 183, 137);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QPalette silver = panel->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    silver.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(silver);
    panel->setAutoFillBackground(true);

    ComboBoxMonth = new QComboBox(panel);
    ComboBoxMonth->setGeometry(8, 8, 89, 21);
    for (int month = 1; month <= 12; ++month)
        ComboBoxMonth->addItem(QLocale::c().monthName(month));
    ComboBoxMonth->setMaxVisibleItems(6);
    // The spin buttons lie over the ends of the month list and the year box.
    SpinButton2 = new TSpinButton(panel);
    SpinButton2->setGeometry(78, 6, 20, 23);
    EditYear = new QLineEdit(panel);
    EditYear->setGeometry(104, 8, 53, 21);
    SpinButton1 = new TSpinButton(panel);
    SpinButton1->setGeometry(154, 6, 20, 23);
    SelCalend = new QCalendarWidget(panel);
    SelCalend->setGeometry(10, 35, 163, 92);
    SelCalend->setNavigationBarVisible(false);
    SelCalend->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    SelCalend->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    SelCalend->setFirstDayOfWeek(Qt::Sunday);
    SelCalend->setGridVisible(true);
    SelCalend->setDateRange(kFirstDate, kLastDate);
    // Seven rows of the small font fit the calendar's height only without Qt's padding.
    if (auto* grid = SelCalend->findChild<QTableView*>()) {
        for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()})
            header->setMinimumSectionSize(1);
    }
    setTabOrder(ComboBoxMonth, EditYear);
    setTabOrder(EditYear, SelCalend);

    connect(ComboBoxMonth, &QComboBox::activated, this, [this] { ComboBoxMonthChange(); });
    connect(SpinButton2->DownButton(), &QToolButton::clicked, this, [this] { SpinButton2DownClick(); });
    connect(SpinButton2->UpButton(), &QToolButton::clicked, this, [this] { SpinButton2UpClick(); });
    connect(SpinButton1->DownButton(), &QToolButton::clicked, this, [this] { SpinButton1DownClick(); });
    connect(SpinButton1->UpButton(), &QToolButton::clicked, this, [this] { SpinButton1UpClick(); });
    connect(SelCalend, &QCalendarWidget::selectionChanged, this, [this] { SelCalendChange(); });
    connect(SelCalend, &QCalendarWidget::clicked, this, [this] { SelCalendClick(); });
    EditYear->installEventFilter(this);
}

void TFormDate::SetDateCallback(std::function<void()> callback)
{
    callback_ = callback ? std::move(callback) : [this] { picked_ = false; };
}

void TFormDate::HandleHideRequest()
{
    if (isVisible())
        hide();
}

bool TFormDate::HideOnClickOutside(const QPoint& globalPos)
{
    if (!isVisible())
        return false;
    const QRect area = geometry();
    const bool outside = globalPos.x() < area.left() || globalPos.x() > area.left() + area.width() ||
                         globalPos.y() < area.top() || globalPos.y() > area.top() + area.height();
    if (!outside)
        return false;
    // The month list drops down in a window of its own, which may reach beyond the picker.
    for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget())
        if (w == this)
            return false;
    hide();
    return true;
}

void TFormDate::setVisible(bool visible)
{
    if (visible == isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    // A modal dialog blocks every window but its own: while one is up the
    // picker becomes its window, and goes back to the owner when hidden.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* host = visible && modal && modal != this ? modal : owner_.data();
    if (!visible)
        QWidget::setVisible(false);
    if (parentWidget() != host) {
        if (parentWidget())
            parentWidget()->removeEventFilter(this);
        const QPoint place = pos();
        setParent(host, windowFlags());
        move(place);
        if (host && host != owner_)
            host->installEventFilter(this);
    }
    if (visible)
        QWidget::setVisible(true);
}

void TFormDate::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    picked_ = false;
    qint32 day = DatePreset ? DateTimeToDayNumber(PresetDate) : InvalidDay;
    if (day == InvalidDay)
        day = TodayDayNumber();
    ShowDate(kFirstDate.addDays(day));
}

void TFormDate::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    StorePicked();
    DatePreset = false;
    if (picked_) {
        picked_ = false;
        CallDateCallback();
        SetDateCallback(nullptr);
    }
}

void TFormDate::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        RequestHide();
}

bool TFormDate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditYear && event->type() == QEvent::KeyRelease)
        EditYearKeyUp();
    else if (watched == parentWidget() && watched != owner_ && event->type() == QEvent::Hide)
        HandleHideRequest();
    return QWidget::eventFilter(watched, event);
}

void TFormDate::ShowDate(const QDate& date)
{
    SelCalend->setSelectedDate(date);
    SelCalend->setCurrentPage(date.year(), date.month());
    EditYear->setText(QString::number(date.year()));
    ComboBoxMonth->setCurrentIndex(date.month() - 1);
}

void TFormDate::EditYearKeyUp()
{
    int year = 0;
    // Only a whole year is applied: typing 2001 passes through 2, 20 and 200.
    if (ReadYear(EditYear->text(), year) && IsShownYear(year))
        ApplyYear(year);
}

void TFormDate::StepYear(int delta)
{
    int year = 0;
    if (!ReadYear(EditYear->text(), year))
        year = SelCalend->selectedDate().year();
    year += delta;
    if (!IsShownYear(year))
        return;
    EditYear->setText(QString::number(year));
    ApplyYear(year);
}

void TFormDate::ApplyYear(int year)
{
    const QDate shown = SelCalend->selectedDate();
    int day = shown.day();
    if (shown.month() == 2 && day == 29 && !IsLeapYear(year))
        day = 28;
    ShowDate(QDate(year, shown.month(), day));
    StorePickedAndNotify();
}

void TFormDate::ComboBoxMonthChange()
{
    ApplyMonth(std::clamp(ComboBoxMonth->currentIndex() + 1, 1, 12));
}

void TFormDate::StepMonth(int delta)
{
    int month = ComboBoxMonth->currentIndex() + 1 + delta;
    const int year = SelCalend->selectedDate().year();
    if (month < 1 || month > 12) {
        const int newYear = year + delta;
        if (!IsShownYear(newYear))
            return;
        EditYear->setText(QString::number(newYear));
        ApplyYear(newYear);
        month = month < 1 ? 12 : 1;
    }
    ApplyMonth(month);
}

void TFormDate::ApplyMonth(int month)
{
    const QDate shown = SelCalend->selectedDate();
    const int day = std::min(shown.day(), DaysInMonthOf(shown.year(), month));
    ShowDate(QDate(shown.year(), month, day));
    StorePickedAndNotify();
}

void TFormDate::SelCalendChange()
{
    const QDate shown = SelCalend->selectedDate();
    PickedDay = shown.day();
    // Qt's calendar can move to another month by itself (arrow keys, a grey
    // day); the month list and the year box follow it.
    if (ComboBoxMonth->currentIndex() != shown.month() - 1 || EditYear->text() != QString::number(shown.year())) {
        EditYear->setText(QString::number(shown.year()));
        ComboBoxMonth->setCurrentIndex(shown.month() - 1);
    }
}

void TFormDate::SelCalendClick()
{
    picked_ = true;
    RequestHide();
}

void TFormDate::StorePicked()
{
    const QDate shown = SelCalend->selectedDate();
    PickedYear = shown.year();
    PickedMonth = shown.month();
    PickedDay = shown.day();
    PickedDate = EncodeDate(PickedYear, PickedMonth, PickedDay);
    PickedDateText = DateToStr(PickedDate).left(20);
}

void TFormDate::StorePickedAndNotify()
{
    StorePicked();
    CallDateCallback();
}

void TFormDate::CallDateCallback()
{
    // A dialog's callback may write to the database; nothing it throws leaves this handler.
    RunGuarded(callback_);
}

void TFormDate::RequestHide()
{
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(DatePickerHideEvent()));
}

QPoint DatePickerPlace(const QRect& buttonOnScreen, const QSize& picker, const QRect& screen)
{
    constexpr int kLeftOfButton = 50;
    QPoint place(buttonOnScreen.left() - kLeftOfButton, buttonOnScreen.top() + buttonOnScreen.height());
    if (place.x() + picker.width() > screen.right() + 1)
        place.setX(screen.right() + 1 - picker.width());
    if (place.y() + picker.height() > screen.bottom() + 1)
        place.setY(screen.bottom() + 1 - picker.height());
    return place;
}

void OpenDatePickerBeside(QWidget& button, TDateTime current, std::function<void()> callback)
{
    TFormDate& picker = SharedDatePicker();
    const QRect buttonOnScreen(button.mapToGlobal(QPoint(0, 0)), button.size());
    picker.move(DatePickerPlace(buttonOnScreen, picker.size(), button.screen()->geometry()));
    // The picker outlives the dialog and keeps its callback until the next
    // one: a pick after the dialog has gone reaches nothing.
    picker.SetDateCallback([owner = QPointer<QWidget>(&button), callback = std::move(callback)] {
        if (owner)
            callback();
    });
    PresetPickerDate(current);
    picker.show();
}
