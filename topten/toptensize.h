// How many results the top ten keeps, and so how many rows the Black List shows. No Qt
// here: the window layout and the art generator read it too.
#pragma once

inline constexpr int TopTenSize = 10;
