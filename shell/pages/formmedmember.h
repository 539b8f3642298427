#pragma once
// The members page (module 134): one picture per family member, each
// opening the member's medical page.
#include "pagemenus.h"

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class TItemBox;

class TFormMedMember : public QWidget, public TMenuMergingPage {
    Q_OBJECT
public:
    explicit TFormMedMember(QWidget* parent);

    QList<TMergedMenu> MergedMenus() const override;

    QLabel* Memo1 = nullptr;
    TItemBox* SBox = nullptr;
    QMenu* File1 = nullptr;
    QAction* NewMember1 = nullptr;
    QAction* Deletemember1 = nullptr;
    QAction* EmailToDoList1 = nullptr;

signals:
    // Members were added or deleted: the main window's go-to list is out of date.
    void GoToListChanged();

private:
    void BuildItems();
    void ImgMedPageClick(int index);
    void ImgMedPayClick();
    void Deletemember1Click();
};
