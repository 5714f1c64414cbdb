// The list of pictures by the names the windows load them with.
#include "pictures.h"

namespace artgen {

std::vector<Picture> catalogue(const Faces &faces)
{
    std::vector<Picture> all;
    all.push_back({QStringLiteral("board"), {411, 411}, true, [&faces](qreal s) { return paintBoard(faces, s); }});
    all.push_back({QStringLiteral("ball"), {45, 45}, true, [](qreal s) { return paintPiecePicture(false, false, s); }});
    all.push_back({QStringLiteral("tile"), {45, 45}, true, [](qreal s) { return paintPiecePicture(true, false, s); }});
    all.push_back({QStringLiteral("ball_selected"), {45, 45}, true,
                   [](qreal s) { return paintPiecePicture(false, true, s); }});
    all.push_back({QStringLiteral("tile_selected"), {45, 45}, true,
                   [](qreal s) { return paintPiecePicture(true, true, s); }});
    all.push_back({QStringLiteral("results"), {385, 364}, true, [&faces](qreal s) { return paintResults(faces, s); }});
    const char *banners[] = {"banner_genius", "banner_smart", "banner_stupid"};
    for (int rank = 1; rank <= 3; ++rank)
        all.push_back({QString::fromLatin1(banners[rank - 1]), {121, 54}, true,
                       [&faces, rank](qreal s) { return paintBanner(faces, rank, s); }});
    all.push_back({QStringLiteral("blacklist"), {329, 357}, true, [&faces](qreal s) { return paintBlackList(faces, s); }});
    all.push_back({QStringLiteral("instructions"), {499, 335}, true,
                   [&faces](qreal s) { return paintInstructions(faces, s); }});
    all.push_back({QStringLiteral("about"), {335, 243}, true, [&faces](qreal s) { return paintAbout(faces, s); }});
    // Every icon size is there already, so a scaled screen takes a bigger one: no twins.
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        all.push_back({QStringLiteral("icon-%1").arg(side), {side, side}, false,
                       [side](qreal s) { return paintIcon(side, s); }});
    for (int side : {16, 32})
        all.push_back({QStringLiteral("tick-%1").arg(side), {side, side}, true,
                       [side](qreal s) { return paintTick(side, s); }});
    return all;
}

} // namespace artgen
