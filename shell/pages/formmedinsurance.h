#pragma once
// The insurance page (module 135): the expense summary and one picture per
// insurance account or FSA, each opening its dialog.
#include "pagemenus.h"

#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class TItemBox;

class TFormMedInsurance : public QWidget, public TMenuMergingPage {
    Q_OBJECT
public:
    explicit TFormMedInsurance(QWidget* parent);

    QList<TMergedMenu> MergedMenus() const override;

    TItemBox* SBox = nullptr;
    QMenu* File1 = nullptr;
    QMenu* Report1 = nullptr;
    QAction* NewInsurance1 = nullptr;
    QAction* NewFSA1 = nullptr;
    QAction* DeleteInsurance1 = nullptr;
    QAction* DeleteFSA1 = nullptr;
    QAction* InsuranceFSAReport1 = nullptr;
    QAction* EmailToDoList1 = nullptr;

private:
    void BuildItems();
    void ItemClick(int index);
    void ImgEditAccountClick(int index);
    void ImgNewAccountClick(bool fsa);
    void DeleteAccountClick(bool fsa);

    // The account type of each item; 0 for the expense summary.
    std::vector<qint32> itemTypes_;
};

// An account's name as the page shows it: at most 20 characters, then "...".
QString ShortAccountName(const QString& name);
