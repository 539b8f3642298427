#pragma once
// A flat bar showing a percentage as a used and an unused part, optionally
// with the percentage written in its middle.
#include <QColor>
#include <QFrame>
#include <QString>

// Lengths in pixels of the two parts of a meter L pixels long; a divider
// pixel stands between them when both are there.
struct MeterParts {
    int used = 0;
    int unused = 0;
};
MeterParts SplitMeter(int percent, int length);

class TEfMeter : public QFrame {
    Q_OBJECT
public:
    enum class Border { None, Single };

    explicit TEfMeter(QWidget* parent = nullptr);

    int Percent() const { return percent_; }
    // At most 100; a change repaints.
    void SetPercent(int value);
    // The percentage as text, "33%".
    QString Caption() const { return caption_; }

    Border BorderStyle() const { return border_; }
    void SetBorderStyle(Border value);
    Qt::Orientation Orientation() const { return orientation_; }
    void SetOrientation(Qt::Orientation value);
    bool ShowPercent() const { return showPercent_; }
    void SetShowPercent(bool value);

    QColor DividerColor() const { return dividerColor_; }
    void SetDividerColor(const QColor& value);
    QColor UsedColor() const { return usedColor_; }
    void SetUsedColor(const QColor& value);
    QColor UsedShadow() const { return usedShadow_; }
    void SetUsedShadow(const QColor& value);
    QColor UnusedColor() const { return unusedColor_; }
    void SetUnusedColor(const QColor& value);
    QColor UnusedShadow() const { return unusedShadow_; }
    void SetUnusedShadow(const QColor& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T>
    void Store(T& member, const T& value);
    void PaintHorizontal(QPainter& painter, const QRect& area, bool thick) const;
    void PaintVertical(QPainter& painter, const QRect& area, bool thick) const;

    int percent_ = 33;
    QString caption_ = QStringLiteral("33%");
    Border border_ = Border::None;
    Qt::Orientation orientation_ = Qt::Horizontal;
    bool showPercent_ = false;
    QColor dividerColor_ = Qt::black;
    QColor usedColor_ = QColor(0, 255, 0);
    QColor usedShadow_ = QColor(0, 128, 0);
    QColor unusedColor_;
    QColor unusedShadow_;
};
