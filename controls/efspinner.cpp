#include "efspinner.h"

#include "efbasefield.h"
#include "platform/ui/guarded.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {
constexpr int kMinimumSide = 9;
constexpr int kFirstDelay = 500;
// Past this many steps every step is due at once; the count stops there.
constexpr int kFastestCount = 1000;
constexpr int kPollInterval = 10;
}  // namespace

int SpinRepeatDelay(int acceleration, int repeatCount)
{
    return std::max(0, kFirstDelay - acceleration * 10 * std::min(repeatCount, kFastestCount));
}

TSpinState SpinStateAt(const QSize& size, TSpinOrientation orientation, const QPoint& point)
{
    if (!QRect(QPoint(0, 0), size).contains(point))
        return spOutside;
    if (orientation == TSpinOrientation::soVertical)
        return point.y() >= size.height() / 2 ? spDown : spUp;
    return point.x() >= size.width() / 2 ? spRight : spLeft;
}

TEfSpinner::TEfSpinner(QWidget* parent) : QWidget(parent)
{
    // Like a static control: it takes no keys and no focus of its own.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setMinimumSize(kMinimumSide, kMinimumSide);
    clock_.start();
    resize(sizeHint());
}

void TEfSpinner::SetAcceleration(int value)
{
    if (value >= 0 && value <= 10)
        acceleration_ = value;
}

void TEfSpinner::SetForceOddSize(bool value)
{
    forceOddSize_ = value;
    if (value && width() % 2 == 0)
        resize(width() + 1, height());
}

void TEfSpinner::SetOrientation(TSpinOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    resize(height(), width());
    updateGeometry();
    update();
}

QSize TEfSpinner::sizeHint() const
{
    return orientation_ == TSpinOrientation::soVertical ? QSize(17, 25) : QSize(25, 17);
}

QSize TEfSpinner::minimumSizeHint() const
{
    return QSize(kMinimumSide, kMinimumSide);
}

void TEfSpinner::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (forceOddSize_ && width() % 2 == 0)
        resize(width() + 1, height());
}

QRect TEfSpinner::HalfRect(bool first) const
{
    if (orientation_ == TSpinOrientation::soVertical) {
        const int half = height() / 2;
        return first ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
    }
    const int half = width() / 2;
    return first ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
}

void TEfSpinner::PaintHalf(QPainter& painter, const QRect& area, bool sunken, TSpinState arrow) const
{
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = area;
    option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    if (!ShowArrows)
        return;
    int side = std::min(area.width(), area.height()) / 2;
    if (side % 2 == 0)
        side -= 1;
    if (side < 1)
        return;
    // Row by row, so a small arrow stays crisp: widths side, side - 2, ... 1.
    const QPoint c = area.center() + (sunken ? QPoint(1, 1) : QPoint(0, 0));
    const int depth = (side + 1) / 2;
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QColor color = palette().color(group, QPalette::ButtonText);
    for (int k = 0; k < depth; ++k) {
        const int half = depth - 1 - k;  // the row k from the arrow's base
        switch (arrow) {
        case spUp: painter.fillRect(c.x() - half, c.y() + depth / 2 - k, 2 * half + 1, 1, color); break;
        case spDown: painter.fillRect(c.x() - half, c.y() - depth / 2 + k, 2 * half + 1, 1, color); break;
        case spLeft: painter.fillRect(c.x() + depth / 2 - k, c.y() - half, 1, 2 * half + 1, color); break;
        default: painter.fillRect(c.x() - depth / 2 + k, c.y() - half, 1, 2 * half + 1, color); break;
        }
    }
}

void TEfSpinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool vertical = orientation_ == TSpinOrientation::soVertical;
    const bool active = pressed_ && isEnabled();
    const TSpinState first = vertical ? spUp : spLeft;
    const TSpinState second = vertical ? spDown : spRight;
    PaintHalf(painter, HalfRect(true), active && state_ == first, first);
    PaintHalf(painter, HalfRect(false), active && state_ == second, second);
}

void TEfSpinner::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (FocusedControl && !FocusedControl->hasFocus()) {
        // Taking the focus first lets the field being left check itself; when
        // it takes the focus back, the press is over.
        setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        if (!hasFocus())
            return;
        if (FocusedControl && FocusedControl->isEnabled() && FocusedControl->isVisible())
            FocusedControl->setFocus(Qt::MouseFocusReason);
    }
    state_ = SpinStateAt(size(), orientation_, event->position().toPoint());
    pressed_ = state_ >= spUp;
    update();
    repeatCount_ = 0;
    nextRepeat_ = clock_.elapsed() - 1;
    Step();
    if (!repeatTimer_)
        repeatTimer_ = startTimer(kPollInterval);
}

void TEfSpinner::Follow(const QPoint& point)
{
    const TSpinState now = SpinStateAt(size(), orientation_, point);
    if (now == state_)
        return;
    state_ = now;
    pressed_ = now >= spUp;
    update();
}

void TEfSpinner::mouseMoveEvent(QMouseEvent* event)
{
    if (repeatTimer_)
        Follow(event->position().toPoint());
}

void TEfSpinner::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    StopRepeating();
    state_ = spOver;
    pressed_ = false;
    update();
}

void TEfSpinner::StopRepeating()
{
    if (repeatTimer_)
        killTimer(repeatTimer_);
    repeatTimer_ = 0;
}

void TEfSpinner::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != repeatTimer_)
        return QWidget::timerEvent(event);
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) {
        StopRepeating();
        pressed_ = false;
        update();
        return;
    }
    if (AutoRepeat)
        Step();
}

void TEfSpinner::Step()
{
    auto* field = qobject_cast<TEfBaseEntryField*>(FocusedControl.data());
    if ((!OnClick && !field) || !pressed_ || clock_.elapsed() < nextRepeat_)
        return;
    // Called from the mouse and timer handlers: nothing the dialog's handler
    // or the field throws leaves them.
    RunGuarded([&] {
        if (OnClick)
            OnClick(this, state_, Delta);
        if (!field)
            return;
        switch (state_) {
        case spUp: field->IncreaseValue(WrapMode, Delta); break;
        case spDown: field->DecreaseValue(WrapMode, Delta); break;
        case spLeft: field->MoveCaretBy(-1); break;
        case spRight: field->MoveCaretBy(1); break;
        default: break;
        }
    });
    nextRepeat_ = clock_.elapsed() + SpinRepeatDelay(acceleration_, repeatCount_);
    repeatCount_ = std::min(repeatCount_ + 1, kFastestCount);
}
