#include "rpmetafile.h"

#include "rpbytes.h"

#include <algorithm>
#include <cmath>

namespace {
const char kMagic[4] = {'R', 'P', 'P', 'G'};

enum RecordKind : quint16 {
    kFont = 1,
    kPen = 2,
    kBrush = 3,
    kRectangle = 4,
    kEllipse = 5,
    kLine = 6,
    kFillRect = 7,
    kText = 8,
};

// Hostile coordinates must not make the painter work for ever.
constexpr qint32 kCoordinateLimit = 1000000;
constexpr qint32 kSizeLimit = 1000000;
constexpr qint32 kResolutionLimit = 100000;

qint32 ReadCoordinate(TRpByteReader& in)
{
    return std::clamp(in.I32(), -kCoordinateLimit, kCoordinateLimit);
}

QPoint ReadPoint(TRpByteReader& in)
{
    const qint32 x = ReadCoordinate(in);
    return QPoint(x, ReadCoordinate(in));
}

// Stored as left, top and the exclusive right and bottom.
QRect ReadRect(TRpByteReader& in)
{
    const QPoint topLeft = ReadPoint(in);
    const QPoint bottomRightExclusive = ReadPoint(in);
    return QRect(topLeft, bottomRightExclusive - QPoint(1, 1));
}

void WriteRect(TRpByteWriter& out, const QRect& rect)
{
    out.I32(rect.left());
    out.I32(rect.top());
    out.I32(rect.right() + 1);
    out.I32(rect.bottom() + 1);
}

QColor ReadColor(TRpByteReader& in)
{
    return QColor::fromRgba(in.U32());
}

Qt::PenStyle ReadPenStyle(TRpByteReader& in)
{
    const quint8 style = in.U8();
    return style <= Qt::DashDotDotLine ? static_cast<Qt::PenStyle>(style) : Qt::SolidLine;
}

Qt::BrushStyle ReadBrushStyle(TRpByteReader& in)
{
    const quint8 style = in.U8();
    return style <= Qt::DiagCrossPattern ? static_cast<Qt::BrushStyle>(style) : Qt::SolidPattern;
}

QFont ReadFont(TRpByteReader& in, QColor& color)
{
    QFont font(in.Text());
    const double points = in.F64();
    font.setPointSizeF(std::isfinite(points) ? std::clamp(points, 0.5, 2000.0) : 10.0);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(in.I32(), 1, 1000)));
    const quint8 flags = in.U8();
    font.setItalic(flags & 1);
    font.setUnderline(flags & 2);
    font.setStrikeOut(flags & 4);
    color = ReadColor(in);
    return font;
}

bool PlayRecord(quint16 kind, TRpByteReader& in, TRpCanvas* canvas)
{
    switch (kind) {
    case kFont: {
        QColor color;
        const QFont font = ReadFont(in, color);
        if (canvas && !in.Failed())
            canvas->SetFont(font, color);
        break;
    }
    case kPen: {
        const QColor color = ReadColor(in);
        const Qt::PenStyle style = ReadPenStyle(in);
        const qint32 width = std::clamp(in.I32(), 0, kSizeLimit);
        if (canvas && !in.Failed())
            canvas->SetPen(color, style, width);
        break;
    }
    case kBrush: {
        const QColor color = ReadColor(in);
        const Qt::BrushStyle style = ReadBrushStyle(in);
        if (canvas && !in.Failed())
            canvas->SetBrush(color, style);
        break;
    }
    case kRectangle:
    case kEllipse:
    case kFillRect: {
        const QRect rect = ReadRect(in);
        if (!canvas || in.Failed())
            break;
        if (kind == kRectangle)
            canvas->Rectangle(rect);
        else if (kind == kEllipse)
            canvas->Ellipse(rect);
        else
            canvas->FillRect(rect);
        break;
    }
    case kLine: {
        const QPoint from = ReadPoint(in);
        const QPoint to = ReadPoint(in);
        if (canvas && !in.Failed())
            canvas->Line(from, to);
        break;
    }
    case kText: {
        const QPoint origin = ReadPoint(in);
        const quint8 alignment = in.U8();
        const bool clipped = in.U8() & 1;
        const QRect clip = ReadRect(in);
        const QString text = in.Text();
        if (canvas && !in.Failed())
            canvas->DrawText(origin, text, alignment <= 2 ? static_cast<TRpAlignment>(alignment) : TRpAlignment::Left,
                             clipped ? std::optional<QRect>(clip) : std::nullopt);
        break;
    }
    default:
        break;   // a later version's record
    }
    return !in.Failed();
}
}  // namespace

TRpMetafile::TRpMetafile(int width, int height, int unitsPerInchX, int unitsPerInchY)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      unitsPerInchX_(std::max(unitsPerInchX, 1)),
      unitsPerInchY_(std::max(unitsPerInchY, 1))
{
}

QByteArray TRpMetafile::Bytes() const
{
    QByteArray bytes;
    bytes.reserve(kHeaderSize + records_.size());
    TRpByteWriter out(bytes);
    bytes.append(kMagic, sizeof kMagic);
    out.U16(kVersion);
    out.U16(kHeaderSize);
    out.U32(static_cast<quint32>(kHeaderSize + records_.size()));
    out.I32(width_);
    out.I32(height_);
    out.I32(unitsPerInchX_);
    out.I32(unitsPerInchY_);
    bytes.append(records_);
    return bytes;
}

std::unique_ptr<TRpMetafile> TRpMetafile::FromBytes(const QByteArray& bytes)
{
    TRpByteReader in(bytes);
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return nullptr;
    in.Skip(sizeof kMagic);
    in.U16();   // version: later ones keep this header and add records
    const quint16 headerSize = in.U16();
    const quint32 totalSize = in.U32();
    const qint32 width = in.I32();
    const qint32 height = in.I32();
    const qint32 upiX = in.I32();
    const qint32 upiY = in.I32();
    if (headerSize < kHeaderSize || headerSize > bytes.size() || totalSize != static_cast<quint32>(bytes.size()))
        return nullptr;
    if (width < 1 || width > kSizeLimit || height < 1 || height > kSizeLimit || upiX < 1 ||
        upiX > kResolutionLimit || upiY < 1 || upiY > kResolutionLimit)
        return nullptr;
    auto page = std::make_unique<TRpMetafile>(width, height, upiX, upiY);
    page->records_ = bytes.mid(headerSize);
    if (!PlayRecords(page->records_, nullptr))
        return nullptr;
    return page;
}

bool TRpMetafile::PlayRecords(const QByteArray& records, TRpCanvas* canvas)
{
    TRpByteReader in(records);
    while (in.Remaining() > 0) {
        const quint16 kind = in.U16();
        const quint32 length = in.U32();
        if (in.Failed() || length > in.Remaining())
            return false;
        TRpByteReader payload(records.constData() + in.Position(), length);
        if (!PlayRecord(kind, payload, canvas))
            return false;
        in.Skip(length);
    }
    return true;
}

void TRpMetafile::Play(TRpCanvas& canvas) const
{
    PlayRecords(records_, &canvas);
}

void TRpMetafile::Draw(QPainter& painter, const QRectF& target) const
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / width_, target.height() / height_);
    painter.setClipRect(QRect(0, 0, width_, height_), Qt::IntersectClip);
    TRpPainterCanvas canvas(painter, unitsPerInchY_);
    Play(canvas);
    painter.restore();
}

TRpMetafileCanvas::TRpMetafileCanvas(TRpMetafile& page)
    : page_(page), measureDevice_(1, 1, QImage::Format_ARGB32)
{
}

void TRpMetafileCanvas::Record(quint16 kind, const QByteArray& payload)
{
    TRpByteWriter out(page_.records_);
    out.U16(kind);
    out.U32(static_cast<quint32>(payload.size()));
    page_.records_.append(payload);
}

void TRpMetafileCanvas::RecordRect(quint16 kind, const QRect& rect)
{
    QByteArray payload;
    TRpByteWriter out(payload);
    WriteRect(out, rect);
    Record(kind, payload);
}

void TRpMetafileCanvas::SetFont(const QFont& font, const QColor& color)
{
    font_ = font;
    QByteArray payload;
    TRpByteWriter out(payload);
    out.Text(font.family());
    out.F64(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0);
    out.I32(font.weight());
    out.U8(static_cast<quint8>((font.italic() ? 1 : 0) | (font.underline() ? 2 : 0) | (font.strikeOut() ? 4 : 0)));
    out.U32(color.rgba());
    Record(kFont, payload);
}

void TRpMetafileCanvas::SetPen(const QColor& color, Qt::PenStyle style, int width)
{
    QByteArray payload;
    TRpByteWriter out(payload);
    out.U32(color.rgba());
    out.U8(static_cast<quint8>(style));
    out.I32(width);
    Record(kPen, payload);
}

void TRpMetafileCanvas::SetBrush(const QColor& color, Qt::BrushStyle style)
{
    QByteArray payload;
    TRpByteWriter out(payload);
    out.U32(color.rgba());
    out.U8(static_cast<quint8>(style));
    Record(kBrush, payload);
}

void TRpMetafileCanvas::Rectangle(const QRect& rect)
{
    RecordRect(kRectangle, rect);
}

void TRpMetafileCanvas::Ellipse(const QRect& rect)
{
    RecordRect(kEllipse, rect);
}

void TRpMetafileCanvas::FillRect(const QRect& rect)
{
    RecordRect(kFillRect, rect);
}

void TRpMetafileCanvas::Line(QPoint from, QPoint to)
{
    QByteArray payload;
    TRpByteWriter out(payload);
    out.I32(from.x());
    out.I32(from.y());
    out.I32(to.x());
    out.I32(to.y());
    Record(kLine, payload);
}

void TRpMetafileCanvas::DrawText(QPoint origin, const QString& text, TRpAlignment alignment,
                                 const std::optional<QRect>& clip)
{
    QByteArray payload;
    TRpByteWriter out(payload);
    out.I32(origin.x());
    out.I32(origin.y());
    out.U8(static_cast<quint8>(alignment));
    out.U8(clip ? 1 : 0);
    WriteRect(out, clip.value_or(QRect()));
    out.Text(text);
    Record(kText, payload);
}

QFontMetricsF TRpMetafileCanvas::Metrics() const
{
    return QFontMetricsF(FontForUnits(font_, page_.unitsPerInchY_, measureDevice_), &measureDevice_);
}

int TRpMetafileCanvas::TextWidth(const QString& text)
{
    return static_cast<int>(std::lround(Metrics().horizontalAdvance(text)));
}

int TRpMetafileCanvas::TextHeight(const QString&)
{
    return static_cast<int>(std::lround(Metrics().height()));
}
