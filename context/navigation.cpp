#include "navigation.h"

#include <QCoreApplication>

qint32 PendingModuleID = 0;
qint32 PendingParam1 = 0;
qint32 PendingParam2 = 0;
qint32 PendingParam3 = 0;
QObject* AppMessageHook = nullptr;
TNavHistory NavHistory;

QEvent::Type NavigateEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

qint32 PostNavigate(qint32 moduleID, qint32 param1, qint32 param2, qint32 param3)
{
    PendingModuleID = moduleID;
    PendingParam1 = param1;
    PendingParam2 = param2;
    PendingParam3 = param3;
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(NavigateEventType()));
    return moduleID;
}

void TNavHistory::Record(const TNavigateHistory& entry)
{
    entries_.resize(static_cast<size_t>(std::min(Count(), index_ + 1)));
    if (Count() >= MaxEntries)
        entries_.erase(entries_.begin());
    entries_.push_back(entry);
    index_ = Count() - 1;
}

const TNavigateHistory* TNavHistory::Back()
{
    if (index_ < 1 || index_ >= Count())
        return nullptr;
    return &entries_[static_cast<size_t>(--index_)];
}

const TNavigateHistory* TNavHistory::Forward()
{
    if (!CanGoForward())
        return nullptr;
    return &entries_[static_cast<size_t>(++index_)];
}

void TNavHistory::Clear()
{
    entries_.clear();
    index_ = 0;
}
