#include "efpicture.h"

#include "daynumbers.h"
#include "intlsup.h"
#include "textroutines.h"

#include <QLocale>
#include <cmath>
#include <cstring>

namespace {
constexpr int kLongestMask = 255;
const QChar kBlank(QLatin1Char(' '));
// Far beyond any date or time step; keeps the arithmetic inside 32 bits.
constexpr double kLargestCalendarStep = 1e6;

quint8 ClassOf(QChar m)
{
    static constexpr char kEditable[] = "!#123456789ABDEHKLMNOSXYabdhilmnstxy";
    if (m.unicode() > 0 && m.unicode() < 128 && std::strchr(kEditable, m.unicode()))
        return 1;
    return m == QLatin1Char('$') || m == QLatin1Char(',') ? 2 : 0;
}

bool IsCharType(TEfDataType type)
{
    return type == dtChar || type == dtBoolean || type == dtYesNo;
}

// Commands that change the text: the formatting comes out before them.
bool EditsText(quint16 command)
{
    switch (command) {
    case ccChar: case ccPaste: case ccBack: case ccDel: case ccDelWord: case ccDelEol: case ccDelBol:
    case ccDelLine: case ccCut:
        return true;
    default:
        return false;
    }
}
}  // namespace

TEfPictureCore::TEfPictureCore(TEfController* controller) : TEfFieldCore(controller) {}

void TEfPictureCore::SetMaxLength(int value)
{
    if (value < 1 || value > kLongestMask)
        return;
    Relayout([&] { maxLength_ = value; }, true);
}

void TEfPictureCore::SetMaskText(const QString& mask, bool lengthFollows, bool keepValue)
{
    Relayout(
        [&] {
            mask_ = mask.left(kLongestMask);
            if (lengthFollows || maxLength_ < mask_.size())
                maxLength_ = std::max(1, static_cast<int>(mask_.size()));
        },
        keepValue);
}

void TEfPictureCore::Relayout(const std::function<void()>& change, bool keepValue)
{
    const bool kept = keepValue && !classes_.empty();
    const TEfValue value = kept ? TransferOut() : InitialValue();
    const std::optional<TEfValue> restore = kept ? RestoreCopyValue() : value;
    change();
    RebuildClasses();
    // The restore copy first: a value the new layout refuses still raises.
    RelayRestoreCopy(restore);
    WriteValue(value);
}

void TEfPictureCore::RebuildClasses()
{
    classes_.assign(static_cast<size_t>(maxLength_), pcLiteral);
    formatCount_ = 0;
    for (int i = 0; i < maxLength_; ++i) {
        classes_[static_cast<size_t>(i)] = ClassOf(MaskAt(i));
        if (classes_[static_cast<size_t>(i)] == pcFormatting)
            ++formatCount_;
    }
    prepared_ = false;
    text_ = text_.leftJustified(maxLength_, kBlank, true);
}

QChar TEfPictureCore::MaskAt(int i) const
{
    return i >= 0 && i < mask_.size() ? mask_[i] : kBlank;
}

quint8 TEfPictureCore::ClassAt(int i) const
{
    return i >= 0 && i < maxLength_ && static_cast<size_t>(i) < classes_.size() ? classes_[static_cast<size_t>(i)]
                                                                                : quint8(pcLiteral);
}

bool TEfPictureCore::IsEditable(int i) const
{
    const quint8 c = ClassAt(i);
    return c == pcEditable || (c == pcFormatting && prepared_);
}

bool TEfPictureCore::NumericLayout() const
{
    return Family() == TEfFamily::Numeric || formatCount_ > 0 || mask_.contains(QLatin1Char('.')) || mask_.contains(QLatin1Char('c')) ||
           mask_.contains(QLatin1Char('C'));
}

int TEfPictureCore::PointPos() const
{
    if (!NumericLayout())
        return -1;
    const qsizetype point = mask_.indexOf(QLatin1Char('.'));
    return point < maxLength_ ? static_cast<int>(point) : -1;
}

int TEfPictureCore::LastEditable() const
{
    for (int i = maxLength_ - 1; i >= 0; --i)
        if (IsEditable(i))
            return i;
    return -1;
}

int TEfPictureCore::NextEditable(int from) const
{
    int i = std::max(from, 0);
    while (i < maxLength_ && !IsEditable(i))
        ++i;
    return i;
}

int TEfPictureCore::PrevEditable(int before) const
{
    int i = std::min(before, maxLength_) - 1;
    while (i >= 0 && !IsEditable(i))
        --i;
    return i;
}

int TEfPictureCore::RunEnd(int i) const
{
    while (i + 1 < maxLength_ && IsEditable(i + 1))
        ++i;
    return i;
}

int TEfPictureCore::RunStart(int i) const
{
    while (i > 0 && IsEditable(i - 1))
        --i;
    return i;
}

QChar TEfPictureCore::TestMaskAt(int i) const
{
    if (ClassAt(i) != pcFormatting)
        return MaskAt(i);
    for (int j = 0; j < maxLength_; ++j)
        if (ClassAt(j) == pcEditable)
            return MaskAt(j);
    return QLatin1Char('9');
}

int TEfPictureCore::EditableCountAfterPoint() const
{
    const int point = PointPos();
    int count = 0;
    for (int i = point + 1; point >= 0 && i < maxLength_; ++i)
        if (ClassAt(i) == pcEditable)
            ++count;
    return count;
}

QChar TEfPictureCore::NumberMaskChar() const
{
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) == pcEditable)
            return MaskAt(i);
    return kBlank;
}

QString TEfPictureCore::StripText() const
{
    if (text_.size() != maxLength_)
        return text_;
    const TEfIntlSup& intl = IntlSup();
    const int point = PointPos();
    QString raw;
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) != pcLiteral || i == point)
            raw += text_[i];
    const qsizetype firstDollar = mask_.indexOf(QLatin1Char('$'));
    int dollars = 0;
    for (qsizetype i = firstDollar; i >= 0 && i < mask_.size() && mask_[i] == QLatin1Char('$'); ++i)
        ++dollars;
    const QString currency = intl.CurrencyLeft.left(dollars);
    if (!currency.isEmpty()) {
        const qsizetype at = raw.indexOf(currency);
        if (at >= 0)
            raw.remove(at, currency.size());
    }
    raw.remove(intl.ThousandsChar);
    raw.replace(intl.DecimalChar, QLatin1Char('.'));
    return raw;
}

QString TEfPictureCore::MaskedText() const
{
    return text_.leftJustified(mask_.size(), kBlank, true);
}

bool TEfPictureCore::TwoDigitYear() const
{
    const qsizetype year = mask_.indexOf(QLatin1Char('y'), 0, Qt::CaseInsensitive);
    return year >= 0 && mask_.mid(year, 4).compare(QLatin1String("yyyy"), Qt::CaseInsensitive) != 0;
}

QChar TEfPictureCore::LiteralShown(int i) const
{
    const QChar m = MaskAt(i);
    if (NumericLayout()) {
        if (i == PointPos())
            return IntlSup().DecimalChar;
        if (m == QLatin1Char('c') || m == QLatin1Char('C') || m == QLatin1Char('p') || m == QLatin1Char('g'))
            return kBlank;
    }
    return UserData().Substitute(m);
}

void TEfPictureCore::MergeText(const QString& raw)
{
    if (NumericLayout())
        MergeNumber(raw);
    else
        MergePlain(raw);
    prepared_ = false;
}

void TEfPictureCore::MergePlain(const QString& raw)
{
    QString text(maxLength_, kBlank);
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) == pcLiteral)
            text[i] = LiteralShown(i);
    if (RightJustify()) {
        qsizetype k = raw.size();
        for (int i = maxLength_ - 1; i >= 0 && k > 0; --i)
            if (ClassAt(i) != pcLiteral)
                text[i] = raw[--k];
    } else {
        qsizetype k = 0;
        for (int i = 0; i < maxLength_ && k < raw.size(); ++i)
            if (ClassAt(i) != pcLiteral)
                text[i] = raw[k++];
    }
    text_ = text;
}

void TEfPictureCore::MergeNumber(const QString& input)
{
    const TEfIntlSup& intl = IntlSup();
    QString raw = input.trimmed();
    const bool negative = raw.startsWith(QLatin1Char('-'));
    if (negative)
        raw.remove(0, 1);
    raw.remove(kBlank);
    const qsizetype dot = raw.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? raw : raw.left(dot);
    const QString fraction = dot < 0 ? QString() : raw.mid(dot + 1);
    const bool empty = raw.isEmpty() && !negative;

    QString text(maxLength_, kBlank);
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) == pcLiteral)
            text[i] = LiteralShown(i);
    const int point = PointPos();
    qsizetype f = 0;
    for (int i = point + 1; point >= 0 && i < maxLength_ && f < fraction.size(); ++i)
        if (ClassAt(i) == pcEditable)
            text[i] = fraction[f++];
    qsizetype k = whole.size();
    bool signPlaced = !negative;
    int numberStart = point >= 0 ? point : maxLength_;
    for (int i = numberStart - 1; i >= 0; --i) {
        if (ClassAt(i) == pcEditable) {
            if (k > 0) {
                text[i] = whole[--k];
                numberStart = i;
            } else if (!signPlaced) {
                text[i] = QLatin1Char('-');
                signPlaced = true;
                numberStart = i;
            }
        } else if (MaskAt(i) == QLatin1Char(',')) {
            // A separator the digits do not reach takes the sign, which
            // stands against them: a blank between would not read back.
            if (k > 0) {
                text[i] = intl.ThousandsChar;
            } else if (!signPlaced) {
                text[i] = QLatin1Char('-');
                signPlaced = true;
                numberStart = i;
            }
        }
    }
    // A number wider than its mask shows as stars and reads as no number.
    const bool stars = k > 0 || !signPlaced || f < fraction.size();
    if (stars) {
        for (int i = 0; i < maxLength_; ++i)
            if (ClassAt(i) == pcEditable)
                text[i] = QLatin1Char('*');
    }
    if (!empty) {
        const qsizetype dollar = mask_.indexOf(QLatin1Char('$'));
        int dollars = 0;
        while (dollar >= 0 && dollar + dollars < maxLength_ && MaskAt(int(dollar + dollars)) == QLatin1Char('$'))
            ++dollars;
        const QString currency = intl.CurrencyLeft.left(dollars).leftJustified(dollars, kBlank);
        if (dollar >= 0 && !stars && dollar < numberStart) {
            // The currency stands just before the amount, as the separators stand only between its digits.
            for (int i = numberStart - 1, c = dollars - 1; i >= 0 && c >= 0; --i)
                if (ClassAt(i) != pcLiteral)
                    text[i] = currency[c--];
        } else {
            for (int c = 0; c < dollars; ++c)
                text[int(dollar) + c] = currency[c];
        }
        for (int i = 0; i < maxLength_;) {
            const QChar m = MaskAt(i);
            if (m != QLatin1Char('c') && m != QLatin1Char('C')) {
                ++i;
                continue;
            }
            int end = i;
            while (end < maxLength_ && MaskAt(end) == m)
                ++end;
            const int length = end - i;
            const QString run = m == QLatin1Char('c') ? intl.CurrencyLeft.right(length).rightJustified(length, kBlank)
                                                      : intl.CurrencyRight.left(length).leftJustified(length, kBlank);
            text.replace(i, length, run);
            i = end;
        }
    }
    text_ = text;
}

void TEfPictureCore::PrepareForEditing()
{
    prepared_ = true;
    if (formatCount_ == 0)
        return;
    const TEfIntlSup& intl = IntlSup();
    const int end = PointPos() >= 0 ? PointPos() : maxLength_;
    QString kept;
    for (int i = 0; i < end; ++i)
        if (ClassAt(i) != pcLiteral)
            kept += text_[i];
    const qsizetype at = intl.CurrencyLeft.isEmpty() ? -1 : kept.indexOf(intl.CurrencyLeft.trimmed());
    if (at >= 0)
        kept.remove(at, intl.CurrencyLeft.trimmed().size());
    kept.remove(intl.ThousandsChar);
    kept.remove(kBlank);
    qsizetype k = kept.size();
    for (int i = end - 1; i >= 0; --i)
        if (ClassAt(i) != pcLiteral)
            text_[i] = k > 0 ? kept[--k] : kBlank;
}

void TEfPictureCore::DecimalAlign()
{
    const int point = PointPos();
    if (point < 0)
        return;
    if (point > 0 && IsEditable(point - 1)) {
        const int start = RunStart(point - 1);
        QString digits = text_.mid(start, point - start);
        digits.remove(kBlank);
        if (digits.isEmpty())
            digits = QStringLiteral("0");
        text_.replace(start, point - start, digits.rightJustified(point - start, kBlank, true));
    }
    if (point + 1 < maxLength_ && IsEditable(point + 1)) {
        const int end = RunEnd(point + 1) + 1;
        QString digits = text_.mid(point + 1, end - point - 1);
        digits.remove(kBlank);
        text_.replace(point + 1, end - point - 1,
                      digits.leftJustified(end - point - 1, QLatin1Char('0'), true));
    }
}

quint16 TEfPictureCore::ValidateOnLeaving(bool softAllowed)
{
    if (IsModified() && HasFocus() && PointPos() >= 0)
        DecimalAlign();
    return TEfFieldCore::ValidateOnLeaving(softAllowed);
}

void TEfPictureCore::CaretToEndPos()
{
    int last = -1;
    for (int i = 0; i < maxLength_; ++i)
        if (IsEditable(i) && text_[i] != kBlank)
            last = i;
    SetCaretPos(last >= 0 ? last + 1 : FirstEditable());
    ClearSelection();
}

void TEfPictureCore::CaretToStartPos()
{
    SetCaretPos(FirstEditable());
    ClearSelection();
}

int TEfPictureCore::FirstEditable() const
{
    for (int i = 0; i < maxLength_; ++i)
        if (ClassAt(i) != pcLiteral)
            return std::min(i + formatCount_, maxLength_ - 1);
    return 0;
}

void TEfPictureCore::SetCaretPos(int position)
{
    const int last = LastEditable();
    const int next = NextEditable(std::clamp(position, 0, maxLength_));
    SetCaret(last < 0 ? 0 : std::min(next, last + 1));
}

bool TEfPictureCore::IsEmpty() const
{
    if (DataType() == dtDate)
        return IntlSup().DateTextToDayNumber(mask_, MaskedText(), EffectiveEpoch()) == InvalidDay;
    if (DataType() == dtTime)
        return IntlSup().TimeTextToSeconds(mask_, MaskedText()) == InvalidTime;
    for (int i = 0; i < maxLength_ && i < text_.size(); ++i)
        if (IsEditable(i) && text_[i] != kBlank)
            return false;
    return true;
}

QString TEfPictureCore::DisplayString() const
{
    if (Uninitialized() && !HasFocus())
        return QString(maxLength_, kBlank);
    if (!PasswordMode && PadChar == kBlank)
        return text_;
    QString shown = text_;
    const bool padLeft = Family() == TEfFamily::Numeric;
    for (int end = LastEditable(); end >= 0; end = PrevEditable(RunStart(end))) {
        const int start = RunStart(end);
        if (padLeft)
            for (int i = start; i <= end && shown[i] == kBlank; ++i)
                shown[i] = PadChar;
        else
            for (int i = end; i >= start && shown[i] == kBlank; --i)
                shown[i] = PadChar;
        if (PasswordMode)
            for (int i = start; i <= end; ++i)
                if (text_[i] != kBlank)
                    shown[i] = PasswordChar;
    }
    return shown;
}

void TEfPictureCore::DeleteAt(int i)
{
    if (!IsEditable(i))
        return;
    const int end = RunEnd(i);
    for (int j = i; j < end; ++j)
        text_[j] = text_[j + 1];
    text_[end] = kBlank;
}

bool TEfPictureCore::InsertAt(int i, QChar c)
{
    const int end = RunEnd(i);
    if (end > i) {
        if (!InsertPushes() && text_[end] != kBlank)
            return false;
        for (int j = end; j > i; --j)
            text_[j] = text_[j - 1];
    }
    text_[i] = c;
    return true;
}

void TEfPictureCore::DeleteRange(int start, int end)
{
    for (int i = end - 1; i >= start; --i)
        DeleteAt(i);
    SetCaretPos(start);
    ClearSelection();
}

void TEfPictureCore::MoveCaret(int position)
{
    const int before = Caret();
    SetCaretPos(position);
    const int point = PointPos();
    if (point >= 0 && IsModified() && (before < point) != (Caret() < point)) {
        const QString old = text_;
        DecimalAlign();
        if (text_ != old)
            Changed();
    }
}

int TEfPictureCore::WordLeftOf(int position) const
{
    int i = PrevEditable(position);
    while (i >= 0 && text_[i] == kBlank)
        i = PrevEditable(i);
    if (i < 0)
        return FirstEditable();
    for (int j = PrevEditable(i); j >= 0 && text_[j] != kBlank; j = PrevEditable(j))
        i = j;
    return i;
}

int TEfPictureCore::WordRightOf(int position) const
{
    const int last = LastEditable();
    int i = position;
    while (i <= last && text_[i] != kBlank)
        i = NextEditable(i + 1);
    while (i <= last && text_[i] == kBlank)
        i = NextEditable(i + 1);
    return i;
}

bool TEfPictureCore::TypeChar(QChar c, bool quiet)
{
    const TEfIntlSup& intl = IntlSup();
    const int point = PointPos();
    const bool separator = point >= 0 && c == intl.DecimalChar;
    const auto prevOf = [this](int i) { return i > 0 && i <= text_.size() ? text_[i - 1] : kBlank; };
    if (HasSelection()) {
        QChar tested = c == intl.DecimalChar ? QLatin1Char('.') : c;
        if (separator || EfMaskAccepts(TestMaskAt(SelStart()), tested, prevOf(SelStart())))
            DeleteRange(SelStart(), SelEnd());
    }
    if (separator) {
        DecimalAlign();
        SetCaretPos(point + 1);
        ClearSelection();
        Changed();
        return true;
    }
    const int caret = Caret();
    if (caret > LastEditable()) {
        if (!quiet && AutoAdvanceChar)
            Advance(true);
        else if (!quiet)
            Refuse();
        return false;
    }
    const bool asPoint = c == intl.DecimalChar;
    QChar tested = asPoint ? QLatin1Char('.') : c;
    if (!EfMaskAccepts(TestMaskAt(caret), tested, prevOf(caret))) {
        if (!quiet)
            Refuse();
        return false;
    }
    const QChar typed = asPoint ? c : tested;
    if (InsertMode()) {
        if (!InsertAt(caret, typed)) {
            if (!quiet)
                Refuse();
            return false;
        }
    } else {
        text_[caret] = typed;
    }
    SetCaretPos(caret + 1);
    if (!quiet && AutoAdvanceChar && Caret() > LastEditable())
        Advance(true);
    Changed();
    return true;
}

void TEfPictureCore::CompleteDateTime()
{
    const TEfIntlSup& intl = IntlSup();
    const QString now = (DataType() == dtDate ? intl.DayNumberToDateText(mask_, TodayDayNumber(), false)
                                              : intl.SecondsToTimeText(mask_, CurrentSeconds(), false))
                            .leftJustified(maxLength_, kBlank, true);
    if (SelStart() == 0 && SelEnd() >= maxLength_) {
        text_ = now;
    } else {
        SetCaretPos(HasSelection() ? SelStart() : Caret());
        for (int i = Caret(); i < maxLength_; ++i)
            text_[i] = now[i];
    }
    SetCaretPos(maxLength_);
    Changed();
}

// Where a caret command takes the caret; `advance` when it leaves the field instead.
bool TEfPictureCore::CaretCommand(quint16 command, int& position, bool& advance, bool& next) const
{
    const int caret = Caret();
    const int last = LastEditable();
    const int first = NextEditable(FirstEditable());
    advance = false;
    switch (command) {
    case ccLeft: case ccExtendLeft: {
        const int p = PrevEditable(caret);
        advance = p < 0;
        next = false;
        position = p < 0 ? caret : p;
        return true;
    }
    case ccRight: case ccExtendRight:
        advance = caret > last;
        next = true;
        position = advance ? caret : NextEditable(caret + 1);
        return true;
    case ccWordLeft: case ccExtWordLeft:
        advance = caret <= first;
        next = false;
        position = advance ? caret : WordLeftOf(caret);
        return true;
    case ccWordRight: case ccExtWordRight:
        advance = caret > last;
        next = true;
        position = advance ? caret : WordRightOf(caret);
        return true;
    default:
        return false;
    }
}

void TEfPictureCore::PictureEditStep(const TEfEditInput& input)
{
    if (!prepared_ && EditsText(input.command))
        PrepareForEditing();
    const int caret = Caret();
    bool keepSelection = false;
    switch (input.command) {
    case ccChar:
        TypeChar(input.ch, false);
        break;
    case ccPaste: {
        if (HasSelection())
            DeleteRange(SelStart(), SelEnd());
        for (QChar c : input.text)
            if (Caret() <= LastEditable())
                TypeChar(c, true);
        break;
    }
    case ccBack:
    case ccDel:
    case ccDelWord:
    case ccCut: {
        const QString before = text_;
        if (HasSelection()) {
            DeleteRange(SelStart(), SelEnd());
        } else if (input.command == ccBack) {
            const int p = PrevEditable(caret);
            if (p >= 0) {
                DeleteAt(p);
                SetCaretPos(p);
            }
        } else if (input.command == ccDel) {
            DeleteAt(caret);
        } else if (input.command == ccDelWord && IsEditable(caret)) {
            const int end = RunEnd(caret);
            int i = caret;
            while (i <= end && text_[i] != kBlank)
                ++i;
            while (i <= end && text_[i] == kBlank)
                ++i;
            DeleteRange(caret, i);
        }
        if (text_ != before)
            Changed();
        break;
    }
    case ccDelEol:
    case ccDelBol:
    case ccDelLine: {
        const QString before = text_;
        if (input.command == ccDelBol) {
            DeleteRange(0, caret);
            CaretToStartPos();
        } else {
            const int from = input.command == ccDelEol ? caret : 0;
            for (int i = from; i < maxLength_; ++i)
                if (IsEditable(i))
                    text_[i] = kBlank;
            if (input.command == ccDelLine)
                CaretToStartPos();
        }
        if (text_ != before)
            Changed();
        break;
    }
    case ccLeft: case ccRight: case ccWordLeft: case ccWordRight:
    case ccExtendLeft: case ccExtendRight: case ccExtWordLeft: case ccExtWordRight: {
        int position = caret;
        bool advance = false, next = false;
        CaretCommand(input.command, position, advance, next);
        const bool extend = input.command == ccExtendLeft || input.command == ccExtendRight ||
                            input.command == ccExtWordLeft || input.command == ccExtWordRight;
        if (extend) {
            MoveCaret(position);
            ExtendSelection(caret);
            keepSelection = true;
        } else if (advance) {
            if (AutoAdvanceLeftRight)
                Advance(next);
        } else {
            MoveCaret(position);
        }
        break;
    }
    case ccUp:
    case ccDown:
        if (AutoAdvanceUpDown)
            Advance(input.command == ccDown);
        else
            return PictureEditStep(TEfEditInput{input.command == ccUp ? ccLeft : ccRight, {}, {}, -1, false});
        break;
    case ccHome:
        CaretToStartPos();
        break;
    case ccEnd:
        CaretToEndPos();
        break;
    case ccExtendHome:
    case ccExtendEnd:
        if (input.command == ccExtendHome)
            SetCaretPos(FirstEditable());
        else {
            const int selStart = SelStart(), selEnd = SelEnd();
            CaretToEndPos();
            SetSelection(selStart, selEnd);
        }
        ExtendSelection(caret);
        keepSelection = true;
        break;
    case ccIns:
        ToggleInsertMode();
        break;
    case ccInc:
        IncreaseValue(false, 1.0);
        break;
    case ccDec:
        DecreaseValue(false, 1.0);
        break;
    case ccRestore:
        RestoreText();
        keepSelection = true;
        break;
    case ccCompleteDate:
    case ccCompleteTime:
        if ((input.command == ccCompleteDate) == (DataType() == dtDate) &&
            (DataType() == dtDate || DataType() == dtTime))
            CompleteDateTime();
        else
            MarkNotHandled();
        break;
    case ccCtrlChar:
        SetControlCharNext(true);
        return;
    case ccMouseCaret:
        MoveCaret(input.position);
        if (input.shift) {
            ExtendSelection(caret);
            keepSelection = true;
        }
        break;
    case ccMouseExtend:
        MoveCaret(input.position);
        ExtendSelection(caret);
        keepSelection = true;
        break;
    case ccDblClick: {
        const int at = NextEditable(input.position);
        if (at < maxLength_) {
            SetSelection(RunStart(at), RunEnd(at) + 1);
            SetCaretPos(RunEnd(at) + 1);
        }
        keepSelection = true;
        break;
    }
    case ccCopy:
        break;
    case ccPlainKey:
    case ccBrokenSequence:
    case ccFirstOfTwo:
        return;
    default:
        MarkNotHandled();
        return;
    }
    if (input.command != ccPlainKey)
        SetControlCharNext(false);
    if (!keepSelection)
        ClearSelection();
}


TEfValue TEfPictureCore::NumberOut() const
{
    const QString raw = StripText().trimmed();
    if (IsIntegerType(DataType())) {
        qint32 value = 0;
        int errorPos = 0;
        return TEfValue{{}, raw.isEmpty() || !TextToLong(raw, value, errorPos) ? 0.0 : value};
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(FixRealText(raw, QLatin1Char('.')), &ok);
    return TEfValue{{}, ok && std::isfinite(value) ? value : 0.0};
}

void TEfPictureCore::NumberIn(double value)
{
    if (IsIntegerType(DataType())) {
        MergeText(IntegerText(static_cast<qint64>(value)));
        return;
    }
    const int point = PointPos();
    const int decimals = std::clamp(point >= 0 ? EditableCountAfterPoint() : DecimalPlaces, 0, kLongestMask);
    QString text = QString::number(value, 'f', decimals);
    if (DecimalPlaces != 0)
        TrimTrailingZeros(text);
    text = text.trimmed();
    // A number mask places the point itself; a plain one shows the user's.
    if (point < 0)
        text.replace(QLatin1Char('.'), IntlSup().DecimalChar);
    MergeText(text);
}

quint16 TEfPictureCore::NumberValidation()
{
    const QString raw = StripText().trimmed();
    double value = 0.0;
    if (!raw.isEmpty()) {
        if (IsIntegerType(DataType())) {
            qint32 integer = 0;
            int errorPos = 0;
            if (!TextToLong(raw, integer, errorPos))
                return efeInvalidForType;
            value = integer;
        } else {
            bool ok = false;
            value = QLocale::c().toDouble(FixRealText(raw, QLatin1Char('.')), &ok);
            if (!ok || !std::isfinite(value))
                return efeInvalidForType;
        }
    }
    if (!InRange(value))
        return efeRange;
    if (HasFocus())
        Relay();
    return 0;
}

void TEfPictureCore::NumberStep(bool wrap, double delta)
{
    double next = 0.0;
    if (NextStep(NumberOut().number, delta, wrap, IsIntegerType(DataType()), next))
        PutSteppedValue(TEfValue{{}, next});
}

// The picture field.

TEfPictureFieldCore::TEfPictureFieldCore(TEfController* controller) : TEfPictureCore(controller)
{
    SetDataType(pftString);
}

void TEfPictureFieldCore::SetDataType(TPictureDataType type)
{
    static const char* const kMasks[] = {
        "XXXXXXXXXXXXXXX", "X", "B", "Y", "iiiiiiiiii", "99999", "iiiiii", "999", "iiii",
        "##########", "##########", "##########", "##########", "iiiiiiiiii",
    };
    const auto dataType = static_cast<TEfDataType>(type);
    SetTypeCode(dataType, TEfFamily::Picture);
    QString mask;
    if (dataType == dtDate)
        mask = IntlSup().DefaultDateMask(IntlSup().ShortDateMask.contains(QLatin1String("yyyy")));
    else if (dataType == dtTime)
        mask = IntlSup().DefaultTimeMask(false);
    else
        mask = QString::fromLatin1(kMasks[type]);
    SetMaskText(mask, true, false);
}

void TEfPictureFieldCore::SetPictureMask(const QString& mask)
{
    QString stored = mask;
    for (QChar sign : {QLatin1Char('p'), QLatin1Char('g')}) {
        const qsizetype at = stored.indexOf(sign);
        if (at >= 0)
            stored.remove(at, 1);
    }
    const bool floating = DataType() >= dtReal && DataType() <= dtSingle;
    if (stored.size() > 255 || (stored.contains(QLatin1Char('.')) && !floating))
        throw EInvalidPictureMask(mask);
    SetMaskText(stored);
}

void TEfPictureFieldCore::SetInitDateTime(bool value)
{
    initDateTime_ = value;
    if (DataType() == dtDate)
        value ? SetDayNumber(TodayDayNumber()) : ClearText();
    else if (DataType() == dtTime)
        value ? SetSeconds(CurrentSeconds()) : ClearText();
}

void TEfPictureFieldCore::EditStep(const TEfEditInput& input)
{
    if (IsCharType(DataType()))
        OneCharStep(input, [this](QChar c) {
            const int at = NextEditable(0);
            if (at >= maxLength_ || !EfMaskAccepts(TestMaskAt(at), c, kBlank))
                return false;
            text_[at] = c;
            return true;
        });
    else
        PictureEditStep(input);
}

TEfValue TEfPictureFieldCore::TransferOut() const
{
    const TEfIntlSup& intl = IntlSup();
    const int at = NextEditable(0);
    const QChar c = at < text_.size() ? text_[at] : kBlank;
    switch (DataType()) {
    case dtString: {
        if (TrimBlanks() && IsEmpty())
            return {};
        QString text;
        for (int i = 0; i < text_.size(); ++i)
            if (!StripLiterals() || ClassAt(i) != pcLiteral)
                text += text_[i];
        return TEfValue{TrimBlanks() ? text.trimmed() : text, 0.0};
    }
    case dtChar: return TEfValue{QString(c), static_cast<double>(c.unicode())};
    case dtBoolean: return TEfValue{QString(c), c.toUpper() == intl.TrueChar ? 1.0 : 0.0};
    case dtYesNo: return TEfValue{QString(c), c.toUpper() == intl.YesChar ? 1.0 : 0.0};
    case dtDate: return TEfValue{{}, static_cast<double>(intl.DateTextToDayNumber(MaskText(), MaskedText(), EffectiveEpoch()))};
    case dtTime: return TEfValue{{}, static_cast<double>(intl.TimeTextToSeconds(MaskText(), MaskedText()))};
    default: return NumberOut();
    }
}

bool TEfPictureFieldCore::DayFitsMask(qint32 day) const
{
    if (day == InvalidDay || !TwoDigitYear())
        return true;
    int d = 0, m = 0, y = 0;
    DayNumberToDMY(day, d, m, y);
    return y >= EffectiveEpoch() && y <= EffectiveEpoch() + 99;
}

void TEfPictureFieldCore::TransferIn(const TEfValue& value)
{
    const TEfIntlSup& intl = IntlSup();
    const int at = NextEditable(0);
    switch (DataType()) {
    case dtString:
        MergeText(value.text.left(maxLength_));
        return;
    case dtChar: case dtBoolean: case dtYesNo: {
        QChar c = value.text.isEmpty() ? kBlank : value.text.front();
        if (DataType() == dtBoolean)
            c = value.number != 0.0 ? intl.TrueChar : intl.FalseChar;
        else if (DataType() == dtYesNo)
            c = value.number != 0.0 ? intl.YesChar : intl.NoChar;
        MergeText(QString(c));
        if (at < maxLength_)
            text_[at] = c;
        return;
    }
    case dtDate: {
        auto day = static_cast<qint32>(std::clamp(value.number, -1.0, double(MaxDayNumber())));
        if (!DayFitsMask(day)) {
            if (day != 0 && day != DateTimeToDayNumber(0.0))
                throw EInvalidDateForMask();
            day = InvalidDay;
        }
        text_ = intl.DayNumberToDateText(MaskText(), day, false).leftJustified(maxLength_, kBlank, true);
        return;
    }
    case dtTime: {
        const auto seconds = static_cast<qint32>(std::clamp(value.number, -1.0, 86399.0));
        text_ = intl.SecondsToTimeText(MaskText(), seconds, false).leftJustified(maxLength_, kBlank, true);
        return;
    }
    default:
        NumberIn(value.number);
        return;
    }
}

quint16 TEfPictureFieldCore::TypeValidation()
{
    const TEfIntlSup& intl = IntlSup();
    quint16 code = 0;
    const QString character = TransferOut().text;
    const QChar c = character.isEmpty() ? kBlank : character.front().toUpper();
    switch (DataType()) {
    case dtDate:
        if (!IsBlankText()) {
            const qint32 day = intl.DateTextToDayNumber(MaskText(), MaskedText(), EffectiveEpoch());
            if (day == InvalidDay)
                code = efeInvalidDate;
            else if (RangeHi() != 0.0 && !InRange(day))
                code = efeRange;
            else if (HasFocus())
                Relay();
        }
        break;
    case dtTime:
        if (!IsBlankText()) {
            const qint32 seconds = intl.TimeTextToSeconds(MaskText(), MaskedText());
            if (seconds == InvalidTime)
                code = efeInvalidTime;
            else if (RangeHi() != 0.0 && !InRange(seconds))
                code = efeRange;
            else if (HasFocus())
                Relay();
        }
        break;
    case dtBoolean:
        code = c == intl.TrueChar || c == intl.FalseChar ? 0 : efeRange;
        break;
    case dtYesNo:
        code = c == intl.YesChar || c == intl.NoChar ? 0 : efeRange;
        break;
    case dtChar:
        if (RangeLo() != RangeHi() && !InRange(TransferOut().number))
            code = efeRange;
        break;
    case dtString: {
        bool literals = false;
        for (int i = 0; i < maxLength_; ++i)
            literals = literals || ClassAt(i) == pcLiteral;
        if (TrimBlanks() && HasFocus() && !literals)
            MergeText(text_.trimmed());
        break;
    }
    default:
        code = NumberValidation();
        break;
    }
    return UserValidation(code);
}

bool TEfPictureFieldCore::IsBlankText() const
{
    if (DataType() == dtDate)
        return IntlSup().DateTextIsBlank(MaskText(), MaskedText());
    if (DataType() != dtTime)
        return IsEmpty();
    for (int i = 0; i < maxLength_; ++i)
        if (QStringLiteral("hms").contains(MaskAt(i).toLower()) && text_[i] != kBlank)
            return false;
    return true;
}

QChar TEfPictureFieldCore::StepMaskChar() const
{
    if (IsEditable(Caret()))
        return MaskAt(Caret());
    const int before = PrevEditable(Caret());
    return before >= 0 ? MaskAt(before) : MaskAt(NextEditable(0));
}

void TEfPictureFieldCore::StepDate(bool wrap, double delta)
{
    qint32 day = static_cast<qint32>(TransferOut().number);
    if (day == InvalidDay)
        day = TodayDayNumber();
    const int step = static_cast<int>(std::nearbyint(std::clamp(delta, -kLargestCalendarStep, kLargestCalendarStep)));
    const QChar part = StepMaskChar().toLower();
    qint32 next = InvalidDay;
    if (part == QLatin1Char('d'))
        next = day + step;
    else if (part == QLatin1Char('m') || part == QLatin1Char('n'))
        next = IncMonthsYears(day, step, 0);
    else if (part == QLatin1Char('y'))
        next = IncMonthsYears(day, 0, step);
    else
        return;
    qint32 lo = RangeHi() == 0.0 ? 0 : static_cast<qint32>(RangeLo());
    qint32 hi = RangeHi() == 0.0 ? MaxDayNumber() : static_cast<qint32>(RangeHi());
    if (TwoDigitYear()) {
        lo = std::max(lo, DMYToDayNumber(1, 1, EffectiveEpoch(), 0));
        hi = std::min(hi, DMYToDayNumber(31, 12, EffectiveEpoch() + 99, 0));
    }
    // A range wholly outside the epoch's century leaves no date to step to.
    if (lo > hi)
        return;
    if (next == InvalidDay || next < lo || next > hi) {
        if (!wrap || step == 0)
            return;
        next = step > 0 ? lo : hi;
    }
    PutSteppedValue(TEfValue{{}, static_cast<double>(next)});
}

void TEfPictureFieldCore::StepTime(bool wrap, double delta)
{
    qint32 seconds = static_cast<qint32>(TransferOut().number);
    if (seconds == InvalidTime)
        seconds = CurrentSeconds();
    const QChar part = StepMaskChar().toLower();
    const double unit = part == QLatin1Char('h') ? 3600.0 : part == QLatin1Char('m') ? 60.0 : part == QLatin1Char('s') ? 1.0 : 0.0;
    const double step = std::nearbyint(std::clamp(delta, -kLargestCalendarStep, kLargestCalendarStep)) * unit;
    if (step == 0.0)
        return;
    const double lo = RangeHi() == 0.0 ? 0.0 : RangeLo();
    const double hi = RangeHi() == 0.0 ? 86399.0 : RangeHi();
    double next = seconds + step;
    if (next < lo || next > hi) {
        if (!wrap)
            return;
        next = step > 0 ? lo : hi;
    }
    PutSteppedValue(TEfValue{{}, next});
}

void TEfPictureFieldCore::StepValue(bool wrap, double delta)
{
    switch (DataType()) {
    case dtString:
        return;
    case dtChar: {
        const int at = NextEditable(0);
        QChar next;
        if (at < maxLength_ && StepChar(TestMaskAt(at), text_[at], delta, wrap, next))
            PutSteppedValue(TEfValue{QString(next), static_cast<double>(next.unicode())});
        return;
    }
    case dtBoolean:
    case dtYesNo:
        PutSteppedValue(TEfValue{{}, TransferOut().number != 0.0 ? 0.0 : 1.0});
        return;
    case dtDate:
        StepDate(wrap, delta);
        return;
    case dtTime:
        StepTime(wrap, delta);
        return;
    default:
        NumberStep(wrap, delta);
        return;
    }
}

TEfPictureField::TEfPictureField(QWidget* parent, TEfController* controller)
    : TEfBaseEntryField(parent, controller)
{
    SetCore(std::make_unique<TEfPictureFieldCore>(Controller()));
}

TEfPictureField::TEfPictureField(QWidget* parent, TPictureDataType type, const QString& mask,
                                 TEfController* controller)
    : TEfPictureField(parent, controller)
{
    SetDataType(type);
    if (!mask.isEmpty())
        SetPictureMask(mask);
}
