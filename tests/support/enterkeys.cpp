#include "enterkeys.h"

#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

// A user can walk Tab round a dialog forty times faster than it has widgets.
constexpr int kMaxTabs = 200;

QString NameOf(const QPushButton* button)
{
    return QLatin1Char('"') + button->text().remove(QLatin1Char('&')) + QLatin1Char('"');
}

QString NamesOf(const std::vector<QPushButton*>& buttons)
{
    QStringList names;
    for (const QPushButton* button : buttons)
        names << NameOf(button);
    return names.isEmpty() ? QStringLiteral("nothing") : names.join(QStringLiteral(" and "));
}

// The push buttons of the dialog itself that Tab may give the caret.
std::vector<QPushButton*> TabButtons(const QDialog& dialog)
{
    std::vector<QPushButton*> buttons;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->window() == &dialog && button->isVisible() && button->isEnabled() &&
            (button->focusPolicy() & Qt::TabFocus))
            buttons.push_back(button);
    return buttons;
}

}  // namespace

QStringList EnterKeyFaults(QDialog& dialog, QWidget& field)
{
    // Shown, a dialog that knows no default of its own takes one.
    if (dialog.isVisible())
        return {QStringLiteral("the dialog was shown before its default button was read")};
    std::vector<QPushButton*> defaults;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->window() == &dialog && button->isDefault())
            defaults.push_back(button);
    if (defaults.size() != 1)
        return {QStringLiteral("default buttons: ") + NamesOf(defaults)};
    ScriptedMessageBoxes boxes;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    if (!QTest::qWaitForWindowActive(&dialog))
        return {QStringLiteral("the dialog never became active")};
    const std::vector<QPushButton*> buttons = TabButtons(dialog);
    std::vector<QPushButton*> clicked;
    for (QPushButton* button : buttons) {
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(button, &QAbstractButton::clicked, &dialog, [&clicked, button] { clicked.push_back(button); });
    }
    QStringList faults;
    const auto expectClicked = [&](QPushButton* expected, const QString& where) {
        if (clicked != std::vector<QPushButton*>{expected})
            faults << QStringLiteral("Enter %1 clicked %2").arg(where, NamesOf(clicked));
        clicked.clear();
    };

    std::set<QPushButton*> reached{qobject_cast<QPushButton*>(&field)};
    field.setFocus(Qt::TabFocusReason);
    QWidget* focus = QApplication::focusWidget();
    if (focus != &field)
        return {QStringLiteral("the field cannot take the caret")};
    for (int tabs = 0; focus && tabs < kMaxTabs && (tabs == 0 || focus != &field); ++tabs) {
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
        auto* button = qobject_cast<QPushButton*>(focus);
        if (std::find(buttons.begin(), buttons.end(), button) == buttons.end())
            continue;
        reached.insert(button);
        QTest::keyClick(button, Qt::Key_Return);
        expectClicked(button, QStringLiteral("on ") + NameOf(button));
    }
    for (QPushButton* button : buttons)
        if (!reached.count(button))
            faults << QStringLiteral("Tab never reached ") + NameOf(button);
    if (focus != &field) {
        faults << QStringLiteral("Tab never came back to the field");
        return faults + boxes.Texts();
    }
    QTest::keyClick(&field, Qt::Key_Return);
    expectClicked(defaults.front(), QStringLiteral("in the field after a Tab round"));
    return faults + boxes.Texts();
}

void ExpectEnterKeys(const std::vector<TEnterKeyCase>& cases)
{
    for (const TEnterKeyCase& entry : cases) {
        std::unique_ptr<QDialog> dialog = entry.make();
        const QStringList faults = EnterKeyFaults(*dialog, *entry.field(*dialog));
        // Closed first, as after its modal showing: leaving a box may still
        // run the dialog's own handlers.
        dialog->hide();
        EXPECT_TRUE(faults.isEmpty()) << entry.name.toStdString() << ": "
                                      << faults.join(QStringLiteral("; ")).toStdString();
    }
}
