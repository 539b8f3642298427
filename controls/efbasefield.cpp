#include "efbasefield.h"

#include "daynumbers.h"
#include "intlsup.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "textroutines.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {
constexpr int kLongestText = 255;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsBlankOrMinus(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('-'); }
bool OneOf(QChar c, const char* set) { return c.unicode() > 0 && c.unicode() < 128 && std::strchr(set, c.unicode()); }

void ApplyCaseRule(QChar mask, QChar& c, QChar prev)
{
    if (OneOf(mask, "Ll"))
        c = c.toLower();
    else if (OneOf(mask, "!ABEKNY") || (mask == QLatin1Char('x') && IsBlankOrMinus(prev)))
        c = c.toUpper();
    else if (TEfUserData::IsUserChar(mask)) {
        const quint8 force = UserData().ForceCaseOf(mask);
        if (force == TEfUserData::fcUpper || (force == TEfUserData::fcWordUpper && IsBlankOrMinus(prev)))
            c = c.toUpper();
        else if (force == TEfUserData::fcLower)
            c = c.toLower();
    }
}

bool IsEditingCommand(quint16 command)
{
    switch (command) {
    case ccPaste: case ccBack: case ccCtrlChar: case ccCut: case ccDec: case ccDel: case ccDelBol:
    case ccDelEol: case ccDelLine: case ccDelWord: case ccInc: case ccIns: case ccRestore: case ccChar:
        return true;
    default:
        return false;
    }
}

QString ShowControlChars(const QString& text)
{
    QString shown = text;
    for (QChar& c : shown)
        if (c.unicode() > 0 && c.unicode() < 32)
            c = QChar(c.unicode() + 64);
    return shown;
}

int SizeOf(TEfDataType type)
{
    switch (type) {
    case dtByte: case dtShortInt: return 1;
    case dtWord: case dtInteger: return 2;
    default: return 4;
    }
}
}  // namespace

bool IsIntegerType(TEfDataType type)
{
    return type >= dtLongInt && type <= dtShortInt;
}

bool IsRealType(TEfDataType type)
{
    return type >= dtReal && type <= dtComp;
}

double TypeLow(TEfDataType type)
{
    switch (type) {
    case dtLongInt: return -2147483648.0;
    case dtWord: case dtByte: case dtDate: case dtTime: return 0.0;
    case dtInteger: return -32768.0;
    case dtShortInt: return -128.0;
    case dtReal: return -1.7e38;
    case dtExtended: return -DBL_MAX;
    case dtDouble: return -1.7e308;
    case dtSingle: return -3.4e38;
    case dtComp: return -9.2e18;
    default: return 0.0;
    }
}

double TypeHigh(TEfDataType type)
{
    switch (type) {
    case dtLongInt: return 2147483647.0;
    case dtWord: return 65535.0;
    case dtInteger: return 32767.0;
    case dtByte: return 255.0;
    case dtShortInt: return 127.0;
    case dtReal: return 1.7e38;
    case dtExtended: return DBL_MAX;
    case dtDouble: return 1.7e308;
    case dtSingle: return 3.4e38;
    case dtComp: return 9.2e18;
    case dtDate: return MaxDayNumber();
    case dtTime: return 86399.0;
    case dtChar: return 65535.0;
    default: return 0.0;
    }
}

QString RangeErrorText(TEfDataType type, const QString& mask)
{
    if (IsIntegerType(type))
        return QStringLiteral("Invalid range. Enter a value between (%1) and (%2)")
            .arg(static_cast<qint64>(TypeLow(type)))
            .arg(static_cast<qint64>(TypeHigh(type)));
    const auto between = [](const char* lo, const char* hi) {
        return QStringLiteral("Invalid range. Enter a value between (%1) and (%2)")
            .arg(QLatin1String(lo), QLatin1String(hi));
    };
    switch (type) {
    case dtReal: return between("-1.7e+38", "+1.7e+38");
    case dtExtended: return between("-1.1e+4932", "+1.1e+4932");
    case dtDouble: return between("-1.7e+308", "+1.7e+308");
    case dtSingle: return between("-3.4e+38", "+3.4e+38");
    case dtComp: return between("-9.2e+18", "+9.2e+18");
    case dtDate: return QStringLiteral("Invalid date range. Enter a value using '%1' as the format").arg(mask);
    case dtTime: return QStringLiteral("Invalid time range. Enter a value using '%1' as the format").arg(mask);
    default: return QStringLiteral("Invalid range value");
    }
}

QChar EfCaseRule(QChar mask, QChar c, QChar prev)
{
    ApplyCaseRule(mask, c, prev);
    return c;
}

bool EfMaskAccepts(QChar mask, QChar& c, QChar prev)
{
    if (c.isNull())
        return false;
    ApplyCaseRule(mask, c, prev);
    const TEfIntlSup& intl = IntlSup();
    const bool blank = c == QLatin1Char(' ');
    switch (mask.unicode()) {
    case '#': return blank || OneOf(c, "-.") || IsDigit(c);
    case '9': case 'D': case 'H': case 'M': case 'S': case 'd': case 'h': case 'm': case 's': case 'y':
        return blank || IsDigit(c);
    case 'A': case 'N': case 'a': case 'l': case 'n': return IsWordChar(c);
    case 'B': return c == intl.TrueChar || c == intl.FalseChar;
    case 'E': return blank || OneOf(c, "+E-.") || IsDigit(c);
    case 'K': return blank || IsDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    case 'O': return blank || (c >= QLatin1Char('0') && c <= QLatin1Char('7'));
    case 'Y': return c == intl.YesChar || c == intl.NoChar;
    case 'b': return blank || OneOf(c, "01");
    case 'i': return blank || c == QLatin1Char('-') || IsDigit(c);
    default:
        if (TEfUserData::IsUserChar(mask))
            return UserData().Accepts(mask, c);
        return true;
    }
}

TEfFieldCore::TEfFieldCore(TEfController* controller) : controller_(controller) {}

quint8 TEfFieldCore::ApplicableOptions() const
{
    constexpr quint8 kAll = 127;
    constexpr quint8 kLayout = kTrimBlanks | kRightJustify | kStripLiterals;
    if (family_ == TEfFamily::Numeric || dataType_ == dtChar || dataType_ == dtBoolean || dataType_ == dtYesNo)
        return 0;
    if (family_ == TEfFamily::Simple) {
        if (dataType_ == dtString)
            return kAll & ~(kRightJustify | kStripLiterals);
        return IsNumberType(dataType_) ? (kAll & ~kLayout) : kAll;
    }
    if (IsNumberType(dataType_))
        return kAll & ~(kTrimBlanks | kStripLiterals);
    if (dataType_ == dtDate || dataType_ == dtTime)
        return kAll & ~kLayout;
    return kAll;
}

void TEfFieldCore::SetOption(OptionBit option, bool value)
{
    const bool before = HasOption(option);
    options_ = value ? (options_ | option) : (options_ & ~option);
    if (before != HasOption(option) && (option == kRightJustify || option == kTrimBlanks))
        Relay();
}

void TEfFieldCore::SetMaxLength(int value)
{
    if (value < 1 || value > kLongestText)
        return;
    maxLength_ = value;
    if (text_.size() > value)
        text_.truncate(value);
    if (restoreCopy_)
        restoreCopy_->truncate(value);
    SetCaretPos(caret_);
    ClearSelection();
    Repaint();
}

void TEfFieldCore::SetEpoch(int value)
{
    if (value == 0 || (value >= MinYear && value <= MaxYear))
        epoch_ = value;
}

int TEfFieldCore::EffectiveEpoch() const
{
    if (epoch_ != 0)
        return epoch_;
    return controller_ ? controller_->Epoch() : 1900;
}

void TEfFieldCore::SetUninitialized(bool value)
{
    if (value == uninitialized_)
        return;
    uninitialized_ = value;
    Repaint();
}

void TEfFieldCore::SetRange(double lo, double hi)
{
    for (double v : {lo, hi})
        if (!std::isfinite(v) || v < TypeLow(dataType_) || v > TypeHigh(dataType_))
            throw EInvalidRangeValue(RangeErrorText(dataType_, MaskText()));
    rangeLo_ = lo;
    rangeHi_ = hi;
    StartWithinRange();
}

void TEfFieldCore::StartWithinRange()
{
    if (IsNumberType(dataType_) && !WasEverModified() && !InRange(0.0) && TransferOut().number == 0.0)
        WriteValue(TEfValue{{}, rangeLo_});
}

double TEfFieldCore::RangeValueOf(const QString& text) const
{
    const auto refuse = [&]() -> double { throw EInvalidRangeValue(RangeErrorText(dataType_, MaskText())); };
    switch (dataType_) {
    case dtString: case dtBoolean: case dtYesNo:
        return 0.0;
    case dtChar:
        return text.isEmpty() ? 0.0 : text.front().unicode();
    case dtDate: {
        if (text.trimmed().isEmpty())
            return 0.0;
        const qint32 day = IntlSup().DateTextToDayNumber(MaskText(), text, EffectiveEpoch());
        return day == InvalidDay ? refuse() : day;
    }
    case dtTime: {
        if (text.trimmed().isEmpty())
            return 0.0;
        const qint32 seconds = IntlSup().TimeTextToSeconds(MaskText(), text);
        return seconds == InvalidTime ? refuse() : seconds;
    }
    default:
        break;
    }
    double value = 0.0;
    if (IsIntegerType(dataType_)) {
        qint32 integer = 0;
        int errorPos = 0;
        if (!TextToLong(text, integer, errorPos))
            return refuse();
        value = integer;
    } else {
        bool ok = false;
        value = QLocale::c().toDouble(FixRealText(text, QLatin1Char('.')), &ok);
        if (!ok)
            return refuse();
    }
    if (!std::isfinite(value) || value < TypeLow(dataType_) || value > TypeHigh(dataType_))
        return refuse();
    return value;
}

TEfValue TEfFieldCore::InitialValue() const
{
    switch (dataType_) {
    case dtString: return {};
    case dtChar: {
        const bool fromRange = rangeLo_ > ' ' || rangeHi_ < ' ';
        const QChar c = fromRange ? QChar(static_cast<char16_t>(rangeLo_)) : QLatin1Char(' ');
        return TEfValue{QString(c), static_cast<double>(c.unicode())};
    }
    case dtDate: case dtTime: return TEfValue{{}, -1.0};
    default: return TEfValue{{}, InRange(0.0) ? 0.0 : rangeLo_};
    }
}

void TEfFieldCore::SetTypeCode(TEfDataType type, TEfFamily family)
{
    dataType_ = type;
    family_ = family;
    DecimalPlaces = 0;
    switch (type) {
    case dtString: case dtBoolean: case dtYesNo: SetRangeRaw(0.0, 0.0); break;
    case dtChar: SetRangeRaw(' ', ' '); break;
    default: SetRangeRaw(TypeLow(type), TypeHigh(type)); break;
    }
}

void TEfFieldCore::SetSelection(int start, int end)
{
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (start > end)
        std::swap(start, end);
    selStart_ = start;
    selEnd_ = end;
    Repaint();
}

QString TEfFieldCore::SelectedText() const
{
    return DisplayString().mid(selStart_, selEnd_ - selStart_);
}

bool TEfFieldCore::InsertMode() const
{
    if (ForceInsert())
        return true;
    if (ForceOvertype())
        return false;
    return insertMode_;
}

void TEfFieldCore::ToggleInsertMode()
{
    if (!ForceInsert() && !ForceOvertype())
        insertMode_ = !insertMode_;
}

QString TEfFieldCore::DisplayText() const
{
    QString shown = ShowControlChars(DisplayString());
    if (!IsNumberType(dataType_) || ZeroDisplay == TZeroDisplay::zdShow)
        return shown;
    if (ZeroDisplay == TZeroDisplay::zdHideUntilModified && WasEverModified())
        return shown;
    return TransferOut().number == ZeroDisplayValue ? QString(shown.size(), QLatin1Char(' ')) : shown;
}

bool TEfFieldCore::Command(const TEfEditInput& input)
{
    if (input.command == ccChar && input.ch.isNull())
        return true;
    if (ReadOnly && IsEditingCommand(input.command)) {
        Refuse();
        return true;
    }
    notHandled_ = false;
    EditStep(input);
    bool handled = !notHandled_;
    if (input.command >= ccFirstUser && OnUserCommand) {
        OnUserCommand(Sender, input.command);
        handled = true;
    }
    Repaint();
    return handled;
}

void TEfFieldCore::TypeText(const QString& text)
{
    for (QChar c : text) {
        Command(ccPlainKey);
        Command(TEfEditInput{ccChar, c, {}, -1, false});
    }
}

void TEfFieldCore::ExtendSelection(int oldCaret)
{
    int anchor = oldCaret;
    if (HasSelection())
        anchor = selStart_ == oldCaret ? selEnd_ : selStart_;
    selStart_ = std::min(anchor, caret_);
    selEnd_ = std::max(anchor, caret_);
}

bool TEfFieldCore::FocusGained(bool selectAllowed)
{
    TEfController* controller = controller_.data();
    if (controller) {
        controller->EntryCommands().ResetState();
        if (!ForceInsert() && !ForceOvertype())
            insertMode_ = controller->InsertMode;
    }
    const bool errorWas = controller && controller->ErrorInProgress;
    const bool starts = !refocusAfterError_ && !errorWas;
    if (!refocusAfterError_) {
        if (starts) {
            if (!invalid_)
                modified_ = false;
            StoreInitialValue();
        }
        ResetCaret();
    }
    refocusAfterError_ = false;
    if (controller)
        controller->ErrorInProgress = false;
    focused_ = true;
    ctrlCharNext_ = false;
    EditingStarts();
    if (AutoSelect && !errorWas && selectAllowed)
        SelectAll();
    Repaint();
    return starts;
}

TEfLeaveOutcome TEfFieldCore::FocusLeaving(TEfLeaveTarget target, bool checkable)
{
    TEfController* controller = controller_.data();
    if (controller && !ForceInsert() && !ForceOvertype())
        controller->InsertMode = insertMode_;
    TEfLeaveOutcome outcome;
    if (target != TEfLeaveTarget::OtherWindow && modified_)
        uninitialized_ = false;
    if (target != TEfLeaveTarget::FormControl || !checkable) {
        focused_ = false;
        Repaint();
        return outcome;
    }
    // Checked while it still counts as focused: the text is re-laid on success.
    outcome.error = ValidateOnLeaving(true);
    focused_ = false;
    invalid_ = outcome.error != 0;
    if (invalid_) {
        const bool inProgress = controller && controller->ErrorInProgress;
        outcome.report = !inProgress;
        outcome.refocus = !SoftValidation;
        refocusAfterError_ = outcome.refocus;
        if (controller)
            controller->ErrorInProgress = true;
    }
    Repaint();
    return outcome;
}

quint16 TEfFieldCore::ValidateOnLeaving(bool)
{
    quint16 code = 0;
    if (InputRequired && !ReadOnly && (IsEmpty() || (uninitialized_ && !WasEverModified())))
        code = efeRequired;
    else
        code = TypeValidation();
    if (caret_ > text_.size())
        caret_ = static_cast<int>(text_.size());
    lastError_ = code;
    return code;
}

quint16 TEfFieldCore::UserValidation(quint16 code)
{
    if (userValidating_ || !OnUserValidation)
        return code;
    userValidating_ = true;
    OnUserValidation(Sender, code);
    userValidating_ = false;
    return code;
}

void TEfFieldCore::ReportError(quint16 code)
{
    if (code == 0)
        return;
    TEfController* controller = controller_.data();
    const QString text = EntryErrorText(code, controller ? controller->ErrorText : QString());
    if (controller)
        controller->ErrorText = text;
    if (OnError)
        OnError(Sender, code, text);
    else if (controller)
        controller->ReportError(Sender, code, text);
    else
        ShowMessageBox(text, MsgIcon::Error, MsgOk);
}

bool TEfFieldCore::IsEmpty() const
{
    return text_.trimmed().isEmpty();
}

void TEfFieldCore::CaretToEndPos()
{
    caret_ = static_cast<int>(text_.size());
    ClearSelection();
}

void TEfFieldCore::CaretToStartPos()
{
    caret_ = 0;
    ClearSelection();
}

void TEfFieldCore::ResetCaret()
{
    if (CaretToEnd())
        CaretToEndPos();
    else
        CaretToStartPos();
}

void TEfFieldCore::SetCaretPos(int position)
{
    caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
}

void TEfFieldCore::PlaceCaret(int position)
{
    SetCaretPos(position);
    ClearSelection();
    Repaint();
}

void TEfFieldCore::PutValue(const TEfValue& value)
{
    WriteValue(value);
    ResetCaret();
    SelectAll();
    modified_ = everModified_ = false;
    Repaint();
}

void TEfFieldCore::Relay()
{
    if (!transferring_)
        WriteValue(TransferOut());
}

void TEfFieldCore::WriteValue(const TEfValue& value)
{
    const int caret = caret_;
    transferring_ = true;
    try {
        TransferIn(value);
    } catch (...) {
        transferring_ = false;
        throw;
    }
    transferring_ = false;
    SetCaretPos(caret);
    ClearSelection();
    Repaint();
}

void TEfFieldCore::PutSteppedValue(const TEfValue& value)
{
    WriteValue(value);
    Changed();
}

void TEfFieldCore::StepBy(bool wrap, double delta)
{
    if (!focused_ || !std::isfinite(delta))
        return;
    StepValue(wrap, delta);
    SetSelection(selStart_, selEnd_);
}

bool TEfFieldCore::NextStep(double value, double delta, bool wrap, bool integral, double& next) const
{
    const double step = integral ? std::nearbyint(delta) : delta;
    if (step == 0.0)
        return false;
    if (step > 0 && value >= rangeHi_) {
        next = rangeLo_;
        return wrap;
    }
    if (step < 0 && value <= rangeLo_) {
        next = rangeHi_;
        return wrap;
    }
    next = value + step;
    return std::isfinite(next) && InRange(next);
}

void TEfFieldCore::OneCharStep(const TEfEditInput& input, const std::function<bool(QChar)>& put)
{
    const auto stored = [&](QChar c) {
        if (!put(c))
            return false;
        ClearSelection();
        Changed();
        return true;
    };
    switch (input.command) {
    case ccChar:
        if (!stored(input.ch))
            Refuse();
        else if (AutoAdvanceChar)
            Advance(true);
        break;
    case ccPaste:
        for (QChar c : input.text)
            if (stored(c))
                break;
        break;
    case ccLeft: case ccWordLeft: case ccRight: case ccWordRight:
        if (AutoAdvanceLeftRight)
            Advance(input.command == ccRight || input.command == ccWordRight);
        break;
    case ccUp: case ccDown:
        if (AutoAdvanceUpDown || AutoAdvanceLeftRight)
            Advance(input.command == ccDown);
        break;
    case ccExtendRight: case ccExtendEnd: case ccExtWordRight: case ccDblClick:
        SelectAll();
        break;
    case ccMouseExtend:
        if (input.position > 0)
            SelectAll();
        break;
    case ccInc: IncreaseValue(false, 1.0); break;
    case ccDec: DecreaseValue(false, 1.0); break;
    case ccRestore: RestoreText(); break;
    case ccCtrlChar: SetControlCharNext(true); break;
    case ccBack: case ccDel: case ccCut: case ccCopy: case ccIns: case ccHome: case ccEnd: case ccExtendLeft:
    case ccExtendHome: case ccExtWordLeft: case ccMouseCaret: case ccPlainKey: case ccBrokenSequence:
    case ccFirstOfTwo:
        break;
    default:
        MarkNotHandled();
        break;
    }
}

bool TEfFieldCore::StepChar(QChar mask, QChar current, double delta, bool wrap, QChar& next) const
{
    int lo = static_cast<int>(rangeLo_);
    int hi = static_cast<int>(rangeHi_);
    if (lo == hi) {
        lo = 1;
        hi = 255;
    }
    const int direction = delta > 0 ? 1 : -1;
    int code = current.unicode();
    for (int tries = 0; tries <= hi - lo + 1; ++tries) {
        code += direction;
        if (code < lo || code > hi) {
            if (!wrap)
                return false;
            code = direction > 0 ? lo : hi;
        }
        const QChar candidate(code);
        QChar tested = candidate;
        // A character the case rule would change is not one of the mask's own.
        if (EfMaskAccepts(mask, tested, QLatin1Char(' ')) && tested == candidate) {
            next = candidate;
            return true;
        }
    }
    return false;
}

QString TEfFieldCore::IntegerText(qint64 value) const
{
    const QChar mask = NumberMaskChar();
    const int size = SizeOf(dataType_);
    const auto bits = static_cast<quint32>(value);
    if (mask == QLatin1Char('K'))
        return HexLongText(bits).right(2 * size);
    if (mask == QLatin1Char('O'))
        return OctalText(bits).right(size == 4 ? 12 : 4 * size);
    if (mask == QLatin1Char('b'))
        return BinaryText(bits).right(8 * size);
    return QString::number(value);
}

void TEfFieldCore::Changed()
{
    modified_ = everModified_ = true;
    if (OnChange)
        OnChange();
}

void TEfFieldCore::Repaint() const
{
    if (OnRepaint)
        OnRepaint();
}

void TEfFieldCore::Advance(bool next) const
{
    if (OnAdvance)
        OnAdvance(next);
}

void TEfFieldCore::Refuse() const
{
    if (BeepOnError)
        Beep();
}

TDateTime TEfFieldCore::DateTimeValue()
{
    if (dataType_ != dtDate && dataType_ != dtTime)
        throw EInvalidDataType();
    lastError_ = 0;
    const double number = TransferOut().number;
    if (number < 0) {
        if (!IsBlankText())
            lastError_ = dataType_ == dtDate ? efeInvalidDate : efeInvalidTime;
        return 0.0;
    }
    const auto value = static_cast<qint32>(number);
    return dataType_ == dtDate ? DayNumberToDateTime(value) : SecondsToDateTime(value);
}

void TEfFieldCore::SetDateTimeValue(TDateTime value)
{
    if (dataType_ == dtDate)
        SetDayNumber(DateTimeToDayNumber(value));
    else if (dataType_ == dtTime)
        SetSeconds(DateTimeToSeconds(value));
    else
        throw EInvalidDataType();
}

void TEfFieldCore::SetDayNumber(qint32 day)
{
    if (dataType_ != dtDate)
        throw EInvalidDataType();
    PutValue(TEfValue{{}, static_cast<double>(day)});
}

void TEfFieldCore::SetSeconds(qint32 seconds)
{
    if (dataType_ != dtTime)
        throw EInvalidDataType();
    PutValue(TEfValue{{}, static_cast<double>(seconds)});
}

double TEfFieldCore::FloatValue() const
{
    if (!IsNumberType(dataType_))
        throw EInvalidDataType();
    return TransferOut().number;
}

void TEfFieldCore::SetFloatValue(double value)
{
    if (!IsNumberType(dataType_))
        throw EInvalidDataType();
    if (!std::isfinite(value)) {
        lastError_ = efeInvalidForType;
        return;
    }
    if (IsIntegerType(dataType_))
        value = std::nearbyint(value);
    if (value < TypeLow(dataType_) || value > TypeHigh(dataType_)) {
        lastError_ = efeRange;
        return;
    }
    lastError_ = 0;
    PutValue(TEfValue{{}, value});
}

qint32 TEfFieldCore::IntegerValue() const
{
    if (!IsIntegerType(dataType_))
        throw EInvalidDataType();
    // Integer texts convert within 32 bits.
    return static_cast<qint32>(TransferOut().number);
}

void TEfFieldCore::SetIntegerValue(qint32 value)
{
    if (!IsIntegerType(dataType_))
        throw EInvalidDataType();
    SetFloatValue(value);
}

QString TEfFieldCore::TextValue() const
{
    if (dataType_ == dtString)
        return TransferOut().text;
    return TrimBlanks() ? text_.trimmed() : text_;
}

void TEfFieldCore::SetTextValue(const QString& text)
{
    const bool readOnly = ReadOnly;
    ReadOnly = false;
    SelectAll();
    Command(TEfEditInput{ccPaste, {}, text, -1, false});
    ReadOnly = readOnly;
    ResetCaret();
    SelectAll();
    modified_ = everModified_ = false;
    Repaint();
}

void TEfFieldCore::ClearText()
{
    SetTextValue(QString());
}

std::optional<TEfValue> TEfFieldCore::RestoreCopyValue()
{
    if (!restoreCopy_)
        return std::nullopt;
    std::swap(text_, *restoreCopy_);
    const TEfValue value = TransferOut();
    std::swap(text_, *restoreCopy_);
    return value;
}

void TEfFieldCore::RelayRestoreCopy(const std::optional<TEfValue>& value)
{
    if (!restoreCopy_ || !value)
        return;
    const QString text = text_;
    try {
        TransferIn(*value);
    } catch (const EEfException&) {
        TransferIn(InitialValue());
    }
    restoreCopy_ = text_;
    text_ = text;
}

void TEfFieldCore::RestoreText()
{
    if (!restoreCopy_)
        return;
    text_ = *restoreCopy_;
    ResetCaret();
    modified_ = false;
    Repaint();
    if (OnChange)
        OnChange();
}

// The widget.

void DispatchFocusChange(QWidget* old, QWidget* now)
{
    // The field left is checked before the field entered starts editing.
    if (auto* leaving = qobject_cast<TEfBaseEntryField*>(old))
        RunGuarded([&] { leaving->FocusLost(now); });
    if (auto* entering = qobject_cast<TEfBaseEntryField*>(now))
        RunGuarded([&] { entering->FocusGained(old); });
}

TEfBaseEntryField::TEfBaseEntryField(QWidget* parent, TEfController* controller)
    : QWidget(parent),
      HighlightColors(palette().color(QPalette::Highlight), palette().color(QPalette::HighlightedText)),
      controller_(controller ? controller : TEfController::FindOnForm(parent))
{
    if (!controller_)
        throw ENoControllerAssigned();
    static const bool dispatching = QObject::connect(qApp, &QApplication::focusChanged, qApp, &DispatchFocusChange);
    Q_UNUSED(dispatching);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setCursor(Qt::IBeamCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    resize(130, sizeHint().height());
}

void TEfBaseEntryField::SetCore(std::unique_ptr<TEfFieldCore> core)
{
    core_ = std::move(core);
    core_->Sender = this;
    core_->OnRepaint = [this] { update(); };
    // Posted, so the command that asks for it finishes first.
    core_->OnAdvance = [this](bool next) {
        QMetaObject::invokeMethod(
            this, [this, next] { RunGuarded([&] { focusNextPrevChild(next); }); }, Qt::QueuedConnection);
    };
}

void TEfBaseEntryField::MoveCaretBy(int step)
{
    core_->PlaceCaret(core_->Caret() + step);
    ScrollToCaret();
}

QSize TEfBaseEntryField::sizeHint() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const int textHeight = fontMetrics().height() + 2 * TextMargin;
    const QSize contents(130 - 2 * option.lineWidth, textHeight);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this)
        .expandedTo(QSize(130, textHeight + 2 * option.lineWidth));
}

QRect TEfBaseEntryField::TextRect() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return rect().adjusted(frame + TextMargin, frame, -frame - TextMargin, -frame);
}

int TEfBaseEntryField::TextX(const QString& shown, int index) const
{
    const QFontMetrics metrics = fontMetrics();
    const int before = metrics.horizontalAdvance(shown.left(std::clamp<int>(index, 0, static_cast<int>(shown.size()))));
    const QRect area = TextRect();
    if (core_->AlignsRight())
        return area.right() + 1 - metrics.horizontalAdvance(shown) + before;
    return area.left() - scroll_ + before;
}

int TEfBaseEntryField::PositionAt(int x) const
{
    const QString shown = core_->DisplayText();
    int best = 0;
    for (int i = 1; i <= shown.size(); ++i)
        if (std::abs(TextX(shown, i) - x) < std::abs(TextX(shown, best) - x))
            best = i;
    return best;
}

void TEfBaseEntryField::ScrollToCaret()
{
    if (core_->AlignsRight()) {
        scroll_ = 0;
        return;
    }
    const QRect area = TextRect();
    const int caretX = TextX(core_->DisplayText(), core_->DisplayCaret()) + scroll_ - area.left();
    if (caretX - scroll_ > area.width() - 2)
        scroll_ = caretX - area.width() + 2;
    if (caretX < scroll_)
        scroll_ = caretX;
}

void TEfBaseEntryField::RestartBlink()
{
    caretShown_ = true;
    if (blinkTimer_)
        killTimer(blinkTimer_);
    blinkTimer_ = 0;
    const int blink = Carets.Current().BlinkTime() ? Carets.Current().BlinkTime()
                                                   : QGuiApplication::styleHints()->cursorFlashTime() / 2;
    if (hasFocus() && blink > 0)
        blinkTimer_ = startTimer(blink);
}

void TEfBaseEntryField::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != blinkTimer_)
        return QWidget::timerEvent(event);
    caretShown_ = !caretShown_;
    update();
}

void TEfBaseEntryField::paintEvent(QPaintEvent*)
{
    RunGuarded([this] { Paint(); });
}

void TEfBaseEntryField::Paint()
{
    QPainter painter(this);
    const bool error = core_->IsInvalid();
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.state |= QStyle::State_Sunken;
    if (core_->ReadOnly)
        option.state |= QStyle::State_ReadOnly;
    if (error)
        option.palette.setColor(QPalette::Base, ErrorColors.BackColor());
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);

    const QRect area = TextRect();
    painter.setClipRect(area.adjusted(-TextMargin, 0, TextMargin, 0));
    const QString shown = core_->DisplayText();
    const QString raw = core_->Text();
    const QFontMetrics metrics = fontMetrics();
    const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    const bool selecting = hasFocus() && core_->HasSelection();
    const QColor textColor = !isEnabled() ? palette().color(QPalette::Disabled, QPalette::Text)
                             : error      ? ErrorColors.TextColor()
                                          : palette().color(QPalette::Text);
    if (selecting) {
        const int left = TextX(shown, core_->SelStart());
        const int right = TextX(shown, core_->SelEnd());
        painter.fillRect(QRect(left, area.top() + 1, right - left, area.height() - 2), HighlightColors.BackColor());
    }
    for (int i = 0; i < shown.size(); ++i) {
        const bool selected = selecting && i >= core_->SelStart() && i < core_->SelEnd();
        const bool control = !core_->AlignsRight() && i < raw.size() && raw[i].unicode() > 0 && raw[i].unicode() < 32;
        painter.setPen(selected ? HighlightColors.TextColor() : control ? ControlCharColor : textColor);
        painter.drawText(TextX(shown, i), baseline, QString(shown[i]));
    }

    if (hasFocus() && caretShown_) {
        const_cast<TEfCaretPair&>(Carets).SetInsertMode(core_->InsertMode());
        const int index = core_->DisplayCaret();
        const int x = TextX(shown, index);
        const int width = index < shown.size() ? metrics.horizontalAdvance(shown[index])
                                               : metrics.horizontalAdvance(QLatin1Char('0'));
        const QRect cell(x, area.top() + (area.height() - metrics.height()) / 2, std::max(width, 1), metrics.height());
        const TEfCaret& caret = Carets.Current();
        const QRect caretRect = caret.RectIn(cell);
        if (caret.Shape() == TEfCaretShape::csBitmap && !caret.Bitmap().isNull()) {
            painter.drawImage(caretRect.topLeft(), caret.Bitmap());
        } else {
            painter.setCompositionMode(QPainter::CompositionMode_Difference);
            painter.fillRect(caretRect, caret.IsGray() ? QColor(Qt::gray) : QColor(Qt::white));
        }
    }
}

bool TEfBaseEntryField::RunCommand(const TEfEditInput& input)
{
    const bool handled = core_->Command(input);
    ScrollToCaret();
    RestartBlink();
    update();
    return handled;
}

void TEfBaseEntryField::TypeCharacters(const QString& text)
{
    for (QChar c : text) {
        const bool control = c.unicode() < 32 || c.unicode() == 127;
        if (control && !core_->ControlCharNext())
            continue;
        RunCommand(TEfEditInput{ccPlainKey, {}, {}, -1, false});
        RunCommand(TEfEditInput{ccChar, c, {}, -1, false});
    }
}

void TEfBaseEntryField::Clipboard(quint16 command)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (command == ccPaste) {
        RunCommand(TEfEditInput{ccPaste, {}, clipboard->text(), -1, false});
        return;
    }
    if (core_->HasSelection())
        clipboard->setText(core_->SelectedText());
    RunCommand(TEfEditInput{command, {}, {}, -1, false});
}

void TEfBaseEntryField::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([this, event] { KeyPressed(event); });
}

void TEfBaseEntryField::KeyPressed(QKeyEvent* event)
{
    if (!controller_) {
        event->ignore();
        return;
    }
    const KeyStroke stroke = KeyStrokeOf(event->key(), event->modifiers());
    quint16 command = stroke.key ? controller_->EntryCommands().Translate(stroke.key, stroke.shift) : quint16(ccPlainKey);
    if (command == ccUndo)
        command = ccRestore;
    bool handled = true;
    switch (command) {
    case ccNone:
        handled = false;
        break;
    case ccIns:
        if (!core_->ForceInsert() && !core_->ForceOvertype())
            handled = RunCommand(TEfEditInput{ccIns, {}, {}, -1, false});
        break;
    case ccCopy:
    case ccCut:
    case ccPaste:
        Clipboard(command);
        break;
    case ccPlainKey: {
        const QString typed = event->text();
        const bool typing = std::any_of(typed.begin(), typed.end(), [this](QChar c) {
            return (c.unicode() >= 32 && c.unicode() != 127) || core_->ControlCharNext();
        });
        if (typing)
            TypeCharacters(typed);
        handled = typing;
        break;
    }
    default:
        handled = RunCommand(TEfEditInput{command, {}, {}, -1, false});
        break;
    }
    event->setAccepted(handled);
}

void TEfBaseEntryField::inputMethodEvent(QInputMethodEvent* event)
{
    RunGuarded([this, event] { TypeCharacters(event->commitString()); });
    event->accept();
}

QVariant TEfBaseEntryField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    QVariant answer;
    RunGuarded([&] { answer = InputMethodAnswer(query); });
    return answer;
}

QVariant TEfBaseEntryField::InputMethodAnswer(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: {
        const QRect area = TextRect();
        return QRect(TextX(core_->DisplayText(), core_->DisplayCaret()), area.top(), 1, area.height());
    }
    case Qt::ImCursorPosition: return core_->Caret();
    case Qt::ImSurroundingText: return core_->DisplayText();
    default: return QWidget::inputMethodQuery(query);
    }
}

void TEfBaseEntryField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !hasFocus())
        return QWidget::mousePressEvent(event);
    if (focusedByMouse_) {
        // The press that brought the focus: no selection, the caret as entering placed it.
        focusedByMouse_ = false;
        RunGuarded([this] { core_->PlaceCaret(core_->Caret()); });
        return;
    }
    GuardedCommand(TEfEditInput{ccMouseCaret, {}, {}, PositionAt(event->position().toPoint().x()),
                                event->modifiers().testFlag(Qt::ShiftModifier)});
}

void TEfBaseEntryField::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && hasFocus())
        GuardedCommand(TEfEditInput{ccMouseExtend, {}, {}, PositionAt(event->position().toPoint().x()), false});
}

void TEfBaseEntryField::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && hasFocus())
        GuardedCommand(TEfEditInput{ccDblClick, {}, {}, PositionAt(event->position().toPoint().x()), false});
}

void TEfBaseEntryField::GuardedCommand(const TEfEditInput& input)
{
    RunGuarded([&] { RunCommand(input); });
}

void TEfBaseEntryField::focusInEvent(QFocusEvent* event)
{
    focusReason_ = event->reason();
    QWidget::focusInEvent(event);
}

void TEfBaseEntryField::FocusGained(QWidget* losing)
{
    if (core_->IsInvalid()) {
        // Back after an error: a button pressed on the way out must not click.
        if (auto* button = qobject_cast<QAbstractButton*>(losing))
            button->setDown(false);
    }
    focusedByMouse_ = focusReason_ == Qt::MouseFocusReason;
    if (core_->FocusGained(!focusedByMouse_) && controller_)
        controller_->FirePreEdit(this, losing);
    ScrollToCaret();
    RestartBlink();
}

void TEfBaseEntryField::FocusLost(QWidget* gaining)
{
    if (blinkTimer_)
        killTimer(blinkTimer_);
    blinkTimer_ = 0;
    focusedByMouse_ = false;
    TEfLeaveTarget target = TEfLeaveTarget::FormControl;
    if (!gaining || gaining->window() != window())
        target = TEfLeaveTarget::OtherWindow;
    else if (controller_ && controller_->IsExemptButton(gaining))
        target = TEfLeaveTarget::ExemptButton;
    // While the focus is on its way back to a field in error, nothing else is checked.
    const bool returning = controller_ && controller_->PendingFocus() && controller_->PendingFocus() != this;
    const TEfLeaveOutcome outcome = core_->FocusLeaving(target, isVisible() && isEnabled() && !returning);
    if (outcome.refocus && controller_)
        controller_->RequestFocus(this);
    if (outcome.report) {
        const quint16 code = outcome.error;
        QMetaObject::invokeMethod(
            this, [this, code] { RunGuarded([&] { core_->ReportError(code); }); }, Qt::QueuedConnection);
    }
    if (target != TEfLeaveTarget::OtherWindow) {
        if (controller_)
            controller_->FirePostEdit(this, gaining);
        scroll_ = 0;
    }
    update();
}

TEfBaseEntryField* FirstRefusedField(std::initializer_list<TEfBaseEntryField*> fields)
{
    for (TEfBaseEntryField* field : fields) {
        if (field->isHidden() || !field->isEnabled())
            continue;
        const quint16 code = field->Core().Validate();
        if (code == 0)
            continue;
        const TEfController* controller = field->Controller();
        if (!controller || !controller->ErrorInProgress)
            field->Core().ReportError(code);
        return field;
    }
    return nullptr;
}
