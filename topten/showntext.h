// Stored text made fit to show in a message: a hand-edited or damaged file can hold any
// text, control characters and NUL included.
#pragma once

#include <QString>

// The text in quotes, each control character as its visible symbol (NUL as U+2400), and
// cut after maxCharacters characters as a player counts them (never inside
// one) with an ellipsis.
QString shownText(const QString &text, int maxCharacters = 40);
