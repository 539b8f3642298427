#pragma once
// What prints on a report page: panels (the report and its bands) hold
// printable controls, which draw themselves when their panel prints and hand
// their text to an export filter when the report is exported.
#include "rpunits.h"

#include <QBrush>
#include <QPen>
#include <memory>
#include <vector>

class TReport;
class TRpPrintable;

// The report and its bands: a frame, a zoom, and the printables placed on it.
class TRpBasePanel {
public:
    TRpBasePanel() = default;
    virtual ~TRpBasePanel();
    TRpBasePanel(const TRpBasePanel&) = delete;
    TRpBasePanel& operator=(const TRpBasePanel&) = delete;

    TRpFrame& Frame() { return frame_; }
    const TRpFrame& Frame() const { return frame_; }
    int Zoom() const { return zoom_; }

    // Places a printable of kind T on the panel; the panel owns it.
    template <class T>
    T& Add()
    {
        auto printable = std::make_unique<T>(*this);
        T& placed = *printable;
        printables_.push_back(std::move(printable));
        return placed;
    }
    const std::vector<std::unique_ptr<TRpPrintable>>& Printables() const { return printables_; }

    // In the report's units.
    virtual double PanelWidth() const = 0;
    virtual QFont PanelFont() const = 0;
    virtual TReport& Report() = 0;

    // Passed on to the printables' sizes.
    void SetPanelZoom(int zoom);

private:
    TRpFrame frame_;
    int zoom_ = 100;
    std::vector<std::unique_ptr<TRpPrintable>> printables_;
};

enum class TRpShapeType { rpsRectangle, rpsCircle, rpsVertLine, rpsHorLine, rpsTopAndBottom, rpsRightAndLeft };

class TRpPrintable {
public:
    explicit TRpPrintable(TRpBasePanel& parent);
    virtual ~TRpPrintable() = default;
    TRpPrintable(const TRpPrintable&) = delete;
    TRpPrintable& operator=(const TRpPrintable&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TRpFrame& Frame() { return frame_; }
    const TRpFrame& Frame() const { return frame_; }
    // In the report's units.
    TRpPrintableSize& Size() { return size_; }
    const TRpPrintableSize& Size() const { return size_; }
    // Moves the control within its panel, in the report's units.
    void MoveTo(double left, double top);

    bool AlignToBand() const { return alignToBand_; }
    void SetAlignToBand(bool align) { alignToBand_ = align; }
    TRpAlignment Alignment() const { return alignment_; }
    void SetAlignment(TRpAlignment alignment) { alignment_ = alignment; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    bool IsPrinting() const { return isPrinting_; }

    // The panel and report are not part of the control's own state.
    TRpBasePanel& Parent() const { return parent_; }
    TReport& ParentReport() const { return parent_.Report(); }

    // With AlignToBand, takes the position the alignment gives within the panel.
    virtual void AlignIt();
    virtual void Prepare();
    // Draws at the panel's offset on the page (native units).
    virtual void Print(double ofsX, double ofsY);
    // Told once per detail record of the loop it registered with.
    virtual void Notify() {}
    virtual void Unprepare();

protected:
    // The control's rectangle on the page, in device pixels.
    QRect DeviceRect(double ofsX, double ofsY) const;

private:
    TRpBasePanel& parent_;
    bool enabled_ = true;
    TRpFrame frame_;
    TRpPrintableSize size_;
    bool alignToBand_ = false;
    TRpAlignment alignment_ = TRpAlignment::Left;
    bool transparent_ = false;
    bool isPrinting_ = false;
};

class TRpShape : public TRpPrintable {
public:
    explicit TRpShape(TRpBasePanel& parent);

    TRpShapeType Shape() const { return shape_; }
    void SetShape(TRpShapeType shape) { shape_ = shape; }
    QPen& Pen() { return pen_; }
    QBrush& Brush() { return brush_; }

    void Print(double ofsX, double ofsY) override;

private:
    TRpShapeType shape_ = TRpShapeType::rpsRectangle;
    QPen pen_{Qt::black};
    QBrush brush_{Qt::white};
};
