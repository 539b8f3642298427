#pragma once
// Which button Enter presses in a dialog: the check behind the tables of
// dialogs that have a default button.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

// One dialog of such a table: how to make it, ready to be shown but not
// shown yet, and the entry box in which Enter is pressed (in a dialog with
// none, its default button).
struct TEnterKeyCase {
    QString name;
    std::function<std::unique_ptr<QDialog>()> make;
    std::function<QWidget*(QDialog&)> field;
};

// `make` gives the dialog (a unique_ptr to it), `field` its entry box.
template <class Make, class Field>
TEnterKeyCase EnterKeyCase(const char* name, Make make, Field field)
{
    using Dialog = typename std::invoke_result_t<Make>::element_type;
    return {QString::fromUtf8(name), [make] { return std::unique_ptr<QDialog>(make()); },
            [field](QDialog& dialog) -> QWidget* { return field(static_cast<Dialog&>(dialog)); }};
}

// Takes the push button marked default while the dialog was made as the one
// that Enter in a field must press. Then shows the dialog active and, with
// its push buttons cut off from what they do, walks Tab from `field` round
// the dialog and back: Enter on each push button the caret reaches must
// click that button alone, and Enter in `field` afterwards the default
// button alone. Gives each difference as a line, empty when there is none;
// a message box shown meanwhile, or a button Tab never reaches, is one too.
// Answers the boxes itself, so the caller installs none.
QStringList EnterKeyFaults(QDialog& dialog, QWidget& field);

// EnterKeyFaults for each case, on a dialog of its own; a failure names it.
void ExpectEnterKeys(const std::vector<TEnterKeyCase>& cases);
