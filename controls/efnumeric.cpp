#include "efnumeric.h"

#include "intlsup.h"

#include <algorithm>

namespace {
const QChar kBlank(QLatin1Char(' '));
const QChar kPoint(QLatin1Char('.'));
const QChar kMinus(QLatin1Char('-'));

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
}  // namespace

TEfNumericFieldCore::TEfNumericFieldCore(TEfController* controller) : TEfPictureCore(controller)
{
    SetDataType(nftLongInt);
    SetPictureMask(QStringLiteral("##########"));
}

void TEfNumericFieldCore::SetDataType(TNumericDataType type)
{
    static const char* const kMasks[] = {
        "iiiiiiiiii", "99999", "iiiiii", "999", "iiii",
        "##########", "##########", "##########", "##########", "iiiiiiiiii",
    };
    SetTypeCode(static_cast<TEfDataType>(int(dtLongInt) + int(type)), TEfFamily::Numeric);
    SetMaskText(QString::fromLatin1(kMasks[type]), true, false);
    RebuildBuffer();
}

void TEfNumericFieldCore::SetPictureMask(const QString& mask)
{
    const bool floating = DataType() >= dtReal && DataType() <= dtSingle;
    if (mask.size() > 255 || mask.isEmpty() ||
        (floating && mask.contains(kPoint) && (mask.contains(QLatin1Char('9')) || mask.contains(QLatin1Char('i')))))
        throw EInvalidPictureMask(mask);
    SetMaskText(mask, true);
    RebuildBuffer();
}

int TEfNumericFieldCore::DigitCapacity() const
{
    int count = 0;
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) == pcEditable)
            ++count;
    return count;
}

int TEfNumericFieldCore::WholeCapacity() const
{
    return DigitCapacity() - EditableCountAfterPoint();
}

int TEfNumericFieldCore::WholeDigits() const
{
    const qsizetype point = digits_.indexOf(kPoint);
    return static_cast<int>(point < 0 ? digits_.size() : point);
}

int TEfNumericFieldCore::FractionDigits() const
{
    const qsizetype point = digits_.indexOf(kPoint);
    return point < 0 ? 0 : static_cast<int>(digits_.size() - point - 1);
}

void TEfNumericFieldCore::ClearBuffer()
{
    negative_ = false;
    digits_.clear();
}

void TEfNumericFieldCore::RebuildBuffer()
{
    QString raw = StripText().trimmed();
    negative_ = raw.startsWith(kMinus);
    if (negative_)
        raw.remove(0, 1);
    raw.remove(kBlank);
    // A zero shown with its decimals ("0.00") is no typing yet, as a lone "0" is:
    // kept, it would fill the fraction and refuse every digit.
    const bool zero = !raw.isEmpty() && std::all_of(raw.begin(), raw.end(), [](QChar c) {
        return c == QLatin1Char('0') || c == kPoint;
    });
    if (zero)
        negative_ = false;
    digits_ = zero || raw.contains(QLatin1Char('*')) ? QString() : raw;
}

void TEfNumericFieldCore::ShowBuffer()
{
    MergeText((negative_ ? QStringLiteral("-") : QString()) + digits_);
    CaretToEndPos();
}

void TEfNumericFieldCore::TransferIn(const TEfValue& value)
{
    NumberIn(value.number);
    RebuildBuffer();
}

void TEfNumericFieldCore::EditingStarts()
{
    RebuildBuffer();
    CaretToEndPos();
}

void TEfNumericFieldCore::CaretToEndPos()
{
    SetCaretPos(maxLength_);
    ClearSelection();
}

void TEfNumericFieldCore::SetCaretPos(int)
{
    SetCaret(maxLength_);
}

QString TEfNumericFieldCore::DisplayString() const
{
    QString shown = TEfPictureCore::DisplayString();
    if (Uninitialized() && !HasFocus())
        return shown.trimmed();
    const QString mask = MaskText();
    const qsizetype paren = mask.indexOf(QLatin1Char('p'));
    const qsizetype trailing = mask.indexOf(QLatin1Char('g'));
    const qsizetype minus = shown.indexOf(kMinus);
    if (paren >= 0 && paren < shown.size()) {
        shown[paren] = minus >= 0 ? QLatin1Char(')') : kBlank;
        if (minus >= 0)
            shown[minus] = QLatin1Char('(');
    } else if (trailing >= 0 && trailing < shown.size()) {
        if (minus >= 0)
            shown[minus] = kBlank;
        shown[trailing] = minus >= 0 ? kMinus : kBlank;
    }
    return shown.trimmed();
}

void TEfNumericFieldCore::TypeChar(QChar typed)
{
    QChar c = typed == IntlSup().DecimalChar ? kPoint : typed;
    int lastDigit = -1;
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) == pcEditable)
            lastDigit = i;
    if (lastDigit < 0 || !EfMaskAccepts(MaskAt(lastDigit), c, kBlank)) {
        Refuse();
        return;
    }
    const bool cleared = HasSelection();
    if (cleared)
        ClearBuffer();
    const int capacity = DigitCapacity();
    const bool hasPoint = digits_.contains(kPoint);
    const int sign = negative_ ? 1 : 0;
    bool accepted = true;
    if (c == kPoint) {
        accepted = !hasPoint && PointPos() >= 0;
        if (accepted)
            digits_ += kPoint;
    } else if (c == kMinus) {
        accepted = negative_ || WholeDigits() + 1 <= WholeCapacity();
        if (accepted)
            negative_ = !negative_;
    } else if (IsDigit(c)) {
        if (capacity == 1)
            digits_ = c;
        else if (digits_.isEmpty() && c == QLatin1Char('0')) {
            if (cleared) {
                ShowBuffer();
                Changed();
            }
            return;
        }
        else if (!hasPoint)
            accepted = WholeDigits() + sign < WholeCapacity();
        else
            accepted = FractionDigits() < capacity - WholeCapacity();
        if (accepted && capacity != 1)
            digits_ += c;
    } else {
        accepted = false;
    }
    if (!accepted) {
        Refuse();
        return;
    }
    ShowBuffer();
    Changed();
    const bool full = WholeDigits() + sign + FractionDigits() >= capacity;
    if (IsDigit(c) && full && AutoAdvanceChar)
        Advance(true);
}

void TEfNumericFieldCore::Erase()
{
    if (HasSelection())
        ClearBuffer();
    else if (digits_.isEmpty())
        negative_ = false;
    else {
        digits_.chop(1);
        if (digits_ == QLatin1String("0"))
            digits_.clear();
    }
    ShowBuffer();
    Changed();
}

void TEfNumericFieldCore::EditStep(const TEfEditInput& input)
{
    bool keepSelection = false;
    switch (input.command) {
    case ccChar:
        TypeChar(input.ch);
        break;
    case ccPaste:
        if (HasSelection())
            ClearBuffer();
        for (QChar c : input.text) {
            QChar probe = c == IntlSup().DecimalChar ? kPoint : c;
            if (IsDigit(probe) || probe == kPoint || probe == kMinus)
                TypeChar(c);
        }
        ShowBuffer();
        break;
    case ccBack:
    case ccDel:
        Erase();
        break;
    case ccCut:
        if (HasSelection())
            Erase();
        break;
    case ccLeft: case ccWordLeft: case ccRight: case ccWordRight:
        if (AutoAdvanceLeftRight || AutoAdvanceChar)
            Advance(input.command == ccRight || input.command == ccWordRight);
        break;
    case ccHome: case ccEnd: case ccCopy: case ccIns: case ccMouseCaret: case ccMouseExtend:
        break;
    case ccUp:
    case ccDown:
        if (AutoAdvanceUpDown)
            Advance(input.command == ccDown);
        break;
    case ccInc: IncreaseValue(false, 1.0); break;
    case ccDec: DecreaseValue(false, 1.0); break;
    case ccRestore:
        RestoreText();
        RebuildBuffer();
        keepSelection = true;
        break;
    case ccDblClick:
        SelectAll();
        keepSelection = true;
        break;
    case ccCtrlChar:
    case ccPlainKey:
    case ccBrokenSequence:
    case ccFirstOfTwo:
        return;
    default:
        MarkNotHandled();
        return;
    }
    if (!keepSelection)
        ClearSelection();
}

void TEfNumericFieldCore::StepValue(bool wrap, double delta)
{
    NumberStep(wrap, delta);
    RebuildBuffer();
}

TEfNumericField::TEfNumericField(QWidget* parent, TEfController* controller) : TEfBaseEntryField(parent, controller)
{
    SetCore(std::make_unique<TEfNumericFieldCore>(Controller()));
}

TEfNumericField::TEfNumericField(QWidget* parent, TNumericDataType type, const QString& mask,
                                 TEfController* controller)
    : TEfNumericField(parent, controller)
{
    SetDataType(type);
    if (!mask.isEmpty())
        SetPictureMask(mask);
}
