#pragma once
// Printable text: fixed labels, data fields, expressions and system data.
// Each splits its caption into lines (wrapping them to its width when asked),
// draws them on the page and hands them to an export filter.
#include "rpprintable.h"

#include <QStringList>
#include <functional>

class TDataSet;
class TField;
class TRpController;
class TRpControllerHost;
class TRpEvaluator;
class TRpTextMeter;

class TRpCustomLabel : public TRpPrintable {
public:
    explicit TRpCustomLabel(TRpBasePanel& parent);
    ~TRpCustomLabel() override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool AutoStretch() const { return autoStretch_; }
    void SetAutoStretch(bool autoStretch) { autoStretch_ = autoStretch; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; }
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color) { fontColor_ = color; }
    // The label's own font unless ParentFont, which takes its panel's.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont) { parentFont_ = parentFont; }
    QFont EffectiveFont() const;

    // May change the text of this print only.
    std::function<void(TRpCustomLabel& label, QString& value)> OnPrint;

    const QString& CaptionText() const { return caption_; }

    virtual void FormatLines();
    void Prepare() override;
    void Print(double ofsX, double ofsY) override;

protected:
    void StoreCaption(const QString& caption);
    // The lines as they are, for a caption that already holds them.
    void StoreLines(const QStringList& lines);
    void PrintLabel(double ofsX, double ofsY);

private:
    QStringList WrapLine(const QString& line, double width, const TRpTextMeter& meter) const;
    void ApplyAutoSize(const TRpTextMeter& meter);
    void FillBackground(double ofsX, double ofsY);
    void DrawLines(double ofsX, double ofsY);
    void ExportLine(const QString& line, double x, double y, const TRpTextMeter& meter);
    double FrameWidth() const;

    QString caption_;
    QStringList lines_;
    QStringList formattedLines_;
    bool autoSize_ = false;
    bool autoStretch_ = false;
    bool wordWrap_ = false;
    QColor color_ = Qt::white;
    QColor fontColor_ = Qt::black;
    QFont font_;
    bool parentFont_ = true;
    bool sizing_ = false;
};

class TRpLabel : public TRpCustomLabel {
public:
    using TRpCustomLabel::TRpCustomLabel;
    const QString& Caption() const { return CaptionText(); }
    // The text the next run prints.
    void SetCaption(const QString& caption);
};

class TRpDBText : public TRpCustomLabel {
public:
    using TRpCustomLabel::TRpCustomLabel;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }
    const QString& DataField() const { return dataField_; }
    void SetDataField(const QString& field) { dataField_ = field; }
    // A number mask for numeric fields, a date-time picture for dates.
    const QString& Mask() const { return mask_; }
    void SetMask(const QString& mask) { mask_ = mask; }

    void Prepare() override;
    void Print(double ofsX, double ofsY) override;
    void Unprepare() override;

private:
    TDataSet* dataSet_ = nullptr;
    QString dataField_;
    QString mask_;
    TField* field_ = nullptr;
};

class TRpExpr : public TRpCustomLabel {
public:
    explicit TRpExpr(TRpBasePanel& parent);
    ~TRpExpr() override;

    const QString& Expression() const { return expression_; }
    void SetExpression(const QString& expression);
    const QString& Mask() const { return mask_; }
    void SetMask(const QString& mask) { mask_ = mask; }
    // The loop whose records the totals take in: the report, or a
    // sub-detail; none means the report's when the expression totals.
    TRpControllerHost* Master() const { return master_; }
    void SetMaster(TRpControllerHost* master) { master_ = master; }
    bool ResetAfterPrint() const { return resetAfterPrint_; }
    void SetResetAfterPrint(bool reset) { resetAfterPrint_ = reset; }

    void Prepare() override;
    void Notify() override;
    void Print(double ofsX, double ofsY) override;
    void Unprepare() override;

private:
    void ShowExpression();
    TRpController* NotifyingController();

    QString expression_;
    QString mask_;
    TRpControllerHost* master_ = nullptr;
    bool resetAfterPrint_ = false;
    std::unique_ptr<TRpEvaluator> evaluator_;
};

enum class TRpSysDataType {
    rpsTime, rpsDate, rpsDateTime, rpsPageNumber, rpsReportTitle, rpsDetailCount, rpsDetailNo,
};

class TRpSysData : public TRpCustomLabel {
public:
    explicit TRpSysData(TRpBasePanel& parent);

    TRpSysDataType Data() const { return data_; }
    void SetData(TRpSysDataType data);
    // Printed before the value.
    const QString& Text() const { return text_; }
    void SetText(const QString& text);

    void Print(double ofsX, double ofsY) override;
    void Unprepare() override;

private:
    void ShowKind();
    QString Value();

    TRpSysDataType data_ = TRpSysDataType::rpsTime;
    QString text_;
};
