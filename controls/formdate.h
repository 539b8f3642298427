#pragma once
// The pop-up date picker every date field of the program shares. A dialog
// places it, installs its callback, presets the field's date and shows it;
// the callback reads the picked date from the process-wide variables below.
//
// The picker never hides itself: it posts DatePickerHideEvent() to the
// application object, and the main window's application event filter calls
// HandleHideRequest() on it, and HideOnClickOutside() on every left press.
#include "platform/datetime.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <functional>

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QToolButton;

// The calendar's date after its last change.
extern int PickedYear;
extern int PickedMonth;
extern int PickedDay;
extern TDateTime PickedDate;
// PickedDate in the program's short date format, at most 20 characters.
extern QString PickedDateText;
// The start date a dialog handed in, and whether it is still to be used.
extern TDateTime PresetDate;
extern bool DatePreset;

// Dates not above zero (an empty field) leave the picker on today.
void PresetPickerDate(TDateTime date);

// The event the picker posts to the application object to be hidden.
QEvent::Type DatePickerHideEvent();

// Two arrow buttons, one above the other.
class TSpinButton : public QWidget {
public:
    explicit TSpinButton(QWidget* parent);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

private:
    QToolButton* up_;
    QToolButton* down_;
};

class TFormDate : public QWidget {
    Q_OBJECT
public:
    // The owner is the main window; while a modal dialog is up the picker
    // shows as that dialog's own window, so the dialog does not block it.
    explicit TFormDate(QWidget* owner = nullptr);
    ~TFormDate() override;

    // Called on every month or year change while shown, and once more when a
    // click on the calendar hides the picker; nullptr puts the default back.
    void SetDateCallback(std::function<void()> callback);

    // The hide request: hides the picker when it is shown.
    void HandleHideRequest();
    // A left press at a screen position: outside the picker's rectangle (its
    // right and bottom edges count as inside) the picker hides, and true says
    // the click is to be swallowed. False while the picker is hidden.
    bool HideOnClickOutside(const QPoint& globalPos);

    QComboBox* ComboBoxMonth;
    TSpinButton* SpinButton2;  // month
    QLineEdit* EditYear;
    TSpinButton* SpinButton1;  // year
    QCalendarWidget* SelCalend;

    void EditYearKeyUp();
    void SpinButton1DownClick() { StepYear(-1); }
    void SpinButton1UpClick() { StepYear(1); }
    void ComboBoxMonthChange();
    void SpinButton2DownClick() { StepMonth(-1); }
    void SpinButton2UpClick() { StepMonth(1); }
    void SelCalendChange();
    void SelCalendClick();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowDate(const QDate& date);
    void StepYear(int delta);
    void StepMonth(int delta);
    void ApplyYear(int year);
    void ApplyMonth(int month);
    void StorePicked();
    void StorePickedAndNotify();
    void CallDateCallback();
    void RequestHide();

    QPointer<QWidget> owner_;
    bool picked_ = false;
    std::function<void()> callback_;
};

// The main window names the picker's owner when it is created; the picker
// itself is made by SharedDatePicker() on first use, since a session that
// opens no date field never needs it. Until a date is preset, today's is.
void InstallDatePicker(QWidget* owner);
// The shared picker, kept in DateForm once made.
extern TFormDate* DateForm;
// The shared picker (DateForm), made now when it does not exist yet.
TFormDate& SharedDatePicker();

// Where a dialog's calendar button puts the picker: 50 pixels left of the
// button and just below it, pulled back inside the screen where its right or
// bottom edge would leave it.
QPoint DatePickerPlace(const QRect& buttonOnScreen, const QSize& picker, const QRect& screen);
// Opens the shared picker beside the button on the field's date (today for
// none), with the dialog's callback, which runs only while the button lives;
// not modal.
void OpenDatePickerBeside(QWidget& button, TDateTime current, std::function<void()> callback);
