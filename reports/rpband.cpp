#include "rpband.h"

#include "rpevaluator.h"
#include "rpreport.h"

TRpCustomBand::TRpCustomBand(TReport& report, TRpBandType type)
    : report_(report), bandType_(type), size_(&report.Font()), font_(report.Font())
{
    size_.SetUnits(report.Units());
}

TRpCustomBand::~TRpCustomBand() = default;

void TRpCustomBand::SetFont(const QFont& font)
{
    font_ = font;
    parentFont_ = false;
}

QFont TRpCustomBand::PanelFont() const
{
    return parentFont_ ? report_.Font() : font_;
}

void TRpCustomBand::SetHasChild(bool hasChild)
{
    if (hasChild == HasChild())
        return;
    if (hasChild)
        report_.AddChildBand(*this);
    else
        report_.RemoveBand(*child_);
}

void TRpCustomBand::ComputePrintRect()
{
    const TRpPrinter& printer = *report_.RpPrinter();
    const double left = report_.CurrentX();
    printRect_ = QRect(QPoint(printer.XPos(left), printer.YPos(printTop_)),
                       QPoint(printer.XPos(left + size_.Width()) - 1,
                              printer.YPos(printTop_ + size_.Height() + stretch_) - 1));
}

void TRpCustomBand::FillBackground()
{
    if (!report_.DrawPages())
        return;
    TRpCanvas& canvas = report_.RpPrinter()->Canvas();
    canvas.SetBrush(color_, Qt::SolidPattern);
    canvas.FillRect(printRect_);
}

namespace {
// Bands that a forced break may start on a new page or column.
bool MayBreak(TRpBandType type)
{
    return type != TRpBandType::rbTitle && type != TRpBandType::rbPageHeader &&
           type != TRpBandType::rbPageFooter && type != TRpBandType::rbOverlay;
}
}  // namespace

void TRpCustomBand::Print()
{
    bool printIt = enabled_;
    if (printIt && BeforePrint)
        BeforePrint(*this, printIt);
    if (printIt) {
        if (MayBreak(bandType_) && forceNewPage_)
            report_.RequestNewPage();
        else if (MayBreak(bandType_) && forceNewColumn_)
            report_.RequestNewColumn();
        stretch_ = 0;
        printTop_ = report_.CurrentY();
        ComputePrintRect();
        FillBackground();
        for (const auto& printable : Printables()) {
            if (printable->Enabled())
                printable->Print(report_.CurrentX(), printTop_);
        }
        if (report_.DrawPages() && Frame().AnySide()) {
            const TRpPrinter& printer = *report_.RpPrinter();
            Frame().PaintIt(report_.RpPrinter()->Canvas(), printRect_, printer.XFactor(), printer.YFactor());
        }
        report_.MoveDown(size_.Height() + stretch_);
        stretch_ = 0;
    }
    if (AfterPrint)
        AfterPrint(*this, printIt);
    PrintChild();
}

void TRpCustomBand::PrintChild()
{
    if (!child_)
        return;
    if (bandType_ == TRpBandType::rbPageFooter)
        child_->SetBandType(TRpBandType::rbPageFooter);
    report_.MakeSpace(child_);
    report_.PrintBand(child_);
    child_->SetBandType(TRpBandType::rbChild);
}

void TRpCustomBand::StretchTo(double height)
{
    if (height <= size_.Height() + stretch_)
        return;
    const bool mayMove = bandType_ != TRpBandType::rbPageFooter && bandType_ != TRpBandType::rbPageHeader;
    const bool moves = mayMove && RpRound(height) >= report_.AvailableSpace() && !report_.AtColumnTop();
    if (moves) {
        report_.NewColumn();
        printTop_ = report_.CurrentY();
    }
    stretch_ = std::max(height - size_.Height(), 0.0);
    ComputePrintRect();
    // Only a band that moved on is filled again: in place, a fill would
    // paint over what its printables have drawn already.
    if (moves)
        FillBackground();
}

TRpChildBand::TRpChildBand(TReport& report, TRpCustomBand& parentBand)
    : TRpCustomBand(report, TRpBandType::rbChild), parentBand_(parentBand)
{
}

TRpControllerBand::TRpControllerBand(TReport& report, TRpBandType type)
    : TRpCustomBand(report, type), controller_(std::make_unique<TRpController>(this))
{
    controller_->SetMaster(&report);
}

TRpControllerBand::~TRpControllerBand() = default;

TRpGroup::TRpGroup(TReport& report) : TRpCustomBand(report, TRpBandType::rbGroupHeader), master_(&report) {}

TRpGroup::~TRpGroup() = default;

void TRpGroup::SetFooterBand(TRpCustomBand* band)
{
    footerBand_ = band;
    if (band)
        band->SetBandType(TRpBandType::rbGroupFooter);
}

void TRpGroup::Compile()
{
    evaluator_ = std::make_unique<TRpEvaluator>();
    evaluator_->SetDataSets(Report().ReportDataSets());
    evaluator_->Prepare(expression_);
    lastValue_.reset();
    changed_ = false;
    initialized_ = false;
}

void TRpGroup::Unprepare()
{
    evaluator_.reset();
    lastValue_.reset();
}

bool TRpGroup::ValueDiffers(const TRpEvResult& value) const
{
    const TRpEvResult& last = *lastValue_;
    if (value.kind != last.kind)
        return true;
    switch (value.kind) {
    case TRpEvKind::Integer: return value.integer != last.integer;
    case TRpEvKind::Float: return value.number != last.number;
    case TRpEvKind::String: return value.text != last.text;
    case TRpEvKind::Boolean: return value.boolean != last.boolean;
    case TRpEvKind::Error: break;
    }
    return false;
}

bool TRpGroup::Check()
{
    changed_ = false;
    TRpEvResult value = evaluator_->Value();
    if (!initialized_ || ValueDiffers(value)) {
        lastValue_ = std::make_unique<TRpEvResult>(std::move(value));
        changed_ = true;
        initialized_ = true;
    }
    return changed_;
}

void TRpGroup::Restart()
{
    lastValue_ = std::make_unique<TRpEvResult>(evaluator_->Value());
    changed_ = true;
    initialized_ = true;
}

TRpSubDetail::TRpSubDetail(TReport& report) : TRpControllerBand(report, TRpBandType::rbSubDetail)
{
    Controller().SetDetail(this);
}

TRpCustomBand* TRpSubDetail::HeaderBand()
{
    return Controller().Header();
}

TRpCustomBand* TRpSubDetail::FooterBand()
{
    return Controller().Footer();
}

void TRpSubDetail::SetHeaderBand(TRpCustomBand* band)
{
    if (band)
        band->SetBandType(TRpBandType::rbGroupHeader);
    Controller().SetHeader(band);
}

void TRpSubDetail::SetFooterBand(TRpCustomBand* band)
{
    if (band)
        band->SetBandType(TRpBandType::rbGroupFooter);
    Controller().SetFooter(band);
}
