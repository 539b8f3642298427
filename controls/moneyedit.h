#pragma once
// An edit box for amounts of money: only a well-formed amount can be typed,
// and the text is reformatted when the box is left.
#include <QChar>
#include <QLineEdit>
#include <QString>

class TEfIntlSup;

// The characters an amount is written with.
struct MoneyChars {
    QChar currency;
    QChar decimal;
    QChar thousands;

    // The first character of the user's currency text and the user's separators.
    static MoneyChars FromIntl(const TEfIntlSup& intl);
};

// Two decimals, thousands grouped, "-" in front of a negative amount, no
// currency. Amounts of 1e13 and more either way: a warning and "0.00".
QString MoneyToText(double amount, const MoneyChars& chars);
// A whole number of cents with two decimals, thousands grouped and "-" in front
// when negative.
QString CentsToText(qint64 cents, QChar decimal, QChar thousands);
// [currency][sign]digits and separators[decimal and up to two digits]; an
// empty text is 0.0. False for anything else, with a warning past 14 digits.
bool TextToMoney(const QString& text, double& amount, const MoneyChars& chars);
// Whether the box takes a typed character at the selection start..end (the
// caret when they are equal), given its text.
bool MoneyKeyAccepted(QChar key, const QString& text, int selStart, int selEnd,
                      const MoneyChars& chars);

class TMoneyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMoneyEdit(QWidget* parent = nullptr);

    // 0.0 when the text is no amount.
    double Value() const;
    void SetValue(double amount);
    QChar CurrencyChar() const { return chars_.currency; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    MoneyChars chars_;
};
