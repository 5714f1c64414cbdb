// The game's name as the system knows it: the organisation and application name of the
// settings (so the folder and file of the top ten), and the caption of a message box that
// has no title of its own. No Qt here: the art generator reads it too.
#pragma once

inline constexpr const char *AppName = "Tobrinel";
