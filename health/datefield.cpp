#include "datefield.h"

#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "records/common/recordtext.h"

#include <QHBoxLayout>
#include <QToolButton>

TEfPictureField* NewDateField(QWidget* parent, TEfController* controller)
{
    auto* field = new TEfPictureField(parent, pftDate, QStringLiteral("MM/DD/yyyy"), controller);
    field->Core().SetMaxLength(10);
    field->Core().SetEpoch(1900);
    field->Core().SetTrimBlanks(false);
    return field;
}

QToolButton* NewCalendarButton()
{
    auto* button = new QToolButton;
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Calendar"));
    return button;
}

QHBoxLayout* DateRow(TEfPictureField* field, QToolButton* calendar)
{
    auto* row = new QHBoxLayout;
    field->setFixedWidth(100);
    row->addWidget(field);
    row->addWidget(calendar);
    return row;
}

void PickDateInto(QToolButton& calendar, TEfPictureField& field)
{
    OpenDatePickerBeside(calendar, field.DateTimeValue(), [&field] { field.SetDateTimeValue(PickedDate); });
}

void ClearRefusedDates(TEfController& controller, TEfPictureField& field)
{
    controller.OnError = [&field](QObject*, quint16, const QString&) {
        ShowDateEntryError();
        field.ClearText();
    };
}
