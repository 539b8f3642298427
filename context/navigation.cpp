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

const TNavigateHistory* TNavHistory::Back(const Showable& showable)
{
    if (index_ >= Count())
        return nullptr;
    const int found = Nearest(index_ - 1, -1, showable);
    if (found < 0)
        return nullptr;
    index_ = found;
    return &entries_[static_cast<size_t>(index_)];
}

const TNavigateHistory* TNavHistory::Forward(const Showable& showable)
{
    const int found = Nearest(index_ + 1, 1, showable);
    if (found < 0)
        return nullptr;
    index_ = found;
    return &entries_[static_cast<size_t>(index_)];
}

int TNavHistory::Nearest(int from, int step, const Showable& showable) const
{
    for (int i = from; i >= 0 && i < Count(); i += step)
        if (!showable || showable(entries_[static_cast<size_t>(i)]))
            return i;
    return -1;
}

void TNavHistory::Clear()
{
    entries_.clear();
    index_ = 0;
}
