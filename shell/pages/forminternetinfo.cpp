#include "forminternetinfo.h"

#include "clicklabel.h"
#include "launcher.h"
#include "pagecommon.h"
#include "pageframe.h"
#include "pagepictures.h"
#include "platform/ui/guarded.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Internet Health Information Resources");
constexpr QSize kBookSize(64, 64);

QString Information()
{
    return QStringList{
        QStringLiteral("The Internet Health Information Resources book contains links to  Internet "),
        QStringLiteral("web sites that contain useful information related to health.  Via these links, you "),
        QStringLiteral("can access the web sites if you have a browser, a modem, and access to the "),
        QStringLiteral("Internet.  The web sites can be organized into folders for easy access.  To "),
        QStringLiteral("view the links or to browse web sites, just double click on the file."),
    }.join(QString());
}

}  // namespace

TFormInternetInfoResources::TFormInternetInfoResources(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormInternetInfoResources"));
    setWindowTitle(kTitle);
    auto* frame = new TPageFrame(this, kTitle);
    FillPage(*this, *frame);

    ImageIIR = new TClickLabel(frame->Body());
    ImageIIR->setObjectName(QStringLiteral("ImageIIR"));
    ImageIIR->setPixmap(PagePicture(TPagePicture::Internet, kBookSize));
    LabelIIR = new TClickLabel(frame->Body());
    LabelIIR->setObjectName(QStringLiteral("LabelIIR"));
    LabelIIR->setText(QStringLiteral("Internet Health Info. Resources"));
    StyleAsLink(*LabelIIR, 12);

    auto* information = new QGroupBox(QStringLiteral("Information"), frame->Body());
    information->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    // The lines run on as one paragraph, wrapped to the page's width.
    MemoInfo = new QLabel(Information(), information);
    MemoInfo->setTextFormat(Qt::PlainText);
    MemoInfo->setWordWrap(true);
    MemoInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* memoLayout = new QVBoxLayout(information);
    memoLayout->addWidget(MemoInfo);

    const bool there = Launcher::Has(TDialogID::WebLinks);
    for (TClickLabel* opener : {ImageIIR, LabelIIR}) {
        opener->setEnabled(there);
        opener->setToolTip(QStringLiteral("Click to open the Internet Health Info. Resources"));
        connect(opener, &TClickLabel::clicked, this, [this] { RunGuarded([this] { ImageIIRClick(); }); });
    }

    auto* book = new QVBoxLayout;
    book->setSpacing(8);
    book->addWidget(ImageIIR, 0, Qt::AlignHCenter);
    book->addWidget(LabelIIR, 0, Qt::AlignHCenter);
    book->addStretch();
    auto* body = new QHBoxLayout(frame->Body());
    body->setContentsMargins(24, 20, 24, 20);
    body->setSpacing(24);
    body->addLayout(book);
    auto* text = new QVBoxLayout;
    text->addWidget(information);
    text->addStretch(1);
    body->addLayout(text, 1);
}

void TFormInternetInfoResources::ImageIIRClick()
{
    Launcher::Open(TDialogID::WebLinks);
}
