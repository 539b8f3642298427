#include "formmedfolder.h"

#include "context/context.h"
#include "context/databasefault.h"
#include "context/navigation.h"
#include "context/product.h"
#include "context/registry.h"
#include "documentprinter.h"
#include "launcher.h"
#include "messagepage.h"
#include "pagecommon.h"
#include "pagepictures.h"
#include "pictures.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "recorddeletion.h"
#include "rtfreader.h"
#include "speedbar.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString kWindowName = QStringLiteral("FormMedFolder");
const QString kActivePageValue = QStringLiteral("ActivePageIndex");
const QString kTreeWidthValue = QStringLiteral("TreeViewWidth");
const QString kNodeStatesKey = QStringLiteral("NodeStates");
const QString kHelpFile = QStringLiteral("cphelpt.rtf");

constexpr int kObjectRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSmallestPanel = 41;
constexpr int kDefaultTreeWidth = 250;
constexpr int kTextShareOfPage = 3;

// The picture of each image index of the tree.
constexpr std::array<TPagePicture, 15> kTreeImages = {
    TPagePicture::Family,          TPagePicture::ExpensesFolder, TPagePicture::FSA,
    TPagePicture::AddressBook,     TPagePicture::ToDoList,       TPagePicture::Internet,
    TPagePicture::Insurance,       TPagePicture::AdultMale,      TPagePicture::AdultFemale,
    TPagePicture::ChildMale,       TPagePicture::ChildFemale,    TPagePicture::CheckupSchedule,
    TPagePicture::ImmunizationSchedule, TPagePicture::MedicalHistory, TPagePicture::MedicalExpenses,
};

constexpr int kImageMembers = 0;
constexpr int kImageExpenses = 1;
constexpr int kImageFSA = 2;
constexpr int kImageAddressBook = 3;
constexpr int kImageToDoList = 4;
constexpr int kImageInternet = 5;
constexpr int kImageInsurance = 6;
constexpr int kImageAdultMale = 7;
constexpr int kImageAdultFemale = 8;
constexpr int kImageChildMale = 9;
constexpr int kImageChildFemale = 10;
constexpr int kImageFirstSchedule = 11;
constexpr int kImageExpenseSummary = 14;

// No picture for a sex other than 0 (male) or 1 (female).
int MemberImage(qint32 sex, bool adult)
{
    if (sex == 0)
        return adult ? kImageAdultMale : kImageChildMale;
    if (sex == 1)
        return adult ? kImageAdultFemale : kImageChildFemale;
    return -1;
}

// The dialog a leaf opens; none for the nodes that open nothing.
std::optional<TDialogID> NodeDialog(qint32 kind)
{
    switch (kind) {
    case kNodeCheckupSchedule: return TDialogID::CheckupSchedule;
    case kNodeImmunizationSchedule: return TDialogID::ImmunizationSchedule;
    case kNodeMedicalHistory: return TDialogID::MedicalHistory;
    case kNodeExpenseSummary: return TDialogID::ExpenseTable;
    case kNodeInsurance: return TDialogID::Insurance;
    case kNodeFSA: return TDialogID::FSA;
    case kNodeAddressBook: return TDialogID::AddressBook;
    case kNodeToDoList: return TDialogID::ToDoList;
    case kNodeInternet: return TDialogID::WebLinks;
    default: return std::nullopt;
    }
}

bool OpensDialog(qint32 kind)
{
    const std::optional<TDialogID> dialog = NodeDialog(kind);
    return dialog && Launcher::Has(*dialog);
}

// The address book and the web links change nothing the message text shows.
bool RefreshesMessage(qint32 kind)
{
    return kind != kNodeAddressBook && kind != kNodeInternet;
}

QString FSACaption(const QString& accountName)
{
    return QStringLiteral("FSA with ") + accountName;
}

}  // namespace

std::optional<TTreeObj> TreeObjOf(const QTreeWidgetItem& node)
{
    const QVariant object = node.data(0, kObjectRole);
    if (!object.isValid())
        return std::nullopt;
    return object.value<TTreeObj>();
}

int ImageIndexOf(const QTreeWidgetItem& node)
{
    return node.data(0, kImageRole).toInt();
}

TFormMedFolder::TFormMedFolder(QWidget* parent) : QWidget(parent)
{
    setObjectName(kWindowName);
    setWindowTitle(ProductName);
    for (size_t i = 0; i < kTreeImages.size(); ++i)
        ImageList1[i] = PageIcon(kTreeImages[i]);
    BuildToolBar();
    BuildPanels();
    BuildTree();
    BuildMenus();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(PanelToolBar);
    column->addWidget(Panel1, 1);
    ShowOrLeave([this] { FormCreate(); });
}

void TFormMedFolder::BuildToolBar()
{
    auto* speedBar = new TSpeedBar(this);
    PanelToolBar = speedBar;
    SpeedButtonExit = speedBar->AddButton(QStringLiteral("SpeedButtonExit"), ExitIcon(), QStringLiteral("Exit"));
    SpeedButtonPrint = speedBar->AddButton(QStringLiteral("SpeedButtonPrint"), PrintIcon(), QStringLiteral("Print"));
    speedBar->Row().addSpacing(8);
    SpeedButton1 = speedBar->AddButton(QStringLiteral("SpeedButton1"), HomeIcon(), QStringLiteral("Home"));
    speedBar->Row().addStretch();
    connect(SpeedButtonExit, &QToolButton::clicked, this, [this] { CloseWindowLater(*this); });
    connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { RunGuarded([this] { SpeedButtonPrintClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [] { PostNavigate(ModMedToc, 0, 0, 0); });
}

void TFormMedFolder::BuildPanels()
{
    Panel1 = new QSplitter(Qt::Horizontal, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setChildrenCollapsible(false);

    TreeView1 = new QTreeWidget(Panel1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setMinimumWidth(kSmallestPanel);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->installEventFilter(this);

    PageControl1 = new QTabWidget(Panel1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setMinimumWidth(kSmallestPanel);
    const auto richEdit = [](const QString& name) {
        auto* edit = new QTextEdit;
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setLineWrapMode(QTextEdit::NoWrap);
        MakeWhite(*edit->viewport());
        return edit;
    };
    RichEditToDo = richEdit(QStringLiteral("RichEditToDo"));
    RichEditHelp = richEdit(QStringLiteral("RichEditHelp"));
    RichEditHelp->setLineWrapMode(QTextEdit::WidgetWidth);
    // Breaking inside a word costs time that grows with the square of the
    // word's format changes; a word wider than the tab scrolls instead.
    RichEditHelp->setWordWrapMode(QTextOption::WordWrap);
    RichEditHelp->setHtml(QStringLiteral("<h3>CarePortfolio Help</h3><p>The help text is kept in the file "
                                         "\"cphelpt.rtf\" of the data folder, which could not be found.</p>"
                                         "<p>Double-click an item of the tree on the left to open it.</p>"));
    PageControl1->addTab(RichEditToDo, QStringLiteral("Message"));
    PageControl1->addTab(RichEditHelp, QStringLiteral("Help"));

    Panel1->setStretchFactor(0, 0);
    Panel1->setStretchFactor(1, 1);
    Panel1->setSizes({kDefaultTreeWidth, 1});
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { setWindowTitle(node->text(0)); });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { TreeView1DblClick(); }); });
}

QTreeWidgetItem* TFormMedFolder::AddNode(QTreeWidgetItem* parent, int index, const QString& text,
                                         std::optional<TTreeObj> object, int image)
{
    auto* node = new QTreeWidgetItem({text});
    if (object) {
        node->setData(0, kObjectRole, QVariant::fromValue(*object));
        // A leaf whose dialog is not there looks disabled, yet can still be
        // selected, so an account can be deleted.
        if (NodeDialog(object->kind) && !OpensDialog(object->kind)) {
            node->setForeground(0, palette().color(QPalette::Disabled, QPalette::Text));
            node->setToolTip(0, QStringLiteral("Not available yet"));
        }
    }
    node->setData(0, kImageRole, image);
    if (image >= 0)
        node->setIcon(0, ImageList1[static_cast<size_t>(image)]);
    if (parent)
        parent->insertChild(index < 0 ? parent->childCount() : index, node);
    else
        TreeView1->insertTopLevelItem(index < 0 ? TreeView1->topLevelItemCount() : index, node);
    return node;
}

void TFormMedFolder::BuildTree()
{
    membersNode_ = AddNode(nullptr, -1, QStringLiteral("Members"), TTreeObj{kNodeMembers, 0}, kImageMembers);
    expensesNode_ = AddNode(nullptr, -1, QStringLiteral("Expenses & Reimbursements"), std::nullopt, kImageExpenses);
    AddNode(expensesNode_, -1, QStringLiteral("Medical Expenses Summary/Report"), TTreeObj{kNodeExpenseSummary, 0},
            kImageExpenseSummary);
    AddNode(nullptr, -1, QStringLiteral("Address Book"), TTreeObj{kNodeAddressBook, 0}, kImageAddressBook);
    AddNode(nullptr, -1, QStringLiteral("To-Do List"), TTreeObj{kNodeToDoList, 0}, kImageToDoList);
    AddNode(nullptr, -1, QStringLiteral("Internet Health Information Resources"), TTreeObj{kNodeInternet, 0},
            kImageInternet);
}

void TFormMedFolder::BuildMenus()
{
    const auto guarded = [](std::function<void()> work) { return [work] { RunGuarded(work); }; };
    const auto open = [guarded](TDialogID dialog) { return guarded([dialog] { Launcher::Open(dialog); }); };

    File1 = new QMenu(QStringLiteral("&File"), this);
    QMenu* New1 = File1->addMenu(QStringLiteral("&New"));
    NewMember1 = New1->addAction(QStringLiteral("&Member"), this, guarded([this] { SpeedButtonAddMemClick(); }));
    NewInsurance1 = New1->addAction(QStringLiteral("&Insurance"), this, guarded([this] { AddAccountClick(false); }));
    NewFSA1 = New1->addAction(QStringLiteral("&Flexible Spending Account"), this, guarded([this] { AddAccountClick(true); }));
    QMenu* Delete1 = File1->addMenu(QStringLiteral("&Delete"));
    DeleteMember1 = Delete1->addAction(QStringLiteral("M&ember"), this, guarded([this] { SpeedBtnDelMemClick(); }));
    DeleteInsurance1 =
        Delete1->addAction(QStringLiteral("I&nsurance"), this, guarded([this] { DeleteAccountNodeClick(false); }));
    DeleteFSA1 = Delete1->addAction(QStringLiteral("F&lexible Spending Account"), this,
                                    guarded([this] { DeleteAccountNodeClick(true); }));
    File1->addSeparator();
    EmailToDoList1 = File1->addAction(QStringLiteral("Email To-Do List..."), this, open(TDialogID::EMailToDoList));
    File1->addSeparator();
    Backup1 = File1->addAction(QStringLiteral("Backup..."), this, open(TDialogID::Backup));
    Restore1 = File1->addAction(QStringLiteral("&Restore..."), this, guarded([this] { Restore1Click(); }));
    File1->addSeparator();
    File1->addAction(QStringLiteral("E&xit"), this, [this] { CloseWindowLater(*this); });

    View1 = new QMenu(QStringLiteral("&View"), this);
    GoToBrowserView1 = View1->addAction(QStringLiteral("Go To Browser View"), this,
                                        [] { PostNavigate(ModMedToc, 0, 0, 0); });
    Report1 = new QMenu(QStringLiteral("&Report"), this);
    Expenseandreimbursement1 =
        Report1->addAction(QStringLiteral("Insurance/FSA report..."), this, open(TDialogID::InsFSAReport));
    Help1 = new QMenu(QStringLiteral("&Help"), this);
    About1 = Help1->addAction(QStringLiteral("&About..."), this, open(TDialogID::About));

    const std::pair<QAction*, TDialogID> needsDialog[] = {
        {NewMember1, TDialogID::NewMember},        {NewInsurance1, TDialogID::Insurance},
        {NewFSA1, TDialogID::FSA},                 {EmailToDoList1, TDialogID::EMailToDoList},
        {Backup1, TDialogID::Backup},              {Restore1, TDialogID::Restore},
        {Expenseandreimbursement1, TDialogID::InsFSAReport}, {About1, TDialogID::About},
    };
    for (const auto& [action, dialog] : needsDialog)
        action->setEnabled(Launcher::Has(dialog));
}

QList<TMergedMenu> TFormMedFolder::MergedMenus() const
{
    return {{kFileMenuGroup, File1}, {kViewMenuGroup, View1}, {kReportMenuGroup, Report1}, {kHelpMenuGroup, Help1}};
}

void TFormMedFolder::FormCreate()
{
    LoadMemberNodes();
    LoadAccountNodes();
    LoadHelpText();
}

void TFormMedFolder::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_ && !leaving_) {
        shown_ = true;
        RunGuarded([this] { ShowOrLeave([this] { FormShow(); }); });
    }
}

void TFormMedFolder::FormShow()
{
    membersNode_->setExpanded(true);
    TreeView1->setCurrentItem(membersNode_);
    LoadFolderSettings();
    RefreshMessagePage();
}

void TFormMedFolder::closeEvent(QCloseEvent* event)
{
    RunGuarded([this] { FormClose(); });
    QWidget::closeEvent(event);
}

// The tree of a page that left is not the user's: its settings are kept.
void TFormMedFolder::FormClose()
{
    if (!leaving_)
        SaveFolderSettings();
}

// A page that cannot read its database tells the user why and leaves for the
// home page, where the main window's toolbar and menus are back.
void TFormMedFolder::ShowOrLeave(const std::function<void()>& work)
{
    try {
        work();
    } catch (const EDatabaseError& error) {
        leaving_ = true;
        ShowMessageBox(DatabaseFaultText(error, DataFolder), MsgIcon::Error);
        PostNavigate(ModMedToc, 0, 0, 0);
    }
}

// Adds the rows not yet in the tree. The page keeps which rows it placed:
// showing a page writes nothing, so a read-only database shows its tree.
void TFormMedFolder::LoadMemberNodes()
{
    TQuery members(DataFolder);
    members.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    for (members.Open(); !members.Eof(); members.Next())
        if (placedMembers_.insert(members.FieldByName(QStringLiteral("MemberID")).AsInteger()).second)
            AddMemberNode(members);
}

void TFormMedFolder::AddMemberNode(TQuery& member)
{
    const qint32 memberID = member.FieldByName(QStringLiteral("MemberID")).AsInteger();
    const bool adult = IsAdult(member.FieldByName(QStringLiteral("DOB")).AsDateTime());
    QTreeWidgetItem* node =
        AddNode(membersNode_, -1, member.FieldByName(QStringLiteral("FirstName")).AsString() + QStringLiteral("'s medical page"),
                TTreeObj{kNodeMember, memberID}, MemberImage(member.FieldByName(QStringLiteral("Sex")).AsInteger(), adult));
    const QString schedules[] = {QStringLiteral("Checkup Schedule"), QStringLiteral("Immunization Schedule"),
                                 QStringLiteral("Medical History")};
    for (qint32 kind = kNodeCheckupSchedule; kind <= kNodeMedicalHistory; ++kind)
        AddNode(node, -1, schedules[kind], TTreeObj{kind, memberID}, kImageFirstSchedule + kind);
    if (selectNew_) {
        node->setExpanded(true);
        TreeView1->setCurrentItem(node);
        selectNew_ = false;
    }
}

void TFormMedFolder::LoadAccountNodes()
{
    TQuery accounts(DataFolder);
    accounts.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountType > 0");
    for (accounts.Open(); !accounts.Eof(); accounts.Next()) {
        const qint32 accountID = accounts.FieldByName(QStringLiteral("AccountID")).AsInteger();
        if (!placedAccounts_.insert(accountID).second)
            continue;
        const QString name = accounts.FieldByName(QStringLiteral("AccountName")).AsString();
        const bool fsa = accounts.FieldByName(QStringLiteral("AccountType")).AsInteger() == kFSAAccountType;
        QTreeWidgetItem* node = fsa ? AddNode(expensesNode_, 0, FSACaption(name), TTreeObj{kNodeFSA, accountID}, kImageFSA)
                                    : AddNode(expensesNode_, 0, name, TTreeObj{kNodeInsurance, accountID}, kImageInsurance);
        if (selectNew_) {
            TreeView1->setCurrentItem(node);
            selectNew_ = false;
        }
    }
}

void TFormMedFolder::LoadHelpText()
{
    const QString path = DataFolder + kHelpFile;
    if (QFile::exists(path) && LoadRichTextFile(path, *RichEditHelp->document()))
        RichEditHelp->moveCursor(QTextCursor::Start);
}

void TFormMedFolder::RefreshMessagePage()
{
    WriteMessagePage(*RichEditToDo->document());
}

QList<QTreeWidgetItem*> TFormMedFolder::NodesInOrder() const
{
    QList<QTreeWidgetItem*> nodes;
    const std::function<void(QTreeWidgetItem*)> visit = [&](QTreeWidgetItem* node) {
        nodes.append(node);
        for (int i = 0; i < node->childCount(); ++i)
            visit(node->child(i));
    };
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        visit(TreeView1->topLevelItem(i));
    return nodes;
}

QTreeWidgetItem* TFormMedFolder::NodeAt(int position) const
{
    const QList<QTreeWidgetItem*> nodes = NodesInOrder();
    return position >= 0 && position < nodes.size() ? nodes[position] : nullptr;
}

void TFormMedFolder::LoadFolderSettings()
{
    const auto reg = OpenWindowKey(kWindowName);
    PageControl1->setCurrentIndex(ReadRegInteger(*reg, kActivePageValue).value_or(0));
    if (const std::optional<qint32> width = ReadRegInteger(*reg, kTreeWidthValue)) {
        layout()->activate();
        const int total = Panel1->width() - Panel1->handleWidth();
        // Whatever was stored, the message and help keep a third of the page to be read in.
        const int widest = std::max(kSmallestPanel, total - std::max(kSmallestPanel, total / kTextShareOfPage));
        const int treeWidth = std::clamp(*width, kSmallestPanel, widest);
        Panel1->setSizes({treeWidth, std::max(kSmallestPanel, total - treeWidth)});
    }
    LoadNodeStates();
}

// A saved state is used only while the node at its position still has the
// saved caption: members added or removed since move the nodes.
void TFormMedFolder::LoadNodeStates()
{
    const auto reg = OpenWindowKey(kWindowName);
    if (!reg->childGroups().contains(kNodeStatesKey))
        return;
    reg->beginGroup(kNodeStatesKey);
    const QList<QTreeWidgetItem*> nodes = NodesInOrder();
    for (const QString& name : reg->childKeys()) {
        bool isNumber = false;
        const int position = name.toInt(&isNumber);
        const std::optional<QString> caption = ReadRegString(*reg, name);
        if (!isNumber || !caption || position < 0 || position >= nodes.size())
            continue;
        QTreeWidgetItem* node = nodes[position];
        if (node->text(0) == *caption && node->childCount() > 0)
            node->setExpanded(true);
    }
}

void TFormMedFolder::SaveFolderSettings()
{
    const auto reg = OpenWindowKey(kWindowName);
    WriteRegInteger(*reg, kActivePageValue, PageControl1->currentIndex());
    WriteRegInteger(*reg, kTreeWidthValue, TreeView1->width());
    SaveNodeStates();
}

void TFormMedFolder::SaveNodeStates()
{
    const auto reg = OpenWindowKey(kWindowName);
    reg->remove(kNodeStatesKey);
    reg->beginGroup(kNodeStatesKey);
    const QList<QTreeWidgetItem*> nodes = NodesInOrder();
    for (int position = 0; position < nodes.size(); ++position)
        if (nodes[position]->isExpanded())
            WriteRegString(*reg, QString::number(position), nodes[position]->text(0));
}

std::optional<TTreeObj> TFormMedFolder::SelectedObj() const
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || !node->isSelected())
        return std::nullopt;
    return TreeObjOf(*node);
}

bool TFormMedFolder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded([this] { TreeView1DblClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFormMedFolder::TreeView1DblClick()
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || !node->isSelected() || node->childCount() > 0)
        return;
    const std::optional<TTreeObj> object = TreeObjOf(*node);
    if (!object || !OpensDialog(object->kind))
        return;
    OpenNodeDialog(*node, *object);
    if (RefreshesMessage(object->kind))
        RefreshMessagePage();
}

void TFormMedFolder::OpenNodeDialog(QTreeWidgetItem& node, const TTreeObj& object)
{
    const bool forMember = object.kind <= kNodeMedicalHistory;
    const bool forAccount = object.kind == kNodeInsurance || object.kind == kNodeFSA;
    if (forMember)
        CurMemberID = object.id;
    if (forAccount)
        CurAccountID = object.id;
    const TDialogOutcome outcome = Launcher::Open(*NodeDialog(object.kind));

    if (object.kind == kNodeMedicalHistory && node.parent())
        node.parent()->setText(0, MemberFirstName + QStringLiteral("'s medical page"));
    if (object.kind == kNodeInsurance) {
        LastInsuranceName = outcome.savedAccountName;
        if (!outcome.cancelled && LastInsuranceName != node.text(0))
            node.setText(0, LastInsuranceName);
    }
    if (object.kind == kNodeFSA) {
        LastFSAName = outcome.savedAccountName;
        if (!outcome.cancelled && FSACaption(LastFSAName) != node.text(0))
            node.setText(0, FSACaption(LastFSAName));
    }
}

void TFormMedFolder::SpeedButtonAddMemClick()
{
    Launcher::Open(TDialogID::NewMember);
    if (MemberAdded) {
        selectNew_ = true;
        LoadMemberNodes();
        emit GoToListChanged();
    }
}

void TFormMedFolder::AddAccountClick(bool fsa)
{
    if (OpenNewAccount(fsa) && (fsa ? FSASaved : InsuranceSaved)) {
        selectNew_ = true;
        LoadAccountNodes();
    }
}

void TFormMedFolder::SpeedBtnDelMemClick()
{
    const std::optional<TTreeObj> object = SelectedObj();
    if (!object || object->kind != kNodeMember) {
        ShowMessageBox(QStringLiteral("Please first select one member before deleteing."), MsgIcon::Warning);
        return;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure to delete this member from your record?"), MsgIcon::Question,
                       MsgYes | MsgNo) == MsgResult::No)
        return;
    DeleteMember(object->id);
    delete TreeView1->currentItem();
    // Neither the go-to list nor the message may tell of a member who is gone.
    emit GoToListChanged();
    RefreshMessagePage();
}

void TFormMedFolder::DeleteAccountNodeClick(bool fsa)
{
    const std::optional<TTreeObj> object = SelectedObj();
    if (!object || object->kind != (fsa ? kNodeFSA : kNodeInsurance)) {
        ShowMessageBox(fsa ? QStringLiteral("Please first select one FSA before deleteing.")
                           : QStringLiteral("Please first select one Insurance before deleteing."),
                       MsgIcon::Warning);
        return;
    }
    if (ShowMessageBox(fsa ? QStringLiteral("Are you sure to delete this FSA from your record?")
                           : QStringLiteral("Are you sure to delete this insurance from your record?"),
                       MsgIcon::Question, MsgYes | MsgNo) == MsgResult::No)
        return;
    DeleteAccount(object->id);
    delete TreeView1->currentItem();
    RefreshMessagePage();
}

void TFormMedFolder::SpeedButtonPrintClick()
{
    if (PageControl1->currentWidget() == RichEditToDo)
        PrintDocument(*RichEditToDo->document(), QStringLiteral("Message for you."));
    else
        PrintDocument(*RichEditHelp->document(), QStringLiteral("Help text"));
}

// The restored database is shown by a new page.
void TFormMedFolder::Restore1Click()
{
    Launcher::Open(TDialogID::Restore);
    emit GoToListChanged();
    PostNavigate(ModMedFolder, 0, 0, 0);
}
