#include "formmedmember.h"

#include "clicklabel.h"
#include "context/context.h"
#include "context/navigation.h"
#include "formdeletemem.h"
#include "launcher.h"
#include "pagecommon.h"
#include "pageframe.h"
#include "pagepictures.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"

#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

TFormMedMember::TFormMedMember(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMedMember"));
    setWindowTitle(QStringLiteral("Members"));
    auto* frame = new TPageFrame(this, QStringLiteral("Family Members"));
    Memo1 = new QLabel(QStringLiteral("There is no member in your family records yet. To add one, choose "
                                      "\"New member ...\" from the File menu."),
                       frame->Body());
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setWordWrap(true);
    Memo1->setContentsMargins(20, 16, 20, 0);
    SBox = new TItemBox(frame->Body());
    auto* body = new QVBoxLayout(frame->Body());
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(Memo1);
    body->addWidget(SBox, 1);
    FillPage(*this, *frame);

    File1 = new QMenu(QStringLiteral("&File"), this);
    NewMember1 = File1->addAction(QStringLiteral("New member ..."), this, [this] { RunGuarded([this] { ImgMedPayClick(); }); });
    Deletemember1 = File1->addAction(QStringLiteral("&Delete member..."), this,
                                     [this] { RunGuarded([this] { Deletemember1Click(); }); });
    File1->addSeparator();
    EmailToDoList1 = File1->addAction(QStringLiteral("Email To-Do List..."), this,
                                      [] { RunGuarded([] { Launcher::Open(TDialogID::EMailToDoList); }); });
    File1->addSeparator();
    File1->addAction(QStringLiteral("&Exit"), this, [this] { CloseWindowLater(*this); });
    NewMember1->setEnabled(Launcher::Has(TDialogID::NewMember));
    EmailToDoList1->setEnabled(Launcher::Has(TDialogID::EMailToDoList));

    connect(SBox, &TItemBox::ItemClicked, this, [this](int index) { ImgMedPageClick(index); });
    BuildItems();
}

QList<TMergedMenu> TFormMedMember::MergedMenus() const
{
    return {{kFileMenuGroup, File1}};
}

void TFormMedMember::BuildItems()
{
    SBox->Clear();
    TQuery members(DataFolder);
    members.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    for (members.Open(); !members.Eof(); members.Next()) {
        const QString firstName = members.FieldByName(QStringLiteral("FirstName")).AsString();
        const auto picture = MemberPicture(members.FieldByName(QStringLiteral("Sex")).AsInteger(),
                                           IsAdult(members.FieldByName(QStringLiteral("DOB")).AsDateTime()));
        const QString n = QString::number(SBox->Count());
        SBox->AddItem(QStringLiteral("ImageMedPage") + n, QStringLiteral("LbMedPage") + n,
                      picture ? PagePicture(*picture, kItemPictureSize) : QPixmap(),
                      QStringLiteral("Click to view ") + firstName + QStringLiteral("'s medical page"),
                      firstName + QStringLiteral("'s ") + QStringLiteral("Medical Page"),
                      members.FieldByName(QStringLiteral("MemberID")).AsInteger());
    }
    Memo1->setVisible(SBox->Count() == 0);
}

void TFormMedMember::ImgMedPageClick(int index)
{
    PostNavigate(ModMedPage, ItemTag(*SBox->Item(index).picture), 0, 0);
}

void TFormMedMember::ImgMedPayClick()
{
    const TDialogOutcome outcome = Launcher::Open(TDialogID::NewMember);
    if (outcome.cancelled && !outcome.applied)
        return;
    BuildItems();
    emit GoToListChanged();
}

void TFormMedMember::Deletemember1Click()
{
    TFormDeleteMem deletion(this, TFormDeleteMem::DeleteMemberMode);
    deletion.exec();
    BuildItems();
    emit GoToListChanged();
}
