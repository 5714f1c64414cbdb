// Reading and writing the exact decimal score of a top-ten entry.
#include "topten/storedscore.h"

#include "topten/showntext.h"

#include <limits>
#include <string>
#include <stdexcept>

namespace {

constexpr std::int64_t MaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr int FractionDigits = 4;

[[noreturn]] void throwDecimalError(const QString &description)
{
    throw std::runtime_error(description.toStdString());
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

StoredScore::StoredScore(std::int64_t whole)
{
    constexpr std::int64_t MaxWhole = MaxUnits / UnitsPerWhole;
    if (whole > MaxWhole || whole < -MaxWhole)
        throw std::overflow_error("The score " + std::to_string(whole) + " is too large.");
    m_units = whole * UnitsPerWhole;
}

StoredScore StoredScore::parse(const QString &text)
{
    if (text.isEmpty())
        throwDecimalError(QStringLiteral("The score is missing: no digits follow the name."));
    const QString notANumber = QStringLiteral("The score %1 is not a number.").arg(shownText(text));

    qsizetype pos = 0;
    bool negative = false;
    if (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')) {
        negative = text[0] == QLatin1Char('-');
        ++pos;
    }

    // The magnitude is gathered in units while checking the range at every digit, so a
    // long run of digits is refused before anything can wrap.
    std::int64_t units = 0;
    const qsizetype wholeStart = pos;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        const int digit = text[pos].digitValue();
        if (units > (MaxUnits / UnitsPerWhole - digit) / 10)
            throwDecimalError(QStringLiteral("The score %1 is too large.").arg(shownText(text)));
        units = units * 10 + digit;
    }
    if (pos == wholeStart)
        throwDecimalError(notANumber);
    units *= UnitsPerWhole;

    if (pos < text.size() && text[pos] == QLatin1Char('.')) {
        ++pos;
        const qsizetype fractionStart = pos;
        std::int64_t scale = UnitsPerWhole;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            const int digit = text[pos].digitValue();
            if (pos - fractionStart >= FractionDigits) {
                // Zeros past the last place change nothing; any other digit would be lost.
                if (digit != 0)
                    throwDecimalError(QStringLiteral("The score %1 has more than %2 decimal places.")
                             .arg(shownText(text), QString::number(FractionDigits)));
                continue;
            }
            scale /= 10;
            if (units > MaxUnits - digit * scale)
                throwDecimalError(QStringLiteral("The score %1 is too large.").arg(shownText(text)));
            units += digit * scale;
        }
        if (pos == fractionStart)
            throwDecimalError(notANumber);
    }
    if (pos != text.size())
        throwDecimalError(notANumber);

    StoredScore result;
    result.m_units = negative ? -units : units;
    return result;
}

QString StoredScore::toString() const
{
    const std::int64_t magnitude = m_units < 0 ? -m_units : m_units;
    QString text = QString::number(magnitude / UnitsPerWhole);
    if (const std::int64_t fraction = magnitude % UnitsPerWhole; fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, FractionDigits, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    if (m_units < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}
