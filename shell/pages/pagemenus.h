#pragma once
// How a page hands its menus to the main window's menu bar.
#include <QList>

class QMenu;

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
