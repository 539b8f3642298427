#pragma once
// Bands: the horizontal strips a report lays down its pages, each holding
// printables. Groups and sub-details are bands that carry a data loop's
// header or detail.
#include "rpcontroller.h"
#include "rpprintable.h"

#include <QString>
#include <functional>

class TRpEvaluator;
struct TRpEvResult;

class TRpCustomBand : public TRpBasePanel {
public:
    TRpCustomBand(TReport& report, TRpBandType type);
    ~TRpCustomBand() override;

    TRpBandType BandType() const { return bandType_; }
    void SetBandType(TRpBandType type) { bandType_ = type; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    // Height and width in the report's units; the report sets the width.
    TRpBandSize& Size() { return size_; }
    const TRpBandSize& Size() const { return size_; }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; }
    bool AlignToBottom() const { return alignToBottom_; }
    void SetAlignToBottom(bool align) { alignToBottom_ = align; }
    bool ForceNewPage() const { return forceNewPage_; }
    void SetForceNewPage(bool force) { forceNewPage_ = force; }
    bool ForceNewColumn() const { return forceNewColumn_; }
    void SetForceNewColumn(bool force) { forceNewColumn_ = force; }
    // The band's own font unless ParentFont, which takes the report's.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont) { parentFont_ = parentFont; }

    // True creates a child band right below this one; false frees it.
    bool HasChild() const { return child_ != nullptr; }
    void SetHasChild(bool hasChild);
    TRpCustomBand* ChildBand() const { return child_; }

    // PrintIt may be set false to skip the band.
    std::function<void(TRpCustomBand& band, bool& printIt)> BeforePrint;
    std::function<void(TRpCustomBand& band, bool printed)> AfterPrint;

    double PanelWidth() const override { return size_.Width(); }
    QFont PanelFont() const override;
    TReport& Report() override { return report_; }

    // Draws the band and its printables at the report's current position,
    // moves the position down and prints the child band.
    void Print();
    // Lets the band grow to the given height below its top while it prints
    // (native units); a band that no longer fits its page moves to the next.
    void StretchTo(double height);
    // Where the band's top stands on the page, while it prints (native units).
    double PrintTop() const { return printTop_; }

    void SetWidthForRun(double width) { size_.SetWidth(width); }

private:
    friend class TReport;
    void SetChild(TRpCustomBand* child) { child_ = child; }
    void ComputePrintRect();
    void FillBackground();
    void PrintChild();

    TReport& report_;
    TRpBandType bandType_;
    bool enabled_ = true;
    TRpBandSize size_;
    QColor color_ = Qt::white;
    bool alignToBottom_ = false;
    bool forceNewPage_ = false;
    bool forceNewColumn_ = false;
    QFont font_;
    bool parentFont_ = true;
    TRpCustomBand* child_ = nullptr;
    double stretch_ = 0;
    double printTop_ = 0;
    QRect printRect_;
};

// A standard band: title, page header, detail, page footer, summary, column
// header, group footer.
class TRpBand : public TRpCustomBand {
public:
    using TRpCustomBand::TRpCustomBand;
};

class TRpChildBand : public TRpCustomBand {
public:
    TRpChildBand(TReport& report, TRpCustomBand& parentBand);
    TRpCustomBand& ParentBand() const { return parentBand_; }

private:
    TRpCustomBand& parentBand_;
};

// A band that owns a data loop.
class TRpControllerBand : public TRpCustomBand, public TRpControllerHost {
public:
    TRpControllerBand(TReport& report, TRpBandType type);
    ~TRpControllerBand() override;

    TRpController& Controller() override { return *controller_; }
    TRpControllerHost* Master() const { return controller_->Master(); }
    bool SetMaster(TRpControllerHost* master) { return controller_->SetMaster(master); }

private:
    std::unique_ptr<TRpController> controller_;
};

// A group header band: prints when its expression's value changes, and its
// footer band when the group closes.
class TRpGroup : public TRpCustomBand {
public:
    explicit TRpGroup(TReport& report);
    ~TRpGroup() override;

    const QString& Expression() const { return expression_; }
    void SetExpression(const QString& expression) { expression_ = expression; }
    TRpCustomBand* FooterBand() const { return footerBand_; }
    // The band becomes a group footer.
    void SetFooterBand(TRpCustomBand* band);
    // The report or a controller band whose loop the group belongs to.
    TRpControllerHost* Master() const { return master_; }
    void SetMaster(TRpControllerHost* master) { master_ = master; }

    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }
    void Compile();
    // Evaluates the expression on the current record; true (and Changed)
    // on the first record and whenever the value differs from the last.
    bool Check();
    // Takes the current value as the group's, marking it changed.
    void Restart();
    void Unprepare();

private:
    bool ValueDiffers(const TRpEvResult& value) const;

    QString expression_;
    TRpCustomBand* footerBand_ = nullptr;
    TRpControllerHost* master_;
    std::unique_ptr<TRpEvaluator> evaluator_;
    std::unique_ptr<TRpEvResult> lastValue_;
    bool changed_ = false;
    bool initialized_ = false;
};

// A detail loop over a data set of its own, printed before or after each
// record of its master's loop.
class TRpSubDetail : public TRpControllerBand {
public:
    explicit TRpSubDetail(TReport& report);

    TRpCustomBand* HeaderBand();
    TRpCustomBand* FooterBand();
    // The bands become group header and group footer.
    void SetHeaderBand(TRpCustomBand* band);
    void SetFooterBand(TRpCustomBand* band);
};
