#pragma once
// Report lengths: every length is kept in native units of 0.1 mm and shown
// and set in the unit a report names. Also the size objects, frames and the
// band types.
#include "rpcanvas.h"
#include "rppaper.h"

#include <QFont>
#include <QPageLayout>
#include <functional>

enum class TRpUnit { MM, Inches, Pixels, Characters, Native };

// Inches where the system measures in US units, else millimetres.
TRpUnit PreferredUnit();
int ScreenPixelsPerInch();
// To the nearest whole number, halves to even; clamped to the int range.
int RpRound(double value);

// A report zoom is taken only from 1 to 300 percent.
constexpr bool IsReportZoom(int zoom)
{
    return zoom >= 1 && zoom <= 300;
}

class TRpUnitBase {
public:
    // The report's font sizes the Characters unit.
    explicit TRpUnitBase(const QFont* reportFont = nullptr);

    TRpUnit Units() const { return units_; }
    void SetUnits(TRpUnit units) { units_ = units; }
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom) { zoom_ = zoom; }
    int ScreenPixels() const { return screenPixelsPerInch_; }

    double FromNative(double value, bool horizontal) const;
    double ToNative(double value, bool horizontal) const;

private:
    double CharacterSize(bool horizontal) const;

    int screenPixelsPerInch_;
    const QFont* reportFont_;
    TRpUnit units_;
    int zoom_ = 100;
};

// A band's Size.
class TRpBandSize : public TRpUnitBase {
public:
    using TRpUnitBase::TRpUnitBase;
    double Height() const { return FromNative(height_, false); }
    void SetHeight(double value) { height_ = ToNative(value, false); }
    double Width() const { return FromNative(width_, true); }
    void SetWidth(double value) { width_ = ToNative(value, true); }

private:
    double height_ = 0;
    double width_ = 0;
};

// A printable's Size.
class TRpPrintableSize : public TRpUnitBase {
public:
    using TRpUnitBase::TRpUnitBase;
    double Height() const { return FromNative(height_, false); }
    void SetHeight(double value) { height_ = ToNative(value, false); }
    double Left() const { return FromNative(left_, true); }
    void SetLeft(double value) { left_ = ToNative(value, true); }
    double Top() const { return FromNative(top_, false); }
    void SetTop(double value) { top_ = ToNative(value, false); }
    double Width() const { return FromNative(width_, true); }
    void SetWidth(double value) { width_ = ToNative(value, true); }

private:
    double height_ = 0;
    double left_ = 0;
    double top_ = 0;
    double width_ = 0;
};

// A report's Page. A standard paper size sets the length and width; they
// are set directly only on a custom size.
class TRpPage : public TRpUnitBase {
public:
    explicit TRpPage(const QFont* reportFont = nullptr);

    double BottomMargin() const { return FromNative(bottomMargin_, false); }
    void SetBottomMargin(double value) { SetMargin(bottomMargin_, ToNative(value, false)); }
    double TopMargin() const { return FromNative(topMargin_, false); }
    void SetTopMargin(double value) { SetMargin(topMargin_, ToNative(value, false)); }
    double LeftMargin() const { return FromNative(leftMargin_, true); }
    void SetLeftMargin(double value) { SetMargin(leftMargin_, ToNative(value, true)); }
    double RightMargin() const { return FromNative(rightMargin_, true); }
    void SetRightMargin(double value) { SetMargin(rightMargin_, ToNative(value, true)); }
    double ColumnSpace() const { return FromNative(columnSpace_, true); }
    void SetColumnSpace(double value) { columnSpace_ = ToNative(value, true); }
    double Length() const { return FromNative(length_, false); }
    void SetLength(double value);
    double Width() const { return FromNative(width_, true); }
    void SetWidth(double value);

    int Columns() const { return columns_; }
    void SetColumns(int columns) { columns_ = columns; }
    QPageLayout::Orientation Orientation() const { return orientation_; }
    void SetOrientation(QPageLayout::Orientation orientation);
    TRpPaperSize PaperSize() const { return paperSize_; }
    void SetPaperSize(TRpPaperSize size);
    bool Ruler() const { return ruler_; }
    void SetRuler(bool ruler) { ruler_ = ruler; }

    // Called after a margin changed, so the report can lay its bands again.
    std::function<void()> OnMarginsChanged;

private:
    void SetMargin(double& margin, double value);
    void TakePaperDimensions();

    double bottomMargin_ = 0;
    double length_ = 0;
    double topMargin_ = 0;
    double width_ = 0;
    double leftMargin_ = 0;
    double rightMargin_ = 0;
    double columnSpace_ = 0;
    int columns_ = 1;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    TRpPaperSize paperSize_ = TRpPaperSize::A4;
    bool ruler_ = true;
};

// The border round a band or a printable.
struct TRpFrame {
    QColor color = Qt::black;
    bool drawTop = false;
    bool drawBottom = false;
    bool drawLeft = false;
    bool drawRight = false;
    Qt::PenStyle style = Qt::SolidLine;
    // -1: one pixel whatever the zoom.
    int width = 1;

    bool AnySide() const { return drawTop || drawBottom || drawLeft || drawRight; }
    // Each side as lines of one pixel laid inwards from the edge of the
    // rectangle (device pixels, last row and column included).
    void PaintIt(TRpCanvas& canvas, const QRect& rect, double xFactor, double yFactor) const;
};

enum class TRpBandType {
    rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader, rbGroupFooter, rbSubDetail,
    rbColumnHeader, rbOverlay, rbChild,
};

QString BandTypeTitle(TRpBandType type);
QString BandTypeDesignerName(TRpBandType type);
