#include "moneyedit.h"

#include "intlsup.h"
#include "platform/ui/messagebox.h"

#include <QKeyEvent>
#include <cmath>

namespace {
constexpr double kMoneyLimit = 1e13;
constexpr int kMostWholeDigits = 14;
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

// Control keys the box lets through: Backspace, Ctrl+L and Enter.
bool IsPassedControl(QChar c)
{
    return c == QChar(8) || c == QChar(12) || c == QChar(13);
}
}  // namespace

MoneyChars MoneyChars::FromIntl(const TEfIntlSup& intl)
{
    const QChar currency = intl.CurrencyLeft.isEmpty() ? QLatin1Char('$') : intl.CurrencyLeft.front();
    return {currency, intl.DecimalChar, intl.ThousandsChar};
}

QString MoneyToText(double amount, const MoneyChars& chars)
{
    const QString zero = QLatin1Char('0') + chars.decimal + QStringLiteral("00");
    if (!std::isfinite(amount) || amount >= kMoneyLimit || amount <= -kMoneyLimit) {
        ShowMessageBox(QStringLiteral("Money amount too large to handle"), MsgIcon::Warning, MsgOk);
        return zero;
    }
    // Nearest cent, ties to even; the sign is the rounded amount's, so -0.001 is "0.00".
    return CentsToText(std::llrint(amount * 100.0), chars.decimal, chars.thousands);
}

QString CentsToText(qint64 cents, QChar decimal, QChar thousands)
{
    const QString digits = QString::number(cents < 0 ? -cents : cents).rightJustified(3, QLatin1Char('0'));
    const QString whole = digits.left(digits.size() - 2);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += thousands;
        grouped += whole[i];
    }
    return (cents < 0 ? QStringLiteral("-") : QString()) + grouped + decimal + digits.right(2);
}

bool TextToMoney(const QString& text, double& amount, const MoneyChars& chars)
{
    amount = 0.0;
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (i < size && text[i] == chars.currency)
        ++i;
    int sign = 1;
    if (i < size && (text[i] == kMinus || text[i] == kPlus))
        sign = text[i++] == kMinus ? -1 : 1;
    if (i == size)
        return true;

    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < size && text[i] != chars.decimal; ++i) {
        if (text[i] == chars.thousands)
            continue;
        if (!IsDigit(text[i]))
            return false;
        if (++wholeDigits > kMostWholeDigits) {
            ShowMessageBox(QStringLiteral("The money amount is too large to handle."), MsgIcon::Warning, MsgOk);
            return false;
        }
        whole = whole * 10 + DigitValue(text[i]);
    }
    int cents = 0;
    if (i < size) {
        ++i;  // the decimal separator
        for (int place = 10; place >= 1 && i < size; place /= 10, ++i) {
            if (!IsDigit(text[i]))
                return false;
            cents += DigitValue(text[i]) * place;
        }
    }
    amount = sign * static_cast<double>(whole * 100 + cents) / 100.0;
    return true;
}

bool MoneyKeyAccepted(QChar key, const QString& text, int selStart, int selEnd, const MoneyChars& chars)
{
    if (IsPassedControl(key))
        return true;
    const bool digit = IsDigit(key);
    const bool sign = key == kMinus || key == kPlus;
    // Nothing else reads as part of an amount ("%" and "'" would read as 0.0).
    if (!digit && !sign && key != chars.decimal && key != chars.thousands && key != chars.currency)
        return false;

    // A character inside the selection is replaced by the typing: it counts as absent.
    const auto position = [&](QChar c) {
        const qsizetype at = text.indexOf(c);
        return at >= selStart && at < selEnd ? -1 : static_cast<int>(at);
    };
    const int currencyAt = position(chars.currency);
    const int minusAt = position(kMinus);
    const int plusAt = position(kPlus);
    const int decimalAt = position(chars.decimal);
    const int size = static_cast<int>(text.size());

    if (key == chars.currency)
        return selStart == 0 && currencyAt < 0;
    if (sign)
        return minusAt < 0 && plusAt < 0 &&
               ((selStart == 0 && currencyAt < 0) || (selStart == 1 && currencyAt == 0));
    for (int before : {currencyAt, minusAt, plusAt})
        if (before >= 0 && selStart <= before)
            return false;
    if (key == chars.decimal) {
        const bool afterThousands = selStart > 0 && text[selStart - 1] == chars.thousands;
        return decimalAt < 0 && size - selEnd <= 2 && !afterThousands;
    }
    if (key == chars.thousands)
        return decimalAt < 0 || selStart < decimalAt;
    if (decimalAt >= 0 && selStart > decimalAt) {
        const int decimals = size - decimalAt - 1 - (selEnd - selStart);
        return decimals < 2;
    }
    return true;
}

TMoneyEdit::TMoneyEdit(QWidget* parent) : QLineEdit(parent), chars_(MoneyChars::FromIntl(IntlSup())) {}

double TMoneyEdit::Value() const
{
    double amount = 0.0;
    return TextToMoney(text(), amount, chars_) ? amount : 0.0;
}

void TMoneyEdit::SetValue(double amount)
{
    setText(chars_.currency + MoneyToText(amount, chars_));
}

void TMoneyEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint()) {
        const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
        const int selEnd = hasSelectedText() ? selectionEnd() : cursorPosition();
        if (!MoneyKeyAccepted(typed[0], text(), selStart, selEnd, chars_)) {
            Beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TMoneyEdit::focusOutEvent(QFocusEvent* event)
{
    if (!text().isEmpty())
        SetValue(Value());
    QLineEdit::focusOutEvent(event);
}
