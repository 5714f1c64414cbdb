// A key of the settings store as read, and a stored top-ten value taken apart ("Abc   57":
// six characters of name, then the score).
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

// A score outside FewestStoredSteps..MostStoredSteps is not read either: only a hand or
// a fault can have put it there, and ranked it would stand above every real result.
StoredEntry parseStoredValue(const QString &value);
