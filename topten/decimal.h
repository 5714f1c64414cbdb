// The score of a top-ten entry: an exact decimal number, never a float and never text.
#pragma once

#include <QString>

#include <compare>
#include <cstdint>

class Decimal
{
public:
    Decimal() = default;
    explicit Decimal(std::int64_t whole);

    // Reads a stored score. Throws std::runtime_error (whose what() is shown to the
    // player) for a text that is not a decimal number or does not fit the type.
    static Decimal parse(const QString &text);

    // Plain digits for a whole number ("57"), no sign, space or separator.
    QString toString() const;

    friend std::strong_ordering operator<=>(const Decimal &, const Decimal &);
    friend bool operator==(const Decimal &, const Decimal &);

private:
    std::int64_t m_units = 0; // see decimal.cpp for the scale
};
