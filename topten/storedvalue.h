// A key of the settings store as read; a stored top-ten value taken apart ("Abc   57": six
// characters of name, then the score); and stored text made fit to show in a message: a hand-edited or damaged file
// can hold any text, control characters and NUL included.
#pragma once

#include "topten/storedscore.h"
#include "topten/nickname.h"

#include <QString>

#include <optional>

// One key of a section as the settings store read it: its text (the default when the key
// is simply not there), or why it cannot be read. A key lost from a damaged file has a
// problem and no text.
struct StoredValue
{
    std::optional<QString> text;
    QString problem;
};

struct StoredEntry
{
    NickName name;
    std::optional<StoredScore> score; // none when the score part cannot be read
    QString problem;              // why not, for the player
};

// The scores a stored entry can hold: no game is won in fewer steps than the shortest
// solution, and the default entry's 3600 is the weakest a stored result may be.
inline constexpr int FewestStoredSteps = 46;
inline constexpr int MostStoredSteps = 3600;

// A score outside FewestStoredSteps..MostStoredSteps is not read either: only a hand or
// a fault can have put it there, and ranked it would stand above every real result.
StoredEntry parseStoredValue(const QString &value);

// The text in quotes, each control character as its visible symbol (NUL as U+2400), and
// cut after maxCharacters characters as a player counts them (never inside
// one) with an ellipsis.
QString shownText(const QString &text, int maxCharacters = 40);
