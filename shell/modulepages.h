#pragma once
// The pages the main window can show, by module id. A page is built by its
// own module; the table only knows how to make one. Ids without a page open
// nothing, and whatever would ask for them stays disabled.
#include "context/navigation.h"
#include "shell/pages/pagemenus.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <map>

class QMenu;

using PageFactory = std::function<QWidget*(QWidget* parent)>;

class ModulePageTable {
public:
    // showable: whether a request of the history can still be shown (a
    // member's page needs its member); without it, every request can.
    void Register(qint32 moduleID, PageFactory factory, TNavHistory::Showable showable = {});
    bool Has(qint32 moduleID) const;
    // nullptr for an id without a page.
    QWidget* Create(qint32 moduleID, QWidget* parent) const;
    bool CanShow(const TNavigateHistory& request) const;

private:
    std::map<qint32, PageFactory> factories_;
    std::map<qint32, TNavHistory::Showable> showables_;
};

// The pages of the program built so far.
ModulePageTable ProgramPages();

// The menus of the menu bar, in order.
QList<QMenu*> MergeMenus(const QList<TMergedMenu>& mainMenus, const QList<TMergedMenu>& pageMenus);
