#pragma once
// What the entry-field tests share: a controller, the default international
// settings, a fixed clock and scripted message boxes.
#include "controls/daynumbers.h"
#include "controls/efcontroller.h"
#include "controls/intlsup.h"
#include "platform/datetime.h"
#include "tests/support/scriptedmessageboxes.h"

#include <gtest/gtest.h>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

class EntryFieldTest : public ::testing::Test {
protected:
    EntryFieldTest()
    {
        IntlSup() = TEfIntlSup();
        Clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
        SetCurrentYearMonth(2024, 3);
    }
    ~EntryFieldTest() override { Clock::SetFixed(QDateTime()); }

    // Typed keys as the widget passes them: an ordinary key, then the character.
    template <typename Core>
    static void Type(Core& core, const char* text)
    {
        core.TypeText(QString::fromLatin1(text));
    }

    ScriptedMessageBoxes boxes;
    TEfController controller;
};
