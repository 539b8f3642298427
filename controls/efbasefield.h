#pragma once
// The one-line edit engine under every entry field. TEfFieldCore holds the
// edit string, caret, selection, options, validation and value transfer and
// runs without a display; TEfBaseEntryField is the thin widget around it that
// paints, takes keys, mouse and focus, and reports errors on the form.
#include "efcontroller.h"
#include "platform/datetime.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

enum TEfDataType : quint8 {
    dtString, dtChar, dtBoolean, dtYesNo, dtLongInt, dtWord, dtInteger, dtByte, dtShortInt,
    dtReal, dtExtended, dtDouble, dtSingle, dtComp, dtDate, dtTime,
};

// Which kind of field lays out the text: the high bits of the type code.
enum class TEfFamily : quint8 { Simple = 0, Picture = 1, Numeric = 2 };

enum class TZeroDisplay { zdShow, zdHide, zdHideUntilModified };

bool IsIntegerType(TEfDataType type);  // long integer .. short integer
bool IsRealType(TEfDataType type);     // six-byte real .. comp
inline bool IsNumberType(TEfDataType type) { return IsIntegerType(type) || IsRealType(type); }
// The values a data type holds; the extended type is held as a double.
double TypeLow(TEfDataType type);
double TypeHigh(TEfDataType type);
// The message of a range that does not suit the data type.
QString RangeErrorText(TEfDataType type, const QString& mask);

// Commands of the field itself, beyond those of the key tables.
constexpr quint16 ccChar = 249;         // a typed character
constexpr quint16 ccMouseCaret = 250;   // caret to the mouse
constexpr quint16 ccMouseExtend = 251;  // selection to the mouse
constexpr quint16 ccDblClick = 253;     // select the word at the mouse
constexpr quint16 ccFirstUser = 256;

struct TEfEditInput {
    quint16 command = ccNone;
    QChar ch;           // ccChar
    QString text;       // ccPaste
    int position = -1;  // mouse commands: the character position
    bool shift = false; // ccMouseCaret: extend the selection
};

// Whether a mask character accepts a character; first changes its case as
// the mask character asks (prev is the character before the caret).
bool EfMaskAccepts(QChar mask, QChar& c, QChar prev);
// The character in the case the mask character asks for.
QChar EfCaseRule(QChar mask, QChar c, QChar prev);

// A field's value in transfer: texts and characters as text, everything else
// (integers, reals, flags, day numbers, seconds) as a number.
struct TEfValue {
    QString text;
    double number = 0.0;
};

// Where the focus goes when a field loses it.
enum class TEfLeaveTarget { OtherWindow, FormControl, ExemptButton };

struct TEfLeaveOutcome {
    quint16 error = 0;
    bool refocus = false;  // take the focus back
    bool report = false;   // report the error (none was in progress)
};

class TEfFieldCore {
public:
    explicit TEfFieldCore(TEfController* controller);
    virtual ~TEfFieldCore() = default;
    TEfFieldCore(const TEfFieldCore&) = delete;
    TEfFieldCore& operator=(const TEfFieldCore&) = delete;

    TEfController* Controller() const { return controller_.data(); }
    // What the events name as their sender: the field's widget.
    QObject* Sender = nullptr;

    bool AutoAdvanceChar = false;
    bool AutoAdvanceLeftRight = false;
    bool AutoAdvanceUpDown = false;
    bool AutoSelect = true;
    bool BeepOnError = true;
    bool InputRequired = false;
    QChar PadChar = QLatin1Char(' ');
    QChar PasswordChar = QLatin1Char('*');
    bool PasswordMode = false;
    bool ReadOnly = false;
    bool SoftValidation = false;
    int DecimalPlaces = 0;
    TZeroDisplay ZeroDisplay = TZeroDisplay::zdShow;
    double ZeroDisplayValue = 0.0;

    std::function<void()> OnChange;
    TEfController::ErrorEvent OnError;
    std::function<void(QObject* sender, quint16 command)> OnUserCommand;
    // May change the code found.
    std::function<void(QObject* sender, quint16& code)> OnUserValidation;
    // Set by the widget: the focus to the next (true) or previous control.
    std::function<void(bool next)> OnAdvance;
    std::function<void()> OnRepaint;

    // Options that only some data types and families take.
    bool CaretToEnd() const { return HasOption(kCaretToEnd); }
    void SetCaretToEnd(bool value) { SetOption(kCaretToEnd, value); }
    bool InsertPushes() const { return HasOption(kInsertPushes); }
    void SetInsertPushes(bool value) { SetOption(kInsertPushes, value); }
    bool ForceInsert() const { return HasOption(kForceInsert); }
    void SetForceInsert(bool value) { SetOption(kForceInsert, value); }
    bool ForceOvertype() const { return HasOption(kForceOvertype); }
    void SetForceOvertype(bool value) { SetOption(kForceOvertype, value); }
    bool TrimBlanks() const { return HasOption(kTrimBlanks); }
    void SetTrimBlanks(bool value) { SetOption(kTrimBlanks, value); }
    bool RightJustify() const { return HasOption(kRightJustify); }
    void SetRightJustify(bool value) { SetOption(kRightJustify, value); }
    bool StripLiterals() const { return HasOption(kStripLiterals); }
    void SetStripLiterals(bool value) { SetOption(kStripLiterals, value); }

    int MaxLength() const { return maxLength_; }
    // 1..255; shortening cuts the text.
    virtual void SetMaxLength(int value);
    // 0 = the controller's.
    int Epoch() const { return epoch_; }
    void SetEpoch(int value);
    int EffectiveEpoch() const;
    bool Uninitialized() const { return uninitialized_; }
    void SetUninitialized(bool value);

    TEfDataType DataType() const { return dataType_; }
    TEfFamily Family() const { return family_; }
    quint8 TypeCode() const { return static_cast<quint8>((static_cast<int>(family_) << 6) | dataType_); }
    // The mask the text is read and written by.
    virtual QString MaskText() const = 0;

    // Characters by their code, numbers, day numbers and seconds.
    double RangeLo() const { return rangeLo_; }
    double RangeHi() const { return rangeHi_; }
    // Texts as the data type reads them; EInvalidRangeValue when they do not.
    void SetRangeLo(const QString& text)
    {
        rangeLo_ = RangeValueOf(text);
        StartWithinRange();
    }
    void SetRangeHi(const QString& text)
    {
        rangeHi_ = RangeValueOf(text);
        StartWithinRange();
    }
    // EInvalidRangeValue outside the data type's values.
    void SetRange(double lo, double hi);

    const QString& Text() const { return text_; }
    int Caret() const { return caret_; }
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    bool HasSelection() const { return selStart_ < selEnd_; }
    void SetSelection(int start, int end);
    void SelectAll() { SetSelection(0, static_cast<int>(text_.size())); }
    // The selected characters as the clipboard gets them.
    QString SelectedText() const;
    bool InsertMode() const;
    bool IsInvalid() const { return invalid_; }
    bool HasFocus() const { return focused_; }
    bool IsModified() const { return modified_; }
    quint16 LastError() const { return lastError_; }
    // After ccCtrlChar: the next typed character may be a control character.
    bool ControlCharNext() const { return ctrlCharNext_; }

    // What the field shows.
    QString DisplayText() const;
    virtual bool AlignsRight() const { return false; }
    // The caret's position in the display text.
    virtual int DisplayCaret() const { return caret_; }

    // One command; false when the field does not handle it (the key goes on).
    bool Command(const TEfEditInput& input);
    bool Command(quint16 command) { return Command(TEfEditInput{command, {}, {}, -1, false}); }
    // Each character as an ordinary key followed by the character.
    void TypeText(const QString& text);
    void Paste(const QString& text) { Command(TEfEditInput{ccPaste, {}, text, -1, false}); }

    // True when editing starts (not a return after an error).
    bool FocusGained(bool selectAllowed = true);
    // The focus leaves for `target`; a field that is hidden or disabled is
    // not checked.
    TEfLeaveOutcome FocusLeaving(TEfLeaveTarget target, bool checkable);
    // Checks the field as leaving it does; the error code, 0 when valid.
    quint16 Validate() { return ValidateOnLeaving(false); }
    // The field's OnError, else the controller's.
    void ReportError(quint16 code);

    TDateTime DateTimeValue();
    void SetDateTimeValue(TDateTime value);
    double FloatValue() const;
    // Values the data type cannot hold are not stored: LastError 0x100 or 0x101.
    void SetFloatValue(double value);
    qint32 IntegerValue() const;
    void SetIntegerValue(qint32 value);
    QString TextValue() const;
    void SetTextValue(const QString& text);
    void SetDayNumber(qint32 day);
    void SetSeconds(qint32 seconds);
    void ClearText();
    bool IsFieldBlank() const { return IsEmpty(); }
    bool WasEverModified() const { return modified_ || everModified_; }
    void RestoreText();
    void IncreaseValue(bool wrap, double delta) { StepBy(wrap, delta); }
    void DecreaseValue(bool wrap, double delta) { StepBy(wrap, -delta); }
    // The caret onto the position (or the nearest the field allows).
    void PlaceCaret(int position);

protected:
    enum OptionBit : quint8 {
        kCaretToEnd = 1, kInsertPushes = 2, kForceInsert = 4, kForceOvertype = 8,
        kTrimBlanks = 16, kRightJustify = 32, kStripLiterals = 64,
    };
    bool HasOption(OptionBit option) const { return (options_ & option) && (ApplicableOptions() & option); }
    void SetOption(OptionBit option, bool value);
    quint8 ApplicableOptions() const;

    virtual quint16 ValidateOnLeaving(bool softAllowed);
    virtual void CaretToEndPos();
    virtual void CaretToStartPos();
    virtual void EditStep(const TEfEditInput& input) = 0;
    virtual int FirstEditable() const { return 0; }
    virtual bool IsEmpty() const;
    // Nothing typed: a date or time with every part blank.
    virtual bool IsBlankText() const { return IsEmpty(); }
    // The laid-out text before control characters and zero display.
    virtual QString DisplayString() const { return text_; }
    virtual void ResetCaret();
    virtual TEfValue TransferOut() const = 0;
    // Writes the value as the field's text.
    virtual void TransferIn(const TEfValue& value) = 0;
    virtual quint16 TypeValidation() = 0;
    virtual void SetCaretPos(int position);
    virtual void StoreInitialValue() { restoreCopy_ = text_; }
    // The value the restore copy holds under the present layout; none before
    // editing first started.
    std::optional<TEfValue> RestoreCopyValue();
    // After a change of layout: the restore copy holds the value under the
    // new one (the initial value when the value does not fit it).
    void RelayRestoreCopy(const std::optional<TEfValue>& value);
    virtual void StepValue(bool wrap, double delta) = 0;
    virtual void EditingStarts() {}
    // The edit step of character, Boolean and yes/no fields: `put` stores a
    // character the mask accepts (in its case) and says whether it did.
    void OneCharStep(const TEfEditInput& input, const std::function<bool(QChar)>& put);
    // The integer text base follows this mask character ("K", "O", "b").
    virtual QChar NumberMaskChar() const = 0;

    // Data type, family and the default range of the type.
    void SetTypeCode(TEfDataType type, TEfFamily family);
    void SetRangeRaw(double lo, double hi) { rangeLo_ = lo; rangeHi_ = hi; }
    double RangeValueOf(const QString& text) const;
    // A number field nobody has typed in shows 0, or the range's low end when the range leaves 0 out.
    void StartWithinRange();
    // What a field of the data type holds before anything is put in: no
    // text, date or time; 0 when the range holds it, else the range's low end.
    TEfValue InitialValue() const;
    bool InRange(double value) const { return value >= rangeLo_ && value <= rangeHi_; }
    // A value put in by the program: the text, caret and selection anew,
    // both modified flags cleared.
    void PutValue(const TEfValue& value);
    // The value written again (after validation), unless a transfer runs.
    void Relay();
    // The value written as the text; caret kept, selection dropped.
    void WriteValue(const TEfValue& value);
    // A value stepped in by the user.
    void PutSteppedValue(const TEfValue& value);
    quint16 UserValidation(quint16 code);
    QString IntegerText(qint64 value) const;
    // The next character the mask accepts within the range (1..255 when
    // the range is one character), up for a positive delta.
    bool StepChar(QChar mask, QChar current, double delta, bool wrap, QChar& next) const;
    // The next integer step: value + rounded delta, wrapping at the bounds.
    bool NextStep(double value, double delta, bool wrap, bool integral, double& next) const;
    void Changed();
    void Repaint() const;
    void Advance(bool next) const;
    void Refuse() const;
    void MarkNotHandled() { notHandled_ = true; }
    void SetCaret(int position) { caret_ = position; }
    void ClearSelection() { selStart_ = selEnd_ = caret_; }
    void ToggleInsertMode();
    // Moves the selection end that stood at the old caret to the caret.
    void ExtendSelection(int oldCaret);
    void SetControlCharNext(bool value) { ctrlCharNext_ = value; }

    QString text_;
    int maxLength_ = 15;

private:
    void StepBy(bool wrap, double delta);

    QPointer<TEfController> controller_;
    TEfDataType dataType_ = dtString;
    TEfFamily family_ = TEfFamily::Simple;
    quint8 options_ = kCaretToEnd | kInsertPushes | kTrimBlanks;
    int epoch_ = 0;
    double rangeLo_ = 0.0;
    double rangeHi_ = 0.0;
    int caret_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
    bool insertMode_ = true;
    quint16 lastError_ = 0;
    std::optional<QString> restoreCopy_;
    bool modified_ = false;      // since editing started
    bool everModified_ = false;
    bool invalid_ = false;
    bool focused_ = false;
    bool refocusAfterError_ = false;
    bool uninitialized_ = false;
    bool ctrlCharNext_ = false;
    bool notHandled_ = false;
    bool transferring_ = false;
    bool userValidating_ = false;
};

// The widget of an entry field. Made with the form as an ancestor, it finds
// the form's controller then (ENoControllerAssigned when there is none).
class TEfBaseEntryField : public QWidget {
    Q_OBJECT
public:
    TEfFieldCore& Core() { return *core_; }
    const TEfFieldCore& Core() const { return *core_; }
    // Null once the controller is gone.
    TEfController* Controller() const { return controller_.data(); }

    TDateTime DateTimeValue() { return core_->DateTimeValue(); }
    void SetDateTimeValue(TDateTime value) { core_->SetDateTimeValue(value); }
    double FloatValue() const { return core_->FloatValue(); }
    void SetFloatValue(double value) { core_->SetFloatValue(value); }
    qint32 IntegerValue() const { return core_->IntegerValue(); }
    void SetIntegerValue(qint32 value) { core_->SetIntegerValue(value); }
    QString TextValue() const { return core_->TextValue(); }
    void SetTextValue(const QString& text) { core_->SetTextValue(text); }
    void ClearText() { core_->ClearText(); }
    bool IsFieldBlank() const { return core_->IsFieldBlank(); }
    bool WasEverModified() const { return core_->WasEverModified(); }
    void SetUninitialized(bool value) { core_->SetUninitialized(value); }
    void IncreaseValue(bool wrap, double delta) { core_->IncreaseValue(wrap, delta); }
    void DecreaseValue(bool wrap, double delta) { core_->DecreaseValue(wrap, delta); }
    void MoveCaretBy(int step);

    TEfColors ErrorColors{Qt::red, Qt::black};
    TEfColors HighlightColors;
    TEfCaretPair Carets;
    QColor ControlCharColor = QColor(255, 0, 0);
    int TextMargin = 2;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    TEfBaseEntryField(QWidget* parent, TEfController* controller);
    // The descendant's core; called once from its constructor.
    void SetCore(std::unique_ptr<TEfFieldCore> core);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    friend void DispatchFocusChange(QWidget* old, QWidget* now);
    // The work of the event handlers above, which run it guarded.
    void Paint();
    void KeyPressed(QKeyEvent* event);
    QVariant InputMethodAnswer(Qt::InputMethodQuery query) const;
    void GuardedCommand(const TEfEditInput& input);
    void FocusGained(QWidget* losing);
    void FocusLost(QWidget* gaining);
    bool RunCommand(const TEfEditInput& input);
    void Clipboard(quint16 command);
    void TypeCharacters(const QString& text);
    int PositionAt(int x) const;
    QRect TextRect() const;
    // Where the character at `index` of the shown text starts.
    int TextX(const QString& shown, int index) const;
    void ScrollToCaret();
    void RestartBlink();

    QPointer<TEfController> controller_;
    std::unique_ptr<TEfFieldCore> core_;
    int scroll_ = 0;
    int blinkTimer_ = 0;
    bool caretShown_ = true;
    Qt::FocusReason focusReason_ = Qt::OtherFocusReason;
    bool focusedByMouse_ = false;
};

// A button that reads the fields' values without leaving them (OK with the
// caret still in one, or just taken from one) checks them first: the first
// shown field whose own check refuses its text, told in the field's words
// unless a field's leaving is telling an error already; nullptr when every
// field takes its text.
TEfBaseEntryField* FirstRefusedField(std::initializer_list<TEfBaseEntryField*> fields);
