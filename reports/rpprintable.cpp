#include "rpprintable.h"

#include "rpreport.h"

TRpBasePanel::~TRpBasePanel() = default;

void TRpBasePanel::SetPanelZoom(int zoom)
{
    zoom_ = zoom;
    for (const auto& printable : printables_)
        printable->Size().SetZoom(zoom);
}

TRpPrintable::TRpPrintable(TRpBasePanel& parent) : parent_(parent), size_(&parent.Report().Font())
{
    size_.SetUnits(parent.Report().Units());
    size_.SetZoom(parent.Zoom());
}

void TRpPrintable::MoveTo(double left, double top)
{
    size_.SetLeft(left);
    size_.SetTop(top);
}

void TRpPrintable::AlignIt()
{
    if (!alignToBand_)
        return;
    const double parentWidth = parent_.PanelWidth();
    switch (alignment_) {
    case TRpAlignment::Left: size_.SetLeft(0); break;
    case TRpAlignment::Right: size_.SetLeft(parentWidth - size_.Width()); break;
    case TRpAlignment::Center: size_.SetLeft((parentWidth - size_.Width()) / 2); break;
    }
}

void TRpPrintable::Prepare()
{
    isPrinting_ = true;
    AlignIt();
}

void TRpPrintable::Unprepare()
{
    isPrinting_ = false;
}

QRect TRpPrintable::DeviceRect(double ofsX, double ofsY) const
{
    const TRpPrinter& printer = *ParentReport().RpPrinter();
    const double left = ofsX + size_.Left();
    const double top = ofsY + size_.Top();
    return QRect(QPoint(printer.XPos(left), printer.YPos(top)),
                 QPoint(printer.XPos(left + size_.Width()) - 1, printer.YPos(top + size_.Height()) - 1));
}

void TRpPrintable::Print(double ofsX, double ofsY)
{
    TReport& report = ParentReport();
    if (!report.DrawPages() || !frame_.AnySide())
        return;
    TRpPrinter& printer = *report.RpPrinter();
    frame_.PaintIt(printer.Canvas(), DeviceRect(ofsX, ofsY), printer.XFactor(), printer.YFactor());
}

TRpShape::TRpShape(TRpBasePanel& parent) : TRpPrintable(parent)
{
    const double side = 65 * 254.0 / ScreenPixelsPerInch();   // 65 screen pixels
    Size().SetWidth(Size().FromNative(side, true));
    Size().SetHeight(Size().FromNative(side, false));
}

void TRpShape::Print(double ofsX, double ofsY)
{
    TReport& report = ParentReport();
    if (!report.DrawPages())
        return;
    TRpPrinter& printer = *report.RpPrinter();
    TRpCanvas& canvas = printer.Canvas();
    canvas.SetPen(pen_.color(), pen_.style(), pen_.width());
    canvas.SetBrush(brush_.color(), brush_.style());
    const QRect r = DeviceRect(ofsX, ofsY);
    switch (shape_) {
    case TRpShapeType::rpsRectangle: canvas.Rectangle(r); break;
    case TRpShapeType::rpsCircle: canvas.Ellipse(r); break;
    case TRpShapeType::rpsVertLine: {
        const int midX = printer.XPos(ofsX + Size().Left() + Size().Width() * 0.5);
        canvas.Line(QPoint(midX, r.top()), QPoint(midX, r.bottom()));
        break;
    }
    case TRpShapeType::rpsHorLine: {
        const int midY = printer.YPos(ofsY + Size().Top() + Size().Height() * 0.5);
        canvas.Line(QPoint(r.left(), midY), QPoint(r.right(), midY));
        break;
    }
    case TRpShapeType::rpsTopAndBottom:
        canvas.Line(r.topLeft(), r.topRight());
        canvas.Line(r.bottomLeft(), r.bottomRight());
        break;
    case TRpShapeType::rpsRightAndLeft:
        canvas.Line(r.topLeft(), r.bottomLeft());
        canvas.Line(r.topRight(), r.bottomRight());
        break;
    }
}
