// The list of pictures by the names the windows load them with.
#include "pictures.h"

#include "media/art/picturenames.h"

#include <utility>

namespace artgen {

std::vector<Picture> catalogue(const Faces &faces)
{
    std::vector<Picture> all;
    all.push_back({pictures::board, MainLayout::Picture.as<QSize>(), true, [&faces](qreal s) { return paintBoard(faces, s); }});
    all.push_back({pictures::ball, {45, 45}, true, [](qreal s) { return paintPiecePicture(false, false, s); }});
    all.push_back({pictures::tile, {45, 45}, true, [](qreal s) { return paintPiecePicture(true, false, s); }});
    all.push_back({pictures::ballSelected, {45, 45}, true,
                   [](qreal s) { return paintPiecePicture(false, true, s); }});
    all.push_back({pictures::tileSelected, {45, 45}, true,
                   [](qreal s) { return paintPiecePicture(true, true, s); }});
    all.push_back({pictures::results, WindowSizes::Results.picture.as<QSize>(), true, [&faces](qreal s) { return paintResults(faces, s); }});
    for (int rank = 1; rank <= 3; ++rank)
        all.push_back({pictures::banners[rank - 1], {121, 54}, true,
                       [&faces, rank](qreal s) { return paintBanner(faces, rank, s); }});
    all.push_back({pictures::blackList, WindowSizes::BlackList.picture.as<QSize>(), true, [&faces](qreal s) { return paintBlackList(faces, s); }});
    all.push_back({pictures::instructions, WindowSizes::Instructions.picture.as<QSize>(), true,
                   [&faces](qreal s) { return paintInstructions(faces, s); }});
    all.push_back({pictures::about, WindowSizes::About.picture.as<QSize>(), true, [&faces](qreal s) { return paintAbout(faces, s); }});
    for (int side : pictures::iconSizes)
        all.push_back({pictures::icon(side), {side, side}, false,
                       [side](qreal s) { return paintIcon(side, s); }});
    for (const auto &[name, side] : {std::pair{pictures::tick16, 16}, std::pair{pictures::tick32, 32}})
        all.push_back({name, {side, side}, true, [side](qreal s) { return paintTick(side, s); }});
    return all;
}

} // namespace artgen
