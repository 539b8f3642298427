#pragma once
// The pages the main window can show, by module id. A page is built by its
// own module; the table only knows how to make one. Ids without a page open
// nothing, and whatever would ask for them stays disabled.
#include <QList>
#include <QWidget>
#include <functional>
#include <map>

class QMenu;

using PageFactory = std::function<QWidget*(QWidget* parent)>;

class ModulePageTable {
public:
    void Register(qint32 moduleID, PageFactory factory);
    bool Has(qint32 moduleID) const;
    // nullptr for an id without a page.
    QWidget* Create(qint32 moduleID, QWidget* parent) const;

private:
    std::map<qint32, PageFactory> factories_;
};

// The pages of the program built so far.
ModulePageTable ProgramPages();

// A menu of the menu bar and the place it takes there.
struct TMergedMenu {
    int groupIndex;
    QMenu* menu;
};

// A page with menus of its own: while it is shown, each of its menus takes
// the place of the main window's menu of the same group, and the others fall
// in by group.
class TMenuMergingPage {
public:
    virtual ~TMenuMergingPage() = default;
    virtual QList<TMergedMenu> MergedMenus() const = 0;
};

// The menus of the menu bar, in order.
QList<QMenu*> MergeMenus(const QList<TMergedMenu>& mainMenus, const QList<TMergedMenu>& pageMenus);
