#include "formabout.h"

#include "context/product.h"
#include "shell/pages/pictures.h"
#include "windowplace.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About CarePortfolio"));

    auto* Image1 = new QLabel(this);
    Image1->setPixmap(ProductEmblem(64));
    auto* LabelProdName = new QLabel(ProductName, this);
    QFont nameFont = LabelProdName->font();
    nameFont.setBold(true);
    nameFont.setPointSize(nameFont.pointSize() + 6);
    LabelProdName->setFont(nameFont);
    // No blank after the word here, unlike the splash window.
    LabelProdVer = new QLabel(QStringLiteral("Version") + ProductVersion, this);
    LabelSubTitle = new QLabel(ProductSubTitle, this);
    LabelSubTitle->setVisible(!ProductSubTitle.isEmpty());
    LabelNotice = new QLabel(ProductNotice, this);
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* inner = new QGridLayout(frame);
    inner->setContentsMargins(14, 14, 14, 14);
    inner->setHorizontalSpacing(16);
    inner->addWidget(Image1, 0, 0, 4, 1, Qt::AlignTop);
    inner->addWidget(LabelProdName, 0, 1);
    inner->addWidget(LabelProdVer, 1, 1);
    inner->addWidget(LabelSubTitle, 2, 1);
    inner->addWidget(LabelNotice, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(BtnOK, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(*this);
}

void ShowAboutBox()
{
    TFormAbout about;
    about.exec();
}
