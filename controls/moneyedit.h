#pragma once
// An edit box for amounts of money: no typing, paste or deletion leaves a
// text that is not an amount within the box's range, and the text is
// reformatted when the box is left.
#include <QChar>
#include <QLineEdit>
#include <QString>
#include <optional>

class TEfIntlSup;

// The characters an amount is written with.
struct MoneyChars {
    QChar currency;
    QChar decimal;
    QChar thousands;

    // The first character of the user's currency text and the user's separators.
    static MoneyChars FromIntl(const TEfIntlSup& intl);
};

// The whole number of cents nearest to an amount, halves to the even cent;
// nothing for NaN, infinities and amounts whose cents do not fit in 64 bits.
// Every amount becomes cents through this one check.
std::optional<qint64> AmountToCents(double amount);
// -1.00: what the records show for an amount too big to show.
inline constexpr qint64 kTooBigToShowCents = -100;
// Two decimals, thousands grouped, "-" in front of a negative amount, no
// currency. Nothing when the amount, rounded to the cent, is outside the
// box's range (-1e13 and 1e13 excluded); the caller tells the user.
std::optional<QString> MoneyToText(double amount, const MoneyChars& chars);
// A whole number of cents (any, the smallest included) with two decimals,
// thousands grouped and "-" in front when negative.
QString CentsToText(qint64 cents, QChar decimal, QChar thousands);

enum class TMoneyRead { Amount, NotAnAmount, TooManyDigits };
// [currency][sign]digits and separators[decimal and up to two digits, the
// rest ignored]; an empty text is 0.0. TooManyDigits past 14 integer digits.
TMoneyRead TextToMoney(const QString& text, double& amount, const MoneyChars& chars);
// Whether the box may hold a text: it reads as an amount within the box's
// range, every decimal typed counts, and no thousands separator stands
// right before the decimal separator.
bool MoneyTextAccepted(const QString& text, const MoneyChars& chars);
// Whether the box takes typed or pasted text in place of the selection
// start..end (the caret when they are equal) of its text. The box refuses,
// with a beep, every edit whose text it would not accept: typing, pasting,
// deleting, dropping.
bool MoneyInsertAccepted(const QString& inserted, const QString& text, int selStart, int selEnd,
                         const MoneyChars& chars);

class TMoneyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMoneyEdit(QWidget* parent = nullptr);

    // 0.0 when the text is no amount.
    double Value() const;
    // An amount outside the box's range warns and shows 0.00.
    void SetValue(double amount);
    QChar CurrencyChar() const { return chars_.currency; }

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // The box has no undo or redo, by key or by its menu.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Reads the text and writes it back reformatted; a text past the digits
    // the box reads warns and becomes 0.00.
    void Reformat();

    MoneyChars chars_;
};
