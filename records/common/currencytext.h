#pragma once
// Money in the system's currency format: the currency text in front, two
// decimals and thousands separators, as the process-wide formats say.
#include <QString>
#include <optional>

// An amount whose cents do not fit in 64 bits (or NaN) is too big to show and
// shows as -1.00.
QString CurrencyText(double value);
// The same for a whole number of cents, summed without rounding errors.
QString CurrencyTextOfCents(qint64 cents);

// A sum of amounts in whole cents. Once an amount or the sum leaves 64-bit
// cents the sum is too big to show, and stays so.
class TCentsSum {
public:
    void Add(double amount);
    void Add(const TCentsSum& other);
    // Nothing when too big to show.
    std::optional<qint64> Cents() const { return cents_; }
    QString Text() const;

private:
    void AddCents(std::optional<qint64> cents);

    std::optional<qint64> cents_ = 0;
};
