#pragma once
// A two-button control beside an entry field: while a button is held it
// steps the field's value, faster the longer it is held.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>

enum class TSpinOrientation { soVertical, soHorizontal };

// Where the mouse is and which half is held.
enum TSpinState : quint8 { spOutside = 0, spOver = 1, spUp = 2, spDown = 3, spLeft = 4, spRight = 5 };

// Milliseconds until the next step after `repeatCount` steps; 0 = at once.
int SpinRepeatDelay(int acceleration, int repeatCount);
// The state a point of a spinner of the given size stands for.
TSpinState SpinStateAt(const QSize& size, TSpinOrientation orientation, const QPoint& point);

class TEfSpinner : public QWidget {
    Q_OBJECT
public:
    using ClickEvent = std::function<void(TEfSpinner* sender, TSpinState state, double delta)>;

    explicit TEfSpinner(QWidget* parent = nullptr);

    int Acceleration() const { return acceleration_; }
    // 0..10; other values are ignored.
    void SetAcceleration(int value);
    bool AutoRepeat = true;
    double Delta = 1.0;
    bool WrapMode = true;
    bool ShowArrows = true;
    // The control the spinner steps: an entry field, or any control when
    // only OnClick does the work.
    QPointer<QWidget> FocusedControl;
    ClickEvent OnClick;

    bool ForceOddSize() const { return forceOddSize_; }
    void SetForceOddSize(bool value);
    TSpinOrientation Orientation() const { return orientation_; }
    // Swaps width and height.
    void SetOrientation(TSpinOrientation value);

    TSpinState State() const { return state_; }
    bool Pressed() const { return pressed_; }
    // The step a held button makes when it is due.
    void Step();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QRect HalfRect(bool first) const;
    void PaintHalf(QPainter& painter, const QRect& area, bool sunken, TSpinState arrow) const;
    void Follow(const QPoint& point);
    void StopRepeating();

    int acceleration_ = 5;
    bool forceOddSize_ = false;
    TSpinOrientation orientation_ = TSpinOrientation::soVertical;
    TSpinState state_ = spOutside;
    bool pressed_ = false;
    QElapsedTimer clock_;
    qint64 nextRepeat_ = 0;
    int repeatCount_ = 0;
    int repeatTimer_ = 0;
};
