#pragma once
// What a report page is drawn on: a recorded page, or a printer's page
// straight away. Lengths are whole units of the canvas (device pixels of the
// page); fonts keep their point size and are sized by the units per inch.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QString>
#include <optional>

enum class TRpAlignment : quint8 { Left = 0, Right = 1, Center = 2 };

class TRpCanvas {
public:
    virtual ~TRpCanvas() = default;

    virtual void SetFont(const QFont& font, const QColor& color) = 0;
    // Width 0 is one device pixel whatever the scale.
    virtual void SetPen(const QColor& color, Qt::PenStyle style, int width) = 0;
    virtual void SetBrush(const QColor& color, Qt::BrushStyle style) = 0;

    // Rectangles exclude their right and bottom edges.
    virtual void Rectangle(const QRect& rect) = 0;
    virtual void Ellipse(const QRect& rect) = 0;
    virtual void Line(QPoint from, QPoint to) = 0;
    // The brush alone, no outline.
    virtual void FillRect(const QRect& rect) = 0;
    // The text's top edge is at y; x is its left end, right end or middle.
    virtual void DrawText(QPoint origin, const QString& text, TRpAlignment alignment,
                          const std::optional<QRect>& clip) = 0;

    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;

    void TextOut(int x, int y, const QString& text, TRpAlignment alignment = TRpAlignment::Left)
    {
        DrawText(QPoint(x, y), text, alignment, std::nullopt);
    }
    void TextRect(const QRect& clip, int x, int y, const QString& text,
                  TRpAlignment alignment = TRpAlignment::Left)
    {
        DrawText(QPoint(x, y), text, alignment, clip);
    }
};

// The font to select on a device so that text measures in canvas units,
// with unitsPerInch canvas units to the inch.
QFont FontForUnits(const QFont& font, double unitsPerInch, const QPaintDevice& device);

// Draws on a painter whose coordinates are the canvas units: a printer's page,
// or a recorded page being replayed under a scaling transform.
class TRpPainterCanvas : public TRpCanvas {
public:
    TRpPainterCanvas(QPainter& painter, double unitsPerInch);

    void SetFont(const QFont& font, const QColor& color) override;
    void SetPen(const QColor& color, Qt::PenStyle style, int width) override;
    void SetBrush(const QColor& color, Qt::BrushStyle style) override;
    void Rectangle(const QRect& rect) override;
    void Ellipse(const QRect& rect) override;
    void Line(QPoint from, QPoint to) override;
    void FillRect(const QRect& rect) override;
    void DrawText(QPoint origin, const QString& text, TRpAlignment alignment,
                  const std::optional<QRect>& clip) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;

private:
    QRectF OutlineRect(const QRect& rect) const;

    QPainter& painter_;
    double unitsPerInch_;
    QColor textColor_ = Qt::black;
};

// Left end of a text of the given width placed by its alignment point.
double AlignedLeft(double x, double width, TRpAlignment alignment);
