#include "formsplash.h"

#include "context/product.h"
#include "shell/pages/pictures.h"
#include "windowplace.h"

#include <QApplication>
#include <QLabel>

namespace {

const QSize kClientSize(437, 254);

QLabel* OverPicture(const QString& text, const QRect& place, bool bold, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}

}  // namespace

TFormSplash::TFormSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormSplash"));
    setFixedSize(kClientSize);
    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setPixmap(SplashPicture(kClientSize));

    LabelProdVer = OverPicture(QStringLiteral("Version ") + ProductVersion, QRect(142, 116, 280, 20), true, this);
    LabelSubTitle = OverPicture(ProductSubTitle, QRect(142, 138, 280, 20), true, this);
    LabelNotice = OverPicture(ProductNotice, QRect(16, 222, 405, 20), false, this);
    CentreOnScreen(*this);
}

void TFormSplash::ShowAndPaint()
{
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}
