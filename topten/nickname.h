// The nickname of a top-ten entry: always six characters as a player sees them, a longer
// text cut after its sixth, a shorter one padded with spaces. A character is what the
// line edit treats as one (an emoji, a letter with its accents), never half of one.
#pragma once

#include <QString>

class NickName
{
public:
    NickName();                                   // six spaces
    NickName(const QString &text);                // NOLINT: assigning a text fits it

    const QString &text() const { return m_text; }

    // The number of characters of text, counted as a player sees them.
    static int characterCount(const QString &text);

    friend bool operator==(const NickName &, const NickName &) = default;

private:
    QString m_text;
};
