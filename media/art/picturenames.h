// The game's pictures by name: the windows load them by these names, artgen paints them
// under them, and media/art/CMakeLists.txt reads this file for the pictures to expect (each
// `{"name"}` below, and the icon sizes), so that a picture is named here and nowhere else.
#pragma once

#include <QLatin1String>
#include <QString>

namespace pictures {

// Painted at 1x with "@2x" and "@3x" twins. The pictures marked "at start" are what the
// main window shows as it opens; they are stored so that they cost no decompression.
inline constexpr QLatin1String board{"board"};                // at start
inline constexpr QLatin1String ball{"ball"};                  // at start
inline constexpr QLatin1String tile{"tile"};                  // at start
inline constexpr QLatin1String ballSelected{"ball_selected"}; // at start
inline constexpr QLatin1String tileSelected{"tile_selected"}; // at start
inline constexpr QLatin1String results{"results"};
inline constexpr QLatin1String bannerGenius{"banner_genius"};
inline constexpr QLatin1String bannerSmart{"banner_smart"};
inline constexpr QLatin1String bannerStupid{"banner_stupid"};
inline constexpr QLatin1String blackList{"blacklist"};
inline constexpr QLatin1String instructions{"instructions"};
inline constexpr QLatin1String about{"about"};
inline constexpr QLatin1String tick16{"tick-16"};
inline constexpr QLatin1String tick32{"tick-32"};

// The results window's rank banners, best first: rank 1 is banners[0].
inline constexpr QLatin1String banners[] = {bannerGenius, bannerSmart, bannerStupid};

// The application icon, "icon-<size>", in every size a desktop asks for; a scaled screen
// takes a bigger one, so there are no twins. Only the sizes up to windowIconMaxSize go
// into a window's icon (and the program); the larger ones are the icon theme's.
inline constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr int windowIconMaxSize = 64;

inline QString icon(int size)
{
    return QStringLiteral("icon-%1").arg(size);
}

} // namespace pictures
