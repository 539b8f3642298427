#include "meter.h"

#include <QPainter>
#include <algorithm>

MeterParts SplitMeter(int percent, int length)
{
    length = std::max(length, 0);
    int used = std::clamp(percent, 0, 100) * length / 100;
    if (used < 3)
        return {0, length};
    if (used == length)
        return {used, 0};
    used = std::min(used, length - 3);
    return {used, length - used - 1};
}

TEfMeter::TEfMeter(QWidget* parent)
    : QFrame(parent),
      unusedColor_(palette().color(QPalette::Base)),
      unusedShadow_(palette().color(QPalette::WindowText))
{
    resize(200, 24);
}

void TEfMeter::SetPercent(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == percent_)
        return;
    percent_ = value;
    caption_ = QStringLiteral("%1%").arg(percent_);
    update();
}

template <typename T>
void TEfMeter::Store(T& member, const T& value)
{
    member = value;
    update();
}

void TEfMeter::SetBorderStyle(Border value)
{
    if (value == border_)
        return;
    border_ = value;
    setFrameStyle(value == Border::Single ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TEfMeter::SetOrientation(Qt::Orientation value) { Store(orientation_, value); }
void TEfMeter::SetShowPercent(bool value) { Store(showPercent_, value); }
void TEfMeter::SetDividerColor(const QColor& value) { Store(dividerColor_, value); }
void TEfMeter::SetUsedColor(const QColor& value) { Store(usedColor_, value); }
void TEfMeter::SetUsedShadow(const QColor& value) { Store(usedShadow_, value); }
void TEfMeter::SetUnusedColor(const QColor& value) { Store(unusedColor_, value); }
void TEfMeter::SetUnusedShadow(const QColor& value) { Store(unusedShadow_, value); }

void TEfMeter::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.translate(area.topLeft());
    const bool thick = area.width() > 5 && area.height() > 5;
    if (orientation_ == Qt::Horizontal)
        PaintHorizontal(painter, area, thick);
    else
        PaintVertical(painter, area, thick);
    if (showPercent_) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(QPoint(0, 0), area.size()), Qt::AlignCenter, caption_);
    }
}

// Shadows are one pixel wide, two on a meter large enough for it.
void TEfMeter::PaintHorizontal(QPainter& painter, const QRect& area, bool thick) const
{
    const int height = area.height();
    const MeterParts parts = SplitMeter(percent_, area.width());
    const int lines = thick ? 2 : 1;
    if (parts.used > 0) {
        painter.fillRect(0, 0, parts.used, height, usedColor_);
        painter.setPen(usedShadow_);
        for (int i = 0; i < lines; ++i) {
            painter.drawLine(i, height - 1, i, 0);
            painter.drawLine(0, i, parts.used - 1, i);
        }
    }
    painter.setPen(dividerColor_);
    painter.drawLine(parts.used, 0, parts.used, height - 1);
    if (parts.unused > 0) {
        const int left = parts.used + 1;
        painter.fillRect(left, 0, area.width() - left, height, unusedColor_);
        painter.setPen(unusedShadow_);
        for (int i = 0; i < lines; ++i)
            painter.drawLine(left, i, area.width() - 1, i);
    }
}

void TEfMeter::PaintVertical(QPainter& painter, const QRect& area, bool thick) const
{
    const int width = area.width();
    const MeterParts parts = SplitMeter(percent_, area.height());
    const int lines = thick ? 2 : 1;
    if (parts.unused > 0) {
        painter.fillRect(0, 0, width, parts.unused, unusedColor_);
        painter.setPen(unusedShadow_);
        for (int i = 0; i < lines; ++i) {
            painter.drawLine(i, parts.unused - 1, i, 0);
            painter.drawLine(0, i, width - 1, i);
        }
    }
    painter.setPen(dividerColor_);
    painter.drawLine(0, parts.unused, width - 1, parts.unused);
    if (parts.used > 0) {
        const int top = parts.unused + 1;
        painter.fillRect(0, top, width, area.height() - top, usedColor_);
        painter.setPen(usedShadow_);
        for (int i = 0; i < lines; ++i)
            painter.drawLine(i, top, i, area.height() - 1);
    }
}
