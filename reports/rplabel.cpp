#include "rplabel.h"

#include "rpevaluator.h"
#include "rpexport.h"
#include "rpformat.h"
#include "rpreport.h"

#include "platform/dataset.h"
#include "platform/formatsettings.h"

#include <QImage>
#include <QRegularExpression>

// Text sizes in the output's device units, as the page canvases measure them.
class TRpTextMeter {
public:
    TRpTextMeter(const QFont& font, double unitsPerInch)
        : metrics_(FontForUnits(font, unitsPerInch, Device()), &Device())
    {
    }
    double Width(const QString& text) const { return metrics_.horizontalAdvance(text); }
    double LineHeight() const { return metrics_.height(); }

private:
    static QImage& Device()
    {
        static QImage device(1, 1, QImage::Format_ARGB32);
        return device;
    }
    QFontMetricsF metrics_;
};

namespace {
QStringList SplitCaption(const QString& caption)
{
    if (caption.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = caption.split(lineBreak);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();   // a closing line break starts no line
    return lines;
}

// The longest start of the word that fits, one character at least.
qsizetype FittingPrefix(const QString& word, double width, const TRpTextMeter& meter)
{
    qsizetype n = 1;
    while (n < word.size() && meter.Width(word.left(n + 1)) <= width)
        ++n;
    return n;
}

// A field's text by its display mask: number masks for numbers, date-time
// pictures for dates; text and other fields as they display.
QString MaskedFieldText(const TField& field, const QString& mask)
{
    if (mask.isEmpty() || field.IsNull())
        return field.AsString();
    switch (field.DataType()) {
    case TFieldType::Integer:
    case TFieldType::SmallInt: return FormatFloat(mask, field.AsInteger());
    case TFieldType::Float: return FormatFloat(mask, field.AsFloat());
    case TFieldType::Date: return FormatDateTime(mask, field.AsDateTime());
    default: return field.AsString();
    }
}
}  // namespace

// ---- Label kinds --------------------------------------------------------

TRpCustomLabel::TRpCustomLabel(TRpBasePanel& parent) : TRpPrintable(parent), font_(parent.PanelFont()) {}

TRpCustomLabel::~TRpCustomLabel() = default;

void TRpCustomLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    FormatLines();
}

void TRpCustomLabel::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    FormatLines();
}

void TRpCustomLabel::SetFont(const QFont& font)
{
    font_ = font;
    parentFont_ = false;
    FormatLines();
}

QFont TRpCustomLabel::EffectiveFont() const
{
    return parentFont_ ? Parent().PanelFont() : font_;
}

void TRpCustomLabel::StoreCaption(const QString& caption)
{
    caption_ = caption;
    FormatLines();
}

void TRpCustomLabel::StoreLines(const QStringList& lines)
{
    caption_ = lines.join(QLatin1Char('\n'));
    FormatLines();
}

// The frame's line width in device units, as the frame draws it.
double TRpCustomLabel::FrameWidth() const
{
    const TRpFrame& frame = Frame();
    if (frame.width == -1)
        return 1;
    const double factor = ParentReport().UnitsPerInch() / 254;
    return frame.width > 0 ? std::max(RpRound(frame.width * factor), 1) : 0;
}

QStringList TRpCustomLabel::WrapLine(const QString& line, double width, const TRpTextMeter& meter) const
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {QString()};
    QStringList out;
    QString current;
    for (QString word : words) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (meter.Width(joined) <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            out.append(current);
        while (word.size() > 1 && meter.Width(word) > width) {
            const qsizetype n = FittingPrefix(word, width, meter);
            out.append(word.left(n));
            word = word.mid(n);
        }
        current = word;
    }
    out.append(current);
    return out;
}

void TRpCustomLabel::ApplyAutoSize(const TRpTextMeter& meter)
{
    sizing_ = true;
    const double nativePerDevice = 254 / ParentReport().UnitsPerInch();
    double widest = 0;
    for (const QString& line : formattedLines_)
        widest = std::max(widest, meter.Width(line));
    if (Frame().drawLeft)
        widest += FrameWidth();
    if (Frame().drawRight)
        widest += FrameWidth();
    Size().SetWidth(Size().FromNative(widest * nativePerDevice, true));
    if (formattedLines_.isEmpty())
        Size().SetHeight(Size().FromNative(meter.LineHeight() * nativePerDevice, false));
    sizing_ = false;
}

void TRpCustomLabel::FormatLines()
{
    lines_ = SplitCaption(caption_);
    const double unitsPerInch = ParentReport().UnitsPerInch();
    const TRpTextMeter meter(EffectiveFont(), unitsPerInch);
    if (!autoSize_ && wordWrap_) {
        const double width = Size().ToNative(Size().Width(), true) * unitsPerInch / 254;
        formattedLines_.clear();
        for (const QString& line : lines_)
            formattedLines_.append(WrapLine(line, width, meter));
    } else {
        formattedLines_ = lines_;
    }
    if (autoSize_ && !sizing_)
        ApplyAutoSize(meter);
    if (!autoSize_) {
        const double lineHeight = meter.LineHeight() * 254 / unitsPerInch + 1;
        if (Size().ToNative(Size().Height(), false) < lineHeight)
            Size().SetHeight(Size().FromNative(lineHeight, false));
    }
}

void TRpCustomLabel::Prepare()
{
    TRpPrintable::Prepare();
    FormatLines();
}

void TRpCustomLabel::Print(double ofsX, double ofsY)
{
    if (!OnPrint || caption_.isEmpty()) {
        PrintLabel(ofsX, ofsY);
        return;
    }
    QString value = caption_;
    OnPrint(*this, value);
    if (value == caption_) {
        PrintLabel(ofsX, ofsY);
        return;
    }
    const QString own = caption_;
    StoreCaption(value);
    PrintLabel(ofsX, ofsY);
    StoreCaption(own);
}

void TRpCustomLabel::PrintLabel(double ofsX, double ofsY)
{
    FillBackground(ofsX, ofsY);
    DrawLines(ofsX, ofsY);
    TRpPrintable::Print(ofsX, ofsY);
}

void TRpCustomLabel::FillBackground(double ofsX, double ofsY)
{
    TReport& report = ParentReport();
    if (!report.DrawPages() || Transparent())
        return;
    TRpCanvas& canvas = report.RpPrinter()->Canvas();
    canvas.SetBrush(color_, Qt::SolidPattern);
    canvas.FillRect(DeviceRect(ofsX, ofsY));
}

// Lines below the band let an auto-stretching label grow the band, which may
// move to the next page; the lines left then continue from the label's top there.
void TRpCustomLabel::DrawLines(double ofsX, double ofsY)
{
    TReport& report = ParentReport();
    TRpPrinter& printer = *report.RpPrinter();
    auto* band = dynamic_cast<TRpCustomBand*>(&Parent());
    const TRpTextMeter meter(EffectiveFont(), report.UnitsPerInch());
    const double lineHeight = meter.LineHeight() / printer.YFactor();   // native
    const double frameLeft = Frame().drawLeft ? FrameWidth() / printer.XFactor() : 0;
    const double frameTop = Frame().drawTop ? FrameWidth() / printer.YFactor() : 0;
    const double frameRight = Frame().drawRight ? FrameWidth() / printer.XFactor() : 0;
    const QFont font = EffectiveFont();
    if (report.DrawPages())
        printer.Canvas().SetFont(font, fontColor_);

    int firstOnPage = 0;
    for (int i = 0; i < formattedLines_.size(); ++i) {
        const QString& line = formattedLines_[i];
        double top = ofsY + Size().Top() + frameTop + (i - firstOnPage) * lineHeight;
        if (autoStretch_ && band) {
            const double bandTop = band->PrintTop();
            band->StretchTo(top + lineHeight - bandTop);
            if (band->PrintTop() != bandTop) {
                ofsY = band->PrintTop();
                firstOnPage = i;
                top = ofsY + Size().Top() + frameTop;
                FillBackground(ofsX, ofsY);
                if (report.DrawPages())
                    printer.Canvas().SetFont(font, fontColor_);
            }
        }
        const double left = ofsX + Size().Left();
        double x = left + frameLeft;
        if (Alignment() == TRpAlignment::Right)
            x = left + Size().Width() - frameRight;
        else if (Alignment() == TRpAlignment::Center)
            x = left + Size().Width() / 2;
        if (report.DrawPages() && !line.isEmpty()) {
            QRect clip = DeviceRect(ofsX, ofsY);
            if (autoStretch_)
                clip.setBottom(std::max(clip.bottom(), printer.YPos(top + lineHeight)));
            printer.Canvas().TextRect(clip, printer.XPos(x), printer.YPos(top), line, Alignment());
        }
        if (report.Exporting())
            ExportLine(line, x, top, meter);
    }
}

void TRpCustomLabel::ExportLine(const QString& line, double x, double y, const TRpTextMeter& meter)
{
    TReport& report = ParentReport();
    if (Alignment() == TRpAlignment::Center)
        x -= meter.Width(line) / report.RpPrinter()->XFactor() / 2;   // the filter takes the left edge
    report.ExportFilter()->TextOut(x, y, EffectiveFont(), color_, Alignment(), line);
}

void TRpLabel::SetCaption(const QString& caption)
{
    StoreCaption(caption);
}

// ---- Data field ---------------------------------------------------------

void TRpDBText::Prepare()
{
    field_ = dataSet_ ? dataSet_->FindField(dataField_) : nullptr;
    if (field_ && field_->DataType() == TFieldType::Memo)
        StoreCaption(QString());
    TRpCustomLabel::Prepare();
}

void TRpDBText::Unprepare()
{
    field_ = nullptr;
    TRpCustomLabel::Unprepare();
}

void TRpDBText::Print(double ofsX, double ofsY)
{
    if (!field_ || !dataSet_->Active())
        StoreCaption(QString());
    else if (field_->DataType() == TFieldType::Memo)
        StoreLines(field_->AsLines());
    else
        StoreCaption(MaskedFieldText(*field_, mask_));
    TRpCustomLabel::Print(ofsX, ofsY);
}

// ---- Expression ---------------------------------------------------------

TRpExpr::TRpExpr(TRpBasePanel& parent) : TRpCustomLabel(parent)
{
    ShowExpression();
}

TRpExpr::~TRpExpr() = default;

void TRpExpr::SetExpression(const QString& expression)
{
    expression_ = expression;
    if (!IsPrinting())
        ShowExpression();
}

void TRpExpr::ShowExpression()
{
    StoreCaption(expression_.isEmpty() ? QStringLiteral("(") + QStringLiteral("none") + QStringLiteral(")")
                                       : expression_);
}

TRpController* TRpExpr::NotifyingController()
{
    if (master_)
        return &master_->Controller();
    return evaluator_->IsAggreg() ? &ParentReport().Controller() : nullptr;
}

void TRpExpr::Prepare()
{
    TRpCustomLabel::Prepare();
    evaluator_ = std::make_unique<TRpEvaluator>();
    evaluator_->SetDataSets(ParentReport().ReportDataSets());
    evaluator_->Prepare(expression_);
    if (TRpController* controller = NotifyingController())
        controller->AddNotifyClient(*this);
    evaluator_->Reset();
}

void TRpExpr::Notify()
{
    evaluator_->SetAggregate(true);
    evaluator_->Value();
    evaluator_->SetAggregate(false);
}

void TRpExpr::Print(double ofsX, double ofsY)
{
    const TRpEvResult value = evaluator_->Value();
    switch (value.kind) {
    case TRpEvKind::Integer:
    case TRpEvKind::Float: StoreCaption(FormatFloat(mask_, value.AsDouble())); break;
    case TRpEvKind::String: StoreCaption(value.text); break;
    case TRpEvKind::Boolean: StoreCaption(value.boolean ? QStringLiteral("True") : QStringLiteral("False")); break;
    case TRpEvKind::Error: StoreCaption(expression_); break;
    }
    TRpCustomLabel::Print(ofsX, ofsY);
    if (resetAfterPrint_)
        evaluator_->Reset();
}

void TRpExpr::Unprepare()
{
    TRpCustomLabel::Unprepare();
    evaluator_.reset();
    ShowExpression();
}

// ---- System data --------------------------------------------------------

TRpSysData::TRpSysData(TRpBasePanel& parent) : TRpCustomLabel(parent)
{
    ShowKind();
}

void TRpSysData::SetData(TRpSysDataType data)
{
    data_ = data;
    if (!IsPrinting())
        ShowKind();
}

void TRpSysData::SetText(const QString& text)
{
    text_ = text;
    if (!IsPrinting())
        ShowKind();
}

void TRpSysData::ShowKind()
{
    static const char* const kNames[] = {"Time", "Date", "Date/Time", "Page#", "Report title", "Detail count",
                                         "Detail no"};
    StoreCaption(text_ + QLatin1Char('(') + QLatin1String(kNames[static_cast<int>(data_)]) + QLatin1Char(')'));
}

QString TRpSysData::Value()
{
    TReport& report = ParentReport();
    switch (data_) {
    case TRpSysDataType::rpsTime: return FormatDateTime(QStringLiteral("t"), Time());
    case TRpSysDataType::rpsDate: return FormatDateTime(QStringLiteral("c"), Date());
    case TRpSysDataType::rpsDateTime: return FormatDateTime(QStringLiteral("c"), Now());
    case TRpSysDataType::rpsPageNumber: return QString::number(report.PageNumber());
    case TRpSysDataType::rpsReportTitle: return report.ReportTitle();
    case TRpSysDataType::rpsDetailCount: return QString::number(report.RecordCount());
    case TRpSysDataType::rpsDetailNo: return QString::number(report.Controller().DetailNumber());
    }
    return {};
}

void TRpSysData::Print(double ofsX, double ofsY)
{
    StoreCaption(text_ + Value());
    TRpCustomLabel::Print(ofsX, ofsY);
}

void TRpSysData::Unprepare()
{
    TRpCustomLabel::Unprepare();
    ShowKind();
}
