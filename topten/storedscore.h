// The score of a top-ten entry: an exact decimal number, never a float and never text.
// It holds a signed count of ten-thousandths in 64 bits, so whole scores up to
// 922337203685477 and four decimal places are exact; anything beyond is refused, never
// rounded or wrapped.
#pragma once

#include <QString>

#include <compare>
#include <cstdint>

// No game is won in fewer steps than a shortest solution takes.
inline constexpr int ShortestWinSteps = 46;

// The scores a stored entry can hold: the default entry's 3600 is the weakest a stored
// result may be.
inline constexpr int FewestStoredSteps = ShortestWinSteps;
inline constexpr int MostStoredSteps = 3600;

class StoredScore
{
public:
    StoredScore() = default;
    // Throws std::overflow_error when the whole number is beyond the range above.
    explicit StoredScore(std::int64_t whole);

    // Reads a stored score: plain digits, optionally with a leading '+' or '-' and a
    // fraction after a '.' ("57", "-3", "+12", "57.25", "57.50000"). Nothing else counts:
    // no spaces, separators, exponents or a bare '.'. Throws std::runtime_error, whose
    // what() is shown to the player, for any other text, for a value out of range and for
    // a fraction finer than four places.
    static StoredScore parse(const QString &text);

    // Plain digits for a whole number ("57"); a '-' in front of a negative one and the
    // fraction without trailing zeros otherwise ("-3", "57.25"). parse() reads it back.
    QString toString() const;

    friend std::strong_ordering operator<=>(const StoredScore &, const StoredScore &) = default;
    friend bool operator==(const StoredScore &, const StoredScore &) = default;

private:
    static constexpr std::int64_t UnitsPerWhole = 10000;

    std::int64_t m_units = 0; // ten-thousandths; never INT64_MIN, so negation is safe
};
