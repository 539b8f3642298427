#include "modulepages.h"

#include <algorithm>

void ModulePageTable::Register(qint32 moduleID, PageFactory factory, TNavHistory::Showable showable)
{
    factories_[moduleID] = std::move(factory);
    if (showable)
        showables_[moduleID] = std::move(showable);
    else
        showables_.erase(moduleID);
}

bool ModulePageTable::Has(qint32 moduleID) const
{
    return factories_.count(moduleID) != 0;
}

QWidget* ModulePageTable::Create(qint32 moduleID, QWidget* parent) const
{
    const auto found = factories_.find(moduleID);
    return found == factories_.end() ? nullptr : found->second(parent);
}

bool ModulePageTable::CanShow(const TNavigateHistory& request) const
{
    const auto found = showables_.find(request.moduleID);
    return found == showables_.end() || found->second(request);
}

QList<QMenu*> MergeMenus(const QList<TMergedMenu>& mainMenus, const QList<TMergedMenu>& pageMenus)
{
    QList<TMergedMenu> merged = pageMenus;
    for (const TMergedMenu& own : mainMenus) {
        const bool replaced = std::any_of(pageMenus.begin(), pageMenus.end(),
                                          [&](const TMergedMenu& page) { return page.groupIndex == own.groupIndex; });
        if (!replaced)
            merged.append(own);
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const TMergedMenu& a, const TMergedMenu& b) { return a.groupIndex < b.groupIndex; });
    QList<QMenu*> menus;
    for (const TMergedMenu& entry : merged)
        menus.append(entry.menu);
    return menus;
}
