#pragma once
// The home page (module 133): a picture menu of the five areas.
#include "pagemenus.h"

#include <QWidget>
#include <functional>

class QAction;
class QFrame;
class QMenu;
class TClickLabel;

class TFormMedToc : public QWidget, public TMenuMergingPage {
    Q_OBJECT
public:
    // Tells which pages exist; the pictures of the others are disabled.
    using PageAvailable = std::function<bool(qint32 moduleID)>;

    TFormMedToc(QWidget* parent, PageAvailable pageAvailable);

    QList<TMergedMenu> MergedMenus() const override;

    QWidget* PanelBackGround = nullptr;
    QWidget* PanelTop = nullptr;
    QFrame* Bevel1 = nullptr;
    QWidget* PanelBottom = nullptr;
    TClickLabel* ImgHealth = nullptr;
    TClickLabel* ImgInsurance = nullptr;
    TClickLabel* ImgAddress = nullptr;
    TClickLabel* ImgToDo = nullptr;
    TClickLabel* ImgInternet = nullptr;
    QMenu* File1 = nullptr;
    QAction* EmailToDoList1 = nullptr;
    QAction* Backup1 = nullptr;
    QAction* Restore1 = nullptr;

signals:
    // A restored database may hold other members.
    void GoToListChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildTop();
    void BuildBottom(const PageAvailable& pageAvailable);
    void PlacePanels();
};
