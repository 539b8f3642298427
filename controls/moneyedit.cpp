#include "moneyedit.h"

#include "intlsup.h"
#include "platform/ui/messagebox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>
#include <cmath>

namespace {
// The box's range, -1e13 < amount < 1e13, in cents.
constexpr qint64 kCentsLimit = 1'000'000'000'000'000;
// 2^63: every double smaller in size converts to 64 bits.
constexpr double kCentsBound = 9223372036854775808.0;
constexpr int kMostWholeDigits = 14;
constexpr int kMostDecimals = 2;
const QChar kMinus(QLatin1Char('-'));
const QChar kPlus(QLatin1Char('+'));

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int DigitValue(QChar c)
{
    return c.unicode() - '0';
}

bool InBoxRange(qint64 cents)
{
    return cents > -kCentsLimit && cents < kCentsLimit;
}

// A money text taken apart.
struct TMoneyParts {
    TMoneyRead read = TMoneyRead::Amount;
    qint64 cents = 0;  // signed
    qsizetype decimalsTyped = 0;  // characters after the decimal separator
    bool separatorBeforePoint = false;
};

TMoneyParts ParseMoney(const QString& text, const MoneyChars& chars)
{
    TMoneyParts parts;
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (i < size && text[i] == chars.currency)
        ++i;
    int sign = 1;
    if (i < size && (text[i] == kMinus || text[i] == kPlus))
        sign = text[i++] == kMinus ? -1 : 1;

    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < size && text[i] != chars.decimal; ++i) {
        if (text[i] == chars.thousands)
            continue;
        if (!IsDigit(text[i]))
            return {TMoneyRead::NotAnAmount};
        if (++wholeDigits > kMostWholeDigits)
            return {TMoneyRead::TooManyDigits};
        whole = whole * 10 + DigitValue(text[i]);
    }
    int cents = 0;
    if (i < size) {
        parts.separatorBeforePoint = i > 0 && text[i - 1] == chars.thousands;
        parts.decimalsTyped = size - i - 1;
        ++i;  // the decimal separator
        for (int place = 10; place >= 1 && i < size; place /= 10, ++i) {
            if (!IsDigit(text[i]))
                return {TMoneyRead::NotAnAmount};
            cents += DigitValue(text[i]) * place;
        }
    }
    parts.cents = sign * (whole * 100 + cents);
    return parts;
}
}  // namespace

MoneyChars MoneyChars::FromIntl(const TEfIntlSup& intl)
{
    const QChar currency = intl.CurrencyLeft.isEmpty() ? QLatin1Char('$') : intl.CurrencyLeft.front();
    return {currency, intl.DecimalChar, intl.ThousandsChar};
}

std::optional<qint64> AmountToCents(double amount)
{
    const double cents = std::nearbyint(amount * 100.0);
    if (!(cents > -kCentsBound && cents < kCentsBound))  // also NaN
        return std::nullopt;
    return static_cast<qint64>(cents);
}

std::optional<QString> MoneyToText(double amount, const MoneyChars& chars)
{
    // The sign is the rounded amount's, so -0.001 is "0.00".
    const std::optional<qint64> cents = AmountToCents(amount);
    if (!cents || !InBoxRange(*cents))
        return std::nullopt;
    return CentsToText(*cents, chars.decimal, chars.thousands);
}

QString CentsToText(qint64 cents, QChar decimal, QChar thousands)
{
    // In unsigned arithmetic even the smallest 64-bit number has a magnitude.
    const quint64 magnitude = cents < 0 ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    const QString digits = QString::number(magnitude).rightJustified(3, QLatin1Char('0'));
    const QString whole = digits.left(digits.size() - 2);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += thousands;
        grouped += whole[i];
    }
    return (cents < 0 ? QStringLiteral("-") : QString()) + grouped + decimal + digits.right(2);
}

TMoneyRead TextToMoney(const QString& text, double& amount, const MoneyChars& chars)
{
    const TMoneyParts parts = ParseMoney(text, chars);
    amount = parts.read == TMoneyRead::Amount ? static_cast<double>(parts.cents) / 100.0 : 0.0;
    return parts.read;
}

bool MoneyTextAccepted(const QString& text, const MoneyChars& chars)
{
    const TMoneyParts parts = ParseMoney(text, chars);
    return parts.read == TMoneyRead::Amount && InBoxRange(parts.cents) && parts.decimalsTyped <= kMostDecimals &&
           !parts.separatorBeforePoint;
}

bool MoneyInsertAccepted(const QString& inserted, const QString& text, int selStart, int selEnd,
                         const MoneyChars& chars)
{
    return MoneyTextAccepted(text.left(selStart) + inserted + text.mid(selEnd), chars);
}

namespace {
// Refuses every edit (typing, a paste, a deletion, a drop) whose text the box
// would not accept.
class TMoneyValidator : public QValidator {
public:
    TMoneyValidator(const MoneyChars& chars, QObject* parent) : QValidator(parent), chars_(chars) {}

    State validate(QString& input, int&) const override
    {
        return MoneyTextAccepted(input, chars_) ? Acceptable : Invalid;
    }

private:
    MoneyChars chars_;
};
}  // namespace

TMoneyEdit::TMoneyEdit(QWidget* parent) : QLineEdit(parent), chars_(MoneyChars::FromIntl(IntlSup()))
{
    setValidator(new TMoneyValidator(chars_, this));
    connect(this, &QLineEdit::inputRejected, this, [] { Beep(); });
    // Redo, still open to code though no longer to the user, can leave the
    // caret past the end, where an insertion would pad the text with a blank
    // that stays when the insertion is refused.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
        if (now > text().size())
            setCursorPosition(static_cast<int>(text().size()));
    });
}

double TMoneyEdit::Value() const
{
    double amount = 0.0;
    return TextToMoney(text(), amount, chars_) == TMoneyRead::Amount ? amount : 0.0;
}

void TMoneyEdit::SetValue(double amount)
{
    const std::optional<QString> money = MoneyToText(amount, chars_);
    if (!money)
        ShowMessageBox(QStringLiteral("Money amount too large to handle"), MsgIcon::Warning, MsgOk);
    setText(chars_.currency + money.value_or(CentsToText(0, chars_.decimal, chars_.thousands)));
}

void TMoneyEdit::Reformat()
{
    double amount = 0.0;
    if (TextToMoney(text(), amount, chars_) == TMoneyRead::TooManyDigits)
        ShowMessageBox(QStringLiteral("The money amount is too large to handle."), MsgIcon::Warning, MsgOk);
    SetValue(amount);
}

// The line edit's history goes around the validator: undo and redo bring back
// texts the box refuses, and after a redo the undoing of a refused key can
// leave a text the box never held.
void TMoneyEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        Beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TMoneyEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        // The entries are known by their captions; the shortcut follows a tab.
        const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
        if (caption == QLineEdit::tr("&Undo") || caption == QLineEdit::tr("&Redo"))
            menu->removeAction(action);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TMoneyEdit::focusOutEvent(QFocusEvent* event)
{
    // A menu opened over the box takes the focus only while it is up: the
    // user is still in the box, and its paste must find the selection.
    if (event->reason() != Qt::PopupFocusReason && !text().isEmpty())
        Reformat();
    QLineEdit::focusOutEvent(event);
}
