#include "formhealthmain.h"

#include "context/context.h"
#include "context/product.h"
#include "context/registry.h"
#include "controls/formdate.h"
#include "formabout.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/genericprops.h"
#include "shell/pages/launcher.h"
#include "shell/pages/pictures.h"
#include "shell/pages/speedbar.h"
#include "windowplace.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QToolButton>

// The module and parameter a go-to list item asks for.
struct TShortCutItem {
    qint32 moduleID = 0;
    qint32 param = 0;
};
Q_DECLARE_METATYPE(TShortCutItem)

namespace {

const QString kWindowName = QStringLiteral("FormHealthMain");
const QString kModuleValue = QStringLiteral("ModID");
const QString kKnownDatabaseVersion = QStringLiteral("1");

constexpr int kGoToRowsShown = 10;
constexpr int kFileGroup = 1;
constexpr int kViewGroup = 3;
constexpr int kHelpGroup = 8;

}  // namespace

// The application event filter: carries out posted page requests and hides
// the date picker when it asks to be hidden or is clicked beside.
class TFormHealthMain::MessageHook : public QObject {
public:
    explicit MessageHook(TFormHealthMain& owner) : owner_(owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == NavigateEventType() && watched == QCoreApplication::instance()) {
            RunGuarded([this] {
                owner_.NavigateTo(PendingModuleID, PendingParam1, PendingParam2, PendingParam3);
            });
            return true;
        }
        if (event->type() == DatePickerHideEvent() && watched == QCoreApplication::instance()) {
            if (DateForm)
                DateForm->HandleHideRequest();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress && DateForm) {
            const auto* press = static_cast<QMouseEvent*>(event);
            return press->button() == Qt::LeftButton &&
                   DateForm->HideOnClickOutside(press->globalPosition().toPoint());
        }
        return false;
    }

private:
    TFormHealthMain& owner_;
};

TFormHealthMain::TFormHealthMain(ModulePageTable pages, QWidget* parent)
    : QMainWindow(parent), SingleInstance1(this), pages_(std::move(pages))
{
    SingleInstance1.StopMsg = QStringLiteral("Application is already running.");
    SingleInstance1.Loaded();
    if (SingleInstance1.Stopped())
        return;

    setObjectName(kWindowName);
    setWindowTitle(ProductName);
    resize(646, 455);
    BuildToolBar();
    BuildClientArea();
    BuildMenus();
    FormHealthMain = this;
    FormCreate();
    CentreOnScreen(*this);
}

TFormHealthMain::~TFormHealthMain()
{
    if (messageHook_) {
        QCoreApplication::instance()->removeEventFilter(messageHook_.get());
        AppMessageHook = nullptr;
        DateForm = nullptr;
    }
    if (FormHealthMain == this)
        FormHealthMain = nullptr;
}

void TFormHealthMain::BuildToolBar()
{
    auto* speedBar = new TSpeedBar(nullptr);
    PanelToolBar = speedBar;
    QHBoxLayout* bar = &speedBar->Row();
    const auto button = [speedBar](const QString& name, const QIcon& icon, const QString& hint) {
        return speedBar->AddButton(name, icon, hint);
    };
    SpeedButtonExit = button(QStringLiteral("SpeedButtonExit"), ExitIcon(), QStringLiteral("Exit"));
    SpeedButtonPrint = button(QStringLiteral("SpeedButtonPrint"), PrintIcon(), QStringLiteral("Print"));
    bar->addSpacing(8);
    SpeedButtonBack = button(QStringLiteral("SpeedButtonBack"), BackIcon(), QStringLiteral("Backward"));
    SpeedButtonForward = button(QStringLiteral("SpeedButtonForward"), ForwardIcon(), QStringLiteral("Forward"));
    SpeedButtonHome = button(QStringLiteral("SpeedButtonHome"), HomeIcon(), QStringLiteral("Home"));
    SBTreeView = button(QStringLiteral("SBTreeView"), TreeViewIcon(), QStringLiteral("Go To Tree View"));
    bar->addSpacing(12);
    Label1 = new QLabel(QStringLiteral("Go to :"), PanelToolBar);
    bar->addWidget(Label1);
    CBGoTo = new QComboBox(PanelToolBar);
    CBGoTo->setObjectName(QStringLiteral("CBGoTo"));
    CBGoTo->setMaxVisibleItems(kGoToRowsShown);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    CBGoTo->setFont(bold);
    CBGoTo->setMinimumWidth(260);
    bar->addWidget(CBGoTo);
    bar->addStretch();

    SpeedButtonPrint->setEnabled(false);
    SpeedButtonHome->setEnabled(pages_.Has(ModMedToc));
    SBTreeView->setEnabled(pages_.Has(ModMedFolder));
    connect(SpeedButtonExit, &QToolButton::clicked, this, &QWidget::close);
    connect(SpeedButtonBack, &QToolButton::clicked, this, [this] { RunGuarded([this] { GoBack(); }); });
    connect(SpeedButtonForward, &QToolButton::clicked, this, [this] { RunGuarded([this] { GoForward(); }); });
    connect(SpeedButtonHome, &QToolButton::clicked, this, [this] { currentModuleID_ = PostNavigate(ModMedToc, 0, 0, 0); });
    connect(SBTreeView, &QToolButton::clicked, this, [this] { currentModuleID_ = PostNavigate(ModMedFolder, 0, 0, 0); });
    connect(CBGoTo, &QComboBox::activated, this, &TFormHealthMain::CBGoToChange);
}

// The pages' place under the toolbar: a page fills it.
void TFormHealthMain::BuildClientArea()
{
    clientArea_ = new QWidget;
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    clientArea_->setAutoFillBackground(true);
    QPalette white = clientArea_->palette();
    white.setColor(QPalette::Window, Qt::white);
    clientArea_->setPalette(white);
    auto* pageLayout = new QVBoxLayout(clientArea_);
    pageLayout->setContentsMargins(0, 0, 0, 0);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(PanelToolBar);
    column->addWidget(clientArea_, 1);
    setCentralWidget(central);
}

void TFormHealthMain::BuildMenus()
{
    auto* File1 = new QMenu(QStringLiteral("&File"), this);
    EmailToDoList1 = File1->addAction(QStringLiteral("Email To-Do List..."), this,
                                      [] { RunGuarded([] { Launcher::Open(TDialogID::EMailToDoList); }); });
    EmailToDoList1->setEnabled(Launcher::Has(TDialogID::EMailToDoList));
    File1->addSeparator();
    File1->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    auto* View1 = new QMenu(QStringLiteral("&View"), this);
    GoToTreeView1 = View1->addAction(QStringLiteral("Go To Tree View"), this,
                                     [this] { currentModuleID_ = PostNavigate(ModMedFolder, 0, 0, 0); });
    GoToTreeView1->setEnabled(pages_.Has(ModMedFolder));

    auto* Help1 = new QMenu(QStringLiteral("&Help"), this);
    Help1->addAction(QStringLiteral("&About..."), this, [] { ShowAboutBox(); });

    mainMenus_ = {{kFileGroup, File1}, {kViewGroup, View1}, {kHelpGroup, Help1}};
    ShowMenusOf(nullptr);
}

void TFormHealthMain::FormCreate()
{
    ForceProgramFormats();
    CheckDatabaseVersion(DataFolder);
    messageHook_ = std::make_unique<MessageHook>(*this);
    QCoreApplication::instance()->installEventFilter(messageHook_.get());
    AppMessageHook = messageHook_.get();
    QueryMedProf = std::make_unique<TQuery>(DataFolder);
    // Made when a date field first calls it; freed with the main window.
    InstallDatePicker(this);
    NavHistory.Clear();
    UpdateHistoryButtons();
}

void TFormHealthMain::ForceProgramFormats()
{
    FormatSettings& formats = ProcessFormats();
    SavedShortDateFormat = formats.shortDateFormat.left(15);
    formats.shortDateFormat = QStringLiteral("m/d/yyyy");
    SavedDateSeparator = formats.dateSeparator;
    formats.dateSeparator = QLatin1Char('/');
    SavedShortTimeFormat = formats.shortTimeFormat.left(15);
    formats.shortTimeFormat = QStringLiteral("hh:mm tt");
    SavedTimeSeparator = formats.timeSeparator;
    formats.timeSeparator = QLatin1Char(':');
    SavedTimeAMString = formats.timeAMString.left(7);
    formats.timeAMString = QStringLiteral("AM");
    SavedTimePMString = formats.timePMString.left(7);
    formats.timePMString = QStringLiteral("PM");
}

void TFormHealthMain::RestoreUserFormats()
{
    FormatSettings& formats = ProcessFormats();
    formats.shortDateFormat = SavedShortDateFormat;
    formats.dateSeparator = SavedDateSeparator;
    formats.shortTimeFormat = SavedShortTimeFormat;
    formats.timeSeparator = SavedTimeSeparator;
    formats.timeAMString = SavedTimeAMString;
    formats.timePMString = SavedTimePMString;
}

void TFormHealthMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        RunGuarded([this] { FormShow(); });
    }
}

void TFormHealthMain::FormShow()
{
    qint32 module = ReadLastModule(ModMedToc);
    currentModuleID_ = module;
    // A member's page cannot be reopened: its member is not saved.
    if (module == ModMedPage)
        module = ModMedToc;
    // A first page that cannot read its records is told of by the caller;
    // the go-to list must still lead to the others.
    try {
        NavigateTo(module, 0, 0, 0);
    } catch (...) {
        FillGoToCombo();
        throw;
    }
    FillGoToCombo();
}

void TFormHealthMain::closeEvent(QCloseEvent* event)
{
    RunGuarded([this] { FormClose(); });
    event->accept();
}

void TFormHealthMain::FormClose()
{
    {
        HourglassCursor hourglass;
        CloseModulePages();
        QueryMedProf->Close();
        NavHistory.Clear();
        CBGoTo->clear();
        WriteLastModule(currentModuleID_);
    }
    RestoreUserFormats();
    WriteDateLastUsed();
}

void TFormHealthMain::NavigateTo(qint32 moduleID, qint32 param1, qint32 param2, qint32 param3)
{
    CloseModulePages();
    HourglassCursor hourglass;
    const TNavigateHistory request{moduleID, param1, param2, param3};
    ShowModule(request);
    RecordHistory(request);
}

void TFormHealthMain::ShowModule(const TNavigateHistory& request)
{
    currentModuleID_ = request.moduleID;
    PanelToolBar->setVisible(request.moduleID != ModMedFolder);
    if (request.moduleID == ModMedPage)
        CurMemberID = request.param1;
    if (QWidget* page = pages_.Create(request.moduleID, clientArea_)) {
        clientArea_->layout()->addWidget(page);
        page->show();
        ShowMenusOf(page);
    }
    CBGoTo->setCurrentIndex(-1);
}

void TFormHealthMain::RecordHistory(const TNavigateHistory& request)
{
    NavHistory.Record(request);
    UpdateHistoryButtons();
}

// A deleted member's page is passed over.
void TFormHealthMain::GoBack()
{
    ShowFromHistory(NavHistory.Back(ShowableEntries()));
}

void TFormHealthMain::GoForward()
{
    ShowFromHistory(NavHistory.Forward(ShowableEntries()));
}

TNavHistory::Showable TFormHealthMain::ShowableEntries() const
{
    return [this](const TNavigateHistory& entry) { return pages_.CanShow(entry); };
}

// Shows the page of a history entry, without the hourglass and without
// touching the history's contents.
void TFormHealthMain::ShowFromHistory(const TNavigateHistory* entry)
{
    if (entry) {
        const TNavigateHistory request = *entry;
        CloseModulePages();
        ShowModule(request);
    }
    UpdateHistoryButtons();
}

void TFormHealthMain::UpdateHistoryButtons()
{
    SpeedButtonBack->setEnabled(NavHistory.CanGoBack(ShowableEntries()));
    SpeedButtonForward->setEnabled(NavHistory.CanGoForward(ShowableEntries()));
}

bool TFormHealthMain::CloseModulePages()
{
    while (QWidget* page = CurrentPage()) {
        page->close();
        delete page;
    }
    ShowMenusOf(nullptr);
    return true;
}

QWidget* TFormHealthMain::CurrentPage() const
{
    return clientArea_->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

void TFormHealthMain::ShowMenusOf(QWidget* page)
{
    const auto* merging = dynamic_cast<TMenuMergingPage*>(page);
    menuBar()->clear();
    for (QMenu* menu : MergeMenus(mainMenus_, merging ? merging->MergedMenus() : QList<TMergedMenu>()))
        menuBar()->addMenu(menu);
}

void TFormHealthMain::FillGoToCombo()
{
    CBGoTo->clear();
    auto* items = qobject_cast<QStandardItemModel*>(CBGoTo->model());
    const auto add = [&](const QString& text, qint32 moduleID, qint32 param) {
        CBGoTo->addItem(text, QVariant::fromValue(TShortCutItem{moduleID, param}));
        items->item(CBGoTo->count() - 1)->setEnabled(pages_.Has(moduleID));
    };
    add(QStringLiteral("Members"), ModMedMember, 0);
    add(QStringLiteral("Expenses & Reimbursements"), ModMedInsurance, 0);
    add(QStringLiteral("Address book"), ModAddrTutor, 0);
    add(QStringLiteral("To-Do List"), ModToDoTutor, 0);
    add(QStringLiteral("Internet health information resource"), ModInternetInfo, 0);

    QueryMedProf->Close();
    QueryMedProf->SetSQL({QStringLiteral("SELECT * FROM MEDPROF")});
    QueryMedProf->Open();
    for (; !QueryMedProf->Eof(); QueryMedProf->Next())
        add(QueryMedProf->FieldByName(QStringLiteral("FirstName")).AsString() + QStringLiteral("'s medical page"),
            ModMedPage, QueryMedProf->FieldByName(QStringLiteral("MemberID")).AsInteger());
    QueryMedProf->Close();
    CBGoTo->setCurrentIndex(-1);
}

void TFormHealthMain::CBGoToChange(int index)
{
    if (index < 0)
        return;
    const auto item = CBGoTo->itemData(index).value<TShortCutItem>();
    currentModuleID_ = PostNavigate(item.moduleID, item.param, 0, 0);
}

qint32 ReadLastModule(qint32 defaultModuleID)
{
    return ReadRegInteger(*OpenWindowKey(kWindowName), kModuleValue).value_or(defaultModuleID);
}

void WriteLastModule(qint32 moduleID)
{
    WriteRegInteger(*OpenWindowKey(kWindowName), kModuleValue, moduleID);
}

void CheckDatabaseVersion(const QString& dataFolder)
{
    if (GetDatabaseVersion(dataFolder) != kKnownDatabaseVersion)
        ShowMessageBox(QStringLiteral("The database version is not correct. The software may not work properly. "
                                      "Please use \"Restore\" menu item to restore a correct database."),
                       MsgIcon::Warning);
}
