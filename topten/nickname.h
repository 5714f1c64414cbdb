// The nickname of a top-ten entry: always six characters as a player sees them, a longer
// text cut after its sixth, a shorter one padded with spaces. A character is what the
// line edit treats as one (an emoji, a letter with its accents), never half of one.
#pragma once

#include <QString>

class NickName
{
public:
    static constexpr int Length = 6;
    static constexpr int MaxUnits = 24; // UTF-16 code units, padding included

    NickName();                                   // six spaces
    NickName(const QString &text);                // NOLINT: assigning a text fits it

    const QString &text() const { return m_text; }

    // The number of characters of text, counted as a player sees them.
    static int characterCount(const QString &text);
    // Whether text is stored whole as a nickname: six characters at most, and short enough
    // in code units (a few characters of many joined letters each may not be).
    static bool fitsWhole(const QString &text);
    // How many UTF-16 code units the first count characters of text take (all of text
    // when it has fewer): where a stored value's name ends and its score begins.
    static qsizetype lengthOfCharacters(const QString &text, int count);
    // A nickname as the prompt returned it, each line break or tab made a space: a name
    // shows on one line, and a pasted "Ab<newline>Cd" would otherwise show as "Ab".
    // Invisible format characters (bidirectional controls among them) are taken out.
    static QString fromTyped(const QString &typed);

    friend bool operator==(const NickName &, const NickName &) = default;

private:
    static QString fitted(const QString &text);
    QString m_text;
};
