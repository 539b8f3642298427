#pragma once
// The date fields of the health dialogs: "MM/DD/yyyy" with two-digit years
// taken in the 1900s, blanks kept so an empty field reads as no date, and the
// "..." button beside each that opens the shared picker.
class QHBoxLayout;
class QToolButton;
class QWidget;
class TEfController;
class TEfPictureField;

TEfPictureField* NewDateField(QWidget* parent, TEfController* controller);
QToolButton* NewCalendarButton();
// The field at its usual width with its button beside it; the caller adds
// what follows on the row.
QHBoxLayout* DateRow(TEfPictureField* field, QToolButton* calendar);
// Opens the shared picker beside `calendar` at the field's date; the date
// picked goes into the field.
void PickDateInto(QToolButton& calendar, TEfPictureField& field);
// A date the controller refuses is told and the field emptied.
void ClearRefusedDates(TEfController& controller, TEfPictureField& field);
