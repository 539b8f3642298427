#include "speedbar.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

constexpr int kSpeedBarHeight = 31;

}  // namespace

TSpeedBar::TSpeedBar(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("PanelToolBar"));
    setFixedHeight(kSpeedBarHeight);
    row_->setContentsMargins(4, 2, 4, 2);
    row_->setSpacing(2);
}

QToolButton* TSpeedBar::AddButton(const QString& name, const QIcon& icon, const QString& hint)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    row_->addWidget(button);
    return button;
}
