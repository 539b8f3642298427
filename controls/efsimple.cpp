#include "efsimple.h"

#include "intlsup.h"
#include "textroutines.h"

#include <QLocale>
#include <cmath>
#include <cstring>

namespace {
const QChar kBlank(QLatin1Char(' '));

bool IsFloating(TEfDataType type)
{
    return type >= dtReal && type <= dtSingle;
}

int WordStartBefore(const QString& text, int c)
{
    while (c > 0 && text[c - 1] == kBlank)
        --c;
    while (c > 0 && text[c - 1] != kBlank)
        --c;
    return c;
}

int NextWordStart(const QString& text, int c)
{
    const int n = static_cast<int>(text.size());
    while (c < n && text[c] != kBlank)
        ++c;
    while (c < n && text[c] == kBlank)
        ++c;
    return c;
}
}  // namespace

TEfSimpleFieldCore::TEfSimpleFieldCore(TEfController* controller) : TEfFieldCore(controller)
{
    SetTypeCode(dtString, TEfFamily::Simple);
}

void TEfSimpleFieldCore::SetDataType(TSimpleDataType type)
{
    struct Defaults {
        char mask;
        int maxLength;
    };
    static constexpr Defaults kDefaults[] = {
        {'X', 15}, {'X', 1}, {'B', 1}, {'Y', 1}, {'i', 8}, {'9', 5}, {'i', 5}, {'9', 3}, {'i', 4},
        {'#', 14}, {'#', 14}, {'#', 14}, {'#', 14}, {'i', 14},
    };
    if (type < sftString || type > sftComp)
        throw EEfException(QStringLiteral("Parameter value is invalid"));
    if (static_cast<TEfDataType>(type) == DataType())
        return;
    SetTypeCode(static_cast<TEfDataType>(type), TEfFamily::Simple);
    mask_ = QLatin1Char(kDefaults[type].mask);
    SetMaxLength(kDefaults[type].maxLength);
}

void TEfSimpleFieldCore::SetPictureMask(QChar mask)
{
    static constexpr char kMasks[] = "!#123456789ABEKLOXYabilx";
    if (mask.unicode() == 0 || mask.unicode() > 127 || !std::strchr(kMasks, mask.unicode()))
        throw EInvalidPictureMask(QString(mask));
    if (mask == mask_)
        return;
    const TEfValue value = TransferOut();
    mask_ = mask;
    WriteValue(value);
}

bool TEfSimpleFieldCore::Accepts(QChar& c, QChar prev) const
{
    if (c.unicode() < 32 && !ControlCharNext())
        return false;
    if (IsFloating(DataType())) {
        const QChar decimal = IntlSup().DecimalChar;
        if (c == decimal) {
            QChar point = QLatin1Char('.');
            return EfMaskAccepts(mask_, point, prev);
        }
        if (c == QLatin1Char('.'))
            return false;
    }
    return EfMaskAccepts(mask_, c, prev);
}

void TEfSimpleFieldCore::AdvanceOn(int position, bool afterChar) const
{
    if (position >= maxLength_ && (afterChar ? AutoAdvanceChar : AutoAdvanceLeftRight))
        Advance(true);
}

void TEfSimpleFieldCore::DeleteSelection()
{
    text_.remove(SelStart(), SelEnd() - SelStart());
    SetCaret(SelStart());
    ClearSelection();
}

void TEfSimpleFieldCore::EditStep(const TEfEditInput& input)
{
    const bool charFollows = charMayFollow_;
    charMayFollow_ = input.command == ccPlainKey;
    if (input.command == ccChar && !charFollows)
        return;  // a character no key reported: not typed by the user
    if (DataType() == dtChar || DataType() == dtBoolean || DataType() == dtYesNo)
        OneCharStep(input, [this](QChar c) {
            if (!Accepts(c, kBlank))
                return false;
            text_ = QString(c);
            SetCaret(0);
            return true;
        });
    else
        LineStep(input);
    if (input.command != ccCtrlChar && input.command != ccPlainKey)
        SetControlCharNext(false);
}

bool TEfSimpleFieldCore::TypeChar(QChar typed)
{
    const auto prevOf = [this](int c) { return c > 0 ? text_[c - 1] : kBlank; };
    QChar c = typed;
    if (!Accepts(c, prevOf(Caret()))) {
        Refuse();
        return false;
    }
    if (HasSelection()) {
        DeleteSelection();
        c = typed;
        Accepts(c, prevOf(Caret()));
    }
    const int caret = Caret();
    const int n = static_cast<int>(text_.size());
    if (!InsertMode()) {
        if (caret >= maxLength_) {
            AutoAdvanceChar ? Advance(true) : Refuse();
            return false;
        }
        if (caret < n)
            text_[caret] = c;
        else
            text_.append(c);
    } else {
        if (n == maxLength_ && caret < n && InsertPushes())
            text_.chop(1);
        if (text_.size() >= maxLength_) {
            if (caret >= maxLength_ && AutoAdvanceChar)
                Advance(true);
            else
                Refuse();
            return false;
        }
        text_.insert(caret, c);
    }
    SetCaret(caret + 1);
    AdvanceOn(caret + 1, true);
    return true;
}

void TEfSimpleFieldCore::PasteText(const QString& text)
{
    if (HasSelection())
        DeleteSelection();
    for (QChar typed : text) {
        QChar c = typed;
        if (!Accepts(c, QLatin1Char('x')))
            continue;
        if (text_.size() == maxLength_ && Caret() < text_.size() && InsertPushes())
            text_.chop(1);
        if (text_.size() >= maxLength_)
            break;
        text_.insert(Caret(), c);
        SetCaret(Caret() + 1);
    }
}

void TEfSimpleFieldCore::LineStep(const TEfEditInput& input)
{
    const QString before = text_;
    const int c = Caret();
    const int n = static_cast<int>(text_.size());
    bool keepSelection = false;
    switch (input.command) {
    case ccChar: TypeChar(input.ch); break;
    case ccBack:
        if (HasSelection())
            DeleteSelection();
        else if (c > 0) {
            text_.remove(c - 1, 1);
            SetCaret(c - 1);
        }
        break;
    case ccDel:
        if (HasSelection())
            DeleteSelection();
        else if (c < n)
            text_.remove(c, 1);
        break;
    case ccDelBol:
        text_.remove(0, c);
        SetCaret(0);
        break;
    case ccDelEol: text_.truncate(c); break;
    case ccDelLine:
        text_.clear();
        SetCaret(0);
        break;
    case ccDelWord:
        if (HasSelection())
            DeleteSelection();
        else
            text_.remove(c, NextWordStart(text_, c) - c);
        break;
    case ccCut:
        if (HasSelection())
            DeleteSelection();
        break;
    case ccCopy: break;
    case ccPaste: PasteText(input.text); break;
    case ccLeft:
        if (c > 0)
            SetCaret(c - 1);
        else if (AutoAdvanceLeftRight)
            Advance(false);
        break;
    case ccRight:
        if (c < n)
            SetCaret(c + 1);
        else
            AdvanceOn(maxLength_, false);
        break;
    case ccWordLeft:
        if (c > 0)
            SetCaret(WordStartBefore(text_, c));
        else if (AutoAdvanceLeftRight)
            Advance(false);
        break;
    case ccWordRight:
        if (c < n)
            SetCaret(NextWordStart(text_, c));
        else
            AdvanceOn(maxLength_, false);
        break;
    case ccHome: SetCaret(0); break;
    case ccEnd: SetCaret(n); break;
    case ccUp:
    case ccDown:
        if (AutoAdvanceUpDown)
            Advance(input.command == ccDown);
        else
            return LineStep(TEfEditInput{input.command == ccUp ? ccLeft : ccRight, {}, {}, -1, false});
        break;
    case ccExtendLeft: case ccExtendRight: case ccExtendHome: case ccExtendEnd: case ccExtWordLeft:
    case ccExtWordRight: {
        int to = c;
        switch (input.command) {
        case ccExtendLeft: to = std::max(c - 1, 0); break;
        case ccExtendRight: to = std::min(c + 1, n); break;
        case ccExtendHome: to = 0; break;
        case ccExtendEnd: to = n; break;
        case ccExtWordLeft: to = WordStartBefore(text_, c); break;
        default: to = NextWordStart(text_, c); break;
        }
        SetCaret(to);
        ExtendSelection(c);
        keepSelection = true;
        break;
    }
    case ccIns: ToggleInsertMode(); break;
    case ccInc: IncreaseValue(false, 1.0); break;
    case ccDec: DecreaseValue(false, 1.0); break;
    case ccRestore:
        RestoreText();
        keepSelection = true;
        break;
    case ccMouseCaret:
        if (n > 0) {
            SetCaretPos(input.position);
            if (input.shift) {
                ExtendSelection(c);
                keepSelection = true;
            }
        }
        break;
    case ccMouseExtend:
    case ccDblClick:
        keepSelection = true;
        if (n == 0)
            break;
        if (input.command == ccMouseExtend) {
            SetCaretPos(input.position);
            ExtendSelection(c);
        } else {
            int start = std::clamp(input.position, 0, n);
            while (start > 0 && text_[start - 1] != kBlank)
                --start;
            const int end = NextWordStart(text_, start);
            SetCaret(end);
            SetSelection(start, end);
        }
        break;
    case ccCtrlChar:
        SetControlCharNext(true);
        return;
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
    if (text_ != before)
        Changed();
}


QString TEfSimpleFieldCore::DisplayString() const
{
    if (text_.isEmpty())
        return text_;
    if (Uninitialized() && !HasFocus())
        return QString(text_.size(), kBlank);
    QString shown = PasswordMode ? QString(text_.size(), PasswordChar) : text_;
    if (PadChar != kBlank)
        shown = shown.leftJustified(maxLength_, PadChar);
    return shown;
}

bool TEfSimpleFieldCore::ReadNumber(double& value) const
{
    value = 0.0;
    if (text_.trimmed().isEmpty())
        return true;
    if (IsIntegerType(DataType())) {
        qint32 integer = 0;
        int errorPos = 0;
        if (!TextToLong(text_, integer, errorPos))
            return false;
        value = integer;
        return true;
    }
    bool ok = false;
    value = QLocale::c().toDouble(FixRealText(text_, IntlSup().DecimalChar), &ok);
    if (!ok || !std::isfinite(value))
        value = 0.0;
    return ok && std::isfinite(value);
}

QString TEfSimpleFieldCore::RealText(double value) const
{
    QString text;
    if (DataType() == dtComp)
        text = QString::number(value, 'f', 0);
    for (int precision = 15; precision > 0 && (text.isEmpty() || text.size() > maxLength_); --precision)
        text = QString::number(value, 'g', precision);
    if (text.size() > maxLength_)
        return QString(maxLength_, QLatin1Char('*'));
    return text.replace(QLatin1Char('.'), IntlSup().DecimalChar);
}

TEfValue TEfSimpleFieldCore::TransferOut() const
{
    const TEfIntlSup& intl = IntlSup();
    const QChar c = text_.isEmpty() ? kBlank : text_.front();
    switch (DataType()) {
    case dtString: return TEfValue{text_, 0.0};
    case dtChar: return TEfValue{QString(c), static_cast<double>(c.unicode())};
    case dtBoolean: return TEfValue{QString(c), c.toUpper() == intl.TrueChar ? 1.0 : 0.0};
    case dtYesNo: return TEfValue{QString(c), c.toUpper() == intl.YesChar ? 1.0 : 0.0};
    default: {
        double value = 0.0;
        ReadNumber(value);
        return TEfValue{{}, value};
    }
    }
}

void TEfSimpleFieldCore::TransferIn(const TEfValue& value)
{
    const TEfIntlSup& intl = IntlSup();
    switch (DataType()) {
    case dtString: {
        QString text = value.text.left(maxLength_);
        for (int i = 0; i < text.size(); ++i)
            text[i] = EfCaseRule(mask_, text[i], i > 0 ? text[i - 1] : kBlank);
        text_ = text;
        return;
    }
    case dtChar: text_ = value.text.left(1); return;
    case dtBoolean: text_ = QString(value.number != 0.0 ? intl.TrueChar : intl.FalseChar); return;
    case dtYesNo: text_ = QString(value.number != 0.0 ? intl.YesChar : intl.NoChar); return;
    default:
        text_ = IsIntegerType(DataType()) ? IntegerText(static_cast<qint64>(value.number)).left(maxLength_)
                                          : RealText(value.number);
        return;
    }
}

quint16 TEfSimpleFieldCore::TypeValidation()
{
    const TEfIntlSup& intl = IntlSup();
    const QChar c = text_.isEmpty() ? kBlank : text_.front().toUpper();
    quint16 code = 0;
    switch (DataType()) {
    case dtString:
        if (TrimBlanks() && HasFocus() && text_.trimmed() != text_) {
            text_ = text_.trimmed();
            SetCaretPos(Caret());
            SetSelection(SelStart(), SelEnd());
        }
        break;
    case dtChar:
        if (RangeLo() != RangeHi() && !InRange(TransferOut().number))
            code = efeRange;
        break;
    case dtBoolean: code = c == intl.TrueChar || c == intl.FalseChar ? 0 : efeRange; break;
    case dtYesNo: code = c == intl.YesChar || c == intl.NoChar ? 0 : efeRange; break;
    default: {
        double value = 0.0;
        if (!ReadNumber(value))
            code = efeInvalidForType;
        else if (!InRange(value))
            code = efeRange;
        else if (HasFocus())
            Relay();
        break;
    }
    }
    return UserValidation(code);
}

void TEfSimpleFieldCore::StepValue(bool wrap, double delta)
{
    switch (DataType()) {
    case dtString:
        return;
    case dtChar: {
        QChar next;
        if (StepChar(mask_, text_.isEmpty() ? QChar(0) : text_.front(), delta, wrap, next))
            PutSteppedValue(TEfValue{QString(next), static_cast<double>(next.unicode())});
        return;
    }
    case dtBoolean:
    case dtYesNo:
        PutSteppedValue(TEfValue{{}, TransferOut().number != 0.0 ? 0.0 : 1.0});
        return;
    default: {
        double value = 0.0;
        double next = 0.0;
        if (ReadNumber(value) && NextStep(value, delta, wrap, IsIntegerType(DataType()), next))
            PutSteppedValue(TEfValue{{}, next});
        return;
    }
    }
}

TEfSimpleField::TEfSimpleField(QWidget* parent, TEfController* controller) : TEfBaseEntryField(parent, controller)
{
    SetCore(std::make_unique<TEfSimpleFieldCore>(Controller()));
}

TEfSimpleField::TEfSimpleField(QWidget* parent, TSimpleDataType type, QChar mask, TEfController* controller)
    : TEfSimpleField(parent, controller)
{
    SetDataType(type);
    if (!mask.isNull())
        SetPictureMask(mask);
}
