#pragma once
// A recorded report page: a small versioned list of drawing records in the
// page's own units, replayed on any painter (preview, printer, PDF).
//
// Layout, little-endian: "RPPG", version (16 bits), header size (16 bits),
// total size (32 bits), width and height in units, units per inch across and
// down (32 bits each); then records from the header size on, each a kind
// (16 bits), a payload length (32 bits) and the payload. Readers skip records
// of kinds they do not know and payload bytes past the fields they know, so
// pages written by later versions stay readable.
#include "rpcanvas.h"

#include <QByteArray>
#include <QImage>
#include <memory>

class TRpMetafile {
public:
    static constexpr quint16 kVersion = 1;
    static constexpr int kHeaderSize = 28;

    TRpMetafile(int width, int height, int unitsPerInchX, int unitsPerInchY);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int UnitsPerInchX() const { return unitsPerInchX_; }
    int UnitsPerInchY() const { return unitsPerInchY_; }

    // The page as a page record carries it.
    QByteArray Bytes() const;
    // Null when the bytes are not a whole, well-formed page.
    static std::unique_ptr<TRpMetafile> FromBytes(const QByteArray& bytes);

    void Play(TRpCanvas& canvas) const;
    // The whole page stretched over the target rectangle.
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    friend class TRpMetafileCanvas;
    // Walks the records, drawing on the canvas when one is given; false at
    // the first record that does not hold what its kind needs.
    static bool PlayRecords(const QByteArray& records, TRpCanvas* canvas);

    int width_;
    int height_;
    int unitsPerInchX_;
    int unitsPerInchY_;
    QByteArray records_;
};

// Records what is drawn on it into a page; measures text as the page's
// resolution gives it.
class TRpMetafileCanvas : public TRpCanvas {
public:
    explicit TRpMetafileCanvas(TRpMetafile& page);

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
    void Record(quint16 kind, const QByteArray& payload);
    void RecordRect(quint16 kind, const QRect& rect);
    QFontMetricsF Metrics() const;

    TRpMetafile& page_;
    QImage measureDevice_;
    QFont font_;
};
