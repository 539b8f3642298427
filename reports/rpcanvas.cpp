#include "rpcanvas.h"

#include <QPaintDevice>
#include <cmath>

QFont FontForUnits(const QFont& font, double unitsPerInch, const QPaintDevice& device)
{
    // A font set in pixels counts at the usual 96 to the inch.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    QFont scaled(font);
    scaled.setPointSizeF(std::max(points * unitsPerInch / device.logicalDpiY(), 0.01));
    return scaled;
}

double AlignedLeft(double x, double width, TRpAlignment alignment)
{
    switch (alignment) {
    case TRpAlignment::Right: return x - width;
    case TRpAlignment::Center: return x - width / 2;
    case TRpAlignment::Left: break;
    }
    return x;
}

TRpPainterCanvas::TRpPainterCanvas(QPainter& painter, double unitsPerInch)
    : painter_(painter), unitsPerInch_(unitsPerInch)
{
}

void TRpPainterCanvas::SetFont(const QFont& font, const QColor& color)
{
    painter_.setFont(FontForUnits(font, unitsPerInch_, *painter_.device()));
    textColor_ = color;
}

void TRpPainterCanvas::SetPen(const QColor& color, Qt::PenStyle style, int width)
{
    QPen pen(color);
    pen.setStyle(style);
    pen.setWidth(std::max(width, 0));
    painter_.setPen(pen);
}

void TRpPainterCanvas::SetBrush(const QColor& color, Qt::BrushStyle style)
{
    painter_.setBrush(QBrush(color, style));
}

// Keeps a drawn outline inside the rectangle, as the right and bottom edges
// are not part of it.
QRectF TRpPainterCanvas::OutlineRect(const QRect& rect) const
{
    const QPen& pen = painter_.pen();
    const double w = pen.style() == Qt::NoPen ? 0.0 : std::max(pen.widthF(), 1.0);
    return QRectF(rect.left() + w / 2, rect.top() + w / 2, rect.right() + 1 - rect.left() - w,
                  rect.bottom() + 1 - rect.top() - w);
}

void TRpPainterCanvas::Rectangle(const QRect& rect)
{
    painter_.drawRect(OutlineRect(rect));
}

void TRpPainterCanvas::Ellipse(const QRect& rect)
{
    painter_.drawEllipse(OutlineRect(rect));
}

void TRpPainterCanvas::Line(QPoint from, QPoint to)
{
    painter_.drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
}

void TRpPainterCanvas::FillRect(const QRect& rect)
{
    painter_.fillRect(QRectF(rect.left(), rect.top(), rect.right() + 1 - rect.left(),
                             rect.bottom() + 1 - rect.top()),
                      painter_.brush());
}

void TRpPainterCanvas::DrawText(QPoint origin, const QString& text, TRpAlignment alignment,
                                const std::optional<QRect>& clip)
{
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    const double left = AlignedLeft(origin.x(), metrics.horizontalAdvance(text), alignment);
    painter_.save();
    if (clip)
        painter_.setClipRect(*clip, Qt::IntersectClip);
    painter_.setPen(textColor_);
    painter_.drawText(QPointF(left, origin.y() + metrics.ascent()), text);
    painter_.restore();
}

int TRpPainterCanvas::TextWidth(const QString& text)
{
    return static_cast<int>(std::lround(QFontMetricsF(painter_.font(), painter_.device()).horizontalAdvance(text)));
}

int TRpPainterCanvas::TextHeight(const QString&)
{
    return static_cast<int>(std::lround(QFontMetricsF(painter_.font(), painter_.device()).height()));
}
