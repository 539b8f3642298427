#include "rpunits.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <climits>
#include <cmath>

TRpUnit PreferredUnit()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? TRpUnit::Inches : TRpUnit::MM;
}

int ScreenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? RpRound(screen->logicalDotsPerInchY()) : 96;
}

int RpRound(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);   // the default mode rounds halves to even
    if (rounded >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (rounded <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(rounded);
}

TRpUnitBase::TRpUnitBase(const QFont* reportFont)
    : screenPixelsPerInch_(ScreenPixelsPerInch()), reportFont_(reportFont), units_(PreferredUnit())
{
}

// Native units per character: a character is 1/80 of a line of text at one
// point across, 1/145.3 down.
double TRpUnitBase::CharacterSize(bool horizontal) const
{
    const QFont font = reportFont_ ? *reportFont_ : QFont();
    const double points = std::abs(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0);
    return (horizontal ? 80.0 : 145.3) / points / 2.54;
}

double TRpUnitBase::FromNative(double value, bool horizontal) const
{
    switch (units_) {
    case TRpUnit::MM: return value * 0.1;
    case TRpUnit::Inches: return value / 254;
    case TRpUnit::Pixels: return value * screenPixelsPerInch_ / 254 * zoom_ / 100;
    case TRpUnit::Characters: return value / CharacterSize(horizontal) * 0.1;
    case TRpUnit::Native: break;
    }
    return value;
}

double TRpUnitBase::ToNative(double value, bool horizontal) const
{
    switch (units_) {
    case TRpUnit::MM: return value * 10;
    case TRpUnit::Inches: return value * 254;
    case TRpUnit::Pixels: return value * (254.0 / screenPixelsPerInch_) / zoom_ * 100;
    case TRpUnit::Characters: return value * CharacterSize(horizontal) * 10;
    case TRpUnit::Native: break;
    }
    return value;
}

TRpPage::TRpPage(const QFont* reportFont) : TRpUnitBase(reportFont)
{
    TakePaperDimensions();
}

void TRpPage::SetMargin(double& margin, double value)
{
    margin = value;
    if (OnMarginsChanged)
        OnMarginsChanged();
}

void TRpPage::SetLength(double value)
{
    if (paperSize_ == TRpPaperSize::Custom)
        length_ = ToNative(value, false);
}

void TRpPage::SetWidth(double value)
{
    if (paperSize_ == TRpPaperSize::Custom)
        width_ = ToNative(value, true);
}

void TRpPage::SetOrientation(QPageLayout::Orientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    std::swap(length_, width_);
}

void TRpPage::SetPaperSize(TRpPaperSize size)
{
    paperSize_ = size;
    TakePaperDimensions();
}

void TRpPage::TakePaperDimensions()
{
    if (!IsStandardPaper(paperSize_))
        return;
    const TRpPaperInfo& paper = PaperInfo(paperSize_);
    const bool portrait = orientation_ == QPageLayout::Portrait;
    width_ = (portrait ? paper.widthMM : paper.lengthMM) * 10;
    length_ = (portrait ? paper.lengthMM : paper.widthMM) * 10;
}

void TRpFrame::PaintIt(TRpCanvas& canvas, const QRect& rect, double xFactor, double yFactor) const
{
    const auto lineCount = [this](double factor) {
        if (width == -1)
            return 1;
        return width > 0 ? std::max(RpRound(width * factor), 1) : 0;
    };
    const int across = lineCount(xFactor);
    const int down = lineCount(yFactor);
    canvas.SetPen(color, style, 1);
    for (int i = 0; i < down; ++i) {
        if (drawTop)
            canvas.Line(QPoint(rect.left(), rect.top() + i), QPoint(rect.right(), rect.top() + i));
        if (drawBottom)
            canvas.Line(QPoint(rect.left(), rect.bottom() - i), QPoint(rect.right(), rect.bottom() - i));
    }
    for (int i = 0; i < across; ++i) {
        if (drawLeft)
            canvas.Line(QPoint(rect.left() + i, rect.top()), QPoint(rect.left() + i, rect.bottom()));
        if (drawRight)
            canvas.Line(QPoint(rect.right() - i, rect.top()), QPoint(rect.right() - i, rect.bottom()));
    }
}

namespace {
struct BandTypeNames {
    const char* title;
    const char* designerName;
};
const BandTypeNames kBandTypeNames[] = {
    {"Title", "TitleBand"},
    {"Page Header", "PageHeaderBand"},
    {"Detail", "DetailBand"},
    {"Page Footer", "PageFooterBand"},
    {"Summary", "SummaryBand"},
    {"Group Header", "GroupHeaderBand"},
    {"Group Footer", "GroupFooterBand"},
    {"Sub Detail", "SubDetailBand"},
    {"Column Header", "ColumnHeaderBand"},
    {"Overlay", "OverlayBand"},
    {"Child", "ChildBand"},
};
}  // namespace

QString BandTypeTitle(TRpBandType type)
{
    return QString::fromLatin1(kBandTypeNames[static_cast<int>(type)].title);
}

QString BandTypeDesignerName(TRpBandType type)
{
    return QString::fromLatin1(kBandTypeNames[static_cast<int>(type)].designerName);
}
