#include "formmedtoc.h"

#include "clicklabel.h"
#include "context/navigation.h"
#include "context/product.h"
#include "launcher.h"
#include "pagecommon.h"
#include "pagepictures.h"
#include "pictures.h"
#include "platform/ui/guarded.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {

constexpr QSize kAreaPictureSize(72, 72);
constexpr int kAreaWidth = 124;
constexpr int kBevelGap = 5;
constexpr int kBottomGap = 22;
constexpr int kVerticalSlack = 27;

struct TArea {
    TClickLabel* TFormMedToc::*picture;
    const char* pictureName;
    TPagePicture image;
    QStringList labels;
    const char* hint;
    qint32 moduleID;
};

TClickLabel* AreaLabel(const QString& text, QWidget* parent)
{
    auto* label = new TClickLabel(parent);
    label->setText(text);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    StyleAsLink(*label, 10, QStringLiteral("Arial"));
    return label;
}

}  // namespace

TFormMedToc::TFormMedToc(QWidget* parent, PageAvailable pageAvailable) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMedToc"));
    setWindowTitle(ProductName);
    PanelBackGround = new QWidget(this);
    PanelBackGround->setObjectName(QStringLiteral("PanelBackGround"));
    MakeWhite(*PanelBackGround);
    BuildTop();
    Bevel1 = new QFrame(PanelBackGround);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(2);
    BuildBottom(pageAvailable);

    File1 = new QMenu(QStringLiteral("&File"), this);
    EmailToDoList1 = File1->addAction(QStringLiteral("&Email To-Do List..."), this,
                                      [] { RunGuarded([] { Launcher::Open(TDialogID::EMailToDoList); }); });
    Backup1 = File1->addAction(QStringLiteral("&Backup..."), this, [] { RunGuarded([] { Launcher::Open(TDialogID::Backup); }); });
    Restore1 = File1->addAction(QStringLiteral("&Restore..."), this, [this] {
        RunGuarded([this] {
            Launcher::Open(TDialogID::Restore);
            emit GoToListChanged();
        });
    });
    File1->addSeparator();
    File1->addAction(QStringLiteral("&Exit"), this, [this] { CloseWindowLater(*this); });
    EmailToDoList1->setEnabled(Launcher::Has(TDialogID::EMailToDoList));
    Backup1->setEnabled(Launcher::Has(TDialogID::Backup));
    Restore1->setEnabled(Launcher::Has(TDialogID::Restore));
}

QList<TMergedMenu> TFormMedToc::MergedMenus() const
{
    return {{kFileMenuGroup, File1}};
}

void TFormMedToc::BuildTop()
{
    PanelTop = new QWidget(PanelBackGround);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    auto* emblem = new QLabel(PanelTop);
    emblem->setPixmap(ProductEmblem(64));
    auto* title = new QLabel(ProductName, PanelTop);
    QFont titleFont = title->font();
    titleFont.setPointSize(24);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QPalette navy = title->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    title->setPalette(navy);
    auto* motto = new QLabel(QStringLiteral("Your family's health records in one place"), PanelTop);
    QFont mottoFont = motto->font();
    mottoFont.setItalic(true);
    mottoFont.setPointSize(11);
    motto->setFont(mottoFont);

    auto* words = new QVBoxLayout;
    words->setSpacing(2);
    words->addStretch();
    words->addWidget(title);
    words->addWidget(motto);
    words->addStretch();
    auto* row = new QHBoxLayout(PanelTop);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    row->addWidget(emblem);
    row->addLayout(words);
    PanelTop->adjustSize();
}

void TFormMedToc::BuildBottom(const PageAvailable& pageAvailable)
{
    const TArea areas[] = {
        {&TFormMedToc::ImgHealth, "ImgHealth", TPagePicture::Family, {QStringLiteral("Members")},
         "Click to maintain good health", ModMedMember},
        {&TFormMedToc::ImgInsurance, "ImgInsurance", TPagePicture::MedicalExpenses,
         {QStringLiteral("Expenses &"), QStringLiteral("Reimbursements")}, "Click to track Health Insurances",
         ModMedInsurance},
        {&TFormMedToc::ImgAddress, "ImgAddress", TPagePicture::AddressBook, {QStringLiteral("Address Book")},
         "Click to view address book", ModAddrTutor},
        {&TFormMedToc::ImgToDo, "ImgToDo", TPagePicture::ToDoList, {QStringLiteral("To-Do List")},
         "Click to view To-Do List", ModToDoTutor},
        {&TFormMedToc::ImgInternet, "ImgInternet", TPagePicture::Internet,
         {QStringLiteral("Internet Health"), QStringLiteral("Info. Resources")},
         "Click to access the internet resources", ModInternetInfo},
    };
    PanelBottom = new QWidget(PanelBackGround);
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    auto* grid = new QGridLayout(PanelBottom);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    int column = 0;
    for (const TArea& area : areas) {
        auto* picture = new TClickLabel(PanelBottom);
        picture->setObjectName(QString::fromLatin1(area.pictureName));
        picture->setPixmap(PagePicture(area.image, kAreaPictureSize));
        picture->setAlignment(Qt::AlignCenter);
        picture->setMinimumWidth(kAreaWidth);
        this->*area.picture = picture;
        QList<TClickLabel*> controls{picture};
        for (const QString& text : area.labels)
            controls.append(AreaLabel(text, PanelBottom));
        const bool available = pageAvailable(area.moduleID);
        const qint32 moduleID = area.moduleID;
        for (int row = 0; row < controls.size(); ++row) {
            TClickLabel* control = controls[row];
            control->setToolTip(QString::fromLatin1(area.hint));
            control->setEnabled(available);
            connect(control, &TClickLabel::clicked, this, [moduleID] { PostNavigate(moduleID, 0, 0, 0); });
            grid->addWidget(control, row == 0 ? 0 : row + 1, column);
        }
        ++column;
    }
    grid->setRowMinimumHeight(1, 8);
    grid->setRowStretch(4, 1);
    PanelBottom->adjustSize();
}

void TFormMedToc::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlacePanels();
}

void TFormMedToc::PlacePanels()
{
    PanelBackGround->setGeometry(rect());
    const QSize background = PanelBackGround->size();
    const int stack = PanelTop->height() + Bevel1->height() + PanelBottom->height() + kVerticalSlack;
    PanelTop->move((background.width() - PanelTop->width()) / 2, (background.height() - stack) / 2);
    Bevel1->setGeometry(0, PanelTop->geometry().bottom() + 1 + kBevelGap, background.width(), Bevel1->height());
    PanelBottom->move((background.width() - PanelBottom->width()) / 2, Bevel1->y() + kBottomGap);
}
