#include "platform/ui/cursor.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

Qt::CursorShape Shown()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}

// The first page is built before the main window appears: an hourglass then
// would be seen by no one, and loading it would only slow the start.
TEST(HourglassCursor, ShownOnlyWhileAWindowIsOnTheScreenAndNested)
{
    {
        HourglassCursor unseen;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    {
        QWidget window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        HourglassCursor outer;
        EXPECT_EQ(Shown(), Qt::WaitCursor);
        {
            HourglassCursor inner;
            EXPECT_EQ(Shown(), Qt::WaitCursor);
        }
        EXPECT_EQ(Shown(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    HourglassCursor windowGone;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
