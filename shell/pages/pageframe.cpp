#include "pageframe.h"

#include "clicklabel.h"
#include "pagecommon.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

namespace {

const char* const kTagProperty = "tag";

constexpr int kItemPitch = 70;
constexpr int kPictureLeft = 20;
constexpr int kPictureTop = 15;
constexpr QSize kPictureSize = kItemPictureSize;
constexpr int kLabelLeft = 77;
constexpr int kLabelTop = 35;
constexpr QSize kLabelSize(118, 36);

QFrame* Bevel(QFrame::Shape shape, const QString& name, QWidget* parent)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

}  // namespace

TPageFrame::TPageFrame(QWidget* parent, const QString& heading) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    MakeWhite(*this);

    JazLabel1 = new QLabel(heading, this);
    JazLabel1->setObjectName(QStringLiteral("JazLabel1"));
    // A heading may name a member.
    JazLabel1->setTextFormat(Qt::PlainText);
    QFont font = JazLabel1->font();
    font.setBold(true);
    font.setPointSize(16);
    JazLabel1->setFont(font);
    JazLabel1->setContentsMargins(16, 10, 16, 6);

    body_ = new QWidget(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(JazLabel1, 0, 0, 1, 2);
    grid->addWidget(Bevel(QFrame::HLine, QStringLiteral("Bevel1"), this), 1, 0, 1, 2);
    grid->addWidget(Bevel(QFrame::VLine, QStringLiteral("Bevel2"), this), 2, 0);
    grid->addWidget(body_, 2, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
}

TItemBox::TItemBox(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("SBox"));
    setFrameShape(QFrame::NoFrame);
    content_ = new QWidget;
    MakeWhite(*content_);
    setWidget(content_);
    setWidgetResizable(false);
    MakeWhite(*viewport());
}

TPageItem TItemBox::AddItem(const QString& pictureName, const QString& labelName, const QPixmap& picture,
                            const QString& hint, const QString& text, qint32 tag)
{
    const int n = Count();
    TPageItem item;
    item.picture = new TClickLabel(content_);
    item.picture->setObjectName(pictureName);
    item.picture->resize(kPictureSize);
    item.picture->setAlignment(Qt::AlignCenter);
    if (!picture.isNull())
        item.picture->setPixmap(picture.scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    item.label = new TClickLabel(content_);
    item.label->setObjectName(labelName);
    // The names in the texts are the user's, shown as typed.
    item.label->setTextFormat(Qt::PlainText);
    item.label->setWordWrap(true);
    item.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StyleAsLink(*item.label, 8, QStringLiteral("Arial"));
    item.label->setText(text);

    for (TClickLabel* control : {item.picture, item.label}) {
        control->setToolTip(PlainToolTip(hint));
        control->setProperty(kTagProperty, tag);
        control->show();
    }
    connect(item.picture, &TClickLabel::clicked, this, [this, n] { emit ItemClicked(n, true); });
    connect(item.label, &TClickLabel::clicked, this, [this, n] { emit ItemClicked(n, false); });
    items_.push_back(item);
    PlaceItems();
    return item;
}

void TItemBox::SetLabelText(int index, const QString& text)
{
    Item(index).label->setText(text);
    PlaceItems();
}

// Each label shows its whole text: it widens to its longest word and grows
// down to its last line. An item whose label is taller than the pitch pushes
// the items below it down.
void TItemBox::PlaceItems()
{
    int top = 0;
    QRect used(kLabelLeft, 0, kLabelSize.width(), 0);
    for (const TPageItem& item : items_) {
        const int width = std::max(kLabelSize.width(), item.label->minimumSizeHint().width());
        const QSize labelSize(width, std::max(kLabelSize.height(), item.label->heightForWidth(width)));
        item.picture->move(kPictureLeft, top + kPictureTop);
        item.label->setGeometry(QRect(QPoint(kLabelLeft, top + kLabelTop), labelSize));
        used |= item.label->geometry();
        top += std::max(kItemPitch, labelSize.height());
    }
    content_->resize(used.right() + 1 + kPictureLeft, std::max(top, used.bottom() + 1) + kPictureTop);
}

void TItemBox::Clear()
{
    for (const TPageItem& item : items_) {
        delete item.picture;
        delete item.label;
    }
    items_.clear();
    content_->resize(0, 0);
}

qint32 ItemTag(const QWidget& control)
{
    return control.property(kTagProperty).toInt();
}
