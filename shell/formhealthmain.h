#pragma once
// The main window: a toolbar, a go-to list and a menu above one page at a
// time. Pages are switched by module id, at once or through a request posted
// to the application (PostNavigate), and a history of the last pages shown
// serves Back and Forward.
#include "context/navigation.h"
#include "modulepages.h"
#include "singleinstance.h"

#include <QMainWindow>
#include <memory>

class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class TQuery;

class TFormHealthMain : public QMainWindow {
    Q_OBJECT
public:
    // A later copy of the program stops here, before the database is touched:
    // check SingleInstance1.Stopped().
    explicit TFormHealthMain(ModulePageTable pages, QWidget* parent = nullptr);
    ~TFormHealthMain() override;

    TSingleInstance SingleInstance1;

    void NavigateTo(qint32 moduleID, qint32 param1, qint32 param2, qint32 param3);
    void ShowModule(const TNavigateHistory& request);
    void RecordHistory(const TNavigateHistory& request);
    void GoBack();
    void GoForward();
    bool CloseModulePages();
    void FillGoToCombo();
    // Back and Forward are enabled while a page they can still show lies that way.
    void UpdateHistoryButtons();

    qint32 CurrentModuleID() const { return currentModuleID_; }
    // The page shown, or nullptr.
    QWidget* CurrentPage() const;

    QWidget* PanelToolBar = nullptr;
    QToolButton* SpeedButtonExit = nullptr;
    QToolButton* SpeedButtonPrint = nullptr;
    QToolButton* SpeedButtonBack = nullptr;
    QToolButton* SpeedButtonForward = nullptr;
    QToolButton* SpeedButtonHome = nullptr;
    QToolButton* SBTreeView = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CBGoTo = nullptr;
    QAction* EmailToDoList1 = nullptr;
    QAction* GoToTreeView1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class MessageHook;

    void BuildToolBar();
    void BuildClientArea();
    void BuildMenus();
    void FormCreate();
    void FormShow();
    void FormClose();
    void ForceProgramFormats();
    void RestoreUserFormats();
    void ShowFromHistory(const TNavigateHistory* entry);
    TNavHistory::Showable ShowableEntries() const;
    void ShowMenusOf(QWidget* page);
    void CBGoToChange(int index);

    ModulePageTable pages_;
    qint32 currentModuleID_ = 0;
    bool shown_ = false;
    QWidget* clientArea_ = nullptr;
    QList<TMergedMenu> mainMenus_;
    std::unique_ptr<TQuery> QueryMedProf;
    std::unique_ptr<MessageHook> messageHook_;
};

// The last page shown, kept with the window's settings.
qint32 ReadLastModule(qint32 defaultModuleID);
void WriteLastModule(qint32 moduleID);

// Warns when the database of the data folder is not of the version the program knows.
void CheckDatabaseVersion(const QString& dataFolder);
