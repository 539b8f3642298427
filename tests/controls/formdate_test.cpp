#include "controls/formdate.h"
#include "controls/daynumbers.h"
#include "platform/formatsettings.h"
#include "platform/ui/messagebox.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(DatePickerPlace, FiftyPixelsLeftOfTheButtonAndBelowItPulledBackInsideTheScreen)
{
    const QSize picker(183, 137);
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(DatePickerPlace(QRect(300, 200, 21, 22), picker, screen), QPoint(250, 222));
    // The right edge would reach 1025: the picker ends at the screen's edge.
    EXPECT_EQ(DatePickerPlace(QRect(892, 200, 21, 22), picker, screen), QPoint(1024 - 183, 222));
    EXPECT_EQ(DatePickerPlace(QRect(891, 200, 21, 22), picker, screen), QPoint(841, 222));
    // Likewise at the bottom; a second screen to the right counts from its own edges.
    EXPECT_EQ(DatePickerPlace(QRect(300, 700, 21, 22), picker, screen), QPoint(250, 768 - 137));
    EXPECT_EQ(DatePickerPlace(QRect(2900, 100, 21, 22), picker, QRect(1024, 0, 1920, 1080)), QPoint(2944 - 183, 122));
}

TEST(PickerCalendarRule, LeapYearsMonthLengthsAndNextMonth)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(4000));
    EXPECT_EQ(DaysInMonthOf(2000, 2), 29);
    EXPECT_EQ(DaysInMonthOf(2001, 2), 28);
    EXPECT_EQ(DaysInMonthOf(2001, 4), 30);
    EXPECT_EQ(DaysInMonthOf(2001, 12), 31);
    EXPECT_EQ(DaysInMonthOf(2001, 13), 0);
    int year = 2001, month = 12;
    NextMonth(year, month);
    EXPECT_EQ(year, 2002);
    EXPECT_EQ(month, 1);
    NextMonth(year, month);
    EXPECT_EQ(month, 2);
}

TEST(PresetPickerDate, OnlyDatesAboveZero)
{
    DatePreset = false;
    PresetPickerDate(0.0);
    PresetPickerDate(-5.0);
    EXPECT_FALSE(DatePreset);
    PresetPickerDate(EncodeDate(2001, 3, 15));
    EXPECT_TRUE(DatePreset);
    EXPECT_EQ(PresetDate, EncodeDate(2001, 3, 15));
    DatePreset = false;
}

// A dialog may hand in its field's date before it first touches the picker,
// which is made only then.
TEST(SharedDatePicker, MadeOnFirstUseForTheOwnerAndOpensOnADatePresetBefore)
{
    Clock::SetFixed(QDateTime(QDate(2002, 6, 20), QTime(10, 0)));
    {
        QWidget owner;
        InstallDatePicker(&owner);
        EXPECT_EQ(DateForm, nullptr);
        EXPECT_EQ(PresetDate, EncodeDate(2002, 6, 20));
        PresetPickerDate(EncodeDate(2001, 3, 15));
        TFormDate& picker = SharedDatePicker();
        EXPECT_EQ(DateForm, &picker);
        EXPECT_EQ(&SharedDatePicker(), &picker);
        EXPECT_EQ(picker.parentWidget(), &owner);
        picker.show();
        EXPECT_EQ(picker.SelCalend->selectedDate(), QDate(2001, 3, 15));
        picker.hide();
    }
    // Freed with its owner, after which the next use makes a new one.
    EXPECT_EQ(DateForm, nullptr);
    Clock::SetFixed(QDateTime());
    DatePreset = false;
}

// The picker outlives the dialog that opened it: a day picked after the
// dialog was cancelled must not write into the freed dialog.
TEST(SharedDatePicker, APickAfterTheDialogHasGoneReachesNothing)
{
    QWidget owner;
    InstallDatePicker(&owner);
    int picks = 0;
    auto dialog = std::make_unique<QWidget>();
    auto* button = new QToolButton(dialog.get());
    dialog->show();
    OpenDatePickerBeside(*button, EncodeDate(2001, 3, 15), [&picks] { ++picks; });
    TFormDate& picker = SharedDatePicker();
    picker.ComboBoxMonth->setCurrentIndex(4);
    picker.ComboBoxMonthChange();
    EXPECT_EQ(picks, 1);

    dialog.reset();
    picker.ComboBoxMonth->setCurrentIndex(6);
    picker.ComboBoxMonthChange();
    EXPECT_EQ(picks, 1);
    picker.hide();
    DatePreset = false;
}

// Serves the picker as the main window's application event filter does.
class PickerHook : public QObject {
public:
    explicit PickerHook(TFormDate& picker) : picker_(picker) { qApp->installEventFilter(this); }
    ~PickerHook() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == DatePickerHideEvent()) {
            picker_.HandleHideRequest();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            const auto* press = static_cast<QMouseEvent*>(event);
            return press->button() == Qt::LeftButton &&
                   picker_.HideOnClickOutside(press->globalPosition().toPoint());
        }
        return false;
    }

private:
    TFormDate& picker_;
};

class DatePicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::SetFixed(QDateTime(QDate(2002, 6, 20), QTime(10, 0)));
        picker = std::make_unique<TFormDate>();
        picker->move(100, 100);
        picker->SetDateCallback([this] { callbacks << QDate(PickedYear, PickedMonth, PickedDay); });
    }
    void TearDown() override
    {
        picker.reset();
        Clock::SetFixed(QDateTime());
        DatePreset = false;
    }
    void Open(const QDate& date)
    {
        PresetPickerDate(FromQDate(date));
        picker->show();
    }
    QDate Shown() const { return picker->SelCalend->selectedDate(); }
    void TypeYear(const QString& text)
    {
        picker->EditYear->selectAll();
        QTest::keyClicks(picker->EditYear, text);
    }
    void ChooseMonth(int month)
    {
        picker->ComboBoxMonth->setCurrentIndex(month - 1);
        picker->ComboBoxMonthChange();
    }

    std::unique_ptr<TFormDate> picker;
    QList<QDate> callbacks;
};

TEST_F(DatePicker, OpensOnThePresetDateOrToday)
{
    Open(QDate(2001, 3, 15));
    EXPECT_EQ(Shown(), QDate(2001, 3, 15));
    EXPECT_EQ(picker->ComboBoxMonth->currentText(), QStringLiteral("March"));
    EXPECT_EQ(picker->EditYear->text(), QStringLiteral("2001"));
    picker->hide();
    EXPECT_FALSE(DatePreset);
    PresetPickerDate(0.0);
    picker->show();
    EXPECT_EQ(Shown(), QDate(2002, 6, 20));
    EXPECT_TRUE(callbacks.isEmpty());
}

TEST_F(DatePicker, TypedYearAppliesOnlyWhenWhole)
{
    Open(QDate(2000, 2, 29));
    TypeYear(QStringLiteral("2001"));
    EXPECT_EQ(callbacks, QList<QDate>{QDate(2001, 2, 28)});
    EXPECT_EQ(Shown(), QDate(2001, 2, 28));
    for (const char* bad : {"abc", "0", "1599", "4000", "-2001"}) {
        TypeYear(QString::fromLatin1(bad));
        EXPECT_EQ(Shown(), QDate(2001, 2, 28)) << bad;
    }
    EXPECT_EQ(callbacks.size(), 1);
}

TEST_F(DatePicker, YearSpinsStayInTheRange)
{
    // Dates before 1900 are not above zero: the picker is moved there by typing.
    Open(QDate(2001, 5, 10));
    TypeYear(QStringLiteral("1600"));
    picker->SpinButton1DownClick();
    EXPECT_EQ(Shown(), QDate(1600, 5, 10));
    picker->SpinButton1UpClick();
    EXPECT_EQ(Shown(), QDate(1601, 5, 10));
    EXPECT_EQ(picker->EditYear->text(), QStringLiteral("1601"));
    // A year box that holds no number steps from the calendar's year.
    picker->EditYear->setText(QStringLiteral("x"));
    picker->SpinButton1DownClick();
    EXPECT_EQ(Shown(), QDate(1600, 5, 10));
    EXPECT_EQ(picker->EditYear->text(), QStringLiteral("1600"));
    picker->hide();

    Open(QDate(3999, 12, 31));
    picker->SpinButton1UpClick();
    picker->SpinButton2UpClick();
    EXPECT_EQ(Shown(), QDate(3999, 12, 31));
    picker->hide();
    Open(QDate(2001, 1, 31));
    TypeYear(QStringLiteral("1600"));
    picker->SpinButton2DownClick();
    EXPECT_EQ(Shown(), QDate(1600, 1, 31));
    EXPECT_EQ(callbacks, (QList<QDate>{QDate(1600, 5, 10), QDate(1601, 5, 10), QDate(1600, 5, 10),
                                       QDate(1600, 1, 31)}));
}

TEST_F(DatePicker, MonthChoiceClampsTheDay)
{
    Open(QDate(2001, 3, 31));
    ChooseMonth(4);
    EXPECT_EQ(Shown(), QDate(2001, 4, 30));
    picker->hide();
    Open(QDate(2000, 1, 31));
    ChooseMonth(2);
    EXPECT_EQ(Shown(), QDate(2000, 2, 29));
    picker->hide();
    Open(QDate(2001, 1, 31));
    ChooseMonth(2);
    EXPECT_EQ(Shown(), QDate(2001, 2, 28));
    ChooseMonth(6);
    EXPECT_EQ(Shown(), QDate(2001, 6, 28));
}

TEST_F(DatePicker, MonthSpinsCrossTheYear)
{
    Open(QDate(2000, 1, 15));
    picker->SpinButton2DownClick();
    EXPECT_EQ(Shown(), QDate(1999, 12, 15));
    EXPECT_EQ(picker->EditYear->text(), QStringLiteral("1999"));
    EXPECT_EQ(picker->ComboBoxMonth->currentIndex(), 11);
    EXPECT_EQ(callbacks, (QList<QDate>{QDate(1999, 1, 15), QDate(1999, 12, 15)}));
    picker->SpinButton2UpClick();
    EXPECT_EQ(Shown(), QDate(2000, 1, 15));
    picker->SpinButton2UpClick();
    EXPECT_EQ(Shown(), QDate(2000, 2, 15));
}

TEST_F(DatePicker, CalendarClickHidesAndCallsBackOnce)
{
    PickerHook hook(*picker);
    Open(QDate(2001, 3, 15));
    auto* view = picker->SelCalend->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    const QRect cell = view->visualRect(view->model()->index(3, 3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    const QDate clicked = Shown();
    EXPECT_EQ(clicked.month(), 3);
    QApplication::processEvents();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(callbacks, QList<QDate>{clicked});
    EXPECT_EQ(PickedDate, FromQDate(clicked));
    // The dialog's callback is dropped after its final call.
    Open(QDate(2001, 3, 15));
    ChooseMonth(5);
    EXPECT_EQ(callbacks.size(), 1);
}

TEST_F(DatePicker, ClickOutsideAfterAMonthChangeMakesNoFinalCall)
{
    PickerHook hook(*picker);
    Open(QDate(2001, 3, 15));
    ChooseMonth(4);
    EXPECT_EQ(callbacks, QList<QDate>{QDate(2001, 4, 15)});
    const QRect area = picker->geometry();
    EXPECT_FALSE(picker->HideOnClickOutside(area.topLeft() + QPoint(area.width(), area.height())));
    EXPECT_FALSE(picker->HideOnClickOutside(area.topLeft()));
    EXPECT_TRUE(picker->isVisible());
    EXPECT_TRUE(picker->HideOnClickOutside(area.topLeft() + QPoint(area.width() + 1, 5)));
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(callbacks.size(), 1);
    EXPECT_EQ(PickedDate, EncodeDate(2001, 4, 15));
    EXPECT_EQ(PickedDateText, DateToStr(PickedDate));
    EXPECT_FALSE(picker->HideOnClickOutside(area.topLeft() - QPoint(1, 1)));
    picker->HandleHideRequest();
    EXPECT_FALSE(picker->isVisible());
}

TEST_F(DatePicker, CallbackErrorsStayInThePicker)
{
    ScriptedMessageBoxes boxes;
    picker->SetDateCallback([] { throw std::runtime_error("disk full"); });
    Open(QDate(2001, 3, 15));
    ChooseMonth(4);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("disk full")});
}

// A modal dialog blocks every other window: the picker it opens must still
// take clicks, and must outlive the dialog.
TEST_F(DatePicker, UsableFromAModalDialog)
{
    QWidget mainWindow;
    mainWindow.resize(400, 300);
    mainWindow.show();
    picker = std::make_unique<TFormDate>(&mainWindow);
    picker->move(450, 100);
    auto dialog = std::make_unique<QDialog>(&mainWindow);
    dialog->setModal(true);
    dialog->show();
    Open(QDate(2001, 3, 15));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker.get()));
    EXPECT_EQ(picker->parentWidget(), dialog.get());
    QToolButton* up = picker->SpinButton1->UpButton();
    QTest::mouseClick(picker->windowHandle(), Qt::LeftButton, {}, up->mapTo(picker.get(), up->rect().center()));
    EXPECT_EQ(Shown(), QDate(2002, 3, 15));
    dialog->hide();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(picker->parentWidget(), &mainWindow);
    dialog.reset();
    Open(QDate(2001, 3, 15));
    EXPECT_EQ(Shown(), QDate(2001, 3, 15));
    picker->hide();
    picker.reset();
}

TEST_F(DatePicker, TypingAndPicture)
{
    Open(QDate(2001, 3, 15));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker.get()));
    picker->EditYear->setFocus();
    TypeYear(QStringLiteral("2004"));
    ChooseMonth(2);
    EXPECT_EQ(picker->EditYear->text(), QStringLiteral("2004"));
    EXPECT_EQ(picker->ComboBoxMonth->currentText(), QStringLiteral("February"));
    EXPECT_EQ(Shown(), QDate(2004, 2, 15));
    SavePicture(*picker, QStringLiteral("date_picker"));
}

}  // namespace
