// The money text and the money box under arbitrary input: the text routines
// must agree with each other in both directions, and no typing, paste,
// deletion, undo or leaving of the box may leave a text that is not an
// amount within the box's range.
#include "controls/intlsup.h"
#include "controls/moneyedit.h"
#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Boxes and beeps are answered at once; the fuzzer has no user.
class SilentBoxes : public MessageBoxes {
public:
    MsgResult Show(const MessageRequest&) override { return MsgResult::Ok; }
    void Beep() override {}
};

[[noreturn]] void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "money fuzz: %s: [%s]\n", what, detail.toUtf8().constData());
    std::abort();
}

void Check(bool ok, const char* what, const QString& detail)
{
    if (!ok)
        Fail(what, detail);
}

struct Locale {
    QString currency;
    QChar decimal;
    QChar thousands;
};

const std::array<Locale, 4> kLocales{{
    {QStringLiteral("$"), QLatin1Char('.'), QLatin1Char(',')},
    {QStringLiteral("\u20AC"), QLatin1Char(','), QLatin1Char('.')},
    {QStringLiteral("CHF"), QLatin1Char('.'), QLatin1Char('\'')},
    {QStringLiteral("kr"), QLatin1Char(','), QChar(0x202F)},
}};

std::array<MoneyChars, kLocales.size()> gChars;
std::array<TMoneyEdit*, kLocales.size()> gBoxes{};

// Mostly the characters an amount is made of, so the fuzzer reaches the
// interesting texts quickly; one byte in sixteen stands for itself.
QChar Symbol(uint8_t b, const MoneyChars& chars)
{
    switch (b % 16) {
    case 10: return chars.currency;
    case 11: return chars.decimal;
    case 12: return chars.thousands;
    case 13: return QLatin1Char('-');
    case 14: return QLatin1Char('+');
    case 15: return QChar(b);
    default: return QChar(u'0' + b % 16);
    }
}

void CheckAmountRoundTrip(double amount, const MoneyChars& chars)
{
    const std::optional<qint64> cents = AmountToCents(amount);
    const std::optional<QString> text = MoneyToText(amount, chars);
    if (!text)
        return;
    Check(cents.has_value(), "a shown amount has no cents", *text);
    double back = 0.0;
    Check(TextToMoney(*text, back, chars) == TMoneyRead::Amount, "the money text does not read", *text);
    Check(AmountToCents(back) == cents, "the money text reads as other cents", *text);
    Check(MoneyTextAccepted(chars.currency + *text, chars), "the box refuses its own text", *text);
}

void CheckCentsText(qint64 cents)
{
    const quint64 magnitude = cents < 0 ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    const QString expected = (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) +
                             QLatin1Char('.') + QString::number(magnitude % 100).rightJustified(2, QLatin1Char('0'));
    const QString text = CentsToText(cents, QLatin1Char('.'), QLatin1Char(','));
    Check(QString(text).remove(QLatin1Char(',')) == expected, "cents text", text);
}

void CheckText(const QString& text, const MoneyChars& chars)
{
    double amount = 0.0;
    const TMoneyRead read = TextToMoney(text, amount, chars);
    if (read == TMoneyRead::Amount)
        Check(AmountToCents(amount).has_value(), "a read amount has no cents", text);
    else
        Check(amount == 0.0, "a failed reading gives an amount", text);
    if (!MoneyTextAccepted(text, chars))
        return;
    Check(read == TMoneyRead::Amount && amount > -1e13 && amount < 1e13, "accepted past the range", text);
    CheckAmountRoundTrip(amount, chars);
}

void Key(QWidget* box, int key, Qt::KeyboardModifiers modifiers, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(box, &release);
}

struct Selection {
    int start;
    int end;
};

Selection SelectionOf(const TMoneyEdit& box)
{
    if (box.hasSelectedText())
        return {box.selectionStart(), box.selectionEnd()};
    return {box.cursorPosition(), box.cursorPosition()};
}

QString Replaced(const QString& text, Selection s, const QString& by)
{
    return text.left(s.start) + by + text.mid(s.end);
}

void Type(TMoneyEdit& box, QChar c, const MoneyChars& chars)
{
    const QString before = box.text();
    const Selection s = SelectionOf(box);
    Key(&box, c.isLetter() ? c.toUpper().unicode() : c.unicode(), Qt::NoModifier, QString(c));
    if (!c.isPrint())
        return;
    const bool accepted = MoneyInsertAccepted(QString(c), before, s.start, s.end, chars);
    Check(box.text() == (accepted ? Replaced(before, s, QString(c)) : before), "typing differs from the key filter",
          before + QStringLiteral(" + ") + c + QStringLiteral(" -> ") + box.text());
}

void Paste(TMoneyEdit& box, const QString& pasted, const MoneyChars& chars)
{
    QApplication::clipboard()->setText(pasted);
    const QString before = box.text();
    const Selection s = SelectionOf(box);
    Key(&box, Qt::Key_V, Qt::ControlModifier);
    const bool accepted = MoneyInsertAccepted(pasted, before, s.start, s.end, chars);
    Check(box.text() == (accepted ? Replaced(before, s, pasted) : before) || (pasted.isEmpty() && s.start == s.end),
          "a paste differs from the paste filter", before + QStringLiteral(" + ") + pasted + QStringLiteral(" -> ") + box.text());
}

void Leave(TMoneyEdit& box, const MoneyChars& chars)
{
    const QString before = box.text();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &out);
    if (before.isEmpty()) {
        Check(box.text().isEmpty(), "an empty box is filled", box.text());
    } else {
        double amount = 0.0;
        TextToMoney(before, amount, chars);
        Check(box.text() == chars.currency + MoneyToText(amount, chars).value_or(QString()),
              "leaving changes the amount", before + QStringLiteral(" -> ") + box.text());
    }
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &in);
}

void Move(TMoneyEdit& box, uint8_t how)
{
    static constexpr std::array<int, 4> kKeys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
    Key(&box, kKeys[how % 4], (how & 4) ? Qt::ShiftModifier : Qt::NoModifier);
}

void Edit(TMoneyEdit& box, uint8_t how)
{
    switch (how % 5) {
    case 0: Key(&box, Qt::Key_Z, Qt::ControlModifier); break;
    case 1: Key(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); break;
    case 2: Key(&box, Qt::Key_X, Qt::ControlModifier); break;
    case 3: Key(&box, Qt::Key_A, Qt::ControlModifier); break;
    default: box.setSelection(how / 5 % (box.text().size() + 1), how / 40 % 5 - 2); break;
    }
}

void Drive(TMoneyEdit& box, const MoneyChars& chars, const uint8_t* data, size_t size)
{
    box.setText(QString());
    for (size_t i = 0; i < size;) {
        const uint8_t op = data[i++];
        const uint8_t arg = i < size ? data[i] : 0;
        switch (op % 12) {
        case 6: Key(&box, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")); break;
        case 7: Key(&box, Qt::Key_Delete, Qt::NoModifier); break;
        case 8: Move(box, arg); ++i; break;
        case 9: {
            const size_t length = std::min<size_t>(arg % 8, size - std::min(size, i + 1));
            QString pasted;
            for (size_t k = 0; k < length; ++k)
                pasted += Symbol(data[i + 1 + k], chars);
            Paste(box, pasted, chars);
            i += 1 + length;
            break;
        }
        case 10: Edit(box, arg); ++i; break;
        case 11: Leave(box, chars); break;
        default: Type(box, Symbol(arg, chars), chars); ++i; break;
        }
        Check(box.text().isEmpty() || MoneyTextAccepted(box.text(), chars), "the box holds no amount", box.text());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    new QApplication(*argc, *argv);
    InstallMessageBoxes(new SilentBoxes);
    const TEfIntlSup saved = IntlSup();
    for (size_t n = 0; n < kLocales.size(); ++n) {
        IntlSup().CurrencyLeft = kLocales[n].currency;
        IntlSup().DecimalChar = kLocales[n].decimal;
        IntlSup().ThousandsChar = kLocales[n].thousands;
        gBoxes[n] = new TMoneyEdit;
        gChars[n] = MoneyChars::FromIntl(IntlSup());
    }
    IntlSup() = saved;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 512)
        return 0;
    const size_t locale = data[0] % kLocales.size();
    const MoneyChars& chars = gChars[locale];
    ++data;
    --size;

    if (size >= sizeof(double)) {
        double amount = 0.0;
        qint64 cents = 0;
        std::memcpy(&amount, data, sizeof amount);
        std::memcpy(&cents, data, sizeof cents);
        CheckAmountRoundTrip(amount, chars);
        CheckCentsText(cents);
    }
    QString text;
    for (size_t i = 0; i < size; ++i)
        text += Symbol(data[i], chars);
    CheckText(text, chars);
    Drive(*gBoxes[locale], chars, data, size);
    return 0;
}
