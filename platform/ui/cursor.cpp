#include "cursor.h"

#include <QApplication>

HourglassCursor::HourglassCursor() : active_(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (active_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

HourglassCursor::~HourglassCursor()
{
    if (active_)
        QApplication::restoreOverrideCursor();
}
