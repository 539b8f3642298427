#include "cursor.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>

namespace {

// An hourglass over no window on the screen is seen by no one, and the first
// one costs loading the cursor theme: the first page, built before the main
// window appears, goes without it.
bool AnyWindowOnScreen()
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) { return window->isExposed(); });
}

}  // namespace

HourglassCursor::HourglassCursor()
    : active_(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && AnyWindowOnScreen())
{
    if (active_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

HourglassCursor::~HourglassCursor()
{
    if (active_)
        QApplication::restoreOverrideCursor();
}
